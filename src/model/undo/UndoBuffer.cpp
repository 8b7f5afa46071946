#include "undo/UndoBuffer.h"

#include "hosts/EditWindow.h"
#include "undo/CommandState.h"

namespace trevan::undo {

TUndoMultiBuffer::TUndoMultiBuffer(EditWindow* owner, CommandState* undoCommand, CommandState* redoCommand)
    : TUndoBuffer(owner, undoCommand),
      redoCommand_(redoCommand),
      sentinel_(std::make_unique<QActionNone>(owner)) {}

QAction* TUndoMultiBuffer::Do(QAction& action) {
  if (owner_) owner_->CancelGesture();
  undo_.push_back(action.Execute());
  QAction* reverse = undo_.back().get();
  if (undoCommand_) {
    undoCommand_->SetCaption(reverse->UndoCaption);
    undoCommand_->SetEnabled(GetCanUndo());
  }
  return reverse;
}

bool TUndoMultiBuffer::GetCanUndo() const { return UndoTop().UndoCaption != CantUndo; }

bool TUndoMultiBuffer::GetCanRedo() const { return RedoTop().RedoCaption != CantRedo; }

void TUndoMultiBuffer::Undo() {
  if (!GetCanUndo()) return;
  if (owner_) owner_->CancelGesture();
  std::unique_ptr<QAction> a = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(a->Execute());
  if (redoCommand_) {
    redoCommand_->SetCaption(redo_.back()->RedoCaption);
    redoCommand_->SetEnabled(GetCanRedo());
  }
  a.reset();
  if (undoCommand_) {
    undoCommand_->SetCaption(UndoTop().UndoCaption);
    undoCommand_->SetEnabled(GetCanUndo());
  }
}

void TUndoMultiBuffer::Redo() {
  if (!GetCanRedo()) return;
  std::unique_ptr<QAction> r = std::move(redo_.back());
  redo_.pop_back();
  Do(*r);
  r.reset();
  if (redoCommand_) redoCommand_->SetCaption(RedoTop().RedoCaption);
  if (undoCommand_) undoCommand_->SetEnabled(GetCanUndo());
  if (redoCommand_) redoCommand_->SetEnabled(GetCanRedo());
}

}  // namespace trevan::undo

namespace trevan::undo {

void TUndoMultiBuffer::ShowState() {
  if (undoCommand_) {
    undoCommand_->SetCaption(UndoTop().UndoCaption);
    undoCommand_->SetEnabled(GetCanUndo());
  }
  if (redoCommand_) {
    redoCommand_->SetCaption(RedoTop().RedoCaption);
    redoCommand_->SetEnabled(GetCanRedo());
  }
}

}  // namespace trevan::undo
