#pragma once

#include <vector>

#include "TBackedView.h"
#include "analysis/Envelope.h"
#include "drawing/ValueLabels.h"

namespace trevan {

class TMDIChild;

// The lower pane: the shear-force and bending-moment diagrams over one
// zero line, one pixel column per DistanceScale of beam. The analysis plots
// into its backing canvas column by column.
class TShowForm : public TBackedView {
  Q_OBJECT

 public:
  explicit TShowForm(QWidget* parent = nullptr);

  void SetOwnerWindow(TMDIChild* window) { window_ = window; }

  int ZeroLine() const { return zeroLine_; }
  const int* ZeroLineRef() const { return &zeroLine_; }
  void SetZeroLine(int zeroLine) { zeroLine_ = zeroLine; }
  std::vector<double>& ShearColumns() { return shear_; }
  std::vector<double>& MomentColumns() { return moment_; }
  void AllocateColumns(int columnCount);

  // A point of the analysis's progressive trace.
  void PlotPixel(int x, int y, Rgb colour);
  // Shows the pixels plotted since the last call.
  void FlushPlotted();

  // The readout text for a mouse at column x; empty outside the columns.
  QString ReadoutAt(int x) const;
  // The deflection at column x, for the readout; empty without a section.
  QString DeflectionReadoutAt(int x) const;
  // The exact result the diagrams show, for a choice that is one solution.
  const ExactResults& Shown() const;
  // The envelope they show, sampled at every column.
  const Envelope& ShownEnvelope() const;
  // The envelope just right of x; none left of its first sample.
  static const Envelope::Sample* EnvelopeAt(const Envelope& envelope, double x);
  // The extreme-value labels of the last picture.
  const std::vector<ValueLabels::Label>& PlacedValueLabels() const { return valueLabels_; }

 protected:
  void Render(ImageCanvas& canvas) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Downward below the zero line, on the window's deflection scale.
  void DrawDeflection(ImageCanvas& canvas, int first, int last);
  // Upper and lower curves of shear, moment and deflection, the band between shaded.
  void DrawEnvelope(ImageCanvas& canvas, int first, int last);
  void DrawEnvelopeLabels(ImageCanvas& canvas);
  std::vector<double> ColumnPlaces() const;

  TMDIChild* window_ = nullptr;
  int zeroLine_ = 100;
  std::vector<double> shear_;
  std::vector<double> moment_;
  QRect plotted_;
  std::vector<ValueLabels::Label> valueLabels_;
};

}  // namespace trevan
