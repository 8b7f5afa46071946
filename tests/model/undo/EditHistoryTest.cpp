#include <gtest/gtest.h>

#include <functional>

#include "BeamSnapshot.h"
#include "ChainChecks.h"
#include "EditFixture.h"

namespace trevan {
namespace {

using test::BeamSnapshot;
using test::ChainIsConsistent;
using EditHistoryTest = test::EditFixture;

TEST_F(EditHistoryTest, AnUndoneInspectorEditLeavesNoTextBehind) {
  charge* f = recorder().RecordAddCharge(charge(2, 5000, &window));
  f->PropertyValues[0] = "7500";
  ASSERT_TRUE(f->ApplyProperties());
  Undo();
  EXPECT_EQ(f->f, 5000);
  EXPECT_EQ(f->PropertyValues[0], "5000");
  f->PropertyValues[1] = "3";  // only the distance
  ASSERT_TRUE(f->ApplyProperties());
  EXPECT_EQ(f->x, 3);
  EXPECT_EQ(f->f, 5000) << "the undone force came back with an unrelated edit";

  element* s = recorder().RecordAddSupport(5, ftHinge);
  s->PropertyValues[1] = "ftVice";
  ASSERT_TRUE(s->ApplyProperties());
  Undo();
  EXPECT_EQ(s->LeftType, ftHinge);
  EXPECT_EQ(s->PropertyValues[1], "Hinge (pinned)");
  s->PropertyValues[0] = "6";
  ASSERT_TRUE(s->ApplyProperties());
  EXPECT_EQ(s->X1, 6);
  EXPECT_EQ(s->LeftType, ftHinge) << "the undone type came back with an unrelated edit";
}

// Add, Delete, Undo, Undo must give the empty beam, and Redo, Redo the
// add and the delete again: the object put back by the first Undo is the
// one the second Undo takes away.
TEST_F(EditHistoryTest, AddDeleteUndoUndoLeavesNoObjectAndRedoesWithoutDuplicates) {
  struct Kind {
    const char* name;
    std::function<object*()> add;
    std::function<std::size_t()> count;
  };
  const Kind kinds[] = {
      {"point force", [this] { return recorder().RecordAddCharge(charge(2, 1000, &window)); },
       [this] { return beam().Charges.size(); }},
      {"distributed load",
       [this] { return recorder().RecordAddDistrCharge(distrcharge(1, 3, 10, 20, &window)); },
       [this] { return beam().DistrCharges.size(); }},
      {"support", [this] { return recorder().RecordAddSupport(4, ftVice); },
       [this] { return static_cast<std::size_t>(beam().SupportCount()); }},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    window.NewBeam(15);
    object* added = kind.add();
    ASSERT_NE(added, nullptr);
    window.SelectObject(added);
    recorder().RecordDeleteSelected();
    Undo();
    EXPECT_EQ(kind.count(), 1u);
    Undo();
    EXPECT_EQ(kind.count(), 0u);
    EXPECT_FALSE(buffer().GetCanUndo());
    Redo();
    EXPECT_EQ(kind.count(), 1u);
    Redo();
    EXPECT_EQ(kind.count(), 0u);
    EXPECT_FALSE(buffer().GetCanRedo());
    Undo();
    EXPECT_EQ(kind.count(), 1u);
    Undo();
    EXPECT_EQ(kind.count(), 0u);
    EXPECT_TRUE(ChainIsConsistent(beam()));
  }
}

TEST_F(EditHistoryTest, AnEditWhoseObjectLeftTheBeamChangesNothingEitherWay) {
  charge* f = recorder().RecordAddCharge(charge(2, 1000, &window));
  recorder().RecordMove(*f, 5 * window.DistanceScale());
  Undo();  // the move waits on the redo stack
  window.SelectObject(f);
  recorder().RecordDeleteSelected();  // a new edit takes the force away
  const BeamSnapshot without(beam());
  Redo();  // the move finds no force
  EXPECT_EQ(BeamSnapshot(beam()), without);
  EXPECT_EQ(UndoCaption(), "&Undo move");
  Undo();  // and its reverse does nothing either
  EXPECT_EQ(BeamSnapshot(beam()), without);
  Undo();  // the delete
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(beam().Charges[0]->x, 2);
  Undo();  // the add
  EXPECT_TRUE(beam().Charges.empty());
}

TEST_F(EditHistoryTest, UndoOfAMovePutsTheObjectBackExactly) {
  element* s = recorder().RecordAddSupport(4, ftHinge);
  recorder().RecordAddSupport(4.8, ftHinge);
  recorder().RecordMove(*s, 2.0);  // fifty columns, far past the neighbour
  EXPECT_DOUBLE_EQ(s->X1, 4.8 - 0.04);
  Undo();
  EXPECT_EQ(s->X1, 4) << "not back by the pointer's distance";
  EXPECT_EQ(s->Prev->X2, 4);
  Redo();
  EXPECT_DOUBLE_EQ(s->X1, 4.8 - 0.04);
  EXPECT_TRUE(ChainIsConsistent(beam()));

  // Column steps of 0.04 m there and back do not add up to nothing in
  // binary; the undo does not rely on it.
  charge* f = recorder().RecordAddCharge(charge(0.1, 1000, &window));
  for (int i = 0; i < 7; ++i) recorder().RecordMove(*f, 3 * window.DistanceScale());
  EXPECT_NEAR(f->x, 0.1 + 7 * 0.12, 1e-12);
  for (int i = 0; i < 7; ++i) Undo();
  EXPECT_EQ(f->x, 0.1);
}

TEST_F(EditHistoryTest, ADeletedLoadComesBackInItsPlaceInTheList) {
  for (double x : {1.0, 2.0, 3.0}) {
    recorder().RecordAddCharge(charge(x, 100, &window));
    recorder().RecordAddDistrCharge(distrcharge(x, x + 1, 10, 20, &window));
  }
  const BeamSnapshot before(beam());
  window.SelectObject(beam().Charges[1].get());
  recorder().RecordDeleteSelected();
  window.SelectObject(beam().DistrCharges[0].get());
  recorder().RecordDeleteSelected();
  Undo();
  Undo();
  EXPECT_EQ(BeamSnapshot(beam()), before);
}

TEST_F(EditHistoryTest, ClearAllLeavesTheCommandsWithNothingToUndo) {
  recorder().RecordAddCharge(charge(2, 1000, &window));
  recorder().RecordAddCharge(charge(3, 1000, &window));
  Undo();
  messages.answer = MessageAnswer::Yes;
  recorder().ClearAll();
  EXPECT_EQ(UndoCaption(), "Can't &undo");
  EXPECT_FALSE(UndoEnabled());
  EXPECT_EQ(RedoCaption(), "Can't &redo");
  EXPECT_FALSE(RedoEnabled());
}

}  // namespace
}  // namespace trevan
