#include "files/EnvelopeText.h"

#include <cmath>

#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan::envelope_text {

namespace {
std::string CaseName(const LoadCases& cases, std::size_t c) {
  const LoadCase lc = cases.At(c);
  return lc.name.empty() ? CFormat("case %zu", c + 1) : lc.name;
}

std::string Governing(const LoadCases& cases, const Envelope& e, const Envelope::Governed& g) {
  std::string text = e.combinations[g.combination].name;
  const std::string pattern = ArrangementOf(cases, g.arrangement);
  return pattern.empty() ? text : text + "; " + pattern;
}
}  // namespace

std::string Factors(const LoadCases& cases, const Combination& combination) {
  std::string text;
  for (std::size_t c = 0; c < combination.factors.size() && c < cases.Count(); ++c) {
    if (combination.factors[c] == 0) continue;
    if (!text.empty()) text += " + ";
    text += CFormat("%.4g ", combination.factors[c]) + CaseName(cases, c);
  }
  return text.empty() ? "nothing" : text;
}

std::string ArrangementOf(const LoadCases& cases, const Arrangement& arrangement) {
  std::string text;
  for (std::size_t c = 0; c < arrangement.size(); ++c) {
    if (!LoadCase::IsVariable(cases.At(c).kind)) continue;
    std::string part = CaseName(cases, c);
    if (arrangement[c].size() == 1) {
      part += arrangement[c][0] ? " on" : " off";
    } else {
      std::string spans;
      for (std::size_t r = 0; r < arrangement[c].size(); ++r)
        if (arrangement[c][r]) spans += (spans.empty() ? "" : ", ") + std::to_string(r + 1);
      part += spans.empty() ? " off" : (spans.find(',') == std::string::npos ? " on span " : " on spans ") + spans;
    }
    text += (text.empty() ? "" : "; ") + part;
  }
  return text;
}

std::vector<std::string> Lines(const CasedBeam& beam, const Envelope& e, bool metric) {
  if (!e.solved) return {e.message};
  const char *len = LengthUnit(metric), *force = ForceUnit(metric), *moment = MomentUnit(metric);
  const LoadCases& cases = beam.cases;
  std::vector<std::string> lines;
  for (const auto& r : e.reactions)
    lines.push_back(CFormat("Support at %.4f %s: largest %.4f %s (", r.x, len, r.largest.value, force) +
                    Governing(cases, e, r.largest) + CFormat("), smallest %.4f %s (", r.smallest.value, force) +
                    Governing(cases, e, r.smallest) + ")");
  auto momentLine = [&](const char* what, const Envelope::Governed& g) {
    lines.push_back(CFormat("%s %.4f %s at %.4f %s, shear there %.4f %s (", what, g.value, moment, g.x, len,
                            g.coincident, force) +
                    Governing(cases, e, g) + ")");
  };
  momentLine("Largest sagging moment", e.maxSagging);
  momentLine("Largest hogging moment", e.maxHogging);
  const Envelope::Governed& shear = e.maxShear.value >= -e.minShear.value ? e.maxShear : e.minShear;
  lines.push_back(CFormat("Largest shear %.4f %s at %.4f %s, moment there %.4f %s (", shear.value, force, shear.x,
                          len, shear.coincident, moment) +
                  Governing(cases, e, shear) + ")");
  if (e.deflected) {
    const auto regions = beam.Regions();
    auto deflectionLine = [&](const char* what, const Envelope::Governed& g) {
      double span = 0;
      for (const auto& [a, b] : regions)
        if (g.x >= a && g.x <= b) span = b - a;
      std::string text = CFormat("%s %.6g %s at %.4f %s", what, g.value, len, g.x, len);
      if (g.value != 0) text += CFormat(", L/%.0f", span / std::abs(g.value));
      lines.push_back(text + " (" + Governing(cases, e, g) + ")");
    };
    deflectionLine("Largest downward deflection", e.maxDeflection);
    deflectionLine("Largest upward deflection", e.minDeflection);
  }
  return lines;
}

std::string Csv(const Envelope& e, bool metric) {
  const char *len = LengthUnit(metric), *force = ForceUnit(metric), *moment = MomentUnit(metric);
  std::string out = CFormat("x (%s),shear upper (%s),shear lower (%s),moment upper (%s),moment lower (%s)", len,
                            force, force, moment, moment);
  if (e.deflected) out += CFormat(",deflection upper (%s),deflection lower (%s)", len, len);
  out += "\n";
  for (const auto& s : e.samples) {
    out += CFormat("%.15g,%.12g,%.12g,%.12g,%.12g", s.x, s.shearUpper, s.shearLower, s.momentUpper, s.momentLower);
    if (e.deflected) out += CFormat(",%.12g,%.12g", s.deflectionUpper, s.deflectionLower);
    out += "\n";
  }
  return out;
}

std::string CaseLine(const LoadCase& c, std::size_t index) {
  std::string text = CFormat("%zu  %s  %s", index + 1, c.name.c_str(), std::string(LoadCase::KindName(c.kind)).c_str());
  if (c.kind == LoadKind::Imposed) text += CFormat(", category %c", static_cast<char>('A' + static_cast<int>(c.category)));
  return text;
}

}  // namespace trevan::envelope_text
