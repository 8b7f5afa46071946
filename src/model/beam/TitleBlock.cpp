#include "beam/TitleBlock.h"

#include <algorithm>

namespace trevan {

bool TitleBlock::Empty() const {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& s) { return s.empty(); });
}

}  // namespace trevan
