#include "beam/BeamSection.h"
#include "beam/InputLimits.h"
#include "files/BlockReader.h"
#include "files/BlockSections.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"

namespace trevan {

namespace {
constexpr const char* CountLabel = "number of segments";
constexpr const char* SegmentLabel = "segment(x1,x2,E,I)";
}  // namespace

void WriteSectionBlock(const BeamSection& section, double savedLength, BlockWriter& out) {
  if (section.Empty()) return;
  out.Count(CountLabel, static_cast<long long>(section.segments.size()));
  for (const auto& s : section.segments)
    out.Reals(SegmentLabel, {s.x1, &s == &section.segments.back() ? savedLength : s.x2, s.E, s.I});
}

void ReadSectionBlock(BlockReader& in, double length, BeamSection& section) {
  if (in.NextLabel() != CountLabel) return;
  const long long count = in.Count(CountLabel, static_cast<long long>(limits::MaxSegments));
  if (count == 0) throw EQReadError("The section in the file has no segments");
  BeamSection read;
  for (long long k = 0; k < count; ++k) {
    const std::vector<double> v = in.Reals(SegmentLabel, 4);
    read.segments.push_back({v[0], v[1], v[2], v[3]});
  }
  const std::string problem = read.Problem(length, limits::FileRoundingSlack);
  if (!problem.empty()) throw EQReadError("The section in the file is not valid: " + problem);
  // The length itself was saved with nine decimals.
  read.segments.front().x1 = 0;
  read.segments.back().x2 = length;
  section = std::move(read);
}

}  // namespace trevan
