#pragma once

#include "analysis/ExactResults.h"

namespace trevan {

class TTrevanDoc;

// Chooses a window's three scales so that the whole beam, its loads and
// both diagrams fit the panes: for forces and moments the finest of the
// steps the scale commands reach (2.5, 5 and 12.5 times a power of ten)
// that fits; along the beam the scale, to three significant digits, that
// lays the beam over the whole width.
class ScaleFit {
 public:
  // Pixels kept free above and below the pictures, for the value labels.
  static constexpr int Margin = 32;
  static constexpr double SmallestForceStep = 2.5;
  static constexpr double SmallestDistanceStep = 0.0025;

  struct Room {
    int columns;      // visible pixel columns of the panes
    int inputHalf;    // visible pixels from the input view's beam line to its edge
    int diagramHalf;  // the same for the diagrams' zero line
  };
  struct Scales {
    double force;
    double moment;
    double distance;
  };
  // What each picture needs drawn at one unit per pixel.
  struct Extent {
    double length = 0;
    double loads = 0;   // largest force, intensity or reaction
    double shear = 0;   // largest shear
    double moment = 0;  // largest moment
  };

  static Extent Measure(const TTrevanDoc& beam, const ExactResults& results);
  static Scales Fit(const Extent& extent, const Scales& current, const Room& room);
  // Whether anything reaches past its pane at these scales, upward or downward
  // (the margin aside: labels find room on either side).
  static bool Overflows(const Extent& extent, const Scales& scales, const Room& room);
  // Whether a picture that has anything to show fills less than a fifth of
  // its pane, so that a fit would show it larger.
  static bool Underfills(const Extent& extent, const Scales& scales, const Room& room);

  // v itself, or the number of three significant digits it differs from by
  // no more than rounding.
  static double ShortScale(double v);
  // The distance scale that lays length over columns pixel columns.
  static double WidthScale(double length, int columns, double current);
  // The smallest of 2.5, 5 and 12.5 times a power of ten that is at least v.
  static double StepAtLeast(double v);
  // The same steps with no smallest one, for the deflection curve.
  static double FineStepAtLeast(double v);
};

}  // namespace trevan
