#pragma once

#include <vector>

#include "beam/SupportType.h"

namespace trevan {

class TTrevanDoc;

// The plain description of a beam that the exact solver reads: positions,
// forces and intensities all in the beam's own units, loads positive downward.
struct ExactBeam {
  struct Support {
    double x;
    TSupportType type;
    friend bool operator==(const Support&, const Support&) = default;
  };
  struct Force {
    double x;
    double f;
    friend bool operator==(const Force&, const Force&) = default;
  };
  // Intensity f1 at x1 varying linearly to f2 at x2 (x1 <= x2).
  struct Load {
    double x1, x2;
    double f1, f2;
    friend bool operator==(const Load&, const Load&) = default;
  };

  // The bending stiffness E I from x1 to x2; the stretches follow one
  // another along the beam.
  struct Stiffness {
    double x1, x2;
    double EI;
    friend bool operator==(const Stiffness&, const Stiffness&) = default;
  };

  double length = 0;
  std::vector<Support> supports;  // in ascending order of x
  std::vector<Force> forces;
  std::vector<Load> loads;
  // Empty for a beam without a section: its reactions, shear and moment do
  // not depend on a uniform E I, and it has no deflections.
  std::vector<Stiffness> stiffness = {};

  static ExactBeam From(const TTrevanDoc& doc);
  friend bool operator==(const ExactBeam&, const ExactBeam&) = default;
};

}  // namespace trevan
