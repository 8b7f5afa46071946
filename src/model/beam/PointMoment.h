#pragma once

#include "beam/BeamObject.h"

namespace trevan {

// A point moment (a couple): m acts at x from the beam's left end,
// counter-clockwise positive.
class couple : public object {
 public:
  // The glyph's radius is the moment over the window's moment scale, the
  // one its moment diagram is drawn at, but never less than this.
  static constexpr int MinRadius = 4;

  couple(double x, double m, BeamView* view);

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

  // The glyph's radius in pixels for the view's scale.
  int Radius(double momentScale) const;

  double m = 0;          // moment, Nm or lbf·ft, counter-clockwise positive
  double x = 0;          // position, current length unit
  std::size_t Case = 0;  // index into the beam's load cases
};

}  // namespace trevan
