#pragma once

#include <algorithm>

#include "CLocaleText.h"

namespace trevan {

// Pixel coordinates are kept far inside the int range, so the margins that
// hit tests and handles add to them can never overflow.
inline int ToPixel(double value) {
  constexpr double limit = 100'000'000;
  return TruncToInt(std::clamp(value, -limit, limit));
}

}  // namespace trevan
