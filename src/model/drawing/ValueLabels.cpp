#include "drawing/ValueLabels.h"

#include <cmath>

#include "beam/UnitSystem.h"
#include "drawing/DiagramSigns.h"
#include "drawing/TextContrast.h"
#include "files/ExactTable.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
bool enabled = true;

constexpr const char* FontFamily = "Sans Serif";

// Held far inside the int range, so a huge value cannot overflow what the
// placement adds to its point.
int Column(double x, double scale) { return ToPixel(x / scale); }
int Row(int zeroLine, double value, double scale) { return ToPixel(zeroLine + std::trunc(value / scale)); }

bool Overlap(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
}  // namespace

bool ValueLabels::Enabled() { return enabled; }
void ValueLabels::SetEnabled(bool on) { enabled = on; }

std::vector<ValueLabels::Label> ValueLabels::ForSupports(const ExactResults& results, const Mapping& m,
                                                         Rgb colour) {
  std::vector<Label> labels;
  if (!results.solved) return labels;
  for (const auto& s : results.supports) {
    if (s.type == ftNone) continue;
    // The reaction arrow hangs below the beam line, its tail at the reaction's length.
    const Point tail{Column(s.x, m.distanceScale), Row(m.zeroLine, s.reaction, m.forceScale)};
    const int side = s.reaction < 0 ? -1 : +1;
    labels.push_back(
        {"R=" + ExactTable::Compact(s.reaction) + " " + ForceUnit(m.metric), tail, side, colour, {}});
    if (s.type == ftVice)
      labels.push_back(
          {"M=" + ExactTable::Compact(s.moment) + " " + MomentUnit(m.metric), tail, side, colour, {}});
  }
  return labels;
}

std::vector<ValueLabels::Label> ValueLabels::ForDeflections(const ExactResults& results, const Mapping& m,
                                                            double deflectionScale, Rgb colour) {
  std::vector<Label> labels;
  if (!results.solved || !results.deflected) return labels;
  const double factor = ExactTable::DeflectionFactor(m.metric);
  for (const auto& span : results.spans) {
    const ExactResults::Extreme& e = span.Largest();
    if (e.value == 0) continue;
    const Point p{Column(e.x, m.distanceScale), Row(m.zeroLine, e.value * factor, deflectionScale)};
    labels.push_back({"defl. " + ExactTable::Significant(e.value * factor) + " " +
                          ExactTable::DeflectionUnit(m.metric) + " at " + ExactTable::Significant(e.x) + " " +
                          LengthUnit(m.metric),
                      p, e.value > 0 ? +1 : -1, colour, {}});
  }
  // The beam turns by a different amount either side of a hinge in it.
  for (const auto& h : results.hinges) {
    const double d = results.DeflectionAt(h.x) * factor;
    labels.push_back({"rot. " + ExactTable::Significant(h.rotationLeft) + " | " +
                          ExactTable::Significant(h.rotationRight) + " rad at " +
                          ExactTable::Significant(h.x) + " " + LengthUnit(m.metric),
                      {Column(h.x, m.distanceScale), Row(m.zeroLine, d, deflectionScale)},
                      d > 0 ? +1 : -1,
                      colour,
                      {}});
  }
  return labels;
}

std::vector<ValueLabels::Label> ValueLabels::ForDiagrams(const ExactResults& results, const Mapping& m,
                                                         Rgb shearColour, Rgb momentColour) {
  std::vector<Label> labels;
  if (!results.solved) return labels;
  const std::string at = std::string(" at ");
  const char* length = LengthUnit(m.metric);
  // Every label carries the value's own sign; it sits on the side of the
  // zero line its curve is drawn on, as the axis beside it reads.
  auto momentLabel = [&](const ExactResults::Extreme& e) {
    if (e.value == 0) return;
    const double upward = DiagramSigns::MomentUpward() * e.value;
    const Point p{Column(e.x, m.distanceScale), Row(m.zeroLine, -upward, m.momentScale)};
    labels.push_back({ExactTable::Compact(e.value) + " " + MomentUnit(m.metric) + at +
                          ExactTable::Compact(e.x) + " " + length,
                      p,
                      upward > 0 ? -1 : +1,
                      momentColour,
                      {}});
  };
  momentLabel(results.maxSagging);
  momentLabel(results.maxHogging);
  // Both sides of every jump of the moment: a point moment's, an inner vice's.
  const double noise = 1e-9 * results.LargestMoment();
  for (std::size_t k = 1; k < results.pieces.size(); ++k) {
    const double x = results.pieces[k].x0;
    const double left = results.pieces[k - 1].Moment(x), right = results.pieces[k].Moment(x);
    if (!(std::fabs(right - left) > noise)) continue;
    const double upward = DiagramSigns::MomentUpward() * right;
    labels.push_back({ExactTable::Compact(left) + " | " + ExactTable::Compact(right) + " " +
                          MomentUnit(m.metric) + at + ExactTable::Compact(x) + " " + length,
                      {Column(x, m.distanceScale), Row(m.zeroLine, -upward, m.momentScale)},
                      upward > 0 ? -1 : +1,
                      momentColour,
                      {}});
  }
  if (results.maxAbsShear.value != 0) {
    const double shear = results.maxShearSigned;
    const Point p{Column(results.maxAbsShear.x, m.distanceScale), Row(m.zeroLine, -shear, m.forceScale)};
    labels.push_back({"V=" + ExactTable::Compact(shear) + " " + ForceUnit(m.metric) + at +
                          ExactTable::Compact(results.maxAbsShear.x) + " " + length,
                      p,
                      shear > 0 ? -1 : +1,
                      shearColour,
                      {}});
  }
  return labels;
}

std::vector<ValueLabels::Label> ValueLabels::Place(Canvas& canvas, std::vector<Label> labels,
                                                   const Rect& bounds, int fromX, int toX) {
  canvas.SetFont(FontFamily, FontSize, false);
  std::vector<Label> placed;
  for (Label& label : labels) {
    if (label.anchor.x < fromX || label.anchor.x > toX) continue;
    const int w = canvas.TextWidth(label.text) + 2;
    const int h = TextHeight;
    if (w > bounds.Right - bounds.Left) continue;
    bool found = false;
    // Nearest places first: beside the point on the preferred side, then
    // the other side, then a line further out each time.
    for (int k = 0; k < 12 && !found; ++k)
      for (int side : {label.side, -label.side}) {
        if (found) break;
        const int top = side < 0 ? label.anchor.y - 3 - h - k * (h + 1) : label.anchor.y + 3 + k * (h + 1);
        if (top < bounds.Top || top + h > bounds.Bottom) continue;
        for (int left : {label.anchor.x - w / 2, label.anchor.x + 4, label.anchor.x - 4 - w}) {
          left = std::clamp(left, bounds.Left, bounds.Right - w);
          const Rect box{left, top, left + w, top + h};
          bool free = true;
          for (const Label& other : placed) free = free && !Overlap(box, other.box);
          if (free) {
            label.box = box;
            placed.push_back(label);
            found = true;
            break;
          }
        }
      }
  }
  return placed;
}

void ValueLabels::Draw(Canvas& canvas, const std::vector<Label>& placed) {
  canvas.SetFont(FontFamily, FontSize, false);
  for (const Label& label : placed) {
    canvas.SetPenColor(TextContrast::ReadableOn(label.colour, TextContrast::Paper));
    canvas.TextOut(label.box.Left + 1, label.box.Top + 1, label.text, TextAlign::Left);
  }
}

}  // namespace trevan
