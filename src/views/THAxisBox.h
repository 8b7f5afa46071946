#pragma once

#include <QList>
#include <QWidget>

#include "TVAxis.h"

namespace trevan {

class TMDIChild;

// The distance axis under the input view: a label every 50 columns.
class THAxisBox : public QWidget {
  Q_OBJECT

 public:
  THAxisBox(QWidget* parent, TMDIChild* owner);
  static QList<TVAxis::Label> Labels(int columnCount, double distanceScale, bool metric);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TMDIChild* owner_;
};

}  // namespace trevan
