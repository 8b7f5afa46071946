#pragma once

#include <span>

namespace trevan {

class TTrevanDoc;

// The iterative analysis of the diagram columns holds for one E I along the
// beam without couples, hinges, springs or settlements. Where the section
// changes or the beam holds any of those, the columns are the exact shear and
// moment sampled at each column instead (column i at i times the distance
// scale), in the columns' own sign, opposite to that of the results.
// Answers whether it replaced them.
bool SampleExactColumns(const TTrevanDoc& beam, double distanceScale, std::span<double> shear,
                        std::span<double> moment);

}  // namespace trevan
