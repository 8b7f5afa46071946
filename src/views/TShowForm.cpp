#include "TShowForm.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "CLocaleText.h"
#include "TMDIChild.h"
#include "UnitSystem.h"

namespace trevan {

namespace {
constexpr Rgb Silver = Rgb::FromRgb(192, 192, 192);
constexpr Rgb Black = Rgb::FromRgb(0, 0, 0);
constexpr int Margin = 256;
}  // namespace

TShowForm::TShowForm(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(311, 235);
}

void TShowForm::AllocateColumns(int columnCount) {
  shear_.assign(static_cast<std::size_t>(std::max(columnCount, 0)), 0.0);
  moment_.assign(shear_.size(), 0.0);
  shear_.shrink_to_fit();
  moment_.shrink_to_fit();
}

void TShowForm::PlotPixel(int x, int y, Rgb colour) {
  if (renderPending_) RenderNow();
  canvas_.SetPixel(x, y, colour);
  plotted_ |= QRect(x, y, 1, 1);
}

void TShowForm::FlushPlotted() {
  if (plotted_.isEmpty()) return;
  update(plotted_);
  plotted_ = QRect();
}

void TShowForm::Invalidate() {
  if (renderPending_) return;
  renderPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (renderPending_) RenderNow();
  });
}

QRect TShowForm::WantedArea() const {
  QRect visible = visibleRegion().boundingRect();
  if (visible.isEmpty()) visible = QRect(0, 0, std::min(width(), 1024), std::min(height(), 1024));
  return visible.adjusted(-Margin, -Margin, Margin, Margin).intersected(rect());
}

void TShowForm::RenderNow() {
  renderPending_ = false;
  plotted_ = QRect();
  const QRect area = WantedArea();
  if (canvas_.Width() != area.width() || canvas_.Height() != area.height())
    canvas_.Resize(std::max(area.width(), 1), std::max(area.height(), 1), Rgb{});
  canvas_.SetOrigin(area.x(), area.y());
  const QColor face = palette().color(QPalette::Window);
  canvas_.Fill(Rgb::FromRgb(face.red(), face.green(), face.blue()));
  canvas_.SetRasterMode(RasterMode::Copy);
  if (!window_) {
    update();
    return;
  }
  const int columns = static_cast<int>(std::min<std::size_t>(window_->ColumnCount(), shear_.size()));
  const double fs = window_->ForceScale(), ms = window_->MomentScale();

  const int k = zeroLine_ / 20 + 1;
  if (k >= 0 && k <= 1000) {
    for (int i = -k; i <= k - 1; ++i) {
      const int y = zeroLine_ - 20 * i;
      if (y < 0) continue;
      canvas_.SetPenColor(i == 0 ? Black : Silver);
      canvas_.MoveTo(0, y);
      canvas_.LineTo(window_->ColumnCount(), y);
    }
  }
  canvas_.SetPenColor(Silver);
  for (int i = 0; i <= window_->ColumnCount() / 50; ++i) {
    canvas_.MoveTo(50 * i, 0);
    canvas_.LineTo(50 * i, 2 * zeroLine_);
  }

  // Only the columns in sight are drawn; the pen starts where the curve
  // would have brought it.
  const int first = std::max(0, area.left() - 1);
  const int last = std::min(columns - 1, area.right() + 1);
  auto yOf = [&](double v, double scale) { return zeroLine_ - TruncToInt(v / scale); };

  canvas_.SetPenColor(window_->ForcesColour());
  int a = first == 0 ? zeroLine_ : yOf(shear_[first - 1], fs);
  canvas_.MoveTo(first, first == 0 ? zeroLine_ : a);
  for (int i = first; i <= last; ++i) {
    const int b = yOf(shear_[i], fs);
    if (std::abs(a - b) <= 3) {
      canvas_.LineTo(i + 1, b);
    } else {
      canvas_.LineTo(i, b);
      canvas_.MoveTo(i + 1, b);
    }
    a = b;
  }

  canvas_.SetPenColor(window_->MomentsColour());
  canvas_.MoveTo(first == 0 ? 0 : first - 1, first == 0 ? zeroLine_ : yOf(moment_[first - 1], ms));
  for (int j = first; j <= last; ++j) canvas_.LineTo(j, yOf(moment_[j], ms));
  update();
}

void TShowForm::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect covered = canvas_.Covered();
  const QRect wanted = event->rect();
  if (!covered.contains(wanted)) painter.fillRect(wanted, palette().color(QPalette::Window));
  const QRect part = wanted.intersected(covered);
  painter.drawImage(part, canvas_.image(), part.translated(-covered.topLeft()));
  if (!covered.contains(wanted)) Invalidate();
}

void TShowForm::resizeEvent(QResizeEvent*) {
  zeroLine_ = height() / 2;
  Invalidate();
}

void TShowForm::moveEvent(QMoveEvent*) { EnsureCovered(); }

void TShowForm::EnsureCovered() {
  if (!canvas_.Covered().contains(visibleRegion().boundingRect())) Invalidate();
}

QString TShowForm::ReadoutAt(int x) const {
  if (!window_ || x <= 0 || x > window_->ColumnCount() || x > static_cast<int>(shear_.size())) return {};
  const bool metric = window_->IsMetric();
  return QString::fromStdString(CFormat("x=%5.1f %s   M=%8.0f %s   F=%6.0f %s", x * window_->DistanceScale(),
                                        LengthUnit(metric), moment_[x - 1], MomentUnit(metric), shear_[x - 1],
                                        ForceUnit(metric)));
}

void TShowForm::mouseMoveEvent(QMouseEvent* e) {
  const QString text = ReadoutAt(e->position().toPoint().x());
  if (!text.isEmpty() && window_) window_->SetReadout(text);
}

}  // namespace trevan
