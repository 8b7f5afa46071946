#include "TPointerTool.h"

#include "Beam.h"
#include "EditRecorder.h"
#include "ExactSolver.h"
#include "ExactTable.h"
#include "InputViewHost.h"
#include "TInputForm.h"

namespace trevan {

void TPointerTool::MouseDown(Point p, double, double) {
  TTrevanDoc* beam = View.Host() ? View.Host()->Beam() : nullptr;
  object* hit = beam ? beam->FindObjectAt(p) : nullptr;
  View.SelectObject(hit);
  if (!hit) return;
  Canvas& canvas = View.DrawingCanvas();
  hit->ToggleHandles(canvas);
  hit->ShowHandles(canvas, p);
  StartPoint = LastPoint = p;
}

void TPointerTool::MouseDrag(Point p, double distanceScale, double, bool) {
  object* selected = View.SelectedObject();
  if (!selected || !InRange(p)) return;
  selected->DragTo(View.DrawingCanvas(), p);
  View.FlushDrawing();
  Readout(QString::fromStdString(selected->GetHint(distanceScale < 0.01)));
  LastPoint = p;
}

void TPointerTool::MouseHover(Point p, double, double, bool) {
  TTrevanDoc* beam = View.Host() ? View.Host()->Beam() : nullptr;
  const object* hit = beam ? beam->FindObjectAt(p) : nullptr;
  if (!hit) {
    View.SetHint(HintText);
    return;
  }
  std::string hint;
  // A support's hint gives the exact reaction, and a vice's moment below it.
  if (hit->IsSupport())
    hint = ExactTable::SupportHint(ExactSolver::SolveKept(ExactBeam::From(*beam)),
                                   static_cast<const element*>(hit)->X1, beam->Metric);
  View.SetHint(QString::fromStdString(hint.empty() ? hit->GetName() : hint));
}

void TPointerTool::MouseUp(double distanceScale, double) {
  object* selected = View.SelectedObject();
  if (!selected || LastPoint == StartPoint || !InRange(LastPoint) || !View.Host()) return;
  selected->DragTo(View.DrawingCanvas(), StartPoint);
  View.Host()->Recorder()->RecordMove(*selected, distanceScale * (LastPoint.x - StartPoint.x));
}

}  // namespace trevan
