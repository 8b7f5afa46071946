#pragma once

#include "TQStorage.h"

namespace trevan {

// The deflection limit n of the check span/n that the user chose last, kept
// in the settings store so that the panel, the sheet and the preview agree.
class DeflectionLimitSetting {
 public:
  DeflectionLimitSetting();

  // The stored limit, or the default when nothing usable is stored.
  double Read();
  void Write(double limit);

 private:
  TQSetting setting_;
};

}  // namespace trevan
