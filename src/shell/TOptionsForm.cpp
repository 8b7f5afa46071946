#include "TOptionsForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "TColorBox.h"
#include "drawing/DiagramSigns.h"

namespace trevan {

namespace {
constexpr const char* SettingsKey = "Software\\Quillmoor Software\\Trevan";

void Configure(TQSetting& setting, const char* name, const char* defaultText) {
  setting.Storage.SetKey(SettingsKey);
  setting.Storage.SetRegistryRootKey(qsrkCurrentUser);
  setting.KeyName = name;
  setting.DefaultValue = defaultText;
}

constexpr const char* MomentSideKey = "Moments Drawn";
constexpr const char* SaggingUpText = "sagging up";
}  // namespace

void TOptionsForm::ApplyStoredMomentSide() {
  TQSetting setting;
  Configure(setting, MomentSideKey, "tension side");
  DiagramSigns::SetSaggingUp(setting.GetValue() == SaggingUpText);
}

// The moment diagram's side, under the colours.
void TOptionsForm::AddMomentSide(int left, int top, int width) {
  auto* label = new QLabel("Moment diagram:", this);
  label->move(left, top);
  MomentSideBox = new QComboBox(this);
  MomentSideBox->setObjectName("MomentSideBox");
  MomentSideBox->addItem("On the tension side (sagging below the line)");
  MomentSideBox->addItem("Sagging upward");
  MomentSideBox->setGeometry(left, top + 18, width, 24);
  label->setBuddy(MomentSideBox);
  Configure(MomentSideSetting, MomentSideKey, "tension side");
  MomentSideBox->setCurrentIndex(MomentSideSetting.GetValue() == SaggingUpText ? 1 : 0);
  DiagramSigns::SetSaggingUp(MomentSideBox->currentIndex() == 1);
}

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

  Bevel1 = new QFrame(this);
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);

  // The choosers stand at x = 88 unless the font makes a label wider than
  // the room in front of them; the dialog then grows by the difference.
  const char* captions[] = {"Forces:", "Moments:", "Distances:", "Deflections:"};
  int widest = 0;
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(captions[i], this);
    label->adjustSize();
    label->move(28, 20 + 32 * i);
    widest = std::max(widest, label->width());
  }
  constexpr int LabelGap = 4;
  const int boxLeft = std::max(88, 28 + widest + LabelGap);
  const int grow = boxLeft - 88;
  setFixedSize(384 + grow, 248);
  Bevel1->setGeometry(8, 8, 281 + grow, 177);
  TColorBox** boxes[] = {&ForcesColorBox, &MomentsColorBox, &DistancesColorBox, &DeflectionsColorBox};
  for (int i = 0; i < 4; ++i) {
    *boxes[i] = new TColorBox(dialogs, this);
    (*boxes[i])->setGeometry(boxLeft, 16 + 32 * i, 145, 22);
  }
  ForcesColorBox->setObjectName("ForcesColorBox");
  MomentsColorBox->setObjectName("MomentsColorBox");
  DistancesColorBox->setObjectName("DistancesColorBox");
  DeflectionsColorBox->setObjectName("DeflectionsColorBox");

  ResetBtn = new QPushButton("Reset colors", this);
  ResetBtn->setGeometry(28, 148, 75, 25);
  AddMomentSide(16, 192, 273 + grow);
  OKBtn = new QPushButton("OK", this);
  OKBtn->setGeometry(300 + grow, 8, 75, 25);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setGeometry(300 + grow, 38, 75, 25);
  connect(ResetBtn, &QPushButton::clicked, this, &TOptionsForm::ResetColors);
  connect(OKBtn, &QPushButton::clicked, this, &TOptionsForm::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &TOptionsForm::reject);

  Configure(ForcesColorSetting, "Forces Color", "0xFF0000");
  Configure(MomentsColorSetting, "Moments Color", "0xFF00FF");
  Configure(DistancesColorSetting, "Distances Color", "0x0000FF");
  Configure(DeflectionsColorSetting, "Deflections Color", "0x008000");
  ForcesColorBox->Select(ColourFromText(ForcesColorSetting.GetValue(), DefaultForces));
  MomentsColorBox->Select(ColourFromText(MomentsColorSetting.GetValue(), DefaultMoments));
  DistancesColorBox->Select(ColourFromText(DistancesColorSetting.GetValue(), DefaultDistances));
  DeflectionsColorBox->Select(ColourFromText(DeflectionsColorSetting.GetValue(), DefaultDeflections));
  Remember();
}

Rgb TOptionsForm::ForcesColor() const { return ForcesColorBox->Selected(); }
Rgb TOptionsForm::MomentsColor() const { return MomentsColorBox->Selected(); }
Rgb TOptionsForm::DistancesColor() const { return DistancesColorBox->Selected(); }
Rgb TOptionsForm::DeflectionsColor() const { return DeflectionsColorBox->Selected(); }

void TOptionsForm::ResetColors() {
  ForcesColorBox->Select(DefaultForces);
  MomentsColorBox->Select(DefaultMoments);
  DistancesColorBox->Select(DefaultDistances);
  DeflectionsColorBox->Select(DefaultDeflections);
}

void TOptionsForm::Remember() {
  before_[0] = ForcesColor();
  before_[1] = MomentsColor();
  before_[2] = DistancesColor();
  before_[3] = DeflectionsColor();
  momentSideBefore_ = MomentSideBox->currentIndex();
}

// Centred on the screen that shows the main window, not over the window.
void TOptionsForm::setVisible(bool visible) {
  if (visible && !isVisible()) {
    const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
    if (shown) {
      create();  // the platform window knows the frame that goes around the dialog
      const QRect area = shown->availableGeometry();
      const QSize outer = frameGeometry().size();
      move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    }
  }
  QDialog::setVisible(visible);
}

int TOptionsForm::exec() {
  Remember();
  return QDialog::exec();
}

void TOptionsForm::accept() {
  ForcesColorSetting.SetValue(QString::number(ForcesColor().value));
  MomentsColorSetting.SetValue(QString::number(MomentsColor().value));
  DistancesColorSetting.SetValue(QString::number(DistancesColor().value));
  DeflectionsColorSetting.SetValue(QString::number(DeflectionsColor().value));
  const bool up = MomentSideBox->currentIndex() == 1;
  MomentSideSetting.SetValue(up ? SaggingUpText : "tension side");
  DiagramSigns::SetSaggingUp(up);
  Remember();
  QDialog::accept();
}

// Cancel puts the colours back as they were when the dialog opened.
void TOptionsForm::reject() {
  ForcesColorBox->Select(before_[0]);
  MomentsColorBox->Select(before_[1]);
  DistancesColorBox->Select(before_[2]);
  DeflectionsColorBox->Select(before_[3]);
  MomentSideBox->setCurrentIndex(momentSideBefore_);
  QDialog::reject();
}

}  // namespace trevan
