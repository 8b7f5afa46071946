#include "PointForce.h"

#include "BeamWindow.h"
#include "CLocaleText.h"
#include "UnitSystem.h"

namespace trevan {

charge::charge(double x_, double f_, BeamView* view) : f(f_), x(x_) {
  View = view;
  UpdateProperties();
}

void charge::UpdateProperties() {
  const bool metric = IsMetric();
  SetRow(0, metric ? "Force (N):" : "Force (lbf):", FloatToText(f));
  SetRow(1, metric ? "Distance: (m):" : "Distance: (ft)", FloatToText(x));
  RowCount = 2;
}

void charge::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w) return;
  x += pixels * w->DistanceScale();
  PropertyValues[1] = FloatToText(x);
}

std::string charge::GetHint(bool fine) const {
  const bool metric = IsMetric();
  return fine ? CFormat("x=%6.4f %s   f=%6.0f %s", x, LengthUnit(metric), f, ForceUnit(metric))
              : CFormat("x=%6.2f %s   f=%6.0f %s", x, LengthUnit(metric), f, ForceUnit(metric));
}

void charge::SetMetric(bool metric) {
  if (metric) {
    x *= FeetToMetres;
    f *= PoundsForceToNewtons;
  } else {
    x /= FeetToMetres;
    f /= PoundsForceToNewtons;
  }
  UpdateProperties();
}

std::string charge::GetName() const { return "Load"; }

}  // namespace trevan
