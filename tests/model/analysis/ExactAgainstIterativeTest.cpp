#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/ExactSolver.h"
#include "headless/HeadlessWindow.h"
#include "RecordingMessages.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

// Two independent methods on the same beams: the iterative moment
// distribution of the document window and the exact stiffness solution.
// The beams are placed the way the mouse places them, on 0.04 m columns.
TEST(ExactAgainstIterativeTest, ReactionsAgreeOnSeededRandomBeams) {
  SetApplicationMetric(true);
  std::mt19937 random(4711);
  std::uniform_int_distribution<int> column(0, 1000);
  std::uniform_real_distribution<double> unit(0, 1);
  constexpr double step = 0.04;
  for (int trial = 0; trial < 40; ++trial) {
    test::RecordingMessages messages;
    HeadlessWindow window(messages);
    const int columns = 100 + column(random) / 2;
    window.NewBeam(columns * step);
    TTrevanDoc& beam = *window.beam();
    const int supports = 2 + column(random) % 4;
    std::vector<int> at;
    for (int i = 0; i < supports; ++i) at.push_back(i * columns / (supports - 1));
    for (int i = 1; i + 1 < supports; ++i) at[i] += column(random) % 11 - 5;
    for (int i = 0; i < supports; ++i) {
      const TSupportType type = i == 0 && trial % 3 == 0 ? ftVice : (i % 2 ? ftRoll : ftHinge);
      ASSERT_TRUE(beam.InsertSupport(at[i] * step, type));
    }
    for (int i = 0, n = 1 + column(random) % 4; i < n; ++i) {
      // Inside a span, clear of its first columns.
      const int span = column(random) % (supports - 1);
      const int c = at[span] + 3 + column(random) % (at[span + 1] - at[span] - 5);
      beam.AddCharge(charge(c * step, 500 + 4500 * unit(random), &window));
    }
    beam.AddDistrCharge(distrcharge(0, beam.Length, 1000 * unit(random), 1000 * unit(random), &window));

    const ExactResults exact = ExactSolver::Solve(ExactBeam::From(beam));
    ASSERT_TRUE(exact.solved);
    std::size_t k = 0;
    for (const element* e = beam.FirstSupport(); e; e = e->Next.get(), ++k)
      EXPECT_NEAR(e->Reaction(), exact.supports[k].reaction,
                  0.005 * std::abs(exact.supports[k].reaction) + 0.5)
          << "trial " << trial << ", support at " << e->X1;
  }
}

// The placements that used to go wrong: forces on supports, in a span's
// first column and on the beam's ends, partial loads that start and end
// inside spans, overhangs. Reactions and the largest moment agree.
TEST(ExactAgainstIterativeTest, AnyPlacementOnColumnsAgrees) {
  SetApplicationMetric(true);
  std::mt19937 random(2026);
  std::uniform_int_distribution<int> pick(0, 1 << 20);
  std::uniform_real_distribution<double> unit(0, 1);
  constexpr double step = 0.04;
  for (int trial = 0; trial < 60; ++trial) {
    test::RecordingMessages messages;
    HeadlessWindow window(messages);
    const int columns = 60 + pick(random) % 400;
    window.NewBeam(columns * step);
    TTrevanDoc& beam = *window.beam();
    const int supports = 2 + pick(random) % 4;
    std::vector<int> at;
    for (int i = 0; i < supports; ++i) {
      int c = pick(random) % (columns + 1);
      while (std::find(at.begin(), at.end(), c) != at.end()) c = pick(random) % (columns + 1);
      at.push_back(c);
    }
    for (int i = 0; i < supports; ++i) {
      const TSupportType type = i == 0 && trial % 4 == 0 ? ftVice : (i % 2 ? ftRoll : ftHinge);
      ASSERT_TRUE(beam.InsertSupport(at[i] * step, type));
    }
    for (int i = 0, n = 1 + pick(random) % 5; i < n; ++i) {
      // Half of the forces sit right on a support.
      const int c = i % 2 ? at[pick(random) % supports] : pick(random) % (columns + 1);
      beam.AddCharge(charge(c * step, 200 + 4800 * unit(random), &window));
    }
    for (int i = 0, n = pick(random) % 3; i < n; ++i) {
      const int a = pick(random) % columns;
      const int b = a + 1 + pick(random) % (columns - a);
      beam.AddDistrCharge(distrcharge(a * step, b * step, 2000 * unit(random), 2000 * unit(random), &window));
    }

    const ExactResults exact = ExactSolver::Solve(ExactBeam::From(beam));
    if (!exact.solved) continue;  // one vice is needed at least, or two others
    std::size_t k = 0;
    for (const element* e = beam.FirstSupport(); e; e = e->Next.get(), ++k)
      EXPECT_NEAR(e->Reaction(), exact.supports[k].reaction, 0.005 * std::abs(exact.supports[k].reaction) + 0.5)
          << "trial " << trial << ", support at " << e->X1;
    const double largest = std::max(exact.maxSagging.value, -exact.maxHogging.value);
    EXPECT_NEAR(window.analysis()->ReportedMaxMoment, largest, 0.01 * largest + 1) << "trial " << trial;
  }
}

}  // namespace
}  // namespace trevan
