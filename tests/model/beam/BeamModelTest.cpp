#include <gtest/gtest.h>

#include <random>

#include "ChainChecks.h"
#include "RecordingMessages.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

using test::ChainIsConsistent;
using test::SupportPositions;

class BeamModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    window.NewBeam(15);
  }
  void TearDown() override { SetApplicationMetric(true); }

  TTrevanDoc& beam() { return *window.beam(); }

  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

TEST_F(BeamModelTest, NewBeamHasOnlyTheSentinel) {
  const element* s = beam().Sentinel();
  ASSERT_NE(s, nullptr);
  EXPECT_DOUBLE_EQ(s->X1, -0.4);
  EXPECT_DOUBLE_EQ(s->X2, 15.44);
  EXPECT_EQ(s->Next, nullptr);
  EXPECT_EQ(beam().SupportCount(), 0);
  EXPECT_EQ(beam().Version, 11700);
  EXPECT_EQ(beam().SampleCount(), 3750);
  beam().Length = 15.002;
  EXPECT_EQ(beam().SampleCount(), 3750);
}

TEST_F(BeamModelTest, InsertAndRemoveSupportsKeepTheChainInOrder) {
  element* a = beam().InsertSupport(5, ftHinge);
  element* b = beam().InsertSupport(10, ftVice);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(ChainIsConsistent(beam()));
  EXPECT_EQ(SupportPositions(beam()), (std::vector<double>{5, 10}));
  EXPECT_DOUBLE_EQ(beam().Sentinel()->X2, 5);
  EXPECT_EQ(a->LeftType, ftHinge);
  EXPECT_EQ(a->RightType, ftVice);
  EXPECT_DOUBLE_EQ(b->X2, 15.44);

  window.SetDirty(false);
  EXPECT_EQ(beam().InsertSupport(5, ftRoll), nullptr) << "a second support at 5";
  EXPECT_EQ(beam().InsertSupport(-0.5, ftRoll), nullptr) << "left of the chain";
  EXPECT_EQ(beam().InsertSupport(15.5, ftRoll), nullptr) << "right of the chain";
  EXPECT_FALSE(window.Dirty());
  EXPECT_EQ(beam().SupportCount(), 2);

  window.SelectObject(a);
  beam().RemoveSupport(*a);
  EXPECT_EQ(window.SelectedObject(), nullptr);
  EXPECT_TRUE(ChainIsConsistent(beam()));
  EXPECT_DOUBLE_EQ(beam().Sentinel()->X2, 10);
  EXPECT_EQ(beam().Sentinel()->RightType, ftVice);
  EXPECT_TRUE(window.Dirty());
}

TEST_F(BeamModelTest, DistributedLoadOrdersItsEnds) {
  distrcharge d(4, 2, 100, 50, nullptr);
  EXPECT_EQ(d.X1, 2);
  EXPECT_EQ(d.F1, 50);
  EXPECT_EQ(d.X2, 4);
  EXPECT_EQ(d.F2, 100);
  EXPECT_DOUBLE_EQ(d.IntensityAt(3), 75);
  EXPECT_EQ(d.IntensityAt(4.5), 0);
}

TEST_F(BeamModelTest, UnitSwitchConvertsEveryValueAndBack) {
  auto f = beam().AddCharge(charge(5, 1000, &window));
  auto d = beam().AddDistrCharge(distrcharge(1, 3, 200, 400, &window));
  element* s = beam().InsertSupport(10, ftHinge);
  window.SetDirty(false);

  beam().SetMetric(true);
  EXPECT_FALSE(window.Dirty()) << "switching to the current system changes nothing";

  beam().SetMetric(false);
  EXPECT_TRUE(window.Dirty());
  EXPECT_FALSE(ApplicationMetric());
  EXPECT_DOUBLE_EQ(beam().Length, 15 * 3.2808398950131231941);
  // One pound-force is the standard gravity acting on one avoirdupois pound.
  const double lbf = 0.45359237 * 9.80665;
  EXPECT_DOUBLE_EQ(f->f, 1000 / lbf);
  EXPECT_DOUBLE_EQ(f->x, 5 / 0.3048);
  EXPECT_NEAR(d->F2, 400 / (lbf / 0.3048), 1e-12 * d->F2) << "the factor is given to 14 digits";
  EXPECT_DOUBLE_EQ(s->X1, 10 / 0.3048);
  EXPECT_EQ(f->PropertyLabels[0], "Force (lbf):");
  EXPECT_EQ(s->PropertyLabels[0], "Distance: (ft)");
  EXPECT_EQ(beam().LoadSamples.size(), static_cast<size_t>(beam().SampleCount()));
  EXPECT_TRUE(ChainIsConsistent(beam()));

  beam().SetMetric(true);
  EXPECT_NEAR(beam().Length, 15, 1e-12);
  EXPECT_NEAR(f->f, 1000, 1e-9);
  EXPECT_NEAR(f->x, 5, 1e-12);
  EXPECT_NEAR(s->X1, 10, 1e-12);
  EXPECT_EQ(f->PropertyLabels[0], "Force (N):");
}

TEST_F(BeamModelTest, PropertyRowsHintsAndNames) {
  charge f(2.5, 1000, &window);
  EXPECT_EQ(f.RowCount, 2);
  EXPECT_EQ(f.PropertyLabels[0], "Force (N):");
  EXPECT_EQ(f.PropertyValues[0], "1000");
  EXPECT_EQ(f.PropertyLabels[1], "Distance: (m):");
  EXPECT_EQ(f.PropertyValues[1], "2.5");
  EXPECT_EQ(f.Caption, "");
  EXPECT_EQ(f.GetHint(false), "x=  2.50 m   f=  1000 N");
  EXPECT_EQ(f.GetHint(true), "x=2.5000 m   f=  1000 N");
  EXPECT_EQ(f.GetName(), "Load");

  distrcharge d(1, 3, 0.25, 10000, &window);
  EXPECT_EQ(d.RowCount, 4);
  EXPECT_EQ(d.Caption, "Distributed Load");
  EXPECT_EQ(d.PropertyValues[0], "0.25");
  EXPECT_EQ(d.PropertyLabels[0], "Force 1 (N/m):");
  EXPECT_EQ(d.PropertyLabels[2], "Force 2 (N/m):");
  EXPECT_EQ(d.PropertyLabels[3], "Distance 2: (m):");
  EXPECT_EQ(d.GetHint(false), "x1=  1.00 m   x2=  3.00 m");
  EXPECT_EQ(d.GetName(), "Distributed load");

  element* s = beam().InsertSupport(4, ftHinge);
  EXPECT_EQ(s->Caption, "Support");
  EXPECT_EQ(s->PropertyLabels[1], "Type:");
  EXPECT_EQ(s->PropertyValues[1], "Hinge (pinned)");
  EXPECT_EQ(s->GetHint(true), "x=4.0000 m");
}

TEST_F(BeamModelTest, SupportNameShowsTypeAndReaction) {
  element* vice = beam().InsertSupport(0, ftVice);
  beam().AddCharge(charge(10, 1500, &window));
  EXPECT_EQ(vice->GetName(), "Vice\n\rReaction: 1500.0000 N");
}

TEST_F(BeamModelTest, SupportMovesStopShortOfTheirNeighbours) {
  element* a = beam().InsertSupport(5, ftHinge);
  beam().InsertSupport(6, ftHinge);
  beam().MoveObject(*a, 100);  // 4 m to the right, past the support at 6
  EXPECT_DOUBLE_EQ(a->X1, 6 - 0.04) << "one column short of the neighbour";
  EXPECT_TRUE(ChainIsConsistent(beam()));
  beam().MoveObject(*a, -1000);
  EXPECT_DOUBLE_EQ(a->X1, 0) << "the beam's left end";
  EXPECT_EQ(a->PropertyValues[0], "0");
  beam().MoveObject(*beam().FirstSupport()->Next, 1000);
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->Next->X1, beam().Length) << "the beam's right end";
  EXPECT_TRUE(ChainIsConsistent(beam()));

  element* sentinel = beam().Sentinel();
  beam().MoveObject(*sentinel, 10);
  EXPECT_DOUBLE_EQ(sentinel->X1, -0.4) << "the sentinel never moves";
}

TEST_F(BeamModelTest, LoadsMoveByWholeColumns) {
  auto f = beam().AddCharge(charge(2, 100, &window));
  auto d = beam().AddDistrCharge(distrcharge(1, 3, 10, 10, &window));
  beam().MoveObject(*f, 3);
  beam().MoveObject(*d, -5);
  EXPECT_DOUBLE_EQ(f->x, 2.12);
  EXPECT_EQ(f->PropertyValues[1], "2.12");
  EXPECT_DOUBLE_EQ(d->X1, 0.8);
  EXPECT_DOUBLE_EQ(d->X2, 2.8);
  // Moves stop at the ends; a load keeps its length.
  beam().MoveObject(*f, -1000);
  beam().MoveObject(*d, 1000);
  EXPECT_EQ(f->x, 0);
  EXPECT_DOUBLE_EQ(d->X2, beam().Length);
  EXPECT_DOUBLE_EQ(d->X2 - d->X1, 2);
}

TEST_F(BeamModelTest, RemovedLoadsStayAliveWhileNamed) {
  std::weak_ptr<charge> named;
  {
    auto f = beam().AddCharge(charge(2, 100, &window));
    named = f;
    window.SelectObject(f.get());
    beam().RemoveCharge(*f);
    EXPECT_EQ(window.SelectedObject(), nullptr);
    EXPECT_TRUE(beam().Charges.empty());
    EXPECT_FALSE(named.expired());
  }
  EXPECT_TRUE(named.expired()) << "nothing names it any more";
}

TEST_F(BeamModelTest, ClearEmptiesTheBeamWithoutRecomputing) {
  beam().AddCharge(charge(2, 100, &window));
  beam().AddDistrCharge(distrcharge(1, 3, 10, 10, &window));
  beam().InsertSupport(3, ftHinge);
  window.SetDirty(false);
  beam().Clear();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_TRUE(beam().DistrCharges.empty());
  EXPECT_EQ(beam().SupportCount(), 0);
  EXPECT_DOUBLE_EQ(beam().Sentinel()->X2, 15.44);
  EXPECT_EQ(beam().LoadSamples.size(), 3750u);
  EXPECT_FALSE(window.Dirty());
}

TEST_F(BeamModelTest, NewBeamsFollowTheApplicationUnits) {
  SetApplicationMetric(false);
  TTrevanDoc fresh;
  EXPECT_FALSE(fresh.Metric);
}

// Long random sequences of support edits keep every invariant.
TEST_F(BeamModelTest, RandomSupportEditsKeepTheInvariants) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> position(-1, 16);
  std::uniform_int_distribution<int> type(0, 3);
  std::uniform_int_distribution<int> pixels(-60, 60);
  for (int step = 0; step < 3000; ++step) {
    const int supports = beam().SupportCount();
    const int action = std::uniform_int_distribution<int>(0, 2)(random);
    if (action == 0 || supports == 0) {
      beam().InsertSupport(std::round(position(random) * 100) / 100, static_cast<TSupportType>(type(random)));
    } else {
      element* e = beam().FirstSupport();
      for (int k = std::uniform_int_distribution<int>(0, supports - 1)(random); k > 0; --k) e = e->Next.get();
      if (action == 1)
        beam().RemoveSupport(*e);
      else
        beam().MoveObject(*e, pixels(random));
    }
    ASSERT_TRUE(ChainIsConsistent(beam())) << "after step " << step;
  }
}

TEST_F(BeamModelTest, ALongChainIsReleasedWithoutRecursion) {
  auto big = std::make_unique<TTrevanDoc>();
  big->Length = 10000;
  big->Load("");
  element* last = big->Sentinel();
  for (int i = 0; i < 200000; ++i) {
    auto node = std::make_shared<element>(i * 0.04, i * 0.04 + 0.04, ftHinge, ftHinge, nullptr, nullptr);
    node->Prev = last;
    last->Next = node;
    last = node.get();
  }
  EXPECT_EQ(big->SupportCount(), 200000);
  big.reset();  // would overflow the stack if links released each other recursively
}

}  // namespace
}  // namespace trevan
