#include <gtest/gtest.h>

#include <random>

#include "ImageBitmap.h"
#include "ImageCanvas.h"

namespace trevan {
namespace {

const Rgb White = Rgb::FromRgb(255, 255, 255);
const Rgb Black = Rgb::FromRgb(0, 0, 0);

// A canvas with a pattern, so inversion errors cannot hide in a flat colour.
ImageCanvas PatternCanvas(int w = 64, int h = 64) {
  ImageCanvas canvas(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) canvas.SetPixel(x, y, Rgb::FromRgb(x * 4, y * 4, (x ^ y) * 4));
  return canvas;
}

int CountDifferences(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(ImageCanvasTest, LineToLeavesItsEndPointAlone) {
  ImageCanvas canvas(20, 20);
  canvas.SetPenColor(Black);
  canvas.MoveTo(2, 2);
  canvas.LineTo(10, 2);
  EXPECT_EQ(canvas.GetPixel(2, 2), Black);
  EXPECT_EQ(canvas.GetPixel(9, 2), Black);
  EXPECT_EQ(canvas.GetPixel(10, 2), White);
  canvas.LineTo(10, 8);  // the joint is painted by the second segment
  EXPECT_EQ(canvas.GetPixel(10, 2), Black);
  EXPECT_EQ(canvas.GetPixel(10, 8), White);
}

TEST(ImageCanvasTest, ArrowHeadDrawnTwiceInvertedVanishes) {
  ImageCanvas canvas = PatternCanvas();
  const QImage before = canvas.image();
  canvas.SetRasterMode(RasterMode::Invert);
  for (int pass = 0; pass < 2; ++pass) {
    canvas.MoveTo(27, 40);
    canvas.LineTo(30, 49);  // to the tip
    canvas.LineTo(33, 40);
    if (pass == 0) {
      EXPECT_GT(CountDifferences(before, canvas.image()), 0);
    }
  }
  EXPECT_EQ(CountDifferences(before, canvas.image()), 0);
}

TEST(ImageCanvasTest, RandomPolylinesDrawnTwiceInvertedRestoreEveryPixel) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> coordinate(-20, 84);
  ImageCanvas canvas = PatternCanvas();
  const QImage before = canvas.image();
  canvas.SetRasterMode(RasterMode::Invert);
  std::vector<std::pair<int, int>> points;
  for (int i = 0; i < 40; ++i) points.emplace_back(coordinate(random), coordinate(random));
  for (int pass = 0; pass < 2; ++pass) {
    canvas.MoveTo(points[0].first, points[0].second);
    for (std::size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].first, points[i].second);
  }
  EXPECT_EQ(CountDifferences(before, canvas.image()), 0);
}

TEST(ImageCanvasTest, HugeLinesAreClippedQuickly) {
  ImageCanvas canvas(50, 50);
  canvas.SetPenColor(Black);
  canvas.MoveTo(25, 25);
  canvas.LineTo(25, -100000000);
  canvas.MoveTo(-90000000, -90000000);
  canvas.LineTo(90000000, 90000001);
  EXPECT_EQ(canvas.GetPixel(25, 0), Black);
  EXPECT_EQ(canvas.GetPixel(25, 24), Black);
  EXPECT_EQ(canvas.GetPixel(10, 10), Black);
}

TEST(ImageCanvasTest, FillRectExcludesRightAndBottomAndInverts) {
  ImageCanvas canvas(20, 20);
  canvas.SetBrushColor(Black);
  canvas.FillRect({2, 3, 6, 7});
  EXPECT_EQ(canvas.GetPixel(2, 3), Black);
  EXPECT_EQ(canvas.GetPixel(5, 6), Black);
  EXPECT_EQ(canvas.GetPixel(6, 6), White);
  EXPECT_EQ(canvas.GetPixel(5, 7), White);
  canvas.SetRasterMode(RasterMode::Invert);
  canvas.FillRect({0, 0, 4, 4});
  EXPECT_EQ(canvas.GetPixel(0, 0), Black);
  EXPECT_EQ(canvas.GetPixel(3, 3), White) << "black inverted to white";
}

TEST(ImageCanvasTest, XorBitmapSkipsTheTransparentColourAndUndoesItself) {
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 0));  // the bottom-left colour is transparent
  picture.setPixel(1, 1, qRgb(255, 255, 255));
  const ImageBitmap bitmap(picture);
  ImageCanvas canvas = PatternCanvas(16, 16);
  const QImage before = canvas.image();
  canvas.XorBitmap(bitmap, 5, 5);
  EXPECT_EQ(CountDifferences(before, canvas.image()), 1);
  const QRgb was = before.pixel(6, 6);
  EXPECT_EQ(canvas.image().pixel(6, 6), qRgb(255 - qRed(was), 255 - qGreen(was), 255 - qBlue(was)));
  canvas.XorBitmap(bitmap, 5, 5);
  EXPECT_EQ(CountDifferences(before, canvas.image()), 0);
}

TEST(ImageCanvasTest, OffscreenCopiesRoundTrip) {
  ImageCanvas canvas = PatternCanvas(32, 32);
  auto scratch = canvas.CreateOffscreen(10, 8);
  scratch->CopyRect(0, 0, canvas, {4, 6, 14, 14});
  EXPECT_EQ(scratch->GetPixel(0, 0), canvas.GetPixel(4, 6));
  EXPECT_EQ(scratch->GetPixel(9, 7), canvas.GetPixel(13, 13));
  ImageCanvas target(32, 32);
  target.CopyRect(20, 20, *scratch, {0, 0, 10, 8});
  EXPECT_EQ(target.GetPixel(20, 20), canvas.GetPixel(4, 6));
  EXPECT_EQ(target.GetPixel(29, 27), canvas.GetPixel(13, 13));
  EXPECT_EQ(target.GetPixel(30, 27), White);
}

TEST(ImageCanvasTest, TextIsDrawnAndAligned) {
  ImageCanvas canvas(120, 30);
  canvas.SetFont("Arial", 12, false);
  canvas.SetPenColor(Black);
  const int width = canvas.TextWidth("0.00 m");
  ASSERT_GT(width, 10) << "a font must be installed";
  canvas.TextOut(100, 5, "0.00 m", TextAlign::Right);
  int leftmost = 120, rightmost = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (canvas.GetPixel(x, y) != White) {
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
      }
  EXPECT_LE(rightmost, 100);
  EXPECT_GE(leftmost, 100 - width - 1);
  EXPECT_GT(rightmost - leftmost, width / 2);
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// A canvas that holds only part of a large drawing keeps drawing coordinates.
TEST(ImageCanvasTest, AnOriginShiftsEveryOperation) {
  ImageCanvas part(100, 50);
  part.SetOrigin(1000000, 200);
  part.SetPenColor(Rgb::FromRgb(0, 0, 0));
  part.MoveTo(1000010, 0);
  part.LineTo(1000010, 260);  // a vertical line through the covered rows
  part.SetPixel(1000050, 225, Rgb::FromRgb(255, 0, 0));
  EXPECT_EQ(part.image().pixel(10, 0), qRgb(0, 0, 0));
  EXPECT_EQ(part.image().pixel(10, 49), qRgb(0, 0, 0));
  EXPECT_EQ(part.GetPixel(1000050, 225), Rgb::FromRgb(255, 0, 0));
  EXPECT_EQ(part.image().pixel(50, 25), qRgb(255, 0, 0));
  EXPECT_EQ(part.Covered(), QRect(1000000, 200, 100, 50));

  auto scratch = part.CreateOffscreen(20, 20);
  scratch->CopyRect(0, 0, part, {1000000, 220, 1000020, 240});
  EXPECT_EQ(scratch->GetPixel(10, 5), Rgb::FromRgb(0, 0, 0));
  part.CopyRect(1000060, 200, *scratch, {0, 0, 20, 20});
  EXPECT_EQ(part.image().pixel(70, 5), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace trevan
