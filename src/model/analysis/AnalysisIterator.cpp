#include "analysis/AnalysisIterator.h"

#include <algorithm>
#include <cmath>

#include "analysis/ExactSolver.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "beam/UnitSystem.h"
#include "drawing/DiagramSigns.h"
#include "hosts/AnalysisWindow.h"
#include "hosts/PixelMapping.h"
#include "hosts/ProgramResources.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
constexpr Rgb ShearPointColour = Rgb::FromRgb(0, 0, 255);
constexpr Rgb MomentPointColour = Rgb::FromRgb(255, 0, 255);
constexpr Rgb ErasedPointColour = Rgb::FromRgb(255, 255, 255);
}  // namespace

calc::calc(AnalysisWindow& window) : Window(&window) {
  Reset();
  Done = true;
}

void calc::Reset() {
  Done = false;
  MaxUnbalanced = 0;
  MaxMoment = 0;
  Last = nullptr;
  TTrevanDoc* beam = Window->Beam();
  Current = beam ? beam->Sentinel() : nullptr;
  unstable_ = beam && beam->NeedsSupport();
}

double calc::BalanceJoint(element* left, element* right) {
  double M = 0;
  double sumL = 0;
  if (left) {
    if (!IsPinned(left->ReachRightType)) return 0;
    M = left->RightMoment;
    sumL = left->ReachLength;
  }
  if (right) {
    if (!IsPinned(right->ActingType())) return 0;
    M += right->LeftMoment;
    sumL += right->ReachLength;
  }
  double dL = right ? right->ReachLength / sumL : 1;
  double dR = left ? left->ReachLength / sumL : 1;
  if (left && left->ActingType() == ftNone) {
    dL = 0;
    dR = 1;
  }
  if (right && right->ReachRightType == ftNone) {
    dL = 1;
    dR = 0;
  }
  if (left) {
    left->AddEndMoment(SpanEnd::Right, -M * dL);
    left->AddEndMoment(SpanEnd::Left, -M * dL / 2);
  }
  if (right) {
    right->AddEndMoment(SpanEnd::Left, -M * dR);
    right->AddEndMoment(SpanEnd::Right, -M * dR / 2);
  }
  return M;
}

calc::SpanStart calc::StartOf(element& e, const element* before) {
  return SpanStart{&e, e.LeftMoment, e.LeftShear, before ? before->RightMoment : 0.0, before != nullptr};
}

// Column i shows the span at position i × DistanceScale. The running shear
// and moment start at the span's own left end and are carried from column
// to column with each load at its own lever arm, so the curves do not
// depend on the distance scale beyond where the columns fall.
double calc::DiagramColumns(const SpanStart& span) {
  const element& e = *span.node;
  const TTrevanDoc* beam = Window->Beam();
  const double ds = Window->DistanceScale();
  const double fs = Window->ForceScale();
  const double ms = Window->MomentScale();
  const int columns = Window->ColumnCount();
  const int zero = Window->ZeroLine();
  // The columns keep the opposite sign of the numbers shown; drawn, shear
  // is positive upward and the moment as the diagrams choose.
  const double shearUp = -1, momentUp = -DiagramSigns::MomentUpward();
  std::span<double> shear = Window->ShearColumns();
  std::span<double> moment = Window->MomentColumns();
  const long long arrayEnd =
      std::min<long long>(columns, static_cast<long long>(std::min(shear.size(), moment.size())));

  // The columns from the span's left end up to, not including, its right end.
  const long long i0 = std::max(0LL, FirstColumnFrom(std::max(e.X1, 0.0), ds));
  const long long i1 = std::min(FirstColumnFrom(e.ReachX2, ds), arrayEnd);

  double best = 0;
  // A support on the beam counts with the moments on both its sides, even
  // where no column falls on it.
  if (beam && e.X1 >= 0 && e.X1 <= beam->Length && !unstable_) {
    best = std::fabs(span.leftMoment);
    if (span.hasPrev) best = std::max(best, std::fabs(span.prevRightMoment));
  }
  if (i0 >= i1) return best;

  double pos = e.X1;
  double M = span.leftMoment;
  double V = -span.leftShear;
  if (pos < 0 && beam) {
    // The overhang left of the beam has no cells.
    double load = 0, loadMoment = 0;
    beam->LoadsBetween(pos, 0, load, loadMoment);
    M += V * (0 - pos) + loadMoment;
    V += load;
    pos = 0;
  }
  for (long long i = i0; i < i1; ++i) {
    Window->PlotDiagramPixel(static_cast<int>(i), PixelRow(zero, shearUp * shear[i], fs), ErasedPointColour);
    Window->PlotDiagramPixel(static_cast<int>(i), PixelRow(zero, momentUp * moment[i], ms), ErasedPointColour);
    if (unstable_) {
      shear[i] = moment[i] = 0;
      continue;
    }
    const double x = static_cast<double>(i) * ds;
    if (beam) {
      double load = 0, loadMoment = 0;
      beam->SumLoadsAndMoments(pos, x, load, loadMoment);
      M += V * (x - pos) + loadMoment;
      V += load;
    }
    pos = x;
    shear[i] = V;
    moment[i] = M;
    best = std::max(best, std::fabs(M));
    Window->PlotDiagramPixel(static_cast<int>(i), PixelRow(zero, shearUp * shear[i], fs), ShearPointColour);
    Window->PlotDiagramPixel(static_cast<int>(i), PixelRow(zero, momentUp * moment[i], ms), MomentPointColour);
  }
  return best;
}

void calc::ShowStatus() {
  ReportedMaxMoment = MaxMoment;
  if (unstable_) {
    // What can move and where, as the exact solver finds it.
    const TTrevanDoc* beam = Window->Beam();
    Window->ShowMaxMoment(beam ? ExactSolver::Instability(ExactBeam::SupportsOf(*beam)) : TTrevanDoc::UnstableText);
    return;
  }
  std::string format = LoadResourceString(MaxMomentFormatId).value_or("Max. moment : %7.0f %s");
  format.resize(std::min<std::size_t>(format.size(), 39));
  const TTrevanDoc* beam = Window->Beam();
  const bool metric = beam ? beam->Metric : true;
  // The columns only sample the curve; the status reads what the beam carries.
  double largest = 0;
  if (beam) {
    const ExactResults& exact = KeptSolution(*beam);
    if (exact.solved) largest = exact.LargestMoment();
  }
  Window->ShowMaxMoment(CFormatRuntime(format.c_str(), largest, MomentUnit(metric)));
}

// Balances the chain's last joint and counts the sweep; answers true when
// the sweep has not converged, so another one has to start.
bool calc::EndSweep() {
  const double M = BalanceJoint(Last, nullptr);
  MaxUnbalanced = std::max(MaxUnbalanced, std::fabs(M));
  ++completedSweeps_;
  return Window->MomentScale() / 1000 <= MaxUnbalanced && completedSweeps_ < MaxSweeps;
}

void calc::Converge() {
  Done = true;
  const int h = TruncToInt(std::min(MaxMoment / Window->MomentScale(), static_cast<double>(MaxZeroLine)));
  if (h > Window->ZeroLine()) Window->GrowResultPanes(h);
  Window->RepaintViews();
}

bool calc::Step() {
  if (Done) return false;
  if (Current) {
    const double M = BalanceJoint(Last, Current);
    MaxUnbalanced = std::max(MaxUnbalanced, std::fabs(M));
    MaxMoment = std::max(MaxMoment, DiagramColumns(StartOf(*Current, Last)));
    Last = Current;
    Current = Current->NextSpan();
    return true;
  }
  ShowStatus();
  if (EndSweep())
    Reset();
  else
    Converge();
  return true;
}

int calc::RunStepByStep() {
  completedSweeps_ = 0;
  while (Step()) {
  }
  return completedSweeps_;
}

// The columns of a span depend only on its start values at the moment its
// Step would integrate them, so each sweep records those and the columns are
// integrated once, from the final sweep's records.
int calc::RunToConvergence() {
  completedSweeps_ = 0;
  if (Done) return 0;
  for (;;) {
    sweepStarts_.clear();
    while (Current) {
      const double M = BalanceJoint(Last, Current);
      MaxUnbalanced = std::max(MaxUnbalanced, std::fabs(M));
      sweepStarts_.push_back(StartOf(*Current, Last));
      Last = Current;
      Current = Current->NextSpan();
    }
    if (EndSweep()) {
      Reset();
      continue;
    }
    for (const SpanStart& span : sweepStarts_) MaxMoment = std::max(MaxMoment, DiagramColumns(span));
    ShowStatus();
    Converge();
    return completedSweeps_;
  }
}

int calc::Recalculate() {
  TTrevanDoc* beam = Window->Beam();
  Reset();
  if (beam) {
    beam->SampleLoads();
    beam->ComputeSegmentEnds();
  }
  const int sweeps = RunToConvergence();
  Reset();
  return sweeps;
}

}  // namespace trevan
