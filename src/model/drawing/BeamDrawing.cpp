// Drawing and hit testing of the whole beam.
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "hosts/BeamView.h"
#include "hosts/Canvas.h"

namespace trevan {

namespace {
constexpr Rgb BeamObjectColour = Rgb::FromRgb(128, 0, 0);

// Visits the searchable objects in search order until visit answers true.
template <class Visit>
object* Search(const TTrevanDoc& beam, Visit visit) {
  for (const auto& c : beam.Charges)
    if (visit(*c)) return c.get();
  for (const auto& d : beam.DistrCharges)
    if (visit(*d)) return d.get();
  for (element* e = beam.FirstSupport(); e; e = e->Next.get())
    if (visit(*e)) return e;
  return nullptr;
}
}  // namespace

object* TTrevanDoc::FindObjectAt(Point point) const {
  object* found = Search(*this, [&](const object& o) { return o.HitTest(point); });
  const object* selected = View ? View->SelectedObject() : nullptr;
  if (!found || found != selected) return found;
  object* other = Search(*this, [&](const object& o) { return &o != selected && o.HitTest(point); });
  return other ? other : found;
}

void TTrevanDoc::Draw(Canvas& canvas) const {
  canvas.SetPenColor(BeamObjectColour);
  for (const auto& c : Charges) c->Draw(canvas, 0, 0);
  for (const auto& d : DistrCharges) d->Draw(canvas, 0, 0);
  // A beam that cannot stand has no reactions to show.
  const ExactResults& exact = ExactSolver::SolveKept(ExactBeam::From(*this));
  const bool reactions = !NeedsSupport() && exact.solved;
  std::size_t k = 0;
  for (const element* e = FirstSupport(); e; e = e->Next.get(), ++k) {
    e->Draw(canvas, 0, 0);
    // The reaction, drawn as a force: an upward reaction points up at the support.
    if (reactions && k < exact.supports.size()) charge(e->X1, -exact.supports[k].reaction, View).Draw(canvas, 0, 0);
  }
}

}  // namespace trevan
