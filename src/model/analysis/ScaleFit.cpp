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

  s.distance = WidthScale(extent.length, room.columns, current.distance);
  return s;
}

// Rounded up to three significant digits, so that the axis ticks every 50
// columns read as short numbers, and never finer than the commands go.
double ScaleFit::WidthScale(double length, int columns, double current) {
  if (!(length > 0) || columns < 2) return current;
  const double exact = length / (columns - 1);
  const double p = std::pow(10.0, std::floor(std::log10(exact)) - 2);
  double d = std::ceil(exact / p - 1e-9) * p;
  // The rounded step may still leave the last column one short.
  while (std::trunc(length / d + 1e-9) + 1 > columns) d += p;
  return std::max(d, SmallestDistanceStep);
}

double ScaleFit::ShortScale(double v) {
  if (!(v > 0) || !std::isfinite(v)) return v;
  // Divided by an exact power of ten, so that 0.04 comes out as the double 0.04.
  const double q = std::pow(10.0, 2 - std::floor(std::log10(v)));
  const double r = std::round(v * q) / q;
  return std::abs(r - v) <= 1e-9 * v ? r : v;
}

bool ScaleFit::Underfills(const Extent& extent, const Scales& scales, const Room& room) {
  auto small = [](double value, double scale, int half) { return value > 0 && value / scale < half / 5.0; };
  return small(extent.loads, scales.force, room.inputHalf) ||
         small(extent.shear, scales.force, room.diagramHalf) ||
         small(extent.moment, scales.moment, room.diagramHalf);
}

bool ScaleFit::Overflows(const Extent& extent, const Scales& scales, const Room& room) {
  return extent.loads / scales.force > room.inputHalf || extent.shear / scales.force > room.diagramHalf ||
         extent.moment / scales.moment > room.diagramHalf;
}

}  // namespace trevan
