#pragma once

namespace trevan {

class charge;
class distrcharge;
class element;

// Where an object sends its edited property values to become one undoable
// change. The objects know only this, not the undo machinery behind it.
class PropertyRecorder {
 public:
  virtual ~PropertyRecorder() = default;

  virtual void RecordChargeProps(charge& target, const charge& values) = 0;
  virtual void RecordDistrChargeProps(distrcharge& target, const distrcharge& values) = 0;
  virtual void RecordElementProps(element& target, const element& values) = 0;
};

}  // namespace trevan
