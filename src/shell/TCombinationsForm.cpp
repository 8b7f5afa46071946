#include "TCombinationsForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "DialogService.h"
#include "TLoadCasesForm.h"
#include "analysis/Combinations.h"
#include "beam/InputLimits.h"
#include "files/EnvelopeText.h"
#include "text/CLocaleText.h"

namespace trevan {

namespace {
enum Column { NameColumn, LimitColumn, FirstFactorColumn };
}  // namespace

TCombinationsForm::TCombinationsForm(DialogService& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle("Combinations");
  resize(680, 540);
  Rule = new QComboBox(this);
  Rule->setAccessibleName("Combination rule");
  Rule->addItems(TLoadCasesForm::RuleNames());
  connect(Rule, &QComboBox::currentIndexChanged, this, [this] { ShowGenerated(); });

  User = new QTableWidget(0, FirstFactorColumn, this);
  User->setAccessibleName("Your combinations");
  User->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(User, &QTableWidget::cellChanged, this, [this] { ShowGenerated(); });
  AddUser = new QPushButton("&Add", this);
  RemoveUser = new QPushButton("&Remove", this);
  connect(AddUser, &QPushButton::clicked, this, [this] {
    if (static_cast<std::size_t>(User->rowCount()) >= LoadCases::MaxUserCombinations) return;
    AddRow({QString("Combination %1").arg(User->rowCount() + 1).toStdString(),
            std::vector<double>(result_.Count(), 1.0), LimitState::Ultimate});
    ShowGenerated();
  });
  connect(RemoveUser, &QPushButton::clicked, this, [this] {
    if (User->currentRow() < 0) return;
    User->removeRow(User->currentRow());
    ShowGenerated();
  });

  Generated = new QTableWidget(0, 3, this);
  Generated->setAccessibleName("Combinations of the rule");
  Generated->setHorizontalHeaderLabels({"Combination", "Limit state", "Factors"});
  Generated->horizontalHeader()->setStretchLastSection(true);
  Generated->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Generated->setSelectionBehavior(QAbstractItemView::SelectRows);
  Generated->setSelectionMode(QAbstractItemView::SingleSelection);
  ShowAlone = new QPushButton("&Show Alone", this);
  ShowAlone->setToolTip("Close and show the selected combination in the diagrams and the results panel");
  auto showAlone = [this] {
    if (Generated->currentRow() < 0) return;
    shown_ = static_cast<std::size_t>(Generated->currentRow());
    accept();
    if (result() != QDialog::Accepted) shown_.reset();
  };
  connect(ShowAlone, &QPushButton::clicked, this, showAlone);
  connect(Generated, &QTableWidget::cellDoubleClicked, this, showAlone);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TCombinationsForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TCombinationsForm::reject);
  auto* rule = new QHBoxLayout;
  auto* ruleLabel = new QLabel("Combination &rule:", this);
  ruleLabel->setBuddy(Rule);
  rule->addWidget(ruleLabel);
  rule->addWidget(Rule, 1);
  auto* userButtons = new QHBoxLayout;
  userButtons->addWidget(AddUser);
  userButtons->addWidget(RemoveUser);
  userButtons->addStretch();
  auto* generatedButtons = new QHBoxLayout;
  generatedButtons->addStretch();
  generatedButtons->addWidget(ShowAlone);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rule);
  layout->addWidget(new QLabel("Your combinations (used by the rule \"User combinations\"):", this));
  layout->addWidget(User, 2);
  layout->addLayout(userButtons);
  layout->addWidget(new QLabel("The combinations the rule makes:", this));
  layout->addWidget(Generated, 3);
  layout->addLayout(generatedButtons);
  layout->addWidget(buttons);
}

void TCombinationsForm::Load(const LoadCases& cases) {
  result_ = cases;
  shown_.reset();
  const QSignalBlocker quiet(User);
  User->setRowCount(0);
  User->setColumnCount(FirstFactorColumn + static_cast<int>(cases.Count()));
  QStringList headers{"Name", "Limit state"};
  for (std::size_t c = 0; c < cases.Count(); ++c) headers << QString::fromStdString(cases.Label(c));
  User->setHorizontalHeaderLabels(headers);
  for (const Combination& k : cases.user) AddRow(k);
  {
    const QSignalBlocker quietRule(Rule);
    Rule->setCurrentIndex(static_cast<int>(cases.rule));
  }
  User->resizeColumnsToContents();
  ShowGenerated();
}

void TCombinationsForm::AddRow(const Combination& c) {
  const QSignalBlocker quiet(User);
  const int row = User->rowCount();
  User->insertRow(row);
  User->setItem(row, NameColumn, new QTableWidgetItem(QString::fromStdString(c.name)));
  auto* limit = new QComboBox(User);
  limit->addItems({"ultimate", "serviceability"});
  limit->setCurrentIndex(c.limit == LimitState::Ultimate ? 0 : 1);
  connect(limit, &QComboBox::currentIndexChanged, this, [this] { ShowGenerated(); });
  User->setCellWidget(row, LimitColumn, limit);
  for (std::size_t f = 0; f < result_.Count(); ++f)
    User->setItem(
        row, FirstFactorColumn + static_cast<int>(f),
        new QTableWidgetItem(QString::fromStdString(FloatToText(f < c.factors.size() ? c.factors[f] : 0))));
}

std::vector<Combination> TCombinationsForm::ReadUser(QString* problem) const {
  std::vector<Combination> list;
  for (int r = 0; r < User->rowCount(); ++r) {
    Combination k;
    const QTableWidgetItem* name = User->item(r, NameColumn);
    k.name = name ? name->text().trimmed().toStdString() : std::string();
    if (problem && problem->isEmpty() && (k.name.empty() || !limits::IsTitleText(k.name)))
      *problem = QString("Combination %1 needs a name of up to %2 characters of text.")
                     .arg(r + 1)
                     .arg(limits::MaxTitleLength);
    const auto* limit = static_cast<const QComboBox*>(User->cellWidget(r, LimitColumn));
    k.limit = limit && limit->currentIndex() == 1 ? LimitState::Serviceability : LimitState::Ultimate;
    for (std::size_t c = 0; c < result_.Count(); ++c) {
      const QTableWidgetItem* cell = User->item(r, FirstFactorColumn + static_cast<int>(c));
      double factor = 0;
      const bool ok =
          cell && TryParseReal(cell->text().toStdString(), factor) && limits::IsCombinationFactor(factor);
      if (!ok && problem && problem->isEmpty())
        *problem = QString("The factor of %1 on case %2 must be a number from %3 to %4.")
                       .arg(QString::fromStdString(k.name))
                       .arg(QString::fromStdString(result_.Label(c)))
                       .arg(-limits::MaxCombinationFactor)
                       .arg(limits::MaxCombinationFactor);
      k.factors.push_back(ok ? factor : 0);
    }
    list.push_back(std::move(k));
  }
  return list;
}

void TCombinationsForm::ShowGenerated() {
  LoadCases cases = result_;
  cases.rule = static_cast<CombinationRule>(std::max(0, Rule->currentIndex()));
  cases.user = ReadUser();
  const std::vector<Combination> list = GenerateCombinations(cases);
  Generated->setRowCount(static_cast<int>(list.size()));
  for (int r = 0; r < static_cast<int>(list.size()); ++r) {
    const Combination& k = list[static_cast<std::size_t>(r)];
    Generated->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(k.name)));
    Generated->setItem(r, 1,
                       new QTableWidgetItem(k.limit == LimitState::Ultimate ? "ultimate" : "serviceability"));
    Generated->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(envelope_text::Factors(cases, k))));
  }
  Generated->resizeColumnsToContents();
}

void TCombinationsForm::accept() {
  QString problem;
  std::vector<Combination> user = ReadUser(&problem);
  if (!problem.isEmpty()) {
    dialogs_.Message(this, problem, "Combinations", DialogIcon::Warning, DialogButtons::Ok);
    return;
  }
  result_.rule = static_cast<CombinationRule>(std::max(0, Rule->currentIndex()));
  result_.user = std::move(user);
  QDialog::accept();
}

}  // namespace trevan
