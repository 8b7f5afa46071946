#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace trevan {

// Writes the trailing block of a .tvn file: the data an older Trevan does
// not know, after the support lines where such a reader stops. It is a
// line "number of extension lines :N " and N lines "label :values ", each
// value followed by one space like every other line of the file. Reals
// carry 17 significant digits so that they read back exactly; texts take
// the rest of their line.
class BlockWriter {
 public:
  static constexpr std::string_view HeaderLabel = "number of extension lines";

  void Count(std::string_view label, long long count);
  void Reals(std::string_view label, std::initializer_list<double> values);
  void Reals(std::string_view label, const std::vector<double>& values);
  // Control characters and '%' are written as %XX, so any text of one line
  // or more comes back as it was.
  void Text(std::string_view label, std::string_view text);

  bool Empty() const { return lines_.empty(); }
  // The header and the lines, CR LF after each; empty when there is nothing.
  std::string Finish() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace trevan
