#include "TMDIChild.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "DialogService.h"
#include "DocumentHost.h"
#include "TDocument.h"
#include "THAxisBox.h"
#include "TInputForm.h"
#include "TNumberEdit.h"
#include "TOptionsForm.h"
#include "TPreviewForm.h"
#include "TShowForm.h"
#include "TStartForm.h"
#include "TVAxis.h"
#include "analysis/ExactColumns.h"
#include "analysis/KeptChoice.h"
#include "analysis/ScaleFit.h"
#include "beam/UnitSystem.h"
#include "hosts/PixelMapping.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
constexpr int AxisWidth = TVAxis::StripWidth;

QScrollArea* MakeScrollBox(QWidget* content) {
  auto* box = new QScrollArea;
  box->setFrameShape(QFrame::NoFrame);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setWidget(content);
  box->setWidgetResizable(false);
  box->setFocusPolicy(Qt::NoFocus);
  box->verticalScrollBar()->setTracking(true);
  return box;
}
}  // namespace

TMDIChild::TMDIChild(DocumentHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      Document1(std::make_unique<TDocument>(this, host.Dialogs())),
      messages_(host.Dialogs(), this) {
  resize(624, 385);
  setFocusPolicy(Qt::StrongFocus);

  // FormCreate.
  forceScale_ = 250;
  distanceScale_ = 0.04 * (ApplicationMetric() ? 1 : 2.5);
  momentScale_ = 500;

  inputContent_ = new QWidget;
  inputView_ = new TInputForm(inputContent_);
  inputView_->SetHost(this);
  inputAxis_ = new TVAxis(inputContent_, &inputView_->BaseLineRef(), TVAxis::Kind::Force, this);
  inputScroll_ = MakeScrollBox(inputContent_);

  hAxisPanel_ = new QWidget;
  hAxisPanel_->setFixedHeight(16);
  hAxisBox_ = new THAxisBox(hAxisPanel_, this);
  hAxisBox_->move(0, 0);

  graphContent_ = new QWidget;
  showForm_ = new TShowForm(graphContent_);
  showForm_->SetOwnerWindow(this);
  forceAxis_ = new TVAxis(graphContent_, showForm_->ZeroLineRef(), TVAxis::Kind::Force, this);
  momentAxis_ = new TVAxis(graphContent_, showForm_->ZeroLineRef(), TVAxis::Kind::Moment, this);
  graphScroll_ = MakeScrollBox(graphContent_);

  auto* upper = new QWidget;
  auto* upperLayout = new QVBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  upperLayout->setSpacing(0);
  upperLayout->addWidget(inputScroll_);
  upperLayout->addWidget(hAxisPanel_);

  inputView_->setAccessibleName("Beam and loads");
  inputView_->setAccessibleDescription(
      "The beam with its loads, supports and reactions; Tab selects the next object");
  showForm_->setAccessibleName("Shear force and bending moment diagrams");
  inputAxis_->setAccessibleName("Force axis of the beam");
  forceAxis_->setAccessibleName("Shear force axis");
  momentAxis_->setAccessibleName("Bending moment axis");
  hAxisBox_->setAccessibleName("Distance axis");

  // The drawing colours are chosen for paper: the panes stay white on a dark
  // theme too, with dark text on them.
  QPalette paper = palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) paper.setColor(role, Qt::white);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) paper.setColor(role, Qt::black);
  for (QWidget* pane :
       {static_cast<QWidget*>(inputScroll_->viewport()), static_cast<QWidget*>(graphScroll_->viewport()),
        inputContent_, graphContent_, hAxisPanel_}) {
    pane->setPalette(paper);
    pane->setAutoFillBackground(true);
  }

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setHandleWidth(4);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(upper);
  splitter_->addWidget(graphScroll_);

  scrollBar_ = new QScrollBar(Qt::Horizontal);
  scrollBar_->setFixedHeight(17);
  scrollBar_->setPageStep(20);
  scrollBar_->setSingleStep(1);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &TMDIChild::ScrollBar1Scroll);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitter_);
  layout->addWidget(scrollBar_);

  undo_ = std::make_unique<undo::TUndoMultiBuffer>(this, host_.UndoCommand(), host_.RedoCommand());
  inputView_->SelectTool(TInputForm::HingeToolCode);

  for (QWidget* w :
       {static_cast<QWidget*>(inputScroll_->viewport()), static_cast<QWidget*>(graphScroll_->viewport())})
    w->installEventFilter(this);
  for (QWidget* w : {static_cast<QWidget*>(inputView_), static_cast<QWidget*>(showForm_)})
    w->installEventFilter(this);
  connect(inputScroll_->verticalScrollBar(), &QScrollBar::valueChanged, inputView_,
          &TInputForm::EnsureCovered);
  connect(graphScroll_->verticalScrollBar(), &QScrollBar::valueChanged, showForm_, &TShowForm::EnsureCovered);
  // The moment axis keeps its legend at the top of the pane.
  connect(graphScroll_->verticalScrollBar(), &QScrollBar::valueChanged, momentAxis_,
          qOverload<>(&QWidget::update));

  Document1->OnNew = [this](TDocument&, bool& ok) { Document1New(ok); };
  Document1->OnOpen = [this](TDocument&, bool& opened) { Document1Open(opened); };
  Document1->OnCommit = [this](TDocument&, bool& ok) { Document1Commit(ok); };
  Document1->OnClose = [this](TDocument&) { Document1Close(); };
  Document1->OnActivate = [this](QObject*) { Document1Activate(); };

  LayoutPanes();
  PlaceSplitter();
}

// The document closes first, while everything it reports to exists.
TMDIChild::~TMDIChild() {
  Document1.reset();
  undo_.reset();
  calc_.reset();
  beam_.reset();
}

int TMDIChild::SplitterPosition() const { return height() / 2 - 4; }

// The splitter has the client height less the scroll bar and its handle;
// sizes adding up to more would be scaled down by it.
void TMDIChild::PlaceSplitter() {
  const int space = height() - scrollBar_->height() - splitter_->handleWidth();
  const int upper = SplitterPosition();
  splitter_->setSizes({upper, std::max(1, space - upper)});
}

void TMDIChild::CreateBeam() {
  calc_.reset();
  beam_ = std::make_unique<TTrevanDoc>();
  beam_->AttachView(inputView_);
  calc_ = std::make_unique<calc>(*this);
}

void TMDIChild::CloseLater() {
  QTimer::singleShot(0, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      sub->close();
    else
      close();
  });
}

void TMDIChild::Document1New(bool& ok) {
  TStartForm& form = host_.StartForm();
  const bool metric = ApplicationMetric();
  form.Edit1->setText(metric ? "15" : "50");
  form.SetItemIndex(metric ? 0 : 1);
  const QRect frame = geometry();
  form.move(frame.left() + (frame.width() - form.width()) / 2,
            frame.top() + (frame.height() - form.height()) / 2);
  if (host_.Dialogs().Exec(form) != QDialog::Accepted) {
    ok = false;
    CloseLater();
    return;
  }
  const bool chosenMetric = form.ItemIndex() == 0;
  CreateBeam();
  // The typed length is taken in the unit chosen in the dialog; the
  // distance scale follows the choice as a unit switch would make it.
  beam_->Metric = chosenMetric;
  beam_->Length = form.Edit1->Value();
  if (chosenMetric != metric) {
    if (!chosenMetric && distanceScale_ <= 1) distanceScale_ *= 4;
    if (chosenMetric && distanceScale_ >= 0.004) distanceScale_ /= 4;
  }
  SetApplicationMetric(chosenMetric);
  host_.SetMetricSetting(chosenMetric ? "1" : "0");
  ok = beam_->Load("");
  ResetBeamView();
  UpdateScrollBar();
  Recalculate();
  host_.SetMetricChecks(chosenMetric);
}

void TMDIChild::Document1Open(bool& opened) {
  CreateBeam();
  opened = beam_->Load(Document1->FileName.toStdString());
  if (!opened) {
    // A window without a beam is of no use: it goes.
    calc_.reset();
    beam_.reset();
    CloseLater();
    return;
  }
  ResetBeamView();
  Recalculate();
  host_.UpdateCommands();
}

void TMDIChild::Document1Commit(bool& ok) { ok = beam_ && beam_->Save(Document1->FileName.toStdString()); }

void TMDIChild::Document1Close() {
  inputView_->ForgetSelection();
  calc_.reset();
  beam_.reset();
}

void TMDIChild::Document1Activate() {
  PlaceSplitter();
  if (beam_) host_.SetMetricChecks(beam_->Metric);
  // The inspector shows the active window's selection, never another window's.
  host_.InspectorShowObject(inputView_->SelectedObject());
}

void TMDIChild::closeEvent(QCloseEvent* event) {
  if (!Document1->CloseQuery()) {
    event->ignore();
    return;
  }
  inputView_->CancelGesture();
  host_.InspectorShowObject(nullptr);
  host_.HideInspector();
  PreviewWindow = nullptr;
  for (const QPointer<QWidget>& preview : previews_) {
    if (!preview) continue;
    if (auto* form = qobject_cast<TPreviewForm*>(preview.data())) form->ClearTarget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(preview->parentWidget()))
      sub->close();
    else
      preview->close();
  }
  previews_.clear();
  event->accept();
}

void TMDIChild::LinkPreview(QWidget* preview) {
  PreviewWindow = preview;
  previews_.append(preview);
}

void TMDIChild::resizeEvent(QResizeEvent*) { PlaceSplitter(); }

bool TMDIChild::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    // A viewport also changes its size when its scroll bar comes or goes;
    // only a resize of the scroll box itself centres the view again.
    if (watched == inputScroll_->viewport()) {
      LayoutPanes();
      if (std::exchange(inputBoxSize_, inputScroll_->size()) != inputScroll_->size()) InputScrollBoxResize();
    } else if (watched == graphScroll_->viewport()) {
      LayoutPanes();
      if (std::exchange(graphBoxSize_, graphScroll_->size()) != graphScroll_->size())
        GraphScrollBoxResize();
      else
        UpdateScrollBar();
    } else if (watched == inputView_ || watched == showForm_) {
      LayoutPanes();
    }
  }
  if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
  return QWidget::eventFilter(watched, event);
}

void TMDIChild::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyDown(event->key())) QWidget::keyPressEvent(event);
}

bool TMDIChild::FormKeyDown(int key) {
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Left:
      if (object* selected = inputView_->SelectedObject(); selected && beam_)
        recorder_.RecordMove(*selected, key == Qt::Key_Right ? distanceScale_ : -distanceScale_);
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return SelectNextObject(key == Qt::Key_Tab);
    case Qt::Key_Backspace:
      host_.Undo();
      return true;
    case Qt::Key_Delete:
      if (beam_) recorder_.RecordDeleteSelected();
      return true;
    default:
      return false;
  }
}

// Tab walks the selection along the beam from left to right, Shift+Tab
// back, round from the last object to the first.
bool TMDIChild::SelectNextObject(bool forward) {
  if (!beam_) return false;
  std::vector<object*> all;
  for (auto& c : beam_->Charges) all.push_back(c.get());
  for (auto& d : beam_->DistrCharges) all.push_back(d.get());
  for (auto& m : beam_->Moments) all.push_back(m.get());
  for (auto& h : beam_->Hinges) all.push_back(h.get());
  for (element* e = beam_->FirstSupport(); e; e = e->Next.get()) all.push_back(e);
  if (all.empty()) return false;
  std::stable_sort(all.begin(), all.end(), [](const object* a, const object* b) {
    return a->GetPlacement().first < b->GetPlacement().first;
  });
  const auto at = std::find(all.begin(), all.end(), inputView_->SelectedObject());
  const auto n = static_cast<std::ptrdiff_t>(all.size());
  std::ptrdiff_t i = at == all.end() ? (forward ? 0 : n - 1) : (at - all.begin() + (forward ? 1 : n - 1)) % n;
  inputView_->SelectObject(all[static_cast<std::size_t>(i)]);
  if (object* now = inputView_->SelectedObject())
    SetReadout(QString::fromStdString(now->GetHint(distanceScale_ < 0.01)));
  return true;
}

bool TMDIChild::focusNextPrevChild(bool next) {
  return SelectNextObject(next) || QWidget::focusNextPrevChild(next);
}

void TMDIChild::LayoutPanes() {
  const int inputWidth = inputScroll_->viewport()->width();
  inputContent_->resize(inputWidth, inputView_->height());
  inputAxis_->setGeometry(0, 0, AxisWidth, inputView_->height());
  inputView_->move(AxisWidth - scrollBar_->value(), 0);
  inputAxis_->raise();

  const int graphWidth = graphScroll_->viewport()->width();
  graphContent_->resize(graphWidth, showForm_->height());
  forceAxis_->setGeometry(0, 0, AxisWidth, showForm_->height());
  // Beside the diagram's last column when the diagram is narrower than the
  // pane, at the pane's edge (clear of the columns in sight) otherwise.
  const int besideDiagram = AxisWidth + columnCount_ + 2;
  momentAxis_->setGeometry(std::max(AxisWidth, std::min(graphWidth - AxisWidth, besideDiagram)), 0, AxisWidth,
                           showForm_->height());
  showForm_->move(AxisWidth - scrollBar_->value(), 0);
  forceAxis_->raise();
  momentAxis_->raise();

  hAxisBox_->setGeometry(-scrollBar_->value(), 0, columnCount_ + 85, 16);
}

namespace {
// Puts the middle of a view in the middle of its scroll box. The box
// resizes its viewport before it updates its scroll range, so the range is
// set here first, as the box will set it.
void CentreView(QScrollArea& box, const QWidget& view) {
  QScrollBar* bar = box.verticalScrollBar();
  const long long range = view.height();
  const long long h = box.viewport()->height();
  const long long H = std::max(1, view.height());
  bar->setRange(0, static_cast<int>(std::max(0LL, H - h)));
  bar->setValue(static_cast<int>(range / 2 - (h * range / H) / 2));
}
}  // namespace

void TMDIChild::InputScrollBoxResize() { CentreView(*inputScroll_, *inputView_); }

void TMDIChild::GraphScrollBoxResize() {
  CentreView(*graphScroll_, *showForm_);
  UpdateScrollBar();
}

void TMDIChild::LayOutColumns() {
  columnCount_ = beam_ ? ColumnCountFor(beam_->Length, distanceScale_, 20'000'001) : 0;
  showForm_->AllocateColumns(columnCount_);
  inputView_->resize(columnCount_ + 2, inputView_->height());
  showForm_->resize(columnCount_ + 2, showForm_->height());
  // A scroll position past the new last column would leave the panes blank.
  UpdateScrollBar();
  LayoutPanes();
}

// A scale changed: idle time runs the sweeps again and replots.
void TMDIChild::RestartAnalysis() {
  if (calc_) calc_->Reset();
  InvalidateAll();
  emit AnalysisPending();
}

void TMDIChild::ResetBeamView() {
  inputView_->SelectObject(nullptr);
  LayOutColumns();
  InvalidateAll();
  // The iterator may still point into a chain the beam has replaced.
  if (calc_) calc_->Reset();
  undo_ = std::make_unique<undo::TUndoMultiBuffer>(this, host_.UndoCommand(), host_.RedoCommand());
  undo_->ShowState();
}

void TMDIChild::InvalidateAll() {
  inputView_->Invalidate();
  showForm_->Invalidate();
  inputAxis_->update();
  forceAxis_->update();
  momentAxis_->update();
  hAxisBox_->update();
  update();
}

void TMDIChild::Recalculate() {
  // An edit of the cases may take the chosen result away.
  choice_ = Choice();
  if (calc_) calc_->Recalculate();
  InvalidateAll();
  emit AnalysisPending();
}

void TMDIChild::IdleStep(bool& done) {
  if (!calc_) return;
  const bool more = calc_->Step();
  showForm_->FlushPlotted();
  done = !more;
  if (!done || !beam_) return;
  // A case or a combination replaces the columns of the loads as drawn; an
  // envelope is drawn from its own samples.
  const ResultChoice chosen = Choice();
  const bool replaced =
      chosen.kind == ResultChoice::Kind::AsDrawn
          ? SampleExactColumns(*beam_, distanceScale_, showForm_->ShearColumns(), showForm_->MomentColumns())
          : chosen.IsEnvelope() || SampleResultColumns(KeptResult(*beam_, chosen), distanceScale_,
                                                       showForm_->ShearColumns(), showForm_->MomentColumns());
  if (replaced) showForm_->Invalidate();
}

void TMDIChild::ClearAll() { recorder_.ClearAll(); }

void TMDIChild::SetUnitSystem(bool metric) {
  if (IsMetric() == metric || !beam_) return;
  // Refused rather than clamped: cutting the beam or its values to fit would
  // change the structure behind the user's back, and a switch should only
  // change how the same beam is written.
  if (const std::string problem = beam_->UnitSwitchProblem(metric); !problem.empty()) {
    const QString text = QString::fromStdString("This beam cannot be switched to " +
                                                std::string(LengthUnit(metric)) + ". " + problem);
    host_.Dialogs().Message(this, text, "Units", DialogIcon::Warning, DialogButtons::Ok);
    host_.SetMetricChecks(beam_->Metric);
    return;
  }
  const double oldLength = beam_->Length;
  beam_->SetMetric(metric);
  host_.SetMetricSetting(ApplicationMetric() ? "1" : "0");
  const WatchedObject remembered = inputView_->SelectedObject();
  inputView_->SelectObject(nullptr);
  if (scaledByHand_) {
    // The user's scale goes along the ladder of the scale commands.
    if (!metric && distanceScale_ <= 1) distanceScale_ *= 4;
    if (metric && distanceScale_ >= 0.004) distanceScale_ /= 4;
  } else if (oldLength > 0) {
    // A fitted beam keeps its width in the other unit, and switching back
    // gives its scale back exactly.
    distanceScale_ = ScaleFit::ShortScale(distanceScale_ * (beam_->Length / oldLength));
  }
  ResetBeamView();
  Recalculate();
  inputView_->SelectObject(remembered.get());
  host_.SetMetricChecks(beam_->Metric);
}

double TMDIChild::RoundToScaleStep(double v) {
  const double p = std::pow(10.0, std::trunc(std::log10(v)));
  const double q = v / p;
  if (q < 2.5) return 2.5 * p;
  if (q <= 5) return 5 * p;
  return 12.5 * p;
}

void TMDIChild::SetForceScale(double value) {
  if (value == forceScale_) return;
  forceScale_ = value;
  RestartAnalysis();
}

void TMDIChild::SetDeflectionScale(double value) {
  if (value == deflectionScale_) return;
  deflectionScale_ = value;
  showForm_->Invalidate();
  momentAxis_->update();
}

void TMDIChild::SetMomentScale(double value) {
  if (value == momentScale_) return;
  momentScale_ = value;
  RestartAnalysis();
}

void TMDIChild::SetDistanceScale(double value) {
  if (value == distanceScale_) return;
  distanceScale_ = value;
  LayOutColumns();
  UpdateScrollBar();
  RestartAnalysis();
}

bool TMDIChild::ApplyScaleCommand(ScaleCommand command) {
  switch (command) {
    case ScaleCommand::ForcesPlus:
      SetForceScale(RoundToScaleStep(forceScale_ / 3));
      break;
    case ScaleCommand::ForcesMinus:
      SetForceScale(RoundToScaleStep(forceScale_ * 1.5));
      break;
    case ScaleCommand::MomentsPlus:
      SetMomentScale(RoundToScaleStep(momentScale_ / 3));
      break;
    case ScaleCommand::MomentsMinus:
      SetMomentScale(RoundToScaleStep(momentScale_ * 1.5));
      break;
    case ScaleCommand::DistancesPlus:
      SetDistanceScale(distanceScale_ / 2);
      break;
    case ScaleCommand::DistancesMinus:
      SetDistanceScale(distanceScale_ * 2);
      break;
    case ScaleCommand::DeflectionsPlus:
      SetDeflectionScale(RoundToScaleStep(deflectionScale_ / 3));
      break;
    case ScaleCommand::DeflectionsMinus:
      SetDeflectionScale(RoundToScaleStep(deflectionScale_ * 1.5));
      break;
  }
  return ScaleCommandEnabled(command);
}

bool TMDIChild::ScaleCommandEnabled(ScaleCommand command) const {
  switch (command) {
    case ScaleCommand::ForcesPlus:
      return forceScale_ >= 3;
    case ScaleCommand::ForcesMinus:
      return forceScale_ <= 20000;
    case ScaleCommand::MomentsPlus:
      return momentScale_ >= 3;
    case ScaleCommand::MomentsMinus:
      return momentScale_ <= 1000000;
    case ScaleCommand::DistancesPlus:
      return distanceScale_ >= 0.004;
    case ScaleCommand::DistancesMinus:
      return distanceScale_ <= 1;
    case ScaleCommand::DeflectionsPlus:
      return deflectionScale_ >= 1e-5;
    case ScaleCommand::DeflectionsMinus:
      return deflectionScale_ <= 1e5;
  }
  return true;
}

void TMDIChild::UpdateScrollBar() {
  const int visible = graphScroll_->viewport()->width() - 2 * AxisWidth;
  if (visible < columnCount_) {
    scrollBar_->setPageStep(std::max(visible, 1));
    // Qt's maximum is the last position, the page excluded.
    if (columnCount_ > 0) scrollBar_->setMaximum(std::max(0, columnCount_ - scrollBar_->pageStep()));
    scrollBar_->setEnabled(true);
  } else {
    scrollBar_->setEnabled(false);
    scrollBar_->setValue(0);
  }
}

int TMDIChild::ScrollPageSize() const { return scrollBar_->pageStep(); }
int TMDIChild::ScrollMaximum() const { return scrollBar_->maximum() + scrollBar_->pageStep(); }

void TMDIChild::ScrollBar1Scroll(int position) {
  inputView_->move(AxisWidth - position, 0);
  showForm_->move(AxisWidth - position, 0);
  hAxisBox_->move(-position, 0);
  inputAxis_->raise();
  forceAxis_->raise();
  momentAxis_->raise();
}

Rgb TMDIChild::ForcesColour() const { return host_.Options().ForcesColor(); }
Rgb TMDIChild::MomentsColour() const { return host_.Options().MomentsColor(); }
Rgb TMDIChild::DeflectionsColour() const { return host_.Options().DeflectionsColor(); }
Rgb TMDIChild::DistancesColour() const { return host_.Options().DistancesColor(); }

void TMDIChild::SetReadout(const QString& text) {
  readout_ = text;
  if (host_.IsActiveDocument(this)) host_.SetStatusText(1, text);
}

void TMDIChild::ShowStatusPanels() {
  host_.SetStatusText(1, readout_);
  host_.SetStatusText(2, maxMoment_);
}

void TMDIChild::SetDirty(bool dirty) { Document1->SetDirty(dirty); }

// Only the selection is ever shown: an edit of another object leaves the
// inspector on the selection.
void TMDIChild::RefreshInspector(object& target) {
  if (host_.InspectorVisible() && &target == inputView_->SelectedObject()) InspectorShowObject(&target);
}

std::span<double> TMDIChild::ShearColumns() { return showForm_->ShearColumns(); }
std::span<double> TMDIChild::MomentColumns() { return showForm_->MomentColumns(); }
int TMDIChild::ZeroLine() const { return showForm_->ZeroLine(); }

// The trace of the loads as drawn shows only while they are the choice.
void TMDIChild::PlotDiagramPixel(int x, int y, Rgb colour) {
  if (choice_.kind == ResultChoice::Kind::AsDrawn) showForm_->PlotPixel(x, y, colour);
}

// The largest moment of what the diagrams show; the tool bar names it.
void TMDIChild::ShowMaxMoment(const std::string& text) {
  maxMoment_ = QString::fromStdString(text);
  if (beam_ && choice_.kind != ResultChoice::Kind::AsDrawn && !beam_->NeedsSupport()) {
    double largest = 0;
    if (choice_.IsEnvelope()) {
      const Envelope& e = showForm_->ShownEnvelope();
      if (e.solved) largest = std::max(e.maxSagging.value, -e.maxHogging.value);
    } else if (const ExactResults& r = KeptResult(*beam_, choice_); r.solved) {
      largest = r.LargestMoment();
    }
    maxMoment_ =
        QString::fromStdString(CFormat("Max. moment : %7.0f %s", largest, MomentUnit(beam_->Metric)));
  }
  if (host_.IsActiveDocument(this)) host_.SetStatusText(2, maxMoment_);
}

void TMDIChild::GrowResultPanes(int w) {
  QScrollBar* bar = graphScroll_->verticalScrollBar();
  w = std::clamp(w, 0, MaxZeroLine);
  const int position = bar->value() + w - showForm_->ZeroLine();
  showForm_->resize(showForm_->width(), 2 * w);  // sets the zero line to w
  showForm_->SetZeroLine(w);
  LayoutPanes();
  bar->setValue(position);
  showForm_->Invalidate();
  inputView_->Invalidate();
}

void TMDIChild::RepaintViews() {
  showForm_->Invalidate();
  inputView_->Invalidate();
}

BeamView* TMDIChild::InputView() { return inputView_; }

std::optional<double> TMDIChild::PointerPosition() const {
  if (!beam_ || !inputView_->isVisible()) return std::nullopt;
  const QPoint p = inputView_->mapFromGlobal(QCursor::pos());
  if (!inputView_->visibleRegion().contains(p) || !inputView_->InBeamRange({p.x(), p.y()}))
    return std::nullopt;
  return std::clamp(p.x() * distanceScale_, 0.0, beam_->Length);
}

void TMDIChild::RepaintAll() { InvalidateAll(); }

void TMDIChild::SelectTool(int code) { inputView_->SelectTool(code); }

void TMDIChild::CancelGesture() { inputView_->CancelGesture(); }

// The inspector belongs to the active window: a window in the background
// that reselects (after a unit switch, say) leaves it alone.
void TMDIChild::InspectorShowObject(object* target) {
  if (host_.IsActiveDocument(this)) host_.InspectorShowObject(target);
}
void TMDIChild::ShowInspector() {
  host_.InspectorShowObject(inputView_->SelectedObject());
  host_.ShowInspector();
}
void TMDIChild::UpdateCommands() { host_.UpdateCommands(); }
QList<QAction*> TMDIChild::PopupCommands() { return host_.PopupCommands(); }

void TMDIChild::GrowInputView(int baseLine) {
  QScrollBar* bar = inputScroll_->verticalScrollBar();
  const int t = bar->value();
  const int b = inputView_->BaseLine();
  inputView_->resize(inputView_->width(), 2 * baseLine);
  inputView_->SetBaseLine(baseLine);
  LayoutPanes();
  bar->setValue(baseLine + t - b);
  inputView_->Invalidate();
  inputAxis_->update();
}

std::size_t TMDIChild::ActiveCase() const {
  return beam_ && activeCase_ < beam_->Cases.Count() ? activeCase_ : 0;
}

void TMDIChild::SetActiveCase(std::size_t index) {
  if (index == activeCase_) return;
  activeCase_ = index;
  inputView_->Invalidate();
}

ResultChoice TMDIChild::Choice() const {
  return beam_ ? ResultChoice::Kept(beam_->Cases, choice_) : ResultChoice{};
}

void TMDIChild::SetChoice(const ResultChoice& choice) {
  if (choice == choice_) return;
  choice_ = choice;
  RestartAnalysis();
}

void TMDIChild::Copy() { exchange_.Copy(); }
void TMDIChild::Cut() { exchange_.Cut(); }
void TMDIChild::Paste() { exchange_.Paste(); }

}  // namespace trevan
