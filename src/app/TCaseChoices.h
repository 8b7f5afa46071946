#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "analysis/ResultChoice.h"

class QAction;
class QComboBox;
class QToolBar;

namespace trevan {

class TMDIChild;
class TMainForm;

// The main window's load case bar, following the active document window:
// the active case, which new loads go into, and the result the diagrams,
// the panel and the exports show. Hidden for a beam without load cases.
class TCaseChoices : public QObject {
  Q_OBJECT

 public:
  explicit TCaseChoices(TMainForm& main);

  QToolBar* Bar() const { return bar_; }
  QComboBox* ActiveCase() const { return active_; }
  QComboBox* Results() const { return results_; }
  // Fills both lists from the active window's beam.
  void Refresh();

 private:
  void Follow(TMDIChild* window);

  TMainForm& main_;
  QToolBar* bar_;
  QComboBox* active_;
  QComboBox* results_;
  std::vector<ResultChoice> choices_;
  QPointer<TMDIChild> followed_;
  QMetaObject::Connection edits_;
  bool filling_ = false;
};

}  // namespace trevan
