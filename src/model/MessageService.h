#pragma once

#include <string>

namespace trevan {

enum class MessageIcon { None, Information, Exclamation, Warning, Error };

// Modal messages with an OK button. The GUI shows a box, the command line
// prints to stderr and tests record what was said.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
};

}  // namespace trevan
