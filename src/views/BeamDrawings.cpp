#include "BeamDrawings.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "beam/UnitSystem.h"
#include "drawing/DiagramSigns.h"
#include "files/ExactTable.h"

namespace trevan {

namespace {

constexpr QRgb AxisColour = 0xff000000;
constexpr QRgb GuideColour = 0xffb4b4b4;

double PointSize(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return device ? device->logicalDpiY() / 72.0 : 1.0;
}

QFont Font(double points, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QColor Tint(QRgb colour, int alpha) {
  QColor c = QColor::fromRgb(colour);
  c.setAlpha(alpha);
  return c;
}

QPen Pen(QRgb colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(QColor::fromRgb(colour), width, style, Qt::FlatCap, Qt::MiterJoin);
  return pen;
}

double TextWidth(const QPainter& painter, const QString& text) {
  return QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
}

double Ascent(const QPainter& painter) { return QFontMetricsF(painter.font(), painter.device()).ascent(); }

// Text on a white ground, so that guide lines and curves do not run through it.
void BackedText(QPainter& painter, QPointF baseline, const QString& text) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double pad = metrics.height() * 0.12;
  painter.fillRect(
      QRectF(baseline.x() - pad, baseline.y() - metrics.ascent() - pad,
             metrics.horizontalAdvance(text) + 2 * pad, metrics.ascent() + metrics.descent() + 2 * pad),
      QColor(255, 255, 255, 230));
  painter.drawText(baseline, text);
}

// An arrow head with its tip at tip, pointing along direction.
void ArrowHead(QPainter& painter, QPointF tip, QPointF direction, double size) {
  const double length = std::hypot(direction.x(), direction.y());
  if (length == 0) return;
  const QPointF d = direction / length, n(-d.y(), d.x());
  const QPointF base = tip - d * size;
  painter.save();
  painter.setBrush(painter.pen().color());
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(QPolygonF({tip, base + n * size * 0.38, base - n * size * 0.38}));
  painter.restore();
}

void Arrow(QPainter& painter, QPointF tail, QPointF tip, double head) {
  painter.drawLine(tail,
                   tip - (tip - tail) / std::hypot(tip.x() - tail.x(), tip.y() - tail.y()) * head * 0.6);
  ArrowHead(painter, tip, tip - tail, head);
}

// Round tick values, about count of them, covering [lo, hi].
std::vector<double> Ticks(double lo, double hi, int count) {
  std::vector<double> ticks;
  const double range = hi - lo;
  if (!(range > 0) || !std::isfinite(range)) return {lo};
  const double raw = range / count, magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double ratio = raw / magnitude;
  const double step = magnitude * (ratio <= 1 ? 1 : ratio <= 2 ? 2 : ratio <= 5 ? 5 : 10);
  for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + step * 1e-9; ++k)
    ticks.push_back(std::abs(k) < 0.5 ? 0.0 : k * step);
  return ticks;
}

QString TickText(double v) { return QString::number(v, 'g', 6); }

// The largest sagging (sense +1) or hogging (sense -1) moment on [a, b]: at
// the ends of the pieces there and where the shear crosses zero inside them.
ExactResults::Extreme LargestMomentOn(const ExactResults& results, double a, double b, double sense) {
  ExactResults::Extreme best{0, a};
  auto consider = [&](const ExactResults::Piece& p, double x) {
    if (x < std::max(a, p.x0) || x > std::min(b, p.x1)) return;  // each piece holds on its own stretch only
    if (const double m = p.Moment(x); sense * m > sense * best.value) best = {m, x};
  };
  for (const auto& p : results.pieces) {
    if (p.x1 < a || p.x0 > b) continue;
    consider(p, std::max(p.x0, a));
    consider(p, std::min(p.x1, b));
    const double c0 = p.v[0], c1 = p.v[1], c2 = p.v[2];
    if (c2 == 0) {
      if (c1 != 0) consider(p, p.x0 - c0 / c1);
    } else if (const double d = c1 * c1 - 4 * c2 * c0; d >= 0) {
      for (const double sign : {-1.0, 1.0}) consider(p, p.x0 + (-c1 + sign * std::sqrt(d)) / (2 * c2));
    }
  }
  return best;
}

// Labels placed in rows, so that neighbours do not write over each other.
class Lanes {
 public:
  Lanes(int count, double gap) : placed_(count), gap_(gap) {}
  // The first row where [left, right] is free, or -1.
  int Take(double left, double right) {
    for (std::size_t lane = 0; lane < placed_.size(); ++lane) {
      auto& taken = placed_[lane];
      const bool free = std::none_of(taken.begin(), taken.end(), [&](const std::pair<double, double>& r) {
        return left < r.second + gap_ && right > r.first - gap_;
      });
      if (free) {
        taken.emplace_back(left, right);
        return static_cast<int>(lane);
      }
    }
    return -1;
  }

 private:
  std::vector<std::vector<std::pair<double, double>>> placed_;
  double gap_;
};

}  // namespace

struct BeamDrawings::Scale {
  double pt;  // device units per point
  double left, right;
  double start, end;
  double X(double x) const { return left + (x - start) * (right - left) / (end - start); }
};

BeamDrawings::BeamDrawings(ExactBeam beam, ExactResults results, bool metric)
    : beam_(std::move(beam)), results_(std::move(results)), metric_(metric) {
  start_ = 0;
  end_ = beam_.length;
  for (const auto& s : beam_.supports) {
    start_ = std::min(start_, s.x);
    end_ = std::max(end_, s.x);
  }
  if (!results_.pieces.empty()) {
    start_ = std::min(start_, results_.pieces.front().x0);
    end_ = std::max(end_, results_.pieces.back().x1);
  }
  if (!(end_ > start_)) end_ = start_ + 1;
}

QString BeamDrawings::Value(double v) { return QString::fromStdString(ExactTable::Significant(v)); }

QString BeamDrawings::InputValue(double v) {
  QString text = QString::fromStdString(ExactTable::Significant(v, 6));
  if (text.contains('.') && !text.contains('e')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  return text;
}

// Every drawing of one width maps x alike: that is the one horizontal scale.
BeamDrawings::Scale BeamDrawings::HorizontalScale(const QRectF& area, double pt) const {
  return {pt, area.left() + AxisMargin * pt, area.right() - 12 * pt, start_, end_};
}

void BeamDrawings::Draw(QPainter& painter, const QRectF& area) const {
  const double pt = PointSize(painter);
  QRectF r(area.left(), area.top(), area.width(), BeamHeight * pt);
  DrawBeam(painter, r);
  r.translate(0, BeamHeight * pt);
  r.setHeight(ShearHeight * pt);
  DrawShear(painter, r);
  r.translate(0, ShearHeight * pt);
  r.setHeight(MomentHeight * pt);
  DrawMoment(painter, r);
  if (!HasDeflection()) return;
  r.translate(0, MomentHeight * pt);
  r.setHeight(DeflectionHeight * pt);
  DrawDeflection(painter, r);
}

void BeamDrawings::DrawSupportLines(QPainter& painter, const Scale& s, double top, double bottom) const {
  painter.setPen(Pen(GuideColour, 0.5 * s.pt, Qt::DashLine));
  for (const auto& support : beam_.supports)
    if (support.type != ftNone)
      painter.drawLine(QPointF(s.X(support.x), top), QPointF(s.X(support.x), bottom));
}

void BeamDrawings::DrawRuler(QPainter& painter, const Scale& s, double y) const {
  const double pt = s.pt;
  painter.setPen(Pen(AxisColour, 0.6 * pt));
  painter.drawLine(QPointF(s.left, y), QPointF(s.right, y));
  painter.setFont(Font(7));
  const double ascent = Ascent(painter);
  for (double t : Ticks(s.start, s.end, std::max(2, static_cast<int>((s.right - s.left) / (55 * pt))))) {
    const double x = s.X(t);
    painter.drawLine(QPointF(x, y), QPointF(x, y + 3 * pt));
    const QString text = TickText(t);
    painter.drawText(QPointF(x - TextWidth(painter, text) / 2, y + 4 * pt + ascent), text);
  }
  const QString unit = QString("x (%1)").arg(LengthUnit(metric_));
  painter.drawText(QPointF(s.left - TextWidth(painter, unit) - 8 * pt, y + 4 * pt + ascent), unit);
}

namespace {

// A support's glyph under the beam line at cx.
void DrawSupportGlyph(QPainter& painter, double cx, double beamY, TSupportType type, bool leftEnd,
                      bool rightEnd, double pt) {
  const double beamBottom = beamY + 1.5 * pt;
  painter.setPen(Pen(AxisColour, 0.8 * pt));
  painter.setBrush(Qt::white);
  switch (type) {
    case ftHinge:
    case ftRoll: {
      const double h = type == ftHinge ? 11 * pt : 8 * pt;
      painter.drawPolygon(QPolygonF({QPointF(cx, beamBottom), QPointF(cx - 6 * pt, beamBottom + h),
                                     QPointF(cx + 6 * pt, beamBottom + h)}));
      double ground = beamBottom + h;
      if (type == ftRoll) {
        for (double dx : {-3.2, 3.2})
          painter.drawEllipse(QPointF(cx + dx * pt, ground + 2 * pt), 1.8 * pt, 1.8 * pt);
        ground += 4 * pt;
      }
      painter.drawLine(QPointF(cx - 9 * pt, ground), QPointF(cx + 9 * pt, ground));
      for (int k = 0; k < 5; ++k) {
        const double x = cx - 8 * pt + k * 4 * pt;
        painter.drawLine(QPointF(x, ground), QPointF(x - 3 * pt, ground + 3 * pt));
      }
      break;
    }
    case ftVice: {
      painter.setPen(Pen(AxisColour, 2 * pt));
      painter.drawLine(QPointF(cx, beamY - 12 * pt), QPointF(cx, beamY + 12 * pt));
      painter.setPen(Pen(AxisColour, 0.7 * pt));
      for (int side : {-1, 1}) {
        if ((side < 0 && rightEnd) || (side > 0 && leftEnd)) continue;
        for (int k = 0; k < 6; ++k) {
          const double y = beamY - 11 * pt + k * 4.4 * pt;
          painter.drawLine(QPointF(cx, y), QPointF(cx + side * 4 * pt, y + 4 * pt));
        }
      }
      break;
    }
    default:
      painter.drawEllipse(QPointF(cx, beamY), 2.5 * pt, 2.5 * pt);
      break;
  }
  painter.setBrush(Qt::NoBrush);
}

// The reaction's arrow under a support, and a vice's couple as a curved
// arrow above the beam, turning the way the couple turns.
void DrawReactionArrows(QPainter& painter, double cx, double beamY, const ExactResults::Support& result,
                        double pt) {
  painter.setPen(Pen(BeamDrawings::ReactionColour, 1.2 * pt));
  const QPointF low(cx, beamY + 32 * pt), high(cx, beamY + 18 * pt);
  if (result.reaction > 0)
    Arrow(painter, low, high, 6 * pt);
  else if (result.reaction < 0)
    Arrow(painter, high, low, 6 * pt);
  if (result.type != ftVice || result.moment == 0) return;
  const double radius = 15 * pt;
  const QRectF box(cx - radius, beamY - radius, 2 * radius, 2 * radius);
  painter.drawArc(box, 25 * 16, 130 * 16);
  const double end = (result.moment > 0 ? 155 : 25) * std::numbers::pi / 180;
  const QPointF tip(cx + radius * std::cos(end), beamY - radius * std::sin(end));
  const double turn = result.moment > 0 ? 1 : -1;
  ArrowHead(painter, tip, QPointF(-std::sin(end), -std::cos(end)) * turn, 6 * pt);
}

}  // namespace

void BeamDrawings::DrawBeam(QPainter& painter, const QRectF& area) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double pt = PointSize(painter);
  const Scale s = HorizontalScale(area, pt);

  painter.setPen(Pen(AxisColour, 1));
  painter.setFont(Font(9, true));
  painter.drawText(QPointF(area.left(), area.top() + 10 * pt), "Beam, loads and reactions");

  const double beamY = area.top() + 72 * pt;
  DrawSupportLines(painter, s, beamY, area.bottom());
  DrawLoads(painter, s, area, beamY - 1.5 * pt);

  // The beam itself.
  painter.setPen(QPen(Qt::black, 3 * pt, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QPointF(s.X(0), beamY), QPointF(s.X(beam_.length), beamY));
  DrawMomentsAndHinges(painter, s, beamY);
  DrawSupports(painter, s, area, beamY);
  painter.restore();
}

// A point moment as three quarters of a circle about the beam, open below,
// its head where it turns to; a hinge in the beam as an open circle on it.
void BeamDrawings::DrawMomentsAndHinges(QPainter& painter, const Scale& s, double beamY) const {
  const double pt = s.pt, r = 9 * pt;
  painter.save();
  painter.setPen(Pen(LoadColour, 1.2 * pt));
  painter.setBrush(Qt::NoBrush);
  for (const auto& m : beam_.moments) {
    if (m.x < 0 || m.x > beam_.length || m.m == 0) continue;
    const double sense = m.m > 0 ? 1 : -1, cx = s.X(m.x);
    const double end = (sense > 0 ? 225 : -45) * std::numbers::pi / 180;
    painter.drawArc(QRectF(cx - r, beamY - r, 2 * r, 2 * r), (sense > 0 ? -45 : 225) * 16,
                    static_cast<int>(sense * 270 * 16));
    const QPointF tip(cx + r * std::cos(end), beamY - r * std::sin(end));
    ArrowHead(painter, tip, QPointF(-std::sin(end), -std::cos(end)) * sense, 5 * pt);
  }
  painter.setPen(QPen(Qt::black, 1.2 * pt));
  painter.setBrush(Qt::white);
  for (const double x : beam_.hinges) painter.drawEllipse(QPointF(s.X(x), beamY), 3 * pt, 3 * pt);
  painter.restore();
}

// Loads above the beam: trapezoids for the distributed loads, arrows for
// the point forces, their values in rows above them.
void BeamDrawings::DrawLoads(QPainter& painter, const Scale& s, const QRectF& area, double beamTop) const {
  const double pt = s.pt;
  const std::string force = ForceUnit(metric_), length = LengthUnit(metric_);
  const QString intensityUnit = QString::fromStdString(force + "/" + length);
  double largest = 0;
  for (const auto& load : beam_.loads) largest = std::max({largest, std::abs(load.f1), std::abs(load.f2)});
  const double loadDepth = 24 * pt, forceArrow = (beam_.loads.empty() ? 24 : 30) * pt;
  auto depth = [&](double f) {
    return largest > 0 ? 3 * pt + (loadDepth - 3 * pt) * std::abs(f) / largest : 0;
  };

  struct Label {
    double x;
    QString text;
  };
  std::vector<Label> labels;
  for (const auto& load : beam_.loads) {
    const double x1 = std::clamp(std::min(load.x1, load.x2), 0.0, beam_.length);
    const double x2 = std::clamp(std::max(load.x1, load.x2), 0.0, beam_.length);
    if (!(x2 > x1)) continue;
    const auto at = [&](double x) {
      const double span = load.x2 - load.x1;
      return span != 0 ? load.f1 + (load.f2 - load.f1) * (x - load.x1) / span : load.f1;
    };
    const double f1 = at(x1), f2 = at(x2);
    const QPointF a(s.X(x1), beamTop - depth(f1)), b(s.X(x2), beamTop - depth(f2));
    painter.setPen(Pen(LoadColour, 0.8 * pt));
    painter.setBrush(Tint(LoadColour, 40));
    painter.drawPolygon(QPolygonF({QPointF(a.x(), beamTop), a, b, QPointF(b.x(), beamTop)}));
    painter.setBrush(Qt::NoBrush);
    const int arrows = std::max(1, static_cast<int>((b.x() - a.x()) / (14 * pt)));
    for (int i = 0; i <= arrows; ++i) {
      const double u = static_cast<double>(i) / arrows;
      const double x = a.x() + (b.x() - a.x()) * u, f = f1 + (f2 - f1) * u;
      if (f == 0 || depth(f) < 6 * pt) continue;
      const QPointF top(x, beamTop - depth(f)), bottom(x, beamTop);
      if (f > 0)
        Arrow(painter, top, bottom, 3.5 * pt);
      else
        Arrow(painter, bottom, top, 3.5 * pt);
    }
    if (f1 == f2)
      labels.push_back({(x1 + x2) / 2, InputValue(f1) + " " + intensityUnit});
    else {
      labels.push_back({x1, InputValue(f1) + " " + intensityUnit});
      labels.push_back({x2, InputValue(f2) + " " + intensityUnit});
    }
  }
  painter.setPen(Pen(LoadColour, 1.2 * pt));
  for (const auto& f : beam_.forces) {
    if (f.x < 0 || f.x > beam_.length || f.f == 0) continue;
    const QPointF top(s.X(f.x), beamTop - forceArrow), bottom(s.X(f.x), beamTop);
    if (f.f > 0)
      Arrow(painter, top, bottom, 6 * pt);
    else
      Arrow(painter, bottom, top, 6 * pt);
    labels.push_back({f.x, InputValue(f.f) + " " + QString::fromStdString(force)});
  }
  for (const auto& m : beam_.moments)
    if (m.x >= 0 && m.x <= beam_.length && m.m != 0)
      labels.push_back({m.x, "M = " + InputValue(m.m) + " " + QString::fromStdString(MomentUnit(metric_))});
  std::stable_sort(labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.x < b.x; });
  painter.setFont(Font(7));
  Lanes loadLanes(3, 3 * pt);
  for (const auto& label : labels) {
    const double w = TextWidth(painter, label.text);
    const double left = std::clamp(s.X(label.x) - w / 2, area.left(), area.right() - w);
    const int lane = loadLanes.Take(left, left + w);
    if (lane < 0) continue;  // the input table has every value
    BackedText(painter, QPointF(left, beamTop - forceArrow - 3 * pt - lane * 9.5 * pt), label.text);
  }
}

// Supports under the beam and their reactions below them.
void BeamDrawings::DrawSupports(QPainter& painter, const Scale& s, const QRectF& area, double beamY) const {
  const double pt = s.pt;
  Lanes reactionLanes(2, 4 * pt);
  int number = 0;
  for (std::size_t i = 0; i < beam_.supports.size(); ++i) {
    const auto& support = beam_.supports[i];
    ++number;
    const double cx = s.X(support.x);
    DrawSupportGlyph(painter, cx, beamY, support.type, support.x <= 0, support.x >= beam_.length, pt);
    if (support.type == ftNone || !results_.solved || i >= results_.supports.size()) continue;

    const auto& result = results_.supports[i];
    DrawReactionArrows(painter, cx, beamY, result, pt);
    painter.setFont(Font(7.5));
    QStringList lines{QString("R%1 = %2 %3").arg(number).arg(Value(result.reaction)).arg(ForceUnit(metric_))};
    if (support.type == ftVice)
      lines << QString("M%1 = %2 %3").arg(number).arg(Value(result.moment)).arg(MomentUnit(metric_));
    double w = 0;
    for (const QString& line : lines) w = std::max(w, TextWidth(painter, line));
    const double left = std::clamp(cx - w / 2, area.left(), area.right() - w);
    const int lane = reactionLanes.Take(left, left + w);
    if (lane < 0) continue;  // no room beside its neighbours: the results table has it
    for (int k = 0; k < lines.size(); ++k)
      BackedText(painter, QPointF(left, beamY + (41 + 9.5 * k + 19 * lane) * pt), lines[k]);
  }
}

void BeamDrawings::DrawShear(QPainter& painter, const QRectF& area) const {
  DrawDiagram(painter, area, Curve::Shear);
}

void BeamDrawings::DrawMoment(QPainter& painter, const QRectF& area) const {
  DrawDiagram(painter, area, Curve::Moment);
}

void BeamDrawings::DrawDeflection(QPainter& painter, const QRectF& area) const {
  DrawDiagram(painter, area, Curve::Deflection);
}

QRgb BeamDrawings::ColourOf(Curve curve) {
  return curve == Curve::Shear ? ShearColour : curve == Curve::Moment ? MomentColour : DeflectionColour;
}

bool BeamDrawings::CarriesRuler(Curve curve) const {
  return curve == (HasDeflection() ? Curve::Deflection : Curve::Moment);
}

QString BeamDrawings::DiagramTitle(Curve curve) const {
  switch (curve) {
    case Curve::Shear:
      return QString("Shear force V (%1), positive where the left part is pushed up").arg(ForceUnit(metric_));
    case Curve::Moment:
      return QString("Bending moment M (%1); %2").arg(MomentUnit(metric_), DiagramSigns::MomentLegend());
    case Curve::Deflection:
      break;
  }
  return QString("Deflection \u03b4 (%1), downward positive and drawn below the line")
      .arg(ExactTable::DeflectionUnit(metric_));
}

void BeamDrawings::DrawDiagram(QPainter& painter, const QRectF& area, Curve curve) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double pt = PointSize(painter);
  const Scale s = HorizontalScale(area, pt);
  const QRgb colour = ColourOf(curve);
  const bool ruler = CarriesRuler(curve);

  painter.setPen(Pen(AxisColour, 1));
  painter.setFont(Font(9, true));
  painter.drawText(QPointF(area.left(), area.top() + 10 * pt), DiagramTitle(curve));
  const double plotTop = area.top() + 26 * pt;
  const double plotBottom = area.bottom() - (ruler ? 42 : 20) * pt;
  DrawSupportLines(painter, s, area.top() + 14 * pt, ruler ? plotBottom + 6 * pt : area.bottom());
  if (ruler) DrawRuler(painter, s, area.bottom() - 22 * pt);

  if (!results_.solved || results_.pieces.empty()) {
    painter.setFont(Font(8));
    painter.setPen(Pen(AxisColour, 1));
    BackedText(painter, QPointF(s.left, (plotTop + plotBottom) / 2),
               QString::fromStdString(results_.message));
    painter.restore();
    return;
  }

  // Drawn heights: the moment flipped when it is drawn on the tension side,
  // the deflection drawn below the line when it is downward.
  const double upward = curve == Curve::Moment ? DiagramSigns::MomentUpward() : curve == Curve::Deflection ? -1.0 : 1.0;
  std::vector<QPointF> values = CurveValues(s, curve);
  for (QPointF& v : values) v.setY(upward * v.y());
  double lo = 0, hi = 0;
  for (const QPointF& v : values) {
    lo = std::min(lo, v.y());
    hi = std::max(hi, v.y());
  }
  if (hi - lo <= 0) hi = 1;
  const ValueAxis axis{plotTop, plotBottom, lo, hi, upward};
  DrawValueAxis(painter, axis, s.left - 6 * pt, pt);

  QPolygonF outline;
  for (const QPointF& v : values) outline << QPointF(s.X(v.x()), axis.Y(v.y()));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Tint(colour, 48));
  painter.drawPolygon(outline);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Pen(AxisColour, 0.6 * pt));
  painter.drawLine(QPointF(s.X(s.start), axis.Y(0)), QPointF(s.X(s.end), axis.Y(0)));
  painter.setPen(Pen(colour, 1.2 * pt));
  // A free end deflects: its curve stops there rather than dropping to zero.
  if (curve == Curve::Deflection) outline = outline.mid(1, outline.size() - 2);
  painter.drawPolyline(outline);
  DrawExtremes(painter, s, area, axis, curve);
  painter.restore();
}

void BeamDrawings::DrawEnvelope(QPainter& painter, const QRectF& area, const Envelope& envelope,
                                const QString& name) const {
  const double pt = PointSize(painter);
  QRectF r(area.left(), area.top(), area.width(), ShearHeight * pt);
  DrawEnvelopeDiagram(painter, r, envelope, Curve::Shear, name);
  r.translate(0, ShearHeight * pt);
  r.setHeight(MomentHeight * pt);
  DrawEnvelopeDiagram(painter, r, envelope, Curve::Moment, name);
}

void BeamDrawings::DrawEnvelopeDiagram(QPainter& painter, const QRectF& area, const Envelope& envelope,
                                       Curve curve, const QString& name) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double pt = PointSize(painter);
  const Scale s = HorizontalScale(area, pt);
  const QRgb colour = ColourOf(curve);
  painter.setPen(Pen(AxisColour, 1));
  painter.setFont(Font(9, true));
  painter.drawText(QPointF(area.left(), area.top() + 10 * pt), name + ": " + DiagramTitle(curve));
  const double plotTop = area.top() + 26 * pt, plotBottom = area.bottom() - 20 * pt;
  DrawSupportLines(painter, s, area.top() + 14 * pt, area.bottom());
  if (!envelope.solved || envelope.samples.empty()) {
    painter.setFont(Font(8));
    BackedText(painter, QPointF(s.left, (plotTop + plotBottom) / 2),
               QString::fromStdString(envelope.message));
    painter.restore();
    return;
  }
  const bool moment = curve == Curve::Moment;
  const double upward = moment ? DiagramSigns::MomentUpward() : 1.0;
  double lo = 0, hi = 0;
  for (const Envelope::Sample& e : envelope.samples)
    for (const double v : {moment ? e.momentUpper : e.shearUpper, moment ? e.momentLower : e.shearLower}) {
      lo = std::min(lo, upward * v);
      hi = std::max(hi, upward * v);
    }
  if (hi - lo <= 0) hi = 1;
  const ValueAxis axis{plotTop, plotBottom, lo, hi, upward};
  DrawValueAxis(painter, axis, s.left - 6 * pt, pt);
  QPolygonF upper, lower;
  for (const Envelope::Sample& e : envelope.samples) {
    upper << QPointF(s.X(e.x), axis.Y(upward * (moment ? e.momentUpper : e.shearUpper)));
    lower << QPointF(s.X(e.x), axis.Y(upward * (moment ? e.momentLower : e.shearLower)));
  }
  QPolygonF band = upper;
  for (auto p = lower.rbegin(); p != lower.rend(); ++p) band << *p;
  painter.setPen(Qt::NoPen);
  painter.setBrush(Tint(colour, 48));
  painter.drawPolygon(band);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Pen(AxisColour, 0.6 * pt));
  painter.drawLine(QPointF(s.X(s.start), axis.Y(0)), QPointF(s.X(s.end), axis.Y(0)));
  painter.setPen(Pen(colour, 1.2 * pt));
  painter.drawPolyline(upper);
  painter.drawPolyline(lower);
  painter.restore();
}

// The curve's points, closed on the zero line at both ends; consecutive
// pieces draw a jump as a vertical line. Deflections in mm (in).
std::vector<QPointF> BeamDrawings::CurveValues(const Scale& s, Curve curve) const {
  const double toShown = ExactTable::DeflectionFactor(metric_);
  auto value = [&](const ExactResults::Piece& p, double x) {
    return curve == Curve::Moment ? p.Moment(x) : curve == Curve::Shear ? p.Shear(x) : toShown * p.Deflection(x);
  };
  std::vector<QPointF> values{{results_.pieces.front().x0, 0}};
  for (const auto& p : results_.pieces) {
    const int steps = std::clamp(static_cast<int>((s.X(p.x1) - s.X(p.x0)) / (2 * s.pt)), 1, 64);
    for (int i = 0; i <= steps; ++i) {
      const double x = p.x0 + (p.x1 - p.x0) * i / steps;
      values.emplace_back(x, value(p, x));
    }
  }
  values.emplace_back(results_.pieces.back().x1, 0);
  return values;
}

// The value axis on the left with round values.
void BeamDrawings::DrawValueAxis(QPainter& painter, const ValueAxis& axis, double axisX, double pt) {
  painter.setPen(Pen(AxisColour, 0.6 * pt));
  painter.drawLine(QPointF(axisX, axis.top), QPointF(axisX, axis.bottom));
  painter.setFont(Font(7));
  const double ascent = Ascent(painter);
  for (double t : Ticks(axis.lo, axis.hi, 4)) {
    const double y = axis.Y(t);
    painter.drawLine(QPointF(axisX - 3 * pt, y), QPointF(axisX, y));
    const QString text = TickText(0.0 + axis.upward * t);  // the value a tick stands for
    painter.drawText(QPointF(axisX - 5 * pt - TextWidth(painter, text), y + ascent / 2.6), text);
  }
}

// The extremes: a dot on the curve and its value and position.
void BeamDrawings::DrawExtremes(QPainter& painter, const Scale& s, const QRectF& area, const ValueAxis& axis,
                                Curve curve) const {
  const double pt = s.pt;
  const QRgb colour = ColourOf(curve);
  const QString unit = curve == Curve::Moment  ? MomentUnit(metric_)
                       : curve == Curve::Shear ? ForceUnit(metric_)
                                               : ExactTable::DeflectionUnit(metric_);
  struct Mark {
    double x, value;
    QString name;
  };
  std::vector<Mark> marks;
  if (curve == Curve::Moment) {
    if (results_.maxSagging.value > 0)
      marks.push_back({results_.maxSagging.x, results_.maxSagging.value, "M max"});
    if (results_.maxHogging.value < 0)
      marks.push_back({results_.maxHogging.x, results_.maxHogging.value, "M min"});
    for (const auto& [x, value] : StretchMoments())
      if (std::none_of(marks.begin(), marks.end(),
                       [&](const Mark& m) { return std::abs(m.x - x) <= 1e-9 * beam_.length; }))
        marks.push_back({x, value, "M"});
  } else if (curve == Curve::Shear) {
    if (results_.maxAbsShear.value > 0) marks.push_back({results_.maxAbsShear.x, results_.maxShearSigned, "V"});
  } else {
    // Each span's and overhang's own largest deflection, the check's subject.
    const double toShown = ExactTable::DeflectionFactor(metric_);
    for (const auto& span : results_.spans) {
      const ExactResults::Extreme& e = span.Largest();
      if (e.value != 0) marks.push_back({e.x, toShown * e.value, "\u03b4"});
    }
  }
  painter.setFont(Font(7.5, true));
  const double markAscent = Ascent(painter);
  Lanes above(1, 4 * pt), below(1, 4 * pt);  // a label that meets another is left out
  for (const Mark& m : marks) {
    const double drawn = axis.upward * m.value;
    const QPointF at(s.X(m.x), axis.Y(drawn));
    const QString text =
        QString("%1 = %2 %3 at x = %4 %5").arg(m.name, Value(m.value), unit, Value(m.x), LengthUnit(metric_));
    const double w = TextWidth(painter, text);
    const double left = std::clamp(at.x() - w / 2, s.left, area.right() - w);
    if ((drawn >= 0 ? above : below).Take(left, left + w) < 0) continue;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawEllipse(at, 2.2 * pt, 2.2 * pt);
    painter.setBrush(Qt::NoBrush);
    const double baseline = drawn >= 0 ? at.y() - 5 * pt : at.y() + 5 * pt + markAscent;
    painter.setPen(Pen(AxisColour, 1));
    BackedText(painter, QPointF(left, baseline), text);
  }
}

// Each span's and overhang's own largest sagging and hogging moments; a span
// lies between two supports that hold the beam up, an overhang beyond the
// outermost of them.
std::vector<std::pair<double, double>> BeamDrawings::StretchMoments() const {
  std::vector<double> ends;
  for (const auto& s : beam_.supports)
    if (s.type != ftNone) ends.push_back(s.x);
  if (ends.empty()) return {};
  if (ends.front() > 0) ends.insert(ends.begin(), 0.0);
  if (ends.back() < beam_.length) ends.push_back(beam_.length);
  const double negligible = 1e-9 * results_.LargestMoment();
  std::vector<std::pair<double, double>> found;
  for (std::size_t i = 0; i + 1 < ends.size(); ++i)
    for (const double sense : {1.0, -1.0}) {
      const ExactResults::Extreme e = LargestMomentOn(results_, ends[i], ends[i + 1], sense);
      const bool seen = std::any_of(found.begin(), found.end(), [&](const auto& f) { return f.first == e.x; });
      if (sense * e.value > negligible && !seen) found.emplace_back(e.x, e.value);
    }
  return found;
}

}  // namespace trevan
