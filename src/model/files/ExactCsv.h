#pragma once

#include <string>

#include "analysis/ExactResults.h"

namespace trevan {

// The exact shear and moment as comma-separated values, one row per
// evaluation point: every break point (load, support and load end), however
// close to another, the extremes and the zero-shear points, and an even grid
// of 200 steps from x = 0 to the beam's end. Where the shear or the moment
// jumps, the point has two rows, the value just left of it, then just right;
// no position has more. Always the "C"
// conventions, whatever the user's locale; the first row names the columns
// with their units. With a section, rotation (rad) and deflection (mm or
// in, downward positive) follow.
class ExactCsv {
 public:
  static constexpr int GridSteps = 200;

  // Empty when the beam could not be solved.
  static std::string Write(const ExactResults& results, bool metric);
};

}  // namespace trevan
