#include "beam/PointForce.h"

#include <algorithm>

#include "beam/UnitSystem.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "hosts/PropertyRecorder.h"
#include "text/CLocaleText.h"

namespace trevan {

charge::charge(double x_, double f_, BeamView* view) : f(f_), x(x_) {
  View = view;
  UpdateProperties();
}

void charge::UpdateProperties() {
  const bool metric = IsMetric();
  SetRow(0, metric ? "Force (N):" : "Force (lbf):", FloatToText(f));
  SetRow(1, metric ? "Distance: (m):" : "Distance: (ft)", FloatToText(x));
  RowCount = SetCaseRow(2, Case);
}

void charge::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  x = std::clamp(x + pixels * w->DistanceScale(), 0.0, w->BeamLength());
  PropertyValues[1] = FloatToText(x);
}

object::Placement charge::GetPlacement() const { return {x, 0}; }

void charge::SetPlacement(const Placement& placement) {
  x = placement.first;
  PropertyValues[1] = FloatToText(x);
}

std::string charge::GetHint(bool fine) const {
  const bool metric = IsMetric();
  return fine ? CFormat("x=%6.4f %s   f=%6.0f %s", x, LengthUnit(metric), f, ForceUnit(metric))
              : CFormat("x=%6.2f %s   f=%6.0f %s", x, LengthUnit(metric), f, ForceUnit(metric));
}

void charge::SetMetric(bool metric) {
  x = ConvertPosition(x, metric);
  f = ConvertForce(f, metric);
  UpdateProperties();
}

std::string charge::GetName() const { return "Load"; }

void charge::Draw(Canvas& canvas, int ox, int oy) const {
  Mapping m;
  if (!GetMapping(m)) return;
  const int a = ToPixel(x / m.distanceScale - ox);
  const int b = ToPixel(f / m.forceScale);
  const int base = m.baseLine - oy;
  canvas.MoveTo(a, base);
  canvas.LineTo(a, base - b);
  int h = b / 5;
  if (b > 50) h = 10;
  if (b < -50) h = -10;
  canvas.MoveTo(a - 3, base - h);
  canvas.LineTo(a, b > 0 ? base - 1 : base + 1);
  canvas.LineTo(a + 3, base - h);
}

Rect charge::GetBounds() const {
  Mapping m;
  if (!GetMapping(m)) return {};
  const int column = ToPixel(x / m.distanceScale);
  return Rect{column, m.baseLine, column, ToPixel(m.baseLine - f / m.forceScale)}.Normalized();
}

bool charge::ApplyProperties() {
  BeamWindow* w = Window();
  if (!w) return false;
  charge values(*this);
  values.f = EditedMagnitude(0, f, "The force", ForceUnit(IsMetric()));
  values.x = EditedPosition(1, x, 0, w->BeamLength(), "The position on the beam");
  values.Case = EditedCase(2, Case);
  values.UpdateProperties();
  PropertyRecorder* recorder = w ? w->Recorder() : nullptr;
  if (!recorder) return false;
  recorder->RecordChargeProps(*this, values);
  return true;
}

bool charge::CopyToClipboard(ClipboardService& clipboard) const {
  // A whole number reads as it always did; a fraction follows on, which an
  // older reader takes as part of the same number. The case follows last.
  return PutRecord(clipboard, "f;" + ShortestReal(f, 6) + CaseField(Case));
}

}  // namespace trevan
