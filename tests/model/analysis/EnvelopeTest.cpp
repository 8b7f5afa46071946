#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Envelope.h"
#include "analysis/ExactSolver.h"

namespace trevan {
namespace {

// Units: m, kN, kNm.
CasedBeam Continuous(const std::vector<double>& spans, LoadCases cases) {
  CasedBeam b;
  b.cases = std::move(cases);
  double x = 0;
  b.beam.supports.push_back({0, ftHinge});
  for (double s : spans) b.beam.supports.push_back({x += s, ftRoll});
  b.beam.length = x;
  return b;
}

void AddLoad(CasedBeam& b, std::size_t c, double x1, double x2, double q) {
  b.beam.loads.push_back({x1, x2, q, q});
  b.loadCases.push_back(c);
}

const LoadCases DeadAndOffices{{{"Dead", LoadKind::Permanent}, {"Offices", LoadKind::Imposed}}, CombinationRule::En1990Eq610, {}};

struct TwoSpanRow {
  const char* label;
  CombinationRule rule;
  double gammaG, gammaQ;  // of the governing combination
  const char* governing;
};

class TwoSpanEnvelopeTest : public ::testing::TestWithParam<TwoSpanRow> {};

// g = 10 kN/m and q = 15 kN/m on two 6 m spans; a = gammaG g, b = gammaQ q.
// The largest sagging moment has q on span 1 alone: the end reaction is
// (3a/8 + 7b/16) L and the moment peaks where the shear vanishes. The
// support moment has q on both spans: (a + b) L^2 / 8.
TEST_P(TwoSpanEnvelopeTest, GivesTheHandValuesWithTheirPatterns) {
  const TwoSpanRow& row = GetParam();
  const double L = 6, g = 10, q = 15, a = row.gammaG * g, b = row.gammaQ * q;
  CasedBeam beam = Continuous({L, L}, DeadAndOffices);
  AddLoad(beam, 0, 0, 2 * L, g);
  AddLoad(beam, 1, 0, 2 * L, q);
  const Envelope e = Envelope::Compute(beam, GenerateCombinations(beam.cases, row.rule), LimitState::Ultimate);
  ASSERT_TRUE(e.solved) << e.message;

  const double reaction = (3 * a / 8 + 7 * b / 16) * L;
  EXPECT_NEAR(e.maxSagging.value, reaction * reaction / (2 * (a + b)), 1e-9) << "kNm";
  EXPECT_NEAR(e.maxSagging.x, reaction / (a + b), 1e-9) << "m";
  EXPECT_NEAR(e.maxSagging.coincident, 0, 1e-9) << "kN";
  EXPECT_EQ(e.combinations[e.maxSagging.combination].name, row.governing);
  EXPECT_EQ(e.maxSagging.arrangement[1], (std::vector<bool>{true, false}));

  EXPECT_NEAR(e.maxHogging.value, -(a + b) * L * L / 8, 1e-9) << "kNm";
  EXPECT_NEAR(e.maxHogging.x, L, 1e-12) << "m";
  EXPECT_EQ(e.maxHogging.arrangement[1], (std::vector<bool>{true, true}));
  // Just left of the middle support: -5/8 (a + b) L, with the support moment.
  EXPECT_NEAR(e.minShear.value, -5.0 / 8 * (a + b) * L, 1e-9) << "kN";
  EXPECT_NEAR(e.minShear.coincident, -(a + b) * L * L / 8, 1e-9) << "kNm";
}

INSTANTIATE_TEST_SUITE_P(Rules, TwoSpanEnvelopeTest,
                         ::testing::Values(TwoSpanRow{"En610", CombinationRule::En1990Eq610, 1.35, 1.5,
                                                      "6.10 Q1 leading"},
                                           TwoSpanRow{"AsceLrfd", CombinationRule::AsceLrfd, 1.2, 1.6,
                                                      "1.2D + 1.6L"}),
                         [](const ::testing::TestParamInfo<TwoSpanRow>& info) { return info.param.label; });

// The beam of a combination and a pattern, built span by span here rather
// than by the envelope's own splitting.
ExactResults SolveByHand(const std::vector<double>& spans, const std::vector<std::vector<double>>& perSpan,
                         const std::vector<double>& factors, const std::vector<std::vector<bool>>& loaded) {
  CasedBeam shape = Continuous(spans, {});
  ExactBeam b = shape.beam;
  double x = 0;
  for (std::size_t s = 0; s < spans.size(); ++s) {
    double q = 0;
    for (std::size_t c = 0; c < factors.size(); ++c)
      if (loaded[c][s]) q += factors[c] * perSpan[c][s];
    if (q != 0) b.loads.push_back({x, x + spans[s], q, q});
    x += spans[s];
  }
  return ExactSolver::Solve(b);
}

// A dead load, an imposed load and a wind uplift on two spans: the largest
// middle reaction is that of one combination with the worst pattern,
// found by trying them all, and less than the sum of every case's own
// largest factored reaction.
TEST(EnvelopeTest, AReactionsExtremeIsOneCombinations) {
  const std::vector<double> spans{5, 7};
  const LoadCases cases{{{"D", LoadKind::Permanent}, {"L", LoadKind::Imposed}, {"W", LoadKind::Wind}}, CombinationRule::En1990Eq610, {}};
  const std::vector<std::vector<double>> perSpan{{9, 9}, {14, 14}, {-4, -4}};
  CasedBeam beam = Continuous(spans, cases);
  for (std::size_t c = 0; c < 3; ++c) AddLoad(beam, c, 0, 12, perSpan[c][0]);
  const auto combinations = GenerateCombinations(cases, CombinationRule::AsceLrfd);
  const Envelope e = Envelope::Compute(beam, combinations, LimitState::Ultimate);
  ASSERT_TRUE(e.solved);
  ASSERT_EQ(e.reactions.size(), 3u);

  double largest = -INFINITY, smallest = INFINITY;
  std::vector<double> caseLargest(3, 0.0);
  for (const auto& k : combinations) {
    if (k.limit != LimitState::Ultimate) continue;
    for (int p = 0; p < 8; ++p) {
      const std::vector<std::vector<bool>> loaded{{true, true}, {(p & 1) != 0, (p & 2) != 0}, {(p & 4) != 0, (p & 4) != 0}};
      const double r = SolveByHand(spans, perSpan, k.factors, loaded).supports[1].reaction;
      largest = std::max(largest, r), smallest = std::min(smallest, r);
    }
    for (std::size_t c = 0; c < 3; ++c) {
      std::vector<double> alone(3, 0.0);
      alone[c] = k.factors[c];
      caseLargest[c] = std::max(caseLargest[c], SolveByHand(spans, perSpan, alone, {{1, 1}, {1, 1}, {1, 1}}).supports[1].reaction);
    }
  }
  EXPECT_NEAR(e.reactions[1].largest.value, largest, 1e-9) << "kN";
  EXPECT_NEAR(e.reactions[1].smallest.value, smallest, 1e-9) << "kN";
  EXPECT_EQ(e.combinations[e.reactions[1].largest.combination].name, "1.2D + 1.6L");
  EXPECT_EQ(e.combinations[e.reactions[1].smallest.combination].name, "0.9D + 1.0W");
  EXPECT_GT(caseLargest[0] + caseLargest[1] + caseLargest[2] - largest, 1) << "kN";
}

// Three unequal spans with two patterned cases and a point force: at every
// sample the envelope equals the worst of all 2^3 x 2^3 patterns of every
// combination, each solved as a whole beam.
TEST(EnvelopeTest, EqualsTheWorstOfEveryPatternAtEverySample) {
  const std::vector<double> spans{5, 6, 4};
  const LoadCases cases{{{"G", LoadKind::Permanent}, {"Q", LoadKind::Imposed}, {"S", LoadKind::Snow}}, CombinationRule::En1990Eq610, {}};
  const std::vector<std::vector<double>> perSpan{{8, 8, 8}, {12, 12, 12}, {3, 3, 3}};
  CasedBeam beam = Continuous(spans, cases);
  for (std::size_t c = 0; c < 3; ++c) AddLoad(beam, c, 0, 15, perSpan[c][0]);
  const auto combinations = GenerateCombinations(cases, CombinationRule::En1990Eq610);
  const Envelope e = Envelope::Compute(beam, combinations, LimitState::Ultimate);
  ASSERT_TRUE(e.solved);

  ASSERT_GT(e.samples.size(), 3u * 24);
  std::vector<ExactResults> all;
  for (const auto& k : e.combinations)
    for (int p = 0; p < 64; ++p) {
      std::vector<std::vector<bool>> loaded{{true, true, true}, {}, {}};
      for (int s = 0; s < 3; ++s) loaded[1].push_back((p >> s) & 1), loaded[2].push_back((p >> (s + 3)) & 1);
      all.push_back(SolveByHand(spans, perSpan, k.factors, loaded));
    }
  for (std::size_t i = 0; i < e.samples.size(); ++i) {
    const auto& s = e.samples[i];
    // The first of two samples at a place is the value just left of it.
    const bool left = i + 1 < e.samples.size() && e.samples[i + 1].x == s.x;
    const double x = left ? std::nextafter(s.x, -INFINITY) : s.x;
    double mUp = -INFINITY, mLow = INFINITY, vUp = -INFINITY, vLow = INFINITY;
    for (const auto& r : all) {
      mUp = std::max(mUp, r.MomentAt(x)), mLow = std::min(mLow, r.MomentAt(x));
      vUp = std::max(vUp, r.ShearAt(x)), vLow = std::min(vLow, r.ShearAt(x));
    }
    EXPECT_NEAR(s.momentUpper, mUp, 1e-9) << "kNm at x = " << x << " m";
    EXPECT_NEAR(s.momentLower, mLow, 1e-9) << "kNm at x = " << x << " m";
    EXPECT_NEAR(s.shearUpper, vUp, 1e-9) << "kN at x = " << x << " m";
    EXPECT_NEAR(s.shearLower, vLow, 1e-9) << "kN at x = " << x << " m";
  }
}

// A settlement is no load of a case: every combination takes it once,
// unfactored. Propped cantilever of 4 m, EI 9375 kNm², g = 10 kN/m, prop
// settling 10 mm: 3 g L / 8 from the load, and the prop pulls 3 EI d / L^3
// down. A couple of the imposed case, 20 kNm at 2 m, enters with 1.5 where
// it adds and not at all where it relieves. Without the prop the couple
// lifts the tip by M a²/2EI + M a (L - a)/EI, so the prop pulls it back
// down with 3 M a (2L - a) / 2L³.
TEST(EnvelopeTest, SettlementsEnterOnceAndCouplesByTheirCase) {
  const double L = 4, EI = 9375, g = 10, d = 0.01, M = 20, a = 2;
  CasedBeam beam;
  beam.cases = DeadAndOffices;
  beam.beam.length = L;
  beam.beam.supports = {{0, ftVice}, {L, ftRoll, 0, 0, d}};
  beam.beam.stiffness = {{0, L, EI}};
  AddLoad(beam, 0, 0, L, g);
  beam.beam.moments = {{a, M}};
  beam.momentCases = {1};
  const Envelope e = Envelope::Compute(beam, GenerateCombinations(beam.cases, CombinationRule::En1990Eq610),
                                       LimitState::Ultimate);
  ASSERT_TRUE(e.solved) << e.message;
  const double pull = 3 * EI * d / (L * L * L), couple = -3 * M * a * (2 * L - a) / (2 * L * L * L);
  EXPECT_NEAR(e.reactions[1].largest.value, 1.35 * 3 * g * L / 8 - pull, 1e-9) << "kN";
  EXPECT_NEAR(e.reactions[1].smallest.value, 1.0 * 3 * g * L / 8 + 1.5 * couple - pull, 1e-9) << "kN";
  const ExactResults best = Envelope::Solve(beam, e.combinations[e.reactions[1].smallest.combination],
                                            e.reactions[1].smallest.arrangement);
  EXPECT_NEAR(best.supports[1].reaction, e.reactions[1].smallest.value, 1e-9) << "kN, solved whole";
  const ExactResults worst = Envelope::Solve(beam, e.combinations[e.reactions[1].largest.combination],
                                             e.reactions[1].largest.arrangement);
  EXPECT_NEAR(worst.supports[1].reaction, e.reactions[1].largest.value, 1e-9) << "kN, solved whole";
}

}  // namespace
}  // namespace trevan
