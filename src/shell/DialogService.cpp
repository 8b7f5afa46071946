#include "DialogService.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace trevan {

QString QtFileFilter(const QString& filter) {
  // "Trevan documents (*.tvn)|*.tvn" lists description and pattern pairs.
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) entries << parts[i];
  return entries.join(";;");
}

DialogButton QtDialogService::Message(QWidget* parent, const QString& text, const QString& caption,
                                      DialogIcon icon, DialogButtons buttons) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  switch (icon) {
    case DialogIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case DialogIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case DialogIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case DialogIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case DialogIcon::None:
      break;
  }
  switch (buttons) {
    case DialogButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case DialogButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case DialogButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case DialogButtons::RetryCancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return DialogButton::Yes;
    case QMessageBox::No:
      return DialogButton::No;
    case QMessageBox::Retry:
      return DialogButton::Retry;
    case QMessageBox::Ok:
      return DialogButton::Ok;
    default:
      return DialogButton::Cancel;
  }
}

QString QtDialogService::OpenFileName(QWidget* parent, const QString& filter, const QString&) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(), QtFileFilter(filter));
}

QString QtDialogService::SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                                      const QString& lastName) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QtFileFilter(filter));
  dialog.setDefaultSuffix(defaultExt);
  // The overwrite question is the document's own.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!lastName.isEmpty()) dialog.selectFile(lastName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

int QtDialogService::Exec(QDialog& dialog) { return dialog.exec(); }

QColor QtDialogService::ChooseColor(QWidget* parent, const QColor& initial) {
  return QColorDialog::getColor(initial, parent);
}

}  // namespace trevan

namespace trevan {

bool QtDialogService::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace trevan
