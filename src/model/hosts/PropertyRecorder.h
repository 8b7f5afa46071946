#pragma once

#include <string>

#include "beam/SupportType.h"

namespace trevan {

class charge;
class couple;
class distrcharge;
class element;
class joint;

// Where an object sends its edited property values to become one undoable
// change. The objects know only this, not the undo machinery behind it.
class PropertyRecorder {
 public:
  virtual ~PropertyRecorder() = default;

  virtual void RecordChargeProps(charge& target, const charge& values) = 0;
  virtual void RecordDistrChargeProps(distrcharge& target, const distrcharge& values) = 0;
  virtual void RecordElementProps(element& target, const element& values) = 0;
  virtual void RecordMomentProps(couple& target, const couple& values) = 0;
  virtual void RecordHingeProps(joint& target, const joint& values) = 0;
  // Why the hinge could not stand at x on its beam; empty when it can.
  virtual std::string HingeProblem(double x, const joint& moving) const = 0;
  // Why a support of the type could not stand at x for a hinge in the beam
  // there; empty when it can.
  virtual std::string SupportProblem(double x, TSupportType type) const = 0;
};

}  // namespace trevan
