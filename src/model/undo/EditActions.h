#pragma once
// The undoable edits of a beam. Each Execute carries the edit out on the
// owner's beam and answers the action that reverses it. An action whose
// object is not on the beam changes nothing and answers a reverse that
// changes nothing either.

#include "beam/Beam.h"
#include "beam/ObjectRef.h"
#include "undo/UndoAction.h"

namespace trevan::undo {

// Changes nothing; stands where an edit found nothing to work on, with the
// captions of the edit it stands for and, for its reverse, of that edit's reverse.
class TActionNothing : public QAction {
 public:
  TActionNothing(EditWindow* owner, std::string undoCaption, std::string redoCaption,
                 std::string reverseUndoCaption, std::string reverseRedoCaption)
      : QAction(owner, std::move(undoCaption), std::move(redoCaption)),
        ReverseUndoCaption(std::move(reverseUndoCaption)),
        ReverseRedoCaption(std::move(reverseRedoCaption)) {}
  std::unique_ptr<QAction> Execute() override;
  std::string ReverseUndoCaption;
  std::string ReverseRedoCaption;
};

// Adds a copy of the held point force. The reverse of a delete puts it back
// at its old index and with the deleted force's identity.
class TActionCharge : public QAction {
 public:
  TActionCharge(EditWindow* owner, const charge& value, std::shared_ptr<ObjectSlot> identity = nullptr,
                std::size_t at = TTrevanDoc::AtEnd)
      : QAction(owner, "&Undo delete", "&Redo force"), Value(value), Identity(std::move(identity)), At(at) {}
  std::unique_ptr<QAction> Execute() override;
  charge Value;
  std::shared_ptr<ObjectSlot> Identity;
  std::size_t At;
};

class TActionDistrCharge : public QAction {
 public:
  TActionDistrCharge(EditWindow* owner, const distrcharge& value,
                     std::shared_ptr<ObjectSlot> identity = nullptr, std::size_t at = TTrevanDoc::AtEnd)
      : QAction(owner, "&Undo delete", "&Redo force"), Value(value), Identity(std::move(identity)), At(at) {}
  std::unique_ptr<QAction> Execute() override;
  distrcharge Value;
  std::shared_ptr<ObjectSlot> Identity;
  std::size_t At;
};

class TActionMoment : public QAction {
 public:
  TActionMoment(EditWindow* owner, const couple& value, std::shared_ptr<ObjectSlot> identity = nullptr,
                std::size_t at = TTrevanDoc::AtEnd)
      : QAction(owner, "&Undo delete", "&Redo moment"), Value(value), Identity(std::move(identity)), At(at) {}
  std::unique_ptr<QAction> Execute() override;
  couple Value;
  std::shared_ptr<ObjectSlot> Identity;
  std::size_t At;
};

// Adds a hinge in the beam; a place taken by another joint by then changes nothing.
class TActionHinge : public QAction {
 public:
  TActionHinge(EditWindow* owner, const joint& value, std::shared_ptr<ObjectSlot> identity = nullptr,
               std::size_t at = TTrevanDoc::AtEnd)
      : QAction(owner, "&Undo delete", "&Redo hinge"), Value(value), Identity(std::move(identity)), At(at) {}
  std::unique_ptr<QAction> Execute() override;
  joint Value;
  std::shared_ptr<ObjectSlot> Identity;
  std::size_t At;
};

// Inserts a support at the held position with the held type. A refused
// insertion (a support stands there) changes nothing.
class TActionSupport : public QAction {
 public:
  TActionSupport(EditWindow* owner, const element& value, std::shared_ptr<ObjectSlot> identity = nullptr)
      : QAction(owner, "&Undo delete", "&Redo support"), Value(value), Identity(std::move(identity)) {}
  std::unique_ptr<QAction> Execute() override;
  element Value;
  std::shared_ptr<ObjectSlot> Identity;
};

class TActionDeleteCharge : public QAction {
 public:
  TActionDeleteCharge(EditWindow* owner, charge* target)
      : QAction(owner, "&Undo force", "&Redo delete"), Target(target) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<charge> Target;
};

class TActionDeleteDistrCharge : public QAction {
 public:
  TActionDeleteDistrCharge(EditWindow* owner, distrcharge* target)
      : QAction(owner, "&Undo force", "&Redo delete"), Target(target) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<distrcharge> Target;
};

class TActionDeleteMoment : public QAction {
 public:
  TActionDeleteMoment(EditWindow* owner, couple* target)
      : QAction(owner, "&Undo moment", "&Redo delete"), Target(target) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<couple> Target;
};

class TActionDeleteHinge : public QAction {
 public:
  TActionDeleteHinge(EditWindow* owner, joint* target)
      : QAction(owner, "&Undo hinge", "&Redo delete"), Target(target) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<joint> Target;
};

// Removes a support; the reverse puts an equal one back with its identity.
class TActionDeleteSupport : public QAction {
 public:
  TActionDeleteSupport(EditWindow* owner, element* target)
      : QAction(owner, "&Undo support", "&Redo delete"), Target(target) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<element> Target;
};

// Moves any object by a signed distance in the beam's length unit, in whole
// columns of the view. Its reverse puts the object back exactly where it
// was, whatever the scale is by then and however far the move got.
class TActionMove : public QAction {
 public:
  TActionMove(EditWindow* owner, object* target, double distance)
      : QAction(owner, "&Undo move", "&Redo move"), Target(target), Distance(distance) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<object> Target;
  double Distance;
};

// Puts an object at a placement; the reverse of a move and of itself.
class TActionPlace : public QAction {
 public:
  TActionPlace(EditWindow* owner, const ObjectRef<object>& target, const object::Placement& placement)
      : QAction(owner, "&Undo move", "&Redo move"), Target(target), Placement(placement) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<object> Target;
  object::Placement Placement;
};

// Swaps the values of an object with the held ones: the action returned
// holds the old ones. Only the values are swapped; the property texts are
// made again from them.
template <class T>
class TActionProps : public QAction {
 public:
  TActionProps(EditWindow* owner, T* target, const T& values) : TActionProps(owner, ObjectRef<T>(target), values) {}
  TActionProps(EditWindow* owner, const ObjectRef<T>& target, const T& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
  ObjectRef<T> Target;
  T Values;
};

class TActionChargeProps : public TActionProps<charge> {
 public:
  using TActionProps::TActionProps;
  std::unique_ptr<QAction> Execute() override;
};

class TActionDistrChargeProps : public TActionProps<distrcharge> {
 public:
  using TActionProps::TActionProps;
  std::unique_ptr<QAction> Execute() override;
};

class TActionMomentProps : public TActionProps<couple> {
 public:
  using TActionProps::TActionProps;
  std::unique_ptr<QAction> Execute() override;
};

// A position another joint has taken by then is left as it is.
class TActionHingeProps : public TActionProps<joint> {
 public:
  using TActionProps::TActionProps;
  std::unique_ptr<QAction> Execute() override;
};

// The type, position, springs and settlement of a support.
class TActionElementProps : public TActionProps<element> {
 public:
  using TActionProps::TActionProps;
  std::unique_ptr<QAction> Execute() override;
};

// Puts the held section on the beam; the reverse puts the old one back.
class TActionSection : public QAction {
 public:
  TActionSection(EditWindow* owner, BeamSection section)
      : QAction(owner, "&Undo section", "&Redo section"), Section(std::move(section)) {}
  std::unique_ptr<QAction> Execute() override;
  BeamSection Section;
};

// Puts the held load cases on the beam; the reverse puts the old ones back.
class TActionCases : public QAction {
 public:
  TActionCases(EditWindow* owner, LoadCases cases)
      : QAction(owner, "&Undo load cases", "&Redo load cases"), Cases(std::move(cases)) {}
  std::unique_ptr<QAction> Execute() override;
  LoadCases Cases;
};

}  // namespace trevan::undo
