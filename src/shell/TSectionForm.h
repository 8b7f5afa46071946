#pragma once

#include <QDialog>
#include <array>

#include "beam/BeamSection.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace trevan {

class DialogService;
class TNumberEdit;

// Beam | Section and Material: E and I for the whole beam, from a material
// preset or typed, I typed or computed from a shape, and stretches with
// their own E and I. Values show in GPa, cm⁴ and mm (ksi, in⁴ and in) and
// keep every digit they had unless the user edits them.
class TSectionForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSectionForm(DialogService& dialogs, QWidget* parent = nullptr);

  void Load(const BeamSection& section, double length, bool metric);
  // What OK accepted: empty when the section was switched off.
  const BeamSection& Result() const { return result_; }

  QGroupBox* Enabled;
  QComboBox* Material;
  TNumberEdit* E;
  QComboBox* Shape;
  std::array<TNumberEdit*, 4> Dimension;
  TNumberEdit* I;
  QLabel* W;
  QTableWidget* Stretches;
  QPushButton* AddStretch;
  QPushButton* RemoveStretch;

  void accept() override;

 private:
  void MaterialChosen(int index);
  void ShapeChosen();
  void DimensionsEdited();
  void AddRow(double x1, double x2, double e, double i);
  // A value in the beam's units: the original when its text is as shown.
  bool Read(const QLineEdit& edit, double factor, double& value) const;
  bool ReadCell(int row, int column, double factor, double& value) const;
  bool Refuse(const QString& text);

  DialogService& dialogs_;
  std::array<QLabel*, 4> dimensionLabels_;
  bool metric_ = true;
  double length_ = 0;
  BeamSection result_;
};

}  // namespace trevan
