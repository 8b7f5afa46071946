#include "analysis/CasedBeam.h"

#include <algorithm>

#include "beam/Beam.h"

namespace trevan {

namespace {

// The cases of the point moments, in the order ExactBeam::From keeps them.
// Written against the beam's list of moments where it has one; a beam
// without that list has no moments, and none are kept.
template <class Doc>
std::vector<std::size_t> MomentCasesOf(const Doc& doc) {
  std::vector<std::size_t> cases;
  if constexpr (requires { doc.Moments; }) {
    for (const auto& m : doc.Moments)
      if (doc.OnBeam(*m)) cases.push_back(m->Case);
  }
  return cases;
}

}  // namespace

CasedBeam CasedBeam::From(const TTrevanDoc& doc) {
  CasedBeam cased;
  cased.beam = ExactBeam::From(doc);
  cased.cases = doc.Cases;
  // In the order ExactBeam::From keeps them.
  for (const auto& c : doc.Charges)
    if (doc.OnBeam(*c)) cased.forceCases.push_back(c->Case);
  for (const auto& d : doc.DistrCharges)
    if (doc.OnBeam(*d)) cased.loadCases.push_back(d->Case);
  cased.momentCases = MomentCasesOf(doc);
  return cased;
}

std::vector<std::pair<double, double>> CasedBeam::Regions() const {
  std::vector<double> edges{0.0};
  for (const auto& s : beam.supports)
    if (s.type != ftNone && s.x > edges.back() && s.x < beam.length) edges.push_back(s.x);
  edges.push_back(beam.length);
  std::vector<std::pair<double, double>> regions;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) regions.emplace_back(edges[i], edges[i + 1]);
  return regions;
}

ExactBeam CasedBeam::Part(std::size_t loadCase, std::size_t region, double factor) const {
  ExactBeam part = Unloaded();
  for (auto& s : part.supports) s.settlement = 0;
  double from = 0, to = beam.length;
  if (region != WholeBeam) std::tie(from, to) = Regions()[region];
  for (std::size_t i = 0; i < beam.forces.size(); ++i) {
    const auto& f = beam.forces[i];
    // A force right on a region's edge goes to the region at its left.
    const bool inside = f.x <= to && (f.x > from || (from == 0 && f.x >= 0));
    if (forceCases[i] == loadCase && (region == WholeBeam || inside)) part.forces.push_back({f.x, factor * f.f});
  }
  for (std::size_t i = 0; i < beam.moments.size() && i < momentCases.size(); ++i) {
    const auto& m = beam.moments[i];
    const bool inside = m.x <= to && (m.x > from || (from == 0 && m.x >= 0));
    if (momentCases[i] == loadCase && (region == WholeBeam || inside))
      part.moments.push_back({m.x, factor * m.m});
  }
  for (std::size_t i = 0; i < beam.loads.size(); ++i) {
    const auto& d = beam.loads[i];
    if (loadCases[i] != loadCase) continue;
    const double a = std::max(d.x1, from), b = std::min(d.x2, to);
    if (!(a < b)) continue;
    const double slope = d.x2 > d.x1 ? (d.f2 - d.f1) / (d.x2 - d.x1) : 0;
    part.loads.push_back({a, b, factor * (d.f1 + slope * (a - d.x1)), factor * (d.f1 + slope * (b - d.x1))});
  }
  return part;
}

bool CasedBeam::Settles() const {
  const auto settles = [](const ExactBeam::Support& s) { return s.type != ftNone && s.settlement != 0; };
  return !beam.stiffness.empty() && std::any_of(beam.supports.begin(), beam.supports.end(), settles);
}

ExactBeam CasedBeam::Unloaded() const {
  ExactBeam part;
  part.length = beam.length;
  part.supports = beam.supports;
  part.hinges = beam.hinges;
  part.stiffness = beam.stiffness;
  part.springsLeftOut = beam.springsLeftOut;
  part.lengthUnit = beam.lengthUnit;
  return part;
}

bool CasedBeam::Patterned(std::size_t loadCase) const {
  const LoadKind kind = cases.At(loadCase).kind;
  return (kind == LoadKind::Imposed || kind == LoadKind::Snow) && Regions().size() >= 2;
}

}  // namespace trevan
