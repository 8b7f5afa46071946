#pragma once

#include <string>

namespace trevan {

// A command of the main window (menu item and tool button) whose caption
// and enabled state the model drives, such as Undo and Redo.
class CommandState {
 public:
  virtual ~CommandState() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace trevan
