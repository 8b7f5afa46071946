#pragma once

#include <string>
#include <vector>

#include "beam/LoadCase.h"

namespace trevan {

// EN 1990 Table A1.1 for buildings.
struct PsiFactors {
  double psi0, psi1, psi2;
};
PsiFactors PsiOf(const LoadCase& c);

// The combinations of a rule for these cases, ultimate ones first.
// Permanent cases (and unclassified ones, which are taken as permanent)
// share one factor for the whole beam, either the unfavourable or the
// favourable one. Every case of a kind takes the kind's factor.
//  - EN 1990 6.10: with G sup 1.35 and with G inf 1.0, for each variable
//    case leading: 1.5 on it, 1.5 psi0 on the other variable cases.
//  - 6.10a: 1.35 or 1.0 on G and 1.5 psi0 on every variable case; 6.10b as
//    6.10 with xi * 1.35 on G sup.
//  - EN serviceability: characteristic (G + Q lead + psi0 others, each
//    case leading), frequent (G + psi1 lead + psi2 others), quasi-permanent
//    (G + psi2 on all).
//  - ASCE: the listed combinations, every "or" expanded over the kinds the
//    beam has (a term whose kinds it lacks drops out); the serviceability
//    list is the allowable stress one.
// Combinations whose factors equal an earlier one's are left out; without
// variable cases the permanent load alone is one combination per factor.
// User: the user's list, as given.
std::vector<Combination> GenerateCombinations(const LoadCases& cases, CombinationRule rule,
                                              const std::vector<Combination>& user = {});

// The beam's own rule and user list.
inline std::vector<Combination> GenerateCombinations(const LoadCases& cases) {
  return GenerateCombinations(cases, cases.rule, cases.user);
}

// EN 1990 constants.
inline constexpr double GammaGSup = 1.35, GammaGInf = 1.0, Xi = 0.85, GammaQ = 1.5;

}  // namespace trevan
