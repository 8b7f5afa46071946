#include "BeamObject.h"

#include "BeamView.h"
#include "BeamWindow.h"

namespace trevan {

BeamWindow* object::Window() const { return View ? View->Window() : nullptr; }

bool object::IsMetric() const {
  const BeamWindow* w = Window();
  return w ? w->IsMetric() : true;
}

void object::SetRow(int row, const char* label, const std::string& value) {
  PropertyLabels[row] = std::string(label).substr(0, MaxTextLength);
  PropertyValues[row] = value.substr(0, MaxTextLength);
}

}  // namespace trevan
