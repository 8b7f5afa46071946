#pragma once

#include <cstdint>

namespace trevan {

class BeamWindow;
class Bitmap;
class object;
// Declared here, defined with the beam, so that this room needs none of it.
enum TSupportType : std::uint8_t;

// The input view as the beam and its objects see it: the beam line, the
// selection, the support glyphs and, through it, the document window.
class BeamView {
 public:
  virtual ~BeamView() = default;

  virtual BeamWindow* Window() = 0;
  virtual int BaseLine() const = 0;
  virtual object* SelectedObject() const = 0;
  virtual void SelectObject(object* target) = 0;
  // The hinge bitmap for ftHinge, the clamp bitmap for ftVice, none otherwise.
  virtual const Bitmap* SupportGlyph(TSupportType type) const = 0;
};

}  // namespace trevan
