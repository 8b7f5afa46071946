#include <climits>

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

#include "THAxisBox.h"
#include "TInputForm.h"
#include "TShowForm.h"
#include "WindowFixture.h"
#include "hosts/AnalysisWindow.h"

namespace trevan {

inline void PrintTo(const TVAxis::Label& label, std::ostream* out) {
  *out << "(" << label.x << ", " << label.y << ", \"" << label.text.toStdString() << "\")";
}

namespace {

using WindowLayoutTest = test::WindowFixture;

// Where column c of the diagrams view lies in the lower pane's viewport.
int ColumnInViewport(TMDIChild& window, int c) {
  return window.ShowForm().mapTo(window.GraphScrollBox().viewport(), QPoint(c, 0)).x();
}

TEST_F(WindowLayoutTest, AUnitSwitchGivesTheScrollBarTheNewColumns) {
  const struct {
    const char* length;
    int unit;
    bool toMetric;
  } rows[] = {{"3000", 1, true}, {"1000", 0, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.length) + (row.toMetric ? " ft to metric" : " m to feet"));
    TMDIChild& window = Open(row.length, row.unit);
    QScrollBar& bar = window.ScrollBar1();
    bar.setValue(bar.maximum());
    window.SetUnitSystem(row.toMetric);
    Settle();
    EXPECT_EQ(window.ScrollMaximum(), window.ColumnCount());
    bar.setValue(bar.maximum());
    Settle();
    const int right = window.GraphScrollBox().viewport()->width() - TVAxis::StripWidth;
    const int last = ColumnInViewport(window, window.ColumnCount() - 1);
    EXPECT_GE(last, TVAxis::StripWidth) << "the last column is reachable";
    EXPECT_LT(last, right);
    EXPECT_EQ(window.InputForm().x(), TVAxis::StripWidth - bar.value()) << "the panes follow the bar";
  }
}

TEST_F(WindowLayoutTest, TheUpperPaneIsHalfTheClientHeightLessFour) {
  const struct {
    int client;
    int upper;
  } rows[] = {{354, 173}, {355, 173}, {385, 188}, {700, 346}};
  TMDIChild& window = Open("15");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.client);
    window.resize(624, row.client);
    Settle();
    EXPECT_EQ(window.PTSplitter1().sizes().value(0), row.upper);
    window.PTSplitter1().setSizes({50, 50});
    window.Document1Activate();
    Settle();
    EXPECT_EQ(window.PTSplitter1().sizes().value(0), row.upper) << "on activation";
  }
}

TEST_F(WindowLayoutTest, BeamLineAndZeroLineOpenInTheMiddleOfTheirPanes) {
  for (QSize size : {QSize(624, 385), QSize(900, 700), QSize(1200, 330)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    TMDIChild& window = Open("15", 0, size);
    QScrollArea& upper = window.InputScrollBox();
    QScrollArea& lower = window.GraphScrollBox();
    // The middle of the view in the middle of the viewport, as far as the
    // scroll range lets it go.
    auto expected = [](QScrollArea& box, int viewHeight) {
      const int h = box.viewport()->height();
      return std::clamp(viewHeight / 2 - h / 2, 0, std::max(0, viewHeight - h));
    };
    EXPECT_EQ(upper.verticalScrollBar()->value(), expected(upper, window.InputForm().height()));
    EXPECT_EQ(lower.verticalScrollBar()->value(), expected(lower, window.ShowForm().height()));
  }
}

TEST_F(WindowLayoutTest, TheZeroLineStaysPutWhenTheDiagramsGrow) {
  TMDIChild& window = Open("15");
  QScrollBar& vertical = *window.GraphScrollBox().verticalScrollBar();
  const int before = window.ZeroLine() - vertical.value();
  TTrevanDoc& beam = *window.Beam();
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(15, ftHinge);
  // w L² / 8 = 281250 Nm: 562 pixels at 500 Nm a pixel, far above the pane.
  beam.AddDistrCharge(distrcharge(0, 15, 10000, 10000, &window.InputForm()));
  Settle();
  RunAnalysis(window);
  ASSERT_GT(window.ShowForm().height(), window.GraphScrollBox().viewport()->height());
  ASSERT_TRUE(vertical.isVisible());
  EXPECT_EQ(window.ZeroLine() - vertical.value(), before);
}

// However narrow the window, the two value axes stand apart and every column
// of the diagrams can be scrolled into the room between them.
TEST_F(WindowLayoutTest, InNarrowWindowsTheAxesNeverCoverTheDiagram) {
  for (const int width : {624, 300, 220, 160}) {
    SCOPED_TRACE(width);
    TMDIChild& window = Open("15", 0, QSize(width, 385));
    const QRect force = window.ForceAxis().geometry(), moment = window.MomentAxis().geometry();
    EXPECT_GE(moment.left(), force.right() + 1) << "the axes overlap";
    QScrollBar& along = window.ScrollBar1();
    for (const int position : {along.minimum(), along.maximum()}) {
      along.setValue(position);
      Settle();
      // Columns 0 to L / ds: the tick at L is the last.
      const int columns = ColumnCountFor(window.Beam()->Length, window.DistanceScale(), INT_MAX);
      if (position == along.minimum()) {
        EXPECT_GT(ColumnInViewport(window, 0), force.right()) << "column 0 under the force axis";
      }
      if (position == along.maximum()) {
        EXPECT_LT(ColumnInViewport(window, columns - 1), window.MomentAxis().geometry().left())
            << "the column at L under the moment axis";
      }
    }
  }
}

TEST(AxisLabelTest, DistanceAxisLabelsOnlyForTheAskedRange) {
  // 13 million columns: the last label stands at column 13 000 000.
  const auto far = THAxisBox::Labels(13'000'001, 0.0025, true, 259'998, 1'000'000);
  ASSERT_EQ(far.size(), 3);
  EXPECT_EQ(far[0], (TVAxis::Label{50 * 259'998 + 63, 0, "32499.75 m"}));
  EXPECT_EQ(far[2], (TVAxis::Label{50 * 260'000 + 63, 0, "32500.00 m"}));
  EXPECT_TRUE(THAxisBox::Labels(13'000'001, 0.0025, true, 260'001, 260'100).isEmpty());
  const auto middle = THAxisBox::Labels(1000, 0.1, false, 3, 4);
  ASSERT_EQ(middle.size(), 2);
  EXPECT_EQ(middle[0], (TVAxis::Label{213, 0, "   15.00 ft"}));
}

}  // namespace
}  // namespace trevan
