#pragma once

#include <cstddef>
#include <vector>

namespace trevan {

// One element of the stiffness method between two nodes: its loads as
// fixed-end couples (counter-clockwise, exerted by the ends on it), its
// total downward load and that load's moment about its left end (clockwise
// positive, so a counter-clockwise couple counts negative), and E I.
struct ExactElement {
  double fixedLeft = 0, fixedRight = 0;
  double load = 0, loadMoment = 0;
  double EI = 1;
  // Whether an end turns on its own, at an internal hinge.
  bool releasedLeft = false, releasedRight = false;
  // Deflection (up) and rotation at its ends once solved, left then right.
  double ends[4] = {0, 0, 0, 0};

  // A downward force p at s from the left end, on a length L.
  void AddPoint(double L, double s, double p);
  // A counter-clockwise couple c at s from the left end.
  void AddCouple(double L, double s, double c);
  // End forces (upward) and couples from the end deflections and rotations,
  // with the released rotations condensed out: k d + fixed are the actions.
  void Stiffness(double L, double k[4][4], double fixed[4]) const;
  // The rotations of the released ends, from the held ones in ends[]: the
  // couple at a released end is zero.
  void FindReleasedRotations(double L);
  // The couples the nodes exert on the element's ends.
  double LeftCouple(double L) const;
  double RightCouple(double L) const;
};

// A symmetric positive definite matrix of half-bandwidth 3, its upper band
// kept row by row; solved by elimination without pivoting in linear time.
class BandMatrix {
 public:
  explicit BandMatrix(std::size_t n) : n_(n), band_(4 * n, 0.0) {}
  void Add(std::size_t r, std::size_t c, double v) { band_[4 * r + (c - r)] += v; }
  std::vector<double> Solve(std::vector<double> rhs);

 private:
  std::size_t n_;
  std::vector<double> band_;
};

}  // namespace trevan
