#pragma once

#include <QList>
#include <QString>

class QAction;
class QWidget;

namespace trevan {

class CommandState;
class DialogService;
class TOptionsForm;
class TStartForm;
class object;

// What a document window needs of the main window: status panels, the
// Undo and Redo commands, the popup's commands, the property inspector,
// the unit menu items and setting, and the shared dialogs.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  // Panel 1 takes readouts, panel 2 the largest moment.
  virtual void SetStatusText(int panel, const QString& text) = 0;
  // The panels show only the active window's texts; a host of one window
  // has it always active.
  virtual bool IsActiveDocument(const QWidget*) const { return true; }
  virtual CommandState* UndoCommand() = 0;
  virtual CommandState* RedoCommand() = 0;
  // Runs the main window's Undo command (the Backspace key).
  virtual void Undo() = 0;
  virtual void UpdateCommands() = 0;
  virtual QList<QAction*> PopupCommands() = 0;

  virtual void InspectorShowObject(object* target) = 0;
  virtual bool InspectorVisible() const = 0;
  virtual void ShowInspector() = 0;
  virtual void HideInspector() = 0;

  // Check marks of the Metric and Non-metric menu items.
  virtual void SetMetricChecks(bool metric) = 0;
  // The stored unit setting, "1" for metric.
  virtual void SetMetricSetting(const QString& value) = 0;

  virtual DialogService& Dialogs() = 0;
  virtual TStartForm& StartForm() = 0;
  virtual const TOptionsForm& Options() const = 0;
};

}  // namespace trevan
