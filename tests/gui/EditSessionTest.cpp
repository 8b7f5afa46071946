#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <random>

#include "BeamSnapshot.h"
#include "ChainChecks.h"
#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TDocument.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TQPropertyInspector.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

using test::BeamSnapshot;
using test::ChainIsConsistent;

// A seeded random session through the real main window, document windows,
// input views, inspector and undo buffers. After every step every chain is
// sound; every 50 steps, and before a history ends (Clear all, a window
// closing), undoing every step gives back the beam the history began with,
// exactly, and redoing them all the beam it had reached.
class EditSessionTest : public ::testing::Test {
 protected:
  static constexpr int Steps = 3000;
  // A short beam keeps the pictures small: the session is about edits.
  static constexpr double Length = 5;

  void SetUp() override { SetApplicationMetric(true); }
  void TearDown() override {
    if (!main) return;
    for (TMDIChild* w : main->DocumentWindows()) w->Document().SetDirty(false);
    main.reset();
    Settle();
  }

  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  double Between(double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); }
  // Events are left to gather between steps, as they would while the user
  // works; the loop runs them now and then and whenever windows come and go.
  void Run(const char* name) { main->Command(name)->trigger(); }
  TMDIChild& Active() { return *main->ActiveDocumentWindow(); }
  TInputForm& View() { return Active().InputForm(); }
  TTrevanDoc& Beam() { return *Active().Beam(); }
  int Base() { return View().BaseLine(); }

  void NewWindow() {
    dialogs.AnswerNewProject(QString::number(Length), 0);
    Run("FileNew");
    Settle();
    for (TMDIChild* w : main->DocumentWindows())
      if (!starts.count(w)) starts.insert_or_assign(w, BeamSnapshot(*w->Beam()));
    ASSERT_EQ(starts.size(), static_cast<std::size_t>(main->DocumentWindows().size()));
  }
  object* AnyObject() {
    std::vector<object*> all;
    for (auto& c : Beam().Charges) all.push_back(c.get());
    for (auto& d : Beam().DistrCharges) all.push_back(d.get());
    for (element* e = Beam().FirstSupport(); e; e = e->Next.get()) all.push_back(e);
    return all.empty() ? nullptr : all[Pick(static_cast<int>(all.size()))];
  }
  QPoint AnyPoint() { return QPoint(Pick(Active().ColumnCount() + 6) - 2, Base() - Pick(61) + 10); }
  void PickTool() {
    static const char* const tools[] = {"SelectToolAction", "ForceToolAction", "HingeToolAction",
                                        "ViceToolAction"};
    Run(tools[Pick(4)]);
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mouseMove(&View(), from);
    QTest::mousePress(&View(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 4; ++i) QTest::mouseMove(&View(), from + (to - from) * i / 4);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, to);
  }
  // A value the inspector takes without a question: inside the beam and,
  // for a support, between its neighbours.
  void EditInInspector(object& target) {
    View().SelectObject(&target);
    if (!main->Command("EditProperties1")->isChecked()) Run("EditProperties1");
    TQPropertyInspector& inspector = main->Inspector();
    ASSERT_EQ(inspector.TargetObject(), &target);
    const int row = Pick(target.RowCount);
    QString text;
    if (auto* e = dynamic_cast<element*>(&target)) {
      const double lo = (e->Prev->IsSentinel() ? 0 : e->Prev->X1) + 0.01, hi = std::min(e->X2, Length) - 0.01;
      if (row == 1 || !(lo < hi)) {
        inspector.ValueListEditor1Validate(2, SupportTypeLabels[1 + Pick(3)]);
        return;
      }
      text = QString::number(Between(lo, hi), 'g', 10);
    } else if (target.PropertyLabels[row].find("Force") != std::string::npos) {
      text = QString::number(250 * (Pick(81) - 40));
    } else if (auto* d = dynamic_cast<distrcharge*>(&target)) {
      text = QString::number(row == 1 ? Between(0, d->X2 - 0.05) : Between(d->X1 + 0.05, Length), 'f', 2);
    } else {
      text = QString::number(Between(0, Length), 'f', 2);
    }
    inspector.ValueListEditor1->item(row, 1)->setText(text);
  }
  void CheckHistory(TMDIChild& window, int step) {
    undo::TUndoMultiBuffer& history = *window.UndoStack();
    const BeamSnapshot reached(*window.Beam());
    int undone = 0;
    while (history.GetCanUndo()) {
      history.Undo();
      ++undone;
      ASSERT_TRUE(ChainIsConsistent(*window.Beam())) << "step " << step << ", undo " << undone;
    }
    ASSERT_EQ(BeamSnapshot(*window.Beam()), starts.at(&window))
        << "step " << step << ": " << undone << " undos miss the start";
    for (int i = 0; i < undone; ++i) history.Redo();
    ASSERT_EQ(BeamSnapshot(*window.Beam()), reached) << "step " << step << ": redoing misses the end";
  }
  void CloseActive(int step) {
    CheckHistory(Active(), step);
    starts.erase(&Active());
    Active().Document().SetDirty(false);
    // As the window's own close button does it.
    main->MdiArea()->activeSubWindow()->close();
    Settle();
    if (main->DocumentWindows().isEmpty()) NewWindow();
  }

  test::SettingsSandbox sandbox;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> main;
  std::mt19937 random{20261208};
  std::map<TMDIChild*, BeamSnapshot> starts;
};

TEST_F(EditSessionTest, ThreeThousandRandomStepsKeepEveryHistoryExact) {
  dialogs.AnswerNewProject(QString::number(Length), 0);
  main = std::make_unique<TMainForm>(dialogs);
  main->show();
  for (int i = 0; i < 5; ++i) Settle();
  ASSERT_NE(main->ActiveDocumentWindow(), nullptr);
  starts.insert_or_assign(&Active(), BeamSnapshot(Beam()));
  int edits = 0;

  for (int step = 0; step < Steps; ++step) {
    const int undoable = static_cast<int>(Active().UndoStack()->UndoDepth());
    const int kind = Pick(100);
    if (kind < 25) {
      PickTool();
      const QPoint p = AnyPoint();
      QTest::mouseMove(&View(), p);
      if (Pick(8) == 0) {
        QTest::mouseDClick(&View(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, p);
      } else
        QTest::mouseClick(&View(), Qt::LeftButton, {}, p);
    } else if (kind < 40) {
      Run(Pick(2) ? "SelectToolAction" : "ForceToolAction");
      Drag(AnyPoint(), AnyPoint());
    } else if (kind < 52) {
      if (object* o = AnyObject()) EditInInspector(*o);
    } else if (kind < 58) {
      View().SelectObject(AnyObject());
      Run(Pick(2) ? "EditCut1" : "EditCopy1");
      if (Pick(3)) Run("EditPaste1");
    } else if (kind < 64) {
      View().SelectObject(AnyObject());
      QTest::keyClick(&View(), Qt::Key_Delete);
    } else if (kind < 70) {
      View().SelectObject(AnyObject());
      QTest::keyClick(&View(), Pick(2) ? Qt::Key_Right : Qt::Key_Left);
    } else if (kind < 82) {
      for (int n = 1 + Pick(6); n > 0; --n) {
        if (Pick(2))
          QTest::keyClick(&View(), Qt::Key_Backspace);
        else
          Run("EditUndo1");
      }
    } else if (kind < 92) {
      for (int n = 1 + Pick(6); n > 0; --n) Run("EditRedo1");
    } else if (kind < 94) {
      CheckHistory(Active(), step);
      dialogs.answers = {DialogButton::Yes};
      Run("EditClear1");
      starts.insert_or_assign(&Active(), BeamSnapshot(Beam()));
    } else if (kind < 96) {
      CloseActive(step);
    } else {
      // A second window, or back to the other one.
      const QList<QMdiSubWindow*> subs = main->MdiArea()->subWindowList();
      if (subs.size() < 2) {
        NewWindow();
      } else {
        main->MdiArea()->setActiveSubWindow(subs[0] == main->MdiArea()->activeSubWindow() ? subs[1]
                                                                                          : subs[0]);
        Settle();
      }
    }
    if (step % 16 == 0) Settle();
    if (HasFatalFailure()) FAIL() << "at step " << step;
    for (TMDIChild* w : main->DocumentWindows())
      ASSERT_TRUE(ChainIsConsistent(*w->Beam())) << "after step " << step << " (kind " << kind << ")";
    ASSERT_FALSE(View().ButtonDown) << "a gesture outlived step " << step;
    if (main->Inspector().TargetObject()) {
      ASSERT_EQ(main->Inspector().TargetObject(), View().SelectedObject()) << "after step " << step;
    }
    if (static_cast<int>(Active().UndoStack()->UndoDepth()) > undoable) ++edits;
    if (step % 50 == 49) CheckHistory(Active(), step);
    if (HasFatalFailure()) FAIL() << "at step " << step;
  }
  EXPECT_GT(edits, Steps / 4) << "the session made too few edits to prove anything";
}

}  // namespace
}  // namespace trevan
