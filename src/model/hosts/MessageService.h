#pragma once

#include <string>

namespace trevan {

enum class MessageIcon { None, Information, Exclamation, Warning, Error };
enum class MessageAnswer { Yes, No };

// Modal messages and Yes/No questions. The GUI shows a box, the command
// line prints to stderr and tests record what was said and answer.
class MessageService {
 public:
  virtual ~MessageService() = default;
  // A message with an OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
  // A question with Yes and No buttons.
  virtual MessageAnswer Ask(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

}  // namespace trevan
