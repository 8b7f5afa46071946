#include "DialogMessages.h"

#include "DialogService.h"

namespace trevan {

namespace {
DialogIcon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return DialogIcon::Information;
    case MessageIcon::Exclamation:
    case MessageIcon::Warning:
      return DialogIcon::Warning;
    case MessageIcon::Error:
      return DialogIcon::Error;
    case MessageIcon::None:
      break;
  }
  return DialogIcon::None;
}
}  // namespace

void DialogMessages::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  dialogs_.Message(parent_, QString::fromStdString(text), QString::fromStdString(caption), IconOf(icon),
                   DialogButtons::Ok);
}

MessageAnswer DialogMessages::Ask(const std::string& text, const std::string& caption, MessageIcon icon) {
  return dialogs_.Message(parent_, QString::fromStdString(text), QString::fromStdString(caption),
                          IconOf(icon), DialogButtons::YesNo) == DialogButton::Yes
             ? MessageAnswer::Yes
             : MessageAnswer::No;
}

}  // namespace trevan
