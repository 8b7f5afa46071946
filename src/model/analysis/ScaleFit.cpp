#include "analysis/ScaleFit.h"

#include <algorithm>
#include <cmath>

#include "beam/Beam.h"

namespace trevan {

ScaleFit::Extent ScaleFit::Measure(const TTrevanDoc& beam, const ExactResults& results) {
  Extent e;
  e.length = beam.Length;
  for (const auto& c : beam.Charges) e.loads = std::max(e.loads, std::abs(c->f));
  for (const auto& d : beam.DistrCharges) e.loads = std::max({e.loads, std::abs(d->F1), std::abs(d->F2)});
  if (results.solved) {
    for (const auto& s : results.supports) e.loads = std::max(e.loads, std::abs(s.reaction));
    e.shear = results.maxAbsShear.value;
    e.moment = std::max(results.maxSagging.value, -results.maxHogging.value);
  }
  return e;
}

double ScaleFit::StepAtLeast(double v) {
  if (!(v > SmallestForceStep)) return SmallestForceStep;
  double p = std::pow(10.0, std::floor(std::log10(v)));
  for (;; p *= 10)
    for (double q : {1.25, 2.5, 5.0})
      if (q * p >= v) return q * p;
}

double ScaleFit::FineStepAtLeast(double v) {
  if (!(v > 0 && std::isfinite(v))) return 1;
  double p = std::pow(10.0, std::floor(std::log10(v)));
  for (;; p *= 10)
    for (double q : {1.25, 2.5, 5.0})
      if (q * p >= v) return q * p;
}

ScaleFit::Scales ScaleFit::Fit(const Extent& extent, const Scales& current, const Room& room) {
  Scales s = current;
  const double inputRoom = std::max(1, room.inputHalf - Margin);
  const double diagramRoom = std::max(1, room.diagramHalf - Margin);
  const double force = std::max(extent.loads / inputRoom, extent.shear / diagramRoom);
  s.force = force > 0 ? StepAtLeast(force) : current.force;
  s.moment = extent.moment > 0 ? StepAtLeast(extent.moment / diagramRoom) : current.moment;

  // Along the window's own ladder of distance steps: the finest whose
  // columns all fit, but no finer than the commands go.
  double d = current.distance;
  auto fits = [&](double scale) { return std::trunc(extent.length / scale) + 1 <= room.columns; };
  while (!fits(d) && d < 1e6) d *= 2;
  while (d / 2 >= SmallestDistanceStep && fits(d / 2)) d /= 2;
  s.distance = d;
  return s;
}

bool ScaleFit::Overflows(const Extent& extent, const Scales& scales, const Room& room) {
  return extent.loads / scales.force > room.inputHalf || extent.shear / scales.force > room.diagramHalf ||
         extent.moment / scales.moment > room.diagramHalf;
}

}  // namespace trevan
