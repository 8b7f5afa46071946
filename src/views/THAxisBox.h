#pragma once

#include <QList>
#include <QWidget>
#include <limits>

#include "TVAxis.h"

namespace trevan {

class TMDIChild;

// The distance axis under the input view: a label every 50 columns.
class THAxisBox : public QWidget {
  Q_OBJECT

 public:
  THAxisBox(QWidget* parent, TMDIChild* owner);
  // The labels of columns 50 × first to 50 × last, at most up to the last column.
  static QList<TVAxis::Label> Labels(int columnCount, double distanceScale, bool metric, int first = 0,
                                     int last = std::numeric_limits<int>::max());

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TMDIChild* owner_;
};

}  // namespace trevan
