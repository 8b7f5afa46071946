#include "files/BlockWriter.h"

#include "text/CLocaleText.h"

namespace trevan {

void BlockWriter::Count(std::string_view label, long long count) {
  lines_.push_back(std::string(label) + CFormat(" :%lld ", count));
}

void BlockWriter::Reals(std::string_view label, std::initializer_list<double> values) {
  Reals(label, std::vector<double>(values));
}

void BlockWriter::Reals(std::string_view label, const std::vector<double>& values) {
  std::string line = std::string(label) + " :";
  for (double v : values) line += CFormat("%.17g ", v);
  lines_.push_back(std::move(line));
}

void BlockWriter::Text(std::string_view label, std::string_view text) {
  std::string line = std::string(label) + " :";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%')
      line += CFormat("%%%02X", byte);
    else
      line.push_back(c);
  }
  lines_.push_back(std::move(line));
}

std::string BlockWriter::Finish() const {
  if (lines_.empty()) return {};
  std::string out = std::string(HeaderLabel) + CFormat(" :%zu \r\n", lines_.size());
  for (const auto& line : lines_) out += line + "\r\n";
  return out;
}

}  // namespace trevan
