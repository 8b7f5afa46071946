#include <QScrollArea>

#include "TShowForm.h"
#include "WindowFixture.h"

namespace trevan {
namespace {

using DiagramDrawingTest = test::WindowFixture;

// The drawing rules of the diagrams, pixel by pixel, on stored columns: a
// 235-pixel view (zero line 117), 376 columns, 250 N and 500 Nm a pixel.
TEST_F(DiagramDrawingTest, GridAndCurvesFollowTheDrawingRules) {
  TMDIChild& window = Open("15");
  TShowForm& view = window.ShowForm();
  ASSERT_EQ(view.height(), 235);
  ASSERT_EQ(view.ZeroLine(), 117);
  ASSERT_EQ(window.ColumnCount(), 376);
  auto& shear = view.ShearColumns();
  auto& moment = view.MomentColumns();
  auto fill = [](std::vector<double>& columns, int from, int to, double v) {
    for (int i = from; i < to; ++i) columns[i] = v;
  };
  fill(shear, 0, 376, 0);
  fill(shear, 110, 160, -750);   // 3 rows down at column 110: a sloped step
  fill(shear, 160, 210, -1750);  // 4 more at column 160: a stroke and a gap
  fill(shear, 250, 260, 249);    // truncated to the zero line
  fill(shear, 260, 270, -251);   // one row below it
  fill(moment, 0, 376, 25000);   // 50 rows above the zero line
  view.RenderNow();

  const Rgb silver = Rgb::FromRgb(192, 192, 192), black = Rgb::FromRgb(0, 0, 0);
  const Rgb forces = window.ForcesColour(), moments = window.MomentsColour();
  const struct {
    int x, y;
    Rgb colour;
    bool is;
    const char* why;
  } pixels[] = {
      {300, 17, silver, true, "top grid line, i = 5"},
      {300, 217, silver, true, "grid line i = -5"},
      {310, 27, silver, false, "between grid lines"},
      {185, 117, black, true, "the zero line is black"},
      {375, 37, silver, true, "grid lines reach the last column"},
      {376, 37, silver, false, "and stop there"},
      {350, 30, silver, true, "vertical grid line at column 350"},
      {325, 30, silver, false, "none between"},
      {350, 233, silver, true, "vertical lines run to twice the zero line"},
      {350, 234, silver, false, "and stop there"},
      {10, 117, forces, true, "zero shear lies on the zero line"},
      {110, 119, forces, false, "a 3-row step is sloped, not a stroke in its column"},
      {111, 120, forces, true, "and goes on from the next column"},
      {160, 121, forces, true, "a 4-row step is a stroke in its column"},
      {160, 123, forces, true, "down to the row before the new value"},
      {160, 124, forces, false, "then a one-pixel gap"},
      {161, 124, forces, true, "the curve goes on at the new value"},
      {210, 118, forces, true, "a stroke back up"},
      {210, 117, black, true, "whose last row is the gap"},
      {255, 117, forces, true, "249 N truncates to the zero line"},
      {265, 118, forces, true, "-251 N lies one row below"},
      {265, 117, black, true, "and leaves the zero line black"},
      {0, 90, moments, true, "the moment starts with a stroke in column 0"},
      {0, 67, moments, true, "up to its first value"},
      {0, 118, moments, false, "from the zero line"},
      {220, 67, moments, true, "the moment at 25000 Nm: 50 rows up"},
  };
  const ImageCanvas& canvas = view.Backing();
  ASSERT_TRUE(canvas.Covered().contains(QRect(0, 0, 378, 235)));
  for (const auto& p : pixels) {
    const Rgb got = canvas.GetPixel(p.x, p.y);
    EXPECT_EQ(got == p.colour, p.is) << "(" << p.x << ", " << p.y << "): " << p.why << "; got " << got.Red()
                                     << "," << got.Green() << "," << got.Blue();
  }
}

}  // namespace
}  // namespace trevan
