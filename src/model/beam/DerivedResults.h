#pragma once

namespace trevan {

// Something worked out from a beam and kept with it, so that whoever works
// it out (the analysis) can keep one answer per beam without the beam
// knowing of it. The keeper checks itself against the beam before use.
class DerivedResults {
 public:
  virtual ~DerivedResults() = default;
};

}  // namespace trevan
