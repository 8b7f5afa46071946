#pragma once

#include <stdexcept>
#include <string>

namespace trevan {

// Raised by the document reader; the loader turns it into its message box.
class EQReadError : public std::runtime_error {
 public:
  explicit EQReadError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace trevan
