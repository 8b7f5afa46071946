#include "THAxisBox.h"

#include <QPaintEvent>
#include <QPainter>

#include "TMDIChild.h"
#include "beam/UnitSystem.h"
#include "drawing/TextContrast.h"
#include "text/CLocaleText.h"

namespace trevan {

THAxisBox::THAxisBox(QWidget* parent, TMDIChild* owner) : QWidget(parent), owner_(owner) {
  setFixedHeight(16);
}

QList<TVAxis::Label> THAxisBox::Labels(int columnCount, double distanceScale, bool metric, int first,
                                       int last) {
  QList<TVAxis::Label> labels;
  for (int i = std::max(first, 0); i <= std::min(last, columnCount / 50); ++i)
    labels.append({50 * i + TVAxis::StripWidth, 0,
                   QString::fromStdString(CFormat("%8.2f %s", 50 * i * distanceScale, LengthUnit(metric)))});
  return labels;
}

void THAxisBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(TVAxis::AxisFont());
  painter.setPen(TVAxis::ToQColor(TextContrast::ReadableOn(owner_->DistancesColour(), TextContrast::Paper)));
  const QFontMetrics metrics(painter.font());
  // Only the labels that reach into the exposed part: a long beam has
  // hundreds of thousands.
  const int from = std::max(0, (event->rect().left() - TVAxis::StripWidth - 100) / 50);
  const int to = (event->rect().right() - TVAxis::StripWidth + 100) / 50 + 1;
  const QList<TVAxis::Label> labels =
      Labels(owner_->ColumnCount(), owner_->DistanceScale(), owner_->IsMetric(), from, to);
  for (const TVAxis::Label& label : labels) {
    const int w = metrics.horizontalAdvance(label.text);
    painter.drawText(QRect(label.x - w / 2, label.y, w, metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                     label.text);
  }
}

}  // namespace trevan
