#include "ChildPlacement.h"

#include <algorithm>

namespace trevan {

QRect ChildPlacement::NewWindow(QSize area, QSize design, std::optional<QPoint> previous, int step) {
  const QSize fitted = design.boundedTo(area);
  const QSize usable = Usable.boundedTo(fitted);
  if (previous) {
    const QPoint at = *previous + QPoint(step, step);
    const QSize left(area.width() - at.x(), area.height() - at.y());
    if (at.x() >= 0 && at.y() >= 0 && left.width() >= usable.width() && left.height() >= usable.height())
      return QRect(at, fitted.boundedTo(left));
  }
  return QRect(QPoint(0, 0), fitted);
}

QList<QRect> ChildPlacement::Cascade(QSize area, int count, int step) {
  QList<QRect> places;
  if (count <= 0 || area.isEmpty()) return places;
  step = std::max(step, 1);
  const QSize usable = Usable.boundedTo(area);
  const int offset = step * (count - 1);
  const QSize size = QSize(area.width() - offset, area.height() - offset).expandedTo(usable);
  // How many steps fit before a window of that size would leave the area.
  const int positions =
      1 + std::min((area.width() - size.width()) / step, (area.height() - size.height()) / step);
  for (int i = 0; i < count; ++i) {
    const int k = i % positions;
    places.append(QRect(QPoint(k * step, k * step), size));
  }
  return places;
}

}  // namespace trevan
