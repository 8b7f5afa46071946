#include "beam/DistributedLoad.h"

#include <algorithm>

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
  SetRow(0, metric ? "Force 1 (Nm):" : "Force 1 (lbf-ft)", FloatToText(F1));
  SetRow(1, metric ? "Distance 1: (m):" : "Distance 1 (ft)", FloatToText(X1));
  SetRow(2, metric ? "Force 2 (Nm):" : "Force 2 (lbf-ft)", FloatToText(F2));
  SetRow(3, metric ? "Distance 2: (m):" : "Distance 2 (ft)", FloatToText(X2));
  RowCount = 4;
  Caption = "Distributed Load";
}

void distrcharge::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  const double d = pixels * w->DistanceScale();
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

void distrcharge::Draw(Canvas& canvas, int ox, int oy) const {
  Mapping m;
  if (!GetMapping(m)) return;
  const int base = m.baseLine - oy;
  const int a1 = ToPixel(X1 / m.distanceScale - ox);
  const int y1 = ToPixel(base - F1 / m.forceScale);
  const int a2 = ToPixel(X2 / m.distanceScale - ox);
  const int y2 = ToPixel(base - F2 / m.forceScale);
  if (a2 <= a1) return;
  for (long long i = a1; i <= a2; i += 2) {
    const long long y = y1 + static_cast<long long>(y2 - y1) * (i - a1) / (a2 - a1);
    canvas.MoveTo(static_cast<int>(i), base);
    canvas.LineTo(static_cast<int>(i), static_cast<int>(y));
  }
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
  if (!(values.X2 > values.X1)) return false;
  values.UpdateProperties();
  PropertyRecorder* recorder = w ? w->Recorder() : nullptr;
  if (!recorder) return false;
  recorder->RecordDistrChargeProps(*this, values);
  return true;
}

bool distrcharge::CopyToClipboard(ClipboardService& clipboard) const {
  // As many digits as read back the values, as long as the record fits its block.
  std::string record;
  for (int digits = 17; digits > 0; --digits) {
    record = "d;" + ShortestReal(F1, 6, digits) + ";" + ShortestReal(F2, 6, digits) + ";" +
             ShortestReal(X2 - X1, 5, digits);
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
