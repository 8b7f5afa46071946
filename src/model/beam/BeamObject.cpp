#include "beam/BeamObject.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "beam/InputLimits.h"
#include "beam/LoadCase.h"
#include "beam/UnitSystem.h"
#include "hosts/BeamView.h"
#include "hosts/BeamWindow.h"
#include "hosts/Canvas.h"
#include "hosts/ClipboardService.h"
#include "text/CLocaleText.h"

namespace trevan {

BeamWindow* object::Window() const { return View ? View->Window() : nullptr; }

std::shared_ptr<ObjectSlot> object::Identity() {
  if (!identity_.value) {
    identity_.value = std::make_shared<ObjectSlot>();
    identity_.value->current = weak_from_this();
  }
  return identity_.value;
}

void object::AdoptIdentity(const std::shared_ptr<ObjectSlot>& slot) {
  identity_.value = slot;
  if (slot) slot->current = weak_from_this();
}

bool object::IsMetric() const {
  const BeamWindow* w = Window();
  return w ? w->IsMetric() : true;
}

bool object::GetMapping(Mapping& mapping) const {
  const BeamWindow* w = Window();
  if (!w) return false;
  mapping = Mapping{w->DistanceScale(), w->ForceScale(), View->BaseLine(), w->MomentScale()};
  return true;
}

void object::SetRow(int row, const char* label, const std::string& value) {
  PropertyLabels[row] = std::string(label).substr(0, MaxTextLength);
  PropertyValues[row] = value.substr(0, MaxTextLength);
}

bool object::RowEdited(int row, double current) const { return PropertyValues[row] != FloatToText(current); }

namespace {
// The beam's case labels; none on a beam without cases.
std::vector<std::string> CaseLabels(const BeamWindow* window) {
  const LoadCases* cases = window ? window->BeamCases() : nullptr;
  std::vector<std::string> labels;
  if (!cases || cases->IsDefault()) return labels;
  for (std::size_t c = 0; c < cases->Count(); ++c) labels.push_back(cases->Label(c));
  return labels;
}
}  // namespace

std::string object::CaseField(std::size_t loadCase) const {
  return CaseLabels(Window()).empty() ? std::string() : ";" + std::to_string(loadCase);
}

std::vector<std::string> object::Choices(int row) const {
  if (row < 0 || row >= RowCount || PropertyLabels[row] != CaseRowLabel) return {};
  return CaseLabels(Window());
}

int object::SetCaseRow(int row, std::size_t loadCase) {
  const std::vector<std::string> labels = CaseLabels(Window());
  if (labels.empty() || row >= MaxRows) return row;
  SetRow(row, CaseRowLabel, labels[std::min(loadCase, labels.size() - 1)]);
  return row + 1;
}

std::size_t object::EditedCase(int row, std::size_t current) const {
  if (row >= RowCount || PropertyLabels[row] != CaseRowLabel) return current;
  const std::vector<std::string> labels = CaseLabels(Window());
  const auto found = std::find(labels.begin(), labels.end(), PropertyValues[row]);
  if (found == labels.end()) throw std::invalid_argument("Choose one of the beam's load cases.");
  return static_cast<std::size_t>(found - labels.begin());
}

namespace {
// The typed number of an edited row; false when it is out of range, and
// an exception when it is no number at all.
bool ParseTyped(const std::string& text, double& value) {
  switch (limits::ParseEdited(text, value)) {
    case limits::ParsedValue::Ok:
      return true;
    case limits::ParsedValue::NotFinite:
      return false;
    case limits::ParsedValue::NotANumber:
      break;
  }
  throw std::invalid_argument("'" + text + "' is not a valid number");
}
}  // namespace

double object::EditedMagnitude(int row, double current, const char* what, const char* unit) const {
  if (!RowEdited(row, current)) return current;
  double value = 0;
  if (!ParseTyped(PropertyValues[row], value) || !limits::IsMagnitude(value))
    throw std::invalid_argument(CFormat("%s must lie between %g and %g %s, both excluded.", what,
                                        -limits::MaxMagnitude, limits::MaxMagnitude, unit));
  return value;
}

double object::EditedPosition(int row, double current, double low, double high, const char* what) const {
  if (!RowEdited(row, current)) return current;
  double value = 0;
  if (!ParseTyped(PropertyValues[row], value) || !(low <= value && value <= high))
    throw std::invalid_argument(
        CFormat("%s must lie from %.10g to %.10g %s.", what, low, high, LengthUnit(IsMetric())));
  return value;
}

bool object::PutRecord(ClipboardService& clipboard, const std::string& record) {
  // The record travels in a block of 40 bytes with its terminating zero.
  if (record.size() > 39) return false;
  return clipboard.SetText(record);
}

bool object::HitTest(Point point) const {
  const Rect r = GetBounds();
  return r.Left - 5 <= point.x && point.x <= r.Right + 5 && r.Top - 5 <= point.y && point.y <= r.Bottom + 5;
}

bool object::ToggleHandles(Canvas& canvas) {
  const Rect r = GetBounds();
  {
    RasterModeScope invert(canvas, RasterMode::Invert);
    canvas.SetBrushColor(Rgb::FromRgb(0, 0, 0));
    canvas.FillRect({r.Left - 6, r.Top - 6, r.Left - 2, r.Top - 2});
    canvas.FillRect({r.Right + 2, r.Bottom + 2, r.Right + 6, r.Bottom + 6});
    canvas.FillRect({r.Left - 6, r.Bottom + 2, r.Left - 2, r.Bottom + 6});
    canvas.FillRect({r.Right + 2, r.Top - 6, r.Right + 6, r.Top - 2});
  }
  Selected = !Selected;
  return Selected;
}

void object::ShowHandles(Canvas& canvas, Point point) {
  AnchorPoint = DragPoint = point;
  ToggleHandles(canvas);
}

void object::DragTo(Canvas& canvas, Point point) {
  if (point == DragPoint) return;
  Rect r = GetBounds();
  r = {r.Left - 7, r.Top - 7, r.Right + 7, r.Bottom + 7};
  const int dx = point.x - DragPoint.x;
  if (dx > 0)
    r.Right += dx;
  else
    r.Left += dx;
  const int width = r.Right - r.Left + 1;
  const int height = r.Bottom - r.Top + 1;

  ToggleHandles(canvas);
  std::unique_ptr<Canvas> scratch = canvas.CreateOffscreen(width, height);
  scratch->CopyRect(0, 0, canvas, {r.Left, r.Top, r.Left + width, r.Top + height});
  scratch->SetPenColor(canvas.PenColor());
  scratch->SetRasterMode(RasterMode::Invert);
  Draw(*scratch, r.Left, r.Top);  // erases the glyph at its old place
  MoveBy(dx);
  Draw(*scratch, r.Left, r.Top);
  canvas.CopyRect(r.Left, r.Top, *scratch, {0, 0, width, height});
  ToggleHandles(canvas);
  DragPoint = point;
}

}  // namespace trevan
