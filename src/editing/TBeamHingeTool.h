#pragma once

#include "TTool.h"

namespace trevan {

// Puts a hinge in the beam, a joint that passes shear but no moment and
// holds nothing, at the released column. A ghost circle and a vertical
// line follow the pointer.
class TBeamHingeTool : public TTool {
 public:
  TBeamHingeTool(TInputForm& view, int toolNumber)
      : TTool(view, toolNumber, Qt::BlankCursor, "Click here to put a hinge in the beam (no support)") {}

  void MouseDown(Point p, double distanceScale, double forceScale) override;
  void HideFeedback(double distanceScale, double forceScale) override;
  void MouseHover(Point p, double distanceScale, double forceScale, bool metric) override;
  // On the release, so that a refusal's message never comes mid-gesture.
  void MouseUp(double distanceScale, double forceScale) override;

 private:
  void DrawGhost(Point p, double distanceScale);
};

}  // namespace trevan
