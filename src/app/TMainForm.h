#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "ActionCommand.h"
#include "DialogMessages.h"
#include "DocumentHost.h"
#include "TQStorage.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace trevan {

class DialogService;
class TAboutBox;
class TCaseChoices;
class TActionList;
class TDocManager;
class THelpViewer;
class TMDIChild;
class TOptionsForm;
class TQPropertyInspector;
class TStartForm;
class TViewCommands;

// The application's main window: an MDI frame with the menus, tool bars,
// status bar and commands, the document manager and the unit setting.
class TMainForm : public QMainWindow, public DocumentHost {
  Q_OBJECT

 public:
  // Files named on the command line open at start instead of a new beam.
  TMainForm(DialogService& dialogs, QStringList startFiles = {});
  ~TMainForm() override;

  QAction* Command(const QString& name) const;
  QMenu* Menu(const QString& title) const;
  QMdiArea* MdiArea() const { return mdi_; }
  TDocManager& DocManager1() { return *docManager_; }
  TMDIChild* ActiveDocumentWindow() const;
  QList<TMDIChild*> DocumentWindows() const;
  TQPropertyInspector& Inspector() { return *inspector_; }
  THelpViewer& Help() { return *help_; }
  TViewCommands& ViewCommands() { return *view_; }
  TCaseChoices& CaseChoices() { return *cases_; }
  QLabel* StatusPanel(int index) const { return panels_[index]; }
  QAction* Metric1 = nullptr;
  QAction* Nonmetric1 = nullptr;
  TQSetting MetricSetting1;

  void UpdateCommands() override;
  // One step of the active window's analysis; false once nothing is left.
  bool ApplicationEvents1Idle();

  // DocumentHost.
  void SetStatusText(int panel, const QString& text) override;
  bool IsActiveDocument(const QWidget* window) const override;
  CommandState* UndoCommand() override { return &undoCommand_; }
  CommandState* RedoCommand() override { return &redoCommand_; }
  void Undo() override;
  QList<QAction*> PopupCommands() override;
  void InspectorShowObject(object* target) override;
  bool InspectorVisible() const override;
  void ShowInspector() override;
  void HideInspector() override;
  void SetMetricChecks(bool metric) override;
  void SetMetricSetting(const QString& value) override;
  DialogService& Dialogs() override { return dialogs_; }
  TStartForm& StartForm() override { return *startForm_; }
  const TOptionsForm& Options() const override { return *options_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void CreateCommands();
  void CreateFileCommands();
  void CreateEditCommands();
  void CreateToolCommands();
  void CreateScaleCommands();
  void CreateWindowCommands();
  void CreateMenus();
  void CreateToolBars();
  void CreateStatusBar();
  QAction* Add(const char* name, const char* category, const char* caption, const char* shortcut, int image,
               bool enabled, const char* hint = nullptr);
  void OnActiveWindow(void (TMDIChild::*operation)());
  void EditProperties1Execute();
  // The inspector opens where the user left it, else beside the main window.
  void PlaceInspector();
  void PlaceMainWindow();
  void RememberInspector();
  void SelectToolCommand(int code);
  void ScaleCommand(int command);
  // The six scale commands' states from the active window's scales.
  void UpdateScaleCommands();
  void SetAllUnits(bool metric);
  void OptionsItemClick();
  void BeamSection1Execute();
  void BeamCases1Execute();
  void BeamCombinations1Execute();
  void FilePrint1Execute();
  void FilePrintPreview1Execute();
  void TileWindows(bool vertically);
  void CascadeWindows();
  // Puts a new child window wholly in sight, at its design size if it fits.
  void PlaceNewChild(QMdiSubWindow* sub, QSize design);
  int CascadeStep() const;
  void ArrangeMinimized();
  void RefreshWindowMenu();
  void WatchWindow(TMDIChild* window);
  void StartIdle();
  void ActiveWindowChanged();

  DialogService& dialogs_;
  QStringList startFiles_;
  bool firstShow_ = true;
  bool inspectorPlaced_ = false;
  QMdiArea* mdi_;
  TActionList* actions_;
  QList<QIcon> images_;
  QLabel* panels_[3] = {};
  QToolBar* stdToolBar_ = nullptr;
  QToolBar* viewToolBar_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QList<QAction*> windowListItems_;
  ActionCommand undoCommand_{nullptr};
  ActionCommand redoCommand_{nullptr};
  std::unique_ptr<TStartForm> startForm_;
  std::unique_ptr<TOptionsForm> options_;
  std::unique_ptr<TAboutBox> about_;
  DialogMessages messages_;
  TQPropertyInspector* inspector_;
  THelpViewer* help_;
  TViewCommands* view_;
  TCaseChoices* cases_ = nullptr;
  TDocManager* docManager_;
  QTimer* idle_;
};

}  // namespace trevan
