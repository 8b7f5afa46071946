#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "RecordingMessages.h"
#include "analysis/ExactSolver.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

constexpr double EI = 1e7;  // N m²

ExactBeam Uniform(ExactBeam beam, double ei = EI) {
  beam.stiffness = {{0, beam.length, ei}};
  return beam;
}

// One deflection or rotation worked out by hand or taken from the
// standard tables, in m (downward positive) or rad (counter-clockwise).
struct Known {
  std::string name;
  ExactBeam beam;
  double x;
  double deflection;
  double rotation;
  // The largest deflection of the beam and where it lies (to 1e-9 m).
  double largest, at;
};

void PrintTo(const Known& k, std::ostream* os) { *os << k.name; }

std::vector<Known> KnownCases() {
  const double w = 1000, P = 1000;  // N/m, N
  // Propped cantilever held at 0, propped at L: w x² (3L² - 5Lx + 2x²) / 48EI,
  // largest where 8x² - 15Lx + 6L² = 0, 0.4215 L from the prop.
  const double L = 8, xp = L * (15 - std::sqrt(33.0)) / 16;
  const double propped = w * xp * xp * (3 * L * L - 5 * L * xp + 2 * xp * xp) / (48 * EI);
  // Stepped cantilever, E I 2e7 over [0, 2] and 1e7 over [2, 4], P at the tip:
  // unit load over M / E I gives P (56/3 / EI1 + 8/3 / EI2) and P (6 / EI1 + 2 / EI2).
  ExactBeam stepped{4, {{0, ftVice}}, {{4, P}}, {}};
  stepped.stiffness = {{0, 2, 2e7}, {2, 4, 1e7}};
  const double steppedTip = P * (56.0 / 3 / 2e7 + 8.0 / 3 / 1e7);
  // Two spans 10 + 12 m, E I 30 000 kN m², 20 kN/m on the first, 50 kN 6 m into the
  // second: the three-moment equation gives -175 kN m over the middle support, so at
  // 5 m 5wL⁴/384EI less M L²/16EI.
  ExactBeam twoSpans{22, {{0, ftHinge}, {10, ftHinge}, {22, ftHinge}}, {{16, 50e3}}, {{0, 10, 20e3, 20e3}}};
  twoSpans.stiffness = {{0, 22, 3e7}};
  const double twoSpansAt5 = (5 * 20e3 * 1e4 / 384 - 175e3 * 100 / 16) / 3e7;
  return {
      {"simple_udl", Uniform({10, {{0, ftHinge}, {10, ftRoll}}, {}, {{0, 10, w, w}}}), 0, 0,
       -w * 1000 / (24 * EI), 5 * w * 1e4 / (384 * EI), 5},
      {"cantilever_point", Uniform({4, {{0, ftVice}}, {{4, P}}, {}}), 4, P * 64 / (3 * EI), -P * 16 / (2 * EI),
       P * 64 / (3 * EI), 4},
      {"propped_udl", Uniform({L, {{0, ftVice}, {L, ftHinge}}, {}, {{0, L, w, w}}}), L, 0,
       w * L * L * L / (48 * EI), propped, xp},
      {"fixed_fixed_udl", Uniform({6, {{0, ftVice}, {6, ftVice}}, {}, {{0, 6, w, w}}}), 3, w * 1296 / (384 * EI), 0,
       w * 1296 / (384 * EI), 3},
      // 4 kN/m at the root to 0 at 6 m: w0 a⁴/30EI + w0 a³/24EI (L - a) = 244 800 N m³ / EI.
      {"cantilever_triangle", Uniform({8, {{0, ftVice}}, {}, {{0, 6, 4000, 0}}}), 8, 244800 / EI,
       -4000.0 * 216 / 24 / EI, 244800 / EI, 8},
      {"stepped_cantilever", stepped, 4, steppedTip, -P * (6 / 2e7 + 2 / 1e7), steppedTip, 4},
      {"two_spans", twoSpans, 5, twoSpansAt5, NAN, NAN, NAN},
  };
}

class KnownDeflection : public testing::TestWithParam<Known> {};

TEST_P(KnownDeflection, MatchesHandValues) {
  const Known& k = GetParam();
  const ExactResults r = ExactSolver::Solve(k.beam);
  ASSERT_TRUE(r.solved && r.deflected);
  const double scale = std::abs(k.deflection) + (std::isnan(k.largest) ? 0 : std::abs(k.largest)) + 1e-3;
  EXPECT_NEAR(r.DeflectionAt(k.x), k.deflection, 1e-9 * scale);
  if (!std::isnan(k.rotation)) {
    EXPECT_NEAR(r.RotationAt(k.x), k.rotation, 1e-9 * std::abs(k.rotation) + 1e-15);
  }
  if (!std::isnan(k.largest)) {
    EXPECT_NEAR(r.maxDeflection.value, k.largest, 1e-9 * scale);
    EXPECT_NEAR(r.maxDeflection.x, k.at, 1e-7);
  }
  for (const auto& s : r.supports) EXPECT_NEAR(r.DeflectionAt(s.x), 0, 1e-12 * scale) << "support at " << s.x;
}

INSTANTIATE_TEST_SUITE_P(Textbook, KnownDeflection, testing::ValuesIn(KnownCases()),
                         [](const auto& info) { return info.param.name; });

// The reactions of a beam of one E I do not depend on it: the same with any
// section as with none, for random beams of every kind.
TEST(DeflectionTest, AUniformSectionLeavesTheReactionsAsTheyWere) {
  std::mt19937 random(18);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int trial = 0; trial < 200; ++trial) {
    const double length = 1 + 30 * unit(random);
    ExactBeam beam{length, {}, {}, {}};
    for (double x = length * unit(random) * 0.3; x <= length; x += 0.1 * length + 0.5 * length * unit(random))
      beam.supports.push_back({x, static_cast<TSupportType>(1 + static_cast<int>(3 * unit(random)) % 3)});
    for (int i = 0; i < 4; ++i) beam.forces.push_back({length * unit(random), 3000 * (unit(random) - 0.3)});
    beam.loads.push_back({0, length * unit(random), 1000 * unit(random), 2000 * unit(random)});
    const ExactResults plain = ExactSolver::Solve(beam), sectioned = ExactSolver::Solve(Uniform(beam, 4.2e6));
    ASSERT_EQ(plain.solved, sectioned.solved);
    if (!plain.solved) continue;
    EXPECT_FALSE(plain.deflected);
    const double scale = 3000 * 4 + 2000 * length;
    for (std::size_t i = 0; i < plain.supports.size(); ++i) {
      EXPECT_NEAR(plain.supports[i].reaction, sectioned.supports[i].reaction, 1e-12 * scale) << trial;
      EXPECT_NEAR(plain.supports[i].moment, sectioned.supports[i].moment, 1e-12 * scale * length) << trial;
    }
  }
}

// Composite Simpson over [a, b] with breaks at the given points, exact for
// the piecewise polynomials of degree three or less integrated here.
double Integral(const std::function<double(double)>& f, std::vector<double> breaks) {
  double sum = 0;
  for (std::size_t k = 0; k + 1 < breaks.size(); ++k) {
    const double a = breaks[k], b = breaks[k + 1];
    constexpr int n = 64;
    const double h = (b - a) / n;
    double s = f(a + 1e-12 * h) + f(b - 1e-12 * h);
    for (int i = 1; i < n; ++i) s += (i % 2 ? 4 : 2) * f(a + i * h);
    sum += s * h / 3;
  }
  return sum;
}

// Three spans 6 + 8 + 6 m under 10 kN/m, the middle one three times as
// stiff, solved by the force method: the inner reactions are the redundants
// of the beam resting on its ends alone; unit-load moments over E I,
// integrated numerically, give the flexibilities and then the deflection.
TEST(DeflectionTest, AStifferMiddleSpanAgreesWithVirtualWork) {
  const double w = 10e3, L = 20, EIo = 2e7, EIm = 6e7;
  ExactBeam beam{L, {{0, ftHinge}, {6, ftRoll}, {14, ftRoll}, {20, ftHinge}}, {}, {{0, L, w, w}}};
  beam.stiffness = {{0, 6, EIo}, {6, 14, EIm}, {14, 20, EIo}};
  auto ei = [&](double x) { return x > 6 && x < 14 ? EIm : EIo; };
  // Moment of a unit upward force at a on the beam held at 0 and L alone.
  auto unit = [&](double a) { return [=](double x) { return -(x < a ? x * (L - a) : a * (L - x)) / L; }; };
  auto m0 = [&](double x) { return w * x * (L - x) / 2; };
  const std::vector<double> breaks{0, 6, 10, 14, 20};
  const auto m1 = unit(6), m2 = unit(14);
  auto work = [&](auto f, auto g) { return Integral([&](double x) { return f(x) * g(x) / ei(x); }, breaks); };
  const double f11 = work(m1, m1), f12 = work(m1, m2), f22 = work(m2, m2);
  const double d1 = work(m0, m1), d2 = work(m0, m2);  // upward displacements of the free beam
  const double det = f11 * f22 - f12 * f12;
  const double r1 = -(d1 * f22 - d2 * f12) / det, r2 = -(f11 * d2 - f12 * d1) / det;
  EXPECT_NEAR(r1, r2, 1e-9 * w * L);  // symmetry

  const ExactResults r = ExactSolver::Solve(beam);
  ASSERT_TRUE(r.deflected);
  EXPECT_NEAR(r.supports[1].reaction, r1, 1e-9 * w * L);
  EXPECT_NEAR(r.supports[2].reaction, r2, 1e-9 * w * L);
  // Deflection at midspan: the true moment against a unit downward load at 10.
  auto moment = [&](double x) { return m0(x) + r1 * m1(x) + r2 * m2(x); };
  const double mid = work(moment, [&](double x) { return -unit(10)(x); });
  EXPECT_NEAR(r.DeflectionAt(10), mid, 1e-9 * std::abs(mid));
  EXPECT_NEAR(r.maxDeflection.value, r.spans[0].down.value, 1e-12 * mid);  // the outer spans sag most
  EXPECT_NEAR(r.spans[0].down.value, r.spans[2].down.value, 1e-12 * r.spans[0].down.value);
  EXPECT_NEAR(r.spans[0].down.x + r.spans[2].down.x, L, 1e-9);
}

// Overhangs are spans of their own; the one at the left end is reached by
// integrating leftward from the first support.
TEST(DeflectionTest, OverhangsCarryTheirOwnExtremes) {
  // Supports at 2 and 8 of a 10 m beam, 1 kN at each end: by symmetry the tips
  // go down P a² (a/3 + l/2) / EI and the middle up P a l² / 8EI.
  const double P = 1000, a = 2, l = 6;
  const ExactResults r =
      ExactSolver::Solve(Uniform({10, {{2, ftHinge}, {8, ftRoll}}, {{0, P}, {10, P}}, {}}));
  ASSERT_EQ(r.spans.size(), 3u);
  EXPECT_TRUE(r.spans[0].overhang && !r.spans[1].overhang && r.spans[2].overhang);
  const double tip = P * a * a * (a / 3 + l / 2) / EI, middle = P * a * l * l / (8 * EI);
  EXPECT_NEAR(r.spans[0].down.value, tip, 1e-12);
  EXPECT_NEAR(r.spans[0].down.x, 0, 1e-12);
  EXPECT_NEAR(r.spans[2].down.value, tip, 1e-12);
  EXPECT_NEAR(r.spans[2].down.x, 10, 1e-12);
  EXPECT_NEAR(r.spans[1].up.value, -middle, 1e-12);
  EXPECT_NEAR(r.spans[1].up.x, 5, 1e-7);
  EXPECT_NEAR(r.supports[0].rotation, P * a * l / (2 * EI), 1e-15);
}

// A change of section just beside a support is no ill-conditioned element.
TEST(DeflectionTest, AStepNextToASupportKeepsTheAnswer) {
  const double w = 1000;
  ExactBeam beam = Uniform({10, {{0, ftHinge}, {10, ftRoll}}, {}, {{0, 10, w, w}}});
  for (const double gap : {1e-12, 1e-9, 1e-6, 2e-6, 1e-5, 1e-3}) {
    beam.stiffness = {{0, 10 - gap, EI}, {10 - gap, 10, EI * 1e-3}};
    const ExactResults r = ExactSolver::Solve(beam);
    EXPECT_NEAR(r.maxDeflection.value, 5 * w * 1e4 / (384 * EI), 1e-6 * r.maxDeflection.value) << gap;
    EXPECT_NEAR(r.supports[1].reaction, 5 * w, 1e-9 * w) << gap;
    EXPECT_NEAR(r.supports[0].reaction, 5 * w, 1e-9 * w) << gap;
  }
}

// The iterative columns assume one E I; with a step they are the exact
// solution at each column, in the columns' own sign.
TEST(DeflectionTest, ASteppedBeamsColumnsAreTheExactSolution) {
  SetApplicationMetric(true);
  test::RecordingMessages messages;
  HeadlessWindow window(messages);
  window.NewBeam(10);
  TTrevanDoc& beam = *window.beam();
  for (const double x : {0.0, 5.0, 10.0}) beam.InsertSupport(x, ftHinge);
  beam.AddCharge(charge(2.5, 1000, &window));
  window.Recalculate();
  const double ratio = window.ShearColumns()[0] / ExactSolver::Solve(ExactBeam::From(beam)).supports[0].reaction;
  EXPECT_NEAR(std::abs(ratio), 1, 1e-3);
  const double uniformSign = std::copysign(1.0, ratio);
  beam.Section = {{{0, 5, 2e11, 1e-5}, {5, 10, 2e11, 4e-5}}};
  window.Recalculate();
  const ExactResults exact = ExactSolver::Solve(ExactBeam::From(beam));
  const double ds = window.DistanceScale();
  for (const std::size_t i : {std::size_t{0}, std::size_t{40}, std::size_t{180}}) {
    EXPECT_DOUBLE_EQ(window.ShearColumns()[i] * uniformSign, exact.ShearAt(static_cast<double>(i) * ds)) << i;
    EXPECT_DOUBLE_EQ(window.MomentColumns()[i] * uniformSign, exact.MomentAt(static_cast<double>(i) * ds)) << i;
  }
}

}  // namespace
}  // namespace trevan
