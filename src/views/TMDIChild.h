#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "DialogMessages.h"
#include "InputViewHost.h"
#include "QtClipboard.h"
#include "analysis/AnalysisIterator.h"
#include "analysis/ResultChoice.h"
#include "beam/Beam.h"
#include "files/ClipboardExchange.h"
#include "hosts/AnalysisWindow.h"
#include "hosts/BeamWindow.h"
#include "hosts/EditWindow.h"
#include "undo/EditRecorder.h"
#include "undo/UndoBuffer.h"

class QScrollArea;
class QScrollBar;
class QSplitter;

namespace trevan {

class DocumentHost;
class TDocument;
class THAxisBox;
class TInputForm;
class TShowForm;
class TVAxis;

// One beam document inside the main window: the input view with its force
// axis above, the distance axis, the diagrams between a force and a moment
// axis below, and a horizontal scroll bar. It owns the beam, its analysis,
// its undo history and its document lifecycle.
class TMDIChild : public QWidget,
                  public BeamWindow,
                  public AnalysisWindow,
                  public EditWindow,
                  public InputViewHost {
  Q_OBJECT

 public:
  enum class ScaleCommand {
    ForcesPlus,
    ForcesMinus,
    MomentsPlus,
    MomentsMinus,
    DistancesPlus,
    DistancesMinus,
    DeflectionsPlus,
    DeflectionsMinus
  };
  static constexpr int ScaleCommandCount = 8;

  explicit TMDIChild(DocumentHost& host, QWidget* parent = nullptr);
  ~TMDIChild() override;

  TDocument& Document() { return *Document1; }
  TInputForm& InputForm() { return *inputView_; }
  TShowForm& ShowForm() { return *showForm_; }
  TVAxis& InputAxis() { return *inputAxis_; }
  TVAxis& ForceAxis() { return *forceAxis_; }
  TVAxis& MomentAxis() { return *momentAxis_; }
  THAxisBox& HAxisPaintBox() { return *hAxisBox_; }
  QScrollBar& ScrollBar1() { return *scrollBar_; }
  QScrollArea& InputScrollBox() { return *inputScroll_; }
  QScrollArea& GraphScrollBox() { return *graphScroll_; }
  QSplitter& PTSplitter1() { return *splitter_; }
  calc* Analysis() { return calc_.get(); }
  undo::TUndoMultiBuffer* UndoStack() { return undo_.get(); }
  // The preview opened last; every preview of the window is closed with it.
  QPointer<QWidget> PreviewWindow;
  void LinkPreview(QWidget* preview);

  // Scales and layout.
  double DistanceScale() const override { return distanceScale_; }
  double ForceScale() const override { return forceScale_; }
  double MomentScale() const override { return momentScale_; }
  // Millimetres (inches) of deflection a pixel of the diagrams pane.
  double DeflectionScale() const { return deflectionScale_; }
  void SetDeflectionScale(double value);
  int ColumnCount() const override { return columnCount_; }
  void SetForceScale(double value);
  void SetMomentScale(double value);
  void SetDistanceScale(double value);
  // Whether the user changed a scale through the Scale menu since the last fit.
  bool ScaledByHand() const { return scaledByHand_; }
  void SetScaledByHand(bool byHand) { scaledByHand_ = byHand; }
  // Applies one of the six scale commands; answers whether its command
  // stays enabled.
  bool ApplyScaleCommand(ScaleCommand command);
  // Whether a scale command may still go one step further from the
  // scales in force.
  bool ScaleCommandEnabled(ScaleCommand command) const;
  static double RoundToScaleStep(double v);
  void UpdateScrollBar();
  // The scroll bar in page-and-maximum terms: the maximum is the columns' count.
  int ScrollPageSize() const;
  int ScrollMaximum() const;
  void ScrollBar1Scroll(int position);
  int SplitterPosition() const;

  void ResetBeamView() override;
  void Recalculate() override;
  // One analysis step for the idle handler; done is set when none is left.
  void IdleStep(bool& done);
  void ClearAll();
  void SetUnitSystem(bool metric);
  bool IsMetric() const override { return beam_ ? beam_->Metric : true; }
  double BeamLength() const override { return beam_ ? beam_->Length : 0; }

  void Copy();
  void Cut();
  void Paste();

  Rgb ForcesColour() const;
  Rgb MomentsColour() const;
  Rgb DeflectionsColour() const;
  Rgb DistancesColour() const;
  void SetReadout(const QString& text) override;
  // Puts the window's last readout and largest moment back in the status
  // panels, as it becomes the active one.
  void ShowStatusPanels();

  // BeamWindow.
  void SetDirty(bool dirty) override;
  void RefreshInspector(object& target) override;
  MessageService& Messages() override { return messages_; }
  EditRecorder* Recorder() override { return &recorder_; }
  const LoadCases* BeamCases() const override { return beam_ ? &beam_->Cases : nullptr; }

  // The load case new loads go into, kept by the window, not the file; a
  // case that went away leaves the first one active.
  std::size_t ActiveCase() const override;
  void SetActiveCase(std::size_t index);
  // What the diagrams, the panel and the exports show; a choice the beam
  // no longer offers falls back to the loads as drawn.
  ResultChoice Choice() const override;
  void SetChoice(const ResultChoice& choice);

  // AnalysisWindow.
  TTrevanDoc* Beam() override { return beam_.get(); }
  std::span<double> ShearColumns() override;
  std::span<double> MomentColumns() override;
  int ZeroLine() const override;
  void PlotDiagramPixel(int x, int y, Rgb colour) override;
  void ShowMaxMoment(const std::string& text) override;
  void GrowResultPanes(int zeroLine) override;
  void RepaintViews() override;

  // EditWindow.
  BeamView* InputView() override;
  undo::TUndoBuffer* UndoBuffer() override { return undo_.get(); }
  void RepaintAll() override;
  void SelectTool(int code) override;
  void CancelGesture() override;
  std::optional<double> PointerPosition() const override;

  // InputViewHost.
  BeamWindow* ModelWindow() override { return this; }
  void InspectorShowObject(object* target) override;
  void ShowInspector() override;
  void UpdateCommands() override;
  void GrowInputView(int baseLine) override;
  QList<QAction*> PopupCommands() override;

  // The document's events.
  void Document1New(bool& ok);
  void Document1Open(bool& opened);
  void Document1Commit(bool& ok);
  void Document1Close();
  void Document1Activate();

  // Keys the window handles before its controls.
  bool FormKeyDown(int key);
  bool SelectNextObject(bool forward);

 signals:
  // The analysis has steps to run in idle time.
  void AnalysisPending();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void CreateBeam();
  void LayoutPanes();
  void PlaceSplitter();
  // ColumnCount, the views' widths and the diagram columns for the beam.
  void LayOutColumns();
  void RestartAnalysis();
  void InputScrollBoxResize();
  void GraphScrollBoxResize();
  void InvalidateAll();
  void CloseLater();

  DocumentHost& host_;
  QList<QPointer<QWidget>> previews_;
  std::unique_ptr<TDocument> Document1;
  std::unique_ptr<TTrevanDoc> beam_;
  std::unique_ptr<calc> calc_;
  double forceScale_ = 250;
  double momentScale_ = 500;
  double deflectionScale_ = 0.25;
  double distanceScale_ = 0.04;
  bool scaledByHand_ = false;
  int columnCount_ = 0;
  std::unique_ptr<undo::TUndoMultiBuffer> undo_;
  EditRecorder recorder_{*this};
  QtClipboard clipboard_;
  ClipboardExchange exchange_{*this, clipboard_};
  DialogMessages messages_;
  QString readout_;
  QString maxMoment_;
  std::size_t activeCase_ = 0;
  ResultChoice choice_;

  QSplitter* splitter_;
  QScrollArea* inputScroll_;
  QSize inputBoxSize_;
  QSize graphBoxSize_;
  QWidget* inputContent_;
  QWidget* hAxisPanel_;
  THAxisBox* hAxisBox_;
  QScrollArea* graphScroll_;
  QWidget* graphContent_;
  QScrollBar* scrollBar_;
  TInputForm* inputView_;
  TShowForm* showForm_;
  TVAxis* inputAxis_;
  TVAxis* forceAxis_;
  TVAxis* momentAxis_;
};

}  // namespace trevan
