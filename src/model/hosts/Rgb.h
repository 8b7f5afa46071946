#pragma once

#include <cstdint>

namespace trevan {

// A 32-bit colour number: red in the low byte, blue in the high byte.
struct Rgb {
  std::uint32_t value = 0;

  static constexpr Rgb FromRgb(int r, int g, int b) {
    return Rgb{static_cast<std::uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16))};
  }
  constexpr int Red() const { return static_cast<int>(value & 0xFF); }
  constexpr int Green() const { return static_cast<int>((value >> 8) & 0xFF); }
  constexpr int Blue() const { return static_cast<int>((value >> 16) & 0xFF); }
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

}  // namespace trevan
