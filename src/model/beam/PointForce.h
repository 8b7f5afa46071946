#pragma once

#include "beam/BeamObject.h"

namespace trevan {

// A point force: positive f acts downward, at x from the beam's left end.
class charge : public object {
 public:
  charge(double x, double f, BeamView* view);

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

  double f = 0;  // force, current force unit
  double x = 0;  // position, current length unit
  std::size_t Case = 0;  // index into the beam's load cases
};

}  // namespace trevan
