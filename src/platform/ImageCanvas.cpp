#include "ImageCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ImageBitmap.h"

namespace trevan {

namespace {
constexpr QRgb InvertBits = 0x00FFFFFF;
}

ImageCanvas::ImageCanvas(int width, int height, Rgb fill)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
  image_.fill(ToQRgb(fill));
  font_.setStyleStrategy(QFont::NoAntialias);
}

void ImageCanvas::Resize(int width, int height, Rgb fill) {
  image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image_.fill(ToQRgb(fill));
}

void ImageCanvas::Fill(Rgb colour) { image_.fill(ToQRgb(colour)); }

void ImageCanvas::Plot(int x, int y) {
  if (!Inside(x, y)) return;
  QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
  line[x] = mode_ == RasterMode::Invert ? (line[x] ^ InvertBits) : ToQRgb(pen_);
}

void ImageCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void ImageCanvas::LineTo(int x, int y) {
  const long long x0 = static_cast<long long>(penX_) - originX_,
                  y0 = static_cast<long long>(penY_) - originY_;
  penX_ = x;
  penY_ = y;
  ImageLine(x0, y0, static_cast<long long>(x) - originX_, static_cast<long long>(y) - originY_);
}

// Bresenham's line in image pixels up to, not including, (x1, y1).
void ImageCanvas::ImageLine(long long x0, long long y0, long long x1, long long y1) {
  const long long w = image_.width(), h = image_.height();

  if (x0 == x1 || y0 == y1) {  // axis-parallel: clip exactly
    if (x0 == x1 && y0 == y1) return;
    const bool vertical = x0 == x1;
    const long long fixed = vertical ? x0 : y0, across = vertical ? w : h, along = vertical ? h : w;
    if (fixed < 0 || fixed >= across) return;
    const long long a0 = vertical ? y0 : x0, a1 = vertical ? y1 : x1;
    const long long step = a1 > a0 ? 1 : -1;
    const long long from = std::clamp(a0, -1LL, along), to = std::clamp(a1 - step, -1LL, along);
    for (long long a = from;; a += step) {
      if (vertical)
        Plot(static_cast<int>(fixed), static_cast<int>(a));
      else
        Plot(static_cast<int>(a), static_cast<int>(fixed));
      if (a == to) break;
    }
    return;
  }

  const long long dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
  // Lines far larger than any view are pulled in first; they only occur
  // for absurd values and need not be pixel-exact.
  constexpr long long limit = 1 << 16;
  if (dx > limit || -dy > limit) {
    const double fx0 = static_cast<double>(x0), fy0 = static_cast<double>(y0);
    const double fx1 = static_cast<double>(x1), fy1 = static_cast<double>(y1);
    double lo = 0, hi = 1;
    auto clip = [&](double p, double q) {
      if (p == 0) return q >= 0;
      const double r = q / p;
      if (p < 0) {
        if (r > hi) return false;
        lo = std::max(lo, r);
      } else {
        if (r < lo) return false;
        hi = std::min(hi, r);
      }
      return true;
    };
    const double ddx = fx1 - fx0, ddy = fy1 - fy0;
    if (!clip(-ddx, fx0 + 1) || !clip(ddx, w - fx0) || !clip(-ddy, fy0 + 1) || !clip(ddy, h - fy0)) return;
    const long long cx0 = std::llround(fx0 + lo * ddx);
    const long long cy0 = std::llround(fy0 + lo * ddy);
    const long long cx1 = std::llround(fx0 + hi * ddx);
    const long long cy1 = std::llround(fy0 + hi * ddy);
    if (cx0 != cx1 || cy0 != cy1) ImageLine(cx0, cy0, cx1, cy1);
    if (hi < 1) Plot(static_cast<int>(cx1), static_cast<int>(cy1));  // not the line's own end
    return;
  }

  const long long sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  long long err = dx + dy;
  for (;;) {
    if (x0 == x1 && y0 == y1) break;
    Plot(static_cast<int>(x0), static_cast<int>(y0));
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void ImageCanvas::SetPixel(int x, int y, Rgb colour) {
  x -= originX_;
  y -= originY_;
  if (Inside(x, y)) image_.setPixel(x, y, ToQRgb(colour));
}

Rgb ImageCanvas::GetPixel(int x, int y) const {
  x -= originX_;
  y -= originY_;
  return Inside(x, y) ? FromQRgb(image_.pixel(x, y)) : Rgb{};
}

void ImageCanvas::FillRect(const Rect& r) {
  const int left = std::max(r.Left - originX_, 0), right = std::min(r.Right - originX_, image_.width());
  const int top = std::max(r.Top - originY_, 0), bottom = std::min(r.Bottom - originY_, image_.height());
  const QRgb colour = ToQRgb(brush_);
  for (int y = top; y < bottom; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = left; x < right; ++x)
      line[x] = mode_ == RasterMode::Invert ? (line[x] ^ InvertBits) : colour;
  }
}

void ImageCanvas::SetFont(const std::string& family, int pixelSize, bool bold) {
  font_ = QFont(QString::fromStdString(family));
  font_.setPixelSize(pixelSize);
  font_.setBold(bold);
  font_.setStyleStrategy(QFont::NoAntialias);
}

void ImageCanvas::TextOut(int x, int y, const std::string& text, TextAlign align) {
  const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics metrics(font_);
  const int width = metrics.horizontalAdvance(s);
  int left = x;
  if (align == TextAlign::Center) left = x - width / 2;
  if (align == TextAlign::Right) left = x - width;
  QPainter painter(&image_);
  painter.setFont(font_);
  painter.setPen(QColor(ToQRgb(pen_)));
  painter.drawText(left - originX_, y - originY_ + metrics.ascent(), s);
}

int ImageCanvas::TextWidth(const std::string& text) const {
  return QFontMetrics(font_).horizontalAdvance(
      QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

// Visits every pixel of the bitmap that lands on the image and is not of
// the skipped colour, with the source pixel and the image pixel under it.
template <class Combine>
void ImageCanvas::TransferBitmap(const Bitmap& bitmap, int x, int y, QRgb skip, Combine combine) {
  const auto* picture = dynamic_cast<const ImageBitmap*>(&bitmap);
  if (!picture) return;
  x -= originX_;
  y -= originY_;
  const QImage& src = picture->image();
  for (int row = 0; row < src.height(); ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= image_.height()) continue;
    const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(row));
    QRgb* to = reinterpret_cast<QRgb*>(image_.scanLine(ty));
    for (int col = 0; col < src.width(); ++col) {
      const int tx = x + col;
      if (tx >= 0 && tx < image_.width() && from[col] != skip) combine(from[col], to[tx]);
    }
  }
}

void ImageCanvas::XorBitmap(const Bitmap& bitmap, int x, int y) {
  const auto* picture = dynamic_cast<const ImageBitmap*>(&bitmap);
  if (!picture) return;
  TransferBitmap(bitmap, x, y, picture->TransparentColour(),
                 [](QRgb source, QRgb& target) { target ^= (source & InvertBits); });
}

void ImageCanvas::DrawBitmap(const Bitmap& bitmap, int x, int y, Rgb transparent) {
  TransferBitmap(bitmap, x, y, ToQRgb(transparent), [](QRgb source, QRgb& target) { target = source; });
}

std::unique_ptr<Canvas> ImageCanvas::CreateOffscreen(int width, int height) const {
  auto canvas = std::make_unique<ImageCanvas>(width, height);
  canvas->font_ = font_;
  return canvas;
}

void ImageCanvas::CopyRect(int x, int y, const Canvas& source, const Rect& from) {
  const auto* other = dynamic_cast<const ImageCanvas*>(&source);
  if (!other) return;
  const QImage& src = other->image_;
  x -= originX_;
  y -= originY_;
  const Rect shifted{from.Left - other->originX_, from.Top - other->originY_, from.Right - other->originX_,
                     from.Bottom - other->originY_};
  CopyImageRect(x, y, src, shifted);
}

void ImageCanvas::CopyImageRect(int x, int y, const QImage& src, const Rect& from) {
  for (int sy = from.Top; sy < from.Bottom; ++sy) {
    const int ty = y + sy - from.Top;
    if (sy < 0 || sy >= src.height() || ty < 0 || ty >= image_.height()) continue;
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    QRgb* out = reinterpret_cast<QRgb*>(image_.scanLine(ty));
    for (int sx = from.Left; sx < from.Right; ++sx) {
      const int tx = x + sx - from.Left;
      if (sx < 0 || sx >= src.width() || tx < 0 || tx >= image_.width()) continue;
      out[tx] = in[sx];
    }
  }
}

}  // namespace trevan
