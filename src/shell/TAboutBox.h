#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace trevan {

class TVersionLabel;

// "About Trevan": the product's name, picture and version.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* Image1;
  QLabel* ProductName;
  TVersionLabel* VersionLabel1;
  QLabel* Copyright;
  QLabel* Comments;
  QLabel* Label1;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace trevan
