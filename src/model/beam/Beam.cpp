#include "beam/Beam.h"

#include <algorithm>

#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamView.h"
#include "hosts/BeamWindow.h"
#include "text/CLocaleText.h"

namespace trevan {

TTrevanDoc::TTrevanDoc() : Metric(ApplicationMetric()) {}

TTrevanDoc::~TTrevanDoc() { DestroyChain(); }

// Unlinks node by node: letting the shared links cascade would recurse once
// per support.
void TTrevanDoc::DestroyChain() {
  std::shared_ptr<element> node = std::move(Chain);
  while (node) {
    std::shared_ptr<element> next = std::move(node->Next);
    if (next) next->Prev = nullptr;
    node = std::move(next);
  }
}

void TTrevanDoc::MarkDirty(bool dirty) {
  if (View && View->Window()) View->Window()->SetDirty(dirty);
}

void TTrevanDoc::Recompute() {
  if (!View || !View->Window()) return;
  View->Window()->SetDirty(true);
  View->Window()->Recalculate();
}

void TTrevanDoc::AttachView(BeamView* view) {
  View = view;
  for (auto& c : Charges) c->View = view;
  for (auto& d : DistrCharges) d->View = view;
  for (auto& m : Moments) m->View = view;
  for (auto& h : Hinges) h->View = view;
  for (element* e = FirstSupport(); e; e = e->Next.get()) {
    e->View = view;
    e->Glyph = view ? view->SupportGlyph(e->LeftType) : nullptr;
  }
}

namespace {
template <class T>
std::shared_ptr<T> InsertCopy(std::vector<std::shared_ptr<T>>& list, const T& prototype, std::size_t at) {
  auto added = std::make_shared<T>(prototype);
  added->Selected = false;  // no handles are drawn for it yet
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(at, list.size())), added);
  return added;
}

template <class T>
std::size_t EraseReference(std::vector<std::shared_ptr<T>>& list, const T& target) {
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == &target; });
  if (it == list.end()) return TTrevanDoc::AtEnd;
  const auto index = static_cast<std::size_t>(it - list.begin());
  list.erase(it);
  return index;
}
}  // namespace

std::shared_ptr<charge> TTrevanDoc::AddCharge(const charge& prototype, std::size_t at) {
  auto added = InsertCopy(Charges, prototype, at);
  Recompute();
  return added;
}

std::shared_ptr<distrcharge> TTrevanDoc::AddDistrCharge(const distrcharge& prototype, std::size_t at) {
  auto added = InsertCopy(DistrCharges, prototype, at);
  Recompute();
  return added;
}

std::size_t TTrevanDoc::RemoveCharge(const charge& target) {
  if (View) View->SelectObject(nullptr);
  const std::size_t index = EraseReference(Charges, target);
  Recompute();
  return index;
}

std::size_t TTrevanDoc::RemoveDistrCharge(const distrcharge& target) {
  if (View) View->SelectObject(nullptr);
  const std::size_t index = EraseReference(DistrCharges, target);
  Recompute();
  return index;
}

std::shared_ptr<couple> TTrevanDoc::AddMoment(const couple& prototype, std::size_t at) {
  auto added = InsertCopy(Moments, prototype, at);
  Recompute();
  return added;
}

std::size_t TTrevanDoc::RemoveMoment(const couple& target) {
  if (View) View->SelectObject(nullptr);
  const std::size_t index = EraseReference(Moments, target);
  Recompute();
  return index;
}

std::shared_ptr<joint> TTrevanDoc::AddHinge(const joint& prototype, std::size_t at) {
  if (!HingeProblem(prototype.x).empty()) return nullptr;
  auto added = InsertCopy(Hinges, prototype, at);
  Recompute();
  return added;
}

std::size_t TTrevanDoc::RemoveHinge(const joint& target) {
  if (View) View->SelectObject(nullptr);
  const std::size_t index = EraseReference(Hinges, target);
  Recompute();
  return index;
}

std::string TTrevanDoc::HingeProblem(double x, const joint* moving) const {
  const char* unit = LengthUnit(Metric);
  if (!limits::IsHingePosition(x, Length))
    return CFormat("A hinge in the beam must lie on it, from 0 to %.10g %s.", Length, unit);
  for (const element* e = FirstSupport(); e; e = e->Next.get()) {
    if (limits::MayHingeStandBy(x, e->X1, e->LeftType == ftVice)) continue;
    if (e->LeftType == ftVice)
      return CFormat(
          "A hinge in the beam cannot stand at the vice at %.10g %s, which holds the beam's turning.", e->X1,
          unit);
    return CFormat("A hinge in the beam must stand at least %g %s from the support at %.10g %s.",
                   limits::MinSupportGap, unit, e->X1, unit);
  }
  for (const auto& h : Hinges)
    if (h.get() != moving && !limits::IsHingeApart(x, h->x))
      return CFormat("A hinge in the beam must stand at least %g %s from the hinge at %.10g %s.",
                     limits::MinSupportGap, unit, h->x, unit);
  return {};
}

std::string TTrevanDoc::SupportProblem(double x, TSupportType type) const {
  const char* unit = LengthUnit(Metric);
  for (const auto& h : Hinges) {
    if (limits::MayHingeStandBy(h->x, x, type == ftVice)) continue;
    if (type == ftVice && limits::IsHingeOnJoint(h->x, x))
      return CFormat("A vice cannot stand at the hinge in the beam at %.10g %s, which turns freely.", h->x, unit);
    return CFormat("A support must stand right at or at least %g %s from the hinge in the beam at %.10g %s.",
                   limits::MinSupportGap, unit, h->x, unit);
  }
  return {};
}

bool TTrevanDoc::JointClashes(const object& target) const {
  if (const auto* h = dynamic_cast<const joint*>(&target)) return !HingeProblem(h->x, h).empty();
  if (const auto* e = dynamic_cast<const element*>(&target))
    return !SupportProblem(e->X1, e->LeftType).empty();
  return false;
}

element* TTrevanDoc::LinkSupport(double x, TSupportType type) {
  element* node = Chain.get();
  while (node && !(node->X1 <= x && x <= node->X2)) node = node->Next.get();
  if (!node) return nullptr;
  return SplitNode(*node, x, type);
}

element* TTrevanDoc::SplitNode(element& node, double x, TSupportType type) {
  if (!(node.X1 < x && x < node.X2)) return nullptr;
  const Bitmap* glyph = View ? View->SupportGlyph(type) : nullptr;
  auto added = std::make_shared<element>(x, node.X2, type, node.RightType, View, glyph);
  node.X2 = x;
  node.RightType = type;
  node.SpanLength = x - node.X1;
  added->Next = std::move(node.Next);
  if (added->Next) added->Next->Prev = added.get();
  added->Prev = &node;
  node.Next = added;
  return added.get();
}

// With the reader's allowance: undoing the deletion of a support read from
// a file puts it back where the file had it.
bool TTrevanDoc::SupportFits(double x, TSupportType type) const {
  if (!limits::IsSupportPosition(x, Length, limits::FileRoundingSlack)) return false;
  for (const element* e = FirstSupport(); e; e = e->Next.get())
    if (!limits::AreSupportsApart(e->X1, x, limits::FileRoundingSlack)) return false;
  return SupportProblem(x, type).empty();
}

// Sorted, every support lands in the last node of the chain built so far,
// so none has to be searched for. The stable sort keeps the first of equal
// positions, as linking them in file order would.
void TTrevanDoc::LinkSupports(std::vector<std::pair<double, TSupportType>> supports) {
  std::stable_sort(supports.begin(), supports.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  element* last = Chain.get();
  for (const auto& [x, type] : supports)
    if (element* added = last ? SplitNode(*last, x, type) : nullptr) last = added;
}

element* TTrevanDoc::InsertSupport(double x, TSupportType type) {
  if (!SupportFits(x, type)) return nullptr;
  element* added = LinkSupport(x, type);
  if (added) Recompute();
  return added;
}

void TTrevanDoc::RemoveSupport(element& node) {
  element* p = node.Prev;
  if (!p) return;  // the Sentinel is not a support
  p->X2 = node.X2;
  p->RightType = node.RightType;
  p->SpanLength = node.X2 - p->X1;
  if (View && View->SelectedObject() == &node) View->SelectObject(nullptr);
  std::shared_ptr<element> removed = std::move(p->Next);
  p->Next = std::move(removed->Next);
  if (p->Next) p->Next->Prev = p;
  removed->Prev = nullptr;
  removed.reset();
  Recompute();
}

bool TTrevanDoc::Holds(const object& target) const {
  if (target.IsSupport()) {
    for (const element* e = FirstSupport(); e; e = e->Next.get())
      if (e == &target) return true;
    return false;
  }
  const auto same = [&](const auto& p) { return p.get() == &target; };
  return std::any_of(Charges.begin(), Charges.end(), same) ||
         std::any_of(DistrCharges.begin(), DistrCharges.end(), same) ||
         std::any_of(Moments.begin(), Moments.end(), same) || std::any_of(Hinges.begin(), Hinges.end(), same);
}

// A hinge or support does not move onto another joint: such a move is undone.
void TTrevanDoc::MoveObject(object& target, int pixels) {
  const object::Placement before = target.GetPlacement();
  target.MoveBy(pixels);
  if (JointClashes(target)) target.SetPlacement(before);
  if (View && View->Window()) View->Window()->RefreshInspector(target);
  Recompute();
}

void TTrevanDoc::PlaceObject(object& target, const object::Placement& placement) {
  const object::Placement before = target.GetPlacement();
  target.SetPlacement(placement);
  if (JointClashes(target)) target.SetPlacement(before);
  if (View && View->Window()) View->Window()->RefreshInspector(target);
  Recompute();
}

void TTrevanDoc::NewSentinel() {
  DestroyChain();
  Chain = std::make_shared<element>(limits::ChainStart(), limits::ChainEnd(Length), ftNone, ftNone, View,
                                    nullptr);
}

void TTrevanDoc::AllocateSamples() { LoadSamples.assign(static_cast<size_t>(SampleCount()), 0.0); }

void TTrevanDoc::Clear() {
  Charges.clear();
  DistrCharges.clear();
  Moments.clear();
  Hinges.clear();
  NewSentinel();
  AllocateSamples();
}

std::string TTrevanDoc::UnitSwitchProblem(bool metric) const {
  if (metric == Metric) return {};
  const char* unit = LengthUnit(metric);
  const double length = ConvertBeamLength(Length, metric);
  if (!limits::IsBeamLength(length, metric))
    return CFormat("Its length would be %.10g %s; a beam may be %s long.", length, unit,
                   limits::BeamLengthRange(metric).c_str());
  const std::string tooLarge = CFormat("A value would reach %g or more.", limits::MaxMagnitude);
  for (const auto& c : Charges)
    if (!limits::IsMagnitude(ConvertForce(c->f, metric)) ||
        !limits::IsMagnitude(ConvertPosition(c->x, metric)))
      return tooLarge;
  for (const auto& d : DistrCharges)
    for (const double v : {ConvertIntensity(d->F1, metric), ConvertIntensity(d->F2, metric),
                           ConvertPosition(d->X1, metric), ConvertPosition(d->X2, metric)})
      if (!limits::IsMagnitude(v)) return tooLarge;
  for (const auto& m : Moments)
    if (!limits::IsMomentValue(ConvertMoment(m->m, metric)) ||
        !limits::IsMagnitude(ConvertPosition(m->x, metric)))
      return tooLarge;
  if (const std::string problem = JointsSwitchProblem(metric, length); !problem.empty()) return problem;
  double previous = 0;
  if (!Section.Converted(metric, length).Problem(length).empty())
    return "The section's E or I would be out of range.";
  for (const element* e = FirstSupport(); e; e = e->Next.get()) {
    const double x = ConvertPosition(e->X1, metric);
    if (!limits::IsSupportPosition(x, length))
      return CFormat("The support at %.6g %s would lie beyond the ends of the beam.", x, unit);
    if (e != FirstSupport() && !limits::AreSupportsApart(previous, x))
      return CFormat("Two supports would be less than %g %s apart.", limits::MinSupportGap, unit);
    previous = x;
  }
  return {};
}

// Hinges must stay on the beam and apart from every joint, and the support
// properties within their bounds, in the other unit too.
std::string TTrevanDoc::JointsSwitchProblem(bool metric, double length) const {
  const char* unit = LengthUnit(metric);
  std::vector<double> hinges;
  for (const auto& h : Hinges) {
    const double x = ConvertPosition(h->x, metric);
    if (!limits::IsHingePosition(x, length))
      return CFormat("The hinge in the beam at %.6g %s would lie beyond its ends.", x, unit);
    hinges.push_back(x);
  }
  std::sort(hinges.begin(), hinges.end());
  const auto clash = CFormat("A hinge in the beam would stand less than %g %s from another joint.",
                             limits::MinSupportGap, unit);
  for (const element* e = FirstSupport(); e; e = e->Next.get()) {
    if ((e->Spring != 0 && !limits::IsStiffnessValue(ConvertSpring(e->Spring, metric))) ||
        (e->RotationalSpring != 0 &&
         !limits::IsStiffnessValue(ConvertRotationalSpring(e->RotationalSpring, metric))) ||
        !limits::IsSettlementValue(ConvertSettlement(e->Settlement, metric)))
      return "A support's spring or settlement would be out of range.";
    const double at = ConvertPosition(e->X1, metric);
    for (auto h = std::lower_bound(hinges.begin(), hinges.end(), at - limits::MinSupportGap);
         h != hinges.end() && *h <= at + limits::MinSupportGap; ++h)
      if (!limits::MayHingeStandBy(*h, at, e->LeftType == ftVice)) return clash;
  }
  for (std::size_t k = 1; k < hinges.size(); ++k)
    if (!limits::IsHingeApart(hinges[k - 1], hinges[k])) return clash;
  return {};
}

bool TTrevanDoc::SetMetric(bool metric) {
  if (metric == Metric) return true;
  if (!UnitSwitchProblem(metric).empty()) return false;
  Metric = metric;
  SetApplicationMetric(metric);
  Length = ConvertBeamLength(Length, metric);
  Section = Section.Converted(metric, Length);
  for (auto& c : Charges) c->SetMetric(metric);
  for (auto& d : DistrCharges) d->SetMetric(metric);
  for (auto& m : Moments) m->SetMetric(metric);
  for (auto& h : Hinges) h->SetMetric(metric);
  element* last = Chain.get();
  for (element* e = Chain.get(); e; e = e->Next.get()) {
    e->SetMetric(metric);
    last = e;
  }
  // The chain's ends are the same in either unit; put them where reopening
  // the saved beam would.
  if (last) {
    Chain->X1 = limits::ChainStart();
    Chain->SpanLength = Chain->X2 - Chain->X1;
    last->X2 = limits::ChainEnd(Length);
    last->SpanLength = last->X2 - last->X1;
  }
  AllocateSamples();
  MarkDirty(true);
  return true;
}

void TTrevanDoc::SetSection(BeamSection section) {
  Section = std::move(section);
  Recompute();
}

void TTrevanDoc::SetCases(LoadCases cases) {
  for (auto& c : cases.user) c.factors.resize(cases.Count(), 0.0);
  Cases = std::move(cases);
  // The loads' case rows come and go with the cases and follow their names.
  for (auto& c : Charges) c->UpdateProperties();
  for (auto& d : DistrCharges) d->UpdateProperties();
  if (object* selected = View ? View->SelectedObject() : nullptr; selected && View->Window())
    View->Window()->RefreshInspector(*selected);
  Recompute();
}

int TTrevanDoc::SupportCount() const {
  int n = 0;
  for (element* e = FirstSupport(); e; e = e->Next.get()) ++n;
  return n;
}

}  // namespace trevan
