#pragma once

#include "beam/BeamSection.h"
#include "beam/LoadCase.h"
#include "beam/SupportType.h"
#include "hosts/PropertyRecorder.h"

namespace trevan {

class EditWindow;
class charge;
class couple;
class distrcharge;
class joint;
class element;
class object;

// The document window's recording operations: every user edit is built as
// an action, handed to the window's undo buffer and carried out there.
class EditRecorder : public PropertyRecorder {
 public:
  explicit EditRecorder(EditWindow& window) : window_(window) {}

  // Where new loads go: the window's active case.
  std::size_t ActiveCase() const;
  // Each add selects the new object in the input view and answers it.
  charge* RecordAddCharge(const charge& prototype);
  distrcharge* RecordAddDistrCharge(const distrcharge& prototype);
  couple* RecordAddMoment(const couple& prototype);
  // None, after saying why, when the hinge cannot stand where it is.
  joint* RecordAddHinge(const joint& prototype);
  // None when the window has no input view or a support stands at x.
  element* RecordAddSupport(double x, TSupportType type);
  void RecordMove(object& target, double distance);
  // Deletes the input view's selected object; the Sentinel is never deleted.
  void RecordDeleteSelected();
  void RecordChargeProps(charge& target, const charge& values) override;
  void RecordDistrChargeProps(distrcharge& target, const distrcharge& values) override;
  void RecordElementProps(element& target, const element& values) override;
  void RecordMomentProps(couple& target, const couple& values) override;
  void RecordHingeProps(joint& target, const joint& values) override;
  std::string HingeProblem(double x, const joint& moving) const override;
  std::string SupportProblem(double x, TSupportType type) const override;

  // Gives the beam a section (an empty one takes it away).
  void RecordSection(const BeamSection& section);
  void RecordCases(const LoadCases& cases);

  // Removes every object after a confirmation; cannot be undone.
  void ClearAll();

 private:
  EditWindow& window_;
};

}  // namespace trevan
