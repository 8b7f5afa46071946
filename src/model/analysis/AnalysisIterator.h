#pragma once

#include <vector>

namespace trevan {

class AnalysisWindow;
class element;

// The analysis iterator of one document window: distributes the unbalanced
// moments at hinge and roller joints sweep by sweep, one span per Step, and
// integrates each span's shear and moment over the diagram columns. A span
// runs from a held support (or the chain's start) to the next one; supports
// of type none lie inside spans, as if they were not there.
class calc {
 public:
  // Sweeps after which a run gives up; only a beam whose moments never
  // settle gets near it.
  static constexpr int MaxSweeps = 1000000;

  explicit calc(AnalysisWindow& window);

  void Reset();
  // One span of the current sweep; false when there is nothing left to do.
  bool Step();
  // The whole analysis, synchronously: load samples, span end values and
  // every sweep to convergence, then Reset so idle steps replot. Answers the
  // number of sweeps it took.
  int Recalculate();
  // Steps to the end. Gives exactly the results of calling Step until it
  // answers false, but integrates the diagram columns in the final sweep only.
  int RunToConvergence();
  // Calls Step until it answers false; answers the sweeps it completed.
  int RunStepByStep();

  // Balances the joint between two adjacent spans, each given by the node
  // that starts it (either may be none at the chain's ends); answers the
  // moment before distribution.
  static double BalanceJoint(element* left, element* right);

  // The first nodes of the span last swept and of the next one.
  element* Last = nullptr;
  element* Current = nullptr;
  double MaxMoment = 0;
  double MaxUnbalanced = 0;
  // The largest column moment of the last finished sweep; unlike MaxMoment
  // it survives the Reset that ends Recalculate. The status text reports
  // the exact largest moment instead.
  double ReportedMaxMoment = 0;
  // Whether the beam being swept can stand under its loads.
  bool Unstable() const { return unstable_; }
  AnalysisWindow* Window;
  bool Done = false;

 private:
  struct SpanStart {
    element* node;
    double leftMoment;
    double leftShear;
    double prevRightMoment;
    bool hasPrev;
  };

  static SpanStart StartOf(element& e, const element* before);
  double DiagramColumns(const SpanStart& span);
  bool EndSweep();
  void Converge();
  void ShowStatus();

  // Loaded but unable to stand: the sweep shows no curves, only a warning.
  bool unstable_ = false;
  int completedSweeps_ = 0;
  std::vector<SpanStart> sweepStarts_;
};

}  // namespace trevan
