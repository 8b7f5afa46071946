#include "beam/BeamSection.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan {

BeamSection BeamSection::Uniform(double E, double I, double length) {
  return BeamSection{{{0, length, E, I}}};
}

BeamSection BeamSection::WithStretches(double E, double I, double length, std::vector<Segment> stretches) {
  std::sort(stretches.begin(), stretches.end(), [](const Segment& a, const Segment& b) { return a.x1 < b.x1; });
  BeamSection section;
  auto add = [&](double x1, double x2, double e, double i) {
    if (!(x1 < x2)) return;
    auto& s = section.segments;
    if (!s.empty() && s.back().E == e && s.back().I == i)
      s.back().x2 = x2;
    else
      s.push_back({x1, x2, e, i});
  };
  double at = 0;
  for (const Segment& s : stretches) {
    add(at, s.x1, E, I);
    add(std::max(at, s.x1), s.x2, s.E, s.I);
    at = std::max(at, s.x2);
  }
  add(at, length, E, I);
  return section;
}

const BeamSection::Segment& BeamSection::Prevailing() const {
  // Lengths summed per pair of values; the first of the longest wins.
  std::map<std::pair<double, double>, double> covered;
  for (const Segment& s : segments) covered[{s.E, s.I}] += s.x2 - s.x1;
  const Segment* best = &segments.front();
  for (const Segment& s : segments)
    if (covered[{s.E, s.I}] > covered[{best->E, best->I}]) best = &s;
  return *best;
}

std::string BeamSection::Problem(double length, double slack) const {
  if (Empty()) return {};
  if (segments.size() > limits::MaxSegments)
    return CFormat("A section may have at most %zu segments.", limits::MaxSegments);
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const Segment& s = segments[k];
    if (!limits::IsSectionValue(s.E) || !limits::IsSectionValue(s.I))
      return "E and I must be positive finite numbers of a sensible size.";
    if (!(s.x1 < s.x2)) return "A segment must end after it starts.";
    if (k > 0 && s.x1 < segments[k - 1].x2) return "Two segments of the section overlap.";
    if (k > 0 && s.x1 > segments[k - 1].x2) return "The segments of the section leave part of the beam uncovered.";
  }
  if (std::fabs(segments.front().x1) > slack || std::fabs(segments.back().x2 - length) > slack)
    return "The segments of the section leave part of the beam uncovered.";
  return {};
}

BeamSection BeamSection::Converted(bool toMetric, double newLength) const {
  // E is a force over an area, I a length to the fourth.
  const double area = FeetToMetres * FeetToMetres;
  const double eFactor = toMetric ? PoundsForceToNewtons / area : area / PoundsForceToNewtons;
  BeamSection out = *this;
  for (Segment& s : out.segments) {
    s.x1 = ConvertPosition(s.x1, toMetric);
    s.x2 = ConvertPosition(s.x2, toMetric);
    s.E *= eFactor;
    s.I = toMetric ? s.I * area * area : s.I / (area * area);
  }
  if (!out.segments.empty()) {
    out.segments.front().x1 = 0;
    out.segments.back().x2 = newLength;
  }
  return out;
}

}  // namespace trevan
