#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trevan::cli {

// trevan-cli convert FILE --to m|ft -o OUT [--force]: the beam in the other
// unit system, switched as the Scale | Units command switches it. A
// read-only OUT is replaced only with --force.
int RunConvert(const std::vector<std::string>& args, std::ostream& err, const char* usage);

}  // namespace trevan::cli
