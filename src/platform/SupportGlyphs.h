#pragma once

#include "ImageBitmap.h"
#include "beam/SupportType.h"

namespace trevan {

// The input view's two support pictures, loaded from the resources.
class SupportGlyphs {
 public:
  SupportGlyphs();
  // The hinge for ftHinge, the clamp for ftVice, none otherwise.
  const Bitmap* For(TSupportType type) const;

 private:
  ImageBitmap hinge_;
  ImageBitmap clamp_;
};

}  // namespace trevan
