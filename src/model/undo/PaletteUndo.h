#pragma once
// Stand-alone undo components for other programs: records carried out by
// event handlers instead of virtual methods. The document windows use the
// classes of UndoBuffer.h instead.

#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace trevan {

class CommandState;

namespace palette {

class QAction;

// A record to carry out. Handlers derive their own records from it.
struct QActionData {
  explicit QActionData(QAction* action) : Action(action) {}
  virtual ~QActionData() = default;
  QAction* Action;
};
using pQActionData = QActionData*;

// Carries out records through its OnDo handler, which answers a newly made
// record that reverses the one it was given.
class QAction {
 public:
  using DoHandler = std::function<void(QActionData& actionData, std::unique_ptr<QActionData>& newActionData)>;

  std::string Caption;
  DoHandler OnDo;

  // The reverse record; none when no handler is assigned.
  std::unique_ptr<QActionData> Perform(QActionData& data) {
    std::unique_ptr<QActionData> reverse;
    if (OnDo) OnDo(data, reverse);
    return reverse;
  }
};

// Holds one record: a second Undo undoes the undo.
class TUndoSingleBuffer {
 public:
  CommandState* UndoAction = nullptr;

  QActionData* Do(QActionData& data);
  bool GetCanUndo() const { return held_ != nullptr; }
  void Undo();

 private:
  std::unique_ptr<QActionData> held_;
};

// A stack of records without redo.
class TUndoMultiBuffer {
 public:
  CommandState* UndoAction = nullptr;

  QActionData* Do(QActionData& data);
  bool GetCanUndo() const { return !stack_.empty(); }
  void Undo();
  void Flush() { stack_.clear(); }
  std::size_t Depth() const { return stack_.size(); }

 private:
  std::deque<std::unique_ptr<QActionData>> stack_;
};

}  // namespace palette
}  // namespace trevan
