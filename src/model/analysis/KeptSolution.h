#pragma once

#include "analysis/ExactResults.h"

namespace trevan {

class TTrevanDoc;

// The exact solution of a document's beam, kept with that beam: the
// pictures, the panel and the hints ask about the same beam many times
// between two edits. The reference holds until the next call for the same
// beam, or until the beam dies.
const ExactResults& KeptSolution(const TTrevanDoc& doc);

}  // namespace trevan
