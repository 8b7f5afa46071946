#pragma once

#include <QAction>
#include <map>

#include "DocumentHost.h"
#include "ScriptedDialogs.h"
#include "TMDIChild.h"
#include "TNumberEdit.h"
#include "TOptionsForm.h"
#include "TStartForm.h"
#include "headless/HeadlessWindow.h"

namespace trevan::test {

// A stand-in main window for one document window: it keeps what the
// window tells it and answers dialogs from a script.
class TestHost : public DocumentHost {
 public:
  TestHost() : startForm(dialogs), options(dialogs) {
    for (const char* name : {"Cut", "Copy", "Delete", "Properties"}) popup.append(new QAction(name));
    popup.insert(3, nullptr);
  }
  ~TestHost() override { qDeleteAll(popup); }

  void SetStatusText(int panel, const QString& text) override { status[panel] = text; }
  CommandState* UndoCommand() override { return &undo; }
  CommandState* RedoCommand() override { return &redo; }
  void Undo() override {
    ++undoRuns;
    if (window && window->UndoStack()) window->UndoStack()->Undo();
  }
  void UpdateCommands() override { ++commandUpdates; }
  QList<QAction*> PopupCommands() override { return popup; }
  void InspectorShowObject(object* target) override { inspected = target; }
  bool InspectorVisible() const override { return inspectorVisible; }
  void ShowInspector() override { inspectorVisible = true; }
  void HideInspector() override { inspectorVisible = false; }
  void SetMetricChecks(bool metric) override { metricChecked = metric; }
  void SetMetricSetting(const QString& value) override { metricSetting = value; }
  DialogService& Dialogs() override { return dialogs; }
  TStartForm& StartForm() override { return startForm; }
  const TOptionsForm& Options() const override { return options; }

  void AnswerNewProject(const QString& length, int unit = 0) { dialogs.AnswerNewProject(length, unit); }

  ScriptedDialogs dialogs;
  TStartForm startForm;
  TOptionsForm options;
  CommandStatus undo{"Can't &Undo"};
  CommandStatus redo{"Can't &Redo"};
  QList<QAction*> popup;
  std::map<int, QString> status;
  TMDIChild* window = nullptr;
  object* inspected = nullptr;
  bool inspectorVisible = false;
  bool metricChecked = true;
  QString metricSetting;
  int undoRuns = 0;
  int commandUpdates = 0;
};

}  // namespace trevan::test
