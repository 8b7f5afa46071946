#include "undo/PaletteUndo.h"

#include "undo/CommandState.h"

namespace trevan::palette {

namespace {
void ShowCaption(CommandState* command, const QAction* action) {
  if (!command || !action) return;
  command->SetCaption(action->Caption);
  command->SetEnabled(true);
}
}  // namespace

QActionData* TUndoSingleBuffer::Do(QActionData& data) {
  QAction* action = data.Action;
  if (!action || !action->OnDo) return nullptr;
  std::unique_ptr<QActionData> reverse = action->Perform(data);
  ShowCaption(UndoAction, action);
  // data may be the record held so far (Undo passes it), so it goes last.
  held_ = std::move(reverse);
  return held_.get();
}

void TUndoSingleBuffer::Undo() {
  if (!GetCanUndo()) return;
  const QAction* action = held_->Action;
  if (!action || !action->OnDo) return;  // never call an empty handler
  // Keep the held record alive while its handler runs.
  std::unique_ptr<QActionData> record = std::move(held_);
  Do(*record);
}

QActionData* TUndoMultiBuffer::Do(QActionData& data) {
  QAction* action = data.Action;
  if (!action || !action->OnDo) return nullptr;
  std::unique_ptr<QActionData> reverse = action->Perform(data);
  ShowCaption(UndoAction, action);
  if (!reverse) return nullptr;
  stack_.push_back(std::move(reverse));
  return stack_.back().get();
}

void TUndoMultiBuffer::Undo() {
  if (!GetCanUndo()) return;
  QAction* action = stack_.back()->Action;
  if (!action || !action->OnDo) return;  // never call an empty handler
  std::unique_ptr<QActionData> popped = std::move(stack_.back());
  stack_.pop_back();
  std::unique_ptr<QActionData> reverse = action->Perform(*popped);
  ShowCaption(UndoAction, action);
  if (stack_.empty() && UndoAction) {
    UndoAction->SetCaption("Can't undo");
    UndoAction->SetEnabled(false);
  }
}

}  // namespace trevan::palette
