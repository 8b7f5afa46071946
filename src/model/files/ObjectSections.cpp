#include <algorithm>
#include <cmath>

#include "beam/InputLimits.h"
#include "files/BlockReader.h"
#include "files/BlockSections.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"

namespace trevan {

namespace {
constexpr const char* MomentCountLabel = "number of moments";
constexpr const char* MomentLabel = "moment(x,M,case)";
constexpr const char* HingeCountLabel = "number of hinges in the beam";
constexpr const char* HingeLabel = "hinge in the beam(x)";
constexpr const char* PropertyCountLabel = "number of support properties";
constexpr const char* PropertyLabel = "support properties(spring,rotational spring,settlement)";

bool IsOptionalStiffness(double k) { return k == 0 || limits::IsStiffnessValue(k); }

// Supports were saved with nine decimals, which may bring one up to
// FileRoundingSlack nearer to a hinge that was saved exactly.
bool ApartOnReading(double a, double b) {
  return std::fabs(a - b) >= limits::MinSupportGap - limits::FileRoundingSlack;
}
}  // namespace

void WriteMomentSection(const std::vector<SavedMoment>& moments, BlockWriter& out) {
  if (moments.empty()) return;
  out.Count(MomentCountLabel, static_cast<long long>(moments.size()));
  for (const SavedMoment& m : moments) out.Reals(MomentLabel, {m.x, m.m, static_cast<double>(m.loadCase)});
}

void ReadMomentSection(BlockReader& in, std::size_t cases, std::vector<SavedMoment>& moments) {
  if (in.NextLabel() != MomentCountLabel) return;
  const long long count = in.Count(MomentCountLabel, MaxSavedRecords);
  for (long long k = 0; k < count; ++k) {
    const std::vector<double> v = in.Reals(MomentLabel, 3);
    if (!limits::IsMomentValue(v[1])) throw EQReadError("A moment in the file is out of range");
    if (!(v[2] >= 0 && v[2] < static_cast<double>(cases) && v[2] == std::floor(v[2])))
      throw EQReadError("A moment in the file names a load case that does not exist");
    moments.push_back({v[0], v[1], static_cast<std::size_t>(v[2])});
  }
}

void WriteHingeSection(const std::vector<double>& hinges, BlockWriter& out) {
  if (hinges.empty()) return;
  out.Count(HingeCountLabel, static_cast<long long>(hinges.size()));
  for (const double x : hinges) out.Reals(HingeLabel, {x});
}

void ReadHingeSection(BlockReader& in, double length,
                      const std::vector<std::pair<double, TSupportType>>& supports,
                      std::vector<double>& hinges) {
  if (in.NextLabel() != HingeCountLabel) return;
  const long long count = in.Count(HingeCountLabel, MaxSavedRecords);
  // Searched, not scanned: a file may hold the reader's limit of both.
  std::vector<std::pair<double, TSupportType>> byPlace = supports;
  std::sort(byPlace.begin(), byPlace.end());
  std::vector<double> read;
  for (long long k = 0; k < count; ++k) {
    double x = in.Reals(HingeLabel, 1)[0];
    if (!(x >= -limits::FileRoundingSlack && x <= length + limits::FileRoundingSlack))
      throw EQReadError("A hinge in the beam lies outside it");
    x = std::clamp(x, 0.0, length);  // the length itself was saved with nine decimals
    auto near = std::lower_bound(byPlace.begin(), byPlace.end(), std::pair{x - limits::MinSupportGap, ftNone});
    for (; near != byPlace.end() && near->first <= x + limits::MinSupportGap; ++near) {
      const auto& [at, type] = *near;
      if (!ApartOnReading(x, at) && (type == ftVice || !limits::IsHingeOnJoint(x, at)))
        throw EQReadError(type == ftVice ? "A hinge in the beam stands at a vice"
                                         : "A hinge in the beam stands just beside a support");
    }
    read.push_back(x);
  }
  std::vector<double> sorted = read;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t k = 1; k < sorted.size(); ++k)
    if (!limits::IsHingeApart(sorted[k - 1], sorted[k]))
      throw EQReadError("Two hinges in the beam are too close together");
  hinges = std::move(read);
}

void WriteSupportPropertySection(const std::vector<SupportProperties>& supports, BlockWriter& out) {
  const auto rigid = [](const SupportProperties& p) {
    return p.spring == 0 && p.rotationalSpring == 0 && p.settlement == 0;
  };
  if (std::all_of(supports.begin(), supports.end(), rigid)) return;
  out.Count(PropertyCountLabel, static_cast<long long>(supports.size()));
  for (const SupportProperties& p : supports)
    out.Reals(PropertyLabel, {p.spring, p.rotationalSpring, p.settlement});
}

void ReadSupportPropertySection(BlockReader& in, std::size_t supports,
                                std::vector<SupportProperties>& properties) {
  if (in.NextLabel() != PropertyCountLabel) return;
  const long long count = in.Count(PropertyCountLabel, MaxSavedRecords);
  if (static_cast<std::size_t>(count) != supports)
    throw EQReadError("The file has support properties for a different number of supports");
  std::vector<SupportProperties> read;
  for (long long k = 0; k < count; ++k) {
    const std::vector<double> v = in.Reals(PropertyLabel, 3);
    if (!IsOptionalStiffness(v[0]) || !IsOptionalStiffness(v[1]))
      throw EQReadError("A spring stiffness in the file is out of range");
    if (!limits::IsSettlementValue(v[2])) throw EQReadError("A settlement in the file is out of range");
    read.push_back({v[0], v[1], v[2]});
  }
  properties = std::move(read);
}

}  // namespace trevan
