#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QPainter;

#include "hosts/Rgb.h"

class QPainter;

namespace trevan {

class TMDIChild;

// A vertical strip, 63 pixels wide, labelling forces or moments along the
// zero line of the view beside it.
class TVAxis : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { Force, Moment };
  struct Label {
    int x;
    int y;  // top of the text
    QString text;
    friend bool operator==(const Label&, const Label&) = default;
  };
  static constexpr int StripWidth = 63;

  TVAxis(QWidget* parent, const int* referenceLine, Kind kind, TMDIChild* owner);

  // Every second grid line from the zero line, as the strip draws them.
  static QList<Label> Labels(Kind kind, int referenceLine, double scale, bool metric, int width);
  QList<Label> Labels() const;
  // The deflection axis shares the moment strip: its values stand on the
  // grid lines between the moment labels, downward positive, in mm or in.
  static QList<Label> DeflectionLabels(int referenceLine, double scale, bool metric);

  // The zero line the strip follows, read at every paint.
  void SetReferenceLine(const int* line) { referenceLine_ = line; }

  const Kind AxisKind;

  static QFont AxisFont();
  static QColor ToQColor(Rgb c) { return QColor(c.Red(), c.Green(), c.Blue()); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintDeflections(QPainter& painter, const QRect& area);
  void DrawLegend(QPainter& painter) const;

  const int* referenceLine_;
  TMDIChild* owner_;
};

}  // namespace trevan
