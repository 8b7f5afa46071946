#include "drawing/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace trevan {

namespace {
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Rgb Mix(Rgb from, Rgb to, double t) {
  auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return Rgb::FromRgb(mix(from.Red(), to.Red()), mix(from.Green(), to.Green()), mix(from.Blue(), to.Blue()));
}
}  // namespace

double TextContrast::Luminance(Rgb c) {
  return 0.2126 * Linear(c.Red()) + 0.7152 * Linear(c.Green()) + 0.0722 * Linear(c.Blue());
}

double TextContrast::Ratio(Rgb a, Rgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb TextContrast::ReadableOn(Rgb text, Rgb background, double ratio) {
  if (Ratio(text, background) >= ratio) return text;
  const Rgb far = Luminance(background) > 0.18 ? Rgb::FromRgb(0, 0, 0) : Rgb::FromRgb(255, 255, 255);
  // The least step towards black (or white) that reads.
  for (int step = 1; step <= 20; ++step) {
    const Rgb mixed = Mix(text, far, step / 20.0);
    if (Ratio(mixed, background) >= ratio) return mixed;
  }
  return far;
}

}  // namespace trevan
