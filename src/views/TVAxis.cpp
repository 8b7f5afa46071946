#include "TVAxis.h"

#include <QPaintEvent>
#include <QPainter>

#include "TMDIChild.h"
#include "beam/UnitSystem.h"
#include "drawing/TextContrast.h"
#include "text/CLocaleText.h"

namespace trevan {

QFont TVAxis::AxisFont() {
  QFont font("Arial");
  font.setPointSize(8);
  return font;
}

TVAxis::TVAxis(QWidget* parent, const int* referenceLine, Kind kind, TMDIChild* owner)
    : QWidget(parent), AxisKind(kind), referenceLine_(referenceLine), owner_(owner) {
  setFixedWidth(StripWidth);
  setAutoFillBackground(true);
}

QList<TVAxis::Label> TVAxis::Labels(Kind kind, int referenceLine, double scale, bool metric, int width) {
  QList<Label> labels;
  const int e = referenceLine / 20;
  if (e < 0 || e > 1000) return labels;
  for (int i = -e; i <= e - 1; ++i) {
    if (i % 2 != 0) continue;
    const int y = referenceLine - 20 * i - 5;
    if (kind == Kind::Force)
      labels.append(
          {width - 2, y, QString::fromStdString(CFormat("%7.0f %s", scale * 20 * i, ForceUnit(metric)))});
    else
      labels.append({0, y, QString::fromStdString(CFormat("%8.0f %s", scale * 20 * i, MomentUnit(metric)))});
  }
  return labels;
}

QList<TVAxis::Label> TVAxis::Labels() const {
  if (!referenceLine_) return {};
  const double scale = AxisKind == Kind::Force ? owner_->ForceScale() : owner_->MomentScale();
  return Labels(AxisKind, *referenceLine_, scale, owner_->IsMetric(), width());
}

void TVAxis::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(AxisFont());
  const Rgb colour = AxisKind == Kind::Force ? owner_->ForcesColour() : owner_->MomentsColour();
  painter.setPen(ToQColor(TextContrast::ReadableOn(colour, TextContrast::Paper)));
  const QFontMetrics metrics(painter.font());
  for (const Label& label : Labels()) {
    const QRect box = AxisKind == Kind::Force
                          ? QRect(label.x - metrics.horizontalAdvance(label.text), label.y,
                                  metrics.horizontalAdvance(label.text), metrics.height())
                          : QRect(label.x, label.y, metrics.horizontalAdvance(label.text), metrics.height());
    if (box.intersects(event->rect())) painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, label.text);
  }
}

}  // namespace trevan
