#pragma once

#include <string>
#include <vector>

#include "analysis/ExactResults.h"

namespace trevan {

// The exact results as a table of text cells: the results panel shows it,
// the clipboard and the command line write it out. Values carry five
// significant figures, and every digit of their whole part; kilo shows kN and kNm (kip and kip·ft) instead of
// N and Nm (lbf and ft-lbf).
class ExactTable {
 public:
  using Row = std::vector<std::string>;

  // Full precision gives every digit a double needs to read back the same,
  // for a copy that goes on into other programs.
  static std::vector<Row> Rows(const ExactResults& results, bool metric, bool kilo, bool fullPrecision = false);
  static constexpr const char* NoSectionText = "Set the section and material to see deflections";
  static constexpr const char* SpringsLeftOutText =
      "Springs and settlements are left out: they need the section and material";
  static constexpr const char* SignText =
      "Deflection downward positive, rotation counter-clockwise positive";
  // Deflections in mm (in) of every span and overhang with L/deflection
  // checked against L/limit, and the rotations at the supports; the one
  // line NoSectionText for a beam without a section; none when unsolved.
  static std::vector<Row> DeflectionRows(const ExactResults& results, bool metric, double limit);
  // "L/1234", "none" for no deflection.
  static std::string SpanRatio(double length, double deflection);
  static const char* DeflectionUnit(bool metric) { return metric ? "mm" : "in"; }
  // Metres to mm, feet to inches.
  static double DeflectionFactor(bool metric) { return metric ? 1000 : 12; }
  // One line a row, cells separated by tabs: a spreadsheet pastes it into cells.
  static std::string TabSeparated(const std::vector<Row>& rows);
  // Columns padded to their widest cell, for a terminal.
  static std::string Aligned(const std::vector<Row>& rows);

  // The hint of the support at x: its type, its reaction and a vice's
  // moment below it. Empty when the results do not hold that support.
  static std::string SupportHint(const ExactResults& results, double x, bool metric);

  static std::string Significant(double value, int digits = 5);
  // Significant without the zeros that end a fraction: the same number in
  // less room, for labels on the pictures ("4000", "2.5").
  static std::string Compact(double value);
  static const char* ForceUnit(bool metric, bool kilo);
  static const char* MomentUnit(bool metric, bool kilo);
};

}  // namespace trevan
