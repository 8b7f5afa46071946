#include "beam/SupportSpacing.h"

#include <algorithm>
#include <vector>

#include "beam/Beam.h"
#include "text/CLocaleText.h"

namespace trevan {

std::string SupportSpacing::GapText(double gap, bool metric) {
  if (metric) {
    if (gap < 0.01) return CFormat("%.3g mm", gap * 1000);
    if (gap < 1) return CFormat("%.3g cm", gap * 100);
    return CFormat("%.4g m", gap);
  }
  if (gap < 1) return CFormat("%.3g in", gap * 12);
  return CFormat("%.4g ft", gap);
}

std::string SupportSpacing::Warning(const TTrevanDoc& beam) {
  std::vector<double> xs;
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get())
    if (e->LeftType != ftNone) xs.push_back(e->X1);
  double closest = 0;
  bool close = false;
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
    const double gap = xs[i + 1] - xs[i];
    const double before = xs[i] - (i > 0 ? xs[i - 1] : 0.0);
    const double after = (i + 2 < xs.size() ? xs[i + 2] : beam.Length) - xs[i + 1];
    // An end support has no span beyond it: the other side decides.
    double shorter = beam.Length;
    for (const double span : {before, after})
      if (span > 0) shorter = std::min(shorter, span);
    if (gap < Fraction * shorter && (!close || gap < closest)) {
      closest = gap;
      close = true;
    }
  }
  if (!close) return {};
  return "Supports " + GapText(closest, beam.Metric) + " apart: reactions are very large";
}

}  // namespace trevan
