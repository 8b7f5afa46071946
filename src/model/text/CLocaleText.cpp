#include "text/CLocaleText.h"

#include <locale.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace trevan {

namespace {

locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  return classic;
}

// Switches this thread to the "C" locale for the lifetime of the guard.
class ClassicLocaleScope {
 public:
  ClassicLocaleScope() : previous_(uselocale(ClassicLocale())) {}
  ~ClassicLocaleScope() { uselocale(previous_); }
  ClassicLocaleScope(const ClassicLocaleScope&) = delete;
  ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

 private:
  locale_t previous_;
};

std::string VFormat(const char* format, va_list args) {
  ClassicLocaleScope scope;
  char small[128];
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return std::string(big.data(), static_cast<size_t>(n));
}

}  // namespace

std::string CFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VFormat(format, args);
  va_end(args);
  return s;
}

std::string CFormatRuntime(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VFormat(format, args);
  va_end(args);
  return s;
}

double ParseReal(std::string_view text) {
  const std::string s(text);  // strtod needs a terminated string
  return strtod_l(s.c_str(), nullptr, ClassicLocale());
}

long long ParseInteger(std::string_view text) {
  const std::string s(text);
  return strtoll_l(s.c_str(), nullptr, 10, ClassicLocale());
}

bool TryParseReal(std::string_view text, double& value) {
  const std::string s(text);
  const char* begin = s.c_str();
  char* end = nullptr;
  errno = 0;
  const double v = strtod_l(begin, &end, ClassicLocale());
  if (end == begin || errno == ERANGE || !std::isfinite(v)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return false;
  value = v;
  return true;
}

std::string FloatToText(double value) { return CFormat("%.15g", value); }

namespace {
// The %g form with the fewest digits, up to maxDigits, that reads back as value.
std::string FewestDigits(double value, int maxDigits, double relative) {
  std::string text;
  for (int digits = 1; digits <= maxDigits; ++digits) {
    text = CFormat("%.*g", digits, value);
    const double back = ParseReal(text);
    if (back == value || std::abs(back - value) <= relative * std::abs(value)) break;
  }
  return text;
}
}  // namespace

std::string ShortestReal(double value, int width, int maxDigits, double relative) {
  // A whole number reads as a whole number, not as "1e+02".
  const bool whole = value == std::trunc(value) && std::abs(value) < std::pow(10.0, maxDigits);
  std::string text = whole ? CFormat("%.0f", value) : FewestDigits(value, maxDigits, relative);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace trevan
