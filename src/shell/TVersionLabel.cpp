#include "TVersionLabel.h"

#include "hosts/ProgramResources.h"

namespace trevan {

TVersionLabel::TVersionLabel(QWidget* parent) : QLabel(parent) { setText("Version " + GetVersion()); }

QString TVersionLabel::GetVersion() {
  if (version_.isEmpty()) version_ = QString::fromStdString(ProgramVersion());
  return version_;
}

}  // namespace trevan
