#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/CasedBeam.h"
#include "analysis/Combinations.h"
#include "analysis/ExactResults.h"

namespace trevan {

// Which loads of each case an extreme takes: for a case taken span by span
// one flag a region (CasedBeam::Regions), else a single flag.
using Arrangement = std::vector<std::vector<bool>>;

// The envelope of a list of combinations with pattern loading, by
// superposition of the exact solution of every case on every region it
// loads. Each variable case enters a combination with its factor where it
// is unfavourable and not at all where it is favourable; permanent cases
// always, with the combination's factor on the whole beam.
struct Envelope {
  struct Governed {
    double value = 0;
    double x = 0;
    std::size_t combination = 0;  // index into combinations
    Arrangement arrangement;
    double coincident = 0;  // shear at a moment extreme, moment at a shear extreme
  };
  struct Reaction {
    double x = 0;
    Governed largest, smallest;
  };
  struct Sample {
    double x;
    double shearUpper, shearLower, momentUpper, momentLower;
    double deflectionUpper, deflectionLower;  // downward positive; 0 without a section
  };

  bool solved = false;
  std::string message;
  std::vector<Combination> combinations;
  std::vector<Sample> samples;  // ascending; twice at a jump, its left value first
  std::vector<Reaction> reactions;  // the carrying supports
  Governed maxSagging, maxHogging, maxShear, minShear;
  bool deflected = false;
  Governed maxDeflection, minDeflection;  // downward positive

  // The combinations of the given limit state among `all`; sampled also at
  // `places` (the diagrams' columns, say).
  static Envelope Compute(const CasedBeam& beam, const std::vector<Combination>& all, LimitState limit,
                          bool pattern = true, const std::vector<double>& places = {});
  // The exact result of one combination with the given arrangement; a
  // default arrangement loads everything.
  static ExactResults Solve(const CasedBeam& beam, const Combination& combination,
                            const Arrangement& arrangement = {});
};

}  // namespace trevan
