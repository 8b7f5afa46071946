#pragma once

#include "analysis/ExactBeam.h"
#include "analysis/ExactResults.h"

namespace trevan {

// Solves a continuous beam of uniform bending stiffness exactly, by the
// direct stiffness method: hinge and roll supports hold the beam's
// deflection, a vice also its slope, a support of type none holds nothing.
// Loads outside [0, length] are not on the beam and are left out.
class ExactSolver {
 public:
  // A beam is stable with a vice or with two hinge or roll supports.
  static bool IsStable(const ExactBeam& beam);
  static ExactResults Solve(const ExactBeam& beam);
  // Solve, keeping the last answer: the pictures, the panel and the hints
  // ask about the same beam many times between two edits. The reference
  // holds until the next call.
  static const ExactResults& SolveKept(const ExactBeam& beam);
};

}  // namespace trevan
