#include "analysis/ExactBeam.h"

#include "beam/Beam.h"

namespace trevan {

ExactBeam ExactBeam::From(const TTrevanDoc& doc) {
  ExactBeam beam;
  beam.length = doc.Length;
  for (const element* e = doc.FirstSupport(); e; e = e->Next.get())
    beam.supports.push_back({e->X1, e->LeftType});
  beam.forces.reserve(doc.Charges.size());
  for (const auto& c : doc.Charges) beam.forces.push_back({c->x, c->f});
  beam.loads.reserve(doc.DistrCharges.size());
  for (const auto& d : doc.DistrCharges) beam.loads.push_back({d->X1, d->X2, d->F1, d->F2});
  for (const auto& s : doc.Section.segments) beam.stiffness.push_back({s.x1, s.x2, s.EI()});
  return beam;
}

}  // namespace trevan
