#pragma once
// Text conversions that never follow the user's locale: files, clipboard
// records and status texts always use the classic "C" conventions.

#include <string>
#include <string_view>

namespace trevan {

// printf-style formatting in the "C" locale.
std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Like CFormat, for a format that is only known at run time (a string
// resource). The caller vouches that the arguments match the format.
std::string CFormatRuntime(const char* format, ...);

// The standard text-to-real conversion in the "C" locale: leading white space
// is skipped, the longest leading part that forms a number is read, and text
// that does not start with a number gives 0.
double ParseReal(std::string_view text);

// The standard text-to-integer conversion in the "C" locale, saturating at
// the range of long long.
long long ParseInteger(std::string_view text);

// Strict conversion for edited values: the whole text (surrounding white
// space aside) must be one finite number. Answers false otherwise.
bool TryParseReal(std::string_view text, double& value);

// The general float-to-text form of property values: 15 significant digits,
// trailing zeros and a trailing decimal point dropped.
std::string FloatToText(double value);

// The shortest %g form, of at most maxDigits significant digits, that reads
// back within relative of value (exactly, for an integer or a relative of 0),
// right aligned in width characters: "   100", "4496.17886".
std::string ShortestReal(double value, int width, int maxDigits = 17, double relative = 4e-10);

// Every real-to-integer conversion of the model truncates toward zero; this
// one also saturates, so absurd values can never overflow into an index.
int TruncToInt(double value);

}  // namespace trevan
