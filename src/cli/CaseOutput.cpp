#include "CaseOutput.h"

#include "JsonWriter.h"
#include "analysis/Combinations.h"
#include "analysis/Envelope.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "files/EnvelopeText.h"
#include "text/CLocaleText.h"

namespace trevan::cli {

namespace {
LimitState LimitOf(const std::string& envelope) {
  return envelope == "sls" ? LimitState::Serviceability : LimitState::Ultimate;
}

const char* LimitName(LimitState limit) { return limit == LimitState::Ultimate ? "ultimate" : "serviceability"; }

void WriteGoverned(const char* key, const LoadCases& cases, const Envelope& e, const Envelope::Governed& g,
                   const char* coincident, JsonWriter& json) {
  json.BeginObjectMember(key);
  json.Member("value", g.value);
  json.Member("x", g.x);
  json.Member("combination", e.combinations[g.combination].name);
  json.Member("arrangement", envelope_text::ArrangementOf(cases, g.arrangement));
  if (coincident) json.Member(coincident, g.coincident);
  json.EndObject();
}

void WriteEnvelopeJson(const char* key, const CasedBeam& beam, LimitState limit, JsonWriter& json) {
  const Envelope e = Envelope::Compute(beam, GenerateCombinations(beam.cases), limit);
  json.BeginObjectMember(key);
  json.Member("solved", e.solved);
  if (!e.solved) {
    json.Member("message", e.message);
    json.EndObject();
    return;
  }
  json.BeginArray("supports");
  for (const auto& r : e.reactions) {
    json.BeginObject();
    json.Member("x", r.x);
    WriteGoverned("largest_reaction", beam.cases, e, r.largest, nullptr, json);
    WriteGoverned("smallest_reaction", beam.cases, e, r.smallest, nullptr, json);
    json.EndObject();
  }
  json.EndArray();
  WriteGoverned("max_sagging_moment", beam.cases, e, e.maxSagging, "shear", json);
  WriteGoverned("max_hogging_moment", beam.cases, e, e.maxHogging, "shear", json);
  WriteGoverned("max_shear", beam.cases, e, e.maxShear, "moment", json);
  WriteGoverned("min_shear", beam.cases, e, e.minShear, "moment", json);
  if (e.deflected) {
    WriteGoverned("max_deflection", beam.cases, e, e.maxDeflection, nullptr, json);
    WriteGoverned("min_deflection", beam.cases, e, e.minDeflection, nullptr, json);
  }
  json.EndObject();
}
}  // namespace

std::optional<std::string> ChosenResults(const TTrevanDoc& beam, const std::string& combination,
                                         ExactResults& results) {
  if (combination.empty()) {
    results = ExactSolver::Solve(ExactBeam::From(beam));
    return std::nullopt;
  }
  const CasedBeam cased = CasedBeam::From(beam);
  std::string names;
  for (const auto& k : GenerateCombinations(beam.Cases)) {
    if (k.name == combination) {
      results = Envelope::Solve(cased, k);
      return std::nullopt;
    }
    names += "\n  " + k.name;
  }
  return "the beam has no combination \"" + combination + "\"" +
         (names.empty() ? std::string() : "; it has:" + names);
}

bool IsEnvelopeName(const std::string& name) { return name == "uls" || name == "sls"; }

void WriteCasesText(const TTrevanDoc& beam, const std::string& envelope, std::ostream& out) {
  if (beam.Cases.IsDefault() && envelope.empty()) return;
  out << "\nLoad cases\n";
  for (std::size_t c = 0; c < beam.Cases.Count(); ++c) out << "  " << envelope_text::CaseLine(beam.Cases.At(c), c) << "\n";
  out << "\nCombinations\n";
  for (const auto& k : GenerateCombinations(beam.Cases))
    out << "  " << k.name << " (" << LimitName(k.limit) << "): " << envelope_text::Factors(beam.Cases, k) << "\n";
  if (envelope.empty()) return;
  const CasedBeam cased = CasedBeam::From(beam);
  const LimitState limit = LimitOf(envelope);
  out << "\nEnvelope, " << LimitName(limit) << " combinations with pattern loading\n";
  for (const std::string& line :
       envelope_text::Lines(cased, Envelope::Compute(cased, GenerateCombinations(beam.Cases), limit), beam.Metric))
    out << "  " << line << "\n";
}

std::string EnvelopeCsv(const TTrevanDoc& beam, const std::string& envelope) {
  const CasedBeam cased = CasedBeam::From(beam);
  return envelope_text::Csv(Envelope::Compute(cased, GenerateCombinations(beam.Cases), LimitOf(envelope)),
                            beam.Metric);
}

void WriteCasesJson(const TTrevanDoc& beam, JsonWriter& json) {
  if (beam.Cases.IsDefault()) return;
  json.BeginArray("cases");
  for (std::size_t c = 0; c < beam.Cases.Count(); ++c) {
    const LoadCase lc = beam.Cases.At(c);
    json.BeginObject();
    json.Member("name", lc.name);
    json.Member("kind", LoadCase::KindName(lc.kind));
    json.Member("symbol", LoadCase::Symbol(lc.kind, beam.Cases.rule == CombinationRule::AsceLrfd ||
                                                       beam.Cases.rule == CombinationRule::AsceAsd));
    if (lc.kind == LoadKind::Imposed) json.Member("category", std::string(1, static_cast<char>('A' + static_cast<int>(lc.category))));
    json.EndObject();
  }
  json.EndArray();
  const CasedBeam cased = CasedBeam::From(beam);
  json.BeginArray("combinations");
  for (const auto& k : GenerateCombinations(beam.Cases)) {
    json.BeginObject();
    json.Member("name", k.name);
    json.Member("limit_state", LimitName(k.limit));
    json.BeginArray("factors");
    for (double f : k.factors) json.Element(f);
    json.EndArray();
    const ExactResults r = Envelope::Solve(cased, k);
    json.Member("solved", r.solved);
    if (r.solved) {
      json.BeginArray("reactions");
      for (const auto& s : r.supports) json.Element(s.reaction);
      json.EndArray();
      json.BeginObjectMember("max_sagging_moment");
      json.Member("value", r.maxSagging.value);
      json.Member("x", r.maxSagging.x);
      json.EndObject();
      json.BeginObjectMember("max_hogging_moment");
      json.Member("value", r.maxHogging.value);
      json.Member("x", r.maxHogging.x);
      json.EndObject();
      json.BeginObjectMember("max_abs_shear");
      json.Member("value", r.maxAbsShear.value);
      json.Member("x", r.maxAbsShear.x);
      json.EndObject();
      if (r.deflected) json.Member("max_deflection", r.maxDeflection.value);
    }
    json.EndObject();
  }
  json.EndArray();
  json.BeginObjectMember("envelope");
  WriteEnvelopeJson("uls", cased, LimitState::Ultimate, json);
  WriteEnvelopeJson("sls", cased, LimitState::Serviceability, json);
  json.EndObject();
}

}  // namespace trevan::cli
