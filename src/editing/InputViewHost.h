#pragma once

#include <QList>
#include <QString>

#include "analysis/ResultChoice.h"

class QAction;

namespace trevan {

class BeamWindow;
class EditRecorder;
class TTrevanDoc;
class object;

// The document window as its input view and tools see it.
class InputViewHost {
 public:
  virtual ~InputViewHost() = default;

  virtual TTrevanDoc* Beam() = 0;
  virtual BeamWindow* ModelWindow() = 0;
  virtual EditRecorder* Recorder() = 0;
  virtual double DistanceScale() const = 0;
  virtual double ForceScale() const = 0;
  virtual int ColumnCount() const = 0;
  virtual bool IsMetric() const = 0;
  // What the diagrams show, whose reactions the input view draws.
  virtual ResultChoice Choice() const { return {}; }

  // Status bar panel 1.
  virtual void SetReadout(const QString& text) = 0;
  // The property inspector follows the selection; a double click opens it.
  virtual void InspectorShowObject(object* target) = 0;
  virtual void ShowInspector() = 0;
  // The main window refreshes its command states.
  virtual void UpdateCommands() = 0;
  // The force tool made the view taller: the beam line now lies at baseLine.
  virtual void GrowInputView(int baseLine) = 0;
  // Cut, Copy, Delete, a separator (none), Properties.
  virtual QList<QAction*> PopupCommands() = 0;
};

}  // namespace trevan
