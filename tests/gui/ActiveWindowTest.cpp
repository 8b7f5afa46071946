#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "TDocManager.h"
#include "TDocument.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TShowForm.h"
#include "TTool.h"
#include "beam/UnitSystem.h"

// Several document windows in the real main window: what the commands, the
// tool checks and the status panels show belongs to the active one, and no
// answer or close of one document changes another.
namespace trevan {
namespace {

class ActiveWindowTest : public test::MainWindowFixture {
 protected:
  // Windows with beams of the given lengths, the last one active.
  void Start(QStringList lengths) {
    for (const QString& length : lengths) dialogs.AnswerNewProject(length);
    main = std::make_unique<TMainForm>(dialogs);
    main->show();
    PinScales();
    for (qsizetype i = 1; i < lengths.size(); ++i) Run("FileNew");
  }
  // The hinge tool places a hinge: the beam is modified.
  void Modify(TMDIChild* window) {
    Activate(window);
    Click(window, 50, window->InputForm().BaseLine());
  }
  QString Panel(int i) { return main->StatusPanel(i)->text(); }
  bool AnalysisDone() {
    return QTest::qWaitFor(
        [this] { return !Active() || !Active()->Analysis() || Active()->Analysis()->Done; });
  }
};

TEST_F(ActiveWindowTest, AnExitCancelledHalfWayChangesNoDocument) {
  Start({"10", "10", "10"});
  for (TMDIChild* w : main->DocumentWindows()) Modify(w);
  dialogs.answers = {DialogButton::No, DialogButton::Cancel};
  Run("FileExit");
  EXPECT_TRUE(main->isVisible());
  ASSERT_EQ(main->DocumentWindows().size(), 3);
  for (TMDIChild* w : main->DocumentWindows()) {
    EXPECT_TRUE(w->Document().Dirty()) << w->windowTitle().toStdString();
    EXPECT_EQ(w->Beam()->SupportCount(), 1);
  }
  EXPECT_TRUE(dialogs.asked[0].text.contains("Untitled3"));
  EXPECT_TRUE(Cmd("FileSave")->isEnabled()) << "Untitled3, answered No, is still unsaved";

  // Closing it later asks again.
  dialogs.answers = {DialogButton::Cancel};
  Run("FileClose");
  EXPECT_EQ(dialogs.asked.back().text, "Changes to Untitled3 have not been saved.\nDo you want to save?");
  EXPECT_EQ(main->DocumentWindows().size(), 3);

  // An exit answered throughout goes.
  dialogs.answers = {DialogButton::No, DialogButton::No, DialogButton::No};
  Run("FileExit");
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(main->DocManager1().DocumentCount(), 0);
}

TEST_F(ActiveWindowTest, TheRemainingDocumentKeepsSaveSaveAsAndClose) {
  Start({"10", "10"});
  Modify(Window(0));
  Modify(Window(1));
  dialogs.answers = {DialogButton::No};
  Run("FileClose");  // Untitled2, the active one
  ASSERT_EQ(main->DocumentWindows().size(), 1);
  ASSERT_EQ(Active(), Window(0));
  for (const char* name : {"FileSave", "FileSaveAs", "FileClose"})
    EXPECT_TRUE(Cmd(name)->isEnabled()) << name;

  // A click in the window leaves them so, and Save saves this document.
  Click(Window(0), 150, Window(0)->InputForm().BaseLine());
  for (const char* name : {"FileSave", "FileSaveAs", "FileClose"})
    EXPECT_TRUE(Cmd(name)->isEnabled()) << name;
  const QString target = File("kept.tvn");
  dialogs.files = {target};
  Run("FileSave");
  EXPECT_TRUE(QFile::exists(target));
  EXPECT_EQ(Window(0)->windowTitle(), target);
  EXPECT_FALSE(Cmd("FileSave")->isEnabled());
  EXPECT_TRUE(Cmd("FileClose")->isEnabled());
}

TEST_F(ActiveWindowTest, AFileIsOpenInOneWindowOnly) {
  const QString beam = File("beam.tvn");
  ASSERT_TRUE(QFile::copy(QString(TREVAN_EXAMPLES_DIR) + "/simply-supported.tvn", beam));
  main = std::make_unique<TMainForm>(dialogs, QStringList{beam});
  main->show();
  Settle();
  dialogs.AnswerNewProject("10");
  Run("FileNew");
  ASSERT_EQ(Active(), Window(1));

  dialogs.files = {beam};
  Run("FileOpen");
  EXPECT_EQ(main->DocumentWindows().size(), 2) << "no second window on the file";
  EXPECT_EQ(Active(), Window(0));
  EXPECT_EQ(main->DocManager1().ActiveDocument, &Window(0)->Document());

  // Save As from the other window onto it is refused; the file stays.
  Activate(Window(1));
  Modify(Window(1));
  QFile original(beam);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray before = original.readAll();
  original.close();
  dialogs.files = {beam};
  dialogs.answers = {DialogButton::Ok};
  Run("FileSaveAs");
  EXPECT_EQ(dialogs.asked.back().text,
            "beam.tvn is open in another window.\nClose it there or choose another name.");
  EXPECT_EQ(Window(1)->windowTitle(), "Untitled2");
  EXPECT_TRUE(Window(1)->Document().Dirty());
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), before);
}

TEST_F(ActiveWindowTest, TheToolChecksShowTheActiveWindowsTool) {
  Start({"10"});
  const auto* viewBar = main->findChild<QToolBar*>("ViewToolBar");
  ASSERT_NE(viewBar, nullptr);
  const char* const commands[] = {"SelectToolAction", "ForceToolAction", "HingeToolAction", "ViceToolAction"};
  // The check mark, the tool bar button and the window's tool all agree.
  auto expectTool = [&](int number) {
    ASSERT_NE(Active()->InputForm().CurrentTool(), nullptr);
    EXPECT_EQ(Active()->InputForm().CurrentTool()->ToolNumber, number);
    QAction* command = Cmd(commands[number]);
    EXPECT_TRUE(command->isChecked()) << commands[number];
    auto* button = qobject_cast<QToolButton*>(viewBar->widgetForAction(command));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isChecked()) << commands[number];
  };
  expectTool(2);  // a new window starts with the hinge tool
  Run("SelectToolAction");
  expectTool(0);
  dialogs.AnswerNewProject("10");
  Run("FileNew");
  expectTool(2);
  Run("ViceToolAction");
  Activate(Window(0));
  expectTool(0);
  Activate(Window(1));
  expectTool(3);

  // A paste picks the select tool.
  Run("ForceToolAction");
  Click(Active(), 125, Active()->InputForm().BaseLine() - 4);
  Run("EditCopy1");
  Run("ForceToolAction");
  Run("EditPaste1");
  expectTool(0);
}

TEST_F(ActiveWindowTest, TheStatusPanelsShowTheActiveWindow) {
  Start({"10", "10"});
  // Window 1: 1000 N in the middle of a 10 m span (the hinge at column 1
  // goes to the end), a moment of 1000 × 10 / 4 = 2500 Nm.
  TMDIChild* loaded = Window(0);
  Activate(loaded);
  const int base = loaded->InputForm().BaseLine();
  Click(loaded, 1, base);
  Click(loaded, 250, base);
  Run("ForceToolAction");
  Click(loaded, 125, base - 4);
  ASSERT_TRUE(AnalysisDone());
  const QString loadedMoment = Panel(2);
  EXPECT_TRUE(loadedMoment.startsWith("Max. moment :    25")) << loadedMoment.toStdString();
  QTest::mouseMove(&loaded->InputForm(), QPoint(60, base - 30));
  Settle();
  const QString loadedReadout = Panel(1);

  // Window 2 has nothing on it: its own panels.
  Activate(Window(1));
  ASSERT_TRUE(AnalysisDone());
  EXPECT_NE(Panel(2), loadedMoment);
  const QString emptyMoment = Panel(2);
  EXPECT_NE(Panel(1), loadedReadout);

  Activate(loaded);
  EXPECT_EQ(Panel(2), loadedMoment);
  EXPECT_EQ(Panel(1), loadedReadout);
  Activate(Window(1));
  EXPECT_EQ(Panel(2), emptyMoment);

  // A window that is not active writes nothing into the panels.
  // Straight to its view: through the screen the move would reach the
  // active window lying over it.
  const QString shown = Panel(1);
  const QPointF at(80, base - 50);
  QMouseEvent move(QEvent::MouseMove, at, loaded->InputForm().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&loaded->InputForm(), &move);
  Settle();
  EXPECT_EQ(Panel(1), shown);

  for (int i = 0; i < 2; ++i) {
    Active()->Document().SetDirty(false);
    Run("FileClose");
  }
  ASSERT_EQ(main->DocumentWindows().size(), 0);
  EXPECT_EQ(Panel(1), "") << "no window: nothing shown";
  EXPECT_EQ(Panel(2), "");
}

TEST_F(ActiveWindowTest, UndoAndRedoKeysWorkAnywhereInTheFrame) {
  Start({"10"});
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  TTrevanDoc& beam = *Active()->Beam();
  Modify(Active());
  ASSERT_EQ(beam.SupportCount(), 1);
  struct Key {
    const char* name;
    QWidget* target;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int supportsAfter;
  };
  const Key keys[] = {
      {"Ctrl+Z in the input view", &Active()->InputForm(), Qt::Key_Z, Qt::ControlModifier, 0},
      {"Ctrl+Shift+Z in the input view", &Active()->InputForm(), Qt::Key_Z,
       Qt::ControlModifier | Qt::ShiftModifier, 1},
      {"Ctrl+Z on the diagrams", &Active()->ShowForm(), Qt::Key_Z, Qt::ControlModifier, 0},
      {"Ctrl+Y on the main window", main.get(), Qt::Key_Y, Qt::ControlModifier, 1},
      {"Backspace in the input view", &Active()->InputForm(), Qt::Key_Backspace, Qt::NoModifier, 0},
      {"Ctrl+Shift+Z on the status bar", main->StatusPanel(0), Qt::Key_Z,
       Qt::ControlModifier | Qt::ShiftModifier, 1},
  };
  for (const Key& k : keys) {
    QTest::keyClick(k.target, k.key, k.modifiers);
    Settle();
    EXPECT_EQ(beam.SupportCount(), k.supportsAfter) << k.name;
  }
}

}  // namespace
}  // namespace trevan
