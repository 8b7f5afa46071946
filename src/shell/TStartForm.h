#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace trevan {

class DialogService;
class TNumberEdit;

// "New Trevan project": asks for the length of the beam and its unit.
class TStartForm : public QDialog {
  Q_OBJECT

 public:
  explicit TStartForm(DialogService& dialogs, QWidget* parent = nullptr);

  // 0 for m, 1 for ft.
  int ItemIndex() const;
  void SetItemIndex(int index);

  QLabel* Image;
  QLabel* Label1;
  TNumberEdit* Edit1;
  QGroupBox* RadioGroup1;
  QRadioButton* MetresItem;
  QRadioButton* FeetItem;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 public slots:
  // Refuses a length the beam could not be laid out with.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  DialogService& dialogs_;
};

}  // namespace trevan
