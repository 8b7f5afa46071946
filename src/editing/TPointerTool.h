#pragma once

#include "TTool.h"
#include "beam/WatchedObject.h"

namespace trevan {

// Selects objects and drags them; the move is recorded at the release.
class TPointerTool : public TTool {
 public:
  explicit TPointerTool(TInputForm& view)
      : TTool(view, 0, Qt::ArrowCursor, "Click on an object to select it") {}

  void MouseDown(Point p, double distanceScale, double forceScale) override;
  void MouseDrag(Point p, double distanceScale, double forceScale, bool metric) override;
  void MouseHover(Point p, double distanceScale, double forceScale, bool metric) override;
  void MouseUp(double distanceScale, double forceScale) override;
  void Cancel() override;

 private:
  // Puts the dragged object back exactly where the press found it.
  object* PutBack();

  WatchedObject dragged_;
  object::Placement start_;
};

}  // namespace trevan
