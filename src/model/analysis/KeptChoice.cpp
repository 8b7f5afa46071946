#include "analysis/KeptChoice.h"

#include <memory>
#include <optional>

#include "analysis/CasedBeam.h"
#include "analysis/Combinations.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "beam/DerivedResults.h"

namespace trevan {

namespace {

constexpr std::size_t ChoiceSlot = 1;

bool SameInput(const CasedBeam& a, const CasedBeam& b) {
  return a.beam == b.beam && a.forceCases == b.forceCases && a.loadCases == b.loadCases && a.cases == b.cases;
}

// What was last worked out for a choice of the beam: one solution and an
// envelope of each limit state, each with the input it holds for.
struct Kept final : DerivedResults {
  CasedBeam input;
  std::optional<Combination> solved;
  ExactResults results;
  struct Kind {
    bool valid = false;
    std::vector<double> places;
    Envelope envelope;
  } envelopes[2];
};

Kept& KeptFor(const TTrevanDoc& doc, CasedBeam input) {
  auto* kept = dynamic_cast<Kept*>(doc.Derived(ChoiceSlot));
  if (!kept || !SameInput(kept->input, input)) {
    auto fresh = std::make_unique<Kept>();
    fresh->input = std::move(input);
    kept = fresh.get();
    doc.KeepDerived(std::move(fresh), ChoiceSlot);
  }
  return *kept;
}

}  // namespace

const ExactResults& KeptResult(const TTrevanDoc& doc, const ResultChoice& choice) {
  if (choice.kind == ResultChoice::Kind::AsDrawn || choice.IsEnvelope()) return KeptSolution(doc);
  Kept& kept = KeptFor(doc, CasedBeam::From(doc));
  const Combination factors = choice.FactorsOf(doc.Cases);
  if (!kept.solved || kept.solved->factors != factors.factors) {
    kept.results = Envelope::Solve(kept.input, factors);
    kept.solved = factors;
  }
  return kept.results;
}

const Envelope& KeptEnvelope(const TTrevanDoc& doc, LimitState limit, const std::vector<double>& places) {
  Kept& kept = KeptFor(doc, CasedBeam::From(doc));
  Kept::Kind& k = kept.envelopes[limit == LimitState::Ultimate ? 0 : 1];
  if (!k.valid || (!places.empty() && k.places != places)) {
    k.envelope = Envelope::Compute(kept.input, GenerateCombinations(doc.Cases), limit, true, places);
    k.places = places;
    k.valid = true;
  }
  return k.envelope;
}

}  // namespace trevan
