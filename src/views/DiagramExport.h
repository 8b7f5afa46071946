#pragma once

#include <QString>

#include "analysis/ExactBeam.h"
#include "analysis/ResultChoice.h"

namespace trevan {

class TTrevanDoc;

// The three drawings of the calculation sheet as a picture file of their
// own: SVG or PNG, by the file name's extension.
class DiagramExport {
 public:
  static constexpr double Width = 540;  // points, a page's width of drawing
  static constexpr double Margin = 12;
  static constexpr int PngResolution = 200;

  static bool IsSupported(const QString& fileName);
  // False, with error saying why, when the file cannot be written.
  // The chosen result: one solution's diagrams, or the beam and an
  // envelope's shear and moment.
  static bool Write(const TTrevanDoc& beam, const QString& fileName, QString& error,
                    const ResultChoice& choice = {});
  static bool Write(const ExactBeam& beam, bool metric, const QString& fileName, QString& error);
};

}  // namespace trevan
