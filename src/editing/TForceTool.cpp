#include "TForceTool.h"

#include <cmath>

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/DistributedLoad.h"
#include "beam/PointForce.h"
#include "beam/UnitSystem.h"
#include "hosts/Canvas.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

void TForceTool::MouseDown(Point p, double, double) { StartPoint = LastPoint = p; }

void TForceTool::MouseDrag(Point p, double ds, double fs, bool metric) {
  if (!InRange(p) || p == LastPoint || p.x == StartPoint.x) return;
  Canvas& canvas = View.DrawingCanvas();
  const Rect r = DragRect;
  const int width = r.Right - r.Left + 1;
  const int height = r.Bottom - r.Top + 1;
  std::unique_ptr<Canvas> scratch = canvas.CreateOffscreen(width, height);
  scratch->CopyRect(0, 0, canvas, {r.Left, r.Top, r.Left + width, r.Top + height});
  scratch->SetPenColor(canvas.PenColor());
  scratch->SetRasterMode(RasterMode::Invert);
  BeamView* view = &View;
  if (LastPoint.x != StartPoint.x)
    distrcharge(PositionOf(StartPoint, ds), PositionOf(LastPoint, ds), ForceOf(StartPoint, fs),
                ForceOf(LastPoint, fs), view)
        .Draw(*scratch, r.Left, r.Top);
  distrcharge(PositionOf(StartPoint, ds), PositionOf(p, ds), ForceOf(StartPoint, fs), ForceOf(p, fs), view)
      .Draw(*scratch, r.Left, r.Top);
  canvas.CopyRect(r.Left, r.Top, *scratch, {0, 0, width, height});
  View.FlushDrawing(QRect(r.Left, r.Top, width, height));
  const char* intensity = metric ? "N/m" : "lbf/ft";
  Readout(QString::fromStdString(ds < 0.01 ? CFormat("x2=%6.4f %s   f2=%6.0f %s", PositionOf(p, ds),
                                                     LengthUnit(metric), ForceOf(p, fs), intensity)
                                           : CFormat("x2=%6.2f %s   f2=%6.0f %s", PositionOf(p, ds),
                                                     LengthUnit(metric), ForceOf(p, fs), intensity)));
  LastPoint = p;
}

void TForceTool::HideFeedback(double ds, double fs) {
  Canvas& canvas = View.DrawingCanvas();
  RasterModeScope invert(canvas, RasterMode::Invert);
  const charge ghost(PositionOf(LastPoint, ds), ForceOf(LastPoint, fs), &View);
  ghost.Draw(canvas, 0, 0);
  View.FlushDrawing(View.GlyphArea(ghost.GetBounds()));
}

void TForceTool::MouseHover(Point p, double ds, double fs, bool metric) {
  Canvas& canvas = View.DrawingCanvas();
  {
    RasterModeScope invert(canvas, RasterMode::Invert);
    const charge ghost(PositionOf(p, ds), ForceOf(p, fs), &View);
    ghost.Draw(canvas, 0, 0);
    View.FlushDrawing(View.GlyphArea(ghost.GetBounds()));
  }
  Readout(QString::fromStdString(ds < 0.01 ? CFormat("x=%6.4f %s   f=%6.0f %s", PositionOf(p, ds),
                                                     LengthUnit(metric), ForceOf(p, fs), ForceUnit(metric))
                                           : CFormat("x=%6.2f %s   f=%6.0f %s", PositionOf(p, ds),
                                                     LengthUnit(metric), ForceOf(p, fs), ForceUnit(metric))));
  LastPoint = p;
}

void TForceTool::MouseUp(double ds, double fs) {
  InputViewHost* host = View.Host();
  if (!host) return;
  const double x1 = PositionOf(StartPoint, ds), x2 = PositionOf(LastPoint, ds);
  const double f1 = ForceOf(StartPoint, fs), f2 = ForceOf(LastPoint, fs);
  EditRecorder& recorder = *host->Recorder();
  if (LastPoint.x == StartPoint.x) {
    charge c(x1, f2, &View);
    c.Case = recorder.ActiveCase();
    recorder.RecordAddCharge(c);
  } else {
    distrcharge d(x1, x2, f1, f2, &View);
    d.Case = recorder.ActiveCase();
    recorder.RecordAddDistrCharge(d);
  }

  const int baseLine = View.BaseLine();
  const int l = std::max(std::abs(baseLine - StartPoint.y), std::abs(baseLine - LastPoint.y));
  if (2 * l > baseLine) host->GrowInputView(2 * l);
}

}  // namespace trevan
