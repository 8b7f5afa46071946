#pragma once

#include <QRect>
#include <optional>

#include "TQStorage.h"

namespace trevan {

// Where a window stood and how large it was, kept in the settings store as
// "x y width height" under the program's key.
class GeometrySetting {
 public:
  explicit GeometrySetting(const QString& name);

  // None when nothing usable was stored.
  std::optional<QRect> Read();
  void Write(const QRect& frame);

 private:
  TQSetting setting_;
};

}  // namespace trevan
