#include "beam/SectionShapes.h"

#include <numbers>

namespace trevan {

double SectionShape::I() const {
  const auto& s = size;
  const double pi = std::numbers::pi;
  auto positive = [](double v) { return v > 0 ? v : 0; };
  switch (kind) {
    case Rectangle:
      return s[0] > 0 && s[1] > 0 ? s[0] * s[1] * s[1] * s[1] / 12 : 0;
    case Circle:
      return s[0] > 0 ? pi * s[0] * s[0] * s[0] * s[0] / 64 : 0;
    case RectangularHollow: {
      const double b = s[0], h = s[1], t = s[2], bi = b - 2 * t, hi = h - 2 * t;
      if (!(t > 0 && bi > 0 && hi > 0)) return 0;
      return positive((b * h * h * h - bi * hi * hi * hi) / 12);
    }
    case CircularHollow: {
      const double d = s[0], t = s[1], di = d - 2 * t;
      if (!(t > 0 && di > 0)) return 0;
      return positive(pi * (d * d * d * d - di * di * di * di) / 64);
    }
    case IShape: {
      const double h = s[0], b = s[1], tw = s[2], tf = s[3], hw = h - 2 * tf;
      if (!(tw > 0 && tf > 0 && hw > 0 && b >= tw)) return 0;
      return positive((b * h * h * h - (b - tw) * hw * hw * hw) / 12);
    }
    default:
      return 0;
  }
}

double SectionShape::HalfDepth() const {
  switch (kind) {
    case Rectangle:
    case RectangularHollow:
      return size[1] / 2;
    case Circle:
    case CircularHollow:
    case IShape:
      return size[0] / 2;
    default:
      return 0;
  }
}

double SectionShape::W() const {
  const double c = HalfDepth(), i = I();
  return c > 0 && i > 0 ? i / c : 0;
}

}  // namespace trevan
