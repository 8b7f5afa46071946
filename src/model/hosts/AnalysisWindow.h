#pragma once

#include <cmath>
#include <span>
#include <string>

#include "hosts/Rgb.h"

namespace trevan {

class TTrevanDoc;

// A position a few ulps off a column still counts as on it.
inline constexpr double ColumnSnap = 1e-6;

// The first column at or after x (column i stands for i × distanceScale).
inline long long FirstColumnFrom(double x, double distanceScale) {
  const double q = std::ceil(x / distanceScale - ColumnSnap);
  if (!(q > -1e15)) return -1;  // also NaN
  return q < 1e15 ? static_cast<long long>(q) : static_cast<long long>(1e15);
}

// Columns 0 .. the last one on the beam, at most limit of them; a length that
// is a whole number of columns keeps its last column.
inline int ColumnCountFor(double length, double distanceScale, int limit) {
  if (!(length >= 0) || !(distanceScale > 0)) return 0;
  const double q = std::floor(length / distanceScale + ColumnSnap);
  return q + 1 < limit ? static_cast<int>(q) + 1 : limit;
}

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
