#pragma once

#include <cstddef>
#include <vector>

#include "analysis/ExactBeam.h"
#include "analysis/ExactDeflection.h"
#include "analysis/ExactElement.h"
#include "analysis/ExactResults.h"
#include "analysis/StiffnessMap.h"

namespace trevan {

// The beam as the stiffness method sees it: nodes at the carrying supports,
// at internal hinges and where E I changes between supports, each with a
// deflection and a rotation unknown; elements between the nodes with their fixed-end actions; and the
// events that the statics pass walks through.
class SpanModel {
 public:
  // Shear and moment at a place where an extreme may lie.
  struct Sample {
    double x, shear, moment;
  };

  SpanModel(const ExactBeam& beam, ExactResults& results);

  void ApplyForces();
  void ApplyMoments();
  void ApplyLoads();
  void SolveNodes();
  void FindEndActions();
  void BuildPieces();
  const std::vector<Sample>& Samples() const { return samples_; }
  double Start() const { return start_; }
  double End() const { return end_; }
  const StiffnessMap& Stiffness() const { return stiffness_; }
  std::vector<NodeState> NodeStates() const;
  void AddHinges(const std::vector<NodeState>& states);

 private:
  // A node of the stiffness method: a carrying support, a change of E I
  // between supports, or an internal hinge. A support holds the deflection
  // rigidly or at its settlement, or rests on a spring; a vice holds the
  // rotation rigidly or on a rotational spring.
  struct Node {
    static constexpr std::size_t NoSupport = static_cast<std::size_t>(-1);
    double x;
    std::size_t support = NoSupport;  // index into the results' supports
    bool vice = false;
    bool holdsDeflection = false;
    bool holdsRotation = false;
    bool released = false;  // a hinge: each side turns on its own
    double spring = 0, rotationalSpring = 0;
    double base = 0;    // where the support holds the node or its spring's foot, upward
    double force = 0;   // downward loads applied right at the node
    double couple = 0;  // counter-clockwise couples on it, of the overhang loads too
  };

  struct Event {
    double x;
    double shearJump = 0;  // upward force added at x
    double couple = 0;     // counter-clockwise couple added at x
    double intensity = 0;  // change of the downward intensity at x
    double slope = 0;      // change of its slope at x
    int active = 0;        // change of the number of loads acting beyond x
  };

  double NodeX(std::size_t i) const { return nodes_[i].x; }
  void PlaceNodes();
  void PlaceSupports();
  void PlaceHinges(double tolerance);
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
  std::vector<ExactElement> spans_;
  std::vector<double> displacement_;  // deflection (up) and rotation of each node in turn
  double loadScale_ = 0;              // what a rounding error is measured against
  std::vector<double> coverOffset_, coverSlope_;
  std::vector<Event> events_;
  std::vector<Sample> samples_;
  double start_ = 0, end_ = 0;
};

}  // namespace trevan
