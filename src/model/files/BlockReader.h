#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trevan {

// Reads the trailing block that BlockWriter writes. The lines are taken in
// order, each by the label it must carry; anything out of place, a count
// that does not match, a value that is not a finite number: the block is
// damaged and EQReadError says so.
class BlockReader {
 public:
  // The bytes after the last support line. Throws when the header is
  // missing or announces more lines than there are.
  explicit BlockReader(std::string_view rest);

  bool AtEnd() const { return next_ == lines_.size(); }
  // The label of the next line, empty at the end.
  std::string_view NextLabel() const;

  long long Count(std::string_view label, long long max);
  // Exactly `count` reals, finite and within the magnitude limit.
  std::vector<double> Reals(std::string_view label, std::size_t count);
  std::string Text(std::string_view label);

  // Throws unless every line was read: a label this version does not know.
  void ExpectEnd() const;

 private:
  struct Line {
    std::string_view label;
    std::string_view values;
  };
  const Line& Take(std::string_view label);

  std::vector<Line> lines_;
  std::size_t next_ = 0;
};

}  // namespace trevan
