#pragma once

#include <string>
#include <vector>

#include "hosts/MessageService.h"

namespace trevan::test {

// Keeps every message instead of showing it.
class RecordingMessages : public MessageService {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
    messages.push_back({text, caption, icon});
  }
  MessageAnswer Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
    questions.push_back({text, caption, icon});
    return answer;
  }

  std::vector<Message> messages;
  std::vector<Message> questions;
  MessageAnswer answer = MessageAnswer::No;
};

}  // namespace trevan::test
