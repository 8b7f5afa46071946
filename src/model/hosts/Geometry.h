#pragma once

#include <algorithm>

namespace trevan {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr Rect Normalized() const {
    return Rect{std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
  }
  friend constexpr bool operator==(Rect, Rect) = default;
};

}  // namespace trevan
