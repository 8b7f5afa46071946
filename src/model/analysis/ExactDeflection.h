#pragma once

#include <functional>
#include <vector>

#include "analysis/ExactResults.h"

namespace trevan {

// A node of the stiffness solution: its deflection (upward) and rotation
// (counter-clockwise; at a hinge the one just right of it, and thetaLeft
// the one just left), and whether a support stands there.
struct NodeState {
  double x = 0;
  double w = 0;
  double theta = 0;
  bool support = false;
  double thetaLeft = 0;
};

// Rotation and deflection of every piece, by integrating M / E I from the
// node at its left (from the first node leftward, for a left overhang), so
// that no error carries from one element to the next; then the rotations
// at the supports and the largest deflections of every span and overhang.
// The pieces must break at every node and wherever E I changes.
void AddDeflections(const std::vector<NodeState>& nodes, const std::function<double(double)>& stiffnessAt,
                    double start, double end, ExactResults& results);

}  // namespace trevan
