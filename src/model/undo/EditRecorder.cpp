#include "undo/EditRecorder.h"

#include "hosts/BeamView.h"
#include "hosts/EditWindow.h"
#include "hosts/MessageService.h"
#include "undo/EditActions.h"
#include "undo/UndoBuffer.h"

namespace trevan {

using namespace undo;

namespace {
template <class Reverse, class T>
T* TargetOf(QAction* reverse) {
  auto* r = dynamic_cast<Reverse*>(reverse);
  return r ? r->Target.get() : nullptr;
}
}  // namespace

std::size_t EditRecorder::ActiveCase() const { return window_.ActiveCase(); }

charge* EditRecorder::RecordAddCharge(const charge& prototype) {
  TUndoBuffer* buffer = window_.UndoBuffer();
  if (!buffer) return nullptr;
  TActionCharge action(&window_, prototype);
  charge* added = TargetOf<TActionDeleteCharge, charge>(buffer->Do(action));
  if (BeamView* view = window_.InputView()) view->SelectObject(added);
  return added;
}

distrcharge* EditRecorder::RecordAddDistrCharge(const distrcharge& prototype) {
  TUndoBuffer* buffer = window_.UndoBuffer();
  if (!buffer) return nullptr;
  TActionDistrCharge action(&window_, prototype);
  distrcharge* added = TargetOf<TActionDeleteDistrCharge, distrcharge>(buffer->Do(action));
  if (BeamView* view = window_.InputView()) view->SelectObject(added);
  return added;
}

couple* EditRecorder::RecordAddMoment(const couple& prototype) {
  TUndoBuffer* buffer = window_.UndoBuffer();
  if (!buffer) return nullptr;
  TActionMoment action(&window_, prototype);
  couple* added = TargetOf<TActionDeleteMoment, couple>(buffer->Do(action));
  if (BeamView* view = window_.InputView()) view->SelectObject(added);
  return added;
}

joint* EditRecorder::RecordAddHinge(const joint& prototype) {
  TUndoBuffer* buffer = window_.UndoBuffer();
  TTrevanDoc* beam = window_.Beam();
  if (!buffer || !beam) return nullptr;
  if (const std::string problem = beam->HingeProblem(prototype.x); !problem.empty()) {
    window_.CancelGesture();
    window_.Messages().ShowMessage(problem, "Hinge in Beam", MessageIcon::Warning);
    return nullptr;
  }
  TActionHinge action(&window_, prototype);
  joint* added = TargetOf<TActionDeleteHinge, joint>(buffer->Do(action));
  if (BeamView* view = window_.InputView()) view->SelectObject(added);
  return added;
}

element* EditRecorder::RecordAddSupport(double x, TSupportType type) {
  BeamView* view = window_.InputView();
  TUndoBuffer* buffer = window_.UndoBuffer();
  if (!view || !buffer) return nullptr;
  const element prototype(x, x + window_.DistanceScale(), type, type, view, view->SupportGlyph(type));
  TActionSupport action(&window_, prototype);
  element* added = TargetOf<TActionDeleteSupport, element>(buffer->Do(action));
  view->SelectObject(added);
  return added;
}

void EditRecorder::RecordMove(object& target, double distance) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionMove action(&window_, &target, distance);
    buffer->Do(action);
  }
}

void EditRecorder::RecordSection(const BeamSection& section) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionSection action(&window_, section);
    buffer->Do(action);
  }
}

void EditRecorder::RecordCases(const LoadCases& cases) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionCases action(&window_, cases);
    buffer->Do(action);
  }
}

void EditRecorder::RecordDeleteSelected() {
  BeamView* view = window_.InputView();
  TUndoBuffer* buffer = window_.UndoBuffer();
  if (!view || !buffer) return;
  object* selected = view->SelectedObject();
  if (auto* f = dynamic_cast<charge*>(selected)) {
    TActionDeleteCharge action(&window_, f);
    buffer->Do(action);
  } else if (auto* d = dynamic_cast<distrcharge*>(selected)) {
    TActionDeleteDistrCharge action(&window_, d);
    buffer->Do(action);
  } else if (auto* m = dynamic_cast<couple*>(selected)) {
    TActionDeleteMoment action(&window_, m);
    buffer->Do(action);
  } else if (auto* h = dynamic_cast<joint*>(selected)) {
    TActionDeleteHinge action(&window_, h);
    buffer->Do(action);
  } else if (auto* e = dynamic_cast<element*>(selected); e && !e->IsSentinel()) {
    TActionDeleteSupport action(&window_, e);
    buffer->Do(action);
  }
}

void EditRecorder::RecordChargeProps(charge& target, const charge& values) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionChargeProps action(&window_, &target, values);
    buffer->Do(action);
  }
}

void EditRecorder::RecordDistrChargeProps(distrcharge& target, const distrcharge& values) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionDistrChargeProps action(&window_, &target, values);
    buffer->Do(action);
  }
}

void EditRecorder::RecordElementProps(element& target, const element& values) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionElementProps action(&window_, &target, values);
    buffer->Do(action);
  }
}

void EditRecorder::RecordMomentProps(couple& target, const couple& values) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionMomentProps action(&window_, &target, values);
    buffer->Do(action);
  }
}

void EditRecorder::RecordHingeProps(joint& target, const joint& values) {
  if (TUndoBuffer* buffer = window_.UndoBuffer()) {
    TActionHingeProps action(&window_, &target, values);
    buffer->Do(action);
  }
}

std::string EditRecorder::HingeProblem(double x, const joint& moving) const {
  const TTrevanDoc* beam = window_.Beam();
  return beam ? beam->HingeProblem(x, &moving) : std::string();
}

std::string EditRecorder::SupportProblem(double x, TSupportType type) const {
  const TTrevanDoc* beam = window_.Beam();
  return beam ? beam->SupportProblem(x, type) : std::string();
}

void EditRecorder::ClearAll() {
  TTrevanDoc* beam = window_.Beam();
  if (!beam) return;
  // The question takes the mouse: a gesture under way ends here.
  window_.CancelGesture();
  const MessageAnswer answer = window_.Messages().Ask(
      "This will clear all objects. \nThis operation can not be undone. \n\nAre you sure?", "Clear all",
      MessageIcon::Warning);
  if (answer != MessageAnswer::Yes) return;
  beam->Clear();
  window_.ResetBeamView();
  if (TUndoBuffer* buffer = window_.UndoBuffer()) buffer->ShowState();
  window_.RepaintAll();
}

}  // namespace trevan
