#include "TPointerTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "files/ExactTable.h"
#include "undo/EditRecorder.h"

namespace trevan {

void TPointerTool::MouseDown(Point p, double, double) {
  TTrevanDoc* beam = View.Host() ? View.Host()->Beam() : nullptr;
  object* hit = beam ? beam->FindObjectAt(p) : nullptr;
  View.SelectObject(hit);
  dragged_ = hit;
  StartPoint = LastPoint = p;
  if (!hit) return;
  start_ = hit->GetPlacement();
  Canvas& canvas = View.DrawingCanvas();
  hit->ToggleHandles(canvas);
  hit->ShowHandles(canvas, p);
}

void TPointerTool::MouseDrag(Point p, double distanceScale, double, bool) {
  object* selected = dragged_.get();
  if (!selected || selected != View.SelectedObject() || !InRange(p)) return;
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
  // A support's hint gives the exact reaction, and a vice's moment below it;
  // without an exact solution only its type: no reaction to trust.
  if (hit->IsSupport()) {
    const auto& support = static_cast<const element&>(*hit);
    hint = ExactTable::SupportHint(KeptSolution(*beam), support.X1, beam->Metric);
    if (hint.empty())
      hint = SupportDisplayNames[IsValidSupportType(support.LeftType) ? support.LeftType : ftNone];
  }
  View.SetHint(QString::fromStdString(hint.empty() ? hit->GetName() : hint));
}

object* TPointerTool::PutBack() {
  object* dragged = dragged_.get();
  dragged_ = nullptr;
  if (!dragged || LastPoint == StartPoint) return nullptr;
  dragged->DragTo(View.DrawingCanvas(), StartPoint);
  // Pixel steps there and back need not add up to nothing.
  dragged->SetPlacement(start_);
  return dragged;
}

// The drag only showed the move; the recorded move makes it.
void TPointerTool::MouseUp(double distanceScale, double) {
  const bool inRange = InRange(LastPoint);
  object* moved = PutBack();
  if (moved && inRange && View.Host())
    View.Host()->Recorder()->RecordMove(*moved, distanceScale * (LastPoint.x - StartPoint.x));
  LastPoint = StartPoint;
}

void TPointerTool::Cancel() {
  PutBack();
  LastPoint = StartPoint;
}

}  // namespace trevan
