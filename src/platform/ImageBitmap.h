#pragma once

#include <QImage>

#include "hosts/Canvas.h"

namespace trevan {

// A bitmap held as a 32-bit QImage; its transparent colour is its
// bottom-left pixel.
class ImageBitmap : public Bitmap {
 public:
  explicit ImageBitmap(const QImage& image);
  // Loads a picture from the program's resources (":/glyphs/hinge.xpm").
  static ImageBitmap FromResource(const QString& path);

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  const QImage& image() const { return image_; }
  QRgb TransparentColour() const { return transparent_; }

 private:
  QImage image_;
  QRgb transparent_ = 0;
};

}  // namespace trevan
