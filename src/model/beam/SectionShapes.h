#pragma once

#include <array>
#include <string>

namespace trevan {

// Second moments of area of the common solid and hollow shapes, from their
// dimensions in any one length unit; W = I / (h / 2) is the elastic modulus
// of the extreme fibre. Zero for dimensions that make no such shape.
struct SectionShape {
  enum Kind { Typed, Rectangle, Circle, RectangularHollow, CircularHollow, IShape, KindCount };
  static constexpr std::array<const char*, KindCount> Names = {
      "I typed directly",         "Solid rectangle b \u00d7 h",   "Solid circle d",
      "Rectangular hollow b \u00d7 h, t", "Circular hollow d, t", "I-shape h, b, tw, tf"};
  // The dimensions each kind reads, in order.
  static constexpr std::array<const char*, KindCount> Dimensions = {"", "b h", "d", "b h t", "d t", "h b tw tf"};

  Kind kind = Typed;
  std::array<double, 4> size = {0, 0, 0, 0};

  double I() const;
  // Half the depth: the distance of the extreme fibre.
  double HalfDepth() const;
  double W() const;
};

// Material presets: E in GPa for metric beams, ksi for the others.
struct MaterialPreset {
  const char* name;
  double E;
  bool metric;
};
inline constexpr std::array<MaterialPreset, 6> MaterialPresets = {{{"Steel", 210, true},
                                                                   {"Aluminium", 70, true},
                                                                   {"Softwood C24", 11, true},
                                                                   {"Concrete C30/37", 33, true},
                                                                   {"Steel A992", 29000, false},
                                                                   {"Douglas fir-larch", 1700, false}}};

// Display units of a section: E in GPa or ksi, I in cm⁴ or in⁴,
// dimensions in mm or in; the factors turn them into the beam's own units
// (N/m², m⁴, m; lbf/ft², ft⁴, ft).
namespace section_units {
inline const char* E(bool metric) { return metric ? "GPa" : "ksi"; }
inline const char* I(bool metric) { return metric ? "cm\u2074" : "in\u2074"; }
inline const char* W(bool metric) { return metric ? "cm\u00b3" : "in\u00b3"; }
inline const char* Dimension(bool metric) { return metric ? "mm" : "in"; }
inline double EFactor(bool metric) { return metric ? 1e9 : 144000; }
inline double IFactor(bool metric) { return metric ? 1e-8 : 1.0 / 20736; }
inline double WFactor(bool metric) { return metric ? 1e-6 : 1.0 / 1728; }
inline double DimensionFactor(bool metric) { return metric ? 1e-3 : 1.0 / 12; }
}  // namespace section_units

}  // namespace trevan
