#include <gtest/gtest.h>

#include "analysis/Combinations.h"

namespace trevan {
namespace {

// Cases D, L (category A: psi 0.7 / 0.5 / 0.3), Lr, S and W, in that order.
LoadCases FiveCases() {
  return {{{"Dead", LoadKind::Permanent},
           {"Offices", LoadKind::Imposed, ImposedCategory::A},
           {"Roof", LoadKind::RoofLive},
           {"Snow", LoadKind::Snow},
           {"Wind", LoadKind::Wind}},
          CombinationRule::En1990Eq610,
          {}};
}

struct Expected {
  const char* name;
  std::vector<double> factors;
};

struct RuleRow {
  const char* label;
  CombinationRule rule;
  LimitState limit;
  std::vector<Expected> combinations;
};

// Derived by hand from the rules: EN psi0 = 0.7 (L), 0 (Lr), 0.5 (S), 0.6
// (W); psi1 = 0.5, 0, 0.2, 0.2; psi2 = 0.3, 0, 0, 0. The quasi-permanent
// combination (1, 0.3, 0, 0, 0) equals the frequent one with Lr leading and
// is not repeated. The ASCE lists lack every combination that needs R.
const RuleRow Rows[] = {
    {"En610Ultimate", CombinationRule::En1990Eq610, LimitState::Ultimate,
     {{"6.10 Q1 leading", {1.35, 1.5, 0, 0.75, 0.9}},
      {"6.10 Lr1 leading", {1.35, 1.05, 1.5, 0.75, 0.9}},
      {"6.10 S1 leading", {1.35, 1.05, 0, 1.5, 0.9}},
      {"6.10 W1 leading", {1.35, 1.05, 0, 0.75, 1.5}},
      {"6.10 Q1 leading (G inf)", {1, 1.5, 0, 0.75, 0.9}},
      {"6.10 Lr1 leading (G inf)", {1, 1.05, 1.5, 0.75, 0.9}},
      {"6.10 S1 leading (G inf)", {1, 1.05, 0, 1.5, 0.9}},
      {"6.10 W1 leading (G inf)", {1, 1.05, 0, 0.75, 1.5}}}},
    {"En610Serviceability", CombinationRule::En1990Eq610, LimitState::Serviceability,
     {{"Characteristic Q1 leading", {1, 1, 0, 0.5, 0.6}},
      {"Characteristic Lr1 leading", {1, 0.7, 1, 0.5, 0.6}},
      {"Characteristic S1 leading", {1, 0.7, 0, 1, 0.6}},
      {"Characteristic W1 leading", {1, 0.7, 0, 0.5, 1}},
      {"Frequent Q1 leading", {1, 0.5, 0, 0, 0}},
      {"Frequent Lr1 leading", {1, 0.3, 0, 0, 0}},
      {"Frequent S1 leading", {1, 0.3, 0, 0.2, 0}},
      {"Frequent W1 leading", {1, 0.3, 0, 0, 0.2}}}},
    {"En610abUltimate", CombinationRule::En1990Eq610ab, LimitState::Ultimate,
     {{"6.10a", {1.35, 1.05, 0, 0.75, 0.9}},
      {"6.10a (G inf)", {1, 1.05, 0, 0.75, 0.9}},
      {"6.10b Q1 leading", {1.1475, 1.5, 0, 0.75, 0.9}},
      {"6.10b Lr1 leading", {1.1475, 1.05, 1.5, 0.75, 0.9}},
      {"6.10b S1 leading", {1.1475, 1.05, 0, 1.5, 0.9}},
      {"6.10b W1 leading", {1.1475, 1.05, 0, 0.75, 1.5}},
      {"6.10b Q1 leading (G inf)", {1, 1.5, 0, 0.75, 0.9}},
      {"6.10b Lr1 leading (G inf)", {1, 1.05, 1.5, 0.75, 0.9}},
      {"6.10b S1 leading (G inf)", {1, 1.05, 0, 1.5, 0.9}},
      {"6.10b W1 leading (G inf)", {1, 1.05, 0, 0.75, 1.5}}}},
    {"Lrfd", CombinationRule::AsceLrfd, LimitState::Ultimate,
     {{"1.4D", {1.4, 0, 0, 0, 0}},
      {"1.2D + 1.6L + 0.5Lr", {1.2, 1.6, 0.5, 0, 0}},
      {"1.2D + 1.6L + 0.5S", {1.2, 1.6, 0, 0.5, 0}},
      {"1.2D + L + 1.6Lr", {1.2, 1, 1.6, 0, 0}},
      {"1.2D + 1.6Lr + 0.5W", {1.2, 0, 1.6, 0, 0.5}},
      {"1.2D + L + 1.6S", {1.2, 1, 0, 1.6, 0}},
      {"1.2D + 1.6S + 0.5W", {1.2, 0, 0, 1.6, 0.5}},
      {"1.2D + L + 0.5Lr + 1.0W", {1.2, 1, 0.5, 0, 1}},
      {"1.2D + L + 0.5S + 1.0W", {1.2, 1, 0, 0.5, 1}},
      {"0.9D + 1.0W", {0.9, 0, 0, 0, 1}}}},
    {"Asd", CombinationRule::AsceAsd, LimitState::Ultimate,
     {{"D", {1, 0, 0, 0, 0}},
      {"D + L", {1, 1, 0, 0, 0}},
      {"D + Lr", {1, 0, 1, 0, 0}},
      {"D + S", {1, 0, 0, 1, 0}},
      {"D + 0.75L + 0.75Lr", {1, 0.75, 0.75, 0, 0}},
      {"D + 0.75L + 0.75S", {1, 0.75, 0, 0.75, 0}},
      {"D + 0.6W", {1, 0, 0, 0, 0.6}},
      {"D + 0.75L + 0.75Lr + 0.45W", {1, 0.75, 0.75, 0, 0.45}},
      {"D + 0.75L + 0.75S + 0.45W", {1, 0.75, 0, 0.75, 0.45}},
      {"0.6D + 0.6W", {0.6, 0, 0, 0, 0.6}}}},
};

class GeneratedCombinationsTest : public ::testing::TestWithParam<RuleRow> {};

TEST_P(GeneratedCombinationsTest, HaveTheNamesAndFactorsOfTheRule) {
  const RuleRow& row = GetParam();
  std::vector<Combination> got;
  for (auto& c : GenerateCombinations(FiveCases(), row.rule))
    if (c.limit == row.limit) got.push_back(c);
  ASSERT_EQ(got.size(), row.combinations.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].name, row.combinations[i].name) << "combination " << i;
    ASSERT_EQ(got[i].factors.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k)
      EXPECT_NEAR(got[i].factors[k], row.combinations[i].factors[k], 1e-12) << got[i].name << ", case " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, GeneratedCombinationsTest, ::testing::ValuesIn(Rows),
                         [](const ::testing::TestParamInfo<RuleRow>& info) { return info.param.label; });

// A beam of permanent load only still has its design combination; a user
// list is taken as given; the ASCE "or" over roof loads gives one
// combination per roof kind the beam has.
TEST(CombinationsTest, EdgeCases) {
  const LoadCases dead{{{"Dead", LoadKind::Permanent}}, CombinationRule::En1990Eq610, {}};
  const auto en = GenerateCombinations(dead, CombinationRule::En1990Eq610);
  ASSERT_EQ(en.size(), 3u);  // 1.35 G, 1.0 G, and G for every serviceability one
  EXPECT_EQ(en[0].factors, std::vector<double>{1.35});
  EXPECT_EQ(en[1].factors, std::vector<double>{1.0});
  EXPECT_EQ(en[2].limit, LimitState::Serviceability);

  const std::vector<Combination> mine{{"Mine", {2.0}}};
  EXPECT_EQ(GenerateCombinations(dead, CombinationRule::User, mine), mine);

  const LoadCases rain{{{"D", LoadKind::Permanent}, {"R", LoadKind::Rain}, {"R2", LoadKind::Rain}}, CombinationRule::En1990Eq610, {}};
  const auto lrfd = GenerateCombinations(rain, CombinationRule::AsceLrfd);
  // 1.4D; 1.2D + 0.5R; 1.2D + 1.6R; 1.2D + 0.5R + 1.0W equals the second: W absent; 0.9D.
  std::vector<std::string> names;
  for (const auto& c : lrfd)
    if (c.limit == LimitState::Ultimate) names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{"1.4D", "1.2D + 0.5R", "1.2D + 1.6R", "0.9D"}));
  EXPECT_EQ(lrfd[2].factors, (std::vector<double>{1.2, 1.6, 1.6}));
}

}  // namespace
}  // namespace trevan
