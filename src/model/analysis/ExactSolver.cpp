#include "analysis/ExactSolver.h"

#include <algorithm>
#include <cmath>

namespace trevan {

namespace {

// A support that carries something; its rotation is free unless it is a vice.
struct Node {
  double x;
  bool vice;
  std::size_t support;  // index into the results' supports
  double force = 0;     // downward loads applied right at the node
  double couple = 0;    // counter-clockwise couple of the overhang loads on it
};

// Fixed-end moments (counter-clockwise on the span's ends) and the span's
// load and its moment about the left end, for a span of length L.
struct Span {
  double fixedLeft = 0, fixedRight = 0;
  double load = 0, loadMoment = 0;
};

void AddPoint(Span& span, double L, double s, double p) {
  const double r = L - s;
  span.fixedLeft += p * s * r * r / (L * L);
  span.fixedRight -= p * s * s * r / (L * L);
  span.load += p;
  span.loadMoment += p * s;
}

// Three-point Gauss rule: exact for the quartic integrands of a linear load.
constexpr double GaussT[3] = {-0.7745966692414834, 0.0, 0.7745966692414834};
constexpr double GaussW[3] = {5.0 / 9.0, 8.0 / 9.0, 5.0 / 9.0};

// Calls add(x, weight * intensity) at the Gauss points of a linear load on [a, b].
template <class Add>
void Integrate(double a, double b, double qa, double qb, Add add) {
  const double half = (b - a) / 2, mid = (a + b) / 2;
  for (int i = 0; i < 3; ++i) {
    const double u = (GaussT[i] + 1) / 2;
    add(mid + half * GaussT[i], GaussW[i] * half * (qa + (qb - qa) * u));
  }
}

struct Event {
  double x;
  double shearJump = 0;  // upward force added at x
  double couple = 0;     // counter-clockwise couple added at x
  double intensity = 0;  // change of the downward intensity at x
  double slope = 0;      // change of its slope at x
  int active = 0;        // change of the number of loads acting beyond x
};

struct Sample {
  double x, shear, moment;
};

// Roots of c0 + c1 t + c2 t^2 strictly inside (0, L), ascending.
int RootsInside(double c0, double c1, double c2, double L, double roots[2]) {
  int n = 0;
  auto keep = [&](double t) {
    if (t > 0 && t < L) roots[n++] = t;
  };
  if (std::abs(c2) * L * L <= 1e-12 * (std::abs(c0) + std::abs(c1) * L)) {
    if (c1 != 0) keep(-c0 / c1);
  } else {
    const double d = c1 * c1 - 4 * c2 * c0;
    if (d < 0) return 0;
    const double q = -0.5 * (c1 + std::copysign(std::sqrt(d), c1));
    double r1 = q / c2, r2 = q != 0 ? c0 / q : r1;
    if (r1 > r2) std::swap(r1, r2);
    keep(r1);
    if (r2 != r1) keep(r2);
  }
  return n;
}

}  // namespace

double ExactResults::Piece::Shear(double x) const {
  const double t = x - x0;
  return v[0] + t * (v[1] + t * v[2]);
}

double ExactResults::Piece::Moment(double x) const {
  const double t = x - x0;
  return m[0] + t * (m[1] + t * (m[2] + t * m[3]));
}

namespace {
const ExactResults::Piece* PieceAt(const std::vector<ExactResults::Piece>& pieces, double x) {
  if (pieces.empty() || x < pieces.front().x0 || x > pieces.back().x1) return nullptr;
  auto it = std::upper_bound(pieces.begin(), pieces.end(), x,
                             [](double v, const ExactResults::Piece& p) { return v < p.x1; });
  return it == pieces.end() ? &pieces.back() : &*it;
}
}  // namespace

double ExactResults::ShearAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Shear(x) : 0;
}

double ExactResults::MomentAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Moment(x) : 0;
}

bool ExactSolver::IsStable(const ExactBeam& beam) {
  int pinned = 0;
  for (const auto& s : beam.supports) {
    if (s.type == ftVice) return true;
    if (IsPinned(s.type)) ++pinned;
  }
  return pinned >= 2;
}

const ExactResults& ExactSolver::SolveKept(const ExactBeam& beam) {
  static ExactBeam lastBeam;
  static ExactResults lastResults = Solve(lastBeam);
  if (!(beam == lastBeam)) {
    lastResults = Solve(beam);
    lastBeam = beam;
  }
  return lastResults;
}

ExactResults ExactSolver::Solve(const ExactBeam& beam) {
  ExactResults results;
  if (!IsStable(beam)) {
    results.message = ExactResults::UnstableText;
    return results;
  }
  results.solved = true;

  std::vector<Node> nodes;
  for (const auto& s : beam.supports) {
    results.supports.push_back({s.x, s.type, 0, 0});
    if (s.type != ftNone) nodes.push_back({s.x, s.type == ftVice, results.supports.size() - 1});
  }
  const std::size_t n = nodes.size();
  std::vector<Span> spans(n - 1);
  auto nodeX = [&](std::size_t i) { return nodes[i].x; };
  // Region k of a point: k nodes lie left of it; 0 and n are the overhangs.
  auto regionOf = [&](double x) {
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
      const std::size_t mid = (lo + hi) / 2;
      if (nodeX(mid) < x)
        lo = mid + 1;
      else
        hi = mid;
    }
    return lo;
  };
  auto addPointLoad = [&](std::size_t region, double x, double p) {
    if (region == 0) {
      nodes[0].force += p;
      nodes[0].couple += p * (nodes[0].x - x);
    } else if (region == n) {
      nodes[n - 1].force += p;
      nodes[n - 1].couple -= p * (x - nodes[n - 1].x);
    } else {
      const double left = nodeX(region - 1);
      AddPoint(spans[region - 1], nodeX(region) - left, x - left, p);
    }
  };

  double loadScale = 0;  // what a rounding error is measured against
  std::vector<double> coverOffset(n, 0.0), coverSlope(n, 0.0);
  std::vector<Event> events;
  events.reserve(2 * n + beam.forces.size() + 2 * beam.loads.size() + 2);
  for (const auto& f : beam.forces) {
    if (!(f.x >= 0 && f.x <= beam.length)) continue;
    results.totalLoad += f.f;
    loadScale += std::abs(f.f);
    events.push_back({f.x, -f.f});
    const std::size_t k = regionOf(f.x);
    if (k < n && nodeX(k) == f.x)
      nodes[k].force += f.f;
    else
      addPointLoad(k, f.x, f.f);
  }
  for (const auto& d : beam.loads) {
    const double a = std::max(d.x1, 0.0), b = std::min(d.x2, beam.length);
    if (!(a < b)) continue;
    const double slope = (d.f2 - d.f1) / (d.x2 - d.x1);
    const double qa = d.f1 + slope * (a - d.x1), qb = d.f1 + slope * (b - d.x1);
    results.totalLoad += (qa + qb) / 2 * (b - a);
    loadScale += (std::abs(qa) + std::abs(qb)) / 2 * (b - a);
    events.push_back({a, 0, 0, qa, slope, 1});
    events.push_back({b, 0, 0, -qb, -slope, -1});
    // The parts in the regions where the load starts and ends are
    // integrated; the spans it covers whole take their intensity from
    // running sums, so that a load over many spans costs no more than one.
    const std::size_t first = regionOf(a), last = regionOf(b);
    auto integrate = [&](std::size_t k, double from, double to) {
      if (from < to)
        Integrate(from, to, d.f1 + slope * (from - d.x1), d.f1 + slope * (to - d.x1),
                  [&](double x, double p) { addPointLoad(k, x, p); });
    };
    if (first == last) {
      integrate(first, a, b);
      continue;
    }
    integrate(first, a, nodeX(first));
    integrate(last, nodeX(last - 1), b);
    if (first + 1 < last) {
      // Spans first .. last - 2 lie wholly under the load.
      const double offset = d.f1 - slope * d.x1;
      coverOffset[first] += offset, coverOffset[last - 1] -= offset;
      coverSlope[first] += slope, coverSlope[last - 1] -= slope;
    }
  }
  // Whole spans under linear loads: the standard fixed-end moments of two
  // opposite triangles.
  double offset = 0, rise = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    offset += coverOffset[i], rise += coverSlope[i];
    if (offset == 0 && rise == 0) continue;
    const double xl = nodeX(i), xr = nodeX(i + 1), L = xr - xl;
    const double qa = offset + rise * xl, qb = offset + rise * xr;
    spans[i].fixedLeft += L * L * (qa / 20 + qb / 30);
    spans[i].fixedRight -= L * L * (qa / 30 + qb / 20);
    spans[i].load += (qa + qb) / 2 * L;
    spans[i].loadMoment += L * L * (qa / 6 + qb / 3);
  }

  // Rotations of the nodes: a tridiagonal system, with EI = 1 since the
  // reactions of a uniform beam do not depend on it. Vices keep theirs at 0.
  std::vector<double> diag(n, 1.0), upper(n, 0.0), lower(n, 0.0), rhs(n, 0.0), theta(n, 0.0);
  for (std::size_t j = 0; j < n; ++j) {
    if (nodes[j].vice) continue;
    diag[j] = 0;
    rhs[j] = nodes[j].couple;
    if (j > 0) {
      const double L = nodeX(j) - nodeX(j - 1);
      diag[j] += 4 / L;
      if (!nodes[j - 1].vice) lower[j] = 2 / L;
      rhs[j] -= spans[j - 1].fixedRight;
    }
    if (j + 1 < n) {
      const double L = nodeX(j + 1) - nodeX(j);
      diag[j] += 4 / L;
      if (!nodes[j + 1].vice) upper[j] = 2 / L;
      rhs[j] -= spans[j].fixedLeft;
    }
  }
  // Thomas algorithm; the system is strictly diagonally dominant.
  for (std::size_t j = 1; j < n; ++j) {
    const double w = lower[j] / diag[j - 1];
    diag[j] -= w * upper[j - 1];
    rhs[j] -= w * rhs[j - 1];
  }
  for (std::size_t j = n; j-- > 0;) theta[j] = (rhs[j] - (j + 1 < n ? upper[j] * theta[j + 1] : 0)) / diag[j];

  // End moments and shears of every span give the reactions and vice moments.
  std::vector<double> endMoments(n, 0.0);
  for (std::size_t j = 0; j < n; ++j) results.supports[nodes[j].support].reaction = nodes[j].force;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double L = nodeX(i + 1) - nodeX(i);
    const double ml = spans[i].fixedLeft + (4 * theta[i] + 2 * theta[i + 1]) / L;
    const double mr = spans[i].fixedRight + (2 * theta[i] + 4 * theta[i + 1]) / L;
    const double vr = (spans[i].loadMoment - ml - mr) / L;
    results.supports[nodes[i].support].reaction += spans[i].load - vr;
    results.supports[nodes[i + 1].support].reaction += vr;
    endMoments[i] += ml;
    endMoments[i + 1] += mr;
  }
  const double start = std::min(0.0, beam.supports.empty() ? 0.0 : beam.supports.front().x);
  const double end = std::max(beam.length, beam.supports.empty() ? 0.0 : beam.supports.back().x);
  // What is zero by nature should read as zero, not as rounding noise.
  const double noise = 1e-12 * loadScale;
  for (std::size_t j = 0; j < n; ++j) {
    auto& s = results.supports[nodes[j].support];
    if (nodes[j].vice) s.moment = endMoments[j] - nodes[j].couple;
    if (std::abs(s.reaction) <= noise) s.reaction = 0;
    if (std::abs(s.moment) <= noise * (end - start)) s.moment = 0;
    results.sumReactions += s.reaction;
    events.push_back({s.x, s.reaction, s.moment});
  }

  // Shear and moment by statics, from the left end to the right.
  events.push_back({end});
  std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.x < b.x; });

  std::vector<Sample> samples;
  samples.reserve(4 * events.size() + 2);
  samples.push_back({start, 0, 0});
  double shear = 0, moment = 0, intensity = 0, slope = 0;
  int active = 0;
  for (std::size_t i = 0; i < events.size();) {
    const double x = events[i].x;
    for (; i < events.size() && events[i].x == x; ++i) {
      shear += events[i].shearJump;
      moment -= events[i].couple;
      intensity += events[i].intensity;
      slope += events[i].slope;
      active += events[i].active;
    }
    if (active == 0) intensity = slope = 0;  // no rounding left where no load acts
    samples.push_back({x, shear, moment});
    if (i == events.size()) break;
    const double L = events[i].x - x;
    ExactResults::Piece p;
    p.x0 = x;
    p.x1 = events[i].x;
    p.v[0] = shear, p.v[1] = -intensity, p.v[2] = -slope / 2;
    p.m[0] = moment, p.m[1] = shear, p.m[2] = -intensity / 2, p.m[3] = -slope / 6;
    double roots[2];
    // Where the shear crosses zero (moment extremes) and where it peaks, in order.
    const std::size_t inside = samples.size();
    for (int r = 0, k = RootsInside(p.v[0], p.v[1], p.v[2], L, roots); r < k; ++r)
      samples.push_back({x + roots[r], 0, p.Moment(x + roots[r])});
    if (p.v[2] != 0) {
      const double t = -p.v[1] / (2 * p.v[2]);
      if (t > 0 && t < L) samples.push_back({x + t, p.Shear(x + t), p.Moment(x + t)});
    }
    std::sort(samples.begin() + static_cast<std::ptrdiff_t>(inside), samples.end(),
              [](const Sample& a, const Sample& b) { return a.x < b.x; });
    shear = p.Shear(p.x1);
    moment = p.Moment(p.x1);
    intensity += slope * L;
    samples.push_back({p.x1, shear, moment});
    results.pieces.push_back(p);
  }
  samples.push_back({end, 0, 0});

  double largestShear = 0, largestMoment = 0;
  for (const Sample& s : samples) {
    largestShear = std::max(largestShear, std::abs(s.shear));
    largestMoment = std::max(largestMoment, std::abs(s.moment));
  }
  // Equal extremes at several places differ only by rounding; the first counts.
  const double shearTol = 1e-9 * largestShear, momentTol = 1e-9 * largestMoment;
  results.maxSagging = results.maxHogging = results.maxAbsShear = {0, start};
  int lastSign = 0;
  double zeroFrom = NAN;
  for (const Sample& s : samples) {
    if (s.moment > results.maxSagging.value + momentTol) results.maxSagging = {s.moment, s.x};
    if (s.moment < results.maxHogging.value - momentTol) results.maxHogging = {s.moment, s.x};
    if (std::abs(s.shear) > results.maxAbsShear.value + shearTol) {
      results.maxAbsShear = {std::abs(s.shear), s.x};
      results.maxShearSigned = s.shear;
    }
    const int sign = std::abs(s.shear) <= shearTol ? 0 : (s.shear > 0 ? 1 : -1);
    if (sign == 0) {
      if (std::isnan(zeroFrom)) zeroFrom = s.x;
      continue;
    }
    if (lastSign != 0 && sign != lastSign) results.zeroShear.push_back(std::isnan(zeroFrom) ? s.x : zeroFrom);
    lastSign = sign;
    zeroFrom = NAN;
  }
  return results;
}

}  // namespace trevan
