#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "analysis/ExactResults.h"

namespace trevan {
class TTrevanDoc;
}

namespace trevan::cli {

class JsonWriter;

// The exact results of the named combination, or of the loads as they
// stand for an empty name; an error text for a name the beam lacks.
std::optional<std::string> ChosenResults(const TTrevanDoc& beam, const std::string& combination,
                                         ExactResults& results);
// Whether `name` is "uls" or "sls".
bool IsEnvelopeName(const std::string& name);
// The cases, the combinations with their factors and, if asked, an envelope.
void WriteCasesText(const TTrevanDoc& beam, const std::string& envelope, std::ostream& out);
std::string EnvelopeCsv(const TTrevanDoc& beam, const std::string& envelope);
// "cases", "combinations" (each with its exact results) and "envelope"
// with "uls" and "sls".
void WriteCasesJson(const TTrevanDoc& beam, JsonWriter& json);

}  // namespace trevan::cli
