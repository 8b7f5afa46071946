#pragma once

#include <deque>
#include <memory>

#include "undo/UndoAction.h"

namespace trevan {

class CommandState;

namespace undo {

// An undo history that carries out what it is given and keeps the reverse.
class TUndoBuffer {
 public:
  TUndoBuffer(EditWindow* owner, CommandState* undoCommand) : owner_(owner), undoCommand_(undoCommand) {}
  virtual ~TUndoBuffer() = default;
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Carries the action out and answers its reverse, which the buffer keeps.
  virtual QAction* Do(QAction& action) = 0;
  virtual bool GetCanUndo() const = 0;
  virtual void Undo() = 0;
  // Sets the commands' captions and states for this buffer, as when it
  // takes the place of another.
  virtual void ShowState() = 0;

 protected:
  EditWindow* owner_;
  CommandState* undoCommand_;
};

// The undo and redo stacks of one document window. Both rest on one shared
// sentinel; a new edit leaves the redo stack as it is.
class TUndoMultiBuffer : public TUndoBuffer {
 public:
  TUndoMultiBuffer(EditWindow* owner, CommandState* undoCommand, CommandState* redoCommand);

  QAction* Do(QAction& action) override;
  bool GetCanUndo() const override;
  void Undo() override;
  void ShowState() override;
  void Redo();
  bool GetCanRedo() const;

  const QAction& UndoTop() const { return undo_.empty() ? *sentinel_ : *undo_.back(); }
  const QAction& RedoTop() const { return redo_.empty() ? *sentinel_ : *redo_.back(); }
  std::size_t UndoDepth() const { return undo_.size(); }
  std::size_t RedoDepth() const { return redo_.size(); }

 private:
  CommandState* redoCommand_;
  std::unique_ptr<QAction> sentinel_;
  // Above the sentinel; the stacks never pop it.
  std::deque<std::unique_ptr<QAction>> undo_;
  std::deque<std::unique_ptr<QAction>> redo_;
};

}  // namespace undo
}  // namespace trevan
