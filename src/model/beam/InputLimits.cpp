#include "beam/InputLimits.h"

#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan::limits {

double MaxBeamLength(bool metric) { return metric ? MaxBeamLengthMetres : MaxBeamLengthFeet; }

bool IsBeamLength(double length, bool metric) {
  return length >= MinBeamLength && length <= MaxBeamLength(metric);
}

std::string BeamLengthRange(bool metric) {
  return CFormat("from %g to %g %s", MinBeamLength, MaxBeamLength(metric), LengthUnit(metric));
}

bool IsMagnitude(double value) { return std::isfinite(value) && std::fabs(value) < MaxMagnitude; }

double ChainStart() { return 0.04 * -10; }

double ChainEnd(double length) { return length + 0.04 * 11; }

bool IsSupportPosition(double x, double length, double slack) {
  return IsMagnitude(x) && x - ChainStart() >= MinSupportGap - slack &&
         ChainEnd(length) - x >= MinSupportGap - slack;
}

bool AreSupportsApart(double a, double b, double slack) { return std::fabs(b - a) >= MinSupportGap - slack; }

bool IsLoadPosition(double x, double length) { return x >= 0 && x <= length; }

bool IsSectionValue(double value) { return value >= MinSectionValue && value < MaxMagnitude; }

bool IsDeflectionLimit(double n) { return n >= 1 && n < MaxMagnitude; }
bool IsMomentValue(double value) { return IsMagnitude(value); }
bool IsSettlementValue(double value) { return IsMagnitude(value); }
bool IsStiffnessValue(double value) { return value > 0 && value < MaxMagnitude; }
bool IsHingePosition(double x, double length) { return x >= 0 && x <= length; }
bool IsHingeApart(double x, double joint) { return std::fabs(x - joint) >= MinSupportGap; }
bool IsHingeOnJoint(double x, double joint) { return std::fabs(x - joint) <= FileRoundingSlack; }
bool MayHingeStandBy(double hinge, double support, bool vice) {
  return IsHingeApart(hinge, support) || (!vice && IsHingeOnJoint(hinge, support));
}

bool IsTitleText(std::string_view text) {
  if (text.size() > MaxTitleLength) return false;
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

bool IsCombinationFactor(double factor) {
  return std::isfinite(factor) && std::abs(factor) <= MaxCombinationFactor;
}

ParsedValue ParseEdited(std::string_view text, double& value) {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  const std::string s(text);
  const char* begin = s.c_str();
  char* end = nullptr;
  errno = 0;
  const double v = strtod_l(begin, &end, classic);
  if (end == begin) return ParsedValue::NotANumber;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return ParsedValue::NotANumber;
  value = v;
  return std::isfinite(v) ? ParsedValue::Ok : ParsedValue::NotFinite;
}

}  // namespace trevan::limits
