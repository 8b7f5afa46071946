#include "beam/ArcStroke.h"

#include <algorithm>
#include <cmath>

#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"

namespace trevan {

void StrokeArc(Canvas& canvas, int cx, int cy, double r, double from, double to) {
  if (!(r >= 1)) return;
  // About two pixels a step, and never fewer than eight steps.
  const int steps = std::clamp(static_cast<int>(std::fabs(to - from) * r / 2), 8, 4096);
  auto at = [&](int k) {
    const double a = from + (to - from) * k / steps;
    return Point{ToPixel(std::round(cx + r * std::cos(a))), ToPixel(std::round(cy - r * std::sin(a)))};
  };
  Point last = at(0);
  canvas.MoveTo(last.x, last.y);
  for (int k = 1; k <= steps; ++k) {
    const Point p = at(k);
    if (p == last) continue;
    canvas.LineTo(p.x, p.y);
    last = p;
  }
}

}  // namespace trevan
