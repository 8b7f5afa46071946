#include "TViewCommands.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "TActionList.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TResultsPanel.h"
#include "TShowForm.h"
#include "TVAxis.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
#include "analysis/KeptSolution.h"
#include "analysis/ScaleFit.h"
#include "drawing/ValueLabels.h"
#include "files/ExactTable.h"

namespace trevan {

TViewCommands::TViewCommands(TMainForm& main, TActionList& actions) : QObject(&main), main_(main) {
  panel_ = new TResultsPanel(&main);
  results_ = actions.Add(new QAction("&Results"));
  results_->setObjectName("ViewResults1");
  results_->setProperty("category", "View");
  results_->setShortcut(QKeySequence(Qt::Key_F9));
  results_->setStatusTip("Show the reactions and the extreme values of the beam");
  results_->setCheckable(true);
  connect(results_, &QAction::toggled, this, [this](bool on) {
    panel_->setVisible(on);
    Refresh();
  });
  panel_->OnClosed = [this] { results_->setChecked(false); };
  panel_->SetDeflectionLimit(limitSetting_.Read());
  panel_->OnLimitChanged = [this](double limit) { limitSetting_.Write(limit); };

  valuesSetting_.Storage.SetKey("Software\\Quillmoor Software\\Trevan");
  valuesSetting_.Storage.SetRegistryRootKey(qsrkCurrentUser);
  valuesSetting_.KeyName = "ValuesOnDiagrams";
  valuesSetting_.DefaultValue = "1";
  values_ = actions.Add(new QAction("Values on &Diagrams"));
  values_->setObjectName("ViewValues1");
  values_->setProperty("category", "View");
  values_->setStatusTip("Write the reactions and the extreme values on the pictures");
  values_->setCheckable(true);
  values_->setChecked(valuesSetting_.GetValue() != "0");
  ValueLabels::SetEnabled(values_->isChecked());
  connect(values_, &QAction::toggled, this, &TViewCommands::ShowValues);

  fit_ = actions.Add(new QAction("&Fit to Window"));
  fit_->setObjectName("ViewFit1");
  fit_->setProperty("category", "View");
  fit_->setShortcut(QKeySequence("Ctrl+0"));
  fit_->setStatusTip("Choose the scales that show the whole beam and its diagrams");
  connect(fit_, &QAction::triggered, this, [this] {
    if (TMDIChild* w = main_.ActiveDocumentWindow(); w && w->Beam()) {
      // Asked for by hand: the window follows its edits again.
      w->SetScaledByHand(false);
      FitToWindow(*w);
    }
  });

  menu_ = new QMenu("&View", main.menuBar());
  menu_->setStatusTip("View commands");
  menu_->addAction(results_);
  menu_->addAction(values_);
  menu_->addSeparator();
  menu_->addAction(fit_);
  QMenu* window = main.Menu("&Window");
  main.menuBar()->insertMenu(window ? window->menuAction() : nullptr, menu_);

  connect(main.MdiArea(), &QMdiArea::subWindowActivated, this,
          [this] { Follow(main_.ActiveDocumentWindow()); });
  main.installEventFilter(this);
}

// The panel belongs to the main window and may outlive the commands.
TViewCommands::~TViewCommands() {
  panel_->OnClosed = nullptr;
  panel_->OnLimitChanged = nullptr;
}

void TViewCommands::Follow(TMDIChild* window) {
  if (window != followed_) {
    disconnect(edits_);
    followed_ = window;
    // Every edit and every scale change ends in AnalysisPending.
    if (window) edits_ = connect(window, &TMDIChild::AnalysisPending, this, &TViewCommands::Analysed);
  }
  FitOnce(window);
  // Edits and unit switches in the background show fitted when it comes to the front.
  if (window) RefitAfterEdit(*window);
  Refresh();
}

void TViewCommands::ShowValues(bool on) {
  ValueLabels::SetEnabled(on);
  valuesSetting_.SetValue(on ? "1" : "0");
  for (TMDIChild* window : main_.DocumentWindows()) window->RepaintAll();
}

namespace {
constexpr const char* FitCheckedProperty = "trevanFitChecked";

ScaleFit::Room RoomOf(TMDIChild& w) {
  return {w.GraphScrollBox().viewport()->width() - 2 * TVAxis::StripWidth,
          w.InputScrollBox().viewport()->height() / 2, w.GraphScrollBox().viewport()->height() / 2};
}

// The extent of what the diagrams show: the chosen result or envelope.
ScaleFit::Extent ExtentOf(TMDIChild& w) {
  const ResultChoice choice = w.Choice();
  ScaleFit::Extent extent = ScaleFit::Measure(*w.Beam(), KeptResult(*w.Beam(), choice));
  if (choice.IsEnvelope()) {
    const Envelope& e = w.ShowForm().ShownEnvelope();
    if (e.solved) {
      extent.shear = std::max(std::abs(e.maxShear.value), std::abs(e.minShear.value));
      extent.moment = std::max(e.maxSagging.value, -e.maxHogging.value);
    }
  }
  return extent;
}
}  // namespace

bool TViewCommands::Overflows(TMDIChild& window) {
  if (!window.Beam()) return false;
  return ScaleFit::Overflows(
      ExtentOf(window), {window.ForceScale(), window.MomentScale(), window.DistanceScale()}, RoomOf(window));
}

// The deflection curve on the finest step at which its largest value fits.
void TViewCommands::FitDeflection(TMDIChild& window, int half) {
  const ExactResults& results = KeptSolution(*window.Beam());
  const double largest = std::abs(results.maxDeflection.value) * ExactTable::DeflectionFactor(window.IsMetric());
  if (!results.deflected || largest == 0) return;
  window.SetDeflectionScale(ScaleFit::FineStepAtLeast(largest / std::max(half - ScaleFit::Margin, 1)));
}

void TViewCommands::FitToWindow(TMDIChild& window, bool alongTheBeam) {
  if (!window.Beam()) return;
  const ScaleFit::Scales s = ScaleFit::Fit(
      ExtentOf(window), {window.ForceScale(), window.MomentScale(), window.DistanceScale()}, RoomOf(window));
  if (alongTheBeam) window.SetDistanceScale(s.distance);
  window.SetForceScale(s.force);
  window.SetMomentScale(s.moment);
  FitDeflection(window, RoomOf(window).diagramHalf);
  // The beam line and the zero line to the middle of their panes.
  QScrollBar* input = window.InputScrollBox().verticalScrollBar();
  input->setValue(window.InputForm().BaseLine() - window.InputScrollBox().viewport()->height() / 2);
  QScrollBar* graph = window.GraphScrollBox().verticalScrollBar();
  graph->setValue(window.ShowForm().ZeroLine() - window.GraphScrollBox().viewport()->height() / 2);
}

// The first time a window is seen with its beam it is fitted, once it has
// its size.
void TViewCommands::FitOnce(TMDIChild* window) {
  if (!window || !window->Beam() || window->property(FitCheckedProperty).toBool()) return;
  window->setProperty(FitCheckedProperty, true);
  QTimer::singleShot(0, window, [window] {
    if (!window->ScaledByHand()) FitToWindow(*window);
  });
}

// An edit that pushes a picture out of its pane, or leaves one under a
// fifth of it, refits the force and moment scales (the columns stay where
// the user works); never in the middle of a drag, and not in a window whose
// scales the user set by hand.
void TViewCommands::RefitAfterEdit(TMDIChild& window) {
  if (!window.Beam() || window.ScaledByHand() || window.InputForm().ButtonDown || refitting_) return;
  if (!window.property(FitCheckedProperty).toBool()) return;
  const ScaleFit::Extent extent = ExtentOf(window);
  const ScaleFit::Scales now{window.ForceScale(), window.MomentScale(), window.DistanceScale()};
  const ScaleFit::Room room = RoomOf(window);
  if (!ScaleFit::Overflows(extent, now, room) && !ScaleFit::Underfills(extent, now, room)) return;
  const ScaleFit::Scales fitted = ScaleFit::Fit(extent, now, room);
  if (fitted.force == now.force && fitted.moment == now.moment) return;
  refitting_ = true;
  FitToWindow(window, false);
  refitting_ = false;
}

void TViewCommands::Analysed() {
  FitOnce(followed_);
  if (followed_) RefitAfterEdit(*followed_);
  Refresh();
}

void TViewCommands::Refresh() {
  if (!panel_->isVisible()) return;
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (!window || !window->Beam()) return panel_->ShowBeam(nullptr);
  const ResultChoice choice = window->Choice();
  panel_->ShowBeam(window->Beam(), choice,
                   choice.IsEnvelope() ? &window->ShowForm().ShownEnvelope() : nullptr);
}

bool TViewCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &main_ && event->type() == QEvent::WindowActivate) Follow(main_.ActiveDocumentWindow());
  return QObject::eventFilter(watched, event);
}

}  // namespace trevan
