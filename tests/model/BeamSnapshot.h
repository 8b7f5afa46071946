#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "beam/Beam.h"

namespace trevan::test {

// Every value of a beam that an edit can change, in list and chain order,
// compared exactly.
struct BeamSnapshot {
  explicit BeamSnapshot(const TTrevanDoc& beam) : length(beam.Length), metric(beam.Metric) {
    for (const auto& c : beam.Charges) charges.emplace_back(c->x, c->f);
    for (const auto& d : beam.DistrCharges) loads.emplace_back(d->X1, d->X2, d->F1, d->F2);
    for (const element* e = beam.Sentinel(); e; e = e->Next.get())
      nodes.emplace_back(e->X1, e->X2, e->SpanLength, e->LeftType, e->RightType);
  }
  bool operator==(const BeamSnapshot&) const = default;

  double length;
  bool metric;
  std::vector<std::tuple<double, double>> charges;
  std::vector<std::tuple<double, double, double, double>> loads;
  std::vector<std::tuple<double, double, double, int, int>> nodes;
};

inline void PrintTo(const BeamSnapshot& s, std::ostream* out) {
  out->precision(17);
  *out << "{forces:";
  for (const auto& [x, f] : s.charges) *out << " (" << x << ", " << f << ")";
  *out << "; loads:";
  for (const auto& [x1, x2, f1, f2] : s.loads)
    *out << " (" << x1 << ".." << x2 << ", " << f1 << ".." << f2 << ")";
  *out << "; nodes:";
  for (const auto& [x1, x2, span, left, right] : s.nodes)
    *out << " (" << x1 << ".." << x2 << " " << left << "/" << right << ")";
  *out << "}";
}

}  // namespace trevan::test
