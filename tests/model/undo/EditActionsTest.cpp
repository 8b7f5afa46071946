#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "ChainChecks.h"
#include "EditFixture.h"

namespace trevan {
namespace {

using test::ChainIsConsistent;
using test::SupportPositions;
using EditActionsTest = test::EditFixture;

TEST_F(EditActionsTest, UndoneAndRedoneAddGivesANewEqualObject) {
  charge* first = recorder().RecordAddCharge(charge(2, 1000, &window));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(window.SelectedObject(), first);
  EXPECT_TRUE(window.Dirty());
  const std::shared_ptr<charge> keep = beam().Charges[0];  // so its address is not reused
  Undo();
  Redo();
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_NE(beam().Charges[0], keep);
  EXPECT_EQ(beam().Charges[0]->x, 2);
  EXPECT_EQ(beam().Charges[0]->f, 1000);
}

TEST_F(EditActionsTest, DeletedLoadComesBackEqualButUnselected) {
  distrcharge* load = recorder().RecordAddDistrCharge(distrcharge(1, 4, 100, 300, &window));
  ASSERT_EQ(window.SelectedObject(), load);
  // The beam lets a deleted load go; the test keeps it to compare with.
  const std::shared_ptr<distrcharge> keep = beam().DistrCharges[0];
  recorder().RecordDeleteSelected();
  EXPECT_TRUE(beam().DistrCharges.empty());
  EXPECT_EQ(UndoCaption(), "&Undo delete");
  Undo();
  ASSERT_EQ(beam().DistrCharges.size(), 1u);
  const distrcharge& back = *beam().DistrCharges[0];
  EXPECT_NE(&back, load);
  EXPECT_EQ(back.X1, 1);
  EXPECT_EQ(back.X2, 4);
  EXPECT_EQ(back.F2, 300);
  EXPECT_EQ(back.PropertyValues, load->PropertyValues);
  EXPECT_EQ(window.SelectedObject(), nullptr);
  EXPECT_EQ(UndoCaption(), "&Undo force");
}

TEST_F(EditActionsTest, MoveGoesByWholeColumnsAndBack) {
  charge* f = recorder().RecordAddCharge(charge(2, 1000, &window));
  recorder().RecordMove(*f, 3 * window.DistanceScale());
  EXPECT_DOUBLE_EQ(f->x, 2.12);
  EXPECT_EQ(UndoCaption(), "&Undo move");
  Undo();
  EXPECT_DOUBLE_EQ(f->x, 2);
  EXPECT_EQ(RedoCaption(), "&Redo move");
}

TEST_F(EditActionsTest, UndoingAMoveOfADeletedForceMovesItsRestoredCopy) {
  charge* f = recorder().RecordAddCharge(charge(2, 1000, &window));
  recorder().RecordMove(*f, 10 * window.DistanceScale());
  window.SelectObject(f);
  recorder().RecordDeleteSelected();
  Undo();  // the delete: a copy comes back at 2.4
  window.SetDirty(false);
  Undo();  // the move: the copy took over the deleted force's identity
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(beam().Charges[0]->x, 2.0) << "the copy goes back to where the force was before the move";
  EXPECT_TRUE(window.Dirty());
}

TEST_F(EditActionsTest, SupportTypeEditIsUndoneWithItsGlyphAndNeighbours) {
  element* left = recorder().RecordAddSupport(0, ftHinge);
  element* middle = recorder().RecordAddSupport(5, ftHinge);
  element* right = recorder().RecordAddSupport(10, ftHinge);
  ASSERT_TRUE(left && middle && right);
  EXPECT_EQ(UndoCaption(), "&Undo support");
  middle->PropertyValues[1] = "ftVice";
  ASSERT_TRUE(middle->ApplyProperties());
  EXPECT_EQ(middle->LeftType, ftVice);
  EXPECT_EQ(left->RightType, ftVice);
  EXPECT_EQ(middle->PropertyValues[1], "Vice (fixed)");
  EXPECT_EQ(UndoCaption(), "&Undo properties");
  Undo();
  EXPECT_EQ(middle->LeftType, ftHinge);
  EXPECT_EQ(left->RightType, ftHinge);
  EXPECT_EQ(middle->Prev, left);
  EXPECT_EQ(middle->Next.get(), right);
  EXPECT_TRUE(ChainIsConsistent(beam()));
}

TEST_F(EditActionsTest, PropertyEditsAreCheckedBeforeTheyAreRecorded) {
  recorder().RecordAddSupport(2, ftHinge);
  element* s = recorder().RecordAddSupport(5, ftHinge);
  recorder().RecordAddSupport(8, ftHinge);
  distrcharge* d = recorder().RecordAddDistrCharge(distrcharge(1, 3, 10, 20, &window));
  charge* f = recorder().RecordAddCharge(charge(4, 10, &window));
  const std::size_t depth = buffer().UndoDepth();

  d->PropertyValues[3] = d->PropertyValues[1];
  EXPECT_THROW(d->ApplyProperties(), std::invalid_argument) << "Distance 2 equal to Distance 1";
  d->UpdateProperties();
  s->PropertyValues[0] = "8";
  EXPECT_THROW(s->ApplyProperties(), std::invalid_argument) << "onto the next support";
  s->PropertyValues[0] = "1.5";
  EXPECT_THROW(s->ApplyProperties(), std::invalid_argument) << "past the previous support";
  f->PropertyValues[0] = "12kN";
  EXPECT_THROW(f->ApplyProperties(), std::invalid_argument);
  EXPECT_EQ(buffer().UndoDepth(), depth);
  EXPECT_EQ(s->X1, 5);

  s->PropertyValues[0] = "6.5";
  s->PropertyValues[1] = "ftRoller";  // no such type: the type stays
  ASSERT_TRUE(s->ApplyProperties());
  EXPECT_EQ(s->X1, 6.5);
  EXPECT_EQ(s->LeftType, ftHinge);
  EXPECT_EQ(s->Prev->X2, 6.5);
  EXPECT_TRUE(ChainIsConsistent(beam()));
}

TEST_F(EditActionsTest, PropertyActionOnARemovedSupportActsOnItsRestoredCopy) {
  element* s = recorder().RecordAddSupport(5, ftHinge);
  s->PropertyValues[0] = "6";
  ASSERT_TRUE(s->ApplyProperties());
  window.SelectObject(s);
  recorder().RecordDeleteSelected();  // destroys the node
  Undo();                             // a new node at 6, with the old one's identity
  Undo();                             // the property edit of the node finds the new one
  EXPECT_EQ(SupportPositions(beam()), std::vector<double>{5});
  EXPECT_TRUE(ChainIsConsistent(beam()));
  Redo();
  Redo();
  EXPECT_TRUE(SupportPositions(beam()).empty());
  EXPECT_TRUE(ChainIsConsistent(beam()));
}

TEST_F(EditActionsTest, RefusedSupportInsertionAndItsUndoChangeNothing) {
  recorder().RecordAddSupport(5, ftHinge);
  EXPECT_EQ(recorder().RecordAddSupport(5, ftVice), nullptr);
  EXPECT_EQ(window.SelectedObject(), nullptr);
  Undo();
  EXPECT_EQ(SupportPositions(beam()), std::vector<double>{5});
  EXPECT_EQ(beam().FirstSupport()->LeftType, ftHinge);
  Undo();
  EXPECT_TRUE(SupportPositions(beam()).empty());
}

TEST_F(EditActionsTest, ASectionIsSetUndoneAndRedone) {
  const BeamSection steel = BeamSection::Uniform(2.1e11, 8.356e-5, 15);
  recorder().RecordSection(steel);
  EXPECT_EQ(beam().Section, steel);
  EXPECT_EQ(UndoCaption(), "&Undo section");
  EXPECT_TRUE(window.Dirty());
  Undo();
  EXPECT_TRUE(beam().Section.Empty());
  Redo();
  EXPECT_EQ(beam().Section, steel);
}

TEST_F(EditActionsTest, LoadCasesAreSetUndoneAndRedone) {
  LoadCases cases;
  cases.cases = {{"Dead", LoadKind::Permanent}, {"Snow", LoadKind::Snow}};
  cases.user = {{"Mine", {1.2}}};
  recorder().RecordCases(cases);
  EXPECT_EQ(beam().Cases.user[0].factors, (std::vector<double>{1.2, 0})) << "a factor a case";
  EXPECT_EQ(UndoCaption(), "&Undo load cases");
  EXPECT_TRUE(window.Dirty());
  Undo();
  EXPECT_TRUE(beam().Cases.IsDefault());
  Redo();
  EXPECT_EQ(beam().Cases.cases, cases.cases);
}

// A "Load case" row comes with the cases: chosen from the beam's cases,
// undone as one edit, gone again when the cases are.
TEST_F(EditActionsTest, TheLoadCaseRowComesWithTheCasesAndIsOneEdit) {
  charge* f = recorder().RecordAddCharge(charge(3, 1000, &window));
  distrcharge* d = recorder().RecordAddDistrCharge(distrcharge(1, 4, 100, 200, &window));
  EXPECT_EQ(f->RowCount, 2);
  EXPECT_EQ(d->RowCount, 4);
  LoadCases cases;
  cases.cases = {{"Dead", LoadKind::Permanent}, {"Snow", LoadKind::Snow}};
  recorder().RecordCases(cases);
  const std::vector<std::string> labels{"1: Dead", "2: Snow"};
  for (object* o : {static_cast<object*>(f), static_cast<object*>(d)}) {
    const int row = o->RowCount - 1;
    ASSERT_EQ(o->PropertyLabels[row], object::CaseRowLabel) << o->GetName();
    EXPECT_EQ(o->PropertyValues[row], "1: Dead");
    EXPECT_EQ(o->Choices(row), labels);
    EXPECT_TRUE(o->Choices(0).empty()) << "a typed row";
    o->PropertyValues[row] = "2: Snow";
    ASSERT_TRUE(o->ApplyProperties());
    o->PropertyValues[row] = "3: Wind";
    EXPECT_THROW(o->ApplyProperties(), std::invalid_argument);
    o->UpdateProperties();
  }
  EXPECT_EQ(f->Case, 1u);
  EXPECT_EQ(d->Case, 1u);
  EXPECT_EQ(f->f, 1000) << "the other rows stay";
  Undo();
  EXPECT_EQ(d->Case, 0u);
  EXPECT_EQ(f->Case, 1u) << "one edit an undo step";
  Undo();
  Undo();
  EXPECT_EQ(f->Case, 0u);
  EXPECT_EQ(f->RowCount, 2) << "no case row without cases";
}

TEST_F(EditActionsTest, TheSentinelIsNeverDeleted) {
  window.SelectObject(beam().Sentinel());
  recorder().RecordDeleteSelected();
  EXPECT_EQ(buffer().UndoDepth(), 0u);
  window.SelectObject(nullptr);
  recorder().RecordDeleteSelected();
  EXPECT_EQ(buffer().UndoDepth(), 0u);
  EXPECT_NE(beam().Sentinel(), nullptr);
}

TEST_F(EditActionsTest, ClearAllAsksAndCannotBeUndone) {
  recorder().RecordAddCharge(charge(2, 1000, &window));
  recorder().RecordAddSupport(3, ftVice);
  window.SetDirty(false);

  messages.answer = MessageAnswer::No;
  recorder().ClearAll();
  ASSERT_EQ(messages.questions.size(), 1u);
  EXPECT_EQ(messages.questions[0].caption, "Clear all");
  EXPECT_EQ(messages.questions[0].text,
            "This will clear all objects. \nThis operation can not be undone. \n\nAre you sure?");
  EXPECT_EQ(messages.questions[0].icon, MessageIcon::Warning);
  EXPECT_EQ(beam().Charges.size(), 1u);
  EXPECT_TRUE(buffer().GetCanUndo());

  messages.answer = MessageAnswer::Yes;
  recorder().ClearAll();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_EQ(beam().SupportCount(), 0);
  EXPECT_FALSE(buffer().GetCanUndo());
  EXPECT_FALSE(buffer().GetCanRedo());
  EXPECT_FALSE(window.Dirty());
}

// Thousands of random edits, undos and redos keep the chain sound; under
// the sanitizer build this also proves no action touches freed memory.
TEST_F(EditActionsTest, RandomEditUndoRedoSequencesKeepTheModelSound) {
  std::mt19937 random(1208);
  std::uniform_real_distribution<double> position(-0.3, 15.3);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto anyObject = [&]() -> object* {
    std::vector<object*> all;
    for (auto& c : beam().Charges) all.push_back(c.get());
    for (auto& d : beam().DistrCharges) all.push_back(d.get());
    for (element* e = beam().FirstSupport(); e; e = e->Next.get()) all.push_back(e);
    return all.empty() ? nullptr : all[pick(static_cast<int>(all.size()))];
  };
  for (int step = 0; step < 3000; ++step) {
    switch (pick(9)) {
      case 0:
        recorder().RecordAddCharge(charge(position(random), 1000, &window));
        break;
      case 1:
        recorder().RecordAddDistrCharge(distrcharge(position(random), position(random), 10, 20, &window));
        break;
      case 2:
        recorder().RecordAddSupport(std::round(position(random) * 10) / 10,
                                    static_cast<TSupportType>(pick(4)));
        break;
      case 3:
        window.SelectObject(anyObject());
        recorder().RecordDeleteSelected();
        break;
      case 4:
        if (object* o = anyObject()) recorder().RecordMove(*o, (pick(41) - 20) * window.DistanceScale());
        break;
      case 5:
        if (object* o = anyObject()) {
          o->PropertyValues[0] = std::to_string(pick(15));
          try {
            o->ApplyProperties();
          } catch (const std::invalid_argument&) {
          }
        }
        break;
      case 6:
      case 7:
        Undo();
        break;
      default:
        Redo();
        break;
    }
    ASSERT_TRUE(ChainIsConsistent(beam())) << "after step " << step;
  }
}

}  // namespace
}  // namespace trevan
