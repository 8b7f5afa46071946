#include "SupportGlyphs.h"

// Resources of a static library must be registered by hand, from outside
// any namespace.
static void InitPlatformResources() { Q_INIT_RESOURCE(platform); }

namespace trevan {

namespace {
ImageBitmap LoadGlyph(const QString& path) {
  InitPlatformResources();
  return ImageBitmap::FromResource(path);
}
}  // namespace

SupportGlyphs::SupportGlyphs()
    : hinge_(LoadGlyph(":/glyphs/hinge.xpm")),
      clamp_(LoadGlyph(":/glyphs/clamp.xpm")),
      roller_(LoadGlyph(":/glyphs/roller.xpm")) {}

const Bitmap* SupportGlyphs::For(TSupportType type) const {
  switch (type) {
    case ftHinge:
      return &hinge_;
    case ftVice:
      return &clamp_;
    case ftRoll:
      return &roller_;
    default:
      return nullptr;
  }
}

}  // namespace trevan
