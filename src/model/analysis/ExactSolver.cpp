#include "analysis/ExactSolver.h"

#include <algorithm>
#include <cmath>

#include "analysis/SpanModel.h"
#include "analysis/StabilityCheck.h"

namespace trevan {

bool ExactSolver::IsStable(const ExactBeam& beam) { return StabilityCheck(beam).Stable(); }

std::string ExactSolver::Instability(const ExactBeam& beam) { return StabilityCheck(beam).Message(); }

namespace {

// The largest values and the zero-shear points, read off the samples.
void FindExtremes(const std::vector<SpanModel::Sample>& samples, double start, ExactResults& results) {
  double largestShear = 0, largestMoment = 0;
  for (const SpanModel::Sample& s : samples) {
    largestShear = std::max(largestShear, std::abs(s.shear));
    largestMoment = std::max(largestMoment, std::abs(s.moment));
  }
  // Equal extremes at several places differ only by rounding; the first counts.
  const double shearTol = 1e-9 * largestShear, momentTol = 1e-9 * largestMoment;
  results.maxSagging = results.maxHogging = results.maxAbsShear = {0, start};
  int lastSign = 0;
  double zeroFrom = NAN;
  for (const SpanModel::Sample& s : samples) {
    if (s.moment > results.maxSagging.value + momentTol) results.maxSagging = {s.moment, s.x};
    if (s.moment < results.maxHogging.value - momentTol) results.maxHogging = {s.moment, s.x};
    if (std::abs(s.shear) > results.maxAbsShear.value + shearTol) {
      results.maxAbsShear = {std::abs(s.shear), s.x};
      results.maxShearSigned = s.shear;
    }
    const int sign = std::abs(s.shear) <= shearTol ? 0 : (s.shear > 0 ? 1 : -1);
    if (sign == 0) {
      if (std::isnan(zeroFrom)) zeroFrom = s.x;
      continue;
    }
    if (lastSign != 0 && sign != lastSign) results.zeroShear.push_back(std::isnan(zeroFrom) ? s.x : zeroFrom);
    lastSign = sign;
    zeroFrom = NAN;
  }
}

}  // namespace

ExactResults ExactSolver::Solve(const ExactBeam& beam) {
  ExactResults results;
  const StabilityCheck stability(beam);
  if (!stability.Stable()) {
    results.message = stability.Message();
    return results;
  }
  results.solved = true;
  SpanModel model(beam, results);
  model.ApplyForces();
  model.ApplyMoments();
  model.ApplyLoads();
  model.SolveNodes();
  model.FindEndActions();
  model.BuildPieces();
  FindExtremes(model.Samples(), model.Start(), results);
  results.springsLeftOut = results.springsLeftOut || beam.springsLeftOut;
  const std::vector<NodeState> states = model.NodeStates();
  if (beam.stiffness.empty()) {
    for (double h : StabilityCheck::TakenHinges(beam)) results.hinges.push_back({h});
    return results;
  }
  model.AddHinges(states);
  AddDeflections(
      states, [&](double x) { return model.Stiffness().At(x); }, model.Start(), model.End(), results);
  return results;
}

}  // namespace trevan
