#pragma once

#include <QList>
#include <QRect>
#include <optional>

namespace trevan {

// Where the child windows of the main window go: always wholly inside the
// area that shows them and, where the area allows, at a usable size.
struct ChildPlacement {
  // The smallest size worth giving a document window.
  static constexpr QSize Usable{400, 260};

  // A new window of the given design size: one step below and right of the
  // window before it (or at the corner), made smaller to fit, and back at
  // the corner when it would then be smaller than usable.
  static QRect NewWindow(QSize area, QSize design, std::optional<QPoint> previous, int step);

  // count windows, each one step below and right of the one before, all of
  // one size as large as the area leaves them; when the area is too small
  // for them all at a usable size, the steps start again at the corner.
  static QList<QRect> Cascade(QSize area, int count, int step);
};

}  // namespace trevan
