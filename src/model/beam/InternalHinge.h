#pragma once

#include "beam/BeamObject.h"

namespace trevan {

// An internal hinge: a point of the beam that passes shear but no moment,
// at x from the beam's left end. Unlike a hinge support it holds nothing.
class joint : public object {
 public:
  static constexpr int Radius = 3;

  joint(double x, BeamView* view);

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

  double x = 0;  // position, current length unit
};

}  // namespace trevan
