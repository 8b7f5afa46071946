#pragma once

#include <QComboBox>

#include "hosts/Rgb.h"

namespace trevan {

class DialogService;

// A colour chooser listing the standard colours by name, with an entry
// that opens the platform's colour dialog for any other colour.
class TColorBox : public QComboBox {
  Q_OBJECT

 public:
  TColorBox(DialogService& dialogs, QWidget* parent = nullptr);

  Rgb Selected() const { return selected_; }
  // Selects the colour, adding a custom entry for one that has no name.
  void Select(Rgb colour);

  static QColor ToQColor(Rgb colour) { return QColor(colour.Red(), colour.Green(), colour.Blue()); }
  static Rgb FromQColor(const QColor& colour) {
    return Rgb::FromRgb(colour.red(), colour.green(), colour.blue());
  }

 private:
  void Activated(int index);
  int CustomChoiceIndex() const { return count() - 1; }

  DialogService& dialogs_;
  Rgb selected_;
};

}  // namespace trevan
