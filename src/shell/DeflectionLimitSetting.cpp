#include "DeflectionLimitSetting.h"

#include <QLocale>

#include "beam/InputLimits.h"

namespace trevan {

DeflectionLimitSetting::DeflectionLimitSetting() {
  setting_.Storage.SetKey("Software\\Quillmoor Software\\Trevan");
  setting_.Storage.SetRegistryRootKey(qsrkCurrentUser);
  setting_.KeyName = "Deflection Limit";
}

double DeflectionLimitSetting::Read() {
  bool ok = false;
  const double limit = setting_.GetValue().toDouble(&ok);
  return ok && limits::IsDeflectionLimit(limit) ? limit : limits::DefaultDeflectionLimit;
}

void DeflectionLimitSetting::Write(double limit) {
  if (limits::IsDeflectionLimit(limit)) setting_.SetValue(QString::number(limit, 'g', QLocale::FloatingPointShortest));
}

}  // namespace trevan
