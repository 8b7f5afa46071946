#pragma once

#include <string_view>
#include <vector>

#include "beam/SupportType.h"

namespace trevan {

class TTrevanDoc;

// The plain description of a beam that the exact solver reads: positions,
// forces and intensities all in the beam's own units, loads positive downward.
struct ExactBeam {
  // A support holds its node rigidly unless given a spring; a settled
  // support holds it at the settlement instead of at zero.
  struct Support {
    double x;
    TSupportType type;
    double spring = 0;            // vertical stiffness, force per length; 0: rigid
    double rotationalSpring = 0;  // a vice's, moment per radian; 0: rigid
    double settlement = 0;        // prescribed, downward positive, in the length unit
    friend bool operator==(const Support&, const Support&) = default;
  };
  struct Force {
    double x;
    double f;
    friend bool operator==(const Force&, const Force&) = default;
  };
  // A couple at x, counter-clockwise positive.
  struct Moment {
    double x;
    double m;
    friend bool operator==(const Moment&, const Moment&) = default;
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
  std::vector<Moment> moments = {};
  // Internal hinges: points that pass shear but no moment, ascending.
  std::vector<double> hinges = {};
  // Empty for a beam without a section: its reactions, shear and moment do
  // not depend on a uniform E I, and it has no deflections.
  std::vector<Stiffness> stiffness = {};
  // Springs and settlements need a section: a beam without one has them
  // left out, and says so.
  bool springsLeftOut = false;
  // The unit positions are given in, for messages; a literal.
  std::string_view lengthUnit = "m";

  static ExactBeam From(const TTrevanDoc& doc);
  // The beam without its loads: enough to judge whether it stands.
  static ExactBeam SupportsOf(const TTrevanDoc& doc);
  friend bool operator==(const ExactBeam&, const ExactBeam&) = default;
};

}  // namespace trevan
