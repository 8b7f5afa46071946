#include <algorithm>
#include <cmath>
#include <string>

#include "beam/InputLimits.h"
#include "beam/LoadCase.h"
#include "files/BlockReader.h"
#include "files/BlockSections.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"

namespace trevan {

namespace {
constexpr const char* CountLabel = "number of load cases";
constexpr const char* KindLabel = "load case kind";
constexpr const char* CategoryLabel = "load case category";
constexpr const char* NameLabel = "load case name";
constexpr const char* ForcesLabel = "load case of each force";
constexpr const char* LoadsLabel = "load case of each distributed load";
constexpr const char* RuleLabel = "combination rule";
constexpr const char* UserCountLabel = "number of user combinations";
constexpr const char* UserNameLabel = "user combination name";
constexpr const char* UserLimitLabel = "user combination limit state";
constexpr const char* UserFactorsLabel = "user combination factors";
constexpr auto MaxUserCombinations = static_cast<long long>(LoadCases::MaxUserCombinations);

std::vector<double> AsReals(const std::vector<std::size_t>& indices) {
  return std::vector<double>(indices.begin(), indices.end());
}

std::vector<std::size_t> Indices(BlockReader& in, const char* label, std::size_t count, std::size_t cases) {
  std::vector<std::size_t> indices;
  for (double v : in.Reals(label, count)) {
    if (!(v >= 0 && v < static_cast<double>(cases) && v == std::floor(v)))
      throw EQReadError("A load in the file names a load case that does not exist");
    indices.push_back(static_cast<std::size_t>(v));
  }
  return indices;
}
}  // namespace

void WriteLoadCaseSection(const LoadCases& cases, const std::vector<std::size_t>& forceCases,
                          const std::vector<std::size_t>& loadCases, BlockWriter& out) {
  auto zero = [](std::size_t c) { return c == 0; };
  if (cases.IsDefault() && std::all_of(forceCases.begin(), forceCases.end(), zero) &&
      std::all_of(loadCases.begin(), loadCases.end(), zero))
    return;
  out.Count(CountLabel, static_cast<long long>(cases.Count()));
  for (std::size_t k = 0; k < cases.Count(); ++k) {
    const LoadCase c = cases.At(k);
    out.Count(KindLabel, static_cast<long long>(c.kind));
    out.Count(CategoryLabel, static_cast<long long>(c.category));
    out.Text(NameLabel, c.name);
  }
  out.Reals(ForcesLabel, AsReals(forceCases));
  out.Reals(LoadsLabel, AsReals(loadCases));
  out.Count(RuleLabel, static_cast<long long>(cases.rule));
  out.Count(UserCountLabel, static_cast<long long>(cases.user.size()));
  for (const Combination& c : cases.user) {
    out.Text(UserNameLabel, c.name);
    out.Count(UserLimitLabel, static_cast<long long>(c.limit));
    std::vector<double> factors = c.factors;
    factors.resize(cases.Count(), 0.0);
    out.Reals(UserFactorsLabel, factors);
  }
}

void ReadLoadCaseSection(BlockReader& in, LoadCases& cases, std::vector<std::size_t>& forceCases,
                         std::vector<std::size_t>& loadCases) {
  if (in.NextLabel() != CountLabel) return;
  const long long count = in.Count(CountLabel, static_cast<long long>(LoadCases::MaxCases));
  if (count == 0) throw EQReadError("The file has a list of load cases without any case");
  LoadCases read;
  for (long long k = 0; k < count; ++k) {
    LoadCase c;
    const long long kind = in.Count(KindLabel, LoadKindCount - 1);
    const long long category = in.Count(CategoryLabel, ImposedCategoryCount - 1);
    c.kind = static_cast<LoadKind>(kind);
    c.category = static_cast<ImposedCategory>(category);
    c.name = in.Text(NameLabel);
    if (!limits::IsTitleText(c.name)) throw EQReadError("A load case name in the file is too long or not text");
    read.cases.push_back(std::move(c));
  }
  const std::size_t n = read.cases.size();
  forceCases = Indices(in, ForcesLabel, forceCases.size(), n);
  loadCases = Indices(in, LoadsLabel, loadCases.size(), n);
  read.rule = static_cast<CombinationRule>(in.Count(RuleLabel, static_cast<long long>(CombinationRule::User)));
  const long long users = in.Count(UserCountLabel, MaxUserCombinations);
  for (long long k = 0; k < users; ++k) {
    Combination c;
    c.name = in.Text(UserNameLabel);
    if (!limits::IsTitleText(c.name)) throw EQReadError("A combination name in the file is too long or not text");
    c.limit = static_cast<LimitState>(in.Count(UserLimitLabel, 1));
    c.factors = in.Reals(UserFactorsLabel, n);
    if (!std::all_of(c.factors.begin(), c.factors.end(), limits::IsCombinationFactor))
      throw EQReadError("A combination factor in the file is out of range");
    read.user.push_back(std::move(c));
  }
  cases = std::move(read);
}

}  // namespace trevan
