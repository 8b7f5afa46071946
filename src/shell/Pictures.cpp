#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace trevan {

namespace {
void DrawSupport(QPainter& p, QPointF apex, double size) {
  QPainterPath triangle;
  triangle.moveTo(apex);
  triangle.lineTo(apex + QPointF(-size / 2, size));
  triangle.lineTo(apex + QPointF(size / 2, size));
  triangle.closeSubpath();
  p.drawPath(triangle);
  const double base = apex.y() + size;
  p.drawLine(QPointF(apex.x() - size * 0.8, base), QPointF(apex.x() + size * 0.8, base));
  for (double x = apex.x() - size * 0.7; x < apex.x() + size * 0.8; x += size / 3)
    p.drawLine(QPointF(x, base), QPointF(x - size / 4, base + size / 4));
}

void DrawArrow(QPainter& p, QPointF tip, double length) {
  p.drawLine(tip, tip - QPointF(0, length));
  p.drawLine(tip, tip + QPointF(-3, -6));
  p.drawLine(tip, tip + QPointF(3, -6));
}
}  // namespace

QPixmap NewProjectPicture() {
  QPixmap picture(70, 90);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(128, 0, 0), 1.5));
  for (double x = 12; x <= 58; x += 4) p.drawLine(QPointF(x, 30), QPointF(x, 40));  // a uniform load
  p.drawLine(QPointF(10, 30), QPointF(60, 30));
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(QPointF(6, 42), QPointF(64, 42));  // the beam
  p.setPen(QPen(Qt::black, 1.2));
  DrawSupport(p, {12, 44}, 10);
  DrawSupport(p, {58, 44}, 10);
  p.setPen(QPen(QColor(0, 0, 255), 1.5));
  DrawArrow(p, {35, 28}, 18);
  p.setPen(QPen(QColor(255, 0, 255), 1.5));
  QPainterPath moment;  // a hint of the moment curve below
  moment.moveTo(12, 66);
  moment.quadTo(35, 92, 58, 66);
  p.drawPath(moment);
  return picture;
}

QPixmap ProductPicture() {
  QPixmap picture(174, 189);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 236, 245));
  p.drawEllipse(QRectF(12, 20, 150, 150));
  p.setPen(QPen(QColor(128, 0, 0), 2));
  for (double x = 40; x <= 134; x += 8) p.drawLine(QPointF(x, 70), QPointF(x, 88));
  p.setPen(QPen(Qt::black, 5));
  p.drawLine(QPointF(28, 92), QPointF(146, 92));
  p.setPen(QPen(Qt::black, 2));
  DrawSupport(p, {40, 95}, 22);
  DrawSupport(p, {134, 95}, 22);
  p.setPen(QPen(QColor(255, 0, 255), 3));
  QPainterPath moment;
  moment.moveTo(40, 130);
  moment.quadTo(87, 178, 134, 130);
  p.drawPath(moment);
  return picture;
}

}  // namespace trevan
