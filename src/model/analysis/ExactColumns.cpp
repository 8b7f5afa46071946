#include "analysis/ExactColumns.h"

#include <algorithm>

#include "analysis/ExactSolver.h"
#include "beam/Beam.h"

namespace trevan {

namespace {
bool HasSteps(const BeamSection& section) {
  return std::any_of(section.segments.begin(), section.segments.end(),
                     [&](const auto& s) { return s.EI() != section.segments.front().EI(); });
}
}  // namespace

bool SampleExactColumns(const TTrevanDoc& beam, double distanceScale, std::span<double> shear,
                        std::span<double> moment) {
  // The iterative analysis knows no moments, hinges, springs or settlements.
  if ((!HasSteps(beam.Section) && !beam.HasExactOnlyObjects()) || beam.NeedsSupport()) return false;
  const ExactResults results = ExactSolver::Solve(ExactBeam::From(beam));
  if (!results.solved) return false;
  const std::size_t n = std::min(shear.size(), moment.size());
  for (std::size_t i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) * distanceScale;
    // The columns keep the iterative analysis's own sign, opposite to the results'.
    shear[i] = -results.ShearAt(x);
    moment[i] = -results.MomentAt(x);
  }
  return true;
}

}  // namespace trevan
