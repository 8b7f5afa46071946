#include "AnalysisIterator.h"

#include <algorithm>
#include <cmath>

#include "AnalysisWindow.h"
#include "Beam.h"
#include "CLocaleText.h"
#include "ProgramResources.h"
#include "UnitSystem.h"

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
}

double calc::BalanceJoint(element* left, element* right) {
  double M = 0;
  double sumL = 0;
  if (left) {
    if (!IsPinned(left->RightType)) return 0;
    M = left->RightMoment;
    sumL = left->SpanLength;
  }
  if (right) {
    if (!IsPinned(right->LeftType)) return 0;
    M += right->LeftMoment;
    sumL += right->SpanLength;
  }
  double dL = right ? right->SpanLength / sumL : 1;
  double dR = left ? left->SpanLength / sumL : 1;
  if (left && left->LeftType == ftNone) {
    dL = 0;
    dR = 1;
  }
  if (right && right->RightType == ftNone) {
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

calc::SpanStart calc::StartOf(element& e) const {
  return SpanStart{&e, e.LeftMoment, e.LeftShear, e.Prev ? e.Prev->RightMoment : 0.0, e.Prev != nullptr};
}

double calc::DiagramColumns(const SpanStart& span) {
  const element& e = *span.node;
  const TTrevanDoc* beam = Window->Beam();
  const double ds = Window->DistanceScale();
  const double fs = Window->ForceScale();
  const double ms = Window->MomentScale();
  const int columns = Window->ColumnCount();
  const int zero = Window->ZeroLine();
  std::span<double> shear = Window->ShearColumns();
  std::span<double> moment = Window->MomentColumns();
  const int arrayEnd = std::min<int>(columns, static_cast<int>(std::min(shear.size(), moment.size())));

  const int i0 = TruncToInt(std::max(e.X1, 0.0) / ds);
  double end = e.X2;
  if (columns * ds <= e.X2) end = columns * ds;
  const int i1 = std::min(TruncToInt(end / ds), arrayEnd);

  double best = 0;
  for (int i = i0; i < i1; ++i) {
    Window->PlotDiagramPixel(i, zero - TruncToInt(shear[i] / fs), ErasedPointColour);
    Window->PlotDiagramPixel(i, zero - TruncToInt(moment[i] / ms), ErasedPointColour);
    if (i == i0) {
      moment[i] = span.leftMoment;
      shear[i] = -span.leftShear;
    } else {
      shear[i] = shear[i - 1] + beam->SumLoads(i * ds, (i + 1) * ds);
      moment[i] = moment[i - 1] + beam->SumLoadMoments(i * ds, (i + 1) * ds) + shear[i - 1] * ds;
    }
    double v = std::fabs(moment[i]);
    if (i == i0 && span.hasPrev) v = std::max(v, std::fabs(span.prevRightMoment));
    best = std::max(best, v);
    Window->PlotDiagramPixel(i, zero - TruncToInt(shear[i] / fs), ShearPointColour);
    Window->PlotDiagramPixel(i, zero - TruncToInt(moment[i] / ms), MomentPointColour);
  }
  return best;
}

void calc::ShowStatus() {
  std::string format = LoadResourceString(MaxMomentFormatId).value_or("Max. moment : %7.0f %s");
  format.resize(std::min<std::size_t>(format.size(), 39));
  const TTrevanDoc* beam = Window->Beam();
  const bool metric = beam ? beam->Metric : true;
  ReportedMaxMoment = MaxMoment;
  Window->ShowMaxMoment(CFormatRuntime(format.c_str(), MaxMoment, MomentUnit(metric)));
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
  const int h = TruncToInt(MaxMoment / Window->MomentScale());
  if (h > Window->ZeroLine()) Window->GrowResultPanes(h);
  Window->RepaintViews();
}

bool calc::Step() {
  if (Done) return false;
  if (Current) {
    const double M = BalanceJoint(Current->Prev, Current);
    MaxUnbalanced = std::max(MaxUnbalanced, std::fabs(M));
    MaxMoment = std::max(MaxMoment, DiagramColumns(StartOf(*Current)));
    Last = Current;
    Current = Current->Next.get();
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
      const double M = BalanceJoint(Current->Prev, Current);
      MaxUnbalanced = std::max(MaxUnbalanced, std::fabs(M));
      sweepStarts_.push_back(StartOf(*Current));
      Last = Current;
      Current = Current->Next.get();
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
