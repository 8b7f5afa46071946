#include <QPainter>
#include <QTest>
#include <QScrollArea>
#include <QScrollBar>
#include <functional>

#include "TInputForm.h"
#include "TPreviewForm.h"
#include "TShowForm.h"
#include "WindowFixture.h"
#include "WindowPicture.h"

namespace trevan {
namespace {

// A4 at 300 dots an inch: the picture is enlarged onto it.
constexpr QSize Page(2480, 3508);

QRect LowerPane(TMDIChild& window) {
  QWidget* viewport = window.GraphScrollBox().viewport();
  return QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size());
}

// How many window columns in [from, to) show a pixel that passes the test
// within the lower pane, on an image holding the window's picture scaled by
// factor at origin.
int ColumnsWith(const QImage& image, QPoint origin, double factor, const QRect& pane, int from, int to,
                const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int x = from; x < to; ++x) {
    bool found = false;
    const int left = origin.x() + int(x * factor);
    const int right = std::max(left + 1, origin.x() + int((x + 1) * factor));
    for (int px = left; !found && px < right; ++px)
      for (int py = origin.y() + int(pane.top() * factor);
           !found && py < origin.y() + int((pane.bottom() + 1) * factor); ++py)
        found = px < image.width() && py < image.height() && test(image.pixel(px, py));
    count += found;
  }
  return count;
}

class WindowPictureTest : public test::WindowFixture {
 protected:
  // Shows windows inside a frame that a sibling then covers whole, as a
  // preview or another document covers a document window.
  TMDIChild& OpenCovered(const QString& length, QSize size) {
    frame.resize(size + QSize(20, 20));
    frame.show();
    TMDIChild& window = Open(length, 0, size, &frame);
    return window;
  }
  void Cover() {
    cover.setParent(&frame);
    cover.setGeometry(frame.rect());
    cover.setAutoFillBackground(true);
    cover.show();
    cover.raise();
    Settle();
  }
  // The window's picture on a printed page; the number of window columns in
  // [from, to) with curve pixels of the moments colour in the lower pane.
  int MomentColumnsOnPage(TMDIChild& window, int from, int to) {
    QImage page(Page, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      RenderWindowImage(window, painter, Page.width(), Page.height());
    }
    const double factor =
        double(FitPicture(window.width(), window.height(), Page.width(), Page.height()).width()) /
        window.width();
    const Rgb m = window.MomentsColour();
    const QRgb moment = qRgb(m.Red(), m.Green(), m.Blue());
    return ColumnsWith(page, {0, 0}, factor, LowerPane(window), from, to,
                       [moment](QRgb p) { return (p & 0xFFFFFF) == (moment & 0xFFFFFF); });
  }

  QWidget frame;
  QWidget cover;
};

TEST_F(WindowPictureTest, ALongBeamScrolledToItsEndPrintsItsCurvesWhenCovered) {
  TMDIChild& window = OpenCovered("1000", {900, 700});
  window.Beam()->InsertSupport(1000, ftVice);
  window.Beam()->AddCharge(charge(990, 1000, &window.InputForm()));
  Settle();
  window.ScrollBar1().setValue(window.ScrollBar1().maximum());
  Cover();
  ASSERT_TRUE(window.ShowForm().visibleRegion().isEmpty());
  const int from = 63, to = LowerPane(window).width() - 63;
  EXPECT_GE(MomentColumnsOnPage(window, from, to), (to - from) * 9 / 10);
}

TEST_F(WindowPictureTest, AWideWindowPrintsItsCurvesPastTheFirstThousandColumns) {
  TMDIChild& window = OpenCovered("15", {1700, 700});
  window.SetDistanceScale(0.01);  // 1501 columns, all in sight
  window.Beam()->InsertSupport(15, ftVice);
  window.Beam()->AddCharge(charge(14, 1000, &window.InputForm()));
  Settle();
  Cover();
  const int from = 63 + 1290, to = 63 + 1500;
  EXPECT_GE(MomentColumnsOnPage(window, from, to), (to - from) * 9 / 10);
}

TEST_F(WindowPictureTest, ATallDiagramPrintsItsLowerPartWhenCovered) {
  TMDIChild& window = OpenCovered("15", {900, 700});
  window.Beam()->InsertSupport(0, ftVice);
  // 24000 N × 14.9 m = 357600 Nm: the view grows to twice 715 pixels, and
  // the moment climbs from its bottom edge 1.92 rows a column.
  window.Beam()->AddCharge(charge(14.9, -24000, &window.InputForm()));
  Settle();
  RunAnalysis(window);
  ASSERT_EQ(window.ShowForm().height(), 1430);
  QScrollBar& vertical = *window.GraphScrollBox().verticalScrollBar();
  vertical.setValue(vertical.maximum());
  Cover();
  // The rows below 1280 hold the curve's first 78 columns.
  EXPECT_GE(MomentColumnsOnPage(window, 63, 63 + 150), 145);
}

// The preview shows the calculation sheet File | Print sends, page for page,
// with its diagrams in their colours.
TEST_F(WindowPictureTest, ThePreviewShowsThePrintedSheet) {
  TMDIChild& window = Open("15", 0, {900, 700});
  window.Beam()->InsertSupport(0, ftVice);
  window.Beam()->AddCharge(charge(5, 1000, &window.InputForm()));
  Settle();
  TPreviewForm preview(&window);
  preview.resize(688, 900);
  preview.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview.PageCount() == 1; })) << preview.PageCount();
  const QImage shown = preview.PaintBox1()->grab().toImage();
  int blue = 0, pink = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb p = shown.pixel(x, y);
      blue += qBlue(p) > qRed(p) + 30 && qBlue(p) > qGreen(p) + 30;
      pink += qRed(p) > qGreen(p) + 30 && qBlue(p) > qGreen(p) + 30;
    }
  EXPECT_GT(blue, 50) << "the shear diagram";
  EXPECT_GT(pink, 50) << "the moment diagram";
  // An edit of the beam redraws the pages.
  for (int i = 0; i < 60; ++i) window.Beam()->AddCharge(charge(0.2 * i, 100, &window.InputForm()));
  window.Recalculate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview.PageCount() == 2; })) << preview.PageCount();
}

}  // namespace
}  // namespace trevan
