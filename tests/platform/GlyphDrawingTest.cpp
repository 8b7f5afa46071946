#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ImageCanvas.h"
#include "RecordingMessages.h"
#include "SupportGlyphs.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

const Rgb White = Rgb::FromRgb(255, 255, 255);
const Rgb Glyph = Rgb::FromRgb(128, 0, 0);

// A headless window whose view has the real support pictures.
class GlyphWindow : public HeadlessWindow {
 public:
  using HeadlessWindow::HeadlessWindow;
  const Bitmap* SupportGlyph(TSupportType type) const override { return glyphs_.For(type); }

 private:
  SupportGlyphs glyphs_;
};

class GlyphDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    window.NewBeam(15);
    window.SetScales(10, 500, 0.04);  // 10 N per pixel, 25 columns per metre
    window.SetBaseLine(100);
  }
  TTrevanDoc& beam() { return *window.beam(); }
  // Painted pixels in column x between rows top and bottom (inclusive).
  int PaintedInColumn(int x, int top, int bottom) {
    int n = 0;
    for (int y = top; y <= bottom; ++y) n += canvas.GetPixel(x, y) != White;
    return n;
  }
  int Differences(const QImage& other) {
    int n = 0;
    for (int y = 0; y < other.height(); ++y)
      for (int x = 0; x < other.width(); ++x) n += other.pixel(x, y) != canvas.image().pixel(x, y);
    return n;
  }

  test::RecordingMessages messages;
  GlyphWindow window{messages};
  ImageCanvas canvas{700, 200};
};

TEST_F(GlyphDrawingTest, ForceArrowHasItsShaftAndHead) {
  canvas.SetPenColor(Glyph);
  charge(2, 600, &window).Draw(canvas, 0, 0);  // column 50, 60 pixels, head depth 10
  EXPECT_EQ(PaintedInColumn(50, 41, 100), 60);
  EXPECT_EQ(canvas.GetPixel(50, 40), White) << "the shaft's end point is not painted";
  EXPECT_EQ(canvas.GetPixel(47, 90), Glyph) << "left barb starts 10 rows up";
  EXPECT_EQ(canvas.GetPixel(49, 97), Glyph);
  EXPECT_EQ(canvas.GetPixel(53, 90), White) << "the right barb ends there, unpainted";
  EXPECT_EQ(canvas.GetPixel(52, 93), Glyph);
}

TEST_F(GlyphDrawingTest, SmallForceHasAFlatHead) {
  canvas.SetPenColor(Glyph);
  charge(2, 40, &window).Draw(canvas, 0, 0);  // 4 pixels, head depth 0
  EXPECT_EQ(PaintedInColumn(50, 90, 100), 4);
  EXPECT_EQ(canvas.GetPixel(47, 100), Glyph);
  EXPECT_EQ(canvas.GetPixel(52, 100), Glyph);
  EXPECT_EQ(canvas.GetPixel(53, 100), White);
}

TEST_F(GlyphDrawingTest, NegativeForcePointsUpFromBelow) {
  canvas.SetPenColor(Glyph);
  charge(2, -600, &window).Draw(canvas, 0, 0);
  EXPECT_EQ(PaintedInColumn(50, 100, 160), 60);
  EXPECT_EQ(canvas.GetPixel(50, 99), White);
  EXPECT_EQ(canvas.GetPixel(47, 110), Glyph);
}

TEST_F(GlyphDrawingTest, DistributedLoadIsHatchedEveryOtherColumn) {
  canvas.SetPenColor(Glyph);
  distrcharge(2, 2.4, 100, 300, &window).Draw(canvas, 0, 0);  // columns 50 to 60, 10 to 30 pixels
  EXPECT_EQ(PaintedInColumn(50, 0, 199), 10);
  EXPECT_EQ(PaintedInColumn(51, 0, 199), 0);
  EXPECT_EQ(PaintedInColumn(54, 0, 199), 18);  // 90 + (70 - 90) * 4 / 10 = 82
  EXPECT_EQ(PaintedInColumn(60, 0, 199), 30);
  EXPECT_EQ(PaintedInColumn(62, 0, 199), 0);
}

TEST_F(GlyphDrawingTest, LoadNarrowerThanAColumnDrawsNothingButCanBeHit) {
  canvas.SetPenColor(Glyph);
  const distrcharge narrow(2.0, 2.02, 100, 100, &window);
  narrow.Draw(canvas, 0, 0);
  EXPECT_EQ(PaintedInColumn(50, 0, 199), 0);
  EXPECT_EQ(narrow.GetBounds(), (Rect{50, 90, 50, 100}));
  EXPECT_TRUE(narrow.HitTest({55, 85}));
  EXPECT_FALSE(narrow.HitTest({56, 95}));
  EXPECT_FALSE(narrow.HitTest({50, 84}));
}

TEST_F(GlyphDrawingTest, RepeatedClicksReachTheObjectsBelow) {
  auto force = beam().AddCharge(charge(2, 500, &window));
  auto load = beam().AddDistrCharge(distrcharge(1.5, 2.5, 200, 200, &window));
  const Point click{50, 95};
  object* first = beam().FindObjectAt(click);
  EXPECT_EQ(first, force.get());
  window.SelectObject(first);
  object* second = beam().FindObjectAt(click);
  EXPECT_EQ(second, load.get());
  window.SelectObject(second);
  EXPECT_EQ(beam().FindObjectAt(click), force.get());
  window.SelectObject(force.get());
  EXPECT_EQ(beam().FindObjectAt({200, 95}), nullptr);
}

TEST_F(GlyphDrawingTest, RollerHasItsGlyphAndAHitBox) {
  element* roll = beam().InsertSupport(4, ftRoll);  // column 100
  ASSERT_NE(roll->Glyph, nullptr);
  const QImage blank = canvas.image();
  roll->Draw(canvas, 0, 0);
  EXPECT_GT(Differences(blank), 20);
  EXPECT_EQ(canvas.GetPixel(100, 101), Rgb::FromRgb(0, 0, 0)) << "the apex under the beam line";
  EXPECT_EQ(roll->GetBounds(), (Rect{96, 96, 108, 108}));
  EXPECT_EQ(beam().FindObjectAt({91, 113}), roll);
  EXPECT_EQ(beam().FindObjectAt({90, 100}), nullptr);
  EXPECT_EQ(beam().FindObjectAt({114, 100}), nullptr);
}

TEST_F(GlyphDrawingTest, SentinelIsNeverFound) {
  window.SetScales(10, 500, 1.0);  // the sentinel reaches column 0 at this scale
  EXPECT_EQ(beam().FindObjectAt({0, 100}), nullptr);
  EXPECT_EQ(beam().FindObjectAt({2, 98}), nullptr);
}

TEST_F(GlyphDrawingTest, SupportGlyphIsXoredAndComesOffAgain) {
  element* hinge = beam().InsertSupport(4, ftHinge);
  ASSERT_NE(hinge->Glyph, nullptr);
  const QImage blank = canvas.image();
  hinge->Draw(canvas, 0, 0);
  const int changed = Differences(blank);
  EXPECT_GT(changed, 20);
  EXPECT_EQ(canvas.GetPixel(100, 101), Rgb::FromRgb(0, 0, 0)) << "the apex under the beam line";
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 700; ++x)
      if (canvas.GetPixel(x, y) != White) {
        EXPECT_GE(x, 92);
        EXPECT_LT(x, 112);
        EXPECT_GE(y, 95);
        EXPECT_LT(y, 115);
      }
  hinge->Draw(canvas, 0, 0);
  EXPECT_EQ(Differences(blank), 0);
}

// The loads drawn together, a column at a time and only where the canvas
// holds the drawing, give the picture of every stroke of every load drawn
// alone: each second column from the load's start, from the beam line to
// the straight line between its ends, that row not painted.
TEST_F(GlyphDrawingTest, ManyLoadsShowEveryStrokeOfEachWhereverTheCanvasLooks) {
  struct Load {
    double x1, x2, f1, f2;
  };
  window.NewBeam(30);  // every load on the beam: loads past its ends take the warning colour
  window.SetScales(10, 500, 0.04);
  window.SetBaseLine(100);
  std::vector<Load> loads{{1.5, 2.5, 200, 200}, {0.02, 9.0, -300, 500}, {3.01, 27.0, 900, 100},
                          {5.0, 5.5, 50, 50},   {0, 28, 0.001, 0.001},  {12.3, 14.0, -80, -850}};
  // And many crossing each other: rising, falling, on even and odd columns.
  std::mt19937 random(5);
  std::uniform_real_distribution<double> along(0, 28), force(-900, 900);
  for (int i = 0; i < 300; ++i) {
    const double a = along(random), b = along(random);
    loads.push_back({std::min(a, b), std::max(a, b) + 0.04, force(random), force(random)});
  }
  for (const Load& l : loads) beam().AddDistrCharge(distrcharge(l.x1, l.x2, l.f1, l.f2, &window));
  for (const QPoint origin : {QPoint(0, 0), QPoint(333, 7)}) {
    SCOPED_TRACE(origin.x());
    canvas.SetOrigin(origin.x(), origin.y());
    canvas.Fill(White);
    canvas.SetPenColor(Glyph);
    beam().Draw(canvas);
    QImage expected(canvas.image().size(), QImage::Format_RGB32);
    expected.fill(ImageCanvas::ToQRgb(White));
    const auto paint = [&](long long x, long long y) {
      const QPoint p(static_cast<int>(x) - origin.x(), static_cast<int>(y) - origin.y());
      if (expected.rect().contains(p)) expected.setPixel(p, ImageCanvas::ToQRgb(Glyph));
    };
    for (const auto& l : loads) {
      const long long a1 = static_cast<long long>(l.x1 / 0.04), a2 = static_cast<long long>(l.x2 / 0.04);
      const long long y1 = static_cast<long long>(100 - l.f1 / 10), y2 = static_cast<long long>(100 - l.f2 / 10);
      for (long long i = a1; i <= a2; i += 2) {
        const long long y = y1 + (y2 - y1) * (i - a1) / (a2 - a1);
        for (long long row = std::min(y + 1, 100LL); row <= std::max(y - 1, 100LL); ++row)
          if (y != 100) paint(i, row);
      }
    }
    EXPECT_EQ(Differences(expected), 0);
  }
}

TEST_F(GlyphDrawingTest, BeamDrawsReactionsAsUpwardArrows) {
  beam().InsertSupport(0, ftHinge);
  beam().InsertSupport(10, ftHinge);
  beam().AddCharge(charge(5, 1000, &window));
  beam().Draw(canvas);
  EXPECT_EQ(PaintedInColumn(125, 0, 100), 100) << "the force";
  EXPECT_GE(PaintedInColumn(250, 101, 150), 45) << "a reaction of 500 N below the right support";
  EXPECT_EQ(canvas.GetPixel(250, 160), White);
}

TEST_F(GlyphDrawingTest, HandlesToggleAndRestore) {
  auto force = beam().AddCharge(charge(2, 300, &window));
  canvas.SetPenColor(Glyph);
  beam().Draw(canvas);
  const QImage drawn = canvas.image();
  force->ShowHandles(canvas, {50, 80});
  EXPECT_TRUE(force->Selected);
  EXPECT_EQ(Differences(drawn), 4 * 16);
  EXPECT_EQ(canvas.GetPixel(44, 64), Rgb::FromRgb(0, 0, 0)) << "top-left handle at Left-6, Top-6";
  EXPECT_FALSE(force->ToggleHandles(canvas));
  EXPECT_EQ(Differences(drawn), 0);
}

TEST_F(GlyphDrawingTest, DraggingThereAndBackRestoresThePicture) {
  auto force = beam().AddCharge(charge(2, 300, &window));
  beam().Draw(canvas);
  force->ShowHandles(canvas, {50, 80});
  const QImage start = canvas.image();
  force->DragTo(canvas, {50, 80});
  EXPECT_EQ(Differences(start), 0) << "no movement, no drawing";
  force->DragTo(canvas, {53, 82});
  EXPECT_DOUBLE_EQ(force->x, 2 + 3 * 0.04);
  EXPECT_GT(Differences(start), 0);
  // The feedback is drawn by inversion, so the old glyph is inverted away
  // rather than painted white; the view repaints once the drag ends.
  EXPECT_NE(canvas.GetPixel(53, 85), White) << "the shaft at its new column";
  EXPECT_NE(canvas.GetPixel(50, 85), Glyph) << "and no longer at the old one";
  force->DragTo(canvas, {50, 80});
  EXPECT_NEAR(force->x, 2, 1e-12);
  EXPECT_EQ(Differences(start), 0);
  EXPECT_TRUE(force->Selected);
}

}  // namespace
}  // namespace trevan
