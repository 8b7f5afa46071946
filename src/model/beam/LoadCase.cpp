#include "beam/LoadCase.h"

namespace trevan {

std::string_view LoadCase::Symbol(LoadKind kind, bool american) {
  switch (kind) {
    case LoadKind::Permanent: return american ? "D" : "G";
    case LoadKind::Imposed: return american ? "L" : "Q";
    case LoadKind::RoofLive: return "Lr";
    case LoadKind::Snow: return "S";
    case LoadKind::Wind: return "W";
    case LoadKind::Rain: return "R";
    case LoadKind::Unclassified: break;
  }
  return "";
}

std::string_view LoadCase::KindName(LoadKind kind) {
  switch (kind) {
    case LoadKind::Permanent: return "permanent";
    case LoadKind::Imposed: return "imposed";
    case LoadKind::RoofLive: return "roof live";
    case LoadKind::Snow: return "snow";
    case LoadKind::Wind: return "wind";
    case LoadKind::Rain: return "rain";
    case LoadKind::Unclassified: break;
  }
  return "unclassified";
}

bool LoadCases::IsDefault() const {
  return (cases.empty() || (cases.size() == 1 && cases.front() == LoadCase{})) &&
         rule == CombinationRule::En1990Eq610 && user.empty();
}

LoadCase LoadCases::At(std::size_t index) const { return index < cases.size() ? cases[index] : LoadCase{}; }

std::string LoadCases::Label(std::size_t index) const {
  const std::string name = At(index).name;
  return std::to_string(index + 1) + (name.empty() ? "" : ": " + name);
}

}  // namespace trevan
