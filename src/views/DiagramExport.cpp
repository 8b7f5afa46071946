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
#include "analysis/KeptChoice.h"
#include "beam/Beam.h"

namespace trevan {

namespace {

QString Suffix(const QString& fileName) { return QFileInfo(fileName).suffix().toLower(); }

// The drawings on white, with a margin round them, on a device whose
// resolution makes a point pt device units.
// An envelope takes the place of the single diagrams under the beam.
struct Picture {
  const BeamDrawings& drawings;
  const Envelope* envelope = nullptr;
  QString name = {};
  double Height() const {
    return envelope ? BeamDrawings::BeamHeight + BeamDrawings::EnvelopeHeight : drawings.Height();
  }
};

void Paint(QPainter& painter, const Picture& picture, double pt, QSizeF size) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  const double m = DiagramExport::Margin * pt;
  const QRectF area(m, m, size.width() - 2 * m, picture.Height() * pt);
  if (!picture.envelope) return picture.drawings.Draw(painter, area);
  picture.drawings.DrawBeam(painter,
                            QRectF(area.topLeft(), QSizeF(area.width(), BeamDrawings::BeamHeight * pt)));
  picture.drawings.DrawEnvelope(painter,
                                QRectF(area.left(), area.top() + BeamDrawings::BeamHeight * pt, area.width(),
                                       BeamDrawings::EnvelopeHeight * pt),
                                *picture.envelope, picture.name);
}

bool WritePicture(const Picture& picture, const QString& fileName, QString& error);

}  // namespace

bool DiagramExport::IsSupported(const QString& fileName) {
  const QString suffix = Suffix(fileName);
  return suffix == "svg" || suffix == "png";
}

bool DiagramExport::Write(const TTrevanDoc& beam, const QString& fileName, QString& error,
                          const ResultChoice& choice) {
  if (choice.kind == ResultChoice::Kind::AsDrawn)
    return Write(ExactBeam::From(beam), beam.Metric, fileName, error);
  const BeamDrawings drawings(ExactBeam::From(beam), KeptResult(beam, choice), beam.Metric);
  if (!choice.IsEnvelope()) return WritePicture({drawings}, fileName, error);
  const Envelope envelope = KeptEnvelope(beam, choice.limit);
  return WritePicture({drawings, &envelope, QString::fromStdString(choice.label)}, fileName, error);
}

bool DiagramExport::Write(const ExactBeam& beam, bool metric, const QString& fileName, QString& error) {
  return WritePicture({BeamDrawings(beam, ExactSolver::Solve(beam), metric)}, fileName, error);
}

namespace {

bool WritePicture(const Picture& picture, const QString& fileName, QString& error) {
  if (!DiagramExport::IsSupported(fileName)) {
    error = "Name the file with the extension .svg or .png";
    return false;
  }
  using D = DiagramExport;
  const QSizeF points(D::Width + 2 * D::Margin, picture.Height() + 2 * D::Margin);
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
      Paint(painter, picture, 1, points);
      painter.end();
    }
  } else {
    const double pt = D::PngResolution / 72.0;
    QImage image(std::lround(points.width() * pt), std::lround(points.height() * pt), QImage::Format_RGB32);
    const int dotsPerMetre = std::lround(D::PngResolution / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter;
    if (painter.begin(&image)) {
      Paint(painter, picture, pt, image.size());
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

}  // namespace

}  // namespace trevan
