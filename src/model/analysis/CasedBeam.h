#pragma once

#include <cstddef>
#include <vector>

#include "analysis/ExactBeam.h"
#include "beam/LoadCase.h"

namespace trevan {

class TTrevanDoc;

// A beam whose loads each belong to a load case, split into the parts the
// superposition of cases and spans needs.
struct CasedBeam {
  ExactBeam beam;                       // every load, unfactored
  std::vector<std::size_t> forceCases;  // by beam.forces
  std::vector<std::size_t> loadCases;   // by beam.loads
  std::vector<std::size_t> momentCases; // by beam.moments
  LoadCases cases;

  static CasedBeam From(const TTrevanDoc& doc);

  // The stretches a pattern loads or leaves: between carrying supports and
  // the overhangs, ascending, as [x0, x1] pairs.
  std::vector<std::pair<double, double>> Regions() const;
  // The loads of one case (with the given factor) on one region, or on the
  // whole beam when region is none; supports, springs, hinges and stiffness
  // as the beam's, but no settlement: that is no load of any case.
  static constexpr std::size_t WholeBeam = static_cast<std::size_t>(-1);
  ExactBeam Part(std::size_t loadCase, std::size_t region, double factor = 1.0) const;
  // Whether the pattern loading treats a case span by span: imposed and
  // snow loads on a beam of two or more spans, or of a span and an overhang.
  bool Patterned(std::size_t loadCase) const;
  // Whether any support settles (and the beam has the section that takes it).
  bool Settles() const;
  // The beam without a load: supports with their springs and settlements,
  // hinges and stiffness. Solved alone, it is what the settlements do, which
  // enters every combination once, unfactored.
  ExactBeam Unloaded() const;
};

}  // namespace trevan
