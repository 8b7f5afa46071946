#pragma once

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

  // Draw strokes every second column from a1 to a2, from the base line to
  // the row y1 + (y2 - y1) * (i - a1) / (a2 - a1), truncated, that row not
  // painted; false when nowhere. Many loads are drawn together from these.
  struct StrokeLine {
    int base, a1, y1, a2, y2;
  };
  bool GetStrokeLine(StrokeLine& line, int ox, int oy) const;

  // Intensity at x; 0 outside [X1, X2].
  double IntensityAt(double x) const;
  // Intensity at x taken as inside the load: x is clamped to [X1, X2].
  double IntensityWithin(double x) const;

  double X1 = 0;
  double X2 = 0;
  double F1 = 0;
  double F2 = 0;
  // The file gave the ends right to left: the load acts with its ends in
  // order, and is written back as it was given.
  bool StoredReversed = false;
  std::size_t Case = 0;  // index into the beam's load cases

 private:
  // Calls stroke(column, row) for every stroke in the columns from..to.
  template <class Stroke>
  void ForEachStroke(const StrokeLine& line, long long from, long long to, Stroke stroke) const;
};

}  // namespace trevan
