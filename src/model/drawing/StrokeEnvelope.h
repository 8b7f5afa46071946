#pragma once

#include <vector>

namespace trevan {

class Canvas;

// The picture of many distributed loads, drawn a column at a time. A load
// strokes every second column from its first, a1, to its last, a2, from the
// base line to the row y1 + (y2 - y1) * (i - a1) / (a2 - a1), truncated, the
// row itself not painted. Strokes of one colour show only their union: in a
// column, one stroke to the highest row and one to the lowest.
//
// The highest and lowest rows are found over lines kept in trees of the
// columns, so a load costs a few steps rather than a step a column: loads
// that start on even and on odd columns, and rise or fall, are kept apart,
// as truncation rounds them differently.
class StrokeEnvelope {
 public:
  // The columns first..last on a canvas with the base line at row base.
  StrokeEnvelope(int first, int last, int base);

  void Add(int a1, int y1, int a2, int y2);
  void Draw(Canvas& canvas) const;
  int Base() const { return base_; }

 private:
  struct Line {
    long long a1, y1, width, rise;
  };
  // A tree of the columns holding at each node the line best there of
  // those covering the node's columns.
  struct Tree {
    std::vector<int> best;  // line numbers, -1 for none
  };

  static long long RowAt(const Line& line, long long column);
  bool Better(int a, int b, long long column, bool highest) const;
  void Insert(Tree& tree, bool highest, int line, int node, long long lo, long long hi, long long from,
              long long to);
  void Place(Tree& tree, bool highest, int line, int node, long long lo, long long hi);
  int Query(const Tree& tree, bool highest, long long column) const;
  Tree& TreeFor(bool oddStart, bool falling, bool highest);
  const Tree& TreeFor(bool oddStart, bool falling, bool highest) const;

  int first_;
  int last_;
  int base_;
  std::vector<Line> lines_;
  Tree trees_[8];
};

}  // namespace trevan
