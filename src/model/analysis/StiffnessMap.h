#pragma once

#include <algorithm>
#include <vector>

#include "analysis/ExactBeam.h"

namespace trevan {

// E I along the beam, constant between breaks; the first and last values
// reach on past the ends of the stretches given.
class StiffnessMap {
 public:
  explicit StiffnessMap(const std::vector<ExactBeam::Stiffness>& stretches) {
    for (std::size_t k = 0; k < stretches.size(); ++k) {
      if (k > 0 && stretches[k].EI == values_.back()) continue;
      if (k > 0) breaks_.push_back(stretches[k].x1);
      values_.push_back(stretches[k].EI);
    }
    if (values_.empty()) values_.push_back(1.0);
  }
  // The value just right of x.
  double At(double x) const {
    return values_[static_cast<std::size_t>(std::upper_bound(breaks_.begin(), breaks_.end(), x) -
                                            breaks_.begin())];
  }
  std::vector<double>& Breaks() { return breaks_; }
  const std::vector<double>& Breaks() const { return breaks_; }

 private:
  std::vector<double> breaks_;
  std::vector<double> values_;
};

}  // namespace trevan
