#include <gtest/gtest.h>

#include "EditFixture.h"
#include "undo/CommandState.h"
#include "undo/PaletteUndo.h"

namespace trevan {
namespace {

using UndoBufferTest = test::EditFixture;

TEST_F(UndoBufferTest, AFreshBufferHasNothingToUndoOrRedo) {
  EXPECT_FALSE(buffer().GetCanUndo());
  EXPECT_FALSE(buffer().GetCanRedo());
  Undo();
  Redo();
  EXPECT_EQ(UndoCaption(), "Can't &Undo") << "captions are not touched";
  EXPECT_EQ(RedoCaption(), "Can't &Redo");
  EXPECT_FALSE(UndoEnabled());
}

TEST_F(UndoBufferTest, WorkedSequenceDrivesBothCommands) {
  recorder().RecordAddCharge(charge(2, 1000, &window));
  EXPECT_EQ(UndoCaption(), "&Undo force");
  EXPECT_TRUE(UndoEnabled());
  EXPECT_EQ(buffer().UndoDepth(), 1u);

  Undo();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_EQ(RedoCaption(), "&Redo force");
  EXPECT_TRUE(RedoEnabled());
  EXPECT_EQ(UndoCaption(), "Can't &undo");
  EXPECT_FALSE(UndoEnabled());

  Redo();
  EXPECT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(UndoCaption(), "&Undo force");
  EXPECT_TRUE(UndoEnabled());
  EXPECT_EQ(RedoCaption(), "Can't &redo");
  EXPECT_FALSE(RedoEnabled());
}

TEST_F(UndoBufferTest, RedoSurvivesANewEdit) {
  recorder().RecordAddCharge(charge(2, 1000, &window));
  Undo();
  recorder().RecordAddCharge(charge(4, 500, &window));
  EXPECT_TRUE(buffer().GetCanRedo());
  Redo();
  EXPECT_EQ(beam().Charges.size(), 2u);
  EXPECT_EQ(buffer().UndoDepth(), 2u);
}

TEST_F(UndoBufferTest, TwentyEditsUndoAndRedoWithoutLimit) {
  for (int i = 0; i < 20; ++i) recorder().RecordAddCharge(charge(0.5 * i, 100 + i, &window));
  for (int i = 0; i < 20; ++i) Undo();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_FALSE(buffer().GetCanUndo());
  EXPECT_EQ(RedoCaption(), "&Redo force");
  for (int i = 0; i < 20; ++i) Redo();
  ASSERT_EQ(beam().Charges.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(beam().Charges[i]->f, 100 + i);
  EXPECT_FALSE(buffer().GetCanRedo());
}

TEST_F(UndoBufferTest, AnActionWithoutADocumentStacksASentinelLikeReverse) {
  recorder().RecordAddCharge(charge(2, 1000, &window));
  window.CloseBeam();
  Undo();  // the owner holds no document any more
  EXPECT_EQ(buffer().RedoDepth(), 1u);
  EXPECT_FALSE(buffer().GetCanRedo());
  EXPECT_EQ(RedoCaption(), "Can't &redo");
  EXPECT_FALSE(RedoEnabled());
}

// Palette components: records carried out by handlers.
struct CounterRecord : palette::QActionData {
  CounterRecord(palette::QAction* action, int delta) : QActionData(action), delta(delta) {}
  int delta;
};

class PaletteUndoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    add.Caption = "Add";
    add.OnDo = [this](palette::QActionData& data, std::unique_ptr<palette::QActionData>& reverse) {
      const int delta = static_cast<CounterRecord&>(data).delta;
      counter += delta;
      reverse = std::make_unique<CounterRecord>(&add, -delta);
    };
  }

  int counter = 0;
  palette::QAction add;
  CommandStatus undoAction{"Undo"};
};

TEST_F(PaletteUndoTest, SingleBufferUndoesItsOwnUndo) {
  palette::TUndoSingleBuffer single;
  single.UndoAction = &undoAction;
  EXPECT_FALSE(single.GetCanUndo());
  CounterRecord five(&add, 5);
  single.Do(five);
  EXPECT_EQ(counter, 5);
  EXPECT_EQ(undoAction.caption, "Add");
  EXPECT_TRUE(undoAction.enabled);
  single.Undo();
  EXPECT_EQ(counter, 0);
  single.Undo();
  EXPECT_EQ(counter, 5);
}

TEST_F(PaletteUndoTest, MultiBufferUndoesToTheBottomAndFlushes) {
  palette::TUndoMultiBuffer multi;
  multi.UndoAction = &undoAction;
  CounterRecord one(&add, 1), two(&add, 2);
  multi.Do(one);
  multi.Do(two);
  EXPECT_EQ(counter, 3);
  multi.Undo();
  multi.Undo();
  EXPECT_EQ(counter, 0);
  EXPECT_EQ(undoAction.caption, "Can't undo");
  EXPECT_FALSE(undoAction.enabled);
  multi.Undo();
  EXPECT_EQ(counter, 0);

  multi.Do(one);
  undoAction.caption = "kept";
  multi.Flush();
  EXPECT_FALSE(multi.GetCanUndo());
  EXPECT_EQ(undoAction.caption, "kept");
}

TEST_F(PaletteUndoTest, RecordsWithoutAHandlerAreNeverRun) {
  palette::QAction silent;
  palette::TUndoMultiBuffer multi;
  CounterRecord record(&silent, 1);
  EXPECT_EQ(multi.Do(record), nullptr);
  EXPECT_FALSE(multi.GetCanUndo());
  palette::TUndoSingleBuffer single;
  EXPECT_EQ(single.Do(record), nullptr);
  EXPECT_FALSE(single.GetCanUndo());
}

}  // namespace
}  // namespace trevan
