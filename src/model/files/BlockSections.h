#pragma once
// Each kind of data an older Trevan does not know reads and writes its own
// lines of the trailing block (BlockWriter). The sections follow one another
// in the order of the calls in BeamFile.cpp; a reader takes its section only
// when its first label comes next, so every section is optional.

#include <cstddef>
#include <vector>

namespace trevan {

class BlockReader;
class BlockWriter;
struct TitleBlock;
struct BeamSection;
struct LoadCases;

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

}  // namespace trevan
