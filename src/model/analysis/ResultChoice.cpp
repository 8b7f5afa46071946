#include "analysis/ResultChoice.h"

#include <algorithm>

#include "analysis/Combinations.h"

namespace trevan {

std::vector<ResultChoice> ResultChoice::For(const LoadCases& cases) {
  std::vector<ResultChoice> list{ResultChoice{}};
  if (cases.IsDefault()) return list;
  for (std::size_t c = 0; c < cases.Count(); ++c)
    list.push_back({Kind::Case, c, LimitState::Ultimate, "Case " + cases.Label(c)});
  const std::vector<Combination> combinations = GenerateCombinations(cases);
  for (std::size_t k = 0; k < combinations.size(); ++k)
    list.push_back(
        {Kind::Combination, k, combinations[k].limit,
         (combinations[k].limit == LimitState::Ultimate ? "ULS " : "SLS ") + combinations[k].name});
  list.push_back({Kind::Envelope, 0, LimitState::Ultimate, "ULS envelope"});
  list.push_back({Kind::Envelope, 0, LimitState::Serviceability, "SLS envelope"});
  return list;
}

ResultChoice ResultChoice::Kept(const LoadCases& cases, const ResultChoice& kept) {
  const std::vector<ResultChoice> list = For(cases);
  const auto found = std::find(list.begin(), list.end(), kept);
  return found == list.end() ? list.front() : *found;
}

Combination ResultChoice::FactorsOf(const LoadCases& cases) const {
  if (kind == Kind::Combination) {
    const std::vector<Combination> combinations = GenerateCombinations(cases);
    if (index < combinations.size()) return combinations[index];
  }
  Combination single{label, std::vector<double>(cases.Count(), kind == Kind::Case ? 0.0 : 1.0), limit};
  if (kind == Kind::Case && index < single.factors.size()) single.factors[index] = 1;
  return single;
}

}  // namespace trevan
