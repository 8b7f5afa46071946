#include "analysis/Envelope.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "analysis/ExactSolver.h"

namespace trevan {

namespace {

constexpr int SamplesPerRegion = 24;

bool IsPermanentCase(const LoadCases& cases, std::size_t c) { return !LoadCase::IsVariable(cases.At(c).kind); }

// The exact solution of one case's loads on one region (or on the whole
// beam), or of the settlements alone.
constexpr std::size_t SettlementUnit = static_cast<std::size_t>(-1);
struct Unit {
  std::size_t loadCase;  // SettlementUnit for the settlements
  std::size_t region;
  ExactResults results;
};

// The value of each unit at one place, of one quantity.
enum Quantity { Shear, Moment, Deflection, QuantityCount };

struct Sum {
  double upper, lower;
};

class Superposition {
 public:
  Superposition(const CasedBeam& beam, bool pattern) : beam_(beam), regions_(beam.Regions()) {
    for (std::size_t c = 0; c < beam.cases.Count(); ++c) {
      const bool split = pattern && !IsPermanentCase(beam.cases, c) && beam.Patterned(c);
      patterned_.push_back(split);
      for (std::size_t r = 0; r < (split ? regions_.size() : 1); ++r) {
        ExactBeam part = beam.Part(c, split ? r : CasedBeam::WholeBeam);
        if (part.forces.empty() && part.loads.empty() && part.moments.empty()) continue;
        units_.push_back({c, split ? r : CasedBeam::WholeBeam, ExactSolver::Solve(part)});
        permanent_.push_back(IsPermanentCase(beam.cases, c));
      }
    }
    // Taken once in every combination: a settlement is no load of a case.
    if (beam.Settles()) {
      units_.push_back({SettlementUnit, CasedBeam::WholeBeam, ExactSolver::Solve(beam.Unloaded())});
      permanent_.push_back(true);
    }
  }

  const std::vector<Unit>& Units() const { return units_; }
  std::size_t RegionCount() const { return regions_.size(); }
  bool Split(std::size_t c) const { return patterned_[c]; }

  // Upper and lower value of one combination from the units' values.
  Sum Combine(const Combination& k, std::span<const double> values) const {
    Sum s{0, 0};
    for (std::size_t u = 0; u < units_.size(); ++u) {
      const std::size_t c = units_[u].loadCase;
      const double factor = c == SettlementUnit ? 1 : (c < k.factors.size() ? k.factors[c] : 0);
      const double v = factor * values[u];
      if (permanent_[u]) {
        s.upper += v, s.lower += v;
      } else {
        s.upper += std::max(v, 0.0), s.lower += std::min(v, 0.0);
      }
    }
    return s;
  }

  // The loads that give the upper (or lower) value of one combination.
  Arrangement ArrangementOf(const Combination& k, std::span<const double> values, bool upper) const {
    Arrangement a(beam_.cases.Count());
    for (std::size_t c = 0; c < a.size(); ++c) a[c].assign(patterned_[c] ? regions_.size() : 1, IsPermanentCase(beam_.cases, c));
    for (std::size_t u = 0; u < units_.size(); ++u) {
      const std::size_t c = units_[u].loadCase;
      if (c == SettlementUnit || IsPermanentCase(beam_.cases, c)) continue;
      const double v = (c < k.factors.size() ? k.factors[c] : 0) * values[u];
      a[c][patterned_[c] ? units_[u].region : 0] = upper ? v > 0 : v < 0;
    }
    return a;
  }

 private:
  const CasedBeam& beam_;
  std::vector<std::pair<double, double>> regions_;
  std::vector<bool> patterned_;
  std::vector<Unit> units_;
  std::vector<char> permanent_;  // by unit; not packed, read in the innermost loop
};

// The places the envelope is sampled at: evenly over every region, and at
// every force, load end and support, with the value just left of each.
std::vector<double> SamplePlaces(const CasedBeam& beam, const std::vector<double>& extra,
                                 std::vector<bool>& leftOf) {
  std::vector<double> jumps, even(extra);
  for (const auto& f : beam.beam.forces) jumps.push_back(f.x);
  for (const auto& m : beam.beam.moments) jumps.push_back(m.x);
  for (const auto& s : beam.beam.supports)
    if (s.type != ftNone && s.x >= 0 && s.x <= beam.beam.length) jumps.push_back(s.x);
  for (const auto& d : beam.beam.loads) even.push_back(d.x1), even.push_back(d.x2);
  for (const auto& [a, b] : beam.Regions())
    for (int i = 0; i <= SamplesPerRegion; ++i) even.push_back(a + (b - a) * i / SamplesPerRegion);
  std::sort(jumps.begin(), jumps.end());
  jumps.erase(std::unique(jumps.begin(), jumps.end()), jumps.end());
  for (double x : jumps) even.push_back(x);
  std::sort(even.begin(), even.end());
  even.erase(std::unique(even.begin(), even.end()), even.end());
  std::vector<double> places;
  leftOf.clear();
  for (double x : even) {
    if (x < 0 || x > beam.beam.length) continue;
    if (x > 0 && std::binary_search(jumps.begin(), jumps.end(), x)) {
      places.push_back(std::nextafter(x, -INFINITY));
      leftOf.push_back(true);
    }
    places.push_back(x);
    leftOf.push_back(false);
  }
  return places;
}

struct Best {
  double value = 0;
  std::size_t sample = 0, combination = 0;
  bool found = false;
  void Take(double v, std::size_t s, std::size_t k, bool larger) {
    if (!found || (larger ? v > value : v < value)) value = v, sample = s, combination = k, found = true;
  }
};

}  // namespace

ExactResults Envelope::Solve(const CasedBeam& beam, const Combination& combination, const Arrangement& arrangement) {
  // The settlements come with the supports, once.
  ExactBeam b = beam.Unloaded();
  auto add = [&](const ExactBeam& part) {
    b.forces.insert(b.forces.end(), part.forces.begin(), part.forces.end());
    b.loads.insert(b.loads.end(), part.loads.begin(), part.loads.end());
    b.moments.insert(b.moments.end(), part.moments.begin(), part.moments.end());
  };
  for (std::size_t c = 0; c < beam.cases.Count() && c < combination.factors.size(); ++c) {
    const double f = combination.factors[c];
    if (f == 0) continue;
    if (c >= arrangement.size()) {
      add(beam.Part(c, CasedBeam::WholeBeam, f));
    } else if (arrangement[c].size() == 1) {
      if (arrangement[c][0]) add(beam.Part(c, CasedBeam::WholeBeam, f));
    } else {
      for (std::size_t r = 0; r < arrangement[c].size(); ++r)
        if (arrangement[c][r]) add(beam.Part(c, r, f));
    }
  }
  return ExactSolver::Solve(b);
}

Envelope Envelope::Compute(const CasedBeam& beam, const std::vector<Combination>& all, LimitState limit,
                           bool pattern, const std::vector<double>& extraPlaces) {
  Envelope e;
  for (const auto& k : all)
    if (k.limit == limit) e.combinations.push_back(k);
  if (std::string why = ExactSolver::Instability(beam.beam); !why.empty()) {
    e.message = std::move(why);
    return e;
  }
  if (e.combinations.empty()) {
    e.message = "No combinations";
    return e;
  }
  e.solved = true;
  e.deflected = !beam.beam.stiffness.empty();
  const Superposition sup(beam, pattern);
  const auto& units = sup.Units();
  const std::size_t n = units.size();

  std::vector<bool> leftOf;
  const std::vector<double> places = SamplePlaces(beam, extraPlaces, leftOf);
  // The units' values at one place, a row a quantity. The places ascend,
  // so each unit's piece is found by walking on from the last place's, the
  // piece just right of a place as ExactResults::ShearAt takes it.
  const int quantities = e.deflected ? QuantityCount : Deflection;
  using Rows = std::vector<double>[QuantityCount];
  auto valuesAt = [&](double x, std::vector<std::size_t>& piece, Rows& rows) {
    for (int q = 0; q < quantities; ++q) rows[q].assign(n, 0.0);
    for (std::size_t u = 0; u < n; ++u) {
      const auto& pieces = units[u].results.pieces;
      std::size_t& k = piece[u];
      while (k + 1 < pieces.size() && pieces[k].x1 <= x) ++k;
      if (pieces.empty() || x < pieces.front().x0 || x > pieces.back().x1) continue;
      const ExactResults::Piece& p = pieces[k];
      rows[Shear][u] = p.Shear(x);
      rows[Moment][u] = p.Moment(x);
      if (e.deflected) rows[Deflection][u] = p.Deflection(x);
    }
  };

  Best best[QuantityCount][2];  // [quantity][0 upper, 1 lower]
  e.samples.reserve(places.size());
  std::vector<std::size_t> piece(n, 0);
  Rows rows;
  for (std::size_t s = 0; s < places.size(); ++s) {
    valuesAt(places[s], piece, rows);
    // Without a section every deflection is nought.
    double up[QuantityCount] = {}, low[QuantityCount] = {};
    for (int q = 0; q < quantities; ++q) {
      up[q] = -INFINITY, low[q] = INFINITY;
      for (std::size_t k = 0; k < e.combinations.size(); ++k) {
        const Sum sum = sup.Combine(e.combinations[k], rows[q]);
        if (sum.upper > up[q]) up[q] = sum.upper;
        if (sum.lower < low[q]) low[q] = sum.lower;
        best[q][0].Take(sum.upper, s, k, true);
        best[q][1].Take(sum.lower, s, k, false);
      }
    }
    e.samples.push_back({leftOf[s] ? std::nextafter(places[s], INFINITY) : places[s], up[Shear], low[Shear],
                         up[Moment], low[Moment], up[Deflection], low[Deflection]});
  }

  // Every extreme is that of one combination and arrangement, solved anew
  // so that a moment's peak between the samples is found exactly.
  auto governed = [&](int q, int side) {
    const Best& b = best[q][side];
    Governed g;
    g.combination = b.combination;
    std::vector<std::size_t> from(n, 0);
    Rows at;
    valuesAt(places[b.sample], from, at);
    g.arrangement = sup.ArrangementOf(e.combinations[b.combination], at[q], side == 0);
    g.value = b.value;
    g.x = e.samples[b.sample].x;
    const ExactResults r = Solve(beam, e.combinations[b.combination], g.arrangement);
    if (q == Moment) {
      const ExactResults::Extreme& m = side == 0 ? r.maxSagging : r.maxHogging;
      if (side == 0 ? m.value > g.value : m.value < g.value) g.value = m.value, g.x = m.x;
      g.coincident = r.ShearAt(g.x);
    } else if (q == Shear) {
      g.coincident = r.MomentAt(g.x);
    } else {
      for (const auto& span : r.spans) {
        const ExactResults::Extreme& d = side == 0 ? span.down : span.up;
        if (side == 0 ? d.value > g.value : d.value < g.value) g.value = d.value, g.x = d.x;
      }
    }
    return g;
  };
  e.maxShear = governed(Shear, 0);
  e.minShear = governed(Shear, 1);
  e.maxSagging = governed(Moment, 0);
  e.maxHogging = governed(Moment, 1);
  if (e.deflected) e.maxDeflection = governed(Deflection, 0), e.minDeflection = governed(Deflection, 1);

  // Each support's extremes, each of a single combination.
  const auto& supports = beam.beam.supports;
  for (std::size_t j = 0; j < supports.size(); ++j) {
    if (supports[j].type == ftNone) continue;
    std::vector<double> r(n);
    for (std::size_t u = 0; u < n; ++u) r[u] = units[u].results.supports[j].reaction;
    Reaction reaction;
    reaction.x = supports[j].x;
    Best hi, lo;
    for (std::size_t k = 0; k < e.combinations.size(); ++k) {
      const Sum sum = sup.Combine(e.combinations[k], r);
      hi.Take(sum.upper, 0, k, true);
      lo.Take(sum.lower, 0, k, false);
    }
    reaction.largest = {hi.value, reaction.x, hi.combination, sup.ArrangementOf(e.combinations[hi.combination], r, true), 0};
    reaction.smallest = {lo.value, reaction.x, lo.combination, sup.ArrangementOf(e.combinations[lo.combination], r, false), 0};
    e.reactions.push_back(std::move(reaction));
  }
  return e;
}

}  // namespace trevan
