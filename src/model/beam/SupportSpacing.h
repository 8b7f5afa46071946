#pragma once

#include <string>

namespace trevan {

class TTrevanDoc;

// Two supports far closer together than the spans beside them make the
// reactions huge and the result meaningless to most users: the text of a
// warning such as "Supports 0.1 mm apart: reactions are very large", or
// empty when every pair stands at least Fraction of the shorter span beside it apart.
class SupportSpacing {
 public:
  static constexpr double Fraction = 0.01;
  static std::string Warning(const TTrevanDoc& beam);
  // "0.1 mm", "2.5 cm", "0.3 in", "1.2 ft" for a gap in m (metric) or ft.
  static std::string GapText(double gap, bool metric);
};

}  // namespace trevan
