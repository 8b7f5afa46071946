#include "analysis/SpanModel.h"

#include <algorithm>
#include <cmath>

#include "analysis/StabilityCheck.h"

namespace trevan {

namespace {

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
  events_.reserve(2 * n_ + beam.forces.size() + beam.moments.size() + 2 * beam.loads.size() + 2);
}

// The supports as nodes. Springs and settlements need a section: without
// one they are taken as rigid and unsettled, and the results say so.
void SpanModel::PlaceSupports() {
  const bool elastic = !beam_.stiffness.empty();
  for (const auto& s : beam_.supports) {
    results_.supports.push_back({s.x, s.type});
    if (s.type == ftNone) continue;
    Node node{s.x, results_.supports.size() - 1, s.type == ftVice};
    const bool springy = s.spring > 0 || (node.vice && s.rotationalSpring > 0) || s.settlement != 0;
    if (!elastic && springy) results_.springsLeftOut = true;
    node.spring = elastic && s.spring > 0 ? s.spring : 0;
    node.rotationalSpring = elastic && node.vice && s.rotationalSpring > 0 ? s.rotationalSpring : 0;
    node.base = elastic ? -s.settlement : 0;
    node.holdsDeflection = node.spring == 0;
    node.holdsRotation = node.vice && node.rotationalSpring == 0;
    nodes_.push_back(node);
  }
}

// A hinge is a node that releases the rotation; one on a support releases
// it there. The stability check has seen that every hinge taken lies
// between two supports.
void SpanModel::PlaceHinges(double tolerance) {
  std::vector<Node> supports;
  supports.swap(nodes_);
  std::size_t k = 0;
  for (double h : StabilityCheck::TakenHinges(beam_)) {
    for (; k < supports.size() && supports[k].x < h - tolerance; ++k) nodes_.push_back(supports[k]);
    if (k < supports.size() && supports[k].x <= h + tolerance) {
      supports[k].released = true;
      events_.push_back({supports[k].x});
    } else {
      Node hinge{h};
      hinge.released = true;
      nodes_.push_back(hinge);
      events_.push_back({h});
    }
  }
  for (; k < supports.size(); ++k) nodes_.push_back(supports[k]);
}

// A change of E I between two carrying supports is a free node. One that
// nearly meets another node is moved onto it: an element far shorter than
// its neighbours would make the equations ill-conditioned, and the move is
// far below anything a section's dimensions mean.
void SpanModel::PlaceNodes() {
  const double tolerance = StabilityCheck::Tolerance(beam_);
  PlaceSupports();
  PlaceHinges(tolerance);
  std::vector<double>& breaks = stiffness_.Breaks();
  if (breaks.empty()) return;
  std::vector<Node> held;
  held.swap(nodes_);
  std::size_t k = 0;
  for (double& b : breaks) {
    for (; k < held.size() && held[k].x <= b + tolerance; ++k) {
      if (std::abs(held[k].x - b) <= tolerance) b = held[k].x;
      nodes_.push_back(held[k]);
    }
    if (k == 0 || k == held.size()) continue;  // on an overhang: no node
    if (b - nodes_.back().x <= tolerance)
      b = nodes_.back().x;
    else
      nodes_.push_back({b});
  }
  for (; k < held.size(); ++k) nodes_.push_back(held[k]);
  for (double b : breaks) events_.push_back({b});
}

// Each side of a hinge turns on its own: the rotation left of a node is
// that of the element ending there, the one right of it that of the
// element starting there.
std::vector<NodeState> SpanModel::NodeStates() const {
  std::vector<NodeState> states(n_);
  for (std::size_t j = 0; j < n_; ++j) {
    double left = displacement_[2 * j + 1], right = left;
    if (nodes_[j].released) {
      if (j > 0) left = spans_[j - 1].ends[3];
      if (j + 1 < n_) right = spans_[j].ends[1];
    }
    states[j] = {NodeX(j), displacement_[2 * j], right, nodes_[j].support != Node::NoSupport, left};
  }
  return states;
}

void SpanModel::AddHinges(const std::vector<NodeState>& states) {
  for (std::size_t j = 0; j < n_; ++j)
    if (nodes_[j].released) results_.hinges.push_back({states[j].x, states[j].thetaLeft, states[j].theta});
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
    spans_[region - 1].AddPoint(NodeX(region) - left, x - left, p);
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

// A couple on an overhang goes to its end node, one inside a span to the
// span's fixed-end actions. One right at a hinge acts on the part right of
// it (left of it at the beam's end), as a couple must act on one side.
void SpanModel::ApplyMoments() {
  for (const auto& m : beam_.moments) {
    if (!(m.x >= 0 && m.x <= beam_.length)) continue;
    if (end_ > start_) loadScale_ += std::abs(m.m) / (end_ - start_);
    events_.push_back({m.x, 0, m.m});
    const std::size_t k = RegionOf(m.x);
    auto element = [&](std::size_t i, double at) {
      spans_[i].AddCouple(NodeX(i + 1) - NodeX(i), at - NodeX(i), m.m);
    };
    if (k < n_ && NodeX(k) == m.x && nodes_[k].released)
      element(k + 1 < n_ ? k : k - 1, m.x);
    else if (k < n_ && NodeX(k) == m.x)
      nodes_[k].couple += m.m;
    else if (k == 0 || k == n_)
      nodes_[k == 0 ? 0 : n_ - 1].couple += m.m;
    else
      element(k - 1, m.x);
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
// band of half-width 3. A held unknown keeps a row of its own with d at its
// prescribed value, which moves to the right-hand side of the others; the
// rotation of a hinge is condensed out of the elements at its sides.
void SpanModel::SolveNodes() {
  const std::size_t dofs = 2 * n_;
  BandMatrix K(dofs);
  std::vector<double> rhs(dofs, 0.0), value(dofs, 0.0);
  std::vector<bool> held(dofs);
  for (std::size_t j = 0; j < n_; ++j) {
    const Node& node = nodes_[j];
    held[2 * j] = node.holdsDeflection;
    held[2 * j + 1] = node.holdsRotation || node.released;
    value[2 * j] = node.holdsDeflection ? node.base : 0;
    rhs[2 * j] = node.spring * node.base - node.force;
    rhs[2 * j + 1] = node.couple;
    if (!held[2 * j]) K.Add(2 * j, 2 * j, node.spring);
    if (!held[2 * j + 1]) K.Add(2 * j + 1, 2 * j + 1, node.rotationalSpring);
    if (j + 1 < n_) spans_[j].releasedLeft = node.released;
    if (j > 0) spans_[j - 1].releasedRight = node.released;
  }
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    double k[4][4], fixed[4];
    spans_[i].Stiffness(NodeX(i + 1) - NodeX(i), k, fixed);
    for (std::size_t a = 0; a < 4; ++a) {
      const std::size_t r = 2 * i + a;
      if (held[r]) continue;
      rhs[r] -= fixed[a];
      for (std::size_t b = 0; b < 4; ++b) {
        const std::size_t c = 2 * i + b;
        if (held[c])
          rhs[r] -= k[a][b] * value[c];
        else if (b >= a)
          K.Add(r, c, k[a][b]);
      }
    }
  }
  for (std::size_t r = 0; r < dofs; ++r)
    if (held[r]) K.Add(r, r, 1), rhs[r] = value[r];
  displacement_ = K.Solve(std::move(rhs));
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    for (std::size_t a = 0; a < 4; ++a) spans_[i].ends[a] = displacement_[2 * i + a];
    spans_[i].FindReleasedRotations(NodeX(i + 1) - NodeX(i));
  }
}

// The end couples of every element from the stiffness relation; the
// reactions from the equilibrium of each stretch between two supports as
// one body, never of a single element, which may be very short beside a
// change of section and would magnify the rounding of its couples.
void SpanModel::FindEndActions() {
  std::vector<double> endMoments(n_, 0.0), endForces(n_, 0.0);
  for (std::size_t j = 0; j < n_; ++j) endForces[j] = nodes_[j].force;
  std::size_t first = 0;  // the node where the current stretch starts
  double load = 0, loadMoment = 0, firstMoment = 0;
  for (std::size_t i = 0; i + 1 < n_; ++i) {
    const double L = NodeX(i + 1) - NodeX(i);
    const double ml = spans_[i].LeftCouple(L), mr = spans_[i].RightCouple(L);
    endMoments[i] += ml;
    endMoments[i + 1] += mr;
    const double offset = NodeX(i) - NodeX(first);
    if (i == first) {
      firstMoment = ml, load = 0, loadMoment = 0;
    } else {  // a load right at a change of section or a hinge
      load += nodes_[i].force, loadMoment += nodes_[i].force * offset - nodes_[i].couple;
    }
    load += spans_[i].load;
    loadMoment += spans_[i].loadMoment + spans_[i].load * offset;
    if (nodes_[i + 1].support == Node::NoSupport) continue;
    const double right = (loadMoment - firstMoment - mr) / (NodeX(i + 1) - NodeX(first));
    endForces[first] += load - right;
    endForces[i + 1] += right;
    first = i + 1;
  }
  // What is zero by nature should read as zero, not as rounding noise.
  double scale = loadScale_;
  for (std::size_t j = 0; j < n_; ++j)
    if (nodes_[j].support != Node::NoSupport) scale += std::abs(endForces[j]);
  const double noise = 1e-12 * scale;
  const bool elastic = !beam_.stiffness.empty();
  for (std::size_t j = 0; j < n_; ++j) {
    if (nodes_[j].support == Node::NoSupport) continue;
    auto& s = results_.supports[nodes_[j].support];
    s.reaction = endForces[j];
    if (nodes_[j].vice) s.moment = endMoments[j] - nodes_[j].couple;
    if (std::abs(s.reaction) <= noise) s.reaction = 0;
    if (std::abs(s.moment) <= noise * (end_ - start_)) s.moment = 0;
    if (elastic && displacement_[2 * j] != 0) s.deflection = -displacement_[2 * j];
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

}  // namespace trevan
