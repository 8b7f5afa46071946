#pragma once

#include <QAction>
#include <QList>
#include <QObject>

namespace trevan {

// The main window's command list: every command object, in order, found by
// its object name.
class TActionList : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Takes the command over.
  QAction* Add(QAction* action) {
    action->setParent(this);
    actions_.append(action);
    return action;
  }
  const QList<QAction*>& Actions() const { return actions_; }
  // Exact, case-sensitive match on the name; the first in list order.
  QAction* Find(const QString& name) const {
    for (QAction* a : actions_)
      if (a->objectName() == name) return a;
    return nullptr;
  }

 private:
  QList<QAction*> actions_;
};

}  // namespace trevan
