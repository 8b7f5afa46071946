#pragma once

#include <string>

#include "analysis/ExactBeam.h"
#include "analysis/ExactResults.h"

namespace trevan {

// Solves a continuous beam exactly, by the direct stiffness method with a
// deflection and a rotation at every node: hinge and roll supports hold the
// deflection, a vice also the rotation, a support of type none holds
// nothing, and a change of E I between supports is a free node. With a
// section a support may rest on a spring or settle, and a vice may turn on
// a rotational spring; without one those are left out and the results say
// so. An internal hinge is a node whose two sides turn on their own, a
// couple acts at a node or inside an element by its exact fixed-end
// actions. With a section the results carry rotations and deflections as
// well. Loads outside [0, length] are not on the beam and are left out.
class ExactSolver {
 public:
  // A beam is stable when its supports, springs and hinges leave it no
  // mechanism.
  static bool IsStable(const ExactBeam& beam);
  // Empty for a stable beam, else what can move and where, for the user.
  static std::string Instability(const ExactBeam& beam);
  static ExactResults Solve(const ExactBeam& beam);
};

}  // namespace trevan
