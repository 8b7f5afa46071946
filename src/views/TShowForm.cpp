#include "TShowForm.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "TMDIChild.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
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

// The colour a fifth of the way from white to c: the band between an
// envelope's curves.
Rgb Tint(Rgb c) {
  auto mix = [](int v) { return 255 - (255 - v) / 5; };
  return Rgb::FromRgb(mix(c.Red()), mix(c.Green()), mix(c.Blue()));
}
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

  if (beam && window_->Choice().IsEnvelope()) {
    DrawEnvelope(canvas, first, last);
    DrawEnvelopeLabels(canvas);
    return;
  }

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
  const ExactResults& results = Shown();
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

const ExactResults& TShowForm::Shown() const { return KeptResult(*window_->Beam(), window_->Choice()); }

std::vector<double> TShowForm::ColumnPlaces() const {
  std::vector<double> places(static_cast<std::size_t>(std::max(window_->ColumnCount(), 0)));
  const double length = window_->Beam() ? window_->Beam()->Length : 0;
  for (std::size_t i = 0; i < places.size(); ++i)
    places[i] = std::min(static_cast<double>(i) * window_->DistanceScale(), length);
  return places;
}

const Envelope& TShowForm::ShownEnvelope() const {
  return KeptEnvelope(*window_->Beam(), window_->Choice().limit, ColumnPlaces());
}

const Envelope::Sample* TShowForm::EnvelopeAt(const Envelope& envelope, double x) {
  // The value just right of x, as the single results give it: the later of a jump's two samples.
  const auto after = std::upper_bound(envelope.samples.begin(), envelope.samples.end(), x,
                                      [](double v, const Envelope::Sample& s) { return v < s.x; });
  return after == envelope.samples.begin() ? nullptr : &*(after - 1);
}

// Each curve's band is tinted on every second column, the shear's on the
// even ones and the moment's on the odd ones, so that both show where they
// overlap; the curves go over the bands.
void TShowForm::DrawEnvelope(ImageCanvas& canvas, int first, int last) {
  const Envelope& e = ShownEnvelope();
  if (!e.solved || first > last) return;
  const double fs = window_->ForceScale(), ms = window_->MomentScale(), ds = window_->DistanceScale();
  const double momentUp = DiagramSigns::MomentUpward();
  const double deflection = ExactTable::DeflectionFactor(window_->IsMetric());
  struct Curve {
    Rgb colour;
    int parity;
    double (*upper)(const Envelope::Sample&);
    double (*lower)(const Envelope::Sample&);
    double sign, scale;
  };
  const Curve curves[] = {
      {window_->ForcesColour(), 0, [](const Envelope::Sample& s) { return s.shearUpper; },
       [](const Envelope::Sample& s) { return s.shearLower; }, 1, fs},
      {window_->MomentsColour(), 1, [](const Envelope::Sample& s) { return s.momentUpper; },
       [](const Envelope::Sample& s) { return s.momentLower; }, momentUp, ms},
      {window_->DeflectionsColour(), -1, [](const Envelope::Sample& s) { return s.deflectionUpper; },
       [](const Envelope::Sample& s) { return s.deflectionLower; }, -deflection, window_->DeflectionScale()},
  };
  for (const Curve& c : curves) {
    if (c.parity < 0 && !e.deflected) continue;
    auto rows = [&](int i, int& up, int& low) {
      const Envelope::Sample* s = EnvelopeAt(e, i * ds);
      if (!s) return false;
      up = PixelRow(zeroLine_, c.sign * c.upper(*s), c.scale);
      low = PixelRow(zeroLine_, c.sign * c.lower(*s), c.scale);
      return true;
    };
    if (c.parity >= 0) {
      canvas.SetPenColor(Tint(c.colour));
      for (int i = first; i <= last; ++i) {
        int up = 0, low = 0;
        if (i % 2 != c.parity || !rows(i, up, low)) continue;
        canvas.MoveTo(i, up);
        canvas.LineTo(i, low);
      }
    }
    canvas.SetPenColor(c.colour);
    for (const bool upper : {true, false}) {
      bool started = false;
      for (int i = first; i <= last; ++i) {
        int up = 0, low = 0;
        if (!rows(i, up, low)) continue;
        const int y = upper ? up : low;
        if (started) {
          canvas.LineTo(i, y);
        } else {
          canvas.MoveTo(i, y);
          started = true;
        }
      }
    }
  }
}

// The envelope's governing extremes, labelled as a single result's are.
void TShowForm::DrawEnvelopeLabels(ImageCanvas& canvas) {
  valueLabels_.clear();
  const Envelope& e = ShownEnvelope();
  if (!ValueLabels::Enabled() || !e.solved) return;
  ExactResults extremes;
  extremes.solved = true;
  extremes.maxSagging = {std::max(e.maxSagging.value, 0.0), e.maxSagging.x};
  extremes.maxHogging = {std::min(e.maxHogging.value, 0.0), e.maxHogging.x};
  const Envelope::Governed& shear = e.maxShear.value >= -e.minShear.value ? e.maxShear : e.minShear;
  extremes.maxAbsShear = {std::abs(shear.value), shear.x};
  extremes.maxShearSigned = shear.value;
  const ValueLabels::Mapping m{window_->DistanceScale(), window_->ForceScale(), window_->MomentScale(),
                               zeroLine_, window_->IsMetric()};
  valueLabels_ = ValueLabels::Place(
      canvas, ValueLabels::ForDiagrams(extremes, m, window_->ForcesColour(), window_->MomentsColour()),
      LabelBounds(window_->ColumnCount()), canvas.Covered().left() - LabelReach,
      canvas.Covered().right() + LabelReach);
  ValueLabels::Draw(canvas, valueLabels_);
}

void TShowForm::DrawDeflection(ImageCanvas& canvas, int first, int last) {
  if (!window_->Beam() || first > last) return;
  const ExactResults& results = Shown();
  if (!results.deflected) return;
  const double ds = window_->DistanceScale(), factor = ExactTable::DeflectionFactor(window_->IsMetric());
  auto yAt = [&](int i) { return PixelRow(zeroLine_, -results.DeflectionAt(i * ds) * factor, window_->DeflectionScale()); };
  canvas.SetPenColor(window_->DeflectionsColour());
  canvas.MoveTo(first, yAt(first));
  for (int i = first + 1; i <= last; ++i) canvas.LineTo(i, yAt(i));
}

QString TShowForm::DeflectionReadoutAt(int x) const {
  if (!window_ || !window_->Beam() || window_->Choice().IsEnvelope()) return {};
  const ExactResults& results = Shown();
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
  const bool metric = window_->IsMetric();
  if (window_->Choice().IsEnvelope()) {
    const Envelope& e = ShownEnvelope();
    const Envelope::Sample* s = e.solved ? EnvelopeAt(e, at) : nullptr;
    if (!s) return {};
    return QString::fromStdString(
        CFormat("x=%5.1f %s   M=%.0f to %.0f %s   F=%.0f to %.0f %s", at, LengthUnit(metric), s->momentLower,
                s->momentUpper, MomentUnit(metric), s->shearLower, s->shearUpper, ForceUnit(metric)));
  }
  const ExactResults& exact = Shown();
  const double m = exact.solved ? exact.MomentAt(at) : 0, v = exact.solved ? exact.ShearAt(at) : 0;
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
