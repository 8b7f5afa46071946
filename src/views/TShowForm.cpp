#include "TShowForm.h"

#include <QMouseEvent>
#include <cmath>

#include "TMDIChild.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "beam/UnitSystem.h"
#include "drawing/DiagramSigns.h"
#include "files/ExactTable.h"
#include "hosts/PixelMapping.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
constexpr Rgb Silver = Rgb::FromRgb(192, 192, 192);
constexpr Rgb Black = Rgb::FromRgb(0, 0, 0);
}  // namespace

TShowForm::TShowForm(QWidget* parent) : TBackedView(parent) {
  setMouseTracking(true);
  resize(311, 235);
}

void TShowForm::AllocateColumns(int columnCount) {
  shear_.assign(static_cast<std::size_t>(std::max(columnCount, 0)), 0.0);
  moment_.assign(shear_.size(), 0.0);
  shear_.shrink_to_fit();
  moment_.shrink_to_fit();
}

void TShowForm::PlotPixel(int x, int y, Rgb colour) {
  Surface().SetPixel(x, y, colour);
  plotted_ |= QRect(x, y, 1, 1);
}

void TShowForm::FlushPlotted() {
  if (plotted_.isEmpty()) return;
  update(plotted_);
  plotted_ = QRect();
}

void TShowForm::Render(ImageCanvas& canvas) {
  plotted_ = QRect();
  const QRect area = canvas.Covered();
  if (!window_) return;
  const int columns = static_cast<int>(std::min<std::size_t>(window_->ColumnCount(), shear_.size()));
  const double fs = window_->ForceScale(), ms = window_->MomentScale();

  const int k = zeroLine_ / 20 + 1;
  if (k >= 0 && k <= 1000) {
    for (int i = -k; i <= k - 1; ++i) {
      const int y = zeroLine_ - 20 * i;
      if (y < 0) continue;
      canvas.SetPenColor(i == 0 ? Black : Silver);
      canvas.MoveTo(0, y);
      canvas.LineTo(window_->ColumnCount(), y);
    }
  }
  canvas.SetPenColor(Silver);
  for (int i = 0; i <= window_->ColumnCount() / 50; ++i) {
    canvas.MoveTo(50 * i, 0);
    canvas.LineTo(50 * i, 2 * std::min(zeroLine_, MaxZeroLine));
  }

  // Only the columns in sight are drawn; the pen starts where the curve
  // would have brought it.
  const int first = std::max(0, area.left() - 1);
  const int last = std::min(columns - 1, area.right() + 1);
  // The columns hold shear and moment with the opposite sign of every number
  // shown: shear is drawn positive upward, the moment as Scale | Options says.
  const double momentUp = -DiagramSigns::MomentUpward();
  auto yOf = [&](double v, double scale) { return PixelRow(zeroLine_, v, scale); };
  auto shearY = [&](int i) { return yOf(-shear_[i], fs); };
  auto momentY = [&](int i) { return yOf(momentUp * moment_[i], ms); };
  // A beam that cannot stand under its loads has no curves to show.
  const TTrevanDoc* beam = window_->Beam();
  if (beam && beam->NeedsSupport()) return;

  canvas.SetPenColor(window_->ForcesColour());
  int a = first == 0 ? zeroLine_ : shearY(first - 1);
  canvas.MoveTo(first, first == 0 ? zeroLine_ : a);
  for (int i = first; i <= last; ++i) {
    const int b = shearY(i);
    if (std::abs(a - b) <= 3) {
      canvas.LineTo(i + 1, b);
    } else {
      canvas.LineTo(i, b);
      canvas.MoveTo(i + 1, b);
    }
    a = b;
  }

  canvas.SetPenColor(window_->MomentsColour());
  canvas.MoveTo(first == 0 ? 0 : first - 1, first == 0 ? zeroLine_ : momentY(first - 1));
  for (int j = first; j <= last; ++j) canvas.LineTo(j, momentY(j));

  DrawDeflection(canvas, first, last);

  valueLabels_.clear();
  if (!ValueLabels::Enabled() || !window_->Beam()) return;
  const ExactResults& results = KeptSolution(*window_->Beam());
  const ValueLabels::Mapping m{window_->DistanceScale(), fs, ms, zeroLine_, window_->IsMetric()};
  std::vector<ValueLabels::Label> labels =
      ValueLabels::ForDiagrams(results, m, window_->ForcesColour(), window_->MomentsColour());
  for (auto& label : ValueLabels::ForDeflections(results, m, window_->DeflectionScale(), window_->DeflectionsColour()))
    labels.push_back(std::move(label));
  valueLabels_ = ValueLabels::Place(
      canvas, std::move(labels),
      LabelBounds(window_->ColumnCount()), canvas.Covered().left() - LabelReach,
      canvas.Covered().right() + LabelReach);
  ValueLabels::Draw(canvas, valueLabels_);
}

void TShowForm::DrawDeflection(ImageCanvas& canvas, int first, int last) {
  if (!window_->Beam() || first > last) return;
  const ExactResults& results = KeptSolution(*window_->Beam());
  if (!results.deflected) return;
  const double ds = window_->DistanceScale(), factor = ExactTable::DeflectionFactor(window_->IsMetric());
  auto yAt = [&](int i) { return PixelRow(zeroLine_, -results.DeflectionAt(i * ds) * factor, window_->DeflectionScale()); };
  canvas.SetPenColor(window_->DeflectionsColour());
  canvas.MoveTo(first, yAt(first));
  for (int i = first + 1; i <= last; ++i) canvas.LineTo(i, yAt(i));
}

QString TShowForm::DeflectionReadoutAt(int x) const {
  if (!window_ || !window_->Beam()) return {};
  const ExactResults& results = KeptSolution(*window_->Beam());
  if (!results.deflected) return {};
  const bool metric = window_->IsMetric();
  return QString::fromStdString(CFormat("   \u03b4=%7.3f %s", results.DeflectionAt(x * window_->DistanceScale()) *
                                                             ExactTable::DeflectionFactor(metric),
                                        ExactTable::DeflectionUnit(metric)));
}

void TShowForm::resizeEvent(QResizeEvent*) {
  zeroLine_ = height() / 2;
  Invalidate();
}

// The exact values at the pointer's position, not the column's sample.
QString TShowForm::ReadoutAt(int x) const {
  const TTrevanDoc* beam = window_ ? window_->Beam() : nullptr;
  if (!beam || x < 0 || x > window_->ColumnCount()) return {};
  const double at = std::min(x * window_->DistanceScale(), beam->Length);
  const ExactResults& exact = KeptSolution(*beam);
  const double m = exact.solved ? exact.MomentAt(at) : 0, v = exact.solved ? exact.ShearAt(at) : 0;
  const bool metric = window_->IsMetric();
  return QString::fromStdString(CFormat("x=%5.1f %s   M=%8.0f %s   F=%6.0f %s", at, LengthUnit(metric), m,
                                        MomentUnit(metric), v, ForceUnit(metric)));
}

void TShowForm::mouseMoveEvent(QMouseEvent* e) {
  const int x = e->position().toPoint().x();
  QString text = ReadoutAt(x);
  if (!text.isEmpty()) text += DeflectionReadoutAt(x);
  if (!text.isEmpty() && window_) window_->SetReadout(text);
}

}  // namespace trevan
