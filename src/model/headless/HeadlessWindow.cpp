#include "headless/HeadlessWindow.h"

#include <algorithm>
#include <climits>

#include "analysis/ExactColumns.h"
#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"

namespace trevan {

HeadlessWindow::HeadlessWindow(MessageService& messages)
    : messages_(messages),
      distanceScale_(StartDistanceScale(ApplicationMetric())),
      undoBuffer_(std::make_unique<undo::TUndoMultiBuffer>(this, &undoCommand_, &redoCommand_)) {}

// The actions refer to the beam's objects and the analysis to the beam.
HeadlessWindow::~HeadlessWindow() {
  undoBuffer_.reset();
  CloseBeam();
}

void HeadlessWindow::CreateBeam() {
  CloseBeam();
  beam_ = std::make_unique<TTrevanDoc>();
  beam_->AttachView(this);
  calc_ = std::make_unique<calc>(*this);
}

void HeadlessWindow::CloseBeam() {
  selected_ = nullptr;
  calc_.reset();
  beam_.reset();
}

void HeadlessWindow::NewBeam(double length) {
  CreateBeam();
  beam_->Length = length;
  beam_->Load("");
  ResetBeamView();
  Recalculate();
  dirty_ = false;
}

bool HeadlessWindow::Open(const std::string& fileName) {
  CreateBeam();
  if (!beam_->Load(fileName)) {
    lastError_ = beam_->LastError();
    CloseBeam();
    return false;
  }
  lastError_.clear();
  ResetBeamView();
  dirty_ = false;
  return true;
}

bool HeadlessWindow::Save(const std::string& fileName) { return beam_ && beam_->Save(fileName); }

void HeadlessWindow::SetScales(double force, double moment, double distance) {
  forceScale_ = force;
  momentScale_ = moment;
  distanceScale_ = distance;
  ResetBeamView();
}

bool HeadlessWindow::SetUnitSystem(bool metric) {
  if (!beam_) return false;
  if (beam_->Metric == metric) return true;
  if (!beam_->SetMetric(metric)) return false;
  if (!metric && distanceScale_ <= 1) distanceScale_ *= 4;
  if (metric && distanceScale_ >= 0.004) distanceScale_ /= 4;
  ResetBeamView();
  Recalculate();
  return true;
}

void HeadlessWindow::ResetBeamView() {
  selected_ = nullptr;
  columnCount_ = beam_ ? ColumnCountFor(beam_->Length, distanceScale_, INT_MAX) : 0;
  shear_.assign(static_cast<size_t>(std::max(columnCount_, 0)), 0.0);
  moment_.assign(shear_.size(), 0.0);
  // The iterator may still point into a chain the beam has replaced.
  if (calc_) calc_->Reset();
  undoBuffer_ = std::make_unique<undo::TUndoMultiBuffer>(this, &undoCommand_, &redoCommand_);
}

void HeadlessWindow::Recalculate() {
  if (calc_) sweeps_ = calc_->Recalculate();
  if (beam_) SampleExactColumns(*beam_, distanceScale_, shear_, moment_);
}

}  // namespace trevan
