#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "MainWindowFixture.h"
#include "TQPropertyInspector.h"
#include "TShowForm.h"
#include "TResultsPanel.h"
#include "TViewCommands.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"

namespace trevan {
namespace {

// Placement, dragging and pasting through the real main window. A new
// metric beam starts at 0.04 m per pixel column: column c stands for
// c × 0.04 m, so on a 10 m beam column 250 is its right end.
class InputViewTest : public test::MainWindowFixture {
 protected:
  void Start(QStringList lengths = {"10"}) {
    for (const QString& length : lengths) dialogs.AnswerNewProject(length);
    main = std::make_unique<TMainForm>(dialogs);
    main->show();
    PinScales();
    for (qsizetype i = 1; i < lengths.size(); ++i) Run("FileNew");
  }
  TInputForm& View() { return Active()->InputForm(); }
  TTrevanDoc& Beam() { return *Active()->Beam(); }
  int Base() { return View().BaseLine(); }
  void Click(int x, int y) { MainWindowFixture::Click(Active(), x, y); }
  std::vector<double> SupportPositions() {
    std::vector<double> xs;
    for (const element* e = Beam().FirstSupport(); e; e = e->Next.get()) xs.push_back(e->X1);
    return xs;
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&View(), Qt::LeftButton, {}, from);
    const int step = from.x() < to.x() ? 1 : -1;
    for (int x = from.x(); x != to.x(); x += step) QTest::mouseMove(&View(), QPoint(x + step, to.y()));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, to);
    Settle();
  }
};

// Column 0 is x = 0 and the last column is x = L; past the end a click
// means the end, and a support within 4 columns of an end goes to the end.
TEST_F(InputViewTest, ClicksPlaceObjectsExactlyAtBothEnds) {
  Start();
  struct Row {
    const char* tool;
    int column;
    double x;  // m
  };
  for (const Row& r :
       {Row{"HingeToolAction", 0, 0}, Row{"RollerToolAction", 251, 10}, Row{"ViceToolAction", 100, 4},
        Row{"ForceToolAction", 0, 0}, Row{"ForceToolAction", 251, 10}, Row{"ForceToolAction", 3, 0.12}}) {
    Run(r.tool);
    Click(r.column, Base() - 8);
    const object* placed = View().SelectedObject();
    ASSERT_NE(placed, nullptr) << r.tool << " at column " << r.column;
    EXPECT_DOUBLE_EQ(placed->GetPlacement().first, r.x) << r.tool << " at column " << r.column;
  }
  Run("EditUndo1");
  Run("EditUndo1");
  Run("EditUndo1");
  Run("HingeToolAction");
  Click(3, Base());  // snaps to the hinge already at 0: nothing added
  Click(247, Base());
  EXPECT_EQ(SupportPositions(), (std::vector<double>{0, 4, 10}));
  EXPECT_EQ(Beam().SupportCount(), 3);
}

// 500 Nm a pixel: 8 pixels above the line are 4000 Nm counter-clockwise,
// 6 below 3000 Nm clockwise. A hinge in the beam goes where it is
// clicked, but never onto the vice, which says why.
TEST_F(InputViewTest, MomentAndHingeInBeamToolsPlaceTheirObjects) {
  Start();
  Run("MomentToolAction");
  Click(100, Base() - 8);
  Click(200, Base() + 6);
  ASSERT_EQ(Beam().Moments.size(), 2u);
  EXPECT_DOUBLE_EQ(Beam().Moments[0]->x, 4);
  EXPECT_EQ(Beam().Moments[0]->m, 4000);
  EXPECT_DOUBLE_EQ(Beam().Moments[1]->x, 8);
  EXPECT_EQ(Beam().Moments[1]->m, -3000);
  EXPECT_EQ(View().SelectedObject(), Beam().Moments[1].get());

  Run("ViceToolAction");
  Click(250, Base());
  Run("BeamHingeToolAction");
  Click(50, Base());
  ASSERT_EQ(Beam().Hinges.size(), 1u);
  EXPECT_DOUBLE_EQ(Beam().Hinges[0]->x, 2);
  dialogs.answers = {DialogButton::Ok};
  Click(250, Base());
  EXPECT_EQ(Beam().Hinges.size(), 1u);
  ASSERT_FALSE(dialogs.asked.empty());
  EXPECT_TRUE(dialogs.asked.back().text.contains("vice")) << dialogs.asked.back().text.toStdString();
  Run("EditUndo1");
  EXPECT_TRUE(Beam().Hinges.empty());
}

// A 10 m beam with a 500 N force stored at 10.5 m and a hinge at 10.3 m:
// they stay, but no analysis counts them, and the user is told which they are.
TEST_F(InputViewTest, AFileWithALoadPastTheEndOpensWithAMessage) {
  const QString path = File("past.tvn");
  std::ofstream(path.toStdString())
      << "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10.000000000 \r\nnumber of forces :2 \r\n"
         "charge(x,f) :4.000000000 1000.000000000 \r\ncharge(x,f) :10.500000000 500.000000000 \r\n"
         "number of distributed loads :0 \r\nnumber of supports :3 \r\n"
         "support(X,type) :0.000000000 3 \r\nsupport(X,type) :10.000000000 3 \r\n"
         "support(X,type) :10.300000000 3 \r\n";
  dialogs.answers = {DialogButton::Ok};
  main = std::make_unique<TMainForm>(dialogs, QStringList{path});
  main->show();
  PinScales();
  ASSERT_NE(Active(), nullptr);
  ASSERT_FALSE(dialogs.asked.empty());
  const QString told = dialogs.asked.back().text;
  EXPECT_TRUE(told.contains("500 N at 10.5 m") && told.contains("support at 10.3 m")) << told.toStdString();
  ASSERT_EQ(Beam().Charges.size(), 2u) << "the file's objects are kept";
  ASSERT_EQ(Beam().SupportCount(), 3);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Active()->Analysis()->Done; }));
  // 1000 N at 4 m of a 10 m span: 600 N and 400 N, by moments about either end.
  const ExactResults exact = ExactSolver::Solve(ExactBeam::From(Beam()));
  ASSERT_EQ(exact.supports.size(), 3u);
  EXPECT_NEAR(exact.supports[0].reaction, 600, 1e-9);
  EXPECT_NEAR(exact.supports[1].reaction, 400, 1e-9);
  EXPECT_EQ(exact.supports[2].reaction, 0);
  const element& first = *Beam().FirstSupport();
  // The iterative analysis agrees within its balance tolerance.
  EXPECT_NEAR(first.Reaction(), 600, 0.01);
  EXPECT_NEAR(first.Next->Reaction(), 400, 0.01);
  EXPECT_EQ(first.Next->Next->Reaction(), 0);
}

// Hinges at 0, 5.2 and 8 m: the middle one dragged past 8 m stops one
// column (0.04 m) short of it, and keys stop there too.
TEST_F(InputViewTest, ADraggedSupportStopsOneColumnShortOfItsNeighbour) {
  Start({"8"});
  Click(0, Base());
  Click(130, Base());
  Click(200, Base());
  ASSERT_EQ(SupportPositions(), (std::vector<double>{0, 5.2, 8}));
  Run("SelectToolAction");
  Drag(QPoint(130, Base()), QPoint(201, Base()));
  EXPECT_NEAR(SupportPositions()[1], 8 - 0.04, 1e-9);
  QTest::keyClick(&View(), Qt::Key_Right);
  EXPECT_NEAR(SupportPositions()[1], 8 - 0.04, 1e-9);
  // Column 190 is in reach of the middle hinge only: 190 columns left, 0.36 m.
  Drag(QPoint(190, Base()), QPoint(0, Base()));
  EXPECT_NEAR(SupportPositions()[1], 0.36, 1e-9);
  for (int i = 0; i < 12; ++i) QTest::keyClick(&View(), Qt::Key_Left);
  EXPECT_NEAR(SupportPositions()[1], 0.04, 1e-9);
}

// Supports closer than 1 % of the shorter span beside them: the results
// panel says how close they are, in the beam's unit.
TEST_F(InputViewTest, CloseSupportsRaiseAWarningInTheResultsPanel) {
  Start();
  Beam().InsertSupport(0, ftHinge);
  Beam().InsertSupport(7.9999, ftHinge);
  Beam().InsertSupport(8, ftHinge);
  Run("ViewResults1");
  TResultsPanel& panel = main->ViewCommands().ResultsPanel();
  ASSERT_TRUE(panel.Warning()->isVisible());
  EXPECT_EQ(panel.Warning()->text(), "Supports 0.1 mm apart: reactions are very large");
  Active()->Beam()->RemoveSupport(*Beam().FirstSupport()->Next);
  Settle();
  EXPECT_FALSE(panel.Warning()->isVisible());
}

// A unit switch reselects in every window; the inspector stays on the
// active window's object and an edit reaches only that window's beam.
TEST_F(InputViewTest, AfterAUnitSwitchTheInspectorEditsOnlyTheActiveWindow) {
  Start({"10", "10", "10"});
  TMDIChild* hidden = Window(0);
  Activate(hidden);
  Run("ForceToolAction");
  Click(50, Base() - 4);
  charge& hiddenForce = *hidden->Beam()->Charges[0];
  TMDIChild* active = Window(2);
  Activate(active);
  Run("ForceToolAction");
  Click(100, Base() - 8);
  Run("EditProperties1");
  TQPropertyInspector& inspector = main->Inspector();
  main->Nonmetric1->trigger();
  Settle();
  // 2000 N and 4 m in lbf (4.4482216152605 N) and ft (0.3048 m): ten figures.
  EXPECT_EQ(inspector.ValueListEditor1->item(0, 1)->text(), QString::number(2000 / 4.4482216152605, 'g', 10));
  EXPECT_EQ(inspector.ValueListEditor1->item(1, 1)->text(), QString::number(4 / 0.3048, 'g', 10));
  main->Metric1->trigger();
  Settle();
  EXPECT_EQ(inspector.ValueListEditor1->item(0, 1)->text(), "2000") << "not 1999.99999999999";
  EXPECT_EQ(inspector.TargetObject(), Active()->InputForm().SelectedObject());
  const double before = hiddenForce.f;
  inspector.ValueListEditor1->item(0, 1)->setText("1234");
  EXPECT_EQ(hiddenForce.f, before);
  EXPECT_EQ(active->Beam()->Charges[0]->f, 1234);
}

// Paste: at the pointer's column over the beam, else where the object was
// copied from when that lies on the beam, else mid-beam.
TEST_F(InputViewTest, PasteLandsAtThePointerTheCopiedPlaceOrMidBeam) {
  Start({"10", "5"});
  TMDIChild* longBeam = Window(0);
  Activate(longBeam);
  Run("ForceToolAction");
  Click(200, Base() - 4);  // 8 m
  QCursor::setPos(main->mapToGlobal(QPoint(-100, -100)));
  Run("EditCopy1");
  Run("EditPaste1");
  ASSERT_EQ(Beam().Charges.size(), 2u);
  EXPECT_DOUBLE_EQ(Beam().Charges[1]->x, 8) << "the copied place";
  QCursor::setPos(View().mapToGlobal(QPoint(75, Base())));
  Run("EditPaste1");
  ASSERT_EQ(Beam().Charges.size(), 3u);
  EXPECT_DOUBLE_EQ(Beam().Charges[2]->x, 3) << "the pointer's column";
  QCursor::setPos(main->mapToGlobal(QPoint(-100, -100)));
  Activate(Window(1));
  Run("EditPaste1");
  ASSERT_EQ(Beam().Charges.size(), 1u);
  EXPECT_DOUBLE_EQ(Beam().Charges[0]->x, 2.5) << "8 m is off a 5 m beam: mid-beam";
}

// On a dark desktop theme the panes stay white, so that the drawing
// colours, chosen for paper, keep their contrast.
TEST_F(InputViewTest, ThePanesStayWhiteOnADarkTheme) {
  const QPalette previous = QApplication::palette();
  QPalette dark = previous;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) dark.setColor(role, QColor(30, 30, 30));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) dark.setColor(role, Qt::white);
  QApplication::setPalette(dark);
  Start();
  View().RenderNow();
  Active()->ShowForm().RenderNow();
  // Between the grid lines, 10 pixels below the beam line and the zero line.
  const auto paper = [](const TBackedView& view, int line) {
    const QPoint o = view.Backing().Origin();
    return view.Backing().image().pixel(25 - o.x(), line + 10 - o.y());
  };
  EXPECT_EQ(paper(View(), Base()), qRgb(255, 255, 255));
  EXPECT_EQ(paper(Active()->ShowForm(), Active()->ShowForm().ZeroLine()), qRgb(255, 255, 255));
  QApplication::setPalette(previous);
}

}  // namespace
}  // namespace trevan
