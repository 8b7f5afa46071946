#pragma once

#include <QLabel>

namespace trevan {

// Shows "Version " and the program's version, as the build states it.
class TVersionLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TVersionLabel(QWidget* parent = nullptr);
  QString GetVersion();

 private:
  QString version_;
};

}  // namespace trevan
