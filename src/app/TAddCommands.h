#pragma once

#include <QObject>

class QAction;

namespace trevan {

class TActionList;
class TMainForm;

// Edit | Add Force, Add Distributed Load, Add Moment, Add Support and Add
// Hinge in Beam: the keyboard's
// way to put an object on the active beam, with the inspector's fields and
// bounds, as one undoable addition.
class TAddCommands : public QObject {
  Q_OBJECT

 public:
  TAddCommands(TMainForm& main, TActionList& actions);

  void AddForce();
  void AddDistributedLoad();
  void AddSupport();
  void AddMoment();
  void AddBeamHinge();

 private:
  void UpdateEnabled();

  TMainForm& main_;
  QAction* force_;
  QAction* load_;
  QAction* support_;
  QAction* moment_;
  QAction* hinge_;
};

}  // namespace trevan
