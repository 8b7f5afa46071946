#include "files/ClipboardExchange.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

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

// The records carry no position; the last one copied in this program
// remembers where its object stood, for any window that pastes it.
struct CopiedPlace {
  std::string record;
  double position = 0;
};
CopiedPlace& LastCopied() {
  static CopiedPlace place;
  return place;
}

std::string RecordOf(std::string text) {
  text = text.substr(0, text.find('\0'));
  text.resize(std::min(text.size(), MaxRecordLength));
  return text;
}
}  // namespace

void ClipboardExchange::Copy() {
  BeamView* view = window_.InputView();
  const object* selected = view ? view->SelectedObject() : nullptr;
  if (!selected) return;
  bool copied = clipboard_.Open() && selected->CopyToClipboard(clipboard_);
  if (copied) {
    if (const auto text = clipboard_.GetText())
      LastCopied() = {RecordOf(*text), selected->GetPlacement().first};
  }
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
  const std::string text = RecordOf(clipboardText);
  // Only a text that starts like a record is one; anything else, from
  // another program, pastes nothing and is no failure.
  if (text.size() < 2 || text[1] != ';') return true;
  const std::string fields = text.substr(2);
  const double length = window_.Beam()->Length;
  const double at = PastePosition(text, 0);
  BeamView* view = window_.InputView();

  // Refused like an unreadable record: what the beam could not save and
  // read back, or a load off the beam, where the analysis never sees it.
  switch (text[0]) {
    case 'f': {
      const double f = ParseReal(fields);
      if (!limits::IsMagnitude(f) || !limits::IsLoadPosition(at, length)) return false;
      charge pasted(at, f, view);
      pasted.Case = CaseOf(fields.substr(std::min(fields.find(';'), fields.size())));
      recorder->RecordAddCharge(pasted);
      return true;
    }
    case 'm': {
      const double m = ParseReal(fields);
      if (!limits::IsMomentValue(m) || !limits::IsLoadPosition(at, length)) return false;
      couple pasted(at, m, view);
      pasted.Case = CaseOf(fields.substr(std::min(fields.find(';'), fields.size())));
      recorder->RecordAddMoment(pasted);
      return true;
    }
    case 'j': {
      // A place another joint takes is refused with the reason, like the tool's.
      if (!limits::IsHingePosition(at, length)) return false;
      recorder->RecordAddHinge(joint(at, view));
      return true;
    }
    case 'd': {
      const auto first = fields.find(';');
      const auto second = first == std::string::npos ? first : fields.find(';', first + 1);
      if (second == std::string::npos) return false;
      const double f1 = ParseReal(fields.substr(0, first));
      const double f2 = ParseReal(fields.substr(first + 1, second - first - 1));
      const double span = ParseReal(fields.substr(second + 1));
      if (!limits::IsMagnitude(f1) || !limits::IsMagnitude(f2) || !std::isfinite(span) || span < 0)
        return false;
      const double start = PastePosition(text, span);
      if (!limits::IsLoadPosition(start, length) || !limits::IsLoadPosition(start + span, length))
        return false;
      distrcharge pasted(start, start + span, f1, f2, view);
      const auto third = fields.find(';', second + 1);
      pasted.Case = CaseOf(third == std::string::npos ? std::string() : fields.substr(third));
      recorder->RecordAddDistrCharge(pasted);
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

// The case a record's trailing field (";2") names, when this beam has it;
// else, and for a record without one, the active case.
std::size_t ClipboardExchange::CaseOf(const std::string& field) const {
  const std::size_t count = window_.Beam()->Cases.Count();
  if (field.size() < 2 || field[0] != ';' || !std::isdigit(static_cast<unsigned char>(field[1])))
    return window_.ActiveCase();
  const long long index = ParseInteger(field.substr(1));
  return index >= 0 && static_cast<std::size_t>(index) < count ? static_cast<std::size_t>(index)
                                                               : window_.ActiveCase();
}

void ClipboardExchange::ForgetCopiedPlace() { LastCopied() = {}; }

namespace {
// The type an "e;" record carries in its one raw byte; none when it ends early.
TSupportType SupportTypeOf(const std::string& record) {
  const auto type = static_cast<unsigned char>(record.size() > 2 ? record[2] : 0);
  return IsValidSupportType(type) ? static_cast<TSupportType>(type) : ftNone;
}
}  // namespace

// A load that would reach past the right end starts that much earlier; a
// support or a hinge in the beam whose copied place is taken goes mid-beam.
double ClipboardExchange::PastePosition(const std::string& record, double span) const {
  const TTrevanDoc& beam = *window_.Beam();
  const double length = beam.Length;
  const bool copiedFits = LastCopied().record == record &&
                          limits::IsLoadPosition(LastCopied().position, length) &&
                          (record[0] != 'e' || beam.SupportFits(LastCopied().position, SupportTypeOf(record))) &&
                          (record[0] != 'j' || beam.HingeProblem(LastCopied().position).empty());
  double at = length / 2;
  if (const std::optional<double> pointer = window_.PointerPosition())
    at = *pointer;
  else if (copiedFits)
    at = LastCopied().position;
  if (span > 0 && at + span > length) at = std::max(0.0, length - span);
  return at;
}

}  // namespace trevan
