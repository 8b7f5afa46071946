#pragma once

#include <optional>
#include <string>

namespace trevan {

// The system's text clipboard, opened around each exchange.
class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // Puts a zero-terminated 8-bit text on the clipboard.
  virtual bool SetText(const std::string& text) = 0;
  // The clipboard's text, or nothing when it holds none.
  virtual std::optional<std::string> GetText() = 0;
};

}  // namespace trevan
