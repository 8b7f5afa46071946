#include <QScrollArea>

#include "TInputForm.h"
#include "TShowForm.h"
#include "TVAxis.h"
#include "WindowFixture.h"
#include "beam/Beam.h"
#include "drawing/DiagramSigns.h"

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
  // The columns keep the opposite sign of the numbers shown: a column of
  // 750 is a shear of -750 N, drawn below the line; 25000 is a hogging
  // moment, drawn above it on the tension side.
  fill(shear, 0, 376, 0);
  fill(shear, 110, 160, 750);   // 3 rows down at column 110: a sloped step
  fill(shear, 160, 210, 1750);  // 4 more at column 160: a stroke and a gap
  fill(shear, 250, 260, -249);  // truncated to the zero line
  fill(shear, 260, 270, 251);   // one row below it
  fill(moment, 0, 376, 25000);  // 50 rows above the zero line
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

// Two spans of 5 m (hinges at 0, 5, 10), 10 kN/m throughout and 20 kN at
// 7.5 m: the middle support carries -wL^2/8 - 3PL/32 = -40625 Nm, the
// right span sags to R_C 2.5 - w 2.5^2 / 2 = 35937.5 Nm under the load
// (R_C = 25000 + 10000 - 40625 / 5 = 26875 N); just right of the middle
// support the shear is P + 5 w - R_C = 43125 N, the largest. Every label
// carries the value's own sign; the drawing side and the axis follow the
// choice of how moments are drawn.
TEST_F(DiagramDrawingTest, OneSignEverywhereAndTheMomentSideAsChosen) {
  TMDIChild& window = Open("10");
  TTrevanDoc& beam = *window.Beam();
  for (double x : {0.0, 5.0, 10.0}) beam.InsertSupport(x, ftHinge);
  beam.AddDistrCharge(distrcharge(0, 10, 10000, 10000, &window.InputForm()));
  beam.AddCharge(charge(7.5, 20000, &window.InputForm()));
  window.SetMomentScale(500);
  window.SetForceScale(500);
  for (const bool up : {false, true}) {
    DiagramSigns::SetSaggingUp(up);
    window.Recalculate();
    RunAnalysis(window);
    TShowForm& view = window.ShowForm();
    view.RenderNow();
    const int zero = view.ZeroLine();
    std::vector<std::string> texts;
    for (const auto& label : view.PlacedValueLabels()) {
      texts.push_back(label.text);
      const bool sagging = label.text.rfind("35937", 0) == 0;
      if (sagging || label.text.rfind("-40625", 0) == 0) {
        EXPECT_EQ(label.box.Top > zero, sagging != up) << label.text << (up ? ", sagging up" : ", tension side");
      }
      if (label.text.rfind("V=", 0) == 0) {
        EXPECT_LT(label.box.Bottom, zero) << "positive shear lies above";
      }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"35938 Nm at 7.5 m", "-40625 Nm at 5 m", "V=43125 N at 5 m"}));
    // Under the force the moment curve lies below the line on the tension side
    // (looked at without the labels, which share its colour).
    ValueLabels::SetEnabled(false);
    view.RenderNow();
    ValueLabels::SetEnabled(true);
    const Rgb moments = window.MomentsColour();
    int below = 0, above = 0;
    for (int y = 0; y < view.height(); ++y)
      if (view.Backing().GetPixel(187, y) == moments) (y > zero ? below : above)++;
    EXPECT_GT(up ? above : below, 0);
    EXPECT_EQ(up ? below : above, 0);
    const auto axis = TVAxis::Labels(TVAxis::Kind::Moment, 117, 500, true, 63);
    EXPECT_EQ(axis.back().text, up ? "   40000 Nm" : "  -40000 Nm") << "the top of the axis";
  }
  DiagramSigns::SetSaggingUp(false);
}

}  // namespace
}  // namespace trevan
