#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "beam/LoadCase.h"

namespace trevan {

// What the diagrams, the results panel and the exports show of a beam:
// the loads as drawn (every case at its own size), one case, one
// combination with all its loads, or the envelope of a limit state.
struct ResultChoice {
  enum class Kind { AsDrawn, Case, Combination, Envelope };
  Kind kind = Kind::AsDrawn;
  std::size_t index = 0;                    // of the case, or of the combination in GenerateCombinations
  LimitState limit = LimitState::Ultimate;  // of an envelope
  std::string label = "Loads as drawn";
  friend bool operator==(const ResultChoice&, const ResultChoice&) = default;

  bool IsEnvelope() const { return kind == Kind::Envelope; }
  // The loads as drawn first; then, on a beam with cases, every case, every
  // combination and the two envelopes.
  static std::vector<ResultChoice> For(const LoadCases& cases);
  // The entry of the list equal to `kept`, else the loads as drawn: a choice
  // outlives the edits that leave it in the list.
  static ResultChoice Kept(const LoadCases& cases, const ResultChoice& kept);
  // The factors of a case or combination choice (1 on the case alone).
  Combination FactorsOf(const LoadCases& cases) const;
};

}  // namespace trevan
