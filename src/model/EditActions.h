#pragma once
// The undoable edits of a beam. Each Execute carries the edit out on the
// owner's beam and answers the action that reverses it.

#include "Beam.h"
#include "ObjectRef.h"
#include "UndoAction.h"

namespace trevan::undo {

// Adds a copy of the held point force.
class TActionCharge : public QAction {
 public:
  TActionCharge(EditWindow* owner, const charge& value)
      : QAction(owner, "&Undo delete", "&Redo force"), Value(value) {}
  std::unique_ptr<QAction> Execute() override;
  charge Value;
};

class TActionDistrCharge : public QAction {
 public:
  TActionDistrCharge(EditWindow* owner, const distrcharge& value)
      : QAction(owner, "&Undo delete", "&Redo force"), Value(value) {}
  std::unique_ptr<QAction> Execute() override;
  distrcharge Value;
};

// Inserts a support at the held position with the held type.
class TActionSupport : public QAction {
 public:
  TActionSupport(EditWindow* owner, const element& value)
      : QAction(owner, "&Undo delete", "&Redo support"), Value(value) {}
  std::unique_ptr<QAction> Execute() override;
  element Value;
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

// Removes a support. The reverse of a refused insertion has no target but
// remembers what was asked for, so redoing it asks again.
class TActionDeleteSupport : public QAction {
 public:
  TActionDeleteSupport(EditWindow* owner, element* target, const element& requested)
      : QAction(owner, "&Undo support", "&Redo delete"), Target(target), Requested(requested) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<element> Target;
  element Requested;
};

// Moves any object by a signed distance in the beam's length unit.
class TActionMove : public QAction {
 public:
  TActionMove(EditWindow* owner, object* target, double distance)
      : QAction(owner, "&Undo move", "&Redo move"), Target(target), Distance(distance) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<object> Target;
  double Distance;
};

// Swaps the values of an object with the held ones.
class TActionChargeProps : public QAction {
 public:
  TActionChargeProps(EditWindow* owner, charge* target, const charge& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<charge> Target;
  charge Values;

 private:
  TActionChargeProps(EditWindow* owner, const ObjectRef<charge>& target, const charge& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
};

class TActionDistrChargeProps : public QAction {
 public:
  TActionDistrChargeProps(EditWindow* owner, distrcharge* target, const distrcharge& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<distrcharge> Target;
  distrcharge Values;

 private:
  TActionDistrChargeProps(EditWindow* owner, const ObjectRef<distrcharge>& target, const distrcharge& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
};

class TActionElementProps : public QAction {
 public:
  TActionElementProps(EditWindow* owner, element* target, const element& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
  std::unique_ptr<QAction> Execute() override;
  ObjectRef<element> Target;
  element Values;

 private:
  TActionElementProps(EditWindow* owner, const ObjectRef<element>& target, const element& values)
      : QAction(owner, "&Undo properties", "&Redo properties"), Target(target), Values(values) {}
};

}  // namespace trevan::undo
