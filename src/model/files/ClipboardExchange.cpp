#include "files/ClipboardExchange.h"

#include <cmath>

#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "hosts/BeamView.h"
#include "hosts/ClipboardService.h"
#include "hosts/EditWindow.h"
#include "hosts/MessageService.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

namespace {
constexpr const char* MessageCaption = "Trevan";
// A record and its terminating zero fill at most a block of 40 bytes.
constexpr std::size_t MaxRecordLength = 39;
}  // namespace

void ClipboardExchange::Copy() {
  BeamView* view = window_.InputView();
  const object* selected = view ? view->SelectedObject() : nullptr;
  if (!selected) return;
  const bool copied = clipboard_.Open() && selected->CopyToClipboard(clipboard_);
  clipboard_.Close();
  if (!copied) window_.Messages().ShowMessage(CopyFailed, MessageCaption, MessageIcon::None);
}

void ClipboardExchange::Cut() {
  Copy();
  if (EditRecorder* recorder = window_.Recorder()) recorder->RecordDeleteSelected();
}

void ClipboardExchange::Paste() {
  bool pasted = false;
  if (clipboard_.Open()) {
    if (const auto text = clipboard_.GetText()) pasted = PasteRecord(*text);
  }
  clipboard_.Close();
  if (!pasted) window_.Messages().ShowMessage(PasteFailed, MessageCaption, MessageIcon::None);
  window_.SelectTool(SelectToolCode);
}

// False for a record that cannot be read; other texts paste nothing quietly.
bool ClipboardExchange::PasteRecord(const std::string& clipboardText) {
  EditRecorder* recorder = window_.Recorder();
  if (!recorder || !window_.Beam()) return false;
  // The text ends at its first zero byte and at the record block's size.
  std::string text = clipboardText.substr(0, clipboardText.find('\0'));
  text.resize(std::min(text.size(), MaxRecordLength));
  // Only a text that starts like a record is one; anything else, from
  // another program, pastes nothing and is no failure.
  if (text.size() < 2 || text[1] != ';') return true;
  const std::string fields = text.substr(2);
  const double length = window_.Beam()->Length;
  const double at = 10 * window_.DistanceScale();
  BeamView* view = window_.InputView();

  // Refused like an unreadable record: what the beam could not save and
  // read back, or a load off the beam, where the analysis never sees it.
  switch (text[0]) {
    case 'f': {
      const double f = ParseReal(fields);
      if (!limits::IsMagnitude(f) || !limits::IsLoadPosition(at, length)) return false;
      recorder->RecordAddCharge(charge(at, f, view));
      return true;
    }
    case 'd': {
      const auto first = fields.find(';');
      const auto second = first == std::string::npos ? first : fields.find(';', first + 1);
      if (second == std::string::npos) return false;
      const double f1 = ParseReal(fields.substr(0, first));
      const double f2 = ParseReal(fields.substr(first + 1, second - first - 1));
      const double span = ParseReal(fields.substr(second + 1));
      if (!limits::IsMagnitude(f1) || !limits::IsMagnitude(f2) || !std::isfinite(span)) return false;
      if (!limits::IsLoadPosition(at, length) || !limits::IsLoadPosition(at + span, length)) return false;
      recorder->RecordAddDistrCharge(distrcharge(at, at + span, f1, f2, view));
      return true;
    }
    case 'e': {
      const auto type = static_cast<unsigned char>(fields.empty() ? 0 : fields[0]);
      if (!IsValidSupportType(type) || !limits::IsSupportPosition(at, length)) return false;
      // Next to a support already standing there nothing is added, quietly.
      recorder->RecordAddSupport(at, static_cast<TSupportType>(type));
      return true;
    }
    default:
      return true;
  }
}

}  // namespace trevan
