#include "TTool.h"

#include <algorithm>

#include "InputViewHost.h"
#include "TInputForm.h"
#include "beam/Beam.h"

namespace trevan {

double TTool::PositionOf(Point p, double distanceScale) const {
  const TTrevanDoc* beam = View.Host() ? View.Host()->Beam() : nullptr;
  const double x = distanceScale * p.x;
  return beam ? std::clamp(x, 0.0, beam->Length) : std::max(x, 0.0);
}

double TTool::ForceOf(Point p, double forceScale) const { return forceScale * (View.BaseLine() - p.y); }

bool TTool::InRange(Point p) const { return View.InBeamRange(p); }

void TTool::Readout(const QString& text) const {
  if (InputViewHost* host = View.Host()) host->SetReadout(text);
}

}  // namespace trevan
