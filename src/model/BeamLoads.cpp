// Load sampling and span end values of TTrevanDoc: the inputs of the analysis.
#include <algorithm>
#include <cmath>

#include "Beam.h"
#include "CLocaleText.h"

namespace trevan {

int TTrevanDoc::SampleCount() const {
  if (!(Length > 0)) return 0;
  return TruncToInt(Length / SampleStep);
}

void TTrevanDoc::SampleLoads() {
  if (LoadSamples.empty()) return;
  const int count = std::min<int>(SampleCount(), static_cast<int>(LoadSamples.size()));
  std::fill(LoadSamples.begin(), LoadSamples.end(), 0.0);
  for (const auto& c : Charges) {
    // A force on an overhang has no cell; it still acts on its span's ends.
    if (!(c->x >= 0)) continue;
    const int k = TruncToInt(c->x / SampleStep);
    if (k >= count) continue;
    LoadSamples[k] += c->f;
  }
  for (const auto& d : DistrCharges) {
    // Only the cells under the load can take anything from it; a margin of
    // one cell on each side keeps IntensityAt the judge of its own bounds.
    const double lo = std::floor(d->X1 / SampleStep) - 1;
    const double hi = std::floor(d->X2 / SampleStep) + 1;
    const int first = lo > 0 ? TruncToInt(lo) : 0;
    const int last = hi < count - 1 ? TruncToInt(hi) : count - 1;
    for (int k = first; k <= last; ++k) LoadSamples[k] += d->IntensityAt(k * SampleStep) * SampleStep;
  }
}

void TTrevanDoc::SampleLoadsEveryCell() {
  if (LoadSamples.empty()) return;
  const int count = std::min<int>(SampleCount(), static_cast<int>(LoadSamples.size()));
  std::fill(LoadSamples.begin(), LoadSamples.end(), 0.0);
  for (const auto& c : Charges) {
    if (!(c->x >= 0)) continue;
    const int k = TruncToInt(c->x / SampleStep);
    if (k >= count) continue;
    LoadSamples[k] += c->f;
  }
  for (const auto& d : DistrCharges)
    for (int k = 0; k < count; ++k) LoadSamples[k] += d->IntensityAt(k * SampleStep) * SampleStep;
}

double TTrevanDoc::SumLoads(double a, double b) const {
  if (LoadSamples.empty()) return 0;
  const int from = std::max(0, TruncToInt(a / SampleStep));
  const int to = std::min(static_cast<int>(LoadSamples.size()), TruncToInt(b / SampleStep));
  double sum = 0;
  for (int k = from; k < to; ++k) sum += LoadSamples[k];
  return sum;
}

double TTrevanDoc::SumLoadMoments(double a, double b) const {
  if (LoadSamples.empty()) return 0;
  const int from = std::max(0, TruncToInt(a / SampleStep));
  const int to = std::min(static_cast<int>(LoadSamples.size()), TruncToInt(b / SampleStep));
  double sum = 0;
  for (int k = from; k < to; ++k) sum += LoadSamples[k] * SampleStep;
  return sum;
}

void TTrevanDoc::ComputeSegmentEnds() {
  for (element* e = Chain.get(); e; e = e->Next.get()) {
    e->ResetSegmentEnds();
    for (const auto& c : Charges) e->AddChargeContribution(*c);
    for (const auto& d : DistrCharges) e->AddDistrChargeContribution(*d);
  }
}

}  // namespace trevan
