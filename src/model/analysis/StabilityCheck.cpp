#include "analysis/StabilityCheck.h"

#include <algorithm>
#include <cmath>

#include "analysis/ExactResults.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {

double StartOf(const ExactBeam& beam) {
  return std::min(0.0, beam.supports.empty() ? 0.0 : beam.supports.front().x);
}
double EndOf(const ExactBeam& beam) {
  return std::max(beam.length, beam.supports.empty() ? 0.0 : beam.supports.back().x);
}

}  // namespace

double StabilityCheck::Tolerance(const ExactBeam& beam) { return 1e-7 * (EndOf(beam) - StartOf(beam)); }

std::vector<double> StabilityCheck::TakenHinges(const ExactBeam& beam) {
  const double start = StartOf(beam), end = EndOf(beam), tolerance = Tolerance(beam);
  std::vector<double> taken;
  for (double h : beam.hinges) {
    if (!(h > start + tolerance && h < end - tolerance)) continue;
    // The supports ascend: only those within the tolerance need a look.
    auto near = std::lower_bound(beam.supports.begin(), beam.supports.end(), h - tolerance,
                                 [](const ExactBeam::Support& s, double x) { return s.x < x; });
    bool atVice = false;
    for (; near != beam.supports.end() && near->x <= h + tolerance; ++near)
      atVice = atVice || near->type == ftVice;
    if (!atVice && (taken.empty() || h - taken.back() > tolerance)) taken.push_back(h);
  }
  return taken;
}

int StabilityCheck::Part::Rank() const {
  if (inner.size() >= 2 || (vice && !inner.empty())) return 2;
  return vice || !inner.empty() ? 1 : 0;
}

StabilityCheck::StabilityCheck(const ExactBeam& beam) : unit_(beam.lengthUnit) {
  const double tolerance = Tolerance(beam);
  joints_.push_back(StartOf(beam));
  for (double h : TakenHinges(beam)) joints_.push_back(h);
  joints_.push_back(EndOf(beam));
  parts_.resize(joints_.size() - 1);
  held_.assign(joints_.size(), false);
  std::vector<double> carrying;
  bool vice = false;
  for (const auto& s : beam.supports) {
    if (s.type == ftNone) continue;
    vice = vice || s.type == ftVice;
    if (carrying.empty() || s.x - carrying.back() > tolerance) carrying.push_back(s.x);
    // The part holding the support: the last whose left joint lies before it.
    const auto after = std::upper_bound(joints_.begin(), joints_.end(), s.x + tolerance);
    const std::size_t k = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - joints_.begin() - 1, 0));
    if (std::abs(s.x - joints_[k]) <= tolerance) {
      held_[k] = true;
    } else if (k + 1 < joints_.size() && std::abs(s.x - joints_[k + 1]) <= tolerance) {
      held_[k + 1] = true;
    } else if (k + 1 < joints_.size()) {
      Part& part = parts_[k];
      const double t = (s.x - joints_[k]) / (joints_[k + 1] - joints_[k]);
      if (part.inner.empty() || t - part.inner.back() > tolerance / (joints_[k + 1] - joints_[k]))
        part.inner.push_back(t);
    }
    if (s.type == ftVice) parts_[std::min(k, parts_.size() - 1)].vice = true;
  }
  rigidStable_ = vice || carrying.size() >= 2;
  const std::size_t n = joints_.size();
  fromLeft_.assign(n, {1, false});
  fromRight_.assign(n, {1, false});
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const Motions at = held_[k] ? fromLeft_[k].Held() : fromLeft_[k];
    fromLeft_[k + 1] = at.Across(parts_[k]);
  }
  for (std::size_t k = n; k-- > 0;) {
    if (held_[k]) fromRight_[k] = fromRight_[k].Held();
    if (k > 0) fromRight_[k - 1] = fromRight_[k].Across(parts_[k - 1]);
  }
  // A beam of no length is a point: a vice or two supports hold it.
  stable_ =
      rigidStable_ && (joints_.back() <= joints_.front() || fromLeft_[0].JoinedWith(fromRight_[0]) == 0);
}

// Holding the deflection at the joint takes away one motion, unless it is
// zero in all of them already.
StabilityCheck::Motions StabilityCheck::Motions::Held() const { return {zero ? count : count - 1, true}; }

// A part held on its own passes no motion on; one tied by a single support
// or a vice makes the next deflection a nonzero multiple of this one; a free
// one adds a motion of its own.
StabilityCheck::Motions StabilityCheck::Motions::Across(const Part& part) const {
  switch (part.Rank()) {
    case 2:
      return Held();
    case 1:
      return *this;
    default:
      return {count + 1, false};
  }
}

// Equal deflections at the joint: one condition, void when both are zero.
std::size_t StabilityCheck::Motions::JoinedWith(const Motions& other) const {
  return count + other.count - (zero && other.zero ? 0 : 1);
}

// The first hinge that some part can turn about: held still, it leaves a
// motion, and that motion moves a part at its side, so that holding the
// joints either side as well takes it away.
std::size_t StabilityCheck::HingeIndexTurning() const {
  for (std::size_t k = 1; k + 1 < joints_.size(); ++k) {
    const Motions before = fromLeft_[k - 1];
    const Motions still =
        (held_[k - 1] ? before.Held() : before).Across(parts_[k - 1]).Held().Across(parts_[k]);
    const Motions fixed = before.Held().Across(parts_[k - 1]).Held().Across(parts_[k]).Held();
    if (still.JoinedWith(fromRight_[k + 1]) > fixed.JoinedWith(fromRight_[k + 1])) return k;
  }
  return 1;  // the parts fold at every hinge at once
}

std::string StabilityCheck::Message() const {
  if (stable_) return {};
  if (!rigidStable_ || joints_.size() < 3) return ExactResults::UnstableText;
  return CFormat("Unstable: the beam can turn about the hinge at %.2f %s", joints_[HingeIndexTurning()],
                 unit_.c_str());
}

}  // namespace trevan
