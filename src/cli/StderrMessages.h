#pragma once

#include <ostream>
#include <string>

#include "hosts/MessageService.h"

namespace trevan::cli {

// Messages go to the error stream; nobody is there to answer a question, so
// it gets the careful answer. Only a message's first line is written: the
// command says the reason itself, with the file's name.
class StderrMessages : public MessageService {
 public:
  explicit StderrMessages(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    err_ << caption << ": " << text.substr(0, text.find('\n')) << "\n";
  }
  MessageAnswer Ask(const std::string&, const std::string&, MessageIcon) override {
    return MessageAnswer::No;
  }

 private:
  std::ostream& err_;
};

}  // namespace trevan::cli
