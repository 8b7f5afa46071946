#include "TOptionsForm.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "TColorBox.h"

namespace trevan {

namespace {
constexpr const char* SettingsKey = "Software\\Quillmoor Software\\Trevan";

void Configure(TQSetting& setting, const char* name, const char* defaultText) {
  setting.Storage.SetKey(SettingsKey);
  setting.Storage.SetRegistryRootKey(qsrkCurrentUser);
  setting.KeyName = name;
  setting.DefaultValue = defaultText;
}
}  // namespace

Rgb TOptionsForm::ColourFromText(const QString& text, Rgb fallback) {
  const QString t = text.trimmed();
  bool ok = false;
  const qlonglong n =
      t.startsWith("0x", Qt::CaseInsensitive) ? t.mid(2).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
  if (!ok || n < 0 || n > 0xFFFFFFFFLL) return fallback;
  return Rgb{static_cast<std::uint32_t>(n)};
}

TOptionsForm::TOptionsForm(DialogService& dialogs, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Trevan Options");
  setFixedSize(384, 160);

  Bevel1 = new QFrame(this);
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setGeometry(8, 8, 281, 145);

  const char* labels[] = {"Forces:", "Moments:", "Distances:"};
  TColorBox** boxes[] = {&ForcesColorBox, &MomentsColorBox, &DistancesColorBox};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(labels[i], this);
    label->move(28, 20 + 32 * i);
    *boxes[i] = new TColorBox(dialogs, this);
    (*boxes[i])->setGeometry(88, 16 + 32 * i, 145, 22);
  }
  ForcesColorBox->setObjectName("ForcesColorBox");
  MomentsColorBox->setObjectName("MomentsColorBox");
  DistancesColorBox->setObjectName("DistancesColorBox");

  ResetBtn = new QPushButton("Reset colors", this);
  ResetBtn->setGeometry(28, 116, 75, 25);
  OKBtn = new QPushButton("OK", this);
  OKBtn->setGeometry(300, 8, 75, 25);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setGeometry(300, 38, 75, 25);
  connect(ResetBtn, &QPushButton::clicked, this, &TOptionsForm::ResetColors);
  connect(OKBtn, &QPushButton::clicked, this, &TOptionsForm::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &TOptionsForm::reject);

  Configure(ForcesColorSetting, "Forces Color", "0xFF0000");
  Configure(MomentsColorSetting, "Moments Color", "0xFF00FF");
  Configure(DistancesColorSetting, "Distances Color", "0x0000FF");
  ForcesColorBox->Select(ColourFromText(ForcesColorSetting.GetValue(), DefaultForces));
  MomentsColorBox->Select(ColourFromText(MomentsColorSetting.GetValue(), DefaultMoments));
  DistancesColorBox->Select(ColourFromText(DistancesColorSetting.GetValue(), DefaultDistances));
  Remember();
}

Rgb TOptionsForm::ForcesColor() const { return ForcesColorBox->Selected(); }
Rgb TOptionsForm::MomentsColor() const { return MomentsColorBox->Selected(); }
Rgb TOptionsForm::DistancesColor() const { return DistancesColorBox->Selected(); }

void TOptionsForm::ResetColors() {
  ForcesColorBox->Select(DefaultForces);
  MomentsColorBox->Select(DefaultMoments);
  DistancesColorBox->Select(DefaultDistances);
}

void TOptionsForm::Remember() {
  before_[0] = ForcesColor();
  before_[1] = MomentsColor();
  before_[2] = DistancesColor();
}

int TOptionsForm::exec() {
  Remember();
  return QDialog::exec();
}

void TOptionsForm::accept() {
  ForcesColorSetting.SetValue(QString::number(ForcesColor().value));
  MomentsColorSetting.SetValue(QString::number(MomentsColor().value));
  DistancesColorSetting.SetValue(QString::number(DistancesColor().value));
  Remember();
  QDialog::accept();
}

// Cancel puts the colours back as they were when the dialog opened.
void TOptionsForm::reject() {
  ForcesColorBox->Select(before_[0]);
  MomentsColorBox->Select(before_[1]);
  DistancesColorBox->Select(before_[2]);
  QDialog::reject();
}

}  // namespace trevan
