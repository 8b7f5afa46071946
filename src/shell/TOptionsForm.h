#pragma once

#include <QDialog>

#include "TQStorage.h"
#include "hosts/Rgb.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace trevan {

class DialogService;
class TColorBox;

// "Trevan Options": the colours of forces, moments and distances and the
// side the moment diagram is drawn on, read from the settings store once
// and stored again on OK.
class TOptionsForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr Rgb DefaultForces{0xFF0000};
  static constexpr Rgb DefaultMoments{0xFF00FF};
  static constexpr Rgb DefaultDistances{0x0000FF};
  static constexpr Rgb DefaultDeflections{0x008000};

  explicit TOptionsForm(DialogService& dialogs, QWidget* parent = nullptr);

  Rgb ForcesColor() const;
  Rgb MomentsColor() const;
  Rgb DistancesColor() const;
  Rgb DeflectionsColor() const;

  // A stored colour text, decimal or "0x" hexadecimal; the fallback otherwise.
  static Rgb ColourFromText(const QString& text, Rgb fallback);
  // Reads the stored moment side into the diagrams, for a run with no dialog.
  static void ApplyStoredMomentSide();

  QFrame* Bevel1;
  TColorBox* ForcesColorBox;
  TColorBox* MomentsColorBox;
  TColorBox* DistancesColorBox;
  TColorBox* DeflectionsColorBox;
  QComboBox* MomentSideBox;  // 0: tension side, 1: sagging upward
  QPushButton* ResetBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  TQSetting ForcesColorSetting;
  TQSetting MomentsColorSetting;
  TQSetting DistancesColorSetting;
  TQSetting DeflectionsColorSetting;
  TQSetting MomentSideSetting;

  int exec() override;
  void setVisible(bool visible) override;

 public slots:
  void accept() override;
  void reject() override;

 private:
  void AddMomentSide(int left, int top, int width);
  void ResetColors();
  void Remember();

  Rgb before_[4];
  int momentSideBefore_ = 0;
};

}  // namespace trevan
