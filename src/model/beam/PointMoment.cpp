#include "beam/PointMoment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "beam/ArcStroke.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "hosts/PropertyRecorder.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
constexpr double Quarter = std::numbers::pi / 4;
constexpr int Barb = 5;
}  // namespace

couple::couple(double x_, double m_, BeamView* view) : m(m_), x(x_) {
  View = view;
  UpdateProperties();
}

void couple::UpdateProperties() {
  const bool metric = IsMetric();
  SetRow(0, metric ? "Moment (Nm, counter-clockwise +):" : "Moment (ft-lbf, counter-clockwise +):",
         FloatToText(m));
  SetRow(1, metric ? "Distance: (m):" : "Distance: (ft)", FloatToText(x));
  RowCount = SetCaseRow(2, Case);
  Caption = "Point Moment";
}

void couple::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  x = std::clamp(x + pixels * w->DistanceScale(), 0.0, w->BeamLength());
  PropertyValues[1] = FloatToText(x);
}

object::Placement couple::GetPlacement() const { return {x, 0}; }

void couple::SetPlacement(const Placement& placement) {
  x = placement.first;
  PropertyValues[1] = FloatToText(x);
}

std::string couple::GetHint(bool fine) const {
  const bool metric = IsMetric();
  return fine ? CFormat("x=%6.4f %s   M=%6.0f %s", x, LengthUnit(metric), m, MomentUnit(metric))
              : CFormat("x=%6.2f %s   M=%6.0f %s", x, LengthUnit(metric), m, MomentUnit(metric));
}

void couple::SetMetric(bool metric) {
  x = ConvertPosition(x, metric);
  m = ConvertMoment(m, metric);
  UpdateProperties();
}

std::string couple::GetName() const { return "Moment"; }

int couple::Radius(double momentScale) const {
  const double r = std::fabs(m) / momentScale;
  return std::max(MinRadius, ToPixel(r));
}

// A three-quarter circle about the beam line, open below, with the arrow
// head at the end the moment turns towards.
void couple::Draw(Canvas& canvas, int ox, int oy) const {
  Mapping map;
  if (!GetMapping(map)) return;
  const int a = ToPixel(x / map.distanceScale - ox);
  const int base = map.baseLine - oy;
  const int r = Radius(map.momentScale);
  const double sense = m < 0 ? -1 : 1;
  const double from = sense > 0 ? -Quarter : 5 * Quarter;
  const double to = sense > 0 ? 5 * Quarter : -Quarter;
  StrokeArc(canvas, a, base, r, from, to);
  const int tipX = ToPixel(std::round(a + r * std::cos(to))),
            tipY = ToPixel(std::round(base - r * std::sin(to)));
  // The screen direction of travel at the tip, and the barbs back from it.
  const double tx = -sense * std::sin(to), ty = -sense * std::cos(to);
  const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
  canvas.MoveTo(ToPixel(std::round(tipX - Barb * (tx * c - ty * s))),
                ToPixel(std::round(tipY - Barb * (ty * c + tx * s))));
  canvas.LineTo(tipX, tipY);
  canvas.LineTo(ToPixel(std::round(tipX - Barb * (tx * c + ty * s))),
                ToPixel(std::round(tipY - Barb * (ty * c - tx * s))));
}

Rect couple::GetBounds() const {
  Mapping map;
  if (!GetMapping(map)) return {};
  const int column = ToPixel(x / map.distanceScale);
  const int r = Radius(map.momentScale) + 2;
  return Rect{column - r, map.baseLine - r, column + r, map.baseLine + r};
}

bool couple::ApplyProperties() {
  BeamWindow* w = Window();
  if (!w) return false;
  couple values(*this);
  values.m = EditedMagnitude(0, m, "The moment", MomentUnit(IsMetric()));
  values.x = EditedPosition(1, x, 0, w->BeamLength(), "The position on the beam");
  values.Case = EditedCase(2, Case);
  values.UpdateProperties();
  PropertyRecorder* recorder = w->Recorder();
  if (!recorder) return false;
  recorder->RecordMomentProps(*this, values);
  return true;
}

bool couple::CopyToClipboard(ClipboardService& clipboard) const {
  // As a force's record: the whole number first, any fraction after it.
  return PutRecord(clipboard, "m;" + ShortestReal(m, 6) + CaseField(Case));
}

}  // namespace trevan
