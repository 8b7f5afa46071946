#pragma once

#include <string>
#include <vector>

#include "analysis/ExactBeam.h"

namespace trevan {

// Whether a beam's supports, springs and internal hinges leave it a
// mechanism. Elastic parts resist every motion but a rigid one, so the beam
// stands exactly when its rigid parts between hinges cannot move. Each part
// moves by the deflections at its two ends; a support ties the two in the
// ratio of its place along the part and a vice makes them equal. Only those
// ratios enter, never a length or a stiffness, so a beam is judged alike at
// every scale, and without a pivot threshold.
class StabilityCheck {
 public:
  explicit StabilityCheck(const ExactBeam& beam);

  bool Stable() const { return stable_; }
  // Empty for a stable beam, else what can move and where, for the user.
  std::string Message() const;

  // The hinges the analysis takes: strictly inside the beam and not at a
  // vice (which holds both sides alike), ascending.
  static std::vector<double> TakenHinges(const ExactBeam& beam);
  // Two joints closer than this share a node; relative, so scale-free.
  static double Tolerance(const ExactBeam& beam);

 private:
  // The rank of a part's own constraints on its two end deflections:
  // 2 holds both, 1 ties one to a nonzero multiple of the other, 0 frees them.
  struct Part {
    std::vector<double> inner;  // places of its supports strictly inside, as fractions
    bool vice = false;
    int Rank() const;
  };

  // The motions of a stretch of the chain, as seen at its last joint: how
  // many independent ones, and whether the deflection there is zero in all.
  struct Motions {
    std::size_t count;
    bool zero;
    Motions Held() const;
    Motions Across(const Part& part) const;
    // The motions of two stretches that meet at a joint, joined there.
    std::size_t JoinedWith(const Motions& other) const;
  };
  std::size_t HingeIndexTurning() const;

  std::vector<double> joints_;  // the beam's ends and its hinges, ascending
  std::vector<Part> parts_;     // parts_[k] between joints_[k] and joints_[k + 1]
  std::vector<bool> held_;      // joints with a support right on them
  // From the left up to each joint, before its own support; from the right
  // up to each joint, its own support included.
  std::vector<Motions> fromLeft_, fromRight_;
  std::string unit_;
  bool rigidStable_ = false;  // whether it would stand without its hinges
  bool stable_ = false;
};

}  // namespace trevan
