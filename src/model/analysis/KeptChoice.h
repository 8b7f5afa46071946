#pragma once

#include <vector>

#include "analysis/Envelope.h"
#include "analysis/ExactResults.h"
#include "analysis/ResultChoice.h"

namespace trevan {

class TTrevanDoc;

// The exact result of a choice that is one solution (the loads as drawn, a
// case, a combination with all its loads), kept with the beam as
// KeptSolution keeps the loads as drawn. An envelope choice answers the
// loads as drawn. The reference holds until the next call for the beam.
const ExactResults& KeptResult(const TTrevanDoc& doc, const ResultChoice& choice);

// The envelope of a limit state with pattern loading, kept with the beam
// until an edit changes it: the diagrams, the axes, the panel and the
// readout ask for it many times between two edits. Sampled also at
// `places`; an envelope kept for other places serves a call without any.
const Envelope& KeptEnvelope(const TTrevanDoc& doc, LimitState limit, const std::vector<double>& places = {});

}  // namespace trevan
