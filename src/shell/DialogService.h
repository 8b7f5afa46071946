#pragma once

#include <QColor>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

namespace trevan {

enum class DialogButton { Ok, Cancel, Yes, No, Retry };
enum class DialogButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class DialogIcon { None, Information, Warning, Error, Question };

// Every modal question the program asks goes through here, so tests can
// answer instead of a person.
class DialogService {
 public:
  virtual ~DialogService() = default;

  virtual DialogButton Message(QWidget* parent, const QString& text, const QString& caption, DialogIcon icon,
                               DialogButtons buttons) = 0;
  // The chosen file, or empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                               const QString& lastName) = 0;
  // Runs a dialog modally; answers its result code (QDialog::Accepted or Rejected).
  virtual int Exec(QDialog& dialog) = 0;
  // The chosen colour, or an invalid one when cancelled.
  virtual QColor ChooseColor(QWidget* parent, const QColor& initial) = 0;
  // The platform's print dialog; false when cancelled.
  virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The real thing: Qt's message boxes and file, colour and custom dialogs.
class QtDialogService : public DialogService {
 public:
  DialogButton Message(QWidget* parent, const QString& text, const QString& caption, DialogIcon icon,
                       DialogButtons buttons) override;
  QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) override;
  QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                       const QString& lastName) override;
  int Exec(QDialog& dialog) override;
  QColor ChooseColor(QWidget* parent, const QColor& initial) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
};

// Converts a filter in the "Description (*.ext)|*.ext" form to Qt's form.
QString QtFileFilter(const QString& filter);

}  // namespace trevan
