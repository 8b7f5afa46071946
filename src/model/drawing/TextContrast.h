#pragma once

#include "hosts/Rgb.h"

namespace trevan {

// Text must stay legible whatever colour the user picked for its curve:
// contrast as the accessibility guidelines measure it, and the nearest
// darker (or, on a dark ground, lighter) colour that reaches a ratio.
class TextContrast {
 public:
  static constexpr double Readable = 4.5;
  static constexpr Rgb Paper = Rgb::FromRgb(255, 255, 255);

  static double Luminance(Rgb colour);
  // From 1 (the same) to 21 (black on white).
  static double Ratio(Rgb a, Rgb b);
  static Rgb ReadableOn(Rgb text, Rgb background, double ratio = Readable);
};

}  // namespace trevan
