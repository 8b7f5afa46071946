#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

#include "analysis/Envelope.h"
#include "analysis/ExactBeam.h"
#include "analysis/ExactResults.h"

class QPainter;

namespace trevan {

// The drawings of a calculation sheet, all to one horizontal scale: the
// beam with its supports, loads and labelled reactions; the shear diagram;
// the moment diagram; and, for a beam with a section, the deflection. They are drawn from the exact results, so
// they look the same whatever the document window's scales, on any
// painter: a PDF page, an SVG file or an image. Sizes are in points and
// follow the device's resolution.
class BeamDrawings {
 public:
  static constexpr QRgb ShearColour = 0xff0000ff;
  static constexpr QRgb MomentColour = 0xffff00ff;
  static constexpr QRgb LoadColour = 0xffb43c00;
  static constexpr QRgb ReactionColour = 0xff007a1f;
  static constexpr QRgb DeflectionColour = 0xff008080;

  // Heights of the drawings in points.
  static constexpr double BeamHeight = 136;
  static constexpr double ShearHeight = 92;
  static constexpr double MomentHeight = 112;
  static constexpr double TotalHeight = BeamHeight + ShearHeight + MomentHeight;
  static constexpr double DeflectionHeight = 104;
  // Width in points left of the drawings for the axes' values.
  static constexpr double AxisMargin = 54;

  BeamDrawings(ExactBeam beam, ExactResults results, bool metric);

  // Whether the deflection is drawn too, and the height in points of all
  // the drawings: TotalHeight, and DeflectionHeight more with a deflection.
  bool HasDeflection() const { return results_.solved && results_.deflected && !results_.pieces.empty(); }
  double Height() const { return TotalHeight + (HasDeflection() ? DeflectionHeight : 0); }

  // The drawings one under another, filling the width of area from its
  // top; area's height should be Height() points.
  void Draw(QPainter& painter, const QRectF& area) const;
  void DrawBeam(QPainter& painter, const QRectF& area) const;
  void DrawShear(QPainter& painter, const QRectF& area) const;
  void DrawMoment(QPainter& painter, const QRectF& area) const;
  void DrawDeflection(QPainter& painter, const QRectF& area) const;

  // An envelope's shear and moment, one drawing each: its upper and lower
  // curves with the band between them tinted, titled with the envelope's name.
  static constexpr double EnvelopeHeight = ShearHeight + MomentHeight;
  void DrawEnvelope(QPainter& painter, const QRectF& area, const Envelope& envelope,
                    const QString& name) const;

  // Results to four significant figures; input values to six, without
  // trailing zeros.
  static QString Value(double v);
  static QString InputValue(double v);

 private:
  struct Scale;
  enum class Curve { Shear, Moment, Deflection };
  // Where a diagram's values go between its top and bottom.
  struct ValueAxis {
    double top, bottom;
    double lo, hi;
    double upward;  // the sign from a drawn height to the value it stands for
    double Y(double v) const { return bottom - (v - lo) * (bottom - top) / (hi - lo); }
  };
  Scale HorizontalScale(const QRectF& area, double pt) const;
  void DrawLoads(QPainter& painter, const Scale& s, const QRectF& area, double beamTop) const;
  void DrawSupports(QPainter& painter, const Scale& s, const QRectF& area, double beamY) const;
  void DrawMomentsAndHinges(QPainter& painter, const Scale& s, double beamY) const;
  void DrawDiagram(QPainter& painter, const QRectF& area, Curve curve) const;
  void DrawEnvelopeDiagram(QPainter& painter, const QRectF& area, const Envelope& envelope, Curve curve,
                           const QString& name) const;
  // The last drawing carries the distance ruler under it.
  bool CarriesRuler(Curve curve) const;
  static QRgb ColourOf(Curve curve);
  QString DiagramTitle(Curve curve) const;
  std::vector<QPointF> CurveValues(const Scale& s, Curve curve) const;
  static void DrawValueAxis(QPainter& painter, const ValueAxis& axis, double axisX, double pt);
  void DrawExtremes(QPainter& painter, const Scale& s, const QRectF& area, const ValueAxis& axis,
                    Curve curve) const;
  std::vector<std::pair<double, double>> StretchMoments() const;
  void DrawSupportLines(QPainter& painter, const Scale& s, double top, double bottom) const;
  void DrawRuler(QPainter& painter, const Scale& s, double y) const;

  ExactBeam beam_;
  ExactResults results_;
  bool metric_;
  double start_ = 0, end_ = 1;  // the stretch the drawings show
};

}  // namespace trevan
