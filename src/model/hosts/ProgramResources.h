#pragma once

#include <optional>
#include <string>

namespace trevan {

inline constexpr int MaxMomentFormatId = 8060;

// The program's string resources; nullopt for an unknown id.
std::optional<std::string> LoadResourceString(int id);

// The program's file version, "2.0.0.0", from the build.
std::string ProgramVersion();

}  // namespace trevan
