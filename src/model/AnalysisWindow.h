#pragma once

#include <span>
#include <string>

#include "Rgb.h"

namespace trevan {

class TTrevanDoc;

// What the analysis iterator needs of its document window, so that the same
// iterator runs in the GUI, on the command line and in tests.
class AnalysisWindow {
 public:
  virtual ~AnalysisWindow() = default;

  virtual TTrevanDoc* Beam() = 0;
  virtual double DistanceScale() const = 0;
  virtual double ForceScale() const = 0;
  virtual double MomentScale() const = 0;
  virtual int ColumnCount() const = 0;
  // One value per pixel column; both have ColumnCount entries.
  virtual std::span<double> ShearColumns() = 0;
  virtual std::span<double> MomentColumns() = 0;
  virtual int ZeroLine() const = 0;

  virtual void PlotDiagramPixel(int x, int y, Rgb colour) = 0;
  virtual void ShowMaxMoment(const std::string& text) = 0;
  // The result panes grow so that the zero line lies at zeroLine.
  virtual void GrowResultPanes(int zeroLine) = 0;
  virtual void RepaintViews() = 0;
};

}  // namespace trevan
