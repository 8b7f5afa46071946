// Drawing and hit testing of the whole beam.
#include "analysis/ExactSolver.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "beam/DistributedLoad.h"
#include "drawing/StrokeEnvelope.h"
#include "hosts/BeamView.h"
#include "hosts/Canvas.h"

namespace trevan {

namespace {
constexpr Rgb BeamObjectColour = Rgb::FromRgb(128, 0, 0);
// Objects past the beam's ends carry nothing: they stand out until moved.
constexpr Rgb OffBeamColour = Rgb::FromRgb(230, 100, 0);
// The loads of the cases not being edited: the beam colour faded towards white.
constexpr Rgb MutedColour = Rgb::FromRgb(214, 170, 170);

// Visits the searchable objects in search order until visit answers true.
template <class Visit>
object* Search(const TTrevanDoc& beam, Visit visit) {
  for (const auto& c : beam.Charges)
    if (visit(*c)) return c.get();
  for (const auto& d : beam.DistrCharges)
    if (visit(*d)) return d.get();
  for (const auto& m : beam.Moments)
    if (visit(*m)) return m.get();
  // A hinge lies on the beam line before any support glyph there.
  for (const auto& h : beam.Hinges)
    if (visit(*h)) return h.get();
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

bool TTrevanDoc::Muted(std::size_t loadCase, std::size_t activeCase) const {
  return activeCase != AllCases && loadCase != activeCase && !Cases.IsDefault();
}

// In copy mode, strokes of one colour drawn over each other show only
// their union: many loads are drawn a column at a time. The muted loads go
// first, so that the active case's stand over them.
void TTrevanDoc::DrawLoads(Canvas& canvas, std::size_t activeCase) const {
  for (const auto& d : DistrCharges) {
    if (OnBeam(*d)) continue;
    canvas.SetPenColor(OffBeamColour);
    d->Draw(canvas, 0, 0);
  }
  for (const bool muted : {true, false}) {
    if (muted && (activeCase == AllCases || Cases.IsDefault())) continue;
    auto drawn = [&](const distrcharge& d) { return OnBeam(d) && Muted(d.Case, activeCase) == muted; };
    canvas.SetPenColor(muted ? MutedColour : BeamObjectColour);
    if (canvas.GetRasterMode() != RasterMode::Copy || DistrCharges.size() < 2 || !View) {
      for (const auto& d : DistrCharges)
        if (drawn(*d)) d->Draw(canvas, 0, 0);
      continue;
    }
    const Rect area = canvas.DrawnArea();
    StrokeEnvelope envelope(area.Left - 1, area.Right, View->BaseLine());
    for (const auto& d : DistrCharges) {
      if (!drawn(*d)) continue;
      distrcharge::StrokeLine line{};
      if (!d->GetStrokeLine(line, 0, 0)) continue;
      if (line.base == envelope.Base())
        envelope.Add(line.a1, line.y1, line.a2, line.y2);
      else
        d->Draw(canvas, 0, 0);
    }
    envelope.Draw(canvas);
  }
}

void TTrevanDoc::Draw(Canvas& canvas, std::size_t activeCase, const ExactResults* reactions) const {
  for (const auto& c : Charges) {
    canvas.SetPenColor(!OnBeam(*c)                  ? OffBeamColour
                       : Muted(c->Case, activeCase) ? MutedColour
                                                    : BeamObjectColour);
    c->Draw(canvas, 0, 0);
  }
  for (const auto& m : Moments) {
    canvas.SetPenColor(!OnBeam(*m)                  ? OffBeamColour
                       : Muted(m->Case, activeCase) ? MutedColour
                                                    : BeamObjectColour);
    m->Draw(canvas, 0, 0);
  }
  DrawLoads(canvas, activeCase);
  canvas.SetPenColor(BeamObjectColour);
  for (const auto& h : Hinges) h->Draw(canvas, 0, 0);
  // A beam that cannot stand has no reactions to show.
  const ExactResults& exact = reactions ? *reactions : KeptSolution(*this);
  const bool drawn = !NeedsSupport() && exact.solved;
  std::size_t k = 0;
  for (const element* e = FirstSupport(); e; e = e->Next.get(), ++k) {
    e->Draw(canvas, 0, 0);
    if (!limits::IsLoadPosition(e->X1, Length)) {
      // Its glyph is inverted, not painted: a frame in the warning colour marks it.
      const Rect r = e->GetBounds();
      canvas.SetPenColor(OffBeamColour);
      canvas.MoveTo(r.Left - 2, r.Top - 2);
      canvas.LineTo(r.Right + 2, r.Top - 2);
      canvas.LineTo(r.Right + 2, r.Bottom + 2);
      canvas.LineTo(r.Left - 2, r.Bottom + 2);
      canvas.LineTo(r.Left - 2, r.Top - 2);
      canvas.SetPenColor(BeamObjectColour);
    }
    // The reaction, drawn as a force: an upward reaction points up at the support.
    if (drawn && k < exact.supports.size()) charge(e->X1, -exact.supports[k].reaction, View).Draw(canvas, 0, 0);
  }
}

}  // namespace trevan
