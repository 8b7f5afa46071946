#include "beam/SupportNode.h"

#include <algorithm>
#include <stdexcept>

#include <string>

#include "beam/DistributedLoad.h"
#include "beam/InputLimits.h"
#include "beam/PointForce.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamView.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"
#include "hosts/PropertyRecorder.h"
#include "text/CLocaleText.h"

namespace trevan {

element::element(double x1, double x2, TSupportType leftType, TSupportType rightType, BeamView* view,
                 const Bitmap* glyph)
    : X1(x1),
      X2(x2),
      SpanLength(x2 - x1),
      LeftType(leftType),
      RightType(rightType),
      ReachX2(x2),
      ReachLength(x2 - x1),
      ReachRightType(rightType),
      Glyph(glyph) {
  View = view;
  UpdateProperties();
}

element::element(const element& other) : object(other) { CopyValuesFrom(other); }

element& element::operator=(const element& other) {
  if (this != &other) {
    object::operator=(other);
    CopyValuesFrom(other);
  }
  return *this;
}

void element::CopyValuesFrom(const element& other) {
  X1 = other.X1;
  X2 = other.X2;
  SpanLength = other.SpanLength;
  LeftType = other.LeftType;
  RightType = other.RightType;
  Spring = other.Spring;
  RotationalSpring = other.RotationalSpring;
  Settlement = other.Settlement;
  OffBeam = other.OffBeam;
  ReachX2 = other.ReachX2;
  ReachLength = other.ReachLength;
  ReachRightType = other.ReachRightType;
  LeftMoment = other.LeftMoment;
  RightMoment = other.RightMoment;
  LeftShear = other.LeftShear;
  RightShear = other.RightShear;
  Glyph = other.Glyph;
}

namespace {
// An optional value in the inspector's unit; empty for none.
// Thousands are multiplied, never divided by 1e-3, so that 45 kN/m is 45000 N/m exactly.
double Shown(double stored, int power) {
  return power < 0 ? stored / 1000 : power > 0 ? stored * 1000 : stored;
}
double Stored(double shown, int power) { return power < 0 ? shown * 1000 : power > 0 ? shown / 1000 : shown; }
std::string ShownValue(double stored, int power) {
  return stored == 0 ? std::string() : FloatToText(Shown(stored, power));
}

const char* ShownUnit(double element::*row, bool metric) {
  if (row == &element::Spring) return metric ? "kN/m" : "kip/in";
  if (row == &element::RotationalSpring) return metric ? "kNm/rad" : "kip-ft/rad";
  return metric ? "mm" : "in";
}

const char* PropertyLabel(double element::*row, bool metric) {
  if (row == &element::Spring)
    return metric ? "Spring (kN/m; empty: rigid):" : "Spring (kip/in; empty: rigid):";
  if (row == &element::RotationalSpring)
    return metric ? "Rotational spring (kNm/rad; empty: rigid):"
                  : "Rotational spring (kip-ft/rad; empty: rigid):";
  return metric ? "Settlement (mm, downward +):" : "Settlement (in, downward +):";
}
}  // namespace

void element::UpdateProperties() {
  const bool metric = IsMetric();
  SetRow(0, metric ? "Distance: (m):" : "Distance: (ft)", FloatToText(X1));
  const int type = IsValidSupportType(LeftType) ? LeftType : ftNone;
  SetRow(1, "Type:", SupportTypeLabels[type]);
  RowCount = 2;
  PropertyRow rows[3];
  const int n = PropertyRows(rows);
  for (int k = 0; k < n; ++k) {
    const double v = this->*rows[k].value;
    SetRow(RowCount++, PropertyLabel(rows[k].value, metric), ShownValue(v, rows[k].power));
  }
  Caption = "Support";
}

int element::PropertyRows(PropertyRow rows[3]) const {
  if (!IsValidSupportType(LeftType) || LeftType == ftNone) return 0;
  const bool metric = IsMetric();
  int n = 0;
  rows[n++] = {&element::Spring, -3};
  if (LeftType == ftVice) rows[n++] = {&element::RotationalSpring, -3};
  rows[n++] = {&element::Settlement, metric ? 3 : 0};
  return n;
}

// Each of the optional rows: empty is rigid or not settled.
void element::ApplyPropertyRows(element& values) const {
  PropertyRow rows[3];
  const int n = PropertyRows(rows);
  const bool metric = IsMetric();
  for (int k = 0; k < n; ++k) {
    const std::string& text = PropertyValues[2 + k];
    const double current = this->*rows[k].value;
    if (text == ShownValue(current, rows[k].power)) continue;
    double typed = 0;
    if (text.find_first_not_of(" \t") != std::string::npos) {
      const limits::ParsedValue parsed = limits::ParseEdited(text, typed);
      if (parsed == limits::ParsedValue::NotANumber)
        throw std::invalid_argument("'" + text + "' is not a valid number");
      typed = Stored(typed, rows[k].power);
      const bool settlement = rows[k].value == &element::Settlement;
      const bool valid = parsed == limits::ParsedValue::Ok &&
                         (settlement ? limits::IsSettlementValue(typed) : limits::IsStiffnessValue(typed));
      const double bound = Shown(limits::MaxMagnitude, rows[k].power);
      const char* unit = ShownUnit(rows[k].value, metric);
      if (!valid && settlement)
        throw std::invalid_argument(
            CFormat("A settlement must lie between %g and %g %s, both excluded, or be empty for none.",
                    -bound, bound, unit));
      if (!valid)
        throw std::invalid_argument(
            CFormat("A spring stiffness must be positive and below %g %s, or empty for a rigid support.",
                    bound, unit));
    }
    values.*rows[k].value = typed;
  }
}

void element::MoveBy(int pixels) {
  const BeamWindow* w = Window();
  if (!w || IsSentinel()) return;
  // A drag stops on the beam and one column short of a neighbour; a support
  // already past that limit (read from a file) is not pushed further.
  const double ds = w->DistanceScale();
  const double target = X1 + pixels * ds;
  if (pixels > 0) {
    const double limit = Next ? X2 - ds : w->BeamLength();
    PlaceAt(std::max(X1, std::min(target, limit)));
  } else if (pixels < 0) {
    const double limit = Prev->IsSentinel() ? 0.0 : Prev->X1 + ds;
    PlaceAt(std::min(X1, std::max(target, limit)));
  }
}

object::Placement element::GetPlacement() const { return {X1, 0}; }

void element::SetPlacement(const Placement& placement) {
  if (!IsSentinel()) PlaceAt(placement.first);
}

void element::PlaceAt(double n) {
  // Short of the neighbours by more than the smallest gap, which a position
  // typed into the inspector off the columns could otherwise undercut.
  if (!(n > Prev->X1) || !limits::AreSupportsApart(Prev->X1, n)) n = Prev->X1 + 0.0001;
  if (n >= X2 || !limits::AreSupportsApart(n, X2)) n = X2 - 0.0001;
  Prev->X2 = n;
  Prev->SpanLength = n - Prev->X1;
  X1 = n;
  SpanLength = X2 - n;
  PropertyValues[0] = FloatToText(X1);
}

std::string element::GetHint(bool fine) const {
  const char* unit = LengthUnit(IsMetric());
  return fine ? CFormat("x=%6.4f %s", X1, unit) : CFormat("x=%6.2f %s", X1, unit);
}

void element::SetMetric(bool metric) {
  X1 = ConvertPosition(X1, metric);
  Spring = ConvertSpring(Spring, metric);
  RotationalSpring = ConvertRotationalSpring(RotationalSpring, metric);
  Settlement = ConvertSettlement(Settlement, metric);
  X2 = ConvertPosition(X2, metric);
  SpanLength = X2 - X1;
  UpdateProperties();
}

std::string element::GetName() const {
  const int type = IsValidSupportType(LeftType) ? LeftType : ftNone;
  return CFormat("%s\n\rReaction: %6.4f %s", SupportDisplayNames[type], Reaction(), ForceUnit(IsMetric()));
}

void element::Draw(Canvas& canvas, int ox, int oy) const {
  Mapping m;
  if (!Glyph || !GetMapping(m)) return;
  const int a = ToPixel(X1 / m.distanceScale - ox);
  canvas.XorBitmap(*Glyph, a - 8, m.baseLine - oy - 5);
}

Rect element::GetBounds() const {
  Mapping m;
  if (!GetMapping(m)) return {};
  return Rect{ToPixel(X1 / m.distanceScale - 4), m.baseLine - 4, ToPixel(X1 / m.distanceScale + 8),
              m.baseLine + 8}
      .Normalized();
}

bool element::ApplyProperties() {
  BeamWindow* w = Window();
  if (IsSentinel() || !w) return false;
  element values(*this);
  const double length = w->BeamLength();
  values.X1 = EditedPosition(0, X1, 0, length, "A support");
  for (int t = 0; t < SupportTypeCount; ++t)
    if (PropertyValues[1] == SupportTypeLabels[t] || PropertyValues[1] == SupportTypeNames[t])
      values.LeftType = static_cast<TSupportType>(t);
  values.Glyph = View ? View->SupportGlyph(values.LeftType) : nullptr;
  ApplyPropertyRows(values);
  // Onto or past a neighbour is refused, as a drag stops short of it.
  if (values.X1 != X1 &&
      !(Prev->X1 < values.X1 && values.X1 < X2 && limits::AreSupportsApart(Prev->X1, values.X1) &&
        limits::AreSupportsApart(values.X1, X2)))
    throw std::invalid_argument(NeighboursText());
  values.UpdateProperties();
  PropertyRecorder* recorder = w ? w->Recorder() : nullptr;
  if (!recorder) return false;
  if (values.X1 != X1 || values.LeftType != LeftType)
    if (const std::string problem = recorder->SupportProblem(values.X1, values.LeftType); !problem.empty())
      throw std::invalid_argument(problem);
  recorder->RecordElementProps(*this, values);
  return true;
}

bool element::CopyToClipboard(ClipboardService& clipboard) const {
  // The type travels as one raw byte; ftNone's zero ends the record early.
  std::string record = "e;";
  if (LeftType != ftNone) record.push_back(static_cast<char>(LeftType));
  return PutRecord(clipboard, record);
}

std::string element::NeighboursText() const {
  const char* unit = LengthUnit(IsMetric());
  const bool left = Prev && !Prev->IsSentinel(), right = Next != nullptr;
  if (left && right)
    return CFormat("A support must stand between its neighbours at %.10g and %.10g %s.", Prev->X1, X2, unit);
  if (left) return CFormat("A support must stand right of its neighbour at %.10g %s.", Prev->X1, unit);
  if (right) return CFormat("A support must stand left of its neighbour at %.10g %s.", X2, unit);
  return "A support must stand on the beam.";
}

element* element::NextSpan() const {
  element* e = Next.get();
  while (e && !e->StartsSpan()) e = e->Next.get();
  return e;
}

void element::ResetSegmentEnds() { LeftMoment = RightMoment = LeftShear = RightShear = 0; }

void element::AddEndMoment(SpanEnd end, double m) {
  if (end == SpanEnd::Left)
    LeftMoment += m;
  else
    RightMoment += m;
  if (LeftHeld() && RightHeld()) {
    LeftShear += m / ReachLength;
    RightShear -= m / ReachLength;
  }
}

void element::AddChargeContribution(const charge& load) {
  const double x = load.x;
  const double F = load.f;
  // A force on a support belongs to the span that starts there (it goes
  // straight into that support), never to both neighbours.
  // Only the chain's end is a free far end, and it holds a force on it.
  if (!(X1 <= x && (x < ReachX2 || (!RightHeld() && x == ReachX2)))) return;
  if (!LeftHeld() && !RightHeld()) return;
  const double L = ReachLength;
  const double a = x - X1;
  const double b = ReachX2 - x;
  double beta = b / L;
  double alpha = a / L;
  if (!LeftHeld()) {
    beta = 0;
    alpha = 1;
  }
  if (!RightHeld()) {
    beta = 1;
    alpha = 0;
  }
  AddEndMoment(SpanEnd::Left, F * a * beta * beta);
  AddEndMoment(SpanEnd::Right, -F * b * alpha * alpha);
  LeftShear += F * beta;
  RightShear += F * alpha;
}

namespace {

// Integral from 0 to x of w(s)·s·(L − s)²/L² ds for w(s) = E + B·s/L: the
// clamped-clamped fixed-end moment of the load part up to x.
double ClampedMoment(double x, double L, double B, double E) {
  const double t = x / L;
  return t * t *
         (12 * B * x * x * x / L + 15 * (E - 2 * B) * x * x + 20 * (B - 2 * E) * L * x + 30 * E * L * L) / 60;
}

// Integral from 0 to x of w(s)·s ds: the cantilever moment.
double CantileverMoment(double x, double L, double B, double E) {
  const double t = x / L;
  return t * t * (2 * B * L * L * t + 3 * E * L * L) / 6;
}

}  // namespace

void element::AddDistrChargeContribution(const distrcharge& load) {
  if (!LeftHeld() && !RightHeld()) return;
  const double from = std::max(load.X1, X1);
  const double to = std::min(load.X2, ReachX2);
  if (!(to > from)) return;
  // The intensities at the clipped ends themselves: X1 + sa may round to
  // just outside the load, where IntensityAt answers 0.
  AddTrapezoidContribution(from - X1, to - X1, load.IntensityWithin(from), load.IntensityWithin(to));
}

void element::AddTrapezoidContribution(double sa, double sb, double h, double l) {
  if (!LeftHeld() && !RightHeld()) return;
  if (!(sb > sa)) return;
  const double L = ReachLength;
  const double R = (sb - sa) * (h + l) / 2;
  const double c = (h + l != 0) ? ((h + 2 * l) * sb + (2 * h + l) * sa) / (h + l) / 3 : (sb + sa) / 2;
  if (LeftHeld()) LeftShear += RightHeld() ? R * (L - c) / L : R;
  if (RightHeld()) RightShear += LeftHeld() ? R * c / L : R;

  const double B = (l - h) * L / (sb - sa);
  const double E = (sb * h - sa * l) / (sb - sa);
  const double Bm = -B;
  const double Em = ((L - sa) * l - (L - sb) * h) / (sb - sa);

  if (LeftHeld()) {
    const double ML = RightHeld() ? ClampedMoment(sb, L, B, E) - ClampedMoment(sa, L, B, E)
                                  : CantileverMoment(sb, L, B, E) - CantileverMoment(sa, L, B, E);
    AddEndMoment(SpanEnd::Left, ML);
  }
  if (RightHeld()) {
    const double MR = LeftHeld() ? ClampedMoment(L - sb, L, Bm, Em) - ClampedMoment(L - sa, L, Bm, Em)
                                 : CantileverMoment(L - sb, L, Bm, Em) - CantileverMoment(L - sa, L, Bm, Em);
    AddEndMoment(SpanEnd::Right, MR);
  }
}

double element::Reaction() const {
  if (!LeftHeld()) return 0;
  const element* before = Prev;
  while (before && !before->StartsSpan()) before = before->Prev;
  return LeftShear + (before ? before->RightShear : 0.0);
}

}  // namespace trevan
