#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "analysis/ExactSolver.h"

namespace trevan {
namespace {

// Units N and m. E = 200 GPa, I = 4.6875e-6 m^4.
constexpr double EI = 200e9 * 4.6875e-6;

enum class Probe { MomentLeft, MomentRight, Deflection, Rotation, SupportDeflection, HingeLeft, HingeRight };

struct Check {
  Probe probe;
  double at;  // a position, or the index of a support or hinge
  double expected;
};

struct Row {
  std::string name;
  ExactBeam beam;
  std::vector<double> reactions, couples;  // every support, left to right
  std::vector<Check> checks;
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

ExactBeam Elastic(ExactBeam beam) {
  beam.stiffness = {{0, beam.length, EI}};
  return beam;
}

ExactBeam With(ExactBeam beam, std::vector<ExactBeam::Moment> moments, std::vector<double> hinges = {}) {
  beam.moments = std::move(moments);
  beam.hinges = std::move(hinges);
  return beam;
}

// Every expected value is worked out by hand from statics or the standard
// formulas, never read from the solver.
std::vector<Row> Rows() {
  const double M0 = 1000, P = 1000, w = 1000;
  // Cantilever held at 0 with a rotational spring, P at the tip L: the vice
  // takes PL and turns by PL/kr, which adds PL/kr L to the tip's PL^3/3EI.
  const double kr = 1e6, Lc = 2;
  // Propped cantilever of 4 m whose prop settles 10 mm: the prop pulls the
  // tip down by 3EI d/L^3, the vice balances it.
  const double d = 0.01, Lp = 4, pull = 3 * EI * d / (Lp * Lp * Lp);
  // Held at 0, a hinge at 2 and a roll at 5, P on the hinge: the link 2..5
  // carries nothing, so the 2 m cantilever takes P alone; the link turns
  // rigidly from the tip's deflection down to the roll.
  const double tip = P * 8 / (3 * EI);
  // 3 m on two 45 kN/m springs, 3 kN at 1 m: 2 and 1 kN, springs down 44.44 and
  // 22.22 mm, 37.04 mm at the load, plus P a^2 b^2 / 3EIL of bending.
  const double k = 45e3, bending = 3000.0 * 1 * 4 / (3 * EI * 3);
  ExactBeam springs = Elastic({3, {{0, ftHinge, k}, {3, ftRoll, k}}, {{1, 3000}}, {}});
  ExactBeam settled = Elastic({Lp, {{0, ftVice}, {Lp, ftRoll, 0, 0, d}}, {}, {}});
  ExactBeam partlyFixed = Elastic({Lc, {{0, ftVice, 0, kr}}, {{Lc, P}}, {}});
  return {
      // Reactions +-M0/L; M0/2 sagging left of the couple, M0/2 hogging right of it.
      {"simple_midspan_couple",
       With({10, {{0, ftHinge}, {10, ftRoll}}, {}, {}}, {{5, M0}}),
       {M0 / 10, -M0 / 10},
       {0, 0},
       {{Probe::MomentLeft, 5, M0 / 2}, {Probe::MomentRight, 5, -M0 / 2}}},
      // A couple at the tip of an overhang (supports 0, 8): +-M0/8; R0 8 = M0 sagging
      // over the support, and M0 all along the overhang.
      {"overhang_couple",
       With({10, {{0, ftHinge}, {8, ftHinge}}, {}, {}}, {{10, M0}}),
       {M0 / 8, -M0 / 8},
       {0, 0},
       {{Probe::MomentRight, 9, M0}, {Probe::MomentLeft, 8, M0}}},
      // A couple on the middle support of two equal spans: the joint's two
      // pinned-far-end stiffnesses share it, C/2 each; R0 = C/2L, nothing in the middle.
      {"couple_on_inner_support",
       With({10, {{0, ftHinge}, {5, ftHinge}, {10, ftRoll}}, {}, {}}, {{5, M0}}),
       {M0 / 10, 0, -M0 / 10},
       {0, 0, 0},
       {{Probe::MomentLeft, 5, M0 / 2}, {Probe::MomentRight, 5, -M0 / 2}}},
      // A couple right at a hinge acts on the part right of it: the link 2..5
      // takes it with -C/3 at the roll and hands C/3 down to the 2 m cantilever.
      {"couple_at_hinge",
       With({5, {{0, ftVice}, {5, ftRoll}}, {}, {}}, {{2, M0}}, {2}),
       {M0 / 3, -M0 / 3},
       {2 * M0 / 3, 0},
       {{Probe::MomentLeft, 2, 0}, {Probe::MomentRight, 2, -M0}}},
      // End couple on a cantilever: sagging M0 throughout, tip turns M0 L/EI, rises M0 L^2/2EI.
      {"cantilever_end_couple",
       Elastic(With({2, {{0, ftVice}}, {}, {}}, {{2, M0}})),
       {0},
       {-M0},
       {{Probe::MomentRight, 1, M0},
        {Probe::Rotation, 2, M0 * 2 / EI},
        {Probe::Deflection, 2, -M0 * 4 / (2 * EI)}}},
      {"propped_settlement",
       settled,
       {pull, -pull},
       {pull * Lp, 0},
       {{Probe::SupportDeflection, 1, d}, {Probe::Deflection, Lp, d}, {Probe::MomentRight, 0, -pull * Lp}}},
      // Two 4 m spans whose middle support settles d: pulling the middle of an
      // 8 m simple beam down by d takes 48EI d / 8^3 = 6EI d / L^3.
      {"continuous_settlement",
       Elastic({2 * Lp, {{0, ftHinge}, {Lp, ftRoll, 0, 0, d}, {2 * Lp, ftRoll}}, {}, {}}),
       {3 * EI * d / (Lp * Lp * Lp), -6 * EI * d / (Lp * Lp * Lp), 3 * EI * d / (Lp * Lp * Lp)},
       {0, 0, 0},
       {{Probe::MomentRight, Lp, 3 * EI * d / (Lp * Lp)}, {Probe::Deflection, Lp, d}}},
      // A couple on the end support: hogging M0 there, falling to zero at the far end.
      {"couple_on_end_support",
       With({10, {{0, ftHinge}, {10, ftRoll}}, {}, {}}, {{0, M0}}),
       {M0 / 10, -M0 / 10},
       {0, 0},
       {{Probe::MomentRight, 0, -M0}, {Probe::MomentRight, 5, -M0 / 2}}},
      {"two_springs",
       springs,
       {2000, 1000},
       {0, 0},
       {{Probe::SupportDeflection, 0, 2000 / k},
        {Probe::SupportDeflection, 1, 1000 / k},
        {Probe::Deflection, 1, 2000 / k - (1000 / k) / 3 + bending}}},
      {"rotational_spring",
       partlyFixed,
       {P},
       {P * Lc},
       {{Probe::Rotation, 0, -P * Lc / kr}, {Probe::Deflection, Lc, P * 8 / (3 * EI) + P * Lc / kr * Lc}}},
      {"hinge_on_link",
       Elastic(With({5, {{0, ftVice}, {5, ftRoll}}, {{2, P}}, {}}, {}, {2})),
       {P, 0},
       {2 * P, 0},
       {{Probe::Deflection, 2, tip},
        {Probe::HingeLeft, 0, -P * 4 / (2 * EI)},
        {Probe::HingeRight, 0, tip / 3},
        {Probe::Deflection, 3.5, tip / 2}}},
      // A hinge on the middle support makes two simple spans: w on the first
      // alone gives wL/2 each end; its end turns wL^3/24EI, the other span stays.
      {"hinge_on_inner_support",
       Elastic(With({8, {{0, ftHinge}, {4, ftRoll}, {8, ftRoll}}, {}, {{0, 4, w, w}}}, {}, {4})),
       {2000, 2000, 0},
       {0, 0, 0},
       {{Probe::HingeLeft, 0, w * 64 / (24 * EI)}, {Probe::HingeRight, 0, 0}, {Probe::Deflection, 6, 0}}},
      // Gerber beam: supports 0, 10, 20, hinge at 12, w over all. The part 12..20
      // hangs 4 kN on the hinge; about 0, R10 = (12 w 6 + 4000 12) / 10 = 12 kN.
      // Over the support -(4000 2 + w 2 1) = -10 kN m; zero at the hinge.
      {"gerber",
       With({20, {{0, ftHinge}, {10, ftRoll}, {20, ftRoll}}, {}, {{0, 20, w, w}}}, {}, {12}),
       {4000, 12000, 4000},
       {0, 0, 0},
       {{Probe::MomentRight, 10, -10000}, {Probe::MomentRight, 12, 0}, {Probe::MomentRight, 16, 8000}}},
      // The same with a section: its statics do not change.
      {"gerber_elastic",
       Elastic(With({20, {{0, ftHinge}, {10, ftRoll}, {20, ftRoll}}, {}, {{0, 20, w, w}}}, {}, {12})),
       {4000, 12000, 4000},
       {0, 0, 0},
       {{Probe::MomentRight, 12, 0}, {Probe::MomentRight, 4, 8000}}},
  };
}

double Value(const ExactResults& r, const Check& c) {
  const auto index = static_cast<std::size_t>(c.at);
  switch (c.probe) {
    case Probe::MomentLeft: {
      for (const auto& p : r.pieces)
        if (p.x1 == c.at) return p.Moment(c.at);
      return NAN;
    }
    case Probe::MomentRight:
      return r.MomentAt(c.at);
    case Probe::Deflection:
      return r.DeflectionAt(c.at);
    case Probe::Rotation:
      return r.RotationAt(c.at);
    case Probe::SupportDeflection:
      return r.supports.at(index).deflection;
    case Probe::HingeLeft:
      return r.hinges.at(index).rotationLeft;
    case Probe::HingeRight:
      return r.hinges.at(index).rotationRight;
  }
  return NAN;
}

class JointsAndSprings : public testing::TestWithParam<Row> {};

TEST_P(JointsAndSprings, MatchHandValuesAndBalance) {
  const Row& row = GetParam();
  const ExactBeam& b = row.beam;
  const ExactResults r = ExactSolver::Solve(b);
  ASSERT_TRUE(r.solved) << r.message;
  ASSERT_EQ(r.supports.size(), row.reactions.size());
  double scale = 1;
  for (double v : row.reactions) scale += std::abs(v) * b.length;
  for (std::size_t j = 0; j < r.supports.size(); ++j) {
    EXPECT_NEAR(r.supports[j].reaction, row.reactions[j], 1e-9 * scale) << "support " << j;
    EXPECT_NEAR(r.supports[j].moment, row.couples[j], 1e-9 * scale) << "support " << j;
  }
  for (const Check& c : row.checks)
    EXPECT_NEAR(Value(r, c), c.expected, 1e-9 * (std::abs(c.expected) + 1e-6))
        << "probe " << static_cast<int>(c.probe) << " at " << c.at;

  // Equilibrium: forces, and moments about 0 counter-clockwise.
  double load = 0, moment = 0;
  for (const auto& f : b.forces) load += f.f, moment -= f.f * f.x;
  for (const auto& q : b.loads) {
    const double s = q.x2 - q.x1;
    load += (q.f1 + q.f2) / 2 * s;
    moment -= q.f1 * s * (q.x1 + s / 2) + (q.f2 - q.f1) * s / 2 * (q.x1 + 2 * s / 3);
  }
  for (const auto& m : b.moments) moment += m.m;
  for (const auto& s : r.supports) load -= s.reaction, moment += s.reaction * s.x + s.moment;
  EXPECT_NEAR(load, 0, 1e-9 * scale / b.length);
  EXPECT_NEAR(moment, 0, 1e-9 * scale);
  // A spring pushes back in proportion to how far it is pressed.
  for (std::size_t j = 0; j < b.supports.size(); ++j) {
    if (b.supports[j].spring > 0) {
      EXPECT_NEAR(r.supports[j].reaction, b.supports[j].spring * r.supports[j].deflection, 1e-9 * scale);
    }
  }
  // Just left of a hinge, as a couple right at one acts on its right.
  for (const auto& h : r.hinges)
    EXPECT_NEAR(Value(r, {Probe::MomentLeft, h.x, 0}), 0, 1e-9 * scale) << "hinge at " << h.x;
}

INSTANTIATE_TEST_SUITE_P(Hand, JointsAndSprings, testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

// Without a section, springs and settlements are left out, and said to be:
// the beam on two springs carries its load as on rigid supports, 2 and 1 kN.
TEST(JointsAndSpringsTest, WithoutASectionSpringsAndSettlementsAreLeftOutAndSaidToBe) {
  const ExactBeam beam{3, {{0, ftHinge, 45e3, 0, 0.01}, {3, ftRoll, 45e3}}, {{1, 3000}}, {}};
  const ExactResults r = ExactSolver::Solve(beam);
  ASSERT_TRUE(r.solved);
  EXPECT_TRUE(r.springsLeftOut);
  EXPECT_NEAR(r.supports[0].reaction, 2000, 1e-9);
  EXPECT_NEAR(r.supports[1].reaction, 1000, 1e-9);
  EXPECT_FALSE(r.deflected);
  EXPECT_FALSE(ExactSolver::Solve(Elastic(beam)).springsLeftOut);
}

// Least squares by the normal equations, the columns scaled to unit size
// first; small and well-posed enough for a check.
std::vector<double> LeastSquares(const std::vector<std::vector<double>>& rows,
                                 const std::vector<double>& rhs) {
  const std::size_t n = rows.front().size();
  std::vector<double> scale(n, 0.0);
  for (const auto& r : rows)
    for (std::size_t j = 0; j < n; ++j) scale[j] = std::max(scale[j], std::abs(r[j]));
  std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
  for (std::size_t k = 0; k < rows.size(); ++k)
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = 0; j < n; ++j) a[i][j] += rows[k][i] / scale[i] * rows[k][j] / scale[j];
      a[i][n] += rows[k][i] / scale[i] * rhs[k];
    }
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t r = i + 1; r < n; ++r) {
      const double f = a[r][i] / a[i][i];
      for (std::size_t j = i; j <= n; ++j) a[r][j] -= f * a[i][j];
    }
  std::vector<double> x(n);
  for (std::size_t i = n; i-- > 0;) {
    double v = a[i][n];
    for (std::size_t j = i + 1; j < n; ++j) v -= a[i][j] * x[j];
    x[i] = v / a[i][i];
  }
  for (std::size_t j = 0; j < n; ++j) x[j] /= scale[j];
  return x;
}

// Random beams with couples, hinges, springs and settlements, checked
// without the stiffness method: the reactions balance the loads, the moment
// vanishes at every hinge, and the moment integrated twice, with one free
// deflection and rotation at the start and one free kink at every hinge,
// meets every support where it should (at its settlement, or pressed into
// its spring as far as its reaction says, turned on its rotational spring by
// its couple).
TEST(JointsAndSpringsTest, RandomBeamsBalanceAndMeetTheirSupports) {
  std::mt19937 random(20261209);
  std::uniform_real_distribution<double> unit(0, 1);
  int checked = 0, hinged = 0, sprung = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const double length = 2 + 40 * unit(random), EI1 = 1e7 * (0.5 + unit(random)),
                 EI2 = EI1 * (0.3 + unit(random));
    ExactBeam beam{length, {}, {}, {}};
    beam.stiffness = {{0, length / 2, EI1}, {length / 2, length, EI2}};
    double x = unit(random) < 0.5 ? 0 : 0.3 * length * unit(random);
    for (int i = 0, n = 1 + static_cast<int>(5 * unit(random)); i < n && x <= length; ++i) {
      ExactBeam::Support s{x, static_cast<TSupportType>(1 + static_cast<int>(3 * unit(random)) % 3)};
      if (unit(random) < 0.3)
        s.spring = EI1 / (length * length * length) * std::pow(10, 2 * unit(random) - 1);
      if (s.type == ftVice && unit(random) < 0.5)
        s.rotationalSpring = EI1 / length * std::pow(10, 2 * unit(random) - 1);
      if (unit(random) < 0.3) s.settlement = length / 500 * (unit(random) - 0.3);
      beam.supports.push_back(s);
      x += 0.05 * length + 0.4 * length * unit(random);
    }
    for (int i = 0, n = static_cast<int>(3 * unit(random)); i < n; ++i) {
      const double h = length * (0.05 + 0.9 * unit(random));
      const bool clear = std::none_of(beam.supports.begin(), beam.supports.end(),
                                      [&](const auto& s) { return std::abs(s.x - h) < 0.01 * length; });
      if (clear && (beam.hinges.empty() || h > beam.hinges.back() + 0.01 * length)) beam.hinges.push_back(h);
    }
    for (int i = 0, n = static_cast<int>(4 * unit(random)); i < n; ++i)
      beam.forces.push_back({length * unit(random), 5000 * (unit(random) - 0.2)});
    for (int i = 0, n = static_cast<int>(3 * unit(random)); i < n; ++i)
      beam.moments.push_back({length * unit(random), 5000 * length * (unit(random) - 0.5)});
    if (unit(random) < 0.5)
      beam.loads.push_back({0, length * unit(random), 2000 * unit(random), 2000 * unit(random)});
    const ExactResults r = ExactSolver::Solve(beam);
    ASSERT_EQ(r.solved, ExactSolver::IsStable(beam));
    if (!r.solved) continue;
    ++checked;
    hinged += !beam.hinges.empty();
    sprung +=
        std::any_of(beam.supports.begin(), beam.supports.end(), [](const auto& s) { return s.spring > 0; });
    double load = 0, moment = 0, scale = 1;
    for (const auto& f : beam.forces) load += f.f, moment -= f.f * f.x, scale += std::abs(f.f) * length;
    for (const auto& m : beam.moments) moment += m.m, scale += std::abs(m.m);
    for (const auto& q : beam.loads) {
      const double s = q.x2 - q.x1;
      load += (q.f1 + q.f2) / 2 * s;
      moment -= q.f1 * s * (q.x1 + s / 2) + (q.f2 - q.f1) * s / 2 * (q.x1 + 2 * s / 3);
      scale += (q.f1 + q.f2) * s * length;
    }
    for (const auto& s : r.supports) {
      load -= s.reaction, moment += s.reaction * s.x + s.moment;
      scale += std::abs(s.reaction) * length + std::abs(s.moment);
    }
    ASSERT_NEAR(load, 0, 1e-9 * scale / length) << "trial " << trial;
    ASSERT_NEAR(moment, 0, 1e-9 * scale) << "trial " << trial;
    for (double h : beam.hinges) ASSERT_NEAR(r.MomentAt(h), 0, 1e-9 * scale) << "trial " << trial;

    // Slope and deflection (upward) of M / EI integrated from the start.
    std::vector<double> px{r.pieces.front().x0}, slope{0}, rise{0};
    for (const auto& p : r.pieces) {
      const double t = p.x1 - p.x0, EI = (p.x0 + p.x1) / 2 < length / 2 ? EI1 : EI2;
      const double* m = p.m;
      rise.push_back(rise.back() + slope.back() * t +
                     t * t * (m[0] / 2 + t * (m[1] / 6 + t * (m[2] / 12 + t * m[3] / 20))) / EI);
      slope.push_back(slope.back() + t * (m[0] + t * (m[1] / 2 + t * (m[2] / 3 + t * m[3] / 4))) / EI);
      px.push_back(p.x1);
    }
    auto at = [&](const std::vector<double>& v, double xs) {
      return v[static_cast<std::size_t>(std::lower_bound(px.begin(), px.end(), xs) - px.begin())];
    };
    // Unknowns: deflection and rotation at the start, a kink at every hinge.
    const std::size_t n = 2 + beam.hinges.size();
    std::vector<std::vector<double>> rows;
    std::vector<double> rhs;
    double size = 1e-9;
    for (double v : rise) size = std::max(size, std::abs(v));
    for (std::size_t j = 0; j < beam.supports.size(); ++j) {
      const auto& s = beam.supports[j];
      std::vector<double> row(n, 0.0);
      row[0] = 1, row[1] = s.x - px.front();
      for (std::size_t k = 0; k < beam.hinges.size(); ++k) row[2 + k] = std::max(0.0, s.x - beam.hinges[k]);
      // A soft spring's reaction is a small difference of large ones: its
      // compression is checked against the reaction to that precision, and
      // the curve against the compression.
      const double w = s.spring > 0 ? -r.supports[j].deflection : -s.settlement;
      if (s.spring > 0) {
        ASSERT_NEAR(r.supports[j].reaction, s.spring * (r.supports[j].deflection - s.settlement),
                    1e-7 * scale / length)
            << "trial " << trial;
      }
      rows.push_back(row), rhs.push_back(w - at(rise, s.x));
      size = std::max({size, std::abs(w), std::abs(at(rise, s.x))});
      if (s.type != ftVice) continue;
      std::vector<double> turn(n, 0.0);
      turn[1] = 1;
      for (std::size_t k = 0; k < beam.hinges.size(); ++k) turn[2 + k] = s.x > beam.hinges[k] ? 1 : 0;
      const double theta = s.rotationalSpring > 0 ? -r.supports[j].moment / s.rotationalSpring : 0;
      rows.push_back(turn), rhs.push_back(theta - at(slope, s.x));
    }
    ASSERT_GE(rows.size(), n);
    const std::vector<double> c = LeastSquares(rows, rhs);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      double v = 0;
      for (std::size_t j = 0; j < n; ++j) v += rows[i][j] * c[j];
      ASSERT_NEAR(v, rhs[i], 1e-7 * size * (rows[i][0] == 0 ? 1 / length : 1))
          << "trial " << trial << " row " << i;
    }
    // The solver's own deflections are that curve.
    for (double xs : {0.3 * length, 0.77 * length}) {
      double w = c[0] + c[1] * (xs - px.front());
      for (std::size_t k = 0; k < beam.hinges.size(); ++k) w += c[2 + k] * std::max(0.0, xs - beam.hinges[k]);
      const auto p =
          std::find_if(r.pieces.begin(), r.pieces.end(), [&](const auto& q) { return q.x1 >= xs; });
      const double t = xs - p->x0, EI = (p->x0 + p->x1) / 2 < length / 2 ? EI1 : EI2;
      const std::size_t i = static_cast<std::size_t>(p - r.pieces.begin());
      const double* m = p->m;
      w +=
          rise[i] + slope[i] * t + t * t * (m[0] / 2 + t * (m[1] / 6 + t * (m[2] / 12 + t * m[3] / 20))) / EI;
      ASSERT_NEAR(r.DeflectionAt(xs), -w, 1e-7 * (size + std::abs(w))) << "trial " << trial << " at " << xs;
    }
  }
  EXPECT_GT(checked, 100);
  EXPECT_GT(hinged, 30);
  EXPECT_GT(sprung, 30);
}

// The rank of a small dense matrix by elimination with full pivoting.
std::size_t Rank(std::vector<std::vector<double>> a) {
  std::size_t rank = 0;
  const std::size_t cols = a.empty() ? 0 : a.front().size();
  for (std::size_t c = 0; c < cols && rank < a.size(); ++c) {
    std::size_t best = rank, bestCol = c;
    for (std::size_t r = rank; r < a.size(); ++r)
      for (std::size_t k = c; k < cols; ++k)
        if (std::abs(a[r][k]) > std::abs(a[best][bestCol])) best = r, bestCol = k;
    if (std::abs(a[best][bestCol]) < 1e-9) break;
    std::swap(a[rank], a[best]);
    for (auto& row : a) std::swap(row[c], row[bestCol]);
    for (std::size_t r = rank + 1; r < a.size(); ++r) {
      const double f = a[r][c] / a[rank][c];
      for (std::size_t k = c; k < cols; ++k) a[r][k] -= f * a[rank][k];
    }
    ++rank;
  }
  return rank;
}

// The mechanism check against a rank count of the rigid parts' own
// constraints, written out in full: a deflection and a rotation per part,
// a support or a vice a row each, a hinge a row joining its neighbours.
TEST(MechanismTest, AgreesWithTheRankOfTheRigidPartsConstraints) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> place(0, 20), count(0, 4), type(0, 3);
  int stable = 0, unstable = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    ExactBeam beam{10, {}, {}, {}};
    std::vector<int> used;
    auto freePlace = [&] {
      for (;;) {
        const int p = place(random);
        if (std::find(used.begin(), used.end(), p) == used.end()) return used.push_back(p), p;
      }
    };
    for (int i = 0, n = count(random); i < n; ++i)
      beam.supports.push_back({freePlace() * 0.5, static_cast<TSupportType>(type(random))});
    std::sort(beam.supports.begin(), beam.supports.end(),
              [](const auto& a, const auto& b) { return a.x < b.x; });
    for (int i = 0, n = count(random); i < n; ++i) {
      const int p = freePlace();
      if (p > 0 && p < 20) beam.hinges.push_back(p * 0.5);
    }
    std::sort(beam.hinges.begin(), beam.hinges.end());
    std::vector<double> left{0};  // each part's left end
    for (double h : beam.hinges) left.push_back(h);
    const std::size_t parts = left.size();
    std::vector<std::vector<double>> rows;
    auto row = [&](std::size_t part, double x, double w, double theta) {
      std::vector<double> r(2 * parts, 0.0);
      r[2 * part] = w, r[2 * part + 1] = theta * (x - left[part]);
      return r;
    };
    for (const auto& s : beam.supports) {
      if (s.type == ftNone) continue;
      const std::size_t part =
          static_cast<std::size_t>(std::upper_bound(left.begin(), left.end(), s.x) - left.begin()) - 1;
      rows.push_back(row(part, s.x, 1, 1));
      if (s.type == ftVice)
        rows.push_back({}), rows.back().assign(2 * parts, 0.0), rows.back()[2 * part + 1] = 1;
    }
    for (std::size_t k = 1; k < parts; ++k) {
      std::vector<double> r = row(k - 1, left[k], 1, 1);
      r[2 * k] = -1;
      rows.push_back(r);
    }
    const bool byRank = Rank(rows) == 2 * parts;
    ASSERT_EQ(ExactSolver::IsStable(beam), byRank) << "trial " << trial;
    (byRank ? stable : unstable)++;
  }
  EXPECT_GT(stable, 200);
  EXPECT_GT(unstable, 200);
}

// Mechanisms by counting: a rigid part needs two supports, or a vice, or
// one support and a hinge to a held neighbour. Each beam is judged again
// scaled down by 1e2 and up by 1e4, and must be judged alike.
TEST(MechanismTest, HingesNeedSupportOnBothSidesAtEveryScale) {
  const char* Rigid = "Unstable: add a vice or two supports";
  const ExactBeam::Support spring0{0, ftHinge, 1e5}, spring10{10, ftRoll, 1e5};
  struct Case {
    const char* name;
    std::vector<ExactBeam::Support> supports;
    std::vector<double> hinges;
    std::string message;  // empty: stable
  } rows[] = {
      {"one hinge between two simple supports", {{0, ftHinge}, {10, ftRoll}}, {4}, "at 4.00 m"},
      {"two hinges between two simple supports", {{0, ftHinge}, {10, ftRoll}}, {3, 6}, "at 3.00 m"},
      {"gerber: two spans, a hinge in one", {{0, ftHinge}, {5, ftRoll}, {10, ftRoll}}, {6}, ""},
      {"a hinge at the pin between two spans", {{0, ftHinge}, {5, ftHinge}, {10, ftRoll}}, {5}, ""},
      {"cantilever with a hinged end part", {{0, ftVice}}, {5}, "at 5.00 m"},
      {"cantilever propped past a hinge", {{0, ftVice}, {10, ftRoll}}, {5}, ""},
      {"drop-in span between two vices", {{0, ftVice}, {10, ftVice}}, {3, 7}, ""},
      {"three hinges between two vices", {{0, ftVice}, {10, ftVice}}, {2, 5, 8}, "at 2.00 m"},
      {"a hinge on an overhang", {{0, ftHinge}, {8, ftRoll}}, {9}, "at 9.00 m"},
      {"parts that fold about their supports", {{2.5, ftHinge}, {7.5, ftRoll}}, {5}, "at 5.00 m"},
      {"a hinge at a vice holds both sides", {{5, ftVice}}, {5}, ""},
      {"a hinge at the end of the beam", {{0, ftHinge}, {10, ftRoll}}, {10}, ""},
      {"two springs are two supports", {spring0, spring10}, {}, ""},
      {"springs on a hinged beam", {spring0, {5, ftRoll, 1e5}, spring10}, {7}, ""},
      {"one spring alone", {spring0}, {}, Rigid},
      {"one support and a hinge", {{0, ftHinge}}, {5}, Rigid},
      {"no supports", {}, {3}, Rigid},
  };
  for (const Case& row : rows) {
    for (double scale : {1.0, 1e-2, 1e4}) {
      ExactBeam beam{10 * scale, row.supports, {{1 * scale, 1000}}, {}};
      for (auto& s : beam.supports) s.x *= scale;
      for (double h : row.hinges) beam.hinges.push_back(h * scale);
      const std::string message = ExactSolver::Instability(beam);
      const ExactResults r = ExactSolver::Solve(beam);
      EXPECT_EQ(ExactSolver::IsStable(beam), row.message.empty()) << row.name << " scaled " << scale;
      EXPECT_EQ(r.solved, row.message.empty()) << row.name << " scaled " << scale;
      EXPECT_EQ(r.message, message) << row.name;
      if (row.message.empty() || scale != 1) continue;
      if (row.message == Rigid)
        EXPECT_EQ(message, Rigid) << row.name;
      else
        EXPECT_EQ(message, "Unstable: the beam can turn about the hinge " + row.message) << row.name;
    }
  }
  ExactBeam feet{10, {{0, ftHinge}, {10, ftRoll}}, {}, {}};
  feet.hinges = {2.5};
  feet.lengthUnit = "ft";
  EXPECT_EQ(ExactSolver::Instability(feet), "Unstable: the beam can turn about the hinge at 2.50 ft");
}

}  // namespace
}  // namespace trevan
