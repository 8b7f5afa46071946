#pragma once

#include <QFont>
#include <QImage>

#include "hosts/Canvas.h"

namespace trevan {

// The Canvas over a 32-bit QImage, without antialiasing, so that every
// pixel is what the drawing code asked for and inverting twice restores it.
class ImageCanvas : public Canvas {
 public:
  ImageCanvas(int width, int height, Rgb fill = Rgb::FromRgb(255, 255, 255));

  const QImage& image() const { return image_; }
  QImage& image() { return image_; }
  void Resize(int width, int height, Rgb fill);
  void Fill(Rgb colour);

  // The point of the drawing's coordinates that pixel (0, 0) of the image
  // shows, so a canvas can hold just the visible part of a large view.
  void SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
  }
  QPoint Origin() const { return {originX_, originY_}; }
  // The drawing rectangle the image covers.
  QRect Covered() const { return QRect(originX_, originY_, image_.width(), image_.height()); }

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  Rect DrawnArea() const override {
    return {originX_, originY_, originX_ + image_.width(), originY_ + image_.height()};
  }
  void SetPenColor(Rgb colour) override { pen_ = colour; }
  Rgb PenColor() const override { return pen_; }
  void SetBrushColor(Rgb colour) override { brush_ = colour; }
  void SetRasterMode(RasterMode mode) override { mode_ = mode; }
  RasterMode GetRasterMode() const override { return mode_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Rgb colour) override;
  Rgb GetPixel(int x, int y) const override;
  void FillRect(const Rect& r) override;

  void SetFont(const std::string& family, int pixelSize, bool bold) override;
  void TextOut(int x, int y, const std::string& text, TextAlign align) override;
  int TextWidth(const std::string& text) const override;

  void XorBitmap(const Bitmap& bitmap, int x, int y) override;
  void DrawBitmap(const Bitmap& bitmap, int x, int y, Rgb transparent) override;
  std::unique_ptr<Canvas> CreateOffscreen(int width, int height) const override;
  void CopyRect(int x, int y, const Canvas& source, const Rect& from) override;

  static QRgb ToQRgb(Rgb colour) { return qRgb(colour.Red(), colour.Green(), colour.Blue()); }
  static Rgb FromQRgb(QRgb colour) { return Rgb::FromRgb(qRed(colour), qGreen(colour), qBlue(colour)); }

 private:
  // Image pixel coordinates from here on.
  void Plot(int x, int y);
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < image_.width() && y < image_.height(); }
  void ImageLine(long long x0, long long y0, long long x1, long long y1);
  void CopyImageRect(int x, int y, const QImage& src, const Rect& from);
  template <class Combine>
  void TransferBitmap(const Bitmap& bitmap, int x, int y, QRgb skip, Combine combine);

  QImage image_;
  Rgb pen_ = Rgb::FromRgb(0, 0, 0);
  Rgb brush_ = Rgb::FromRgb(255, 255, 255);
  RasterMode mode_ = RasterMode::Copy;
  int penX_ = 0;  // drawing coordinates
  int penY_ = 0;
  int originX_ = 0;
  int originY_ = 0;
  QFont font_;
};

}  // namespace trevan
