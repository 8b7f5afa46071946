#include "TSupportTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/SupportNode.h"
#include "beam/UnitSystem.h"
#include "hosts/Canvas.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

TSupportTool::TSupportTool(TInputForm& view, int toolNumber, TSupportType type)
    : TTool(view, toolNumber, Qt::BlankCursor,
            QString("Click here to create a new ") + (type == ftHinge ? "hinge" : "vice")),
      SupportType(type) {}

void TSupportTool::MouseDown(Point p, double distanceScale, double) {
  if (InputViewHost* host = View.Host())
    host->Recorder()->RecordAddSupport(PositionOf(p, distanceScale), SupportType);
  StartPoint = LastPoint = p;
}

void TSupportTool::DrawGhost(Point q, double ds) {
  Canvas& canvas = View.DrawingCanvas();
  const element ghost(PositionOf(q, ds), PositionOf(q, ds) + ds, SupportType, SupportType, &View,
                      View.SupportGlyph(SupportType));
  ghost.Draw(canvas, 0, View.BaseLine() - q.y);
  RasterModeScope invert(canvas, RasterMode::Invert);
  canvas.SetPenColor(Rgb::FromRgb(255, 0, 0));
  canvas.MoveTo(q.x, 0);
  canvas.LineTo(q.x, View.height());
  View.FlushDrawing(QRect(q.x - 10, 0, 21, View.height()));
}

void TSupportTool::HideFeedback(double ds, double) { DrawGhost(LastPoint, ds); }

void TSupportTool::MouseHover(Point p, double ds, double, bool metric) {
  DrawGhost(p, ds);
  Readout(QString::fromStdString(ds < 0.01 ? CFormat("x=%6.4f %s", PositionOf(p, ds), LengthUnit(metric))
                                           : CFormat("x=%6.2f %s", PositionOf(p, ds), LengthUnit(metric))));
  LastPoint = p;
}

}  // namespace trevan
