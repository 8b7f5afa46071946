#include "EditActions.h"

#include <cmath>

#include "EditWindow.h"

namespace trevan::undo {

namespace {
// The beam an action works on; none when its owner holds no document.
TTrevanDoc* BeamOf(EditWindow* owner) { return owner ? owner->Beam() : nullptr; }
}  // namespace

std::unique_ptr<QAction> TActionCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  auto added = beam->AddCharge(Value);
  return std::make_unique<TActionDeleteCharge>(Owner, added.get());
}

std::unique_ptr<QAction> TActionDistrCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  auto added = beam->AddDistrCharge(Value);
  return std::make_unique<TActionDeleteDistrCharge>(Owner, added.get());
}

std::unique_ptr<QAction> TActionSupport::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* added = beam->InsertSupport(Value.X1, Value.LeftType);
  return std::make_unique<TActionDeleteSupport>(Owner, added, Value);
}

std::unique_ptr<QAction> TActionDeleteCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  charge* target = Target.get();
  if (!beam || !target) return std::make_unique<QActionNone>(Owner);
  const charge copy(*target);
  beam->RemoveCharge(*target);
  return std::make_unique<TActionCharge>(Owner, copy);
}

std::unique_ptr<QAction> TActionDeleteDistrCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  distrcharge* target = Target.get();
  if (!beam || !target) return std::make_unique<QActionNone>(Owner);
  const distrcharge copy(*target);
  beam->RemoveDistrCharge(*target);
  return std::make_unique<TActionDistrCharge>(Owner, copy);
}

std::unique_ptr<QAction> TActionDeleteSupport::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* target = Target.get();
  if (!target || target->IsSentinel()) {
    // A refused insertion, or a node already gone: nothing to take out.
    return std::make_unique<TActionSupport>(Owner, Requested);
  }
  const element copy(*target);
  beam->RemoveSupport(*target);
  return std::make_unique<TActionSupport>(Owner, copy);
}

std::unique_ptr<QAction> TActionMove::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  if (object* target = Target.get()) {
    const int pixels = static_cast<int>(std::lround(Distance / Owner->DistanceScale()));
    beam->MoveObject(*target, pixels);
  }
  auto reverse = std::make_unique<TActionMove>(Owner, nullptr, -Distance);
  reverse->Target = Target;
  return reverse;
}

std::unique_ptr<QAction> TActionChargeProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  charge* target = Target.get();
  if (!target) return std::unique_ptr<QAction>(new TActionChargeProps(Owner, Target, Values));
  const charge old(*target);
  static_cast<object&>(*target) = Values;
  target->f = Values.f;
  target->x = Values.x;
  beam->MoveObject(*target, 0);
  return std::unique_ptr<QAction>(new TActionChargeProps(Owner, Target, old));
}

std::unique_ptr<QAction> TActionDistrChargeProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  distrcharge* target = Target.get();
  if (!target) return std::unique_ptr<QAction>(new TActionDistrChargeProps(Owner, Target, Values));
  const distrcharge old(*target);
  static_cast<object&>(*target) = Values;
  target->X1 = Values.X1;
  target->X2 = Values.X2;
  target->F1 = Values.F1;
  target->F2 = Values.F2;
  beam->MoveObject(*target, 0);
  return std::unique_ptr<QAction>(new TActionDistrChargeProps(Owner, Target, old));
}

// Only what belongs to the support itself is swapped: the links, the span
// and the analysis values stay, so the chain keeps its structure.
std::unique_ptr<QAction> TActionElementProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* target = Target.get();
  if (!target || target->IsSentinel())
    return std::unique_ptr<QAction>(new TActionElementProps(Owner, Target, Values));
  const element old(*target);
  static_cast<object&>(*target) = Values;
  target->X1 = Values.X1;
  target->LeftType = Values.LeftType;
  target->Glyph = Values.Glyph;
  target->Prev->RightType = target->LeftType;
  beam->MoveObject(*target, 0);
  return std::unique_ptr<QAction>(new TActionElementProps(Owner, Target, old));
}

}  // namespace trevan::undo
