#pragma once

#include <QDialog>
#include <array>

#include "beam/TitleBlock.h"

class QLineEdit;

namespace trevan {

// File | Properties: the title block of the beam's calculation sheet
// (project, job number, element, designer, checker, revision, date).
class TTitleBlockForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTitleBlockForm(const TitleBlock& title, QWidget* parent = nullptr);

  TitleBlock Title() const;
  QLineEdit* Field(TitleBlock::Field f) const { return edits_[f]; }

 private:
  std::array<QLineEdit*, TitleBlock::FieldCount> edits_{};
};

}  // namespace trevan
