#pragma once

#include <memory>
#include <string>

namespace trevan {

class EditWindow;

namespace undo {

inline constexpr const char* CantUndo = "Can't &undo";
inline constexpr const char* CantRedo = "Can't &redo";

// An undoable edit of one document. Execute carries it out and answers a
// new action that reverses it; the captions describe this action while it
// lies on top of the undo or redo stack.
class QAction {
 public:
  QAction(EditWindow* owner, std::string undoCaption, std::string redoCaption)
      : Owner(owner), UndoCaption(std::move(undoCaption)), RedoCaption(std::move(redoCaption)) {}
  virtual ~QAction() = default;
  QAction(const QAction&) = delete;
  QAction& operator=(const QAction&) = delete;

  virtual std::unique_ptr<QAction> Execute() = 0;

  EditWindow* Owner;
  std::string UndoCaption;
  std::string RedoCaption;
};

// The sentinel at the bottom of both stacks; doing it changes nothing.
class QActionNone : public QAction {
 public:
  explicit QActionNone(EditWindow* owner) : QAction(owner, CantUndo, CantRedo) {}
  std::unique_ptr<QAction> Execute() override { return std::make_unique<QActionNone>(Owner); }
};

}  // namespace undo
}  // namespace trevan
