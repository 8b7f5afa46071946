#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QComboBox;
class QLineEdit;

namespace trevan {

class DialogService;

// A small dialog that asks for the values of a new beam object: one row a
// value, labelled as in the property inspector, or a list to pick from.
// OK asks the check first; a refusal says why and keeps the dialog open.
class TObjectDialog : public QDialog {
  Q_OBJECT

 public:
  struct Row {
    QString label;
    QString text;           // the value proposed, or the item picked
    QStringList choices{};  // a list to pick from instead of a typed value
  };
  // The texts of every row, in order; empty when they are accepted, else why not.
  using Check = std::function<QString(const QStringList&)>;

  TObjectDialog(DialogService& dialogs, const QString& title, const QList<Row>& rows, Check check,
                QWidget* parent = nullptr);

  QStringList Texts() const;
  // The row's edit box, or none for a list.
  QLineEdit* Edit(int row) const;
  QComboBox* Choice(int row) const;

 public slots:
  void accept() override;

 private:
  DialogService& dialogs_;
  Check check_;
  QList<QWidget*> fields_;
};

}  // namespace trevan
