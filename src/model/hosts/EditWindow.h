#pragma once

#include <cstddef>
#include <optional>

namespace trevan {

class BeamView;
class EditRecorder;
class MessageService;
class TTrevanDoc;

namespace undo {
class TUndoBuffer;
}

// The document window as its edit actions and recording operations see it.
class EditWindow {
 public:
  virtual ~EditWindow() = default;

  // None before the document is created and after it is closed.
  virtual TTrevanDoc* Beam() = 0;
  virtual double DistanceScale() const = 0;
  virtual BeamView* InputView() = 0;
  virtual undo::TUndoBuffer* UndoBuffer() = 0;
  virtual EditRecorder* Recorder() = 0;
  virtual MessageService& Messages() = 0;
  // Relayout after the beam was cleared; also starts an empty undo history.
  virtual void ResetBeamView() = 0;
  virtual void RepaintAll() = 0;
  // Makes the tool with the given command code the input view's tool.
  virtual void SelectTool(int code) = 0;
  // Drops a mouse gesture under way, putting back what it moved: an edit
  // or a question is about to come between its press and its release.
  virtual void CancelGesture() {}
  // The beam position under the pointer, when the pointer is over the beam.
  virtual std::optional<double> PointerPosition() const { return std::nullopt; }
  // The load case new loads go into; 0 on a beam without cases.
  virtual std::size_t ActiveCase() const { return 0; }
};

}  // namespace trevan
