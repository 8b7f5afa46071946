#pragma once

#include "TTool.h"

namespace trevan {

// A click places a point moment whose size is the height of the click
// above the beam line times the moment scale: above the line it turns
// counter-clockwise, below clockwise. A ghost of it follows the pointer.
class TMomentTool : public TTool {
 public:
  TMomentTool(TInputForm& view, int toolNumber)
      : TTool(view, toolNumber, Qt::BlankCursor, "Click here to create a moment (above: counter-clockwise)") {
  }

  void MouseDown(Point p, double distanceScale, double forceScale) override;
  void MouseDrag(Point p, double distanceScale, double forceScale, bool metric) override;
  void HideFeedback(double distanceScale, double forceScale) override;
  void MouseHover(Point p, double distanceScale, double forceScale, bool metric) override;
  void MouseUp(double distanceScale, double forceScale) override;

 private:
  double MomentOf(Point p) const;
  void DrawGhost(Point p, double distanceScale);
};

}  // namespace trevan
