#include <gtest/gtest.h>

#include <cmath>
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
      // End couple on a cantilever: sagging M0 throughout, tip turns M0 L/EI, rises M0 L^2/2EI.
      {"cantilever_end_couple",
       Elastic(With({2, {{0, ftVice}}, {}, {}}, {{2, M0}})),
       {0},
       {-M0},
       {{Probe::MomentRight, 1, M0}, {Probe::Rotation, 2, M0 * 2 / EI}, {Probe::Deflection, 2, -M0 * 4 / (2 * EI)}}},
      {"propped_settlement",
       settled,
       {pull, -pull},
       {pull * Lp, 0},
       {{Probe::SupportDeflection, 1, d}, {Probe::Deflection, Lp, d}, {Probe::MomentRight, 0, -pull * Lp}}},
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
    case Probe::MomentRight: return r.MomentAt(c.at);
    case Probe::Deflection: return r.DeflectionAt(c.at);
    case Probe::Rotation: return r.RotationAt(c.at);
    case Probe::SupportDeflection: return r.supports.at(index).deflection;
    case Probe::HingeLeft: return r.hinges.at(index).rotationLeft;
    case Probe::HingeRight: return r.hinges.at(index).rotationRight;
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
  for (const auto& h : r.hinges) EXPECT_NEAR(r.MomentAt(h.x), 0, 1e-9 * scale) << "hinge at " << h.x;
}

INSTANTIATE_TEST_SUITE_P(Hand, JointsAndSprings, testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

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
