#pragma once

#include "TTool.h"

namespace trevan {

// A click places a point force, a drag a distributed load; while no button
// is down an arrow ghost follows the pointer.
class TForceTool : public TTool {
 public:
  explicit TForceTool(TInputForm& view) : TTool(view, 1, Qt::BlankCursor, "Click here to create a load") {}

  void MouseDown(Point p, double distanceScale, double forceScale) override;
  void MouseDrag(Point p, double distanceScale, double forceScale, bool metric) override;
  void HideFeedback(double distanceScale, double forceScale) override;
  void MouseHover(Point p, double distanceScale, double forceScale, bool metric) override;
  void MouseUp(double distanceScale, double forceScale) override;
};

}  // namespace trevan
