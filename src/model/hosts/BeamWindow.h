#pragma once

#include <string>

namespace trevan {

class MessageService;
class PropertyRecorder;
class object;
struct LoadCases;

// The document window as the beam and its objects see it.
class BeamWindow {
 public:
  virtual ~BeamWindow() = default;

  virtual double DistanceScale() const = 0;  // length units per pixel column
  virtual double ForceScale() const = 0;     // force units per pixel
  virtual double MomentScale() const = 0;    // moment units per pixel
  // The beam's unit flag; a window without a beam answers true.
  virtual bool IsMetric() const = 0;
  // The beam's length; 0 without a beam.
  virtual double BeamLength() const = 0;

  virtual void SetDirty(bool dirty) = 0;
  virtual void Recalculate() = 0;
  // Shows the object in the property inspector again if the inspector is visible.
  virtual void RefreshInspector(object& target) = 0;
  virtual MessageService& Messages() = 0;
  // Where edited property values are recorded as undoable changes.
  virtual PropertyRecorder* Recorder() = 0;
  // The beam's load cases, for the objects' case rows; none without a beam.
  virtual const LoadCases* BeamCases() const { return nullptr; }
};

}  // namespace trevan
