#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>

#include "RecordingMessages.h"
#include "analysis/ExactSolver.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override { SetApplicationMetric(true); }

  TTrevanDoc& NewBeam(double length) {
    window.NewBeam(length);
    return *window.beam();
  }
  double MaxMoment() { return window.analysis()->ReportedMaxMoment; }
  double ReactionAt(double x) {
    for (const element* e = window.beam()->FirstSupport(); e; e = e->Next.get())
      if (e->X1 == x) return e->Reaction();
    ADD_FAILURE() << "no support at " << x;
    return NAN;
  }
  // The diagram moment at a position, from the columns.
  double MomentAt(double x) {
    return window.MomentColumns()[static_cast<size_t>(x / window.DistanceScale())];
  }

  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

// Moment distribution stops when no joint is out of balance by more than a
// thousandth of the moment scale (0.5 Nm here), which leaves reactions this close.
constexpr double BalanceTolerance = 0.05;

// The column integration lags the exact curve by at most about one column.
constexpr double ColumnTolerance(double shear, double distanceScale) { return shear * distanceScale; }

TEST_F(AnalysisTest, SimplySupportedSpanWithCentralForce) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddCharge(charge(5, 1000, &window));
  EXPECT_NEAR(ReactionAt(0), 500, BalanceTolerance);
  EXPECT_NEAR(ReactionAt(10), 500, BalanceTolerance);
  const element* span = beam.FirstSupport();
  EXPECT_NEAR(span->LeftMoment, 0, 0.5);
  EXPECT_NEAR(span->RightMoment, 0, 0.5);
  EXPECT_NEAR(MaxMoment(), 1000 * 10 / 4.0, ColumnTolerance(1000, 0.04));
  EXPECT_NEAR(MomentAt(5), -2500, ColumnTolerance(1000, 0.04)) << "sagging is negative";
  const std::string digits = std::to_string(std::lround(MaxMoment()));
  EXPECT_EQ(window.MaxMomentText(), "Max. moment : " + std::string(7 - digits.size(), ' ') + digits + " Nm");
}

TEST_F(AnalysisTest, RollerActsAsAHinge) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftRoll);
  beam.AddCharge(charge(5, 1000, &window));
  EXPECT_NEAR(ReactionAt(0), 500, BalanceTolerance);
  EXPECT_NEAR(ReactionAt(10), 500, BalanceTolerance);
  EXPECT_NEAR(MaxMoment(), 2500, ColumnTolerance(1000, 0.04));
}

TEST_F(AnalysisTest, SimplySupportedSpanWithUniformLoad) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 10, 1000, 1000, &window));
  EXPECT_NEAR(ReactionAt(0), 5000, BalanceTolerance);
  EXPECT_NEAR(ReactionAt(10), 5000, BalanceTolerance);
  EXPECT_NEAR(MaxMoment(), 1000 * 100 / 8.0, ColumnTolerance(5000, 0.04));
}

TEST_F(AnalysisTest, ClampedClampedSpanKeepsFixedEndMomentsInOneSweep) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftVice);
  beam.InsertSupport(10, ftVice);
  beam.AddCharge(charge(3, 1000, &window));
  const element* span = beam.FirstSupport();
  const double a = 3, b = 7, L = 10, F = 1000;
  EXPECT_NEAR(span->LeftMoment, F * a * b * b / (L * L), 1e-9);
  EXPECT_NEAR(span->RightMoment, -F * a * a * b / (L * L), 1e-9);
  EXPECT_NEAR(ReactionAt(0), F * b * b * (3 * a + b) / (L * L * L), 1e-9);
  EXPECT_EQ(window.Sweeps(), 1);
  EXPECT_NEAR(MaxMoment(), F * a * b * b / (L * L), 1e-9);
}

TEST_F(AnalysisTest, ProppedCantileverWithUniformLoad) {
  TTrevanDoc& beam = NewBeam(8);
  beam.InsertSupport(0, ftVice);
  beam.InsertSupport(8, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 8, 2000, 2000, &window));
  const double w = 2000, L = 8;
  EXPECT_NEAR(ReactionAt(0), 5 * w * L / 8, 1);
  EXPECT_NEAR(ReactionAt(8), 3 * w * L / 8, 1);
  EXPECT_NEAR(beam.FirstSupport()->LeftMoment, w * L * L / 8, 1);
  EXPECT_NEAR(MaxMoment(), w * L * L / 8, 1);
}

TEST_F(AnalysisTest, CantileverCarriesTheWholeLoadAtItsRoot) {
  TTrevanDoc& beam = NewBeam(4);
  element* root = beam.InsertSupport(0, ftVice);
  beam.AddCharge(charge(3, 1000, &window));
  EXPECT_NEAR(root->LeftMoment, 3000, 1e-9);
  EXPECT_NEAR(root->LeftShear, 1000, 1e-9);
  EXPECT_NEAR(ReactionAt(0), 1000, 1e-9);
  EXPECT_NEAR(MomentAt(1.5), 1500, ColumnTolerance(1000, 0.04));
  EXPECT_NEAR(MomentAt(3.5), 0, ColumnTolerance(1000, 0.04)) << "nothing beyond the force";
  EXPECT_EQ(window.Sweeps(), 1);

  beam.AddDistrCharge(distrcharge(0, 4, 500, 500, &window));
  EXPECT_NEAR(ReactionAt(0), 1000 + 2000, 1e-9);
  EXPECT_NEAR(root->LeftMoment, 3000 + 500 * 16 / 2.0, 1e-9);
}

TEST_F(AnalysisTest, TwoEqualSpansWithUniformLoad) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(5, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 10, 1000, 1000, &window));
  const double w = 1000, L = 5;
  EXPECT_NEAR(ReactionAt(0), 3 * w * L / 8, 1);
  EXPECT_NEAR(ReactionAt(5), 10 * w * L / 8, 1);
  EXPECT_NEAR(ReactionAt(10), 3 * w * L / 8, 1);
  EXPECT_NEAR(MaxMoment(), w * L * L / 8, 1);
  EXPECT_GT(window.Sweeps(), 1);
}

// A loaded beam without supports cannot stand: no curves, no reactions and
// a warning instead of the largest moment.
TEST_F(AnalysisTest, BeamWithoutSupportsShowsNoCurves) {
  TTrevanDoc& beam = NewBeam(10);
  beam.AddCharge(charge(2, 100, &window));
  EXPECT_EQ(window.ShearColumns()[51], 0);
  EXPECT_EQ(window.MomentColumns()[100], 0);
  EXPECT_EQ(window.MaxMomentText(), "Unstable: add a vice or two supports");
  EXPECT_EQ(beam.Sentinel()->LeftMoment, 0);
}

TEST_F(AnalysisTest, AntisymmetricLoadHasNoResultant) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 10, -100, 100, &window));
  EXPECT_NEAR(ReactionAt(0) + ReactionAt(10), 0, 1e-9);
  EXPECT_TRUE(std::isfinite(MaxMoment()));
}

// Objects past the ends (an older file may hold them) carry nothing in
// either analysis: 1000 N at midspan of the 10 m between the hinges gives
// 500 N each, by symmetry, whatever lies beyond.
TEST_F(AnalysisTest, ObjectsPastTheEndsCarryNothing) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(-0.3, ftVice);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddCharge(charge(-0.35, 700, &window));
  beam.AddCharge(charge(10.3, 300, &window));
  beam.AddDistrCharge(distrcharge(9, 10.2, 50, 50, &window));
  beam.AddCharge(charge(5, 1000, &window));
  EXPECT_EQ(ReactionAt(-0.3), 0);
  // The iterative analysis to within its balance tolerance.
  EXPECT_NEAR(ReactionAt(0), 500, 0.01);
  EXPECT_NEAR(ReactionAt(10), 500, 0.01);
  const ExactResults exact = ExactSolver::Solve(ExactBeam::From(beam));
  ASSERT_EQ(exact.supports.size(), 3u);
  EXPECT_EQ(exact.supports[0].reaction, 0);
  EXPECT_NEAR(exact.supports[1].reaction, 500, 1e-9);
  EXPECT_NEAR(exact.supports[2].reaction, 500, 1e-9);
  EXPECT_NEAR(exact.totalLoad, 1000, 1e-9);
  EXPECT_EQ(beam.ObjectsOffBeam().size(), 4u);
}

TEST_F(AnalysisTest, ZeroLengthLoadNeverMakesNaN) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddDistrCharge(distrcharge(0.4, 0.4, 100, 300, &window));
  for (double v : window.MomentColumns()) ASSERT_TRUE(std::isfinite(v));
  EXPECT_TRUE(std::isfinite(MaxMoment()));
}

TEST_F(AnalysisTest, StatusTextIsRightAlignedInTheCLocale) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftVice);
  beam.AddCharge(charge(2.5, 1000, &window));
  EXPECT_EQ(window.MaxMomentText(), "Max. moment :    2500 Nm");
  beam.SetMetric(false);
  window.Recalculate();
  EXPECT_EQ(window.MaxMomentText().substr(window.MaxMomentText().size() - 7), " ft-lbf");
}

TEST_F(AnalysisTest, ResultPanesGrowToFitTheLargestMoment) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftVice);
  beam.AddCharge(charge(10, 100000, &window));  // 1e6 Nm, 2000 pixels at 500 Nm per pixel
  EXPECT_EQ(window.ZeroLine(), 2000);
}

TEST_F(AnalysisTest, AScaleChangeContinuesFromTheStoredEndValues) {
  TTrevanDoc& beam = NewBeam(10);
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(5, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 10, 1000, 1000, &window));
  const double reaction = ReactionAt(5);
  const double maximum = MaxMoment();
  window.SetScales(250, 5, 0.04);  // a much finer moment scale asks for more balancing
  calc& c = *window.analysis();
  c.Reset();
  const int sweeps = c.RunStepByStep();
  EXPECT_GE(sweeps, 1);
  EXPECT_TRUE(c.Done);
  EXPECT_NEAR(ReactionAt(5), reaction, 1);
  EXPECT_NEAR(MaxMoment(), maximum, 1);
}

// The synchronous run skips the columns of unconverged sweeps; from the same
// samples it must give exactly what stepping gives. The fast sampling may
// differ from the cell-by-cell one only in the last digits.
TEST_F(AnalysisTest, FastRunEqualsStepByStepOnRandomBeams) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int trial = 0; trial < 20; ++trial) {
    const double length = 5 + 20 * unit(random);
    std::vector<std::pair<double, TSupportType>> supports;
    for (int i = 0; i < 1 + trial % 6; ++i)
      supports.emplace_back(length * unit(random), static_cast<TSupportType>(random() % 4));
    supports.emplace_back(0, ftVice);  // so that every beam stands
    std::vector<charge> forces;
    for (int i = 0; i < 3; ++i)
      forces.emplace_back(length * unit(random), 5000 * (unit(random) - 0.3), nullptr);
    std::vector<distrcharge> loads;
    for (int i = 0; i < 2; ++i)
      loads.emplace_back(length * unit(random), length * unit(random), 3000 * unit(random),
                         3000 * unit(random), nullptr);

    struct Result {
      std::vector<double> shear, moment, ends, samples, sampleMoments;
      double max;
      int sweeps;
    };
    auto analyse = [&](bool everyCell, bool stepwise) {
      test::RecordingMessages quiet;
      HeadlessWindow w(quiet);
      w.NewBeam(length);
      TTrevanDoc& b = *w.beam();
      for (auto [x, t] : supports) b.InsertSupport(x, t);
      for (const charge& f : forces) b.Charges.push_back(std::make_shared<charge>(f));
      for (const distrcharge& d : loads) b.DistrCharges.push_back(std::make_shared<distrcharge>(d));
      calc& c = *w.analysis();
      c.Reset();
      if (everyCell)
        b.SampleLoadsEveryCell();
      else
        b.SampleLoads();
      b.ComputeSegmentEnds();
      Result r;
      r.sweeps = stepwise ? c.RunStepByStep() : c.RunToConvergence();
      r.max = c.MaxMoment;
      r.shear.assign(w.ShearColumns().begin(), w.ShearColumns().end());
      r.moment.assign(w.MomentColumns().begin(), w.MomentColumns().end());
      r.samples = b.LoadSamples;
      r.sampleMoments = b.LoadMoments;
      for (const element* e = b.Sentinel(); e; e = e->Next.get())
        r.ends.insert(r.ends.end(), {e->LeftMoment, e->RightMoment, e->LeftShear, e->RightShear});
      return r;
    };
    const Result slow = analyse(false, true);
    const Result fast = analyse(false, false);
    ASSERT_EQ(fast.sweeps, slow.sweeps) << "trial " << trial;
    ASSERT_EQ(fast.max, slow.max) << "trial " << trial;
    ASSERT_EQ(fast.ends, slow.ends) << "trial " << trial;
    ASSERT_EQ(fast.shear, slow.shear) << "trial " << trial;
    ASSERT_EQ(fast.moment, slow.moment) << "trial " << trial;

    const Result plain = analyse(true, false);
    ASSERT_EQ(plain.samples.size(), fast.samples.size());
    for (std::size_t k = 0; k < fast.samples.size(); ++k) {
      ASSERT_NEAR(fast.samples[k], plain.samples[k], 1e-9 * std::fabs(plain.samples[k]) + 1e-12)
          << "trial " << trial << " cell " << k;
      ASSERT_NEAR(fast.sampleMoments[k], plain.sampleMoments[k],
                  1e-9 * std::fabs(plain.sampleMoments[k]) + 1e-15)
          << "trial " << trial << " cell " << k;
    }
  }
}

}  // namespace
}  // namespace trevan
