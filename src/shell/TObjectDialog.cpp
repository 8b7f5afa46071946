#include "TObjectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "DialogService.h"

namespace trevan {

TObjectDialog::TObjectDialog(DialogService& dialogs, const QString& title, const QList<Row>& rows,
                             Check check, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), check_(std::move(check)) {
  setWindowTitle(title);
  auto* form = new QFormLayout(this);
  for (const Row& row : rows) {
    QWidget* field = nullptr;
    if (row.choices.isEmpty()) {
      auto* edit = new QLineEdit(row.text, this);
      edit->setAlignment(Qt::AlignRight);
      field = edit;
    } else {
      auto* pick = new QComboBox(this);
      pick->addItems(row.choices);
      pick->setCurrentText(row.text);
      field = pick;
    }
    QString name = row.label;
    name.remove(':');
    field->setAccessibleName(name.trimmed());
    auto* label = new QLabel(row.label, this);
    label->setBuddy(field);
    form->addRow(label, field);
    fields_.append(field);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TObjectDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TObjectDialog::reject);
  form->addRow(buttons);
  if (!fields_.isEmpty()) fields_.first()->setFocus();
}

QStringList TObjectDialog::Texts() const {
  QStringList texts;
  for (QWidget* field : fields_) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
      texts << edit->text();
    else if (auto* pick = qobject_cast<QComboBox*>(field))
      texts << pick->currentText();
  }
  return texts;
}

QLineEdit* TObjectDialog::Edit(int row) const { return qobject_cast<QLineEdit*>(fields_.value(row)); }
QComboBox* TObjectDialog::Choice(int row) const { return qobject_cast<QComboBox*>(fields_.value(row)); }

void TObjectDialog::accept() {
  const QString problem = check_ ? check_(Texts()) : QString();
  if (!problem.isEmpty()) {
    dialogs_.Message(this, problem, windowTitle(), DialogIcon::Warning, DialogButtons::Ok);
    return;
  }
  QDialog::accept();
}

}  // namespace trevan
