#pragma once

#include <QDialog>
#include <optional>

#include "beam/LoadCase.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace trevan {

class DialogService;

// Beam | Combinations: the rule that makes the beam's combinations, the
// user's own named combinations with a factor on each case, and the
// combinations the rule makes, each of which can be looked at alone.
class TCombinationsForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCombinationsForm(DialogService& dialogs, QWidget* parent = nullptr);

  void Load(const LoadCases& cases);
  const LoadCases& Result() const { return result_; }
  // The combination chosen to look at alone, by its place among the
  // combinations Result() makes.
  std::optional<std::size_t> Shown() const { return shown_; }

  QComboBox* Rule;
  QTableWidget* User;
  QPushButton* AddUser;
  QPushButton* RemoveUser;
  QTableWidget* Generated;
  QPushButton* ShowAlone;

  void accept() override;

 private:
  void AddRow(const Combination& c);
  // The user's list as typed; the first problem found, if any, in problem.
  std::vector<Combination> ReadUser(QString* problem = nullptr) const;
  void ShowGenerated();

  DialogService& dialogs_;
  LoadCases result_;
  std::optional<std::size_t> shown_;
};

}  // namespace trevan
