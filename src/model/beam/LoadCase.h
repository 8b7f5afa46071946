#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trevan {

// What a load case holds, as the combination rules tell them apart.
enum class LoadKind {
  Unclassified,  // the one case of a beam that never named its loads
  Permanent,     // G / D
  Imposed,       // Q / L, with its category
  RoofLive,      // Lr
  Snow,          // S
  Wind,          // W
  Rain,          // R
};
constexpr int LoadKindCount = 7;

// The categories of imposed load that set the combination factors: A to H
// (domestic, offices, assembly, shopping, storage, traffic <= 30 kN,
// traffic 30 to 160 kN, roofs).
enum class ImposedCategory { A, B, C, D, E, F, G, H };
constexpr int ImposedCategoryCount = 8;

struct LoadCase {
  std::string name;
  LoadKind kind = LoadKind::Unclassified;
  ImposedCategory category = ImposedCategory::A;
  friend bool operator==(const LoadCase&, const LoadCase&) = default;

  // The short symbol of the kind: "G", "Q", "S", ...; "D", "L", ... in the
  // American notation.
  static std::string_view Symbol(LoadKind kind, bool american);
  static std::string_view KindName(LoadKind kind);
  static bool IsVariable(LoadKind kind) { return kind != LoadKind::Permanent && kind != LoadKind::Unclassified; }
};

// The rule that generates a beam's combinations.
enum class CombinationRule {
  En1990Eq610,    // EN 1990 eq. 6.10
  En1990Eq610ab,  // EN 1990 eq. 6.10a and 6.10b, the less favourable
  AsceLrfd,       // ASCE 7-22 strength design
  AsceAsd,        // ASCE 7-22 allowable stress design
  User,           // the user's own list
};

enum class LimitState { Ultimate, Serviceability };

// A factor for every load case, by the case's index.
struct Combination {
  std::string name;
  std::vector<double> factors;
  LimitState limit = LimitState::Ultimate;
  friend bool operator==(const Combination&, const Combination&) = default;
};

// The load cases of a beam. Without any named case every load is in the
// one unnamed case 0, as in every beam stored before cases existed.
struct LoadCases {
  static constexpr std::size_t MaxCases = 64;
  static constexpr std::size_t MaxUserCombinations = 1000;
  std::vector<LoadCase> cases;
  CombinationRule rule = CombinationRule::En1990Eq610;
  std::vector<Combination> user;  // the user's own, for CombinationRule::User

  // At least one: the unnamed case when none is named.
  std::size_t Count() const { return cases.empty() ? 1 : cases.size(); }
  bool IsDefault() const;
  // The case of an index, the unnamed one for 0 of a default beam.
  LoadCase At(std::size_t index) const;
  // How lists name a case: its number from 1, then its name ("2: Imposed").
  std::string Label(std::size_t index) const;
  friend bool operator==(const LoadCases&, const LoadCases&) = default;
};

}  // namespace trevan
