#include "hosts/ProgramResources.h"

namespace trevan {

std::optional<std::string> LoadResourceString(int id) {
  switch (id) {
    case MaxMomentFormatId:
      return "Max. moment : %7.0f %s";
    default:
      return std::nullopt;
  }
}

std::string ProgramVersion() { return TREVAN_VERSION_STRING; }

}  // namespace trevan
