// The analysis against numbers obtained without it: hand-derived statically
// determinate beams, a small exact stiffness calculation, equilibrium and
// independence from the distance scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "RecordingMessages.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

struct Force {
  double x, f;
};
struct Load {
  double x1, x2, f1, f2;
};
struct Support {
  double x;
  TSupportType type;
};
struct BeamCase {
  std::string name;
  double length;
  std::vector<Support> supports;
  std::vector<Force> forces;
  std::vector<Load> loads;
};

// Analyses a beam at one distance scale; answers the reported maximum.
class Analysed {
 public:
  Analysed(const BeamCase& c, double distanceScale = 0.04) {
    SetApplicationMetric(true);
    window.NewBeam(c.length);
    window.SetScales(250, 500, distanceScale);
    TTrevanDoc& beam = *window.beam();
    for (const Support& s : c.supports) beam.InsertSupport(s.x, s.type);
    for (const Force& f : c.forces) beam.Charges.push_back(std::make_shared<charge>(f.x, f.f, &window));
    for (const Load& l : c.loads)
      beam.DistrCharges.push_back(std::make_shared<distrcharge>(l.x1, l.x2, l.f1, l.f2, &window));
    window.Recalculate();
  }
  double MaxMoment() { return window.analysis()->ReportedMaxMoment; }
  double ReactionAt(double x) {
    for (const element* e = window.beam()->FirstSupport(); e; e = e->Next.get())
      if (e->X1 == x) return e->Reaction();
    ADD_FAILURE() << "no support at " << x;
    return NAN;
  }
  double Column(double x, bool shear) {
    const auto i = static_cast<std::size_t>(std::lround(x / window.DistanceScale()));
    return shear ? window.ShearColumns()[i] : window.MomentColumns()[i];
  }

  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

double TotalLoad(const BeamCase& c) {
  double sum = 0;
  for (const Force& f : c.forces) sum += f.f;
  for (const Load& l : c.loads) sum += (l.f1 + l.f2) / 2 * (l.x2 - l.x1);
  return sum;
}

// ---------------------------------------------------------------------------
// Beams of the issue, each with reactions and a largest moment worked out by
// hand (statics; the propped and continuous ones by the textbook formulas).
struct HandCase {
  BeamCase beam;
  std::vector<double> reactions;  // in support order
  double maxMoment;
  double momentTolerance;
};

std::vector<HandCase> HandCases() {
  std::vector<HandCase> cases;
  {
    // A partial load inside a span: W = 3100 N at 4.45 m; span 0.8 .. 8.
    const double w = 1000, W = 3100, L = 7.2, a = 2.9 - 0.8;
    const double right = W * (4.45 - 0.8) / L, left = W - right;
    // Shear vanishes left / w past the load's start.
    const double m = left * (a + left / w) - w * (left / w) * (left / w) / 2;
    cases.push_back({{"PartialLoadInASpan", 9, {{0.8, ftHinge}, {8, ftHinge}}, {}, {{2.9, 6, w, w}}},
                     {left, right},
                     m,
                     1});
  }
  // A force in the first column of a span: 1000 N at 0.02 m of a 10 m span.
  cases.push_back({{"ForceInTheFirstColumn", 10, {{0, ftHinge}, {10, ftHinge}}, {{0.02, 1000}}, {}},
                   {998, 2},
                   998 * 0.02,
                   2 * 0.02 + 0.01});
  // A force at the free end of a cantilever held at 4 m.
  cases.push_back({{"ForceAtTheFreeEnd", 10, {{4, ftVice}}, {{0, 1000}}, {}}, {1000}, 4000, 1e-6});
  // A force right on the middle support goes into it and bends nothing.
  cases.push_back(
      {{"ForceOnTheMiddleSupport", 10, {{0, ftHinge}, {5, ftHinge}, {10, ftHinge}}, {{5, 1000}}, {}},
       {0, 1000, 0},
       0,
       1});
  // The beam's last column holds the vice: 1000 N at 0 on a 1.12 m beam.
  cases.push_back({{"ViceInTheLastColumn", 1.12, {{1.12, ftVice}}, {{0, 1000}}, {}}, {1000}, 1120, 1e-6});
  {
    // An overhang of 5 m under 200 N/m beyond a 5 m span: wa²/2 = 2500.
    const double w = 200, a = 5, L = 5, M = w * a * a / 2;
    cases.push_back({{"OverhangUniformLoad", 10, {{0, ftHinge}, {5, ftHinge}}, {}, {{5, 10, w, w}}},
                     {-M / L, w * a + M / L},
                     M,
                     1});
  }
  {
    // A triangular load rising to 1000 N/m over a 6 m simple span: the
    // reactions are W/3 and 2W/3 and the largest moment wL²/(9√3).
    const double w = 1000, L = 6, W = w * L / 2;
    cases.push_back({{"TriangularSimpleSpan", 6, {{0, ftHinge}, {6, ftRoll}}, {}, {{0, 6, 0, w}}},
                     {W / 3, 2 * W / 3},
                     w * L * L / (9 * std::sqrt(3.0)),
                     1});
  }
  {
    // The same triangle on a cantilever: root moment W · 2L/3.
    const double w = 1000, L = 6, W = w * L / 2;
    cases.push_back(
        {{"TriangularCantilever", 6, {{0, ftVice}}, {}, {{0, 6, 0, w}}}, {W}, W * 2 * L / 3, 1e-6});
  }
  // A support of type none is not there: wL/2 each and wL²/8 at midspan.
  cases.push_back(
      {{"NoneSupportMidSpan", 10, {{0, ftHinge}, {5, ftNone}, {10, ftHinge}}, {}, {{0, 10, 1000, 1000}}},
       {5000, 0, 5000},
       1000 * 10 * 10 / 8.0,
       1});
  {
    // 1000 N on the overhang 1 m past a 6 m span that holds a none support:
    // the far hinge pulls down F·1/6, the near one takes F·7/6.
    const double F = 1000;
    cases.push_back(
        {{"OverhangPastANoneSupport", 10, {{0, ftHinge}, {5, ftNone}, {6, ftHinge}}, {{7, F}}, {}},
         {-F / 6, 0, F * 7 / 6},
         F * 1,
         1});
  }
  // A none support on a cantilever's free part: the force still reaches the vice.
  cases.push_back({{"CantileverPastANoneSupport", 10, {{4, ftNone}, {10, ftVice}}, {{0, 1000}}, {}},
                   {0, 1000},
                   10000,
                   1e-6});
  return cases;
}

class HandValueTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandValueTest, ReactionsAndLargestMomentMatchTheHandValues) {
  const HandCase& c = GetParam();
  Analysed a(c.beam);
  double sum = 0;
  for (std::size_t i = 0; i < c.reactions.size(); ++i) {
    const double r = a.ReactionAt(c.beam.supports[i].x);
    EXPECT_NEAR(r, c.reactions[i], 0.05) << "support at " << c.beam.supports[i].x;
    sum += r;
  }
  EXPECT_NEAR(sum, TotalLoad(c.beam), 1e-6);
  EXPECT_NEAR(a.MaxMoment(), c.maxMoment, c.momentTolerance);
}

INSTANTIATE_TEST_SUITE_P(Issue, HandValueTest, ::testing::ValuesIn(HandCases()),
                         [](const auto& info) { return info.param.beam.name; });

// A load in a span's first column shapes the whole span; before the mend
// the shear stayed at the left reaction over the span.
TEST(AnalysisColumnsTest, ALoadInTheFirstColumnReachesTheDiagrams) {
  Analysed a(HandCases()[1].beam);
  EXPECT_NEAR(a.Column(0, true), -998, 0.05);
  EXPECT_NEAR(a.Column(5, true), 2, 0.05);
  EXPECT_NEAR(a.Column(5, false), -2 * 5, 0.1) << "the sag falls linearly to the far support";

  Analysed cantilever(HandCases()[2].beam);
  EXPECT_NEAR(cantilever.Column(2, false), 2000, 1e-6);
  EXPECT_NEAR(cantilever.Column(2, true), 1000, 1e-6);
}

// ---------------------------------------------------------------------------
// An exact solution by the stiffness method (EI = 1), nodes at every support,
// force and load end: reaction forces, clamp couples, and the diagram moment
// from them by statics.
class StiffnessSolution {
 public:
  explicit StiffnessSolution(const BeamCase& c) : c_(c) {
    std::vector<double> xs{0, c.length};
    for (const Support& s : c.supports) xs.push_back(s.x);
    for (const Force& f : c.forces) xs.push_back(f.x);
    for (const Load& l : c.loads) xs.insert(xs.end(), {l.x1, l.x2});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    const std::size_t n = 2 * xs.size();
    std::vector<std::vector<double>> K(n, std::vector<double>(n, 0));
    std::vector<double> f(n, 0);  // v upward, θ counter-clockwise
    auto nodeOf = [&](double x) {
      return static_cast<std::size_t>(std::find(xs.begin(), xs.end(), x) - xs.begin());
    };
    for (const Force& p : c.forces) f[2 * nodeOf(p.x)] -= p.f;
    for (std::size_t e = 0; e + 1 < xs.size(); ++e) {
      const double h = xs[e + 1] - xs[e];
      const double k[4][4] = {{12, 6 * h, -12, 6 * h},
                              {6 * h, 4 * h * h, -6 * h, 2 * h * h},
                              {-12, -6 * h, 12, -6 * h},
                              {6 * h, 2 * h * h, -6 * h, 4 * h * h}};
      for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) K[2 * e + i][2 * e + j] += k[i][j] / (h * h * h);
      // Consistent nodal loads of the linear load over the element (q upward).
      double q1 = 0, q2 = 0;
      for (const Load& l : c.loads)
        if (l.x1 <= xs[e] && xs[e + 1] <= l.x2) {
          q1 -= l.f1 + (l.f2 - l.f1) * (xs[e] - l.x1) / (l.x2 - l.x1);
          q2 -= l.f1 + (l.f2 - l.f1) * (xs[e + 1] - l.x1) / (l.x2 - l.x1);
        }
      f[2 * e] += h * (7 * q1 + 3 * q2) / 20;
      f[2 * e + 1] += h * h * (3 * q1 + 2 * q2) / 60;
      f[2 * e + 2] += h * (3 * q1 + 7 * q2) / 20;
      f[2 * e + 3] -= h * h * (2 * q1 + 3 * q2) / 60;
    }
    std::vector<bool> fixed(n, false);
    for (const Support& s : c.supports) {
      fixed[2 * nodeOf(s.x)] = s.type != ftNone;
      fixed[2 * nodeOf(s.x) + 1] = s.type == ftVice;
    }
    // Gaussian elimination on the free degrees of freedom.
    std::vector<std::size_t> free;
    for (std::size_t i = 0; i < n; ++i)
      if (!fixed[i]) free.push_back(i);
    const std::size_t m = free.size();
    std::vector<std::vector<double>> A(m, std::vector<double>(m + 1));
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t j = 0; j < m; ++j) A[i][j] = K[free[i]][free[j]];
      A[i][m] = f[free[i]];
    }
    for (std::size_t col = 0; col < m; ++col) {
      std::size_t pivot = col;
      for (std::size_t r = col; r < m; ++r)
        if (std::fabs(A[r][col]) > std::fabs(A[pivot][col])) pivot = r;
      std::swap(A[col], A[pivot]);
      for (std::size_t r = 0; r < m; ++r)
        if (r != col) {
          const double factor = A[r][col] / A[col][col];
          for (std::size_t j = col; j <= m; ++j) A[r][j] -= factor * A[col][j];
        }
    }
    std::vector<double> u(n, 0);
    for (std::size_t i = 0; i < m; ++i) u[free[i]] = A[i][m] / A[i][i];
    for (const Support& s : c.supports) {
      const std::size_t d = 2 * nodeOf(s.x);
      double force = -f[d], couple = -f[d + 1];
      for (std::size_t j = 0; j < n; ++j) {
        force += K[d][j] * u[j];
        couple += K[d + 1][j] * u[j];
      }
      reactions_.push_back(s.type == ftNone ? 0 : force);
      couples_.push_back(s.type == ftVice ? couple : 0);
    }
  }

  double Reaction(std::size_t i) const { return reactions_[i]; }

  // The diagram moment (hogging positive) just right of x, by statics of
  // everything left of x.
  double MomentAt(double x) const {
    double m = 0;
    for (const Force& p : c_.forces)
      if (p.x <= x) m += p.f * (x - p.x);
    for (const Load& l : c_.loads) {
      const double v = std::min(x, l.x2);
      if (!(v > l.x1)) continue;
      const double wv = l.f1 + (l.f2 - l.f1) * (v - l.x1) / (l.x2 - l.x1), h = v - l.x1;
      const double weight = (l.f1 + wv) / 2 * h;
      m += (x - l.x1) * weight - h * h * (l.f1 / 2 + (wv - l.f1) / 3);
    }
    for (std::size_t i = 0; i < c_.supports.size(); ++i)
      if (c_.supports[i].x <= x) m += couples_[i] - reactions_[i] * (x - c_.supports[i].x);
    return m;
  }

  double MaxMoment() const {
    double best = 0;
    for (double x = 0; x <= c_.length + 1e-9; x += 0.001) best = std::max(best, std::fabs(MomentAt(x)));
    for (const Support& s : c_.supports) {
      best = std::max(best, std::fabs(MomentAt(s.x)));
      best = std::max(best, std::fabs(MomentAt(s.x - 1e-9)));
    }
    return best;
  }

 private:
  const BeamCase& c_;
  std::vector<double> reactions_, couples_;
};

TEST(StiffnessCheckTest, TheCheckItselfGivesTextbookValues) {
  // Propped cantilever under a uniform load: 5wL/8, 3wL/8 and wL²/8.
  const BeamCase c{"Propped", 8, {{0, ftVice}, {8, ftHinge}}, {}, {{0, 8, 2000, 2000}}};
  const StiffnessSolution exact(c);
  EXPECT_NEAR(exact.Reaction(0), 5 * 2000 * 8 / 8.0, 1e-6);
  EXPECT_NEAR(exact.Reaction(1), 3 * 2000 * 8 / 8.0, 1e-6);
  EXPECT_NEAR(exact.MaxMoment(), 2000 * 64 / 8.0, 1e-6);
}

// Random beams as the mouse places them: every position on a column.
BeamCase RandomBeam(std::mt19937& random, double grid, bool withNone) {
  std::uniform_int_distribution<int> pick(0, 1 << 30);
  BeamCase c;
  const int cells = 100 + pick(random) % 400;  // 4 .. 20 m at 0.04
  c.length = cells * grid;
  auto at = [&] { return (pick(random) % (cells + 1)) * grid; };
  const TSupportType types[] = {ftHinge, ftRoll, ftVice, ftNone};
  std::vector<double> used;
  for (int i = 0, n = 1 + pick(random) % 4; i < n; ++i) {
    const double x = at();
    if (std::find(used.begin(), used.end(), x) != used.end()) continue;
    used.push_back(x);
    c.supports.push_back({x, types[pick(random) % (withNone ? 4 : 3)]});
  }
  std::sort(c.supports.begin(), c.supports.end(), [](auto& a, auto& b) { return a.x < b.x; });
  for (int i = 0, n = pick(random) % 4; i < n; ++i)
    c.forces.push_back({at(), 100.0 * (1 + pick(random) % 50)});
  for (int i = 0, n = pick(random) % 3; i < n; ++i) {
    double a = at(), b = at();
    if (a == b) continue;
    if (a > b) std::swap(a, b);
    c.loads.push_back({a, b, 100.0 * (pick(random) % 20), 100.0 * (pick(random) % 20)});
  }
  return c;
}

bool Stands(const BeamCase& c) {
  int pinned = 0;
  for (const Support& s : c.supports) {
    if (s.type == ftVice) return true;
    if (s.type == ftHinge || s.type == ftRoll) ++pinned;
  }
  return pinned >= 2;
}

// The reactions balance the load, and agree with the exact solution; so
// does the largest moment.
TEST(RandomBeamTest, ReactionsAndMomentsAgreeWithTheStiffnessMethod) {
  std::mt19937 random(20261208);
  int checked = 0;
  while (checked < 120) {
    const BeamCase c = RandomBeam(random, 0.04, false);
    if (!Stands(c)) continue;
    ++checked;
    const std::string trial = "beam " + std::to_string(checked);
    Analysed a(c);
    const StiffnessSolution exact(c);
    double sum = 0, largest = 1;
    for (std::size_t i = 0; i < c.supports.size(); ++i)
      largest = std::max(largest, std::fabs(exact.Reaction(i)));
    for (std::size_t i = 0; i < c.supports.size(); ++i) {
      const double r = a.ReactionAt(c.supports[i].x);
      sum += r;
      EXPECT_NEAR(r, exact.Reaction(i), 0.005 * std::fabs(exact.Reaction(i)) + 1e-3 * largest)
          << trial << " support at " << c.supports[i].x;
    }
    EXPECT_NEAR(sum, TotalLoad(c), 1e-6 * (1 + TotalLoad(c))) << trial;
    const double m = exact.MaxMoment();
    EXPECT_NEAR(a.MaxMoment(), m, 0.01 * m + 1) << trial;
  }
}

// The largest moment must not depend on the zoom when the loads sit on columns.
TEST(RandomBeamTest, LargestMomentIsTheSameAtEveryDistanceScale) {
  std::vector<BeamCase> beams;
  for (const HandCase& h : HandCases())
    if (h.beam.name == "OverhangUniformLoad" || h.beam.name == "TriangularSimpleSpan" ||
        h.beam.name == "TriangularCantilever" || h.beam.name == "ForceOnTheMiddleSupport")
      beams.push_back(h.beam);
  std::mt19937 random(5);
  while (beams.size() < 30) {
    BeamCase c = RandomBeam(random, 0.2, false);
    if (Stands(c)) beams.push_back(c);
  }
  for (const BeamCase& c : beams) {
    std::vector<double> maxima;
    for (double ds : {0.0025, 0.01, 0.04, 0.1, 0.2}) maxima.push_back(Analysed(c, ds).MaxMoment());
    const auto [lo, hi] = std::minmax_element(maxima.begin(), maxima.end());
    EXPECT_LE(*hi - *lo, 0.005 * *hi + 0.5) << c.name << " from " << *lo << " to " << *hi;
  }
}

// ---------------------------------------------------------------------------
// Stability: no vice and fewer than two hinges or rolls.
TEST(StabilityTest, AnUnstableLoadedBeamShowsNoResults) {
  struct Row {
    const char* name;
    std::vector<Support> supports;
    bool loaded, stable;
  };
  const Row rows[] = {
      {"one hinge", {{0, ftHinge}}, true, false},
      {"two of type none", {{0, ftNone}, {10, ftNone}}, true, false},
      {"hinge and none", {{0, ftHinge}, {10, ftNone}}, true, false},
      {"one roll, unloaded", {{0, ftRoll}}, false, false},
      {"hinge and roll", {{0, ftHinge}, {10, ftRoll}}, true, true},
      {"vice", {{5, ftVice}}, true, true},
  };
  for (const Row& row : rows) {
    BeamCase c{row.name, 10, row.supports, {}, {}};
    if (row.loaded) c.forces.push_back({3, 10000});
    Analysed a(c);
    const TTrevanDoc& beam = *a.window.beam();
    EXPECT_EQ(beam.IsStable(), row.stable) << row.name;
    if (!row.stable) {
      for (const Support& s : row.supports) EXPECT_EQ(a.ReactionAt(s.x), 0) << row.name;
      for (double v : a.window.MomentColumns()) ASSERT_EQ(v, 0) << row.name;
      for (double v : a.window.ShearColumns()) ASSERT_EQ(v, 0) << row.name;
    }
    const std::string status = a.window.MaxMomentText();
    if (!row.stable && row.loaded)
      EXPECT_EQ(status, "Unstable: add a vice or two supports") << row.name;
    else
      EXPECT_EQ(status.substr(0, 13), "Max. moment :") << row.name;
  }
}

// ---------------------------------------------------------------------------
// A support of type none carries nothing: the beam runs on across it as if
// it were not there, and the analysis must say the same as for the beam
// without it.
BeamCase WithoutNoneSupports(BeamCase c) {
  std::erase_if(c.supports, [](const Support& s) { return s.type == ftNone; });
  return c;
}

// Compares the beam with its none supports to the same beam without them:
// reactions, the largest moment and every diagram column.
void ExpectSameAsWithoutNone(const BeamCase& c, const std::string& trial) {
  Analysed with(c), without(WithoutNoneSupports(c));
  double scale = 1;
  for (double v : without.window.MomentColumns()) scale = std::max(scale, std::fabs(v));
  for (double v : without.window.ShearColumns()) scale = std::max(scale, std::fabs(v));
  const double tolerance = 1e-9 * scale;
  for (const Support& s : c.supports) {
    const double r = with.ReactionAt(s.x);
    if (s.type == ftNone)
      EXPECT_EQ(r, 0) << trial << ": none support at " << s.x;
    else
      EXPECT_NEAR(r, without.ReactionAt(s.x), tolerance) << trial << ": support at " << s.x;
  }
  EXPECT_NEAR(with.MaxMoment(), without.MaxMoment(), tolerance) << trial;
  ASSERT_EQ(with.window.ColumnCount(), without.window.ColumnCount()) << trial;
  for (int i = 0; i < with.window.ColumnCount(); ++i) {
    const double dv = std::fabs(with.window.ShearColumns()[i] - without.window.ShearColumns()[i]);
    const double dm = std::fabs(with.window.MomentColumns()[i] - without.window.MomentColumns()[i]);
    if (dv > tolerance || dm > tolerance) {
      ADD_FAILURE() << trial << ": column " << i << " shear " << with.window.ShearColumns()[i] << " vs "
                    << without.window.ShearColumns()[i] << ", moment " << with.window.MomentColumns()[i]
                    << " vs " << without.window.MomentColumns()[i];
      return;  // one column names the fault; the rest would only repeat it
    }
  }
}

TEST(NoneSupportTest, ABeamWithNoneSupportsAnalysesAsTheBeamWithoutThem) {
  const std::vector<Load> udl{{0, 12, 1000, 1000}};
  const std::vector<Force> forces{{0, 800}, {3.2, 1500}, {7.4, 600}, {12, 400}};
  const BeamCase rows[] = {
      {"inside a span", 12, {{0, ftHinge}, {5, ftNone}, {12, ftRoll}}, forces, udl},
      {"several in a row",
       12,
       {{0, ftHinge}, {2, ftNone}, {3.2, ftNone}, {9, ftNone}, {12, ftHinge}},
       forces,
       udl},
      {"inside an inner span",
       12,
       {{0, ftHinge}, {4, ftHinge}, {6, ftNone}, {8, ftRoll}, {12, ftHinge}},
       forces,
       udl},
      {"on the left overhang", 12, {{1, ftNone}, {3, ftHinge}, {10, ftHinge}}, forces, udl},
      {"on the right overhang", 12, {{2, ftHinge}, {8, ftHinge}, {10, ftNone}, {11.6, ftNone}}, forces, udl},
      {"at both beam ends", 12, {{0, ftNone}, {3, ftHinge}, {9, ftHinge}, {12, ftNone}}, forces, udl},
      {"next to a vice, on its free side", 12, {{2, ftNone}, {6, ftVice}, {9, ftNone}}, forces, udl},
      {"between a vice and a hinge",
       12,
       {{0, ftVice}, {1, ftNone}, {11, ftNone}, {12, ftHinge}},
       forces,
       udl},
      {"between two vices", 12, {{2, ftVice}, {6, ftNone}, {10, ftVice}}, forces, udl},
      {"under a force", 12, {{0, ftHinge}, {3.2, ftNone}, {12, ftHinge}}, forces, udl},
      {"where a load starts", 12, {{0, ftHinge}, {4, ftNone}, {12, ftHinge}}, {}, {{4, 9, 0, 2000}}},
      {"only a load past it", 12, {{0, ftHinge}, {5, ftNone}, {6, ftHinge}}, {}, {{8, 12, 500, 500}}},
  };
  for (const BeamCase& row : rows) {
    ExpectSameAsWithoutNone(row, row.name);
    // And both against the exact solution, which knows nothing of spans.
    Analysed a(row);
    const StiffnessSolution exact(row);
    for (std::size_t i = 0; i < row.supports.size(); ++i)
      EXPECT_NEAR(a.ReactionAt(row.supports[i].x), exact.Reaction(i), 0.05) << row.name;
    EXPECT_NEAR(a.MaxMoment(), exact.MaxMoment(), 0.01 * exact.MaxMoment() + 1) << row.name;
  }
}

// The step-by-step trace sweeps the same spans as the synchronous run: it
// steps over none supports and ends on the same numbers.
TEST(NoneSupportTest, TheTraceGivesWhatTheSynchronousRunGives) {
  const BeamCase c{"trace",
                   12,
                   {{0, ftHinge}, {3, ftNone}, {6, ftRoll}, {8, ftNone}, {12, ftHinge}},
                   {{4, 900}},
                   {{0, 12, 700, 700}}};
  Analysed sync(c), traced(c);
  calc& steps = *traced.window.analysis();
  steps.Reset();
  traced.window.beam()->ComputeSegmentEnds();
  int spans = 0;
  do {
    ASSERT_TRUE(steps.Step());
    ++spans;
  } while (steps.Current);
  EXPECT_EQ(spans, 4) << "spans start at the chain's start and the three held supports, not at none supports";
  steps.RunStepByStep();
  for (double x : {0.0, 3.0, 6.0, 8.0, 12.0})
    EXPECT_NEAR(traced.ReactionAt(x), sync.ReactionAt(x), 1e-9) << x;
  for (int i = 0; i < sync.window.ColumnCount(); ++i)
    ASSERT_NEAR(traced.window.MomentColumns()[i], sync.window.MomentColumns()[i], 1e-6) << "column " << i;
}

// Random beams as the mouse places them, none supports among the others.
TEST(NoneSupportTest, RandomBeamsWithNoneSupportsAgreeWithTheBeamsWithoutThem) {
  std::mt19937 random(77);
  int checked = 0, withNone = 0;
  while (checked < 120) {
    BeamCase c = RandomBeam(random, 0.04, true);
    // Two more none supports, anywhere on the columns, so most beams have some.
    for (int i = 0; i < 2; ++i) {
      const double x = static_cast<int>(random() % static_cast<unsigned>(c.length / 0.04 + 1)) * 0.04;
      if (std::none_of(c.supports.begin(), c.supports.end(), [&](const Support& s) { return s.x == x; }))
        c.supports.push_back({x, ftNone});
    }
    std::sort(c.supports.begin(), c.supports.end(), [](auto& a, auto& b) { return a.x < b.x; });
    if (!Stands(c)) continue;
    ++checked;
    const std::string trial = "beam " + std::to_string(checked);
    withNone += std::any_of(c.supports.begin(), c.supports.end(), [](auto& s) { return s.type == ftNone; });
    ExpectSameAsWithoutNone(c, trial);
    Analysed a(c);
    const StiffnessSolution exact(c);
    double largest = 1;
    for (std::size_t i = 0; i < c.supports.size(); ++i)
      largest = std::max(largest, std::fabs(exact.Reaction(i)));
    for (std::size_t i = 0; i < c.supports.size(); ++i)
      EXPECT_NEAR(a.ReactionAt(c.supports[i].x), exact.Reaction(i),
                  0.005 * std::fabs(exact.Reaction(i)) + 1e-3 * largest)
          << trial << " support at " << c.supports[i].x;
    const double m = exact.MaxMoment();
    EXPECT_NEAR(a.MaxMoment(), m, 0.01 * m + 1) << trial;
  }
  EXPECT_GT(withNone, 100);
}

}  // namespace
}  // namespace trevan
