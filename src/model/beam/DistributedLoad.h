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
};

}  // namespace trevan
