#include "Beam.h"

#include <algorithm>

#include "BeamView.h"
#include "BeamWindow.h"
#include "CLocaleText.h"
#include "UnitSystem.h"

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
  for (element* e = FirstSupport(); e; e = e->Next.get()) {
    e->View = view;
    e->Glyph = view ? view->SupportGlyph(e->LeftType) : nullptr;
  }
}

std::shared_ptr<charge> TTrevanDoc::AddCharge(const charge& prototype) {
  auto added = std::make_shared<charge>(prototype);
  Charges.push_back(added);
  Recompute();
  return added;
}

std::shared_ptr<distrcharge> TTrevanDoc::AddDistrCharge(const distrcharge& prototype) {
  auto added = std::make_shared<distrcharge>(prototype);
  DistrCharges.push_back(added);
  Recompute();
  return added;
}

namespace {
template <class T>
void EraseReference(std::vector<std::shared_ptr<T>>& list, const T& target) {
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == &target; });
  if (it != list.end()) list.erase(it);
}
}  // namespace

void TTrevanDoc::RemoveCharge(const charge& target) {
  if (View) View->SelectObject(nullptr);
  EraseReference(Charges, target);
  Recompute();
}

void TTrevanDoc::RemoveDistrCharge(const distrcharge& target) {
  if (View) View->SelectObject(nullptr);
  EraseReference(DistrCharges, target);
  Recompute();
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

void TTrevanDoc::MoveObject(object& target, int pixels) {
  target.MoveBy(pixels);
  if (View && View->Window()) View->Window()->RefreshInspector(target);
  Recompute();
}

void TTrevanDoc::NewSentinel() {
  DestroyChain();
  Chain = std::make_shared<element>(0.04 * -10, Length + 0.04 * 11, ftNone, ftNone, View, nullptr);
}

void TTrevanDoc::AllocateSamples() { LoadSamples.assign(static_cast<size_t>(SampleCount()), 0.0); }

void TTrevanDoc::Clear() {
  Charges.clear();
  DistrCharges.clear();
  NewSentinel();
  AllocateSamples();
}

void TTrevanDoc::SetMetric(bool metric) {
  if (metric == Metric) return;
  Metric = metric;
  SetApplicationMetric(metric);
  Length = metric ? Length * FeetToMetres : Length * MetresToFeet;
  for (auto& c : Charges) c->SetMetric(metric);
  for (auto& d : DistrCharges) d->SetMetric(metric);
  for (element* e = Chain.get(); e; e = e->Next.get()) e->SetMetric(metric);
  AllocateSamples();
  MarkDirty(true);
}

int TTrevanDoc::SupportCount() const {
  int n = 0;
  for (element* e = FirstSupport(); e; e = e->Next.get()) ++n;
  return n;
}

}  // namespace trevan
