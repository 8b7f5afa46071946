#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trevan::cli {

// trevan-cli convert FILE --to m|ft -o OUT: the beam in the other unit
// system, switched as the Scale | Units command switches it.
int RunConvert(const std::vector<std::string>& args, std::ostream& err, const char* usage);

}  // namespace trevan::cli
