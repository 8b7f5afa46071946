#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "analysis/ExactSolver.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"

namespace trevan {
namespace {

struct ExpectedSupport {
  double reaction;
  double moment;
};

struct TextbookCase {
  std::string name;
  ExactBeam beam;
  std::vector<ExpectedSupport> supports;  // carrying supports, left to right
  ExactResults::Extreme sagging, hogging, shear;
  std::vector<double> zeroShear;
};

void PrintTo(const TextbookCase& c, std::ostream* os) { *os << c.name; }

ExactBeam Beam(double length, std::vector<ExactBeam::Support> supports, std::vector<ExactBeam::Force> forces,
               std::vector<ExactBeam::Load> loads) {
  return {length, std::move(supports), std::move(forces), std::move(loads)};
}

constexpr double w = 1000;  // N/m
constexpr double P = 1000;  // N

// Every expected value below is worked out by hand (statics, the
// three-moment equation or the standard tables), never taken from the solver.
std::vector<TextbookCase> TextbookCases() {
  const double r3 = std::sqrt(3.0);
  return {
      // PL/4 at midspan.
      {"simple_point",
       Beam(10, {{0, ftHinge}, {10, ftRoll}}, {{5, P}}, {}),
       {{P / 2, 0}, {P / 2, 0}},
       {2500, 5},
       {0, 0},
       {500, 0},
       {5}},
      // Ends held: wL/2 each, couples wL^2/12, hogging wL^2/12 at the ends, wL^2/24 at midspan.
      {"fixed_fixed_udl",
       Beam(6, {{0, ftVice}, {6, ftVice}}, {}, {{0, 6, w, w}}),
       {{3 * w, 3 * w}, {3 * w, -3 * w}},
       {1.5 * w, 3},
       {-3 * w, 0},
       {3 * w, 0},
       {3}},
      // Propped cantilever: 5wL/8 and 3wL/8, wL^2/8 at the vice, 9wL^2/128 at 5L/8 from it.
      {"propped_cantilever_udl",
       Beam(8, {{0, ftVice}, {8, ftHinge}}, {}, {{0, 8, w, w}}),
       {{5 * w, 8 * w}, {3 * w, 0}},
       {4.5 * w, 5},
       {-8 * w, 0},
       {5 * w, 0},
       {5}},
      // Two equal spans: 3/8, 10/8, 3/8 wL; -wL^2/8 over the middle; 9wL^2/128 at 3L/8.
      {"two_spans_udl",
       Beam(8, {{0, ftHinge}, {4, ftHinge}, {8, ftHinge}}, {}, {{0, 8, w, w}}),
       {{1.5 * w, 0}, {5 * w, 0}, {1.5 * w, 0}},
       {1.125 * w, 1.5},
       {-2 * w, 4},
       {2.5 * w, 4},
       {1.5, 4, 6.5}},
      // Five equal spans (L = 1): 15/38, 43/38, 37/38 wL; -2/19 wL^2 over the first inner
      // supports; the end spans sag most, (15/38)^2 / 2 wL^2 at 15/38 L. The shear runs
      // 15/38 | -23/38, 20/38 | -18/38, 19/38 | ... and changes sign inside each span.
      {"five_spans_udl",
       Beam(5, {{0, ftHinge}, {1, ftHinge}, {2, ftRoll}, {3, ftHinge}, {4, ftRoll}, {5, ftHinge}}, {},
            {{0, 5, w, w}}),
       {{15 * w / 38, 0},
        {43 * w / 38, 0},
        {37 * w / 38, 0},
        {37 * w / 38, 0},
        {43 * w / 38, 0},
        {15 * w / 38, 0}},
       {15.0 * 15 / (38 * 38) / 2 * w, 15.0 / 38},
       {-2 * w / 19, 1},
       {23 * w / 38, 1},
       {15.0 / 38, 1, 1 + 20.0 / 38, 2, 2.5, 3, 3 + 18.0 / 38, 4, 5 - 15.0 / 38}},
      // Partial load from 2 to 6 on 10 m: 2400 / 1600 N; zero shear at 2 + 2.4 = 4.4 m,
      // 2400 * 4.4 - 1000 * 2.4^2 / 2 = 7680 Nm.
      {"partial_udl",
       Beam(10, {{0, ftHinge}, {10, ftHinge}}, {}, {{2, 6, w, w}}),
       {{2400, 0}, {1600, 0}},
       {7680, 4.4},
       {0, 0},
       {2400, 0},
       {4.4}},
      // Triangle rising to w over L = 6: wL/6, wL/3, wL^2/(9 sqrt 3) at L/sqrt 3.
      {"triangular",
       Beam(6, {{0, ftHinge}, {6, ftHinge}}, {}, {{0, 6, 0, w}}),
       {{w, 0}, {2 * w, 0}},
       {36 * w / (9 * r3), 6 / r3},
       {0, 0},
       {2 * w, 6},
       {6 / r3}},
      // A vice inside: two propped cantilevers of 4 and 6 m. Hogging wL^2/8 = 2000 and
      // 4500 Nm either side; the vice takes the difference, 2500 Nm counter-clockwise.
      {"vice_inside",
       Beam(10, {{0, ftHinge}, {4, ftVice}, {10, ftRoll}}, {}, {{0, 10, w, w}}),
       {{1500, 0}, {6250, 2500}, {2250, 0}},
       {2250.0 * 2250 / (2 * w), 10 - 2.25},
       {-4500, 4},
       {3750, 4},
       {1.5, 4, 7.75}},
      // Cantilever held at its right end, P at the free left end: couple -PL.
      {"cantilever_right",
       Beam(3, {{3, ftVice}}, {{0, P}}, {}),
       {{P, -3 * P}},
       {0, 0},
       {-3 * P, 3},
       {P, 0},
       {}},
      // Overhang: supports at 0 and 8, P at the tip (10): -P/4 and 5P/4, -2P over the support.
      {"overhang_point",
       Beam(10, {{0, ftHinge}, {8, ftHinge}}, {{10, P}}, {}),
       {{-P / 4, 0}, {5 * P / 4, 0}},
       {0, 0},
       {-2 * P, 8},
       {P, 8},
       {8}},
      // Overhangs both sides, 1 m each, UDL over 10 m on supports at 1 and 9: 5000 N each,
      // -w/2 over the supports, 5000 * 4 - w * 5^2 / 2 = 7500 Nm at midspan.
      {"double_overhang_udl",
       Beam(10, {{1, ftHinge}, {9, ftHinge}}, {}, {{0, 10, w, w}}),
       {{5000, 0}, {5000, 0}},
       {7500, 5},
       {-500, 1},
       {4000, 1},
       {1, 5, 9}},
      // A support of type none carries nothing; a force on a support goes straight into it.
      {"none_and_force_on_support",
       Beam(10, {{0, ftHinge}, {3, ftNone}, {5, ftHinge}, {10, ftHinge}}, {{5, P}}, {}),
       {{0, 0}, {P, 0}, {0, 0}},
       {0, 0},
       {0, 0},
       {0, 0},
       {}},
  };
}

class ExactTextbook : public testing::TestWithParam<TextbookCase> {};

TEST_P(ExactTextbook, MatchesHandValues) {
  const TextbookCase& c = GetParam();
  const ExactResults r = ExactSolver::Solve(c.beam);
  ASSERT_TRUE(r.solved) << r.message;
  const double tol = 1e-9 * 1e4;
  std::size_t k = 0;
  for (const auto& s : r.supports) {
    if (s.type == ftNone) {
      EXPECT_EQ(s.reaction, 0);
      continue;
    }
    ASSERT_LT(k, c.supports.size());
    EXPECT_NEAR(s.reaction, c.supports[k].reaction, tol) << "support at " << s.x;
    EXPECT_NEAR(s.moment, c.supports[k].moment, tol) << "support at " << s.x;
    ++k;
  }
  EXPECT_EQ(k, c.supports.size());
  EXPECT_NEAR(r.maxSagging.value, c.sagging.value, tol);
  EXPECT_NEAR(r.maxSagging.x, c.sagging.x, 1e-9);
  EXPECT_NEAR(r.maxHogging.value, c.hogging.value, tol);
  EXPECT_NEAR(r.maxHogging.x, c.hogging.x, 1e-9);
  EXPECT_NEAR(r.maxAbsShear.value, c.shear.value, tol);
  EXPECT_NEAR(r.maxAbsShear.x, c.shear.x, 1e-9);
  ASSERT_EQ(r.zeroShear.size(), c.zeroShear.size());
  for (std::size_t i = 0; i < c.zeroShear.size(); ++i) EXPECT_NEAR(r.zeroShear[i], c.zeroShear[i], 1e-9);
  EXPECT_NEAR(r.sumReactions, r.totalLoad, tol);
}

INSTANTIATE_TEST_SUITE_P(Textbook, ExactTextbook, testing::ValuesIn(TextbookCases()),
                         [](const auto& info) { return info.param.name; });

TEST(ExactSolverTest, UnstableBeamsGiveNoResults) {
  struct Row {
    const char* name;
    std::vector<ExactBeam::Support> supports;
    bool stable;
  } rows[] = {
      {"no supports", {}, false},
      {"one hinge", {{2, ftHinge}}, false},
      {"two of type none", {{0, ftNone}, {10, ftNone}}, false},
      {"hinge and none", {{0, ftHinge}, {10, ftNone}}, false},
      {"two rolls", {{0, ftRoll}, {10, ftRoll}}, true},
      {"one vice", {{0, ftVice}}, true},
  };
  for (const Row& row : rows) {
    const ExactResults r = ExactSolver::Solve(Beam(10, row.supports, {{5, P}}, {}));
    EXPECT_EQ(r.solved, row.stable) << row.name;
    if (!row.stable) {
      EXPECT_EQ(r.message, "Unstable: add a vice or two supports") << row.name;
      EXPECT_TRUE(r.supports.empty() && r.pieces.empty()) << row.name;
    }
  }
}

// Loads that reach past the beam's ends only count on the beam.
TEST(ExactSolverTest, LoadsOffTheBeamAreLeftOut) {
  const ExactResults r =
      ExactSolver::Solve(Beam(10, {{0, ftHinge}, {10, ftHinge}}, {{-1, P}, {11, P}}, {{-2, 12, w, w}}));
  ASSERT_TRUE(r.solved);
  EXPECT_NEAR(r.totalLoad, 10 * w, 1e-6);
  EXPECT_NEAR(r.supports[0].reaction, 5 * w, 1e-6);
  EXPECT_NEAR(r.maxSagging.value, w * 100 / 8, 1e-6);
}

// Random beams checked by two conditions that together fix the answer:
// equilibrium of the whole beam, and compatibility, the deflection found by
// integrating the moment twice being zero at every support (and its slope at
// every vice) for one choice of the free constants.
TEST(ExactSolverTest, RandomBeamsBalanceAndDeflectNowhereAtTheirSupports) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> unit(0, 1);
  int checked = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const double length = 2 + 40 * unit(random);
    ExactBeam beam{length, {}, {}, {}};
    const int supports = 1 + static_cast<int>(6 * unit(random));
    double x = (unit(random) < 0.5 ? 0 : 0.3 * length * unit(random));
    for (int i = 0; i < supports && x <= length; ++i) {
      beam.supports.push_back({x, static_cast<TSupportType>(static_cast<int>(4 * unit(random)) % 4)});
      x += 0.05 * length + 0.4 * length * unit(random);
    }
    for (int i = 0, n = static_cast<int>(5 * unit(random)); i < n; ++i)
      beam.forces.push_back({length * unit(random), 5000 * (unit(random) - 0.2)});
    for (int i = 0, n = static_cast<int>(4 * unit(random)); i < n; ++i) {
      const double a = length * unit(random), b = a + (length - a) * unit(random);
      beam.loads.push_back({a, b, 2000 * (unit(random) - 0.2), 2000 * unit(random)});
    }
    const ExactResults r = ExactSolver::Solve(beam);
    ASSERT_EQ(r.solved, ExactSolver::IsStable(beam));
    if (!r.solved) continue;
    ++checked;

    double load = 0, loadMoment = 0, scale = 1;
    for (const auto& f : beam.forces) load += f.f, loadMoment += f.f * f.x, scale += std::abs(f.f) * length;
    for (const auto& d : beam.loads) {
      load += (d.f1 + d.f2) / 2 * (d.x2 - d.x1);
      // Trapezoid's moment about 0: rectangle f1 plus triangle (f2 - f1) at 2/3.
      const double span = d.x2 - d.x1;
      loadMoment += d.f1 * span * (d.x1 + span / 2) + (d.f2 - d.f1) * span / 2 * (d.x1 + 2 * span / 3);
      scale += (std::abs(d.f1) + std::abs(d.f2)) * span * length;
    }
    double reactions = 0, reactionMoment = 0;
    for (const auto& s : r.supports) reactions += s.reaction, reactionMoment += s.reaction * s.x + s.moment;
    ASSERT_NEAR(reactions, load, 1e-9 * scale / length) << "trial " << trial;
    ASSERT_NEAR(r.totalLoad, load, 1e-9 * scale / length) << "trial " << trial;
    ASSERT_NEAR(reactionMoment, loadMoment, 1e-9 * scale) << "trial " << trial;

    // Deflection and slope of the moment integrated twice from the left end.
    std::vector<double> px, slope, deflection;
    double t0 = 0, v0 = 0;
    px.push_back(r.pieces.front().x0), slope.push_back(0), deflection.push_back(0);
    for (const auto& p : r.pieces) {
      const double t = p.x1 - p.x0;
      const double* m = p.m;
      v0 += t0 * t + t * t * (m[0] / 2 + t * (m[1] / 6 + t * (m[2] / 12 + t * m[3] / 20)));
      t0 += t * (m[0] + t * (m[1] / 2 + t * (m[2] / 3 + t * m[3] / 4)));
      px.push_back(p.x1), slope.push_back(t0), deflection.push_back(v0);
    }
    auto at = [&](const std::vector<double>& values, double xs) {
      const auto i = std::lower_bound(px.begin(), px.end(), xs) - px.begin();
      return values[static_cast<std::size_t>(i)];
    };
    // Rows a + b (x - x0) = -deflection, b = -slope; the first two fix a and b.
    struct Condition {
      double a, b, rhs;
    };
    std::vector<Condition> conditions;
    for (const auto& s : r.supports) {
      if (s.type == ftNone) continue;
      conditions.push_back({1, s.x - px.front(), -at(deflection, s.x)});
      if (s.type == ftVice) conditions.push_back({0, 1, -at(slope, s.x)});
    }
    ASSERT_GE(conditions.size(), 2u);
    const Condition &c1 = conditions[0], &c2 = conditions[1];
    const double det = c1.a * c2.b - c1.b * c2.a;
    const double a = (c1.rhs * c2.b - c1.b * c2.rhs) / det, b = (c1.a * c2.rhs - c1.rhs * c2.a) / det;
    double largest = 0;
    for (double v : deflection) largest = std::max(largest, std::abs(v));
    for (const Condition& c : conditions)
      ASSERT_NEAR(c.a * a + c.b * b, c.rhs, 1e-7 * (largest + 1) * (c.a == 0 ? 1 / length : 1))
          << "trial " << trial;
  }
  EXPECT_GT(checked, 150);
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Each beam keeps its own solution: asking about a second beam leaves the
// first one's answer as it was. 1000 N on 10 m hinges: at 5 m 500 + 500 N,
// at 2 m 800 + 200 N.
TEST(KeptSolutionTest, EachBeamKeepsItsOwnAnswer) {
  TTrevanDoc middle, nearLeft;
  for (const auto& [beam, x] : {std::pair{&middle, 5.0}, std::pair{&nearLeft, 2.0}}) {
    beam->Length = 10;
    beam->Clear();
    beam->InsertSupport(0, ftHinge);
    beam->InsertSupport(10, ftHinge);
    beam->AddCharge(charge(x, 1000, nullptr));
  }
  const ExactResults& a = KeptSolution(middle);
  const ExactResults& b = KeptSolution(nearLeft);
  ASSERT_EQ(a.supports.size(), 2u);
  ASSERT_EQ(b.supports.size(), 2u);
  EXPECT_NEAR(a.supports[0].reaction, 500, 1e-9);
  EXPECT_NEAR(b.supports[0].reaction, 800, 1e-9);
  EXPECT_EQ(&KeptSolution(middle), &a) << "an unchanged beam is not solved again";
  middle.Charges.front()->x = 2;
  EXPECT_NEAR(KeptSolution(middle).supports[0].reaction, 800, 1e-9) << "an edit is seen";
}

}  // namespace
}  // namespace trevan
