#include "analysis/KeptSolution.h"

#include <memory>

#include "analysis/ExactBeam.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "beam/DerivedResults.h"

namespace trevan {

namespace {

struct Solution final : DerivedResults {
  ExactBeam beam;
  ExactResults results;
};

}  // namespace

const ExactResults& KeptSolution(const TTrevanDoc& doc) {
  ExactBeam beam = ExactBeam::From(doc);
  auto* kept = dynamic_cast<Solution*>(doc.Derived());
  if (!kept || !(kept->beam == beam)) {
    auto fresh = std::make_unique<Solution>();
    fresh->results = ExactSolver::Solve(beam);
    fresh->beam = std::move(beam);
    kept = fresh.get();
    doc.KeepDerived(std::move(fresh));
  }
  return kept->results;
}

}  // namespace trevan
