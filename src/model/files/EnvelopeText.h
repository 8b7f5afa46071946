#pragma once

#include <string>
#include <vector>

#include "analysis/Envelope.h"

namespace trevan {

// The words and tables the panel, the report and the command line share
// for load cases, combinations and envelopes.
namespace envelope_text {

// "1.35 Dead + 1.5 Offices".
std::string Factors(const LoadCases& cases, const Combination& combination);
// "Offices on spans 1, 3; Wind off", naming only variable cases; spans
// count every stretch between supports and the overhangs from the left.
std::string ArrangementOf(const LoadCases& cases, const Arrangement& arrangement);
// Every support's range, the largest moments and shears with their
// coincident values, and the largest deflections with span / deflection.
std::vector<std::string> Lines(const CasedBeam& beam, const Envelope& envelope, bool metric);
// x, then upper and lower shear, moment and (with a section) deflection.
std::string Csv(const Envelope& envelope, bool metric);
// The case of each kind, as the panel and the command line list them.
std::string CaseLine(const LoadCase& c, std::size_t index);

}  // namespace envelope_text

}  // namespace trevan
