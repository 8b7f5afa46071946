#include "TInputForm.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

#include "InputViewHost.h"
#include "TBeamHingeTool.h"
#include "TForceTool.h"
#include "TMomentTool.h"
#include "TPointerTool.h"
#include "TSupportTool.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "undo/EditRecorder.h"

namespace trevan {

namespace {
constexpr Rgb Silver = Rgb::FromRgb(192, 192, 192);
constexpr Rgb Black = Rgb::FromRgb(0, 0, 0);
// The beam objects' own colour.
constexpr Rgb LabelColour = Rgb::FromRgb(128, 0, 0);

Point PointOf(const QMouseEvent* e) { return {e->position().toPoint().x(), e->position().toPoint().y()}; }
}  // namespace

TInputForm::TInputForm(QWidget* parent) : TBackedView(parent) {
  tools_[0] = std::make_unique<TPointerTool>(*this);
  tools_[1] = std::make_unique<TForceTool>(*this);
  tools_[2] = std::make_unique<TSupportTool>(*this, 2, ftHinge);
  tools_[3] = std::make_unique<TSupportTool>(*this, 3, ftVice);
  tools_[4] = std::make_unique<TSupportTool>(*this, 4, ftRoll);
  tools_[5] = std::make_unique<TMomentTool>(*this, 5);
  tools_[6] = std::make_unique<TBeamHingeTool>(*this, 6);
  setMouseTracking(true);
  setToolTip("Click here to create a hinge");
  resize(688, 447);
}

TInputForm::~TInputForm() = default;

BeamWindow* TInputForm::Window() { return host_ ? host_->ModelWindow() : nullptr; }

void TInputForm::SelectTool(int code) {
  const int number = code - ToolCodeBase;
  if (number < 0 || number >= static_cast<int>(tools_.size())) return;
  CancelGesture();
  currentTool_ = tools_[number].get();
  setCursor(currentTool_->ToolCursor);
  SetHint(currentTool_->HintText);
}

void TInputForm::SetHint(const QString& text) {
  // A support's name puts its reaction on a second line.
  QString shown = text;
  shown.remove('\r');
  if (toolTip() != shown) setToolTip(shown);
}

// Column 0 is x = 0; the view's columns past the last one stand for the end.
bool TInputForm::InBeamRange(Point p) const { return host_ && p.x >= 0 && p.x < width(); }

void TInputForm::SelectObject(object* target) {
  // The selection changes under a gesture: the gesture cannot go on.
  if (ButtonDown && target != selection_.get()) CancelGesture();
  Canvas& canvas = DrawingCanvas();
  if (object* old = selection_.get()) old->ToggleHandles(canvas);
  selection_ = target;
  if (object* now = selection_.get()) now->ToggleHandles(canvas);
  FlushDrawing();
  if (host_) {
    host_->InspectorShowObject(selection_.get());
    host_->UpdateCommands();
  }
}

QRect TInputForm::GlyphArea(const Rect& b) {
  return QRect(b.Left - 8, b.Top - 8, b.Right - b.Left + 17, b.Bottom - b.Top + 17);
}

Canvas& TInputForm::DrawingCanvas() { return Surface(); }

void TInputForm::FlushDrawing() { update(); }

void TInputForm::FlushDrawing(const QRect& area) { update(area); }

void TInputForm::Render(ImageCanvas& canvas) {
  const int columns = host_ ? host_->ColumnCount() : 0;
  const int n = baseLine_ / 20;
  if (n >= -1 && n <= 999) {
    for (int i = -n - 1; i <= n; ++i) {
      const int y = baseLine_ - 20 * i;
      if (y < 0) continue;
      canvas.SetPenColor(i == 0 ? Black : Silver);
      canvas.MoveTo(0, y);
      canvas.LineTo(columns, y);
    }
    canvas.SetPenColor(Silver);
    for (int i = 0; i <= columns / 50; ++i) {
      canvas.MoveTo(50 * i, 0);
      canvas.LineTo(50 * i, 2 * baseLine_);
    }
  }
  if (TTrevanDoc* beam = host_ ? host_->Beam() : nullptr; beam && beam->Sentinel()) {
    const ExactResults& reactions = ShownReactions(*beam);
    beam->Draw(canvas, host_->Recorder() ? host_->Recorder()->ActiveCase() : TTrevanDoc::AllCases, &reactions);
    DrawValueLabels(canvas, *beam, columns);
  }
  if (object* selected = selection_.get()) {
    selected->Selected = false;  // a fresh picture has no handles yet
    selected->ToggleHandles(canvas);
  }
}

// The reactions of the chosen result; an envelope has no one set of them
// (the results panel lists each support's largest and smallest).
const ExactResults& TInputForm::ShownReactions(const TTrevanDoc& beam) const {
  static const ExactResults none;
  const ResultChoice choice = host_ ? host_->Choice() : ResultChoice{};
  return choice.IsEnvelope() ? none : KeptResult(beam, choice);
}

void TInputForm::DrawValueLabels(ImageCanvas& canvas, const TTrevanDoc& beam, int columns) {
  valueLabels_.clear();
  if (!ValueLabels::Enabled()) return;
  const ExactResults& results = ShownReactions(beam);
  const ValueLabels::Mapping m{host_->DistanceScale(), host_->ForceScale(), 1, baseLine_, beam.Metric};
  valueLabels_ =
      ValueLabels::Place(canvas, ValueLabels::ForSupports(results, m, LabelColour), LabelBounds(columns),
                         canvas.Covered().left() - LabelReach, canvas.Covered().right() + LabelReach);
  ValueLabels::Draw(canvas, valueLabels_);
}

void TInputForm::resizeEvent(QResizeEvent*) {
  baseLine_ = height() / 2;
  Invalidate();
}

void TInputForm::FormMouseDown(Point p) {
  if (!InBeamRange(p) || !currentTool_) return;
  // A press while a gesture is under way: its release went elsewhere.
  CancelGesture();
  pressPoint_ = p;
  currentTool_->DragRect = Rect{p.x, p.y, p.x + 1, baseLine_}.Normalized();
  currentTool_->MouseDown(p, host_->DistanceScale(), host_->ForceScale());
  ButtonDown = true;
  Tracking = true;
}

void TInputForm::FormMouseMove(Point p) {
  if (!currentTool_ || !host_) return;
  lastMouse_ = p;
  const double ds = host_->DistanceScale(), fs = host_->ForceScale();
  if (ButtonDown) {
    Rect& r = currentTool_->DragRect;
    r.Left = std::min(r.Left, p.x - 1);
    r.Top = std::min(r.Top, p.y);
    r.Right = std::max(r.Right, p.x);
    r.Bottom = std::max(r.Bottom, p.y);
    currentTool_->MouseDrag(p, ds, fs, host_->IsMetric());
    return;
  }
  if (Tracking) {
    currentTool_->HideFeedback(ds, fs);
    if (!rect().contains(p.x, p.y) || !InBeamRange(p)) {
      Tracking = false;
      setCursor(Qt::ArrowCursor);
      return;
    }
  } else {
    if (!InBeamRange(p)) {
      setCursor(Qt::ArrowCursor);
      return;
    }
    setCursor(currentTool_->ToolCursor);
    Tracking = true;
  }
  currentTool_->MouseHover(p, ds, fs, host_->IsMetric());
}

void TInputForm::FormMouseUp(Point p) {
  if (!host_ || !ButtonDown || !currentTool_) return;
  // The release counts at the nearest column of the beam range.
  const int column = std::clamp(p.x, 0, std::max(0, width() - 1));
  currentTool_->MouseDrag({column, p.y}, host_->DistanceScale(), host_->ForceScale(), host_->IsMetric());
  // The gesture is over before its edit is recorded.
  Tracking = false;
  ButtonDown = false;
  currentTool_->MouseUp(host_->DistanceScale(), host_->ForceScale());
  // Clears any feedback the edit did not repaint away.
  Invalidate();
}

void TInputForm::CancelGesture() {
  if (!ButtonDown) return;
  ButtonDown = false;
  Tracking = false;
  if (currentTool_) currentTool_->Cancel();
  Invalidate();
}

void TInputForm::EndTracking() {
  if (Tracking && !ButtonDown && currentTool_ && host_)
    currentTool_->HideFeedback(host_->DistanceScale(), host_->ForceScale());
  if (ButtonDown) return;
  Tracking = false;
  // The tool's cursor comes back with the next move over the beam.
  setCursor(Qt::ArrowCursor);
}

void TInputForm::mousePressEvent(QMouseEvent* e) {
  FormMouseDown(PointOf(e));
  if (ButtonDown) gestureButton_ = e->button();
}
void TInputForm::mouseMoveEvent(QMouseEvent* e) {
  // The pressed button is up: its release went to a dialog or elsewhere.
  if (ButtonDown && !(e->buttons() & gestureButton_)) CancelGesture();
  FormMouseMove(PointOf(e));
}
void TInputForm::mouseReleaseEvent(QMouseEvent* e) { FormMouseUp(PointOf(e)); }

void TInputForm::mouseDoubleClickEvent(QMouseEvent* e) {
  const Point p = PointOf(e);
  FormMouseDown(p);
  if (ButtonDown) gestureButton_ = e->button();
  // Outside the beam range nothing was picked: the inspector stays as it is.
  if (currentTool_ == tools_[0].get() && host_ && InBeamRange(p)) host_->ShowInspector();
}

// The pointer left the view: the hover feedback goes, as it would when the
// view gave the mouse capture back.
void TInputForm::leaveEvent(QEvent*) { EndTracking(); }

void TInputForm::contextMenuEvent(QContextMenuEvent* e) {
  if (!host_) return;
  // The menu takes the release; the tool's gesture ends here.
  if (ButtonDown) FormMouseUp(pressPoint_);
  QMenu menu(this);
  for (QAction* command : host_->PopupCommands()) {
    if (command)
      menu.addAction(command);
    else
      menu.addSeparator();
  }
  menu.exec(e->globalPos());
}

}  // namespace trevan
