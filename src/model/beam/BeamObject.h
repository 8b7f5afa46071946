#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "hosts/Geometry.h"

namespace trevan {

class BeamView;
class BeamWindow;
class Canvas;
class ClipboardService;
struct ObjectSlot;

// A member that copies of its object do not take along: a copy is another object.
template <class T>
struct NotCopied {
  T value{};
  NotCopied() = default;
  NotCopied(const NotCopied&) {}
  NotCopied& operator=(const NotCopied&) { return *this; }
};

// Common base of the kinds of beam object: point force, distributed load,
// point moment, internal hinge and support node. The beam alone owns them; everything else names
// them weakly (WatchedObject, ObjectRef), hence enable_shared_from_this.
class object : public std::enable_shared_from_this<object> {
 public:
  static constexpr int MaxRows = 5;
  static constexpr const char* CaseRowLabel = "Load case:";
  static constexpr std::size_t MaxTextLength = 49;

  object() = default;
  object(const object&) = default;
  object& operator=(const object&) = default;
  virtual ~object() = default;

  // Refreshes the property rows and caption for the current values and unit.
  virtual void UpdateProperties() = 0;
  // Draws the glyph with columns shifted left by ox and the beam line
  // raised by oy. Draws nothing without a view.
  virtual void Draw(Canvas& canvas, int ox, int oy) const = 0;
  void ShowHandles(Canvas& canvas, Point point);
  // Moves the object by whole pixel columns of the view.
  virtual void MoveBy(int pixels) = 0;
  // Where the object lies along the beam: x of a point force, X1 and X2 of
  // a distributed load, X1 of a support.
  struct Placement {
    double first = 0;
    double second = 0;
    bool operator==(const Placement&) const = default;
  };
  virtual Placement GetPlacement() const = 0;
  // Puts the object exactly where GetPlacement found it; a support stays
  // strictly between its neighbours.
  virtual void SetPlacement(const Placement& placement) = 0;
  // The glyph's rectangle on the view, normalised.
  virtual Rect GetBounds() const = 0;
  // One-line status text; fine asks for four decimals instead of two.
  virtual std::string GetHint(bool fine) const = 0;
  virtual void SetMetric(bool metric) = 0;
  // Reads the edited property values back and records them as one undoable
  // change; false when the values are refused. Throws std::invalid_argument
  // for a value that is not a number.
  virtual bool ApplyProperties() = 0;
  // Puts the object's record on the (open) clipboard; false on failure.
  virtual bool CopyToClipboard(ClipboardService& clipboard) const = 0;
  virtual std::string GetName() const = 0;
  virtual bool IsSupport() const { return false; }
  // Whether an emptied row is a value (none, rigid) rather than no edit.
  virtual bool RowMayBeEmpty(int /*row*/) const { return false; }

  // The texts a row chosen from a list may take (the load case row's
  // cases); empty for a typed row.
  std::vector<std::string> Choices(int row) const;

  bool HitTest(Point point) const;
  // Inverts the four selection handles; answers the new Selected.
  bool ToggleHandles(Canvas& canvas);
  // Drag feedback: moves the object and its glyph and handles to follow point.
  void DragTo(Canvas& canvas, Point point);

  // The beam's unit flag through the view's window; true without one.
  bool IsMetric() const;
  BeamWindow* Window() const;
  // Pixel mapping of the view; false without a view and window.
  struct Mapping {
    double distanceScale;
    double forceScale;
    int baseLine;
    double momentScale;
  };
  bool GetMapping(Mapping& mapping) const;

  // The identity the edit history names the object by. An object put back
  // by undoing its delete adopts the identity of the deleted one, so the
  // edits recorded before the delete find it again.
  std::shared_ptr<ObjectSlot> Identity();
  void AdoptIdentity(const std::shared_ptr<ObjectSlot>& slot);

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
  // An edited row's value: `current` itself while the row still shows it,
  // else the typed number, which must be a force or intensity below the
  // magnitude limit (EditedMagnitude) or lie in [low, high]
  // (EditedPosition). Throws std::invalid_argument, naming the allowed
  // range, for anything else; `unit` goes into that message.
  double EditedMagnitude(int row, double current, const char* what, const char* unit) const;
  double EditedPosition(int row, double current, double low, double high, const char* what) const;
  bool RowEdited(int row, double current) const;
  // The load case row at `row`, on a beam with load cases only; answers the
  // row count that follows.
  int SetCaseRow(int row, std::size_t loadCase);
  // The case the case row names; throws std::invalid_argument for a text
  // that names none.
  std::size_t EditedCase(int row, std::size_t current) const;
  // A load's case as the trailing field of its record (";2"), on a beam
  // with load cases; older readers stop at the separator and ignore it.
  std::string CaseField(std::size_t loadCase) const;
  // Puts a record of at most 39 characters on the clipboard.
  static bool PutRecord(ClipboardService& clipboard, const std::string& record);

 private:
  NotCopied<std::shared_ptr<ObjectSlot>> identity_;
};

// The current bearer of an identity; none while no object on a beam has it.
struct ObjectSlot {
  std::weak_ptr<object> current;
};

}  // namespace trevan
