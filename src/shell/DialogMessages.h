#pragma once

#include "hosts/MessageService.h"

class QWidget;

namespace trevan {

class DialogService;

// The model's messages shown through the dialog service.
class DialogMessages : public MessageService {
 public:
  DialogMessages(DialogService& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  MessageAnswer Ask(const std::string& text, const std::string& caption, MessageIcon icon) override;

 private:
  DialogService& dialogs_;
  QWidget* parent_;
};

}  // namespace trevan
