#include "GeometrySetting.h"

#include <QStringList>

namespace trevan {

GeometrySetting::GeometrySetting(const QString& name) {
  setting_.Storage.SetKey("Software\\Quillmoor Software\\Trevan");
  setting_.Storage.SetRegistryRootKey(qsrkCurrentUser);
  setting_.KeyName = name;
}

std::optional<QRect> GeometrySetting::Read() {
  const QStringList parts = setting_.GetValue().split(' ', Qt::SkipEmptyParts);
  if (parts.size() != 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].toInt(&ok);
    if (!ok) return std::nullopt;
  }
  // A window too small to use is no geometry worth restoring.
  if (v[2] < 100 || v[3] < 60) return std::nullopt;
  return QRect(v[0], v[1], v[2], v[3]);
}

void GeometrySetting::Write(const QRect& frame) {
  setting_.SetValue(
      QString("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
}

}  // namespace trevan
