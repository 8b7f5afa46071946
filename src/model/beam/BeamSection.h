#pragma once

#include <string>
#include <vector>

namespace trevan {

// The bending stiffness of a beam: E and I over consecutive segments that
// cover it from 0 to its length, in the beam's units (N/m² and m⁴, or
// lbf/ft² and ft⁴). None until the user sets one; then the analysis also
// gives rotations and deflections.
struct BeamSection {
  struct Segment {
    double x1 = 0, x2 = 0;
    double E = 0, I = 0;
    double EI() const { return E * I; }
    friend bool operator==(const Segment&, const Segment&) = default;
  };

  std::vector<Segment> segments;  // ascending, each ending where the next starts

  bool Empty() const { return segments.empty(); }
  static BeamSection Uniform(double E, double I, double length);
  // E and I for the whole beam, and other values on the stretches given
  // (within [0, length], apart from one another); the rest keeps the whole
  // beam's values. Stretches of the same values as their neighbours merge.
  static BeamSection WithStretches(double E, double I, double length, std::vector<Segment> stretches);
  // The values that cover most of the beam, which a dialog shows as the
  // whole beam's; the other segments are its stretches.
  const Segment& Prevailing() const;
  // Why this is no section of a beam of the given length; empty when it is.
  // slack allows for the rounding of a length read back from a file.
  std::string Problem(double length, double slack = 0) const;
  // The same section in the other unit system, on a beam of the new length.
  BeamSection Converted(bool toMetric, double newLength) const;
  friend bool operator==(const BeamSection&, const BeamSection&) = default;
};

}  // namespace trevan
