#include "analysis/StabilityCheck.h"

#include <algorithm>
#include <cmath>

#include "analysis/ExactResults.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {

double StartOf(const ExactBeam& beam) { return std::min(0.0, beam.supports.empty() ? 0.0 : beam.supports.front().x); }
double EndOf(const ExactBeam& beam) {
  return std::max(beam.length, beam.supports.empty() ? 0.0 : beam.supports.back().x);
}

}  // namespace

double StabilityCheck::Tolerance(const ExactBeam& beam) { return 1e-7 * (EndOf(beam) - StartOf(beam)); }

std::vector<double> StabilityCheck::TakenHinges(const ExactBeam& beam) {
  const double start = StartOf(beam), end = EndOf(beam), tolerance = Tolerance(beam);
  std::vector<double> taken;
  for (double h : beam.hinges) {
    if (!(h > start + tolerance && h < end - tolerance)) continue;
    const bool atVice = std::any_of(beam.supports.begin(), beam.supports.end(), [&](const ExactBeam::Support& s) {
      return s.type == ftVice && std::abs(s.x - h) <= tolerance;
    });
    if (!atVice && (taken.empty() || h - taken.back() > tolerance)) taken.push_back(h);
  }
  return taken;
}

int StabilityCheck::Part::Rank() const {
  if (inner.size() >= 2 || (vice && !inner.empty())) return 2;
  return vice || !inner.empty() ? 1 : 0;
}

StabilityCheck::StabilityCheck(const ExactBeam& beam) : unit_(beam.lengthUnit) {
  const double tolerance = Tolerance(beam);
  joints_.push_back(StartOf(beam));
  for (double h : TakenHinges(beam)) joints_.push_back(h);
  joints_.push_back(EndOf(beam));
  parts_.resize(joints_.size() - 1);
  held_.assign(joints_.size(), false);
  std::vector<double> carrying;
  bool vice = false;
  for (const auto& s : beam.supports) {
    if (s.type == ftNone) continue;
    vice = vice || s.type == ftVice;
    if (carrying.empty() || s.x - carrying.back() > tolerance) carrying.push_back(s.x);
    // The part holding the support: the last whose left joint lies before it.
    const auto after = std::upper_bound(joints_.begin(), joints_.end(), s.x + tolerance);
    const std::size_t k = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - joints_.begin() - 1, 0));
    if (std::abs(s.x - joints_[k]) <= tolerance) {
      held_[k] = true;
    } else if (k + 1 < joints_.size() && std::abs(s.x - joints_[k + 1]) <= tolerance) {
      held_[k + 1] = true;
    } else if (k + 1 < joints_.size()) {
      Part& part = parts_[k];
      const double t = (s.x - joints_[k]) / (joints_[k + 1] - joints_[k]);
      if (part.inner.empty() || t - part.inner.back() > tolerance / (joints_[k + 1] - joints_[k]))
        part.inner.push_back(t);
    }
    if (s.type == ftVice) parts_[std::min(k, parts_.size() - 1)].vice = true;
  }
  rigidStable_ = vice || carrying.size() >= 2;
  // A beam of no length is a point: a vice or two supports hold it.
  stable_ = rigidStable_ && (joints_.back() <= joints_.front() || Freedom(held_) == 0);
}

// The solutions of the constraints on the deflections at joints 0 .. k form
// a space of some dimension; walking on, it suffices to know that dimension
// and whether the deflection at joint k is zero in all of them.
std::size_t StabilityCheck::Freedom(const std::vector<bool>& heldJoints) const {
  std::size_t dimension = 1;
  bool zero = false;
  for (std::size_t k = 0;; ++k) {
    if (heldJoints[k] && !zero) --dimension, zero = true;
    if (k == parts_.size()) return dimension;
    switch (parts_[k].Rank()) {
      case 2:
        if (!zero) --dimension;
        zero = true;
        break;
      case 1:
        break;  // the next deflection is a nonzero multiple of this one
      default:
        ++dimension, zero = false;
    }
  }
}

// The first hinge that some part can turn about: held still, it leaves a
// motion, and that motion moves a part at its side.
std::size_t StabilityCheck::HingeIndexTurning() const {
  for (std::size_t k = 1; k + 1 < joints_.size(); ++k) {
    std::vector<bool> still = held_;
    still[k] = true;
    const std::size_t turning = Freedom(still);
    still[k - 1] = still[k + 1] = true;
    if (turning > Freedom(still)) return k;
  }
  return 1;  // the parts fold at every hinge at once
}

std::string StabilityCheck::Message() const {
  if (stable_) return {};
  if (!rigidStable_ || joints_.size() < 3) return ExactResults::UnstableText;
  return CFormat("Unstable: the beam can turn about the hinge at %.2f %s", joints_[HingeIndexTurning()],
                 unit_.c_str());
}

}  // namespace trevan
