#include "files/ExactTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan {

std::string ExactTable::Significant(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return value == 0 ? "0" : CFormat("%g", value);
  // Never fewer digits than a whole-number status text shows for the same value.
  digits = std::max(digits, static_cast<int>(CFormat("%.0f", std::abs(value)).size()));
  // Round first: 9.9996 must become 10.00, not 9.9996 with a fourth decimal.
  const std::string scientific = CFormat("%.*e", digits - 1, value);
  const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
  if (exponent < -4 || exponent >= 15) return scientific;
  const double rounded = ParseReal(scientific);
  return CFormat("%.*f", std::max(0, digits - 1 - exponent), rounded);
}

std::string ExactTable::Compact(double value) {
  std::string text = Significant(value);
  if (text.find('.') == std::string::npos || text.find('e') != std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

const char* ExactTable::ForceUnit(bool metric, bool kilo) {
  if (kilo) return metric ? "kN" : "kip";
  return trevan::ForceUnit(metric);
}

const char* ExactTable::MomentUnit(bool metric, bool kilo) {
  if (kilo) return metric ? "kNm" : "kip\u00b7ft";
  return trevan::MomentUnit(metric);
}

std::vector<ExactTable::Row> ExactTable::Rows(const ExactResults& results, bool metric, bool kilo,
                                              bool fullPrecision) {
  if (!results.solved) return {{results.message}};
  const double factor = kilo ? 0.001 : 1;
  const std::string length = LengthUnit(metric);
  const std::string force = ForceUnit(metric, kilo);
  const std::string moment = MomentUnit(metric, kilo);
  auto text = [fullPrecision](double v) { return fullPrecision ? ShortestReal(v, 0, 17, 0) : Significant(v); };
  auto value = [&](double v) { return text(v * factor); };
  auto position = [&](double x) { return text(x); };

  std::vector<Row> rows;
  rows.push_back(
      {"Support", "x (" + length + ")", "Type", "Reaction (" + force + ")", "Moment (" + moment + ")"});
  int number = 0;
  for (const auto& s : results.supports) {
    const int type = IsValidSupportType(s.type) ? s.type : ftNone;
    rows.push_back({std::to_string(++number), position(s.x), SupportDisplayNames[type], value(s.reaction),
                    s.type == ftVice ? value(s.moment) : ""});
  }
  rows.push_back({});
  rows.push_back({"Result", "Value", "x (" + length + ")"});
  rows.push_back({"Max. sagging moment (" + moment + ")", value(results.maxSagging.value),
                  position(results.maxSagging.x)});
  rows.push_back({"Max. hogging moment (" + moment + ")", value(results.maxHogging.value),
                  position(results.maxHogging.x)});
  rows.push_back(
      {"Max. shear (" + force + ")", value(results.maxAbsShear.value), position(results.maxAbsShear.x)});
  Row zero{"Zero shear", ""};
  for (double x : results.zeroShear) zero.push_back(position(x));
  if (results.zeroShear.empty()) zero.push_back("none");
  rows.push_back(zero);
  rows.push_back({"Total load (" + force + ")", value(results.totalLoad)});
  rows.push_back({"Sum of reactions (" + force + ")", value(results.sumReactions)});
  if (results.springsLeftOut) rows.push_back({SpringsLeftOutText});
  return rows;
}

std::string ExactTable::SpanRatio(double length, double deflection) {
  if (deflection == 0 || !(length / std::fabs(deflection) < 1e12)) return "none";
  return CFormat("L/%.0f", std::floor(length / std::fabs(deflection)));
}

std::vector<ExactTable::Row> ExactTable::DeflectionRows(const ExactResults& results, bool metric, double limit) {
  if (!results.solved) return {};
  if (!results.deflected) return {{NoSectionText}};
  const std::string length = LengthUnit(metric), unit = DeflectionUnit(metric);
  auto deflection = [&](double v) { return Significant(v * DeflectionFactor(metric)); };
  const std::string check = CFormat("Limit L/%g", limit);
  std::vector<Row> rows{{SignText}};
  rows.push_back({"Span", "From (" + length + ")", "To (" + length + ")", "Down (" + unit + ")", "x (" + length + ")",
                  "Up (" + unit + ")", "x (" + length + ")", "L/δ", check});
  int number = 0;
  for (const auto& span : results.spans) {
    const double largest = std::fabs(span.Largest().value);
    const bool passes = span.Passes(limit);
    rows.push_back({span.overhang ? "Overhang" : std::to_string(++number), Significant(span.x0),
                    Significant(span.x1), deflection(span.down.value), Significant(span.down.x),
                    deflection(span.up.value), Significant(span.up.x), SpanRatio(span.Length(), largest),
                    passes ? "pass" : "fail"});
  }
  rows.push_back({"Support", "x (" + length + ")", "Rotation (rad)"});
  number = 0;
  for (const auto& s : results.supports)
    rows.push_back({std::to_string(++number), Significant(s.x), Significant(s.rotation)});
  // Only a spring gives way or a settlement moves: the other supports stay at 0.
  const bool moved = std::any_of(results.supports.begin(), results.supports.end(),
                                 [](const auto& s) { return s.deflection != 0; });
  if (moved) {
    rows.push_back({"Support", "x (" + length + ")", "Deflection (" + unit + ")"});
    number = 0;
    for (const auto& s : results.supports)
      rows.push_back({std::to_string(++number), Significant(s.x), deflection(s.deflection)});
  }
  if (!results.hinges.empty())
    rows.push_back({"Hinge in beam", "x (" + length + ")", "Rotation left (rad)", "Rotation right (rad)"});
  for (const auto& h : results.hinges)
    rows.push_back({"", Significant(h.x), Significant(h.rotationLeft), Significant(h.rotationRight)});
  return rows;
}

std::string ExactTable::SupportHint(const ExactResults& results, double x, bool metric) {
  for (const auto& s : results.supports) {
    if (s.x != x) continue;
    const int type = IsValidSupportType(s.type) ? s.type : ftNone;
    std::string hint =
        CFormat("%s\n\rReaction: %6.4f %s", SupportDisplayNames[type], s.reaction, trevan::ForceUnit(metric));
    if (s.type == ftVice) hint += CFormat("\n\rMoment: %6.4f %s", s.moment, trevan::MomentUnit(metric));
    return hint;
  }
  return {};
}

std::string ExactTable::TabSeparated(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i) text += '\t';
      text += row[i];
    }
    text += '\n';
  }
  return text;
}

namespace {
// Characters on screen, not bytes: the moment unit may hold a middle dot.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}
}  // namespace

std::string ExactTable::Aligned(const std::vector<Row>& rows) {
  std::string text;
  // Each block between empty rows has columns of its own.
  for (std::size_t first = 0; first < rows.size();) {
    std::size_t last = first;
    while (last < rows.size() && !rows[last].empty()) ++last;
    std::vector<std::size_t> widths;
    for (std::size_t r = first; r < last; ++r)
      if (rows[r].size() > 1)  // a lone cell is a message, wide as it likes
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
          if (widths.size() <= i) widths.push_back(0);
          widths[i] = std::max(widths[i], Width(rows[r][i]));
        }
    for (std::size_t r = first; r < last; ++r) {
      std::string line;
      for (std::size_t i = 0; i < rows[r].size(); ++i) {
        line += rows[r][i];
        if (i + 1 < rows[r].size()) line += std::string(widths[i] - Width(rows[r][i]) + 2, ' ');
      }
      line.erase(line.find_last_not_of(' ') + 1);
      text += line + '\n';
    }
    if (last < rows.size()) text += '\n';
    first = last + 1;
  }
  return text;
}

}  // namespace trevan
