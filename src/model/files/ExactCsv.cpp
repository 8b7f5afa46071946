#include "files/ExactCsv.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {

struct Row {
  double x, shear, moment;
  double rotation = 0, deflection = 0;
};

// Positions with enough digits to keep two break points a hair apart
// distinct; values to rounding noise.
std::string Line(const Row& r, bool deflected) {
  if (!deflected) return CFormat("%.15g,%.12g,%.12g\n", r.x, r.shear, r.moment);
  return CFormat("%.15g,%.12g,%.12g,%.12g,%.12g\n", r.x, r.shear, r.moment, r.rotation, r.deflection);
}

std::string Header(bool metric, bool deflected) {
  std::string header =
      CFormat("x (%s),shear (%s),moment (%s)", LengthUnit(metric), ForceUnit(metric), MomentUnit(metric));
  if (deflected) header += CFormat(",rotation (rad),deflection (%s)", metric ? "mm" : "in");
  return header + "\n";
}

struct Point {
  double x;
  bool breakPoint;  // a piece starts here, or the beam ends: the curves may jump
};

// Every break point as it is, and the grid from the beam's start to its end,
// the extremes and the zero-shear points where they are not a rounding
// step from a point already taken.
std::vector<Point> EvaluationPoints(const ExactResults& results, double start, double end) {
  std::vector<Point> points;
  for (const auto& p : results.pieces) points.push_back({p.x0, true});
  points.push_back({end, true});
  std::vector<double> others;
  for (int i = 0; i <= ExactCsv::GridSteps; ++i) others.push_back(start + (end - start) * i / ExactCsv::GridSteps);
  others.insert(others.end(), {results.maxSagging.x, results.maxHogging.x, results.maxAbsShear.x});
  others.insert(others.end(), results.zeroShear.begin(), results.zeroShear.end());
  for (const auto& span : results.spans) others.insert(others.end(), {span.down.x, span.up.x});
  std::sort(others.begin(), others.end());
  const double close = 1e-9 * (end - start);
  const std::size_t breaks = points.size();
  double last = -INFINITY;
  for (const double x : others) {
    auto next = std::lower_bound(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(breaks), x,
                                 [](const Point& p, double v) { return p.x < v; });
    const bool nearBreak = (next != points.begin() + static_cast<std::ptrdiff_t>(breaks) && next->x - x <= close) ||
                           (next != points.begin() && x - std::prev(next)->x <= close);
    if (nearBreak || x - last <= close) continue;
    points.push_back({x, false});
    last = x;
  }
  std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
  return points;
}

}  // namespace

std::string ExactCsv::Write(const ExactResults& results, bool metric) {
  if (!results.solved || results.pieces.empty()) return {};
  const auto& pieces = results.pieces;
  const double end = pieces.back().x1;
  // Left of the first load or support nothing acts, but the table still starts at 0.
  const double start = std::min(0.0, pieces.front().x0);
  const double largestShear = results.maxAbsShear.value, largestMoment = results.LargestMoment();
  // A difference below these is rounding, not a jump.
  const double shearTol = 1e-9 * largestShear, momentTol = 1e-9 * largestMoment;
  const bool deflected = results.deflected;
  // A hinge in the beam turns it by a different amount either side.
  double largestRotation = 0;
  for (const auto& p : pieces)
    largestRotation = std::max({largestRotation, std::abs(p.Rotation(p.x0)), std::abs(p.Rotation(p.x1))});
  const double rotationTol = 1e-9 * largestRotation;
  const double toDisplay = metric ? 1000 : 12;
  std::string text = Header(metric, deflected);
  auto at = [&](std::size_t piece, double x) {
    const auto& p = pieces[piece];
    return Row{x, p.Shear(x), p.Moment(x), p.Rotation(x), p.Deflection(x) * toDisplay};
  };
  std::size_t k = 0;  // the piece that holds the current point, or starts at it
  for (const Point& point : EvaluationPoints(results, start, end)) {
    const double x = point.x;
    while (k + 1 < pieces.size() && pieces[k + 1].x0 <= x) ++k;
    if (!point.breakPoint) {
      text += Line(x < pieces.front().x0 ? Row{x, 0, 0, at(0, x).rotation, at(0, x).deflection} : at(k, x), deflected);
      continue;
    }
    const bool atEnd = x == end;
    // Right of the last break nothing acts; left of the first neither.
    const Row left = atEnd ? at(k, end) : (k > 0 ? at(k - 1, x) : Row{x, 0, 0, at(k, x).rotation, at(k, x).deflection});
    const Row right = atEnd ? Row{end, 0, 0, left.rotation, left.deflection} : at(k, x);
    if (std::abs(left.shear - right.shear) > shearTol || std::abs(left.moment - right.moment) > momentTol ||
        (deflected && std::abs(left.rotation - right.rotation) > rotationTol))
      text += Line(left, deflected);
    text += Line(right, deflected);
  }
  return text;
}

}  // namespace trevan
