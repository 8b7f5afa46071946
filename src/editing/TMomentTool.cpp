#include "TMomentTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/PointMoment.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

double TMomentTool::MomentOf(Point p) const {
  const InputViewHost* host = View.Host();
  BeamWindow* window = host ? View.Host()->ModelWindow() : nullptr;
  return window ? window->MomentScale() * (View.BaseLine() - p.y) : 0.0;
}

void TMomentTool::DrawGhost(Point p, double ds) {
  Canvas& canvas = View.DrawingCanvas();
  RasterModeScope invert(canvas, RasterMode::Invert);
  const couple ghost(PositionOf(p, ds), MomentOf(p), &View);
  ghost.Draw(canvas, 0, 0);
  View.FlushDrawing(View.GlyphArea(ghost.GetBounds()));
}

void TMomentTool::MouseDown(Point p, double, double) { StartPoint = LastPoint = p; }

// The height may still change before the release; the place stays.
void TMomentTool::MouseDrag(Point p, double, double, bool) {
  if (InRange(p)) LastPoint = {StartPoint.x, p.y};
}

void TMomentTool::HideFeedback(double ds, double) { DrawGhost(LastPoint, ds); }

void TMomentTool::MouseHover(Point p, double ds, double, bool metric) {
  DrawGhost(p, ds);
  const char* format = ds < 0.01 ? "x=%6.4f %s   M=%6.0f %s" : "x=%6.2f %s   M=%6.0f %s";
  Readout(QString::fromStdString(
      CFormat(format, PositionOf(p, ds), LengthUnit(metric), MomentOf(p), MomentUnit(metric))));
  LastPoint = p;
}

void TMomentTool::MouseUp(double ds, double) {
  InputViewHost* host = View.Host();
  if (!host) return;
  couple placed(PositionOf(StartPoint, ds), MomentOf(LastPoint), &View);
  placed.Case = host->Recorder()->ActiveCase();
  host->Recorder()->RecordAddMoment(placed);
}

}  // namespace trevan
