#pragma once

#include <QObject>
#include <QPointer>

#include "DeflectionLimitSetting.h"
#include "TQStorage.h"

class QAction;
class QMenu;

namespace trevan {

class TActionList;
class TMDIChild;
class TMainForm;
class TResultsPanel;

// The View menu of the main window: the results panel, values on the
// diagrams and fitting the active window's scales to it.
class TViewCommands : public QObject {
  Q_OBJECT

 public:
  TViewCommands(TMainForm& main, TActionList& actions);
  ~TViewCommands() override;

  TResultsPanel& ResultsPanel() { return *panel_; }
  QMenu* Menu() const { return menu_; }
  // Shows the active window's beam in the panel, when the panel is shown.
  void Refresh();
  // Picks the window's scales so that its beam, loads and diagrams fit it;
  // alongTheBeam false keeps the distance scale.
  static void FitToWindow(TMDIChild& window, bool alongTheBeam = true);
  static void FitDeflection(TMDIChild& window, int half);
  // Whether the window's loads or diagrams reach past its panes.
  static bool Overflows(TMDIChild& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(TMDIChild* window);
  void ShowValues(bool on);
  void Analysed();
  void FitOnce(TMDIChild* window);
  void RefitAfterEdit(TMDIChild& window);

  TMainForm& main_;
  QMenu* menu_;
  QAction* results_;
  QAction* values_;
  QAction* fit_;
  TQSetting valuesSetting_;
  DeflectionLimitSetting limitSetting_;
  TResultsPanel* panel_;
  QPointer<TMDIChild> followed_;
  QMetaObject::Connection edits_;
  bool refitting_ = false;
};

}  // namespace trevan
