#include "beam/InternalHinge.h"

#include <algorithm>
#include <numbers>
#include <stdexcept>

#include "beam/ArcStroke.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "hosts/PropertyRecorder.h"
#include "text/CLocaleText.h"

namespace trevan {

joint::joint(double x_, BeamView* view) : x(x_) {
  View = view;
  UpdateProperties();
}

void joint::UpdateProperties() {
  SetRow(0, IsMetric() ? "Distance: (m):" : "Distance: (ft)", FloatToText(x));
  RowCount = 1;
  Caption = "Hinge in Beam";
}

void joint::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  x = std::clamp(x + pixels * w->DistanceScale(), 0.0, w->BeamLength());
  PropertyValues[0] = FloatToText(x);
}

object::Placement joint::GetPlacement() const { return {x, 0}; }

void joint::SetPlacement(const Placement& placement) {
  x = placement.first;
  PropertyValues[0] = FloatToText(x);
}

std::string joint::GetHint(bool fine) const {
  const char* unit = LengthUnit(IsMetric());
  return fine ? CFormat("hinge in beam x=%6.4f %s", x, unit) : CFormat("hinge in beam x=%6.2f %s", x, unit);
}

void joint::SetMetric(bool metric) {
  x = ConvertPosition(x, metric);
  UpdateProperties();
}

std::string joint::GetName() const { return "Hinge in beam"; }

void joint::Draw(Canvas& canvas, int ox, int oy) const {
  Mapping map;
  if (!GetMapping(map)) return;
  const int a = ToPixel(x / map.distanceScale - ox);
  StrokeArc(canvas, a, map.baseLine - oy, Radius, 0, 2 * std::numbers::pi);
}

Rect joint::GetBounds() const {
  Mapping map;
  if (!GetMapping(map)) return {};
  const int column = ToPixel(x / map.distanceScale);
  return Rect{column - Radius, map.baseLine - Radius, column + Radius, map.baseLine + Radius};
}

bool joint::ApplyProperties() {
  BeamWindow* w = Window();
  if (!w) return false;
  joint values(*this);
  values.x = EditedPosition(0, x, 0, w->BeamLength(), "An internal hinge");
  PropertyRecorder* recorder = w->Recorder();
  if (!recorder) return false;
  if (values.x != x) {
    const std::string problem = recorder->HingeProblem(values.x, *this);
    if (!problem.empty()) throw std::invalid_argument(problem);
  }
  values.UpdateProperties();
  recorder->RecordHingeProps(*this, values);
  return true;
}

bool joint::CopyToClipboard(ClipboardService& clipboard) const { return PutRecord(clipboard, "j;"); }

}  // namespace trevan
