#include "TSupportTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/Beam.h"
#include "beam/SupportNode.h"
#include "beam/UnitSystem.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

TSupportTool::TSupportTool(TInputForm& view, int toolNumber, TSupportType type)
    : TTool(view, toolNumber, Qt::BlankCursor,
            QString("Click here to create a new ") + (type == ftHinge  ? "hinge"
                                                      : type == ftRoll ? "roller"
                                                                       : "vice")),
      SupportType(type) {}

// End supports are the common case: a few pixels off an end still mean the end.
double TSupportTool::SnappedPosition(Point p, double ds) const {
  const double x = PositionOf(p, ds);
  const TTrevanDoc* beam = View.Host() ? View.Host()->Beam() : nullptr;
  if (x <= EndSnapPixels * ds) return 0;
  if (beam && beam->Length - x <= EndSnapPixels * ds) return beam->Length;
  return x;
}

void TSupportTool::MouseDown(Point p, double distanceScale, double) {
  if (InputViewHost* host = View.Host())
    host->Recorder()->RecordAddSupport(SnappedPosition(p, distanceScale), SupportType);
  StartPoint = LastPoint = p;
}

void TSupportTool::DrawGhost(Point q, double ds) {
  Canvas& canvas = View.DrawingCanvas();
  const double x = SnappedPosition(q, ds);
  const element ghost(x, x + ds, SupportType, SupportType, &View, View.SupportGlyph(SupportType));
  ghost.Draw(canvas, 0, View.BaseLine() - q.y);
  RasterModeScope invert(canvas, RasterMode::Invert);
  canvas.SetPenColor(Rgb::FromRgb(255, 0, 0));
  const int column = ToPixel(x / ds);
  canvas.MoveTo(column, 0);
  canvas.LineTo(column, View.height());
  View.FlushDrawing(QRect(q.x - 10, 0, 21, View.height()));
}

void TSupportTool::HideFeedback(double ds, double) { DrawGhost(LastPoint, ds); }

void TSupportTool::MouseHover(Point p, double ds, double, bool metric) {
  DrawGhost(p, ds);
  const double x = SnappedPosition(p, ds);
  Readout(QString::fromStdString(ds < 0.01 ? CFormat("x=%6.4f %s", x, LengthUnit(metric))
                                           : CFormat("x=%6.2f %s", x, LengthUnit(metric))));
  LastPoint = p;
}

}  // namespace trevan
