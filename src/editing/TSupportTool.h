#pragma once

#include "TTool.h"
#include "beam/SupportType.h"

namespace trevan {

// Places a hinge, a roller or a vice at the pressed column; a ghost of the
// support and a vertical line follow the pointer.
class TSupportTool : public TTool {
 public:
  TSupportTool(TInputForm& view, int toolNumber, TSupportType type);

  void MouseDown(Point p, double distanceScale, double forceScale) override;
  void HideFeedback(double distanceScale, double forceScale) override;
  void MouseHover(Point p, double distanceScale, double forceScale, bool metric) override;

  const TSupportType SupportType;

 private:
  static constexpr int EndSnapPixels = 4;
  double SnappedPosition(Point p, double distanceScale) const;
  void DrawGhost(Point q, double distanceScale);
};

}  // namespace trevan
