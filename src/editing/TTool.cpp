#include "TTool.h"

#include "InputViewHost.h"
#include "TInputForm.h"

namespace trevan {

double TTool::ForceOf(Point p, double forceScale) const { return forceScale * (View.BaseLine() - p.y); }

bool TTool::InRange(Point p) const { return View.InBeamRange(p); }

void TTool::Readout(const QString& text) const {
  if (InputViewHost* host = View.Host()) host->SetReadout(text);
}

}  // namespace trevan
