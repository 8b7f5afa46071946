#pragma once

#include "hosts/ClipboardService.h"

namespace trevan {

// The system clipboard through QClipboard; records are 8-bit text.
class QtClipboard : public ClipboardService {
 public:
  bool Open() override { return true; }
  void Close() override {}
  bool SetText(const std::string& text) override;
  std::optional<std::string> GetText() override;
};

}  // namespace trevan
