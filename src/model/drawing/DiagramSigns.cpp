#include "drawing/DiagramSigns.h"

namespace trevan {

namespace {
bool saggingUp = false;
}  // namespace

bool DiagramSigns::SaggingUp() { return saggingUp; }
void DiagramSigns::SetSaggingUp(bool on) { saggingUp = on; }

const char* DiagramSigns::MomentLegend() {
  return saggingUp ? "M: sagging (+) drawn upward" : "M: drawn on the tension side, sagging (+) below";
}

}  // namespace trevan
