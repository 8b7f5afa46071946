#pragma once

#include <ostream>
#include <string>

#include "hosts/MessageService.h"

namespace trevan::cli {

// Messages go to the error stream; nobody is there to answer a question, so
// it gets the careful answer.
class StderrMessages : public MessageService {
 public:
  explicit StderrMessages(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    err_ << caption << ": " << text << "\n";
  }
  MessageAnswer Ask(const std::string&, const std::string&, MessageIcon) override {
    return MessageAnswer::No;
  }

 private:
  std::ostream& err_;
};

}  // namespace trevan::cli
