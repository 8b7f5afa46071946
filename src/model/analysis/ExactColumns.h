#pragma once

#include <span>

namespace trevan {

class TTrevanDoc;
struct ExactResults;

// The iterative analysis of the diagram columns holds for one E I along the
// beam without couples, hinges, springs or settlements. Where the section
// changes or the beam holds any of those, the columns are the exact shear and
// moment sampled at each column instead (column i at i times the distance
// scale), in the columns' own sign, opposite to that of the results.
// Answers whether it replaced them.
bool SampleExactColumns(const TTrevanDoc& beam, double distanceScale, std::span<double> shear,
                        std::span<double> moment);
// Whether the beam holds couples, hinges, or springs or settlements taken
// with its section: what the iterative analysis cannot represent.
bool HoldsExactOnlyEffects(const TTrevanDoc& beam);
// The columns of one exact result (a load case or a combination), in the
// columns' sign; false, leaving them, for a result not solved.
bool SampleResultColumns(const ExactResults& results, double distanceScale, std::span<double> shear,
                         std::span<double> moment);

}  // namespace trevan
