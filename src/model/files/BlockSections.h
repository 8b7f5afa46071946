#pragma once
// Each kind of data an older Trevan does not know reads and writes its own
// lines of the trailing block (BlockWriter). The sections follow one another
// in the order of the calls in BeamFile.cpp; a reader takes its section only
// when its first label comes next, so every section is optional.

#include <cstddef>
#include <utility>
#include <vector>

#include "beam/SupportType.h"

namespace trevan {

class BlockReader;
class BlockWriter;
struct TitleBlock;
struct BeamSection;
struct LoadCases;

// As many records of a kind as the support lines may hold.
inline constexpr long long MaxSavedRecords = 100000;

struct SavedMoment {
  double x = 0, m = 0;
  std::size_t loadCase = 0;
};
// In the units the support keeps them in; 0 is rigid or not settled.
struct SupportProperties {
  double spring = 0, rotationalSpring = 0, settlement = 0;
  friend bool operator==(const SupportProperties&, const SupportProperties&) = default;
};

void WriteTitleSection(const TitleBlock& title, BlockWriter& out);
void ReadTitleSection(BlockReader& in, TitleBlock& title);
// E and I along the beam; the reader checks them against the beam's length.
// The last segment ends where the saved beam does, so that a second save
// writes the same bytes.
void WriteSectionBlock(const BeamSection& section, double savedLength, BlockWriter& out);
void ReadSectionBlock(BlockReader& in, double length, BeamSection& section);
// The load cases and the case of every force and distributed load, in the
// order of their lines; nothing for a beam whose loads are all in the one
// unnamed case.
void WriteLoadCaseSection(const LoadCases& cases, const std::vector<std::size_t>& forceCases,
                          const std::vector<std::size_t>& loadCases, BlockWriter& out);
void ReadLoadCaseSection(BlockReader& in, LoadCases& cases, std::vector<std::size_t>& forceCases,
                         std::vector<std::size_t>& loadCases);
// Point moments with their load cases, read after the cases they name.
void WriteMomentSection(const std::vector<SavedMoment>& moments, BlockWriter& out);
void ReadMomentSection(BlockReader& in, std::size_t cases, std::vector<SavedMoment>& moments);
// Hinges in the beam: on it, never at a support, apart from one another.
void WriteHingeSection(const std::vector<double>& hinges, BlockWriter& out);
void ReadHingeSection(BlockReader& in, double length,
                      const std::vector<std::pair<double, TSupportType>>& supports,
                      std::vector<double>& hinges);
// One line for each support line, in their order; nothing when every support is rigid.
void WriteSupportPropertySection(const std::vector<SupportProperties>& supports, BlockWriter& out);
void ReadSupportPropertySection(BlockReader& in, std::size_t supports,
                                std::vector<SupportProperties>& properties);

}  // namespace trevan
