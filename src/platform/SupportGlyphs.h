#pragma once

#include "ImageBitmap.h"
#include "beam/SupportType.h"

namespace trevan {

// The input view's support pictures, loaded from the resources.
class SupportGlyphs {
 public:
  SupportGlyphs();
  // The hinge, the clamp or the roller; none for ftNone.
  const Bitmap* For(TSupportType type) const;

 private:
  ImageBitmap hinge_;
  ImageBitmap clamp_;
  ImageBitmap roller_;
};

}  // namespace trevan
