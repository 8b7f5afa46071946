#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysisIterator.h"
#include "beam/Beam.h"
#include "beam/WatchedObject.h"
#include "hosts/AnalysisWindow.h"
#include "hosts/BeamView.h"
#include "hosts/BeamWindow.h"
#include "hosts/EditWindow.h"
#include "undo/CommandState.h"
#include "undo/EditRecorder.h"
#include "undo/UndoBuffer.h"

namespace trevan {

class MessageService;

// A command's caption and enabled state, kept for reading back.
class CommandStatus : public CommandState {
 public:
  explicit CommandStatus(std::string caption) : caption(std::move(caption)) {}
  void SetCaption(const std::string& text) override { caption = text; }
  void SetEnabled(bool on) override { enabled = on; }
  std::string caption;
  bool enabled = false;
};

// A document window without a screen: holds one beam, its analysis, its
// scales and its undo history. Serves the command line and the tests.
class HeadlessWindow : public BeamWindow, public BeamView, public AnalysisWindow, public EditWindow {
 public:
  static constexpr double StartForceScale = 250;
  static constexpr double StartMomentScale = 500;
  static double StartDistanceScale(bool metric) { return metric ? 0.04 : 0.1; }

  explicit HeadlessWindow(MessageService& messages);
  ~HeadlessWindow() override;

  // A new empty beam of the given length in the application's unit system.
  void NewBeam(double length);
  // Reads the beam and lays it out; Recalculate analyses it. False, with
  // the beam released and LastError saying why, when it cannot be read.
  bool Open(const std::string& fileName);
  const std::string& LastError() const { return lastError_; }
  bool Save(const std::string& fileName);
  void CloseBeam();

  void SetScales(double force, double moment, double distance);
  // The Scale | Units switch of a document window: the beam's own switch,
  // then the distance scale that suits the new unit. False, changing
  // nothing, when the beam refuses (see TTrevanDoc::UnitSwitchProblem).
  bool SetUnitSystem(bool metric);
  void SetBaseLine(int baseLine) { baseLine_ = baseLine; }
  // Lays the columns out for the beam's length and the distance scale and
  // starts an empty undo history.
  void ResetBeamView() override;

  EditRecorder& recorder() { return recorder_; }
  undo::TUndoMultiBuffer& undoBuffer() { return *undoBuffer_; }
  const CommandStatus& UndoCommand() const { return undoCommand_; }
  const CommandStatus& RedoCommand() const { return redoCommand_; }
  int CurrentTool() const { return tool_; }

  TTrevanDoc* beam() { return beam_.get(); }
  calc* analysis() { return calc_.get(); }
  bool Dirty() const { return dirty_; }
  int Sweeps() const { return sweeps_; }
  const std::string& MaxMomentText() const { return maxMomentText_; }

  // BeamWindow, BeamView and AnalysisWindow.
  double DistanceScale() const override { return distanceScale_; }
  double ForceScale() const override { return forceScale_; }
  double MomentScale() const override { return momentScale_; }
  bool IsMetric() const override { return beam_ ? beam_->Metric : true; }
  double BeamLength() const override { return beam_ ? beam_->Length : 0; }
  void SetDirty(bool dirty) override { dirty_ = dirty; }
  void Recalculate() override;
  void RefreshInspector(object&) override {}
  MessageService& Messages() override { return messages_; }
  EditRecorder* Recorder() override { return &recorder_; }
  const LoadCases* BeamCases() const override { return beam_ ? &beam_->Cases : nullptr; }
  std::size_t ActiveCase() const override { return activeCase; }
  // Where new loads go, as the window's case list would set it.
  std::size_t activeCase = 0;

  BeamWindow* Window() override { return this; }
  int BaseLine() const override { return baseLine_; }
  object* SelectedObject() const override { return selected_.get(); }
  void SelectObject(object* target) override { selected_ = target; }
  const Bitmap* SupportGlyph(TSupportType) const override { return nullptr; }

  TTrevanDoc* Beam() override { return beam_.get(); }
  int ColumnCount() const override { return columnCount_; }
  std::span<double> ShearColumns() override { return shear_; }
  std::span<double> MomentColumns() override { return moment_; }
  int ZeroLine() const override { return zeroLine_; }
  void PlotDiagramPixel(int, int, Rgb) override {}
  void ShowMaxMoment(const std::string& text) override { maxMomentText_ = text; }
  void GrowResultPanes(int zeroLine) override { zeroLine_ = zeroLine; }
  void RepaintViews() override {}

  BeamView* InputView() override { return this; }
  undo::TUndoBuffer* UndoBuffer() override { return undoBuffer_.get(); }
  void RepaintAll() override {}
  void SelectTool(int code) override { tool_ = code; }

 private:
  void CreateBeam();

  MessageService& messages_;
  std::unique_ptr<TTrevanDoc> beam_;
  std::unique_ptr<calc> calc_;
  double forceScale_ = StartForceScale;
  double momentScale_ = StartMomentScale;
  double distanceScale_;
  int columnCount_ = 0;
  std::vector<double> shear_;
  std::vector<double> moment_;
  int zeroLine_ = 100;
  int baseLine_ = 100;
  WatchedObject selected_;
  bool dirty_ = false;
  int sweeps_ = 0;
  std::string maxMomentText_;
  std::string lastError_;
  CommandStatus undoCommand_{"Can't &Undo"};
  CommandStatus redoCommand_{"Can't &Redo"};
  std::unique_ptr<undo::TUndoMultiBuffer> undoBuffer_;
  EditRecorder recorder_{*this};
  int tool_ = 0;
};

}  // namespace trevan
