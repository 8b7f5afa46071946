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
    double rotation = 0;  // radians, counter-clockwise positive; with a section only
    double deflection = 0;  // downward, of a spring or a settlement; with a section only
  };
  // An internal hinge and the rotations just left and right of it.
  struct Hinge {
    double x = 0;
    double rotationLeft = 0, rotationRight = 0;  // with a section only
  };
  struct Extreme {
    double value = 0;
    double x = 0;
  };
  // One stretch between two break points, where the load intensity is linear:
  // with t = x - x0, shear = v[0] + v[1] t + v[2] t^2 and
  // moment = m[0] + m[1] t + m[2] t^2 + m[3] t^3. The shear is the upward
  // resultant of everything left of the section. With a section, E I is
  // constant on a piece and rotation = r[0] + ... + r[4] t^4 (counter-
  // clockwise positive, radians), deflection = d[0] + ... + d[5] t^5
  // (downward positive, in the beam's length unit).
  struct Piece {
    double x0 = 0, x1 = 0;
    double v[3] = {0, 0, 0};
    double m[4] = {0, 0, 0, 0};
    double r[5] = {0, 0, 0, 0, 0};
    double d[6] = {0, 0, 0, 0, 0, 0};
    double Shear(double x) const;
    double Moment(double x) const;
    double Rotation(double x) const;
    double Deflection(double x) const;
  };
  // A span between two carrying supports, or an overhang beyond the outer
  // ones, with its largest downward (value >= 0) and upward (value <= 0)
  // deflections.
  struct Span {
    double x0 = 0, x1 = 0;
    bool overhang = false;
    Extreme down = {}, up = {};
    double Length() const { return x1 - x0; }
    // The largest deflection either way.
    const Extreme& Largest() const { return down.value >= -up.value ? down : up; }
    // The check length/deflection >= limit.
    bool Passes(double limit) const { return (down.value >= -up.value ? down.value : -up.value) * limit <= Length(); }
  };

  // False for a beam that cannot stand; then only message says anything.
  bool solved = false;
  std::string message;

  std::vector<Support> supports;  // every support, type none included
  std::vector<Hinge> hinges;
  // Springs or settlements the beam holds but the analysis could not take.
  bool springsLeftOut = false;
  Extreme maxSagging;
  Extreme maxHogging;  // value <= 0
  Extreme maxAbsShear;
  double maxShearSigned = 0;      // the shear itself where its size is largest
  std::vector<double> zeroShear;  // where the shear changes sign
  double totalLoad = 0;
  double sumReactions = 0;
  std::vector<Piece> pieces;  // ascending, covering the beam

  // Rotations and deflections, when the beam has a section.
  bool deflected = false;
  std::vector<Span> spans;  // ascending, overhangs included
  Extreme maxDeflection;    // the largest in size, with its sign
  // The largest moment of either sign, as a size.
  double LargestMoment() const { return std::max(maxSagging.value, -maxHogging.value); }

  // Values just right of x (just left at the beam's right end); 0 off the beam.
  double ShearAt(double x) const;
  double MomentAt(double x) const;
  double RotationAt(double x) const;
  double DeflectionAt(double x) const;
};

}  // namespace trevan
