#include "analysis/ExactBeam.h"

#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"

namespace trevan {

ExactBeam ExactBeam::From(const TTrevanDoc& doc) {
  ExactBeam beam;
  beam.length = doc.Length;
  beam.lengthUnit = LengthUnit(doc.Metric);
  // A support past an end carries nothing, like one of type none.
  for (const element* e = doc.FirstSupport(); e; e = e->Next.get())
    beam.supports.push_back({e->X1, limits::IsLoadPosition(e->X1, doc.Length) ? e->LeftType : ftNone});
  beam.forces.reserve(doc.Charges.size());
  for (const auto& c : doc.Charges)
    if (doc.OnBeam(*c)) beam.forces.push_back({c->x, c->f});
  beam.loads.reserve(doc.DistrCharges.size());
  for (const auto& d : doc.DistrCharges)
    if (doc.OnBeam(*d)) beam.loads.push_back({d->X1, d->X2, d->F1, d->F2});
  for (const auto& s : doc.Section.segments) beam.stiffness.push_back({s.x1, s.x2, s.EI()});
  return beam;
}

}  // namespace trevan
