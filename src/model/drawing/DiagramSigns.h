#pragma once

namespace trevan {

// How the diagrams draw the numbers, which always follow one convention
// (sagging moment positive, shear positive where the part left of a section
// is pushed up): shear above the zero line when positive, and the moment
// either on the tension side, sagging below the line, or sagging upward.
// One choice for every window, the print, the report and the drawings,
// as Scale | Options sets it.
class DiagramSigns {
 public:
  static bool SaggingUp();
  static void SetSaggingUp(bool on);

  // The height a moment is drawn at, upward positive, for each unit of it.
  static double MomentUpward() { return SaggingUp() ? 1.0 : -1.0; }
  // What the legends say.
  static const char* MomentLegend();
};

}  // namespace trevan
