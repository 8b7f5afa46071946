#pragma once

#include <vector>

#include "beam/BeamObject.h"

namespace trevan {

// A trapezoidal load, intensity F1 at X1 varying linearly to F2 at X2
// (positive downward).
class distrcharge : public object {
 public:
  // Orders the ends so that X1 <= X2, each intensity staying at its own end.
  distrcharge(double xa, double xb, double fa, double fb, BeamView* view);

  void UpdateProperties() override;
  void Draw(Canvas& canvas, int ox, int oy) const override;
  void MoveBy(int pixels) override;
  Placement GetPlacement() const override;
  void SetPlacement(const Placement& placement) override;
  Rect GetBounds() const override;
  std::string GetHint(bool fine) const override;
  void SetMetric(bool metric) override;
  bool ApplyProperties() override;
  bool CopyToClipboard(ClipboardService& clipboard) const override;
  std::string GetName() const override;

  // The strokes of many loads in the columns first..last, a column's taken
  // together: each stroke runs from the base line up to (not including) a
  // row, so one stroke to the highest row and one to the lowest draw them
  // all. Rows start at the base line: no stroke there.
  struct Strokes {
    Strokes(int first, int last, int base);
    void Draw(Canvas& canvas) const;
    int first;
    int base;
    std::vector<int> top;
    std::vector<int> bottom;
  };
  // Adds the strokes Draw would make in the columns of strokes; false when
  // the load is drawn on another base line and must be drawn alone.
  bool AddStrokes(Strokes& strokes) const;

  // Intensity at x; 0 outside [X1, X2].
  double IntensityAt(double x) const;
  // Intensity at x taken as inside the load: x is clamped to [X1, X2].
  double IntensityWithin(double x) const;

  double X1 = 0;
  double X2 = 0;
  double F1 = 0;
  double F2 = 0;

 private:
  struct Columns;
  // Where the strokes go; false when there are none.
  bool GetColumns(Columns& columns, int ox, int oy) const;
  // Calls stroke(column, row) for every stroke in the columns from..to.
  template <class Stroke>
  void ForEachStroke(const Columns& columns, long long from, long long to, Stroke stroke) const;
};

}  // namespace trevan
