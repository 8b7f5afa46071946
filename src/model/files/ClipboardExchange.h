#pragma once

#include <cstddef>
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
  // Creates the object of the clipboard's record, as an undoable addition:
  // at the pointer when it is over the beam, else where it was copied from
  // when that lies on this beam, else mid-beam.
  void Paste();
  // The program remembers where the last copied object stood; tests start afresh.
  static void ForgetCopiedPlace();

 private:
  bool PasteRecord(const std::string& text);
  double PastePosition(const std::string& record, double span) const;
  std::size_t CaseOf(const std::string& field) const;

  EditWindow& window_;
  ClipboardService& clipboard_;
};

}  // namespace trevan
