#pragma once

#include <climits>
#include <string>
#include <vector>

#include "analysis/ExactResults.h"
#include "hosts/Geometry.h"
#include "hosts/Rgb.h"

namespace trevan {

class Canvas;

// The values written beside the pictures: each reaction arrow with its
// reaction (and a vice with its moment) in the input view, the largest
// sagging and hogging moments, both sides of each moment jump and the
// largest shear on the diagrams, the rotations either side of a hinge in
// the beam on the deflection curve. Every
// label finds a place near its point where it overlaps no other label and
// stays inside the bounds it is given; a label that finds none is left out.
class ValueLabels {
 public:
  static constexpr int FontSize = 11;
  static constexpr int TextHeight = FontSize + 3;

  struct Label {
    std::string text;
    Point anchor;   // the point the label belongs to
    int side = -1;  // -1 prefers above the anchor, +1 below
    Rgb colour;
    Rect box;  // where it was placed
  };

  struct Mapping {
    double distanceScale;
    double forceScale;
    double momentScale;
    int zeroLine;  // the beam line of the input view, the zero line of the diagrams
    bool metric;
  };

  // Shown or not: one choice for every window, as the View menu sets it.
  static bool Enabled();
  static void SetEnabled(bool on);

  static std::vector<Label> ForSupports(const ExactResults& results, const Mapping& m, Rgb colour);
  static std::vector<Label> ForDiagrams(const ExactResults& results, const Mapping& m, Rgb shearColour,
                                        Rgb momentColour);
  // The largest deflection of every span and overhang, drawn downward below
  // the zero line at deflectionScale mm (in) a pixel; none without a section.
  static std::vector<Label> ForDeflections(const ExactResults& results, const Mapping& m, double deflectionScale,
                                           Rgb colour);
  // Places the labels in order; answers the ones placed. Only labels whose
  // points lie between fromX and toX are considered, so that a picture of
  // part of a long beam costs only what it shows.
  static std::vector<Label> Place(Canvas& canvas, std::vector<Label> labels, const Rect& bounds,
                                  int fromX = INT_MIN, int toX = INT_MAX);
  static void Draw(Canvas& canvas, const std::vector<Label>& placed);
};

}  // namespace trevan
