#include <string>

#include "beam/InputLimits.h"
#include "beam/TitleBlock.h"
#include "files/BlockReader.h"
#include "files/BlockSections.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"

namespace trevan {

namespace {
// One line a field, always all seven, so that a second save writes the same bytes.
constexpr const char* Labels[TitleBlock::FieldCount] = {
    "title(project)", "title(job)",      "title(element)", "title(designer)",
    "title(checker)", "title(revision)", "title(date)"};
}  // namespace

void WriteTitleSection(const TitleBlock& title, BlockWriter& out) {
  if (title.Empty()) return;
  for (int f = 0; f < TitleBlock::FieldCount; ++f) out.Text(Labels[f], title.fields[f]);
}

void ReadTitleSection(BlockReader& in, TitleBlock& title) {
  if (in.NextLabel() != Labels[0]) return;
  for (int f = 0; f < TitleBlock::FieldCount; ++f) {
    std::string text = in.Text(Labels[f]);
    if (!limits::IsTitleText(text)) throw EQReadError("A line of the title block is too long or not text");
    title.fields[f] = std::move(text);
  }
}

}  // namespace trevan
