#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "beam/SupportType.h"

namespace trevan {

// What the exact solver finds for one beam, in the beam's units. Reactions
// are positive upward; a vice's moment is the couple it exerts on the beam,
// counter-clockwise positive; sagging moments are positive.
struct ExactResults {
  static constexpr const char* UnstableText = "Unstable: add a vice or two supports";

  struct Support {
    double x = 0;
    TSupportType type = ftNone;
    double reaction = 0;
    double moment = 0;
  };
  struct Extreme {
    double value = 0;
    double x = 0;
  };
  // One stretch between two break points, where the load intensity is linear:
  // with t = x - x0, shear = v[0] + v[1] t + v[2] t^2 and
  // moment = m[0] + m[1] t + m[2] t^2 + m[3] t^3. The shear is the upward
  // resultant of everything left of the section.
  struct Piece {
    double x0 = 0, x1 = 0;
    double v[3] = {0, 0, 0};
    double m[4] = {0, 0, 0, 0};
    double Shear(double x) const;
    double Moment(double x) const;
  };

  // False for a beam that cannot stand; then only message says anything.
  bool solved = false;
  std::string message;

  std::vector<Support> supports;  // every support, type none included
  Extreme maxSagging;
  Extreme maxHogging;  // value <= 0
  Extreme maxAbsShear;
  double maxShearSigned = 0;      // the shear itself where its size is largest
  std::vector<double> zeroShear;  // where the shear changes sign
  double totalLoad = 0;
  double sumReactions = 0;
  std::vector<Piece> pieces;  // ascending, covering the beam

  // The largest moment of either sign, as a size.
  double LargestMoment() const { return std::max(maxSagging.value, -maxHogging.value); }

  // Values just right of x (just left at the beam's right end); 0 off the beam.
  double ShearAt(double x) const;
  double MomentAt(double x) const;
};

}  // namespace trevan
