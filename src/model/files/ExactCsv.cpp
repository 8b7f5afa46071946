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

// Enough digits to read the doubles back to rounding noise.
std::string Line(const Row& r, bool deflected) {
  if (!deflected) return CFormat("%.10g,%.10g,%.10g\n", r.x, r.shear, r.moment);
  return CFormat("%.10g,%.10g,%.10g,%.10g,%.10g\n", r.x, r.shear, r.moment, r.rotation, r.deflection);
}

std::string Header(bool metric, bool deflected) {
  std::string header =
      CFormat("x (%s),shear (%s),moment (%s)", LengthUnit(metric), ForceUnit(metric), MomentUnit(metric));
  if (deflected) header += CFormat(",rotation (rad),deflection (%s)", metric ? "mm" : "in");
  return header + "\n";
}

// The deflection's extremes are points of their own.
void AddDeflectionPoints(const ExactResults& results, std::vector<double>& points) {
  for (const auto& span : results.spans) points.insert(points.end(), {span.down.x, span.up.x});
}

}  // namespace

std::string ExactCsv::Write(const ExactResults& results, bool metric) {
  if (!results.solved || results.pieces.empty()) return {};
  const auto& pieces = results.pieces;
  const double start = pieces.front().x0, end = pieces.back().x1;

  double largestShear = 0, largestMoment = 0;
  std::vector<double> points;
  for (int i = 0; i <= GridSteps; ++i) points.push_back(start + (end - start) * i / GridSteps);
  for (const auto& p : pieces) {
    points.push_back(p.x0);
    largestShear = std::max({largestShear, std::abs(p.Shear(p.x0)), std::abs(p.Shear(p.x1))});
  }
  largestShear = std::max(largestShear, results.maxAbsShear.value);
  largestMoment = std::max(results.maxSagging.value, -results.maxHogging.value);
  points.push_back(end);
  points.push_back(results.maxSagging.x);
  points.push_back(results.maxHogging.x);
  points.push_back(results.maxAbsShear.x);
  points.insert(points.end(), results.zeroShear.begin(), results.zeroShear.end());
  AddDeflectionPoints(results, points);
  std::sort(points.begin(), points.end());
  // A grid point a rounding step away from a break point is the same point.
  const double close = 1e-9 * (end - start);
  points.erase(std::unique(points.begin(), points.end(), [&](double a, double b) { return b - a <= close; }),
               points.end());

  // A difference below these is rounding, not a jump.
  const double shearTol = 1e-9 * largestShear, momentTol = 1e-9 * largestMoment;
  const bool deflected = results.deflected;
  const double toDisplay = metric ? 1000 : 12;
  std::string text = Header(metric, deflected);
  auto at = [&](std::size_t piece, double x) {
    const auto& p = pieces[piece];
    return Row{x, p.Shear(x), p.Moment(x), p.Rotation(x), p.Deflection(x) * toDisplay};
  };
  std::size_t k = 0;  // the piece that holds the current point, or starts at it
  for (double x : points) {
    while (k + 1 < pieces.size() && pieces[k].x1 <= x + close) ++k;
    Row left{}, right{};
    bool twoSided = true;
    if (x >= end - close) {
      left = at(k, end);
      right = {end, 0, 0, left.rotation, left.deflection};  // right of the last break nothing acts
    } else if (x <= pieces[k].x0 + close) {
      x = pieces[k].x0;
      right = at(k, x);
      left = k > 0 ? at(k - 1, x) : Row{x, 0, 0, right.rotation, right.deflection};
    } else {
      right = at(k, x);
      twoSided = false;
    }
    if (twoSided &&
        (std::abs(left.shear - right.shear) > shearTol || std::abs(left.moment - right.moment) > momentTol))
      text += Line(left, deflected);
    text += Line(right, deflected);
  }
  return text;
}

}  // namespace trevan
