// Load sampling and span end values of TTrevanDoc: the inputs of the analysis.
#include <algorithm>
#include <cmath>

#include "analysis/ExactBeam.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {

// Positions are sums and products of decimal fractions, so one that means a
// cell edge can land a few ulps either side of it; this much of a cell
// (4e-9 length units) still counts as on the edge.
constexpr double EdgeSnap = 1e-6;

// The part of a distributed load over [u, v] (inside the load): its weight
// and its first moment about the position `from`.
struct Piece {
  double weight;
  double moment;
};

Piece PieceOf(const distrcharge& d, double u, double v, double from) {
  const double slope = (d.F2 - d.F1) / (d.X2 - d.X1);
  const double wu = d.F1 + slope * (u - d.X1);
  const double width = v - u;
  const double weight = (wu + 0.5 * slope * width) * width;
  // First moment about u, then moved to `from`.
  const double aboutU = (wu / 2 + slope * width / 3) * width * width;
  return {weight, aboutU + weight * (u - from)};
}

// The load's part in one cell, or nothing.
bool CellPiece(const distrcharge& d, long long k, Piece& piece) {
  const double left = k * TTrevanDoc::SampleStep;
  const double u = std::max(d.X1, left);
  const double v = std::min(d.X2, (k + 1) * TTrevanDoc::SampleStep);
  if (!(v > u)) return false;
  piece = PieceOf(d, u, v, left);
  return true;
}

}  // namespace

int TTrevanDoc::SampleCount() const {
  if (!(Length > 0)) return 0;
  return TruncToInt(Length / SampleStep);
}

long long TTrevanDoc::CellOf(double x) {
  const double q = std::floor(x / SampleStep + EdgeSnap);
  if (!(q > -1e15)) return -1;  // also NaN
  return q < 1e15 ? static_cast<long long>(q) : static_cast<long long>(1e15);
}

namespace {

// The forces by position; the stable sort keeps list order among equals.
void SortForces(const TTrevanDoc& beam, std::vector<std::pair<double, double>>& sorted) {
  sorted.clear();
  for (const auto& c : beam.Charges)
    if (c->f != 0 && beam.OnBeam(*c)) sorted.emplace_back(c->x, c->f);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

}  // namespace

// Each distributed load adds its exact trapezoid to every cell it covers. The
// cells it covers whole get a weight linear in the cell index and a moment
// that is half the weight times the cell plus a constant of the slope, so
// those are gathered as difference sums of three coefficients and spread in
// one pass; only the two end cells of a load are computed on their own.
void TTrevanDoc::SampleLoads() {
  if (LoadSamples.empty()) return;
  const long long count = std::min<long long>(SampleCount(), static_cast<long long>(LoadSamples.size()));
  std::fill(LoadSamples.begin(), LoadSamples.end(), 0.0);
  LoadMoments.assign(LoadSamples.size(), 0.0);
  SortForces(*this, sampledForces_);

  const std::size_t size = static_cast<std::size_t>(count) + 1;
  sampleScratch_.assign(3 * size, 0.0);
  double* const base = sampleScratch_.data();
  double* const perCell = base + size;
  double* const bend = perCell + size;
  bool anyWhole = false;
  const double s = SampleStep;
  for (const auto& d : DistrCharges) {
    if (!(d->X2 > d->X1) || !OnBeam(*d)) continue;
    const long long ka = std::max(CellOf(d->X1), 0LL);
    const long long kb = std::min(CellOf(d->X2), count - 1);
    if (ka > kb) continue;
    Piece piece;
    if (CellPiece(*d, ka, piece)) {
      LoadSamples[ka] += piece.weight;
      LoadMoments[ka] += piece.moment;
    }
    if (kb > ka && CellPiece(*d, kb, piece)) {
      LoadSamples[kb] += piece.weight;
      LoadMoments[kb] += piece.moment;
    }
    if (kb - ka < 2) continue;
    // Whole cells ka+1 .. kb-1: weight (w(x1) + g·((k + 1/2)·s − x1))·s.
    const double g = (d->F2 - d->F1) / (d->X2 - d->X1);
    const double b0 = (d->F1 + g * (0.5 * s - d->X1)) * s;
    const double b1 = g * s * s;
    const double c = g * s * s * s / 12;
    base[ka + 1] += b0;
    base[kb] -= b0;
    perCell[ka + 1] += b1;
    perCell[kb] -= b1;
    bend[ka + 1] += c;
    bend[kb] -= c;
    anyWhole = true;
  }
  if (!anyWhole) return;
  double b0 = 0, b1 = 0, c = 0;
  for (long long k = 0; k < count; ++k) {
    b0 += base[k];
    b1 += perCell[k];
    c += bend[k];
    const double weight = b0 + b1 * static_cast<double>(k);
    LoadSamples[k] += weight;
    LoadMoments[k] += weight * s / 2 + c;
  }
}

void TTrevanDoc::SampleLoadsEveryCell() {
  if (LoadSamples.empty()) return;
  const long long count = std::min<long long>(SampleCount(), static_cast<long long>(LoadSamples.size()));
  std::fill(LoadSamples.begin(), LoadSamples.end(), 0.0);
  LoadMoments.assign(LoadSamples.size(), 0.0);
  SortForces(*this, sampledForces_);
  for (const auto& d : DistrCharges) {
    if (!(d->X2 > d->X1) || !OnBeam(*d)) continue;
    Piece piece;
    for (long long k = 0; k < count; ++k)
      if (CellPiece(*d, k, piece)) {
        LoadSamples[k] += piece.weight;
        LoadMoments[k] += piece.moment;
      }
  }
}

void TTrevanDoc::SumLoadsAndMoments(double a, double b, double& load, double& moment) const {
  load = moment = 0;
  if (LoadSamples.empty() || LoadMoments.size() != LoadSamples.size() || !(b > a)) return;
  const long long size = static_cast<long long>(LoadSamples.size());
  const long long from = std::max(0LL, CellOf(a));
  const long long to = std::min(size, CellOf(b));
  double lever = b - static_cast<double>(from) * SampleStep;
  for (long long k = from; k < to; ++k, lever -= SampleStep) {
    load += LoadSamples[k];
    moment += LoadSamples[k] * lever - LoadMoments[k];
  }
  // The forces at a <= x < b, a position within rounding of a counting as on it.
  const double lo = a - EdgeSnap * SampleStep, hi = b - EdgeSnap * SampleStep;
  auto it = std::lower_bound(sampledForces_.begin(), sampledForces_.end(), lo,
                             [](const auto& f, double x) { return f.first < x; });
  for (; it != sampledForces_.end() && it->first < hi; ++it) {
    load += it->second;
    moment += it->second * (b - it->first);
  }
}

double TTrevanDoc::SumLoads(double a, double b) const {
  double load, moment;
  SumLoadsAndMoments(a, b, load, moment);
  return load;
}

double TTrevanDoc::SumLoadMoments(double a, double b) const {
  double load, moment;
  SumLoadsAndMoments(a, b, load, moment);
  return moment;
}

void TTrevanDoc::LoadsBetween(double a, double b, double& load, double& moment) const {
  load = moment = 0;
  if (!(b > a)) return;
  for (const auto& c : Charges)
    if (a <= c->x && c->x < b && OnBeam(*c)) {
      load += c->f;
      moment += c->f * (b - c->x);
    }
  for (const auto& d : DistrCharges) {
    if (!OnBeam(*d)) continue;
    const double u = std::max(a, d->X1);
    const double v = std::min(b, d->X2);
    if (!(v > u)) continue;
    const Piece piece = PieceOf(*d, u, v, b);
    load += piece.weight;
    moment -= piece.moment;  // about b the lever arms point the other way
  }
}

// The exact solver's mechanism check, so that both analyses agree; a
// support past an end counts as none there too.
bool TTrevanDoc::IsStable() const { return ExactSolver::IsStable(ExactBeam::SupportsOf(*this)); }

bool TTrevanDoc::HasLoad() const {
  for (const auto& c : Charges)
    if (c->f != 0 && OnBeam(*c)) return true;
  for (const auto& d : DistrCharges)
    if (d->X2 > d->X1 && (d->F1 != 0 || d->F2 != 0) && OnBeam(*d)) return true;
  // A couple loads the beam too.
  return std::any_of(Moments.begin(), Moments.end(), [&](const auto& m) { return m->m != 0 && OnBeam(*m); });
}

// Every force acts on the one span that holds its position, found by a
// binary search. A distributed load acts in full on the spans strictly inside
// its reach; their intensities add up, so those are gathered as difference
// sums of a linear intensity over the span index and applied once per span.
void TTrevanDoc::ComputeSegmentEnds() {
  // The spans the analysis sees: a none support joins its two neighbours.
  std::vector<element*> nodes;
  std::vector<double> starts;  // the nodes' X1, searched without touching the nodes
  for (element* e = Chain.get(); e; e = e->Next.get())
    e->OffBeam = !e->IsSentinel() && !limits::IsLoadPosition(e->X1, Length);
  for (element* e = Chain.get(); e; e = e->Next.get()) {
    const TSupportType rightType = e->Next ? e->Next->ActingType() : e->RightType;
    e->ResetSegmentEnds();
    e->ReachX2 = e->X2;
    e->ReachLength = e->X2 - e->X1;
    e->ReachRightType = rightType;
    if (e->StartsSpan() || nodes.empty()) {
      nodes.push_back(e);
      starts.push_back(e->X1);
    } else {
      element& span = *nodes.back();
      span.ReachX2 = e->X2;
      span.ReachLength = e->X2 - span.X1;
      span.ReachRightType = rightType;
    }
  }
  if (nodes.empty() || NeedsSupport()) return;
  const std::size_t n = nodes.size();
  const double chainEnd = nodes.back()->ReachX2;
  // The span whose [X1, ReachX2) holds x; the last one also holds its end.
  auto nodeAt = [&](double x) -> std::ptrdiff_t {
    if (!(x >= starts.front()) || x > chainEnd) return -1;
    return (std::upper_bound(starts.begin(), starts.end(), x) - starts.begin()) - 1;
  };

  for (const auto& c : Charges) {
    if (!OnBeam(*c)) continue;
    const std::ptrdiff_t j = nodeAt(c->x);
    if (j >= 0) nodes[j]->AddChargeContribution(*c);
  }

  std::vector<double> level(n + 1, 0.0), slope(n + 1, 0.0);
  bool anyWhole = false;
  for (const auto& d : DistrCharges) {
    // A load of no length carries nothing; one off the chain acts on no node.
    if (!(d->X2 > d->X1) || !OnBeam(*d) || !(d->X1 < chainEnd) || !(d->X2 > nodes.front()->X1)) continue;
    const std::ptrdiff_t ja = std::max<std::ptrdiff_t>(nodeAt(std::max(d->X1, nodes.front()->X1)), 0);
    std::ptrdiff_t jb = nodeAt(std::min(d->X2, chainEnd));
    if (jb < 0) jb = static_cast<std::ptrdiff_t>(n) - 1;
    if (jb > ja && nodes[jb]->X1 >= d->X2) --jb;  // ends on a support: nothing beyond it
    nodes[ja]->AddDistrChargeContribution(*d);
    if (jb > ja) nodes[jb]->AddDistrChargeContribution(*d);
    if (jb - ja < 2) continue;
    const double g = (d->F2 - d->F1) / (d->X2 - d->X1);
    level[ja + 1] += d->F1 - g * d->X1;
    level[jb] -= d->F1 - g * d->X1;
    slope[ja + 1] += g;
    slope[jb] -= g;
    anyWhole = true;
  }
  if (!anyWhole) return;
  double a = 0, g = 0;
  for (std::size_t j = 0; j < n; ++j) {
    a += level[j];
    g += slope[j];
    if (a == 0 && g == 0) continue;
    element& e = *nodes[j];
    e.AddTrapezoidContribution(0, e.ReachLength, a + g * e.X1, a + g * e.ReachX2);
  }
}

}  // namespace trevan
