#include "DiagramExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "BeamDrawings.h"
#include "ExportFile.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"

namespace trevan {

namespace {

QString Suffix(const QString& fileName) { return QFileInfo(fileName).suffix().toLower(); }

// The drawings on white, with a margin round them, on a device whose
// resolution makes a point pt device units.
void Paint(QPainter& painter, const BeamDrawings& drawings, double pt, QSizeF size) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  const double m = DiagramExport::Margin * pt;
  drawings.Draw(painter, QRectF(m, m, size.width() - 2 * m, drawings.Height() * pt));
}

}  // namespace

bool DiagramExport::IsSupported(const QString& fileName) {
  const QString suffix = Suffix(fileName);
  return suffix == "svg" || suffix == "png";
}

bool DiagramExport::Write(const TTrevanDoc& beam, const QString& fileName, QString& error) {
  return Write(ExactBeam::From(beam), beam.Metric, fileName, error);
}

bool DiagramExport::Write(const ExactBeam& beam, bool metric, const QString& fileName, QString& error) {
  if (!IsSupported(fileName)) {
    error = "Name the file with the extension .svg or .png";
    return false;
  }
  const BeamDrawings drawings(beam, ExactSolver::Solve(beam), metric);
  const QSizeF points(Width + 2 * Margin, drawings.Height() + 2 * Margin);
  QByteArray bytes;
  QBuffer file(&bytes);
  file.open(QIODevice::WriteOnly);

  bool painted = false;
  if (Suffix(fileName) == "svg") {
    // At 72 dots an inch the file's units are points.
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setResolution(72);
    svg.setSize(points.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), points));
    svg.setTitle("Beam, shear and moment");
    svg.setDescription("Drawn by Trevan from the exact results");
    QPainter painter;
    if ((painted = painter.begin(&svg))) {
      Paint(painter, drawings, 1, points);
      painter.end();
    }
  } else {
    const double pt = PngResolution / 72.0;
    QImage image(std::lround(points.width() * pt), std::lround(points.height() * pt), QImage::Format_RGB32);
    const int dotsPerMetre = std::lround(PngResolution / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter;
    if (painter.begin(&image)) {
      Paint(painter, drawings, pt, image.size());
      painter.end();
      painted = image.save(&file, "PNG");
    }
  }
  file.close();
  if (!painted) {
    error = QString("Cannot draw %1").arg(fileName);
    return false;
  }
  return ExportFile::Write(fileName, bytes, error);
}

}  // namespace trevan
