#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "beam/LoadCase.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace trevan {

class DialogService;

// Beam | Load Cases and Combinations: each case's name, kind and imposed
// category, the rule that combines them, and the combinations that rule
// makes with their factors, kept up to date while the cases change.
class TLoadCasesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLoadCasesForm(DialogService& dialogs, QWidget* parent = nullptr);

  // loadsPerCase: how many loads each case holds; such a case cannot go.
  void Load(const LoadCases& cases, std::vector<int> loadsPerCase);
  const LoadCases& Result() const { return result_; }
  // The combination rules' names, in the order of CombinationRule.
  static QStringList RuleNames();

  QTableWidget* Cases;
  QPushButton* AddCase;
  QPushButton* RemoveCase;
  QComboBox* Rule;
  QTableWidget* Combinations;

  void accept() override;

 private:
  void AddRow(const LoadCase& c);
  void RemoveSelected();
  LoadCases Read() const;
  void ShowCombinations();

  DialogService& dialogs_;
  LoadCases result_;
  std::vector<int> loadsPerCase_;
};

}  // namespace trevan
