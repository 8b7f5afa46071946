#pragma once

#include <QCursor>
#include <QString>

#include "hosts/Geometry.h"

namespace trevan {

class TInputForm;

// An editing tool of the input view. The view hands it every mouse event in
// its beam range; the tool draws feedback by inversion and records its
// edits through the document window.
class TTool {
 public:
  TTool(TInputForm& view, int toolNumber, Qt::CursorShape cursor, QString hint)
      : View(view), ToolNumber(toolNumber), ToolCursor(cursor), HintText(std::move(hint)) {}
  virtual ~TTool() = default;
  TTool(const TTool&) = delete;
  TTool& operator=(const TTool&) = delete;

  virtual void MouseDown(Point, double /*distanceScale*/, double /*forceScale*/) {}
  virtual void MouseDrag(Point, double /*distanceScale*/, double /*forceScale*/, bool /*metric*/) {}
  virtual void HideFeedback(double /*distanceScale*/, double /*forceScale*/) {}
  virtual void MouseHover(Point, double /*distanceScale*/, double /*forceScale*/, bool /*metric*/) {}
  virtual void MouseUp(double /*distanceScale*/, double /*forceScale*/) {}
  // The gesture ends without its release: undo whatever it did to the beam.
  virtual void Cancel() {}

  Rect DragRect;
  Point StartPoint;
  Point LastPoint;
  TInputForm& View;
  const int ToolNumber;
  const Qt::CursorShape ToolCursor;
  const QString HintText;

 protected:
  // Position and force of a view point: column × DistanceScale and
  // height above the beam line × ForceScale.
  // Columns past either end stand for that end.
  double PositionOf(Point p, double distanceScale) const;
  double ForceOf(Point p, double forceScale) const;
  bool InRange(Point p) const;
  void Readout(const QString& text) const;
};

}  // namespace trevan
