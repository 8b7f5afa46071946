#pragma once

#include <memory>
#include <string>

#include "hosts/Geometry.h"
#include "hosts/Rgb.h"

namespace trevan {

// A picture a canvas can transfer onto itself. Its transparent colour is
// the colour of its bottom-left pixel.
class Bitmap {
 public:
  virtual ~Bitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

// How lines, pixels and rectangles meet what is already there. Invert
// ignores the colour and inverts the destination, so drawing the same
// figure twice restores every pixel.
enum class RasterMode { Copy, Invert };

enum class TextAlign { Left, Center, Right };

// The drawing surface of the views, with the pixel rules the drawing code
// relies on: the origin at the top left, y growing downward, and LineTo
// painting up to but not including its end point.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The part of the drawing the canvas holds (Left, Top, exclusive Right,
  // Bottom); what falls outside is lost, so need not be drawn.
  virtual Rect DrawnArea() const { return {0, 0, Width(), Height()}; }

  virtual void SetPenColor(Rgb colour) = 0;
  virtual Rgb PenColor() const = 0;
  virtual void SetBrushColor(Rgb colour) = 0;
  virtual void SetRasterMode(RasterMode mode) = 0;
  virtual RasterMode GetRasterMode() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void SetPixel(int x, int y, Rgb colour) = 0;
  virtual Rgb GetPixel(int x, int y) const = 0;
  // Fills Left <= x < Right, Top <= y < Bottom with the brush (or inverts it).
  virtual void FillRect(const Rect& r) = 0;

  virtual void SetFont(const std::string& family, int pixelSize, bool bold) = 0;
  // Draws text with its top edge at y, aligned on x as asked.
  virtual void TextOut(int x, int y, const std::string& text, TextAlign align) = 0;
  virtual int TextWidth(const std::string& text) const = 0;

  // XOR-transfers the bitmap with its top-left corner at (x, y); pixels of
  // its transparent colour are left alone.
  virtual void XorBitmap(const Bitmap& bitmap, int x, int y) = 0;
  // Copies the bitmap's pixels, except those of the given colour.
  virtual void DrawBitmap(const Bitmap& bitmap, int x, int y, Rgb transparent) = 0;

  // A blank off-screen canvas of the same kind.
  virtual std::unique_ptr<Canvas> CreateOffscreen(int width, int height) const = 0;
  // Copies the source rectangle (Left, Top, exclusive Right, Bottom) of
  // another canvas of the same kind to (x, y) on this one.
  virtual void CopyRect(int x, int y, const Canvas& source, const Rect& from) = 0;
};

// Restores a canvas's raster mode when it goes out of scope.
class RasterModeScope {
 public:
  RasterModeScope(Canvas& canvas, RasterMode mode) : canvas_(canvas), previous_(canvas.GetRasterMode()) {
    canvas_.SetRasterMode(mode);
  }
  ~RasterModeScope() { canvas_.SetRasterMode(previous_); }
  RasterModeScope(const RasterModeScope&) = delete;
  RasterModeScope& operator=(const RasterModeScope&) = delete;

 private:
  Canvas& canvas_;
  RasterMode previous_;
};

}  // namespace trevan
