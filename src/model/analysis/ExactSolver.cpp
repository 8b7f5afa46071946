#include "analysis/ExactSolver.h"

#include "analysis/ExactDeflection.h"
#include "analysis/PolynomialRoots.h"

#include <algorithm>
#include <cmath>

namespace trevan {

namespace {

// A support that carries something holds the deflection, a vice also the
// rotation; a change of section between supports holds neither.
struct Node {
  static constexpr std::size_t NoSupport = static_cast<std::size_t>(-1);
  double x;
  bool holdsDeflection;
  bool vice;
  std::size_t support;  // index into the results' supports, or NoSupport
  double force = 0;     // downward loads applied right at the node
  double couple = 0;    // counter-clockwise couple of the overhang loads on it
};

// Fixed-end moments (counter-clockwise on the element's ends), the element's
// load and its moment about the left end, and its bending stiffness.
struct Span {
  double fixedLeft = 0, fixedRight = 0;
  double load = 0, loadMoment = 0;
  double EI = 1;
};

// End forces (upward) and couples (counter-clockwise) on an element of
// length L, deflection and rotation at its ends ordered left then right.
void ElementStiffness(double L, double EI, double k[4][4]) {
  const double a = 12 * EI / (L * L * L), b = 6 * EI / (L * L), c = 4 * EI / L, d = 2 * EI / L;
  const double rows[4][4] = {{a, b, -a, b}, {b, c, -b, d}, {-a, -b, a, -b}, {b, d, -b, c}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) k[i][j] = rows[i][j];
}

// What the ends of the element exert on it with both held: the couples,
// and the forces that balance them and the load.
void FixedEndActions(const Span& span, double L, double actions[4]) {
  const double right = (span.loadMoment - span.fixedLeft - span.fixedRight) / L;
  actions[0] = span.load - right;
  actions[1] = span.fixedLeft;
  actions[2] = right;
  actions[3] = span.fixedRight;
}

// A symmetric positive definite matrix of half-bandwidth 3, its upper band
// kept row by row; solved by elimination without pivoting in linear time.
class BandMatrix {
 public:
  explicit BandMatrix(std::size_t n) : n_(n), band_(4 * n, 0.0) {}
  void Add(std::size_t r, std::size_t c, double v) { band_[4 * r + (c - r)] += v; }
  std::vector<double> Solve(std::vector<double> rhs) {
    for (std::size_t i = 0; i < n_; ++i) {
      const double pivot = band_[4 * i];
      for (std::size_t k = 1; k < 4 && i + k < n_; ++k) {
        const double f = band_[4 * i + k] / pivot;
        if (f == 0) continue;
        for (std::size_t m = k; m < 4 && i + m < n_; ++m) band_[4 * (i + k) + (m - k)] -= f * band_[4 * i + m];
        rhs[i + k] -= f * rhs[i];
      }
    }
    for (std::size_t i = n_; i-- > 0;) {
      double v = rhs[i];
      for (std::size_t k = 1; k < 4 && i + k < n_; ++k) v -= band_[4 * i + k] * rhs[i + k];
      rhs[i] = v / band_[4 * i];
    }
    return rhs;
  }

 private:
  std::size_t n_;
  std::vector<double> band_;
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

double ExactResults::Piece::Rotation(double x) const { return Polynomial(r, 4, x - x0); }

double ExactResults::Piece::Deflection(double x) const { return Polynomial(d, 5, x - x0); }

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

double ExactResults::RotationAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Rotation(x) : 0;
}

double ExactResults::DeflectionAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Deflection(x) : 0;
}

bool ExactSolver::IsStable(const ExactBeam& beam) {
  int pinned = 0;
  for (const auto& s : beam.supports) {
    if (s.type == ftVice) return true;
    if (IsPinned(s.type)) ++pinned;
  }
  return pinned >= 2;
}

std::string ExactSolver::Instability(const ExactBeam& beam) {
  return IsStable(beam) ? std::string() : ExactResults::UnstableText;
}

namespace {

// E I along the beam, constant between breaks; the first and last values
// reach on past the ends of the stretches given.
class StiffnessMap {
 public:
  explicit StiffnessMap(const std::vector<ExactBeam::Stiffness>& stretches) {
    for (std::size_t k = 0; k < stretches.size(); ++k) {
      if (k > 0 && stretches[k].EI == values_.back()) continue;
      if (k > 0) breaks_.push_back(stretches[k].x1);
      values_.push_back(stretches[k].EI);
    }
    if (values_.empty()) values_.push_back(1.0);
  }
  // The value just right of x.
  double At(double x) const {
    return values_[static_cast<std::size_t>(std::upper_bound(breaks_.begin(), breaks_.end(), x) - breaks_.begin())];
  }
  std::vector<double>& Breaks() { return breaks_; }
  const std::vector<double>& Breaks() const { return breaks_; }

 private:
  std::vector<double> breaks_;
  std::vector<double> values_;
};

// The beam as the stiffness method sees it: nodes at the carrying supports
// and where E I changes between them, each with a deflection and a rotation
// unknown; elements between the nodes with their fixed-end actions; and the
// events that the statics pass walks through.
class SpanModel {
 public:
  SpanModel(const ExactBeam& beam, ExactResults& results);

  void ApplyForces();
  void ApplyLoads();
  void SolveNodes();
  void FindEndActions();
  void BuildPieces();
  const std::vector<Sample>& Samples() const { return samples_; }
  double Start() const { return start_; }
  double End() const { return end_; }
  const StiffnessMap& Stiffness() const { return stiffness_; }
  std::vector<NodeState> NodeStates() const;

 private:
  double NodeX(std::size_t i) const { return nodes_[i].x; }
  void PlaceNodes();
  // Region k of a point: k nodes lie left of it; 0 and n are the overhangs.
  std::size_t RegionOf(double x) const;
  void AddPointLoad(std::size_t region, double x, double p);
  void ApplyLoad(const ExactBeam::Load& d);
  void AddCoveredSpans();
  void AddInnerSamples(const ExactResults::Piece& p, double x, double L);

  const ExactBeam& beam_;
  ExactResults& results_;
  StiffnessMap stiffness_;
  std::vector<Node> nodes_;
  std::size_t n_ = 0;
  std::vector<Span> spans_;
  std::vector<double> displacement_;  // deflection (up) and rotation of each node in turn
  double loadScale_ = 0;  // what a rounding error is measured against
  std::vector<double> coverOffset_, coverSlope_;
  std::vector<Event> events_;
  std::vector<Sample> samples_;
  double start_ = 0, end_ = 0;
};

SpanModel::SpanModel(const ExactBeam& beam, ExactResults& results)
    : beam_(beam), results_(results), stiffness_(beam.stiffness) {
  start_ = std::min(0.0, beam.supports.empty() ? 0.0 : beam.supports.front().x);
  end_ = std::max(beam.length, beam.supports.empty() ? 0.0 : beam.supports.back().x);
  PlaceNodes();
  n_ = nodes_.size();
  spans_.resize(n_ - 1);
  for (std::size_t i = 0; i + 1 < n_; ++i) spans_[i].EI = stiffness_.At((NodeX(i) + NodeX(i + 1)) / 2);
  coverOffset_.assign(n_, 0.0);
  coverSlope_.assign(n_, 0.0);
  events_.reserve(2 * n_ + beam.forces.size() + 2 * beam.loads.size() + 2);
}

// A change of E I between two carrying supports is a free node. One that
// nearly meets a support is moved onto it: an element far shorter than its
// neighbours would make the equations ill-conditioned, and the move is far
// below anything a section's dimensions mean.
void SpanModel::PlaceNodes() {
  for (const auto& s : beam_.supports) {
    results_.supports.push_back({s.x, s.type, 0, 0});
    if (s.type != ftNone) nodes_.push_back({s.x, true, s.type == ftVice, results_.supports.size() - 1});
  }
  std::vector<double>& breaks = stiffness_.Breaks();
  if (breaks.empty()) return;
  const double tolerance = 1e-7 * (end_ - start_);
  std::vector<Node> supports;
  supports.swap(nodes_);
  std::size_t k = 0;
  for (double& b : breaks) {
    for (; k < supports.size() && supports[k].x <= b + tolerance; ++k) {
      if (std::abs(supports[k].x - b) <= tolerance) b = supports[k].x;
      nodes_.push_back(supports[k]);
    }
    if (k == 0 || k == supports.size()) continue;  // on an overhang: no node
    if (b - nodes_.back().x <= tolerance)
      b = nodes_.back().x;
    else
      nodes_.push_back({b, false, false, Node::NoSupport});
  }
  for (; k < supports.size(); ++k) nodes_.push_back(supports[k]);
  for (double b : breaks) events_.push_back({b});
}

std::vector<NodeState> SpanModel::NodeStates() const {
  std::vector<NodeState> states(n_);
  for (std::size_t j = 0; j < n_; ++j)
    states[j] = {NodeX(j), displacement_[2 * j], displacement_[2 * j + 1], nodes_[j].support != Node::NoSupport};
  return states;
}

std::size_t SpanModel::RegionOf(double x) const {
  std::size_t lo = 0, hi = n_;
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (NodeX(mid) < x)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

// A load on an overhang goes to its end node as a force and a couple; one
// inside a span adds to the span's fixed-end actions.
void SpanModel::AddPointLoad(std::size_t region, double x, double p) {
  if (region == 0) {
    nodes_[0].force += p;
    nodes_[0].couple += p * (nodes_[0].x - x);
  } else if (region == n_) {
    nodes_[n_ - 1].force += p;
    nodes_[n_ - 1].couple -= p * (x - nodes_[n_ - 1].x);
  } else {
    const double left = NodeX(region - 1);
    AddPoint(spans_[region - 1], NodeX(region) - left, x - left, p);
  }
}

void SpanModel::ApplyForces() {
  for (const auto& f : beam_.forces) {
    if (!(f.x >= 0 && f.x <= beam_.length)) continue;
    results_.totalLoad += f.f;
    loadScale_ += std::abs(f.f);
    events_.push_back({f.x, -f.f});
    const std::size_t k = RegionOf(f.x);
    if (k < n_ && NodeX(k) == f.x)
      nodes_[k].force += f.f;
    else
      AddPointLoad(k, f.x, f.f);
  }
}

void SpanModel::ApplyLoads() {
  for (const auto& d : beam_.loads) ApplyLoad(d);
  AddCoveredSpans();
}

void SpanModel::ApplyLoad(const ExactBeam::Load& d) {
  const double a = std::max(d.x1, 0.0), b = std::min(d.x2, beam_.length);
  if (!(a < b)) return;
  const double slope = (d.f2 - d.f1) / (d.x2 - d.x1);
  const double qa = d.f1 + slope * (a - d.x1), qb = d.f1 + slope * (b - d.x1);
  results_.totalLoad += (qa + qb) / 2 * (b - a);
  loadScale_ += (std::abs(qa) + std::abs(qb)) / 2 * (b - a);
  events_.push_back({a, 0, 0, qa, slope, 1});
  events_.push_back({b, 0, 0, -qb, -slope, -1});
  // The parts in the regions where the load starts and ends are
  // integrated; the spans it covers whole take their intensity from
  // running sums, so that a load over many spans costs no more than one.
  const std::size_t first = RegionOf(a), last = RegionOf(b);
  auto integrate = [&](std::size_t k, double from, double to) {
    if (from < to)
      Integrate(from, to, d.f1 + slope * (from - d.x1), d.f1 + slope * (to - d.x1),
                [&](double x, double p) { AddPointLoad(k, x, p); });
  };
  if (first == last) {
    integrate(first, a, b);
    return;
  }
  integrate(first, a, NodeX(first));
  integrate(last, NodeX(last - 1), b);
  if (first + 1 < last) {
    // Spans first .. last - 2 lie wholly under the load.
    const double offset = d.f1 - slope * d.x1;
    coverOffset_[first] += offset, coverOffset_[last - 1] -= offset;
    coverSlope_[first] += slope, coverSlope_[last - 1] -= slope;
  }
}

// Whole spans under linear loads: the standard fixed-end moments of two
// opposite triangles.
void SpanModel::AddCoveredSpans() {
  double offset = 0, rise = 0;
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    offset += coverOffset_[i], rise += coverSlope_[i];
    if (offset == 0 && rise == 0) continue;
    const double xl = NodeX(i), xr = NodeX(i + 1), L = xr - xl;
    const double qa = offset + rise * xl, qb = offset + rise * xr;
    spans_[i].fixedLeft += L * L * (qa / 20 + qb / 30);
    spans_[i].fixedRight -= L * L * (qa / 30 + qb / 20);
    spans_[i].load += (qa + qb) / 2 * L;
    spans_[i].loadMoment += L * L * (qa / 6 + qb / 3);
  }
}

// The deflection (upward) and rotation of every node from K d = loads minus
// the fixed-end actions. Unknowns 2j and 2j + 1 belong to node j, so K is a
// band of half-width 3; a held unknown keeps a row of its own with d = 0.
void SpanModel::SolveNodes() {
  const std::size_t dofs = 2 * n_;
  BandMatrix K(dofs);
  std::vector<double> rhs(dofs, 0.0);
  std::vector<bool> held(dofs);
  for (std::size_t j = 0; j < n_; ++j) {
    held[2 * j] = nodes_[j].holdsDeflection;
    held[2 * j + 1] = nodes_[j].vice;
    rhs[2 * j] = -nodes_[j].force;
    rhs[2 * j + 1] = nodes_[j].couple;
  }
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    double k[4][4], fixed[4];
    ElementStiffness(NodeX(i + 1) - NodeX(i), spans_[i].EI, k);
    FixedEndActions(spans_[i], NodeX(i + 1) - NodeX(i), fixed);
    for (std::size_t a = 0; a < 4; ++a) {
      rhs[2 * i + a] -= fixed[a];
      for (std::size_t b = a; b < 4; ++b)
        if (!held[2 * i + a] && !held[2 * i + b]) K.Add(2 * i + a, 2 * i + b, k[a][b]);
    }
  }
  for (std::size_t r = 0; r < dofs; ++r)
    if (held[r]) K.Add(r, r, 1), rhs[r] = 0;
  displacement_ = K.Solve(std::move(rhs));
}

// The end couples of every element from the stiffness relation; the
// reactions from the equilibrium of each span between two supports as one
// body, never of a single element, which may be very short beside a change
// of section and would magnify the rounding of its couples.
void SpanModel::FindEndActions() {
  std::vector<double> endMoments(n_, 0.0), endForces(n_, 0.0);
  for (std::size_t j = 0; j < n_; ++j) endForces[j] = nodes_[j].force;
  std::size_t first = 0;  // the node where the current span starts
  double load = 0, loadMoment = 0, firstMoment = 0;
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    const double L = NodeX(i + 1) - NodeX(i), EI = spans_[i].EI;
    const double wi = displacement_[2 * i], ti = displacement_[2 * i + 1];
    const double wj = displacement_[2 * i + 2], tj = displacement_[2 * i + 3];
    const double sway = 6 * EI * (wi - wj) / (L * L);
    const double ml = spans_[i].fixedLeft + EI * (4 * ti + 2 * tj) / L + sway;
    const double mr = spans_[i].fixedRight + EI * (2 * ti + 4 * tj) / L + sway;
    endMoments[i] += ml;
    endMoments[i + 1] += mr;
    const double offset = NodeX(i) - NodeX(first);
    if (i == first) {
      firstMoment = ml, load = 0, loadMoment = 0;
    } else {  // a load right at a change of section
      load += nodes_[i].force, loadMoment += nodes_[i].force * offset;
    }
    load += spans_[i].load;
    loadMoment += spans_[i].loadMoment + spans_[i].load * offset;
    if (!nodes_[i + 1].holdsDeflection) continue;
    const double right = (loadMoment - firstMoment - mr) / (NodeX(i + 1) - NodeX(first));
    endForces[first] += load - right;
    endForces[i + 1] += right;
    first = i + 1;
  }
  // What is zero by nature should read as zero, not as rounding noise.
  const double noise = 1e-12 * loadScale_;
  for (std::size_t j = 0; j < n_; ++j) {
    if (nodes_[j].support == Node::NoSupport) continue;
    auto& s = results_.supports[nodes_[j].support];
    s.reaction = endForces[j];
    if (nodes_[j].vice) s.moment = endMoments[j] - nodes_[j].couple;
    if (std::abs(s.reaction) <= noise) s.reaction = 0;
    if (std::abs(s.moment) <= noise * (end_ - start_)) s.moment = 0;
    results_.sumReactions += s.reaction;
    events_.push_back({s.x, s.reaction, s.moment});
  }
}

// Shear and moment by statics, from the left end to the right: one piece
// between two events, with samples at its ends and where it peaks inside.
void SpanModel::BuildPieces() {
  events_.push_back({end_});
  std::sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) { return a.x < b.x; });
  samples_.reserve(4 * events_.size() + 2);
  results_.pieces.reserve(events_.size());
  samples_.push_back({start_, 0, 0});
  double shear = 0, moment = 0, intensity = 0, slope = 0;
  int active = 0;
  for (std::size_t i = 0; i < events_.size();) {
    const double x = events_[i].x;
    for (; i < events_.size() && events_[i].x == x; ++i) {
      shear += events_[i].shearJump;
      moment -= events_[i].couple;
      intensity += events_[i].intensity;
      slope += events_[i].slope;
      active += events_[i].active;
    }
    if (active == 0) intensity = slope = 0;  // no rounding left where no load acts
    samples_.push_back({x, shear, moment});
    if (i == events_.size()) break;
    const double L = events_[i].x - x;
    ExactResults::Piece p;
    p.x0 = x;
    p.x1 = events_[i].x;
    p.v[0] = shear, p.v[1] = -intensity, p.v[2] = -slope / 2;
    p.m[0] = moment, p.m[1] = shear, p.m[2] = -intensity / 2, p.m[3] = -slope / 6;
    AddInnerSamples(p, x, L);
    shear = p.Shear(p.x1);
    moment = p.Moment(p.x1);
    intensity += slope * L;
    samples_.push_back({p.x1, shear, moment});
    results_.pieces.push_back(p);
  }
  samples_.push_back({end_, 0, 0});
}

// Where the shear crosses zero (moment extremes) and where it peaks, in order.
void SpanModel::AddInnerSamples(const ExactResults::Piece& p, double x, double L) {
  double roots[2];
  const std::size_t inside = samples_.size();
  for (int r = 0, k = RootsInside(p.v[0], p.v[1], p.v[2], L, roots); r < k; ++r)
    samples_.push_back({x + roots[r], 0, p.Moment(x + roots[r])});
  if (p.v[2] != 0) {
    const double t = -p.v[1] / (2 * p.v[2]);
    if (t > 0 && t < L) samples_.push_back({x + t, p.Shear(x + t), p.Moment(x + t)});
  }
  std::sort(samples_.begin() + static_cast<std::ptrdiff_t>(inside), samples_.end(),
            [](const Sample& a, const Sample& b) { return a.x < b.x; });
}

// The largest values and the zero-shear points, read off the samples.
void FindExtremes(const std::vector<Sample>& samples, double start, ExactResults& results) {
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
}

}  // namespace

ExactResults ExactSolver::Solve(const ExactBeam& beam) {
  ExactResults results;
  if (!IsStable(beam)) {
    results.message = ExactResults::UnstableText;
    return results;
  }
  results.solved = true;
  SpanModel model(beam, results);
  model.ApplyForces();
  model.ApplyLoads();
  model.SolveNodes();
  model.FindEndActions();
  model.BuildPieces();
  FindExtremes(model.Samples(), model.Start(), results);
  if (!beam.stiffness.empty())
    AddDeflections(model.NodeStates(), [&](double x) { return model.Stiffness().At(x); }, model.Start(),
                   model.End(), results);
  return results;
}

}  // namespace trevan
