#include "beam/DistributedLoad.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "beam/UnitSystem.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "hosts/PropertyRecorder.h"
#include "text/CLocaleText.h"

namespace trevan {

distrcharge::distrcharge(double xa, double xb, double fa, double fb, BeamView* view) {
  View = view;
  if (xa > xb) {
    X1 = xb;
    X2 = xa;
    F1 = fb;
    F2 = fa;
  } else {
    X1 = xa;
    X2 = xb;
    F1 = fa;
    F2 = fb;
  }
  UpdateProperties();
}

void distrcharge::UpdateProperties() {
  const bool metric = IsMetric();
  SetRow(0, metric ? "Force 1 (N/m):" : "Force 1 (lbf/ft):", FloatToText(F1));
  SetRow(1, metric ? "Distance 1: (m):" : "Distance 1 (ft)", FloatToText(X1));
  SetRow(2, metric ? "Force 2 (N/m):" : "Force 2 (lbf/ft):", FloatToText(F2));
  SetRow(3, metric ? "Distance 2: (m):" : "Distance 2 (ft)", FloatToText(X2));
  RowCount = SetCaseRow(4, Case);
  Caption = "Distributed Load";
}

void distrcharge::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  // The load keeps its length and stays on the beam.
  const double lo = std::min(X1, X2), hi = std::max(X1, X2);
  double d = pixels * w->DistanceScale();
  if (lo >= 0 && hi <= w->BeamLength()) d = std::clamp(d, -lo, w->BeamLength() - hi);
  X1 += d;
  X2 += d;
  PropertyValues[1] = FloatToText(X1);
  PropertyValues[3] = FloatToText(X2);
}

object::Placement distrcharge::GetPlacement() const { return {X1, X2}; }

void distrcharge::SetPlacement(const Placement& placement) {
  X1 = placement.first;
  X2 = placement.second;
  PropertyValues[1] = FloatToText(X1);
  PropertyValues[3] = FloatToText(X2);
}

std::string distrcharge::GetHint(bool fine) const {
  const char* unit = LengthUnit(IsMetric());
  return fine ? CFormat("x1=%6.4f %s   x2=%6.4f %s", X1, unit, X2, unit)
              : CFormat("x1=%6.2f %s   x2=%6.2f %s", X1, unit, X2, unit);
}

void distrcharge::SetMetric(bool metric) {
  X1 = ConvertPosition(X1, metric);
  X2 = ConvertPosition(X2, metric);
  F1 = ConvertIntensity(F1, metric);
  F2 = ConvertIntensity(F2, metric);
  UpdateProperties();
}

std::string distrcharge::GetName() const { return "Distributed load"; }

bool distrcharge::GetStrokeLine(StrokeLine& c, int ox, int oy) const {
  Mapping m;
  if (!GetMapping(m)) return false;
  c.base = m.baseLine - oy;
  c.a1 = ToPixel(X1 / m.distanceScale - ox);
  c.y1 = ToPixel(c.base - F1 / m.forceScale);
  c.a2 = ToPixel(X2 / m.distanceScale - ox);
  c.y2 = ToPixel(c.base - F2 / m.forceScale);
  return c.a2 > c.a1;
}

// Every second column from a1 to a2, the row on the straight line between
// the ends, truncated as y1 + (y2 - y1) * (i - a1) / (a2 - a1); stepped by
// quotient and remainder so a long load costs no division a column.
template <class Stroke>
void distrcharge::ForEachStroke(const StrokeLine& c, long long from, long long to, Stroke stroke) const {
  from = std::max<long long>(from, c.a1);
  from += (from - c.a1) & 1;
  to = std::min<long long>(to, c.a2);
  if (from > to) return;
  const long long width = static_cast<long long>(c.a2) - c.a1;
  const long long rise = std::llabs(static_cast<long long>(c.y2) - c.y1);
  const long long sign = c.y2 < c.y1 ? -1 : 1;
  long long quotient = rise * (from - c.a1) / width, remainder = rise * (from - c.a1) % width;
  const long long stepQuotient = 2 * rise / width, stepRemainder = 2 * rise % width;
  for (long long i = from; i <= to; i += 2) {
    stroke(i, c.y1 + sign * quotient);
    quotient += stepQuotient;
    remainder += stepRemainder;
    if (remainder >= width) {
      ++quotient;
      remainder -= width;
    }
  }
}

// Only the columns the canvas holds: a long beam has far more.
void distrcharge::Draw(Canvas& canvas, int ox, int oy) const {
  StrokeLine c{};
  if (!GetStrokeLine(c, ox, oy)) return;
  const Rect area = canvas.DrawnArea();
  ForEachStroke(c, area.Left - 1, area.Right, [&](long long i, long long y) {
    canvas.MoveTo(static_cast<int>(i), c.base);
    canvas.LineTo(static_cast<int>(i), static_cast<int>(y));
  });
}

Rect distrcharge::GetBounds() const {
  Mapping m;
  if (!GetMapping(m)) return {};
  const int hi = ToPixel(std::max(F1, F2) / m.forceScale);
  const int lo = ToPixel(std::min(F1, F2) / m.forceScale);
  return Rect{ToPixel(X1 / m.distanceScale), m.baseLine - std::max(0, hi), ToPixel(X2 / m.distanceScale),
              m.baseLine - std::min(0, lo)}
      .Normalized();
}

bool distrcharge::ApplyProperties() {
  BeamWindow* w = Window();
  if (!w) return false;
  const char* intensity = IsMetric() ? "N/m" : "lbf/ft";
  distrcharge values(*this);
  values.F1 = EditedMagnitude(0, F1, "The intensity", intensity);
  values.X1 = EditedPosition(1, X1, 0, w->BeamLength(), "The position on the beam");
  values.F2 = EditedMagnitude(2, F2, "The intensity", intensity);
  values.X2 = EditedPosition(3, X2, 0, w->BeamLength(), "The position on the beam");
  values.Case = EditedCase(4, Case);
  if (!(values.X2 > values.X1))
    throw std::invalid_argument(
        CFormat("Distance 2 must lie past distance 1 (%.10g %s).", values.X1, LengthUnit(IsMetric())));
  values.UpdateProperties();
  PropertyRecorder* recorder = w ? w->Recorder() : nullptr;
  if (!recorder) return false;
  recorder->RecordDistrChargeProps(*this, values);
  return true;
}

bool distrcharge::CopyToClipboard(ClipboardService& clipboard) const {
  // As many digits as read back the values, as long as the record and its
  // case fit the block.
  std::string record;
  for (int digits = 17; digits > 0; --digits) {
    record = "d;" + ShortestReal(F1, 6, digits) + ";" + ShortestReal(F2, 6, digits) + ";" +
             ShortestReal(X2 - X1, 5, digits) + CaseField(Case);
    if (record.size() <= 39) break;
  }
  return PutRecord(clipboard, record);
}

double distrcharge::IntensityAt(double x) const {
  if (!(X1 <= x && x <= X2)) return 0;
  // A load of zero length would divide 0 by 0; its only point carries F1.
  if (X2 == X1) return F1;
  return F1 + (F2 - F1) * (x - X1) / (X2 - X1);
}

double distrcharge::IntensityWithin(double x) const {
  if (!(X2 > X1)) return F1;
  const double t = std::clamp((x - X1) / (X2 - X1), 0.0, 1.0);
  return F1 + (F2 - F1) * t;
}

}  // namespace trevan
