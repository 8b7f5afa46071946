#pragma once

#include <array>
#include <memory>
#include <string>

#include "Geometry.h"

namespace trevan {

class BeamView;
class BeamWindow;

// Common base of the three kinds of beam object: point force, distributed
// load and support node. Loads are shared between the beam and the edit
// actions that may still name them, hence enable_shared_from_this.
class object : public std::enable_shared_from_this<object> {
 public:
  static constexpr int MaxRows = 4;
  static constexpr std::size_t MaxTextLength = 49;

  object() = default;
  object(const object&) = default;
  object& operator=(const object&) = default;
  virtual ~object() = default;

  // Refreshes the property rows and caption for the current values and unit.
  virtual void UpdateProperties() = 0;
  // Moves the object by whole pixel columns of the view.
  virtual void MoveBy(int pixels) = 0;
  // One-line status text; fine asks for four decimals instead of two.
  virtual std::string GetHint(bool fine) const = 0;
  virtual void SetMetric(bool metric) = 0;
  virtual std::string GetName() const = 0;
  virtual bool IsSupport() const { return false; }

  // The beam's unit flag through the view's window; true without one.
  bool IsMetric() const;
  BeamWindow* Window() const;

  Point AnchorPoint;
  Point DragPoint;
  bool Selected = false;
  std::array<std::string, MaxRows> PropertyLabels;
  std::array<std::string, MaxRows> PropertyValues;
  int RowCount = 0;
  std::string Caption;
  BeamView* View = nullptr;

 protected:
  void SetRow(int row, const char* label, const std::string& value);
};

}  // namespace trevan
