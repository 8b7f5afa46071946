#include "files/BlockReader.h"

#include <cmath>

#include "beam/InputLimits.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {

const char* const Damaged = "The extended data at the end of the file is damaged";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitLines(std::string_view rest) {
  std::vector<std::string_view> lines;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!TrimBlanks(line).empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

BlockReader::BlockReader(std::string_view rest) {
  const std::vector<std::string_view> raw = SplitLines(rest);
  for (std::string_view line : raw) {
    const std::size_t colon = line.find(" :");
    if (colon == std::string_view::npos) throw EQReadError(Damaged);
    lines_.push_back({line.substr(0, colon), line.substr(colon + 2)});
  }
  if (lines_.empty() || lines_.front().label != BlockWriter::HeaderLabel)
    throw EQReadError("The extended data at the end of the file is missing");
  const std::string_view count = TrimBlanks(lines_.front().values);
  long long n = -1;
  if (count.find_first_not_of("0123456789") == std::string_view::npos && !count.empty() && count.size() < 10)
    n = ParseInteger(count);
  if (n < 0 || static_cast<std::size_t>(n) != lines_.size() - 1) throw EQReadError(Damaged);
  next_ = 1;
}

std::string_view BlockReader::NextLabel() const { return AtEnd() ? std::string_view() : lines_[next_].label; }

const BlockReader::Line& BlockReader::Take(std::string_view label) {
  if (AtEnd() || lines_[next_].label != label) throw EQReadError(Damaged);
  return lines_[next_++];
}

long long BlockReader::Count(std::string_view label, long long max) {
  const std::string_view text = TrimBlanks(Take(label).values);
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string_view::npos)
    throw EQReadError(Damaged);
  const long long n = ParseInteger(text);
  if (n > max) throw EQReadError("A record count in the file is out of range");
  return n;
}

std::vector<double> BlockReader::Reals(std::string_view label, std::size_t count) {
  std::string_view text = Take(label).values;
  std::vector<double> values;
  for (;;) {
    text = TrimBlanks(text);
    if (text.empty()) break;
    const std::size_t end = std::min(text.find(' '), text.size());
    double v = 0;
    if (!TryParseReal(text.substr(0, end), v))
      throw EQReadError("A value in the file is not a finite number");
    if (!limits::IsMagnitude(v)) throw EQReadError("A value in the file is too large");
    values.push_back(v);
    text.remove_prefix(end);
  }
  if (values.size() != count) throw EQReadError(Damaged);
  return values;
}

std::string BlockReader::Text(std::string_view label) {
  const std::string_view raw = Take(label).values;
  std::string text;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '%') {
      text.push_back(raw[i]);
      continue;
    }
    if (i + 2 >= raw.size() || !IsHexDigit(raw[i + 1]) || !IsHexDigit(raw[i + 2])) throw EQReadError(Damaged);
    text.push_back(static_cast<char>(std::stoi(std::string(raw.substr(i + 1, 2)), nullptr, 16)));
    i += 2;
  }
  return text;
}

void BlockReader::ExpectEnd() const {
  if (!AtEnd())
    throw EQReadError("The file holds data this version of Trevan cannot read (\"" +
                      std::string(lines_[next_].label) + "\")");
}

}  // namespace trevan
