#pragma once

#include <QAction>
#include <QPointer>

#include "undo/CommandState.h"

namespace trevan {

// A main-window command as the model's undo buffers drive it.
class ActionCommand : public CommandState {
 public:
  explicit ActionCommand(QAction* action) : action_(action) {}
  void SetCaption(const std::string& caption) override {
    if (action_) action_->setText(QString::fromStdString(caption));
  }
  void SetEnabled(bool enabled) override {
    if (action_) action_->setEnabled(enabled);
  }

 private:
  QPointer<QAction> action_;
};

}  // namespace trevan
