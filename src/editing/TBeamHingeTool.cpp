#include "TBeamHingeTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/InternalHinge.h"
#include "beam/UnitSystem.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

void TBeamHingeTool::DrawGhost(Point p, double ds) {
  Canvas& canvas = View.DrawingCanvas();
  RasterModeScope invert(canvas, RasterMode::Invert);
  const double x = PositionOf(p, ds);
  joint(x, &View).Draw(canvas, 0, 0);
  canvas.SetPenColor(Rgb::FromRgb(255, 0, 0));
  const int column = ToPixel(x / ds);
  canvas.MoveTo(column, 0);
  canvas.LineTo(column, View.BaseLine() - joint::Radius - 1);
  canvas.MoveTo(column, View.BaseLine() + joint::Radius + 2);
  canvas.LineTo(column, View.height());
  View.FlushDrawing(QRect(p.x - 10, 0, 21, View.height()));
}

void TBeamHingeTool::MouseDown(Point p, double, double) { StartPoint = LastPoint = p; }

void TBeamHingeTool::HideFeedback(double ds, double) { DrawGhost(LastPoint, ds); }

void TBeamHingeTool::MouseHover(Point p, double ds, double, bool metric) {
  DrawGhost(p, ds);
  const double x = PositionOf(p, ds);
  Readout(QString::fromStdString(ds < 0.01 ? CFormat("hinge in beam x=%6.4f %s", x, LengthUnit(metric))
                                           : CFormat("hinge in beam x=%6.2f %s", x, LengthUnit(metric))));
  LastPoint = p;
}

void TBeamHingeTool::MouseUp(double ds, double) {
  if (InputViewHost* host = View.Host())
    host->Recorder()->RecordAddHinge(joint(PositionOf(StartPoint, ds), &View));
}

}  // namespace trevan
