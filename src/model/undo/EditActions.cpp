#include "undo/EditActions.h"

#include <cmath>

#include "hosts/EditWindow.h"

namespace trevan::undo {

namespace {
// The beam an action works on; none when its owner holds no document.
TTrevanDoc* BeamOf(EditWindow* owner) { return owner ? owner->Beam() : nullptr; }

// The named object while it is on the beam.
template <class T>
T* OnBeam(const TTrevanDoc& beam, const ObjectRef<T>& target) {
  T* object = target.get();
  return object && beam.Holds(*object) ? object : nullptr;
}

// Whether an object bearing the identity is on the beam already.
bool Borne(const TTrevanDoc& beam, const std::shared_ptr<ObjectSlot>& identity) {
  const std::shared_ptr<object> bearer = identity ? identity->current.lock() : nullptr;
  return bearer && beam.Holds(*bearer);
}

// What an action answers when it found nothing to do: its reverse does
// nothing either, under the captions the real reverse would have had.
std::unique_ptr<QAction> Unchanged(const QAction& action, const char* reverseUndo, const char* reverseRedo) {
  return std::make_unique<TActionNothing>(action.Owner, reverseUndo, reverseRedo, action.UndoCaption,
                                          action.RedoCaption);
}
}  // namespace

std::unique_ptr<QAction> TActionNothing::Execute() {
  return std::make_unique<TActionNothing>(Owner, ReverseUndoCaption, ReverseRedoCaption, UndoCaption,
                                          RedoCaption);
}

std::unique_ptr<QAction> TActionCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  if (Borne(*beam, Identity)) return Unchanged(*this, "&Undo force", "&Redo delete");
  auto added = beam->AddCharge(Value, At);
  added->AdoptIdentity(Identity);
  return std::make_unique<TActionDeleteCharge>(Owner, added.get());
}

std::unique_ptr<QAction> TActionDistrCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  if (Borne(*beam, Identity)) return Unchanged(*this, "&Undo force", "&Redo delete");
  auto added = beam->AddDistrCharge(Value, At);
  added->AdoptIdentity(Identity);
  return std::make_unique<TActionDeleteDistrCharge>(Owner, added.get());
}

std::unique_ptr<QAction> TActionMoment::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  if (Borne(*beam, Identity)) return Unchanged(*this, "&Undo moment", "&Redo delete");
  auto added = beam->AddMoment(Value, At);
  added->AdoptIdentity(Identity);
  return std::make_unique<TActionDeleteMoment>(Owner, added.get());
}

std::unique_ptr<QAction> TActionHinge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  auto added = Borne(*beam, Identity) ? nullptr : beam->AddHinge(Value, At);
  if (!added) return Unchanged(*this, "&Undo hinge", "&Redo delete");
  added->AdoptIdentity(Identity);
  return std::make_unique<TActionDeleteHinge>(Owner, added.get());
}

std::unique_ptr<QAction> TActionSupport::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* added = Borne(*beam, Identity) ? nullptr : beam->InsertSupport(Value.X1, Value.LeftType);
  if (!added) return Unchanged(*this, "&Undo support", "&Redo delete");
  // A deleted support comes back with its springs and settlement.
  added->Spring = Value.Spring;
  added->RotationalSpring = Value.RotationalSpring;
  added->Settlement = Value.Settlement;
  added->UpdateProperties();
  added->AdoptIdentity(Identity);
  return std::make_unique<TActionDeleteSupport>(Owner, added);
}

std::unique_ptr<QAction> TActionDeleteCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  charge* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo delete", "&Redo force");
  const charge copy(*target);
  const std::size_t at = beam->RemoveCharge(*target);
  return std::make_unique<TActionCharge>(Owner, copy, Target.Slot(), at);
}

std::unique_ptr<QAction> TActionDeleteDistrCharge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  distrcharge* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo delete", "&Redo force");
  const distrcharge copy(*target);
  const std::size_t at = beam->RemoveDistrCharge(*target);
  return std::make_unique<TActionDistrCharge>(Owner, copy, Target.Slot(), at);
}

std::unique_ptr<QAction> TActionDeleteMoment::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  couple* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo delete", "&Redo moment");
  const couple copy(*target);
  const std::size_t at = beam->RemoveMoment(*target);
  return std::make_unique<TActionMoment>(Owner, copy, Target.Slot(), at);
}

std::unique_ptr<QAction> TActionDeleteHinge::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  joint* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo delete", "&Redo hinge");
  const joint copy(*target);
  const std::size_t at = beam->RemoveHinge(*target);
  return std::make_unique<TActionHinge>(Owner, copy, Target.Slot(), at);
}

std::unique_ptr<QAction> TActionDeleteSupport::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* target = OnBeam(*beam, Target);
  if (!target || target->IsSentinel()) return Unchanged(*this, "&Undo delete", "&Redo support");
  const element copy(*target);
  beam->RemoveSupport(*target);
  return std::make_unique<TActionSupport>(Owner, copy, Target.Slot());
}

std::unique_ptr<QAction> TActionMove::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  object* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo move", "&Redo move");
  const object::Placement before = target->GetPlacement();
  beam->MoveObject(*target, static_cast<int>(std::lround(Distance / Owner->DistanceScale())));
  return std::make_unique<TActionPlace>(Owner, Target, before);
}

std::unique_ptr<QAction> TActionPlace::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  object* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo move", "&Redo move");
  const object::Placement before = target->GetPlacement();
  beam->PlaceObject(*target, Placement);
  return std::make_unique<TActionPlace>(Owner, Target, before);
}

std::unique_ptr<QAction> TActionChargeProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  charge* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo properties", "&Redo properties");
  const charge old(*target);
  target->f = Values.f;
  target->x = Values.x;
  target->Case = Values.Case;
  target->UpdateProperties();
  beam->MoveObject(*target, 0);
  return std::make_unique<TActionChargeProps>(Owner, Target, old);
}

std::unique_ptr<QAction> TActionDistrChargeProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  distrcharge* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo properties", "&Redo properties");
  const distrcharge old(*target);
  target->X1 = Values.X1;
  target->X2 = Values.X2;
  target->F1 = Values.F1;
  target->F2 = Values.F2;
  target->Case = Values.Case;
  target->UpdateProperties();
  beam->MoveObject(*target, 0);
  return std::make_unique<TActionDistrChargeProps>(Owner, Target, old);
}

std::unique_ptr<QAction> TActionMomentProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  couple* target = OnBeam(*beam, Target);
  if (!target) return Unchanged(*this, "&Undo properties", "&Redo properties");
  const couple old(*target);
  target->m = Values.m;
  target->x = Values.x;
  target->Case = Values.Case;
  target->UpdateProperties();
  beam->MoveObject(*target, 0);
  return std::make_unique<TActionMomentProps>(Owner, Target, old);
}

std::unique_ptr<QAction> TActionHingeProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  joint* target = OnBeam(*beam, Target);
  if (!target || !beam->HingeProblem(Values.x, target).empty())
    return Unchanged(*this, "&Undo properties", "&Redo properties");
  const joint old(*target);
  beam->PlaceObject(*target, {Values.x, 0});
  return std::make_unique<TActionHingeProps>(Owner, Target, old);
}

// Only what belongs to the support itself is swapped: the links, the span
// and the analysis values stay, so the chain keeps its structure.
std::unique_ptr<QAction> TActionElementProps::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  element* target = OnBeam(*beam, Target);
  if (!target || target->IsSentinel()) return Unchanged(*this, "&Undo properties", "&Redo properties");
  const element old(*target);
  target->LeftType = Values.LeftType;
  target->Spring = Values.Spring;
  target->RotationalSpring = Values.RotationalSpring;
  target->Settlement = Values.Settlement;
  target->Glyph = Values.Glyph;
  target->Prev->RightType = target->LeftType;
  target->UpdateProperties();
  beam->PlaceObject(*target, {Values.X1, 0});
  return std::make_unique<TActionElementProps>(Owner, Target, old);
}

std::unique_ptr<QAction> TActionSection::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  BeamSection old = beam->Section;
  beam->SetSection(Section);
  return std::make_unique<TActionSection>(Owner, std::move(old));
}

std::unique_ptr<QAction> TActionCases::Execute() {
  TTrevanDoc* beam = BeamOf(Owner);
  if (!beam) return std::make_unique<QActionNone>(Owner);
  LoadCases old = beam->Cases;
  beam->SetCases(Cases);
  return std::make_unique<TActionCases>(Owner, std::move(old));
}

}  // namespace trevan::undo
