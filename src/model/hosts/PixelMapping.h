#pragma once

#include <algorithm>
#include <cmath>

#include "text/CLocaleText.h"

namespace trevan {

// Pixel coordinates are kept far inside the int range, so the margins that
// hit tests and handles add to them can never overflow.
inline int ToPixel(double value) {
  constexpr double limit = 100'000'000;
  return TruncToInt(std::clamp(value, -limit, limit));
}

// The row of a diagram value: the zero line less the value's whole pixels,
// held inside the pixel range however large the value.
inline int PixelRow(int zeroLine, double value, double scale) {
  return ToPixel(static_cast<double>(zeroLine) - std::trunc(value / scale));
}

// The highest zero line the result panes grow to; twice it is still a
// valid pane height.
inline constexpr int MaxZeroLine = 8'000'000;

}  // namespace trevan
