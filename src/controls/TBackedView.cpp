#include "TBackedView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace trevan {

namespace {
// The backing canvas covers this much beyond the visible part.
constexpr int Margin = 256;
}  // namespace

TBackedView::TBackedView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TBackedView::Invalidate() {
  if (renderPending_) return;
  renderPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (renderPending_) RenderNow();
  });
}

ImageCanvas& TBackedView::Surface() {
  if (renderPending_) RenderNow();
  return canvas_;
}

QRect TBackedView::WantedArea() const {
  QRect visible = visibleRegion().boundingRect();
  if (visible.isEmpty()) visible = QRect(0, 0, std::min(width(), 1024), std::min(height(), 1024));
  return visible.adjusted(-Margin, -Margin, Margin, Margin).intersected(rect());
}

void TBackedView::RenderNow() { RenderArea(WantedArea()); }

QRect TBackedView::ShownArea(const QWidget* top) const {
  QRect shown = rect();
  for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
    shown &= QRect(mapFrom(w, QPoint(0, 0)), w->size());
    if (w == top) break;
  }
  return shown;
}

void TBackedView::RenderArea(const QRect& wanted) {
  renderPending_ = false;
  QRect area = wanted.intersected(rect());
  if (area.isEmpty()) area = QRect(0, 0, 1, 1);
  if (canvas_.Width() != area.width() || canvas_.Height() != area.height())
    canvas_.Resize(std::max(area.width(), 1), std::max(area.height(), 1), Rgb{});
  canvas_.SetOrigin(area.x(), area.y());
  const QColor face = palette().color(QPalette::Window);
  canvas_.Fill(Rgb::FromRgb(face.red(), face.green(), face.blue()));
  canvas_.SetRasterMode(RasterMode::Copy);
  Render(canvas_);
  update();
}

void TBackedView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect covered = canvas_.Covered();
  const QRect wanted = event->rect();
  if (!covered.contains(wanted)) {
    painter.fillRect(wanted, palette().color(QPalette::Window));
    Invalidate();
  }
  const QRect part = wanted.intersected(covered);
  painter.drawImage(part, canvas_.image(), part.translated(-covered.topLeft()));
}

void TBackedView::moveEvent(QMoveEvent*) { EnsureCovered(); }

void TBackedView::EnsureCovered() {
  if (!canvas_.Covered().contains(visibleRegion().boundingRect())) Invalidate();
}

Rect TBackedView::LabelBounds(int columns) const {
  Rect bounds{0, 0, std::min(columns + 1, width()), height()};
  const QRect seen = visibleRegion().boundingRect();
  if (!seen.isEmpty()) {
    bounds.Top = std::max(bounds.Top, seen.top());
    bounds.Bottom = std::min(bounds.Bottom, seen.bottom() + 1);
  }
  return bounds;
}

}  // namespace trevan
