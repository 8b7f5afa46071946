#include "drawing/StrokeEnvelope.h"

#include <algorithm>
#include <cstdlib>

#include "hosts/Canvas.h"

namespace trevan {

StrokeEnvelope::StrokeEnvelope(int first, int last, int base) : first_(first), last_(std::max(last, first)), base_(base) {
  const std::size_t nodes = 4 * static_cast<std::size_t>(last_ - first_ + 1);
  for (Tree& tree : trees_) tree.best.assign(nodes, -1);
}

// As the load's own drawing truncates: toward zero, of a whole-number product.
long long StrokeEnvelope::RowAt(const Line& line, long long column) {
  const long long step = std::llabs(line.rise) * (column - line.a1) / line.width;
  return line.y1 + (line.rise < 0 ? -step : step);
}

// Compares the untruncated rows exactly; within one tree truncation keeps
// their order.
bool StrokeEnvelope::Better(int a, int b, long long column, bool highest) const {
  const Line& p = lines_[static_cast<std::size_t>(a)];
  const Line& q = lines_[static_cast<std::size_t>(b)];
  const __int128 rowP = static_cast<__int128>(p.y1) * p.width + static_cast<__int128>(p.rise) * (column - p.a1);
  const __int128 rowQ = static_cast<__int128>(q.y1) * q.width + static_cast<__int128>(q.rise) * (column - q.a1);
  const __int128 left = rowP * q.width, right = rowQ * p.width;
  return highest ? left < right : left > right;  // rows grow downward
}

StrokeEnvelope::Tree& StrokeEnvelope::TreeFor(bool oddStart, bool falling, bool highest) {
  return trees_[(oddStart ? 4 : 0) + (falling ? 2 : 0) + (highest ? 1 : 0)];
}
const StrokeEnvelope::Tree& StrokeEnvelope::TreeFor(bool oddStart, bool falling, bool highest) const {
  return trees_[(oddStart ? 4 : 0) + (falling ? 2 : 0) + (highest ? 1 : 0)];
}

void StrokeEnvelope::Add(int a1, int y1, int a2, int y2) {
  if (a2 <= a1) return;
  long long from = std::max<long long>(a1, first_), to = std::min<long long>(a2, last_);
  if (from > to) return;
  // A tree is asked only at columns of its loads' parity: a neighbour of
  // the other parity may join the span, so a load over all the columns
  // held lands at the root.
  const long long parity = a1 & 1;
  if (from - 1 >= first_ && ((from - 1) & 1) != parity) --from;
  if (to + 1 <= last_ && ((to + 1) & 1) != parity) ++to;
  lines_.push_back({a1, y1, static_cast<long long>(a2) - a1, static_cast<long long>(y2) - y1});
  const int line = static_cast<int>(lines_.size()) - 1;
  const bool odd = (a1 & 1) != 0, falling = y2 < y1;
  for (const bool highest : {true, false})
    Insert(TreeFor(odd, falling, highest), highest, line, 1, first_, last_, from, to);
}

// The nodes that lie within the load's columns take its line.
void StrokeEnvelope::Insert(Tree& tree, bool highest, int line, int node, long long lo, long long hi,
                            long long from, long long to) {
  if (to < lo || hi < from) return;
  if (from <= lo && hi <= to) return Place(tree, highest, line, node, lo, hi);
  const long long mid = lo + (hi - lo) / 2;
  Insert(tree, highest, line, 2 * node, lo, mid, from, to);
  Insert(tree, highest, line, 2 * node + 1, mid + 1, hi, from, to);
}

// Two lines cross at most once: the one better in the middle stays, the
// other goes down to the half where it may still be better.
void StrokeEnvelope::Place(Tree& tree, bool highest, int line, int node, long long lo, long long hi) {
  while (true) {
    int& held = tree.best[static_cast<std::size_t>(node)];
    if (held < 0) {
      held = line;
      return;
    }
    const long long mid = lo + (hi - lo) / 2;
    if (Better(line, held, mid, highest)) std::swap(line, held);
    if (lo == hi) return;
    if (Better(line, held, lo, highest)) {
      node = 2 * node;
      hi = mid;
    } else if (Better(line, held, hi, highest)) {
      node = 2 * node + 1;
      lo = mid + 1;
    } else {
      return;
    }
  }
}

int StrokeEnvelope::Query(const Tree& tree, bool highest, long long column) const {
  int best = -1;
  long long lo = first_, hi = last_;
  for (int node = 1;;) {
    const int held = tree.best[static_cast<std::size_t>(node)];
    if (held >= 0 && (best < 0 || Better(held, best, column, highest))) best = held;
    if (lo == hi) return best;
    const long long mid = lo + (hi - lo) / 2;
    if (column <= mid) {
      node = 2 * node;
      hi = mid;
    } else {
      node = 2 * node + 1;
      lo = mid + 1;
    }
  }
}

void StrokeEnvelope::Draw(Canvas& canvas) const {
  if (lines_.empty()) return;
  for (long long column = first_; column <= last_; ++column) {
    const bool odd = (column & 1) != 0;
    int top = base_, bottom = base_;
    for (const bool falling : {false, true}) {
      if (const int k = Query(TreeFor(odd, falling, true), true, column); k >= 0)
        top = static_cast<int>(std::min<long long>(top, RowAt(lines_[static_cast<std::size_t>(k)], column)));
      if (const int k = Query(TreeFor(odd, falling, false), false, column); k >= 0)
        bottom = static_cast<int>(std::max<long long>(bottom, RowAt(lines_[static_cast<std::size_t>(k)], column)));
    }
    for (const int row : {top, bottom}) {
      if (row == base_) continue;
      canvas.MoveTo(static_cast<int>(column), base_);
      canvas.LineTo(static_cast<int>(column), row);
    }
  }
}

}  // namespace trevan
