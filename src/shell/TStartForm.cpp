#include "TStartForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogService.h"
#include "Pictures.h"
#include "TNumberEdit.h"
#include "beam/InputLimits.h"

namespace trevan {

TStartForm::TStartForm(DialogService& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle("New Trevan project");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(290, 140);
  setWindowIcon(QIcon(NewProjectPicture()));

  Image = new QLabel(this);
  Image->setPixmap(NewProjectPicture());
  Image->setGeometry(14, 20, 70, 90);

  Label1 = new QLabel("What is the length of the beam?", this);
  Label1->move(98, 10);
  Label1->adjustSize();

  Edit1 = new TNumberEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(100, 48, 81, 21);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(188, 30, 71, 55);
  MetresItem = new QRadioButton("m", RadioGroup1);
  FeetItem = new QRadioButton("ft", RadioGroup1);
  auto* items = new QVBoxLayout(RadioGroup1);
  items->setContentsMargins(8, 4, 4, 4);
  items->addWidget(MetresItem);
  items->addWidget(FeetItem);
  MetresItem->setChecked(true);

  OKBtn = new QPushButton("OK", this);
  OKBtn->setGeometry(100, 106, 75, 25);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setGeometry(192, 106, 75, 25);
  connect(OKBtn, &QPushButton::clicked, this, &TStartForm::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &TStartForm::reject);

  setTabOrder(MetresItem, Edit1);
  setTabOrder(Edit1, OKBtn);
  setTabOrder(OKBtn, CancelBtn);
}

// Typing at once replaces the proposed length.
void TStartForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Edit1->setFocus(Qt::OtherFocusReason);
  Edit1->selectAll();
}

int TStartForm::ItemIndex() const { return FeetItem->isChecked() ? 1 : 0; }

void TStartForm::SetItemIndex(int index) { (index == 1 ? FeetItem : MetresItem)->setChecked(true); }

void TStartForm::accept() {
  const double length = Edit1->Value();
  const bool metric = ItemIndex() == 0;
  if (!Edit1->Validate() || !limits::IsBeamLength(length, metric)) {
    const std::string text =
        "The length of the beam must be a number " + limits::BeamLengthRange(metric) + ", such as 12.5.";
    dialogs_.Message(this, QString::fromStdString(text), "New Trevan project", DialogIcon::Warning,
                     DialogButtons::Ok);
    Edit1->setFocus();
    Edit1->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace trevan
