#pragma once
// Each kind of data an older Trevan does not know reads and writes its own
// lines of the trailing block (BlockWriter). The sections follow one another
// in the order of the calls in BeamFile.cpp; a reader takes its section only
// when its first label comes next, so every section is optional.

namespace trevan {

class BlockReader;
class BlockWriter;
struct TitleBlock;

void WriteTitleSection(const TitleBlock& title, BlockWriter& out);
void ReadTitleSection(BlockReader& in, TitleBlock& title);

}  // namespace trevan
