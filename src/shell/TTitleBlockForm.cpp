#include "TTitleBlockForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "beam/InputLimits.h"

namespace trevan {

TTitleBlockForm::TTitleBlockForm(const TitleBlock& title, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Properties");
  auto* form = new QFormLayout;
  for (int f = 0; f < TitleBlock::FieldCount; ++f) {
    edits_[f] = new QLineEdit(QString::fromStdString(title.fields[f]), this);
    edits_[f]->setObjectName(QString("TitleField%1").arg(f));
    edits_[f]->setMinimumWidth(280);
    edits_[f]->setMaxLength(static_cast<int>(limits::MaxTitleLength));
    form->addRow(QString("&%1:").arg(TitleBlock::Captions[f]), edits_[f]);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("The title block of the calculation sheet:", this));
  layout->addLayout(form);
  layout->addWidget(buttons);
  edits_[0]->setFocus();
}

TitleBlock TTitleBlockForm::Title() const {
  TitleBlock title;
  // One line each: a line break would end the entry in the file.
  for (int f = 0; f < TitleBlock::FieldCount; ++f) {
    QString text = edits_[f]->text().simplified();
    // The file counts bytes, and a character may take several.
    while (text.toUtf8().size() > static_cast<qsizetype>(limits::MaxTitleLength)) text.chop(1);
    title.fields[f] = text.toStdString();
  }
  return title;
}

}  // namespace trevan
