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

// What the iterative analysis cannot represent: couples, hinges, and the
// springs and settlements taken with a section.
bool HoldsJointsOrSprings(const ExactBeam& beam) {
  if (!beam.moments.empty() || !beam.hinges.empty()) return true;
  if (beam.stiffness.empty()) return false;
  return std::any_of(beam.supports.begin(), beam.supports.end(), [](const ExactBeam::Support& s) {
    return s.type != ftNone && (s.spring > 0 || s.rotationalSpring > 0 || s.settlement != 0);
  });
}
}  // namespace

bool HoldsExactOnlyEffects(const TTrevanDoc& beam) { return HoldsJointsOrSprings(ExactBeam::From(beam)); }

bool SampleExactColumns(const TTrevanDoc& beam, double distanceScale, std::span<double> shear,
                        std::span<double> moment) {
  const ExactBeam exact = ExactBeam::From(beam);
  if (!(HasSteps(beam.Section) || HoldsJointsOrSprings(exact)) || beam.NeedsSupport()) return false;
  return SampleResultColumns(ExactSolver::Solve(exact), distanceScale, shear, moment);
}

bool SampleResultColumns(const ExactResults& results, double distanceScale, std::span<double> shear,
                         std::span<double> moment) {
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
