#include "analysis/ExactBeam.h"

#include <algorithm>

#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"

namespace trevan {

namespace {
// A spring is kept in N/m or lbf/in and a settlement in m or in; the
// imperial beam works in lbf and ft.
double SpringInBeamUnits(double k, bool metric) { return metric ? k : k * 12; }
double SettlementInBeamUnits(double s, bool metric) { return metric ? s : s / 12; }
}  // namespace

ExactBeam ExactBeam::From(const TTrevanDoc& doc) {
  ExactBeam beam = SupportsOf(doc);
  beam.forces.reserve(doc.Charges.size());
  for (const auto& c : doc.Charges)
    if (doc.OnBeam(*c)) beam.forces.push_back({c->x, c->f});
  beam.loads.reserve(doc.DistrCharges.size());
  for (const auto& d : doc.DistrCharges)
    if (doc.OnBeam(*d)) beam.loads.push_back({d->X1, d->X2, d->F1, d->F2});
  for (const auto& m : doc.Moments)
    if (doc.OnBeam(*m)) beam.moments.push_back({m->x, m->m});
  return beam;
}

ExactBeam ExactBeam::SupportsOf(const TTrevanDoc& doc) {
  ExactBeam beam;
  beam.length = doc.Length;
  beam.lengthUnit = LengthUnit(doc.Metric);
  // A support past an end carries nothing, like one of type none.
  const bool sectioned = !doc.Section.segments.empty();
  for (const element* e = doc.FirstSupport(); e; e = e->Next.get()) {
    Support s{e->X1, limits::IsLoadPosition(e->X1, doc.Length) ? e->LeftType : ftNone};
    if (s.type != ftNone && e->HasProperties()) {
      const double rotational = s.type == ftVice ? e->RotationalSpring : 0.0;
      if (!sectioned) {
        beam.springsLeftOut = beam.springsLeftOut || e->Spring != 0 || rotational != 0 || e->Settlement != 0;
      } else {
        s.spring = SpringInBeamUnits(e->Spring, doc.Metric);
        s.rotationalSpring = rotational;
        s.settlement = SettlementInBeamUnits(e->Settlement, doc.Metric);
      }
    }
    beam.supports.push_back(s);
  }
  for (const auto& h : doc.Hinges)
    if (doc.OnBeam(*h)) beam.hinges.push_back(h->x);
  std::sort(beam.hinges.begin(), beam.hinges.end());
  for (const auto& s : doc.Section.segments) beam.stiffness.push_back({s.x1, s.x2, s.EI()});
  return beam;
}

}  // namespace trevan
