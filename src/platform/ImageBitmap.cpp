#include "ImageBitmap.h"

namespace trevan {

ImageBitmap::ImageBitmap(const QImage& image) : image_(image.convertToFormat(QImage::Format_RGB32)) {
  if (!image_.isNull()) transparent_ = image_.pixel(0, image_.height() - 1);
}

ImageBitmap ImageBitmap::FromResource(const QString& path) { return ImageBitmap(QImage(path)); }

}  // namespace trevan
