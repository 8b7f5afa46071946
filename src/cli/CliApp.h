#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trevan {
class HeadlessWindow;
}

namespace trevan::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitUnreadable = 2;
// The beam is loaded but cannot stand: no vice and fewer than two hinges or rolls.
inline constexpr int ExitUnstable = 3;
inline constexpr int ExitUsage = 64;

// Reads the file into the window; on failure says why on err and answers false.
bool OpenBeam(HeadlessWindow& window, const std::string& file, std::ostream& err);

// Runs trevan-cli with the arguments after the program name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trevan::cli
