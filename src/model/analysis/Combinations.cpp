#include "analysis/Combinations.h"

#include <array>
#include <utility>

#include "text/CLocaleText.h"

namespace trevan {

namespace {

LoadKind KindOf(const LoadCase& c) { return c.kind == LoadKind::Unclassified ? LoadKind::Permanent : c.kind; }

bool IsPermanent(const LoadCase& c) { return KindOf(c) == LoadKind::Permanent; }

class Builder {
 public:
  explicit Builder(const LoadCases& cases) : cases_(cases) {
    for (std::size_t i = 0; i < cases.Count(); ++i) present_[static_cast<int>(KindOf(cases.At(i)))] = true;
  }
  bool Has(LoadKind kind) const { return present_[static_cast<int>(kind)]; }
  std::vector<std::size_t> Variables() const {
    std::vector<std::size_t> v;
    for (std::size_t i = 0; i < cases_.Count(); ++i)
      if (!IsPermanent(cases_.At(i))) v.push_back(i);
    return v;
  }
  // "Q1", "S2": the kind's symbol and the case's place among its kind.
  std::string Label(std::size_t index) const {
    int ordinal = 0;
    for (std::size_t i = 0; i <= index; ++i)
      if (KindOf(cases_.At(i)) == KindOf(cases_.At(index))) ++ordinal;
    return std::string(LoadCase::Symbol(KindOf(cases_.At(index)), false)) + std::to_string(ordinal);
  }
  void Add(std::string name, std::vector<double> factors, LimitState limit) {
    for (const auto& c : list_)
      if (c.factors == factors && c.limit == limit) return;
    list_.push_back({std::move(name), std::move(factors), limit});
  }
  std::vector<double> Permanent(double gamma) const {
    std::vector<double> f(cases_.Count(), 0.0);
    for (std::size_t i = 0; i < f.size(); ++i)
      if (IsPermanent(cases_.At(i))) f[i] = gamma;
    return f;
  }
  // A factor per kind, for the American rules.
  using KindFactors = std::array<double, LoadKindCount>;
  void AddByKind(const KindFactors& k, LimitState limit) {
    std::vector<double> f(cases_.Count());
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = k[static_cast<int>(KindOf(cases_.At(i)))];
    std::string name;
    static constexpr LoadKind order[] = {LoadKind::Permanent, LoadKind::Imposed, LoadKind::RoofLive,
                                         LoadKind::Snow, LoadKind::Rain, LoadKind::Wind};
    for (LoadKind kind : order) {
      const double factor = k[static_cast<int>(kind)];
      if (factor == 0 || !Has(kind)) continue;
      if (!name.empty()) name += " + ";
      // The codes write 1.0W but a bare L.
      if (factor != 1 || kind == LoadKind::Wind) name += CFormat(factor == 1 ? "%.1f" : "%g", factor);
      name += LoadCase::Symbol(kind, true);
    }
    Add(name, std::move(f), limit);
  }
  const LoadCases& Cases() const { return cases_; }
  std::vector<Combination> Take() { return std::move(list_); }

 private:
  const LoadCases& cases_;
  std::array<bool, LoadKindCount> present_{};
  std::vector<Combination> list_;
};

// 1.5 (or the given factor) on the leading case, 1.5 psi0 on the others.
void AddLeading(Builder& b, const std::string& prefix, double gamma, const char* suffix) {
  const auto variables = b.Variables();
  for (std::size_t lead : variables) {
    std::vector<double> f = b.Permanent(gamma);
    for (std::size_t j : variables) f[j] = j == lead ? GammaQ : GammaQ * PsiOf(b.Cases().At(j)).psi0;
    b.Add(prefix + " " + b.Label(lead) + " leading" + suffix, std::move(f), LimitState::Ultimate);
  }
  if (variables.empty()) b.Add(prefix + suffix, b.Permanent(gamma), LimitState::Ultimate);
}

void AddAllAccompanying(Builder& b, const std::string& name, double gamma, LimitState limit,
                        double PsiFactors::*psi, double scale) {
  std::vector<double> f = b.Permanent(gamma);
  for (std::size_t j : b.Variables()) f[j] = scale * (PsiOf(b.Cases().At(j)).*psi);
  b.Add(name, std::move(f), limit);
}

void AddEnServiceability(Builder& b) {
  const auto variables = b.Variables();
  for (std::size_t lead : variables) {
    std::vector<double> f = b.Permanent(1.0);
    for (std::size_t j : variables) f[j] = j == lead ? 1.0 : PsiOf(b.Cases().At(j)).psi0;
    b.Add("Characteristic " + b.Label(lead) + " leading", std::move(f), LimitState::Serviceability);
  }
  for (std::size_t lead : variables) {
    std::vector<double> f = b.Permanent(1.0);
    for (std::size_t j : variables) f[j] = j == lead ? PsiOf(b.Cases().At(j)).psi1 : PsiOf(b.Cases().At(j)).psi2;
    b.Add("Frequent " + b.Label(lead) + " leading", std::move(f), LimitState::Serviceability);
  }
  AddAllAccompanying(b, "Quasi-permanent", 1.0, LimitState::Serviceability, &PsiFactors::psi2, 1.0);
}

// One of the kinds of an "or", with its factor.
struct Choice {
  LoadKind kind;
  double factor;
};

// Every combination of one choice from each "or" term (a term offering no
// kind the beam has drops out), on top of the fixed factors.
void Expand(Builder& b, Builder::KindFactors fixed, const std::vector<std::vector<Choice>>& terms,
            LimitState limit, std::size_t from = 0) {
  if (from == terms.size()) return b.AddByKind(fixed, limit);
  bool any = false;
  for (const Choice& c : terms[from]) {
    if (!b.Has(c.kind)) continue;
    any = true;
    Builder::KindFactors k = fixed;
    k[static_cast<int>(c.kind)] = c.factor;
    Expand(b, k, terms, limit, from + 1);
  }
  if (!any) Expand(b, fixed, terms, limit, from + 1);
}

Builder::KindFactors Fixed(std::initializer_list<Choice> choices) {
  Builder::KindFactors k{};
  for (const Choice& c : choices) k[static_cast<int>(c.kind)] = c.factor;
  return k;
}

constexpr LoadKind D = LoadKind::Permanent, L = LoadKind::Imposed, Lr = LoadKind::RoofLive, S = LoadKind::Snow,
                   W = LoadKind::Wind, R = LoadKind::Rain;

std::vector<Choice> RoofOr(double factor) { return {{Lr, factor}, {S, factor}, {R, factor}}; }

void AddLrfd(Builder& b) {
  constexpr LimitState U = LimitState::Ultimate;
  Expand(b, Fixed({{D, 1.4}}), {}, U);
  Expand(b, Fixed({{D, 1.2}, {L, 1.6}}), {RoofOr(0.5)}, U);
  Expand(b, Fixed({{D, 1.2}}), {RoofOr(1.6), {{L, 1.0}, {W, 0.5}}}, U);
  Expand(b, Fixed({{D, 1.2}, {W, 1.0}, {L, 1.0}}), {RoofOr(0.5)}, U);
  Expand(b, Fixed({{D, 0.9}, {W, 1.0}}), {}, U);
}

void AddAsd(Builder& b, LimitState limit) {
  Expand(b, Fixed({{D, 1.0}}), {}, limit);
  Expand(b, Fixed({{D, 1.0}, {L, 1.0}}), {}, limit);
  Expand(b, Fixed({{D, 1.0}}), {RoofOr(1.0)}, limit);
  Expand(b, Fixed({{D, 1.0}, {L, 0.75}}), {RoofOr(0.75)}, limit);
  Expand(b, Fixed({{D, 1.0}, {W, 0.6}}), {}, limit);
  Expand(b, Fixed({{D, 1.0}, {L, 0.75}, {W, 0.75 * 0.6}}), {RoofOr(0.75)}, limit);
  Expand(b, Fixed({{D, 0.6}, {W, 0.6}}), {}, limit);
}

}  // namespace

PsiFactors PsiOf(const LoadCase& c) {
  switch (c.kind) {
    case LoadKind::Imposed: {
      static constexpr PsiFactors byCategory[ImposedCategoryCount] = {
          {0.7, 0.5, 0.3}, {0.7, 0.5, 0.3}, {0.7, 0.7, 0.6}, {0.7, 0.7, 0.6},
          {1.0, 0.9, 0.8}, {0.7, 0.7, 0.6}, {0.7, 0.5, 0.3}, {0.0, 0.0, 0.0}};
      return byCategory[static_cast<int>(c.category)];
    }
    case LoadKind::Snow: return {0.5, 0.2, 0.0};  // sites below 1000 m
    case LoadKind::Wind: return {0.6, 0.2, 0.0};
    // Roof loads other than snow and wind: category H.
    case LoadKind::RoofLive:
    case LoadKind::Rain: return {0.0, 0.0, 0.0};
    case LoadKind::Permanent:
    case LoadKind::Unclassified: break;
  }
  return {1.0, 1.0, 1.0};
}

std::vector<Combination> GenerateCombinations(const LoadCases& cases, CombinationRule rule,
                                              const std::vector<Combination>& user) {
  Builder b(cases);
  switch (rule) {
    case CombinationRule::En1990Eq610:
      AddLeading(b, "6.10", GammaGSup, "");
      AddLeading(b, "6.10", GammaGInf, " (G inf)");
      AddEnServiceability(b);
      break;
    case CombinationRule::En1990Eq610ab:
      AddAllAccompanying(b, "6.10a", GammaGSup, LimitState::Ultimate, &PsiFactors::psi0, GammaQ);
      AddAllAccompanying(b, "6.10a (G inf)", GammaGInf, LimitState::Ultimate, &PsiFactors::psi0, GammaQ);
      AddLeading(b, "6.10b", Xi * GammaGSup, "");
      AddLeading(b, "6.10b", GammaGInf, " (G inf)");
      AddEnServiceability(b);
      break;
    case CombinationRule::AsceLrfd:
      AddLrfd(b);
      AddAsd(b, LimitState::Serviceability);
      break;
    case CombinationRule::AsceAsd:
      AddAsd(b, LimitState::Ultimate);
      AddAsd(b, LimitState::Serviceability);
      break;
    case CombinationRule::User: return user;
  }
  return b.Take();
}

}  // namespace trevan
