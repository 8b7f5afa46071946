#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "BeamSnapshot.h"
#include "ChainChecks.h"
#include "SettingsSandbox.h"
#include "TDocument.h"
#include "THAxisBox.h"
#include "TInputForm.h"
#include "TShowForm.h"
#include "TTool.h"
#include "TVAxis.h"
#include "TestHost.h"
#include "beam/UnitSystem.h"
#include "hosts/PixelMapping.h"

namespace trevan {

inline void PrintTo(const TVAxis::Label& label, std::ostream* out) {
  *out << "(" << label.x << ", " << label.y << ", \"" << label.text.toStdString() << "\")";
}

namespace {

class DocumentWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    window = std::make_unique<TMDIChild>(host);
    host.window = window.get();
    window->resize(900, 700);
    window->show();
    host.AnswerNewProject("15");
    ASSERT_TRUE(window->Document().New());
    Settle();
    view().SelectTool(TInputForm::ForceToolCode);
  }
  void TearDown() override {
    window->Document().SetDirty(false);
    window.reset();
  }

  static void Settle() { QCoreApplication::processEvents(); }
  TInputForm& view() { return window->InputForm(); }
  TTrevanDoc& beam() { return *window->Beam(); }
  int base() { return view().BaseLine(); }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseMove(&view(), QPoint(x, y));
    QTest::mouseClick(&view(), button, {}, QPoint(x, y));
    Settle();
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mouseMove(&view(), from);
    QTest::mousePress(&view(), Qt::LeftButton, {}, from);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) QTest::mouseMove(&view(), from + (to - from) * i / steps);
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, to);
    Settle();
  }
  void Key(Qt::Key key) {
    QTest::keyClick(&view(), key);
    Settle();
  }

  test::SettingsSandbox sandbox;
  test::TestHost host;
  std::unique_ptr<TMDIChild> window;
};

TEST_F(DocumentWindowTest, ANewDocumentHasItsStartingLayout) {
  EXPECT_EQ(beam().Length, 15);
  EXPECT_EQ(window->DistanceScale(), 0.04);
  EXPECT_EQ(window->ForceScale(), 250);
  EXPECT_EQ(window->MomentScale(), 500);
  EXPECT_EQ(window->ColumnCount(), 376);
  EXPECT_EQ(view().width(), 378);
  EXPECT_EQ(window->HAxisPaintBox().width(), 461);
  EXPECT_EQ(host.status[2], "Max. moment :       0 Nm");
  EXPECT_EQ(host.metricSetting, "1");
}

TEST_F(DocumentWindowTest, AClickAboveTheBeamLinePlacesAPointForce) {
  QTest::mouseMove(&view(), QPoint(50, base() - 20));
  EXPECT_EQ(host.status[1], "x=  2.00 m   f=  5000 N");
  Click(50, base() - 20);
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam().Charges[0]->x, 2);
  EXPECT_DOUBLE_EQ(beam().Charges[0]->f, 5000);
  EXPECT_EQ(view().SelectedObject(), beam().Charges[0].get());
  EXPECT_EQ(host.undo.caption, "&Undo force");
  EXPECT_TRUE(window->Document().Dirty());
}

TEST_F(DocumentWindowTest, DraggingMakesADistributedLoadEitherWay) {
  Drag(QPoint(50, base()), QPoint(100, base() - 40));
  ASSERT_EQ(beam().DistrCharges.size(), 1u);
  const distrcharge& d = *beam().DistrCharges[0];
  EXPECT_DOUBLE_EQ(d.X1, 2);
  EXPECT_DOUBLE_EQ(d.X2, 4);
  EXPECT_DOUBLE_EQ(d.F1, 0);
  EXPECT_DOUBLE_EQ(d.F2, 10000);
  EXPECT_EQ(host.status[1], "x2=  4.00 m   f2= 10000 N/m");

  Drag(QPoint(100, base() - 40), QPoint(50, base()));
  ASSERT_EQ(beam().DistrCharges.size(), 2u);
  const distrcharge& back = *beam().DistrCharges[1];
  EXPECT_DOUBLE_EQ(back.X1, 2);
  EXPECT_DOUBLE_EQ(back.F1, 0);
  EXPECT_DOUBLE_EQ(back.X2, 4);
  EXPECT_DOUBLE_EQ(back.F2, 10000);
}

TEST_F(DocumentWindowTest, ATallForceGrowsTheView) {
  view().resize(view().width(), 200);
  Settle();
  ASSERT_EQ(base(), 100);
  Click(50, 40);  // 60 pixels above the line
  EXPECT_EQ(base(), 120);
  EXPECT_EQ(view().height(), 240);
  EXPECT_EQ(window->InputAxis().height(), 240);
}

TEST_F(DocumentWindowTest, ClicksOutsideTheBeamRangeDoNothing) {
  Click(0, base() - 20);
  Click(377, base() - 20);
  EXPECT_TRUE(beam().Charges.empty());
  view().SelectTool(TInputForm::HingeToolCode);
  Click(376, base());  // the last column still counts, a column beyond the length
  ASSERT_EQ(beam().SupportCount(), 1);
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, 376 * 0.04);
}

TEST_F(DocumentWindowTest, OverlappingObjectsAreSelectedInTurn) {
  beam().AddCharge(charge(2, 2500, &view()));
  beam().AddDistrCharge(distrcharge(1.5, 2.5, 2500, 2500, &view()));
  Settle();
  view().SelectTool(TInputForm::SelectToolCode);
  Click(50, base() - 5);
  EXPECT_EQ(view().SelectedObject(), beam().Charges[0].get());
  Click(50, base() - 5);
  EXPECT_EQ(view().SelectedObject(), beam().DistrCharges[0].get());
  Click(50, base() - 5);
  EXPECT_EQ(view().SelectedObject(), beam().Charges[0].get());
  Click(200, base() - 100);
  EXPECT_EQ(view().SelectedObject(), nullptr);
}

TEST_F(DocumentWindowTest, ASupportDraggedPastItsNeighbourStopsShort) {
  view().SelectTool(TInputForm::HingeToolCode);
  Click(100, base());
  Click(150, base());
  ASSERT_EQ(beam().SupportCount(), 2);
  view().SelectTool(TInputForm::SelectToolCode);
  Drag(QPoint(100, base()), QPoint(200, base()));
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, 6 - 0.0001);
  EXPECT_EQ(host.undo.caption, "&Undo move");
  window->UndoStack()->Undo();  // back exactly where it was before the move
  EXPECT_EQ(beam().FirstSupport()->X1, 4);
}

TEST_F(DocumentWindowTest, ArrowBackspaceAndDeleteKeys) {
  Key(Qt::Key_Right);  // no selection: nothing is recorded
  EXPECT_FALSE(window->UndoStack()->GetCanUndo());
  Click(50, base() - 20);
  charge* f = beam().Charges[0].get();
  Key(Qt::Key_Right);
  EXPECT_DOUBLE_EQ(f->x, 2.04);
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);
  EXPECT_NEAR(f->x, 1.96, 1e-12);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(host.undoRuns, 1);
  EXPECT_NEAR(f->x, 2.0, 1e-12);
  view().SelectObject(f);
  Key(Qt::Key_Delete);
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_EQ(host.undo.caption, "&Undo delete");
}

TEST_F(DocumentWindowTest, SwitchingUnitsTwiceRestoresTheScaleAndKeepsTheSelection) {
  Click(50, base() - 20);
  object* selected = view().SelectedObject();
  window->SetUnitSystem(false);
  EXPECT_DOUBLE_EQ(window->DistanceScale(), 0.16);
  EXPECT_FALSE(host.metricChecked);
  EXPECT_EQ(host.metricSetting, "0");
  EXPECT_EQ(view().SelectedObject(), selected);
  window->SetUnitSystem(true);
  EXPECT_DOUBLE_EQ(window->DistanceScale(), 0.04);
  EXPECT_EQ(view().SelectedObject(), selected);
  EXPECT_NEAR(beam().Charges[0]->x, 2, 1e-12);
  EXPECT_FALSE(window->UndoStack()->GetCanUndo()) << "a unit switch starts an empty history";
}

TEST_F(DocumentWindowTest, TheGridLiesOnTheBeamLineAndEveryTwentyRows) {
  view().RenderNow();
  const ImageCanvas& backing = view().Backing();
  EXPECT_EQ(backing.GetPixel(3, base()), Rgb::FromRgb(0, 0, 0));
  EXPECT_EQ(backing.GetPixel(3, base() - 20), Rgb::FromRgb(192, 192, 192));
  EXPECT_EQ(backing.GetPixel(3, base() + 40), Rgb::FromRgb(192, 192, 192));
  EXPECT_NE(backing.GetPixel(3, base() - 10), Rgb::FromRgb(192, 192, 192));
  EXPECT_EQ(backing.GetPixel(50, base() - 10), Rgb::FromRgb(192, 192, 192))
      << "a vertical line every 50 columns";
  EXPECT_NE(backing.GetPixel(377, base() - 20), Rgb::FromRgb(192, 192, 192))
      << "the grid ends at the last column";
}

// A vice at 0 and 1000 N at 10 m: M = -1000 (10 - x) left of the force,
// and the reaction pushes every section's left part up by 1000 N.
TEST_F(DocumentWindowTest, TheDiagramReadoutIsExactAtThePointer) {
  beam().InsertSupport(0, ftVice);
  beam().AddCharge(charge(10, 1000, &view()));
  Settle();
  TShowForm& diagrams = window->ShowForm();
  QTest::mouseMove(&diagrams, QPoint(1, 50));
  EXPECT_EQ(host.status[1], "x=  0.0 m   M=   -9960 Nm   F=  1000 N");
  QTest::mouseMove(&diagrams, QPoint(0, 50));
  EXPECT_EQ(host.status[1], "x=  0.0 m   M=  -10000 Nm   F=  1000 N");
  QTest::mouseMove(&diagrams, QPoint(300, 50));
  EXPECT_EQ(host.status[1], "x= 12.0 m   M=       0 Nm   F=     0 N");
  host.status[1] = "kept";
  QTest::mouseMove(&diagrams, QPoint(377, 50));
  EXPECT_EQ(host.status[1], "kept");
}

TEST_F(DocumentWindowTest, TheScrollBarShowsTheHiddenColumns) {
  window->SetDistanceScale(0.01);  // 1501 columns
  QScrollArea& lower = window->GraphScrollBox();
  const int visible = lower.viewport()->width() - 126;
  ASSERT_LT(visible, window->ColumnCount());
  EXPECT_TRUE(window->ScrollBar1().isEnabled());
  EXPECT_EQ(window->ScrollPageSize(), visible);
  EXPECT_EQ(window->ScrollMaximum(), 1501);
  window->ScrollBar1().setValue(100);
  EXPECT_EQ(view().x(), 63 - 100);
  EXPECT_EQ(window->ShowForm().x(), 63 - 100);
  EXPECT_EQ(window->HAxisPaintBox().x(), -100);
  window->SetDistanceScale(0.04);
  EXPECT_FALSE(window->ScrollBar1().isEnabled());
}

TEST_F(DocumentWindowTest, ClearAllAsksFirst) {
  Click(50, base() - 20);
  host.dialogs.answers = {DialogButton::No};
  window->ClearAll();
  EXPECT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(host.dialogs.asked.back().caption, "Clear all");
  host.dialogs.answers = {DialogButton::Yes};
  window->ClearAll();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_FALSE(window->UndoStack()->GetCanUndo());
}

// Pixels of the diagram backing in the given colour.
int CountPixels(const ImageCanvas& canvas, Rgb colour) {
  int n = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) n += canvas.GetPixel(x, y) == colour;
  return n;
}

TEST_F(DocumentWindowTest, ALoadedBeamThatCannotStandSaysSoAndDrawsNoCurves) {
  TShowForm& diagrams = window->ShowForm();
  const Rgb moments = host.options.MomentsColor();
  Click(50, base() - 20);  // a force, no support
  EXPECT_EQ(host.status[2], "Unstable: add a vice or two supports");
  beam().InsertSupport(2, ftHinge);
  Settle();
  EXPECT_EQ(host.status[2], "Unstable: add a vice or two supports") << "one hinge cannot stand";
  diagrams.RenderNow();
  EXPECT_EQ(CountPixels(diagrams.Backing(), moments), 0);

  beam().InsertSupport(10, ftRoll);
  Settle();
  EXPECT_EQ(host.status[2].left(13), "Max. moment :");
  diagrams.RenderNow();
  EXPECT_GT(CountPixels(diagrams.Backing(), moments), 0);
}

// Rows far beyond the int range are held at the edge (the sanitizer build
// stops on any overflow) and the panes grow no further than they can.
TEST_F(DocumentWindowTest, AHugeForceKeepsThePixelRowsInRange) {
  beam().InsertSupport(0, ftHinge);
  beam().InsertSupport(15, ftHinge);
  beam().AddCharge(charge(5, 1e13, &view()));
  Settle();
  window->ShowForm().RenderNow();
  EXPECT_LE(window->ShowForm().ZeroLine(), MaxZeroLine);
  EXPECT_GT(window->ShowForm().ZeroLine(), 0);
}

TEST_F(DocumentWindowTest, IdleStepsReplotAfterAScaleChange) {
  beam().InsertSupport(0, ftHinge);
  beam().InsertSupport(15, ftHinge);
  beam().AddDistrCharge(distrcharge(0, 15, 1000, 1000, &view()));
  const double before = window->Analysis()->ReportedMaxMoment;
  EXPECT_TRUE(window->ApplyScaleCommand(TMDIChild::ScaleCommand::MomentsPlus));
  EXPECT_EQ(window->MomentScale(), 250);
  bool done = false;
  int steps = 0;
  while (!done && steps < 100000) {
    window->IdleStep(done);
    ++steps;
  }
  EXPECT_TRUE(done);
  EXPECT_NEAR(window->Analysis()->ReportedMaxMoment, before, 1);
}

TEST_F(DocumentWindowTest, ALongBeamKeepsItsPicturesToTheVisiblePart) {
  window->Document().SetDirty(false);
  host.AnswerNewProject("10000");
  auto longWindow = std::make_unique<TMDIChild>(host);
  longWindow->resize(900, 700);
  longWindow->show();
  ASSERT_TRUE(longWindow->Document().New());
  while (longWindow->ApplyScaleCommand(TMDIChild::ScaleCommand::DistancesPlus)) {
  }
  EXPECT_EQ(longWindow->ColumnCount(), 4000001);
  longWindow->InputForm().RenderNow();
  longWindow->ShowForm().RenderNow();
  EXPECT_LT(longWindow->InputForm().Backing().Width(), 2000);
  EXPECT_LT(longWindow->ShowForm().Backing().Width(), 2000);
  longWindow->ScrollBar1().setValue(3000000);
  Settle();
  longWindow->InputForm().RenderNow();
  EXPECT_TRUE(longWindow->InputForm().Backing().Covered().contains(
      longWindow->InputForm().visibleRegion().boundingRect()));
  EXPECT_GE(longWindow->InputForm().Backing().Covered().left(), 3000000 - 63 - 256);
  longWindow->Document().SetDirty(false);
}

TEST_F(DocumentWindowTest, ADoubleClickWithTheSelectToolOpensTheInspector) {
  Click(50, base() - 20);
  view().SelectTool(TInputForm::SelectToolCode);
  QTest::mouseDClick(&view(), Qt::LeftButton, {}, QPoint(50, base() - 10));
  EXPECT_TRUE(host.inspectorVisible);
  EXPECT_EQ(host.inspected, beam().Charges[0].get());
  host.inspectorVisible = false;
  view().SelectTool(TInputForm::ForceToolCode);
  QTest::mouseDClick(&view(), Qt::LeftButton, {}, QPoint(80, base() - 10));
  EXPECT_FALSE(host.inspectorVisible);
}

TEST_F(DocumentWindowTest, ToolsShowTheirHints) {
  view().SelectTool(TInputForm::HingeToolCode);
  EXPECT_EQ(view().toolTip(), "Click here to create a new hinge");
  EXPECT_EQ(view().cursor().shape(), Qt::BlankCursor);
  view().SelectTool(TInputForm::ViceToolCode);
  EXPECT_EQ(view().toolTip(), "Click here to create a new vice");
  view().SelectTool(TInputForm::SelectToolCode);
  EXPECT_EQ(view().toolTip(), "Click on an object to select it");
  EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
  beam().InsertSupport(0.4, ftVice);
  beam().AddCharge(charge(10, 1500, &view()));
  QTest::mouseMove(&view(), QPoint(10, base() + 2));
  // 1500 N at 9.6 m from the vice: the vice holds 14400 Nm counter-clockwise.
  EXPECT_EQ(view().toolTip(), "Vice\nReaction: 1500.0000 N\nMoment: 14400.0000 Nm");
}

TEST(ScaleStepTest, RoundsToTwoAndAHalfFiveOrTwelveAndAHalf) {
  EXPECT_EQ(TMDIChild::RoundToScaleStep(2.5), 5);
  EXPECT_EQ(TMDIChild::RoundToScaleStep(5), 5);
  EXPECT_EQ(TMDIChild::RoundToScaleStep(5.01), 12.5);
  EXPECT_EQ(TMDIChild::RoundToScaleStep(250.0 / 3), 125);
  EXPECT_EQ(TMDIChild::RoundToScaleStep(250 * 1.5), 500);
}

TEST_F(DocumentWindowTest, ScaleCommandsWalkTheirSequences) {
  std::vector<double> forces;
  while (window->ApplyScaleCommand(TMDIChild::ScaleCommand::ForcesPlus))
    forces.push_back(window->ForceScale());
  forces.push_back(window->ForceScale());
  EXPECT_EQ(forces, (std::vector<double>{125, 50, 25, 12.5, 5, 2.5}));
  std::vector<double> moments;
  while (window->ApplyScaleCommand(TMDIChild::ScaleCommand::MomentsMinus))
    moments.push_back(window->MomentScale());
  moments.push_back(window->MomentScale());
  EXPECT_EQ(moments,
            (std::vector<double>{1250, 2500, 5000, 12500, 25000, 50000, 125000, 250000, 500000, 1250000}));
  std::vector<double> distances;
  while (window->ApplyScaleCommand(TMDIChild::ScaleCommand::DistancesPlus))
    distances.push_back(window->DistanceScale());
  distances.push_back(window->DistanceScale());
  EXPECT_EQ(distances, (std::vector<double>{0.02, 0.01, 0.005, 0.0025}));
}

TEST(AxisLabelTest, ForceAxisLabelsEveryOtherGridLine) {
  const auto labels = TVAxis::Labels(TVAxis::Kind::Force, 117, 250, true, 63);
  ASSERT_EQ(labels.size(), 5);
  EXPECT_EQ(labels[0], (TVAxis::Label{61, 192, " -20000 N"}));
  EXPECT_EQ(labels[2], (TVAxis::Label{61, 112, "      0 N"}));
  EXPECT_EQ(labels[4], (TVAxis::Label{61, 32, "  20000 N"}));
  // Moments drawn on the tension side: hogging above the line.
  const auto moments = TVAxis::Labels(TVAxis::Kind::Moment, 117, 500, false, 63);
  EXPECT_EQ(moments[3], (TVAxis::Label{0, 72, "  -20000 ft-lbf"}));
  EXPECT_TRUE(TVAxis::Labels(TVAxis::Kind::Force, 20 * 1001, 250, true, 63).isEmpty());
}

TEST(AxisLabelTest, DistanceAxisLabelsEveryFiftyColumns) {
  const auto one = THAxisBox::Labels(49, 0.04, true);
  ASSERT_EQ(one.size(), 1);
  EXPECT_EQ(one[0], (TVAxis::Label{63, 0, "    0.00 m"}));
  const auto two = THAxisBox::Labels(50, 0.04, true);
  ASSERT_EQ(two.size(), 2);
  EXPECT_EQ(two[1], (TVAxis::Label{113, 0, "    2.00 m"}));
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

TEST_F(DocumentWindowTest, HoverGhostsComeAndGoWithoutARepaint) {
  view().RenderNow();
  const QImage clean = view().Backing().image().copy();
  QTest::mouseMove(&view(), QPoint(80, base() - 30));
  EXPECT_NE(view().Backing().image(), clean) << "the arrow ghost is drawn";
  EXPECT_EQ(view().cursor().shape(), Qt::BlankCursor);
  QTest::mouseMove(&view(), QPoint(90, base() - 30));
  QTest::mouseMove(&view(), QPoint(377, base() - 30));  // past the last column: the ghost goes
  EXPECT_EQ(view().Backing().image(), clean);
  EXPECT_FALSE(view().Tracking);
  EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DocumentWindowTest, ARightClickPlacesAHingeBeforeThePopup) {
  view().SelectTool(TInputForm::HingeToolCode);
  // Notes the popup when it shows; the suite's watchdog closes it.
  struct PopupSpy : QObject {
    bool shown = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Show && qobject_cast<QMenu*>(watched)) shown = true;
      return false;
    }
  } spy;
  qApp->installEventFilter(&spy);
  QTest::mousePress(&view(), Qt::RightButton, {}, QPoint(100, base()));
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(100, base()),
                         view().mapToGlobal(QPoint(100, base())));
  QApplication::sendEvent(&view(), &menu);
  Settle();
  qApp->removeEventFilter(&spy);
  EXPECT_TRUE(spy.shown);
  EXPECT_EQ(beam().SupportCount(), 1);
  EXPECT_FALSE(view().ButtonDown) << "the menu ended the gesture";
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Clear all destroys every object: a selected one must not be touched
// afterwards, neither by the selection nor by the analysis steps.
TEST_F(DocumentWindowTest, ClearAllWithASelectedObject) {
  for (int tool : {TInputForm::HingeToolCode, TInputForm::ForceToolCode}) {
    SCOPED_TRACE(tool);
    view().SelectTool(tool);
    Click(50, base() - 20 * (tool == TInputForm::ForceToolCode));
    ASSERT_NE(view().SelectedObject(), nullptr);
    host.dialogs.answers = {DialogButton::Yes};
    window->ClearAll();
    EXPECT_EQ(view().SelectedObject(), nullptr);
    EXPECT_EQ(host.inspected, nullptr);
    EXPECT_TRUE(beam().Charges.empty());
    EXPECT_EQ(beam().SupportCount(), 0);
    view().RenderNow();
    bool done = false;
    for (int steps = 0; !done && steps < 1000; ++steps) window->IdleStep(done);
    EXPECT_TRUE(done);
    EXPECT_EQ(host.undo.caption, "Can't &undo");
    EXPECT_FALSE(host.undo.enabled);
  }
}

TEST_F(DocumentWindowTest, UndoOfAMoveIgnoresAZoomInBetween) {
  view().SelectTool(TInputForm::HingeToolCode);
  Click(100, base());
  view().SelectTool(TInputForm::SelectToolCode);
  Drag(QPoint(100, base()), QPoint(120, base()));
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, 4.8);
  window->SetDistanceScale(0.02);
  window->UndoStack()->Undo();
  EXPECT_EQ(beam().FirstSupport()->X1, 4);
  window->UndoStack()->Redo();
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, 4.8);
}

// A key that edits in the middle of a drag ends the drag first: the force
// is deleted from where it was, and Undo brings it back there.
TEST_F(DocumentWindowTest, ADeleteDuringADragTakesTheObjectFromWhereItWas) {
  Click(50, base() - 20);
  view().SelectTool(TInputForm::SelectToolCode);
  QTest::mouseMove(&view(), QPoint(50, base() - 10));
  QTest::mousePress(&view(), Qt::LeftButton, {}, QPoint(50, base() - 10));
  for (int x = 55; x <= 90; x += 5) QTest::mouseMove(&view(), QPoint(x, base() - 10));
  ASSERT_NE(beam().Charges[0]->x, 2) << "the drag shows the force moving";
  Key(Qt::Key_Delete);
  EXPECT_FALSE(view().ButtonDown);
  QTest::mouseRelease(&view(), Qt::LeftButton, {}, QPoint(90, base() - 10));
  Settle();
  EXPECT_TRUE(beam().Charges.empty());
  window->UndoStack()->Undo();
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(beam().Charges[0]->x, 2);
}

// A press whose release never reaches the view (a question took it, or
// the button came up elsewhere) leaves no gesture behind.
TEST_F(DocumentWindowTest, AGestureWhoseReleaseIsLostEndsQuietly) {
  for (bool question : {true, false}) {
    SCOPED_TRACE(question ? "a question between" : "released elsewhere");
    host.dialogs.answers = {DialogButton::Yes};
    window->ClearAll();  // no objects and an empty history for each row
    QTest::mouseMove(&view(), QPoint(50, base()));
    QTest::mousePress(&view(), Qt::LeftButton, {}, QPoint(50, base()));
    QTest::mouseMove(&view(), QPoint(60, base() - 10));
    if (question) {
      host.dialogs.answers = {DialogButton::No};
      window->ClearAll();
    }
    QTest::mouseRelease(&window->ShowForm(), Qt::LeftButton, {}, QPoint(60, 10));
    QTest::mouseMove(&view(), QPoint(100, base() - 30));
    EXPECT_FALSE(view().ButtonDown);
    Click(120, base() - 20);
    EXPECT_EQ(beam().Charges.size(), 1u);
    EXPECT_TRUE(beam().DistrCharges.empty()) << "no load from the old press point";
  }
}

TEST_F(DocumentWindowTest, AClickOnTheLastColumnIsAClickThere) {
  const int last = window->ColumnCount();
  Click(last, base() - 20);
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_TRUE(beam().DistrCharges.empty());
  EXPECT_DOUBLE_EQ(beam().Charges[0]->x, last * 0.04);

  view().SelectTool(TInputForm::HingeToolCode);
  Click(last, base());
  ASSERT_EQ(beam().SupportCount(), 1);
  view().SelectTool(TInputForm::SelectToolCode);
  Click(last, base() + 2);
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, last * 0.04);
  EXPECT_EQ(host.undo.caption, "&Undo support") << "no move was recorded";
}

TEST_F(DocumentWindowTest, ADoubleClickOutsideTheBeamLeavesTheInspectorAlone) {
  Click(50, base() - 20);
  view().SelectTool(TInputForm::SelectToolCode);
  for (int x : {0, window->ColumnCount() + 1}) {
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, QPoint(x, base() - 10));
    EXPECT_FALSE(host.inspectorVisible) << x;
  }
}

// Only the selection is shown: undoing an edit of another object leaves
// the inspector where it was.
TEST_F(DocumentWindowTest, TheInspectorFollowsTheSelectionNotTheLastEdit) {
  view().SelectTool(TInputForm::HingeToolCode);
  Click(50, base());
  Click(150, base());
  element* t = beam().FirstSupport();
  Key(Qt::Key_Right);  // moves the second support
  view().SelectObject(t);
  host.inspectorVisible = true;
  window->UndoStack()->Undo();
  EXPECT_EQ(host.inspected, t);
  window->UndoStack()->Undo();  // the second support goes
  EXPECT_EQ(host.inspected, t);
  EXPECT_TRUE(test::ChainIsConsistent(beam()));
}

}  // namespace
}  // namespace trevan
