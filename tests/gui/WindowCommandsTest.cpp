#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "ChildPlacement.h"
#include "MainWindowFixture.h"
#include "TDocument.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TPreviewForm.h"
#include "TShowForm.h"
#include "WindowPicture.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

class WindowCommandsTest : public test::MainWindowFixture {
 protected:
  void Start(const QString& length, QSize size = {780, 490}) {
    dialogs.AnswerNewProject(length, 0);
    main = std::make_unique<TMainForm>(dialogs);
    main->resize(size);
    main->show();
    PinScales();
  }
  void NewBeam(const QString& length) {
    dialogs.AnswerNewProject(length, 0);
    Run("FileNew");
  }
  // Every child window lies wholly in the area and is at least usable.
  void ExpectAllInSight() {
    const QRect area = main->MdiArea()->viewport()->rect();
    for (QMdiSubWindow* sub : main->MdiArea()->subWindowList()) {
      SCOPED_TRACE(sub->windowTitle().toStdString());
      EXPECT_TRUE(area.contains(sub->geometry()))
          << sub->geometry().x() << "," << sub->geometry().y() << " " << sub->width() << "x" << sub->height();
      EXPECT_GE(sub->width(), std::min(ChildPlacement::Usable.width(), area.width()));
      EXPECT_GE(sub->height(), std::min(ChildPlacement::Usable.height(), area.height()));
    }
  }
};

TEST_F(WindowCommandsTest, ScaleCommandsFollowTheActiveWindowsScales) {
  Start("15");
  TMDIChild* first = Active();
  QAction* plus = Cmd("DistancesPlusAction");
  QAction* minus = Cmd("DistancesMinusAction");
  for (int i = 0; i < 4; ++i) Run("DistancesPlusAction");
  EXPECT_EQ(first->DistanceScale(), 0.0025);
  EXPECT_FALSE(plus->isEnabled()) << "at its limit";
  Run("DistancesMinusAction");
  EXPECT_TRUE(plus->isEnabled()) << "the opposite command made room";
  Run("DistancesPlusAction");
  ASSERT_FALSE(plus->isEnabled());

  NewBeam("10");
  ASSERT_NE(Active(), first);
  EXPECT_TRUE(plus->isEnabled()) << "the new window has room";
  for (int i = 0; i < 5; ++i) Run("DistancesMinusAction");
  EXPECT_EQ(Active()->DistanceScale(), 1.28);
  EXPECT_FALSE(minus->isEnabled());

  main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
  Settle();
  EXPECT_FALSE(plus->isEnabled()) << "back in the first window";
  EXPECT_TRUE(minus->isEnabled());

  main->Nonmetric1->trigger();  // 0.0025 × 4 in the first window, 1.28 kept in the second
  Settle();
  EXPECT_EQ(first->DistanceScale(), 0.01);
  EXPECT_TRUE(plus->isEnabled()) << "after the unit switch";
  for (const char* name :
       {"ForcesPlusAction", "ForcesMinusAction", "MomentsPlusAction", "MomentsMinusAction"})
    EXPECT_TRUE(Cmd(name)->isEnabled()) << name;
}

TEST_F(WindowCommandsTest, NewWindowsAndCascadeStayInSightAtAUsableSize) {
  for (QSize size : {QSize(780, 490), QSize(1200, 800), QSize(640, 420)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    Start("15", size);
    NewBeam("10");
    Run("FilePrintPreview1");
    NewBeam("5");
    ASSERT_EQ(main->MdiArea()->subWindowList().size(), 4);
    {
      SCOPED_TRACE("as opened");
      ExpectAllInSight();
    }
    Run("WindowCascade1");
    {
      SCOPED_TRACE("cascaded");
      ExpectAllInSight();
    }
    TearDown();
  }
}

TEST(ChildPlacementTest, NewWindowsStepFromThePreviousOneAndFitTheArea) {
  const struct {
    QSize area;
    std::optional<QPoint> previous;
    QRect expected;
  } rows[] = {
      {{780, 400}, std::nullopt, {0, 0, 624, 385}},          // the first at the corner
      {{780, 400}, QPoint(0, 0), {24, 24, 624, 376}},        // a step on, a little lower
      {{780, 400}, QPoint(200, 100), {224, 124, 556, 276}},  // smaller, still usable
      {{780, 400}, QPoint(300, 150), {0, 0, 624, 385}},      // no usable room there: the corner
      {{500, 300}, std::nullopt, {0, 0, 500, 300}},          // the area is smaller than the design
      {{2000, 1000}, QPoint(100, 50), {124, 74, 624, 385}},  // plenty of room
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ChildPlacement::NewWindow(row.area, {624, 385}, row.previous, 24), row.expected)
        << row.area.width() << "x" << row.area.height();
  }
}

TEST(ChildPlacementTest, CascadeKeepsEveryWindowUsableAndInside) {
  const QList<QRect> three = ChildPlacement::Cascade({780, 400}, 3, 24);
  EXPECT_EQ(three, (QList<QRect>{{0, 0, 732, 352}, {24, 24, 732, 352}, {48, 48, 732, 352}}));
  // Twenty windows cannot all step on: 400 × 260 leaves room for six steps.
  const QList<QRect> twenty = ChildPlacement::Cascade({780, 400}, 20, 24);
  ASSERT_EQ(twenty.size(), 20);
  for (const QRect& r : twenty) {
    EXPECT_EQ(r.size(), QSize(400, 260));
    EXPECT_TRUE(QRect(0, 0, 780, 400).contains(r));
  }
  EXPECT_EQ(twenty[5].topLeft(), QPoint(120, 120));
  EXPECT_EQ(twenty[6].topLeft(), QPoint(0, 0));
}

// The window's picture as the printer gets it: the number of its columns in
// [from, to) that show the moments colour within the lower pane.
int MomentColumnsOnPage(TMDIChild& window, int from, int to) {
  const QSize pageSize(2480, 3508);
  QImage page(pageSize, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    RenderWindowImage(window, painter, pageSize.width(), pageSize.height());
  }
  const double factor =
      double(FitPicture(window.width(), window.height(), pageSize.width(), pageSize.height()).width()) /
      window.width();
  QWidget* viewport = window.GraphScrollBox().viewport();
  const QRect pane(viewport->mapTo(&window, QPoint(0, 0)), viewport->size());
  const Rgb m = window.MomentsColour();
  int count = 0;
  for (int x = from; x < to; ++x) {
    bool found = false;
    for (int y = pane.top(); !found && y <= pane.bottom(); ++y) {
      const QRgb p = page.pixel(int((x + 0.5) * factor), int((y + 0.5) * factor));
      found = qRed(p) == m.Red() && qGreen(p) == m.Green() && qBlue(p) == m.Blue();
    }
    count += found;
  }
  return count;
}

TEST_F(WindowCommandsTest, AScrolledWindowUnderItsPreviewPrintsItsCurves) {
  Start("1000");
  TMDIChild* window = Active();
  window->Beam()->InsertSupport(1000, ftVice);
  window->Beam()->AddCharge(charge(990, 1000, &window->InputForm()));
  window->ScrollBar1().setValue(window->ScrollBar1().maximum());
  Settle();
  Run("FilePrintPreview1");
  auto* preview = qobject_cast<TPreviewForm*>(main->MdiArea()->currentSubWindow()->widget());
  ASSERT_NE(preview, nullptr);
  preview->parentWidget()->move(0, 0);
  preview->parentWidget()->resize(main->MdiArea()->viewport()->size());
  Settle();
  ASSERT_TRUE(window->ShowForm().visibleRegion().isEmpty()) << "the preview covers the window";
  const int from = 63, to = window->GraphScrollBox().viewport()->width() - 63;
  EXPECT_GE(MomentColumnsOnPage(*window, from, to), (to - from) * 9 / 10);
}

}  // namespace
}  // namespace trevan
