#pragma once

#include <string>

namespace trevan {

class ClipboardService;
class EditWindow;

// The document window's Copy, Cut and Paste: objects travel through the
// system clipboard as short text records.
class ClipboardExchange {
 public:
  static constexpr int SelectToolCode = 300;
  static constexpr const char* CopyFailed = "Failed to copy image to clipboard!";
  static constexpr const char* PasteFailed = "Failed to paste image from clipboard!";

  ClipboardExchange(EditWindow& window, ClipboardService& clipboard)
      : window_(window), clipboard_(clipboard) {}

  void Copy();
  void Cut();
  // Creates the object of the clipboard's record ten pixel columns from the
  // beam's left end, as an undoable addition.
  void Paste();

 private:
  bool PasteRecord(const std::string& text);

  EditWindow& window_;
  ClipboardService& clipboard_;
};

}  // namespace trevan
