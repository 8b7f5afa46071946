#include "TVAxis.h"

#include <QPaintEvent>
#include <QPainter>

#include "TMDIChild.h"
#include "beam/Beam.h"
#include "beam/UnitSystem.h"
#include "drawing/DiagramSigns.h"
#include "drawing/TextContrast.h"
#include "files/ExactTable.h"
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
    else  // the moment a line stands for, as the curve is drawn
      labels.append({0, y,
                      QString::fromStdString(CFormat("%8.0f %s", 0.0 + DiagramSigns::MomentUpward() * scale * 20 * i,
                                                     MomentUnit(metric)))});
  }
  return labels;
}

QList<TVAxis::Label> TVAxis::DeflectionLabels(int referenceLine, double scale, bool metric) {
  QList<Label> labels;
  const int e = referenceLine / 20;
  if (e < 0 || e > 1000) return labels;
  for (int i = -e; i <= e - 1; ++i) {
    if (i % 2 == 0) continue;
    const std::string value = ExactTable::Significant(-scale * 20 * i, 3);
    labels.append({0, referenceLine - 20 * i - 5,
                   QString::fromStdString(CFormat("%8s %s", value.c_str(), ExactTable::DeflectionUnit(metric)))});
  }
  return labels;
}

void TVAxis::PaintDeflections(QPainter& painter, const QRect& area) {
  const TTrevanDoc* beam = owner_->Beam();
  if (AxisKind != Kind::Moment || !referenceLine_ || !beam || beam->Section.Empty() || !beam->IsStable()) return;
  painter.setPen(ToQColor(owner_->DeflectionsColour()));
  const QFontMetrics metrics(painter.font());
  for (const Label& label : DeflectionLabels(*referenceLine_, owner_->DeflectionScale(), owner_->IsMetric())) {
    const QRect box(label.x, label.y, metrics.horizontalAdvance(label.text), metrics.height());
    if (box.intersects(area)) painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, label.text);
  }
}

QList<TVAxis::Label> TVAxis::Labels() const {
  if (!referenceLine_) return {};
  const double scale = AxisKind == Kind::Force ? owner_->ForceScale() : owner_->MomentScale();
  return Labels(AxisKind, *referenceLine_, scale, owner_->IsMetric(), width());
}

// Which way the moment is drawn, at the top of the strip: "sagging" and an
// arrow toward the side sagging moments are drawn on.
void TVAxis::DrawLegend(QPainter& painter) const {
  const QString text = DiagramSigns::SaggingUp() ? "sagging \u2191" : "sagging \u2193";
  // At the top of what the scroll box shows, not of the whole strip.
  const int top = visibleRegion().boundingRect().top() + 2;
  const QRect box(2, top, width() - 4, QFontMetrics(painter.font()).height());
  painter.fillRect(box.adjusted(-2, -2, 2, 1), palette().window());  // over an axis value scrolled under it
  painter.drawText(box, Qt::AlignLeft, text);
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
  if (AxisKind == Kind::Moment) DrawLegend(painter);
  PaintDeflections(painter, event->rect());
}

}  // namespace trevan
