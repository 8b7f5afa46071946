#include "TLoadCasesForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "DialogService.h"
#include "analysis/Combinations.h"
#include "beam/InputLimits.h"
#include "files/EnvelopeText.h"

namespace trevan {

namespace {
enum Column { NameColumn, KindColumn, CategoryColumn };

const char* const KindLabels[LoadKindCount] = {"Unclassified",    "Permanent (G / D)", "Imposed (Q / L)",
                                               "Roof live (Lr)", "Snow (S)",          "Wind (W)",
                                               "Rain (R)"};
const char* const CategoryLabels[ImposedCategoryCount] = {
    "A domestic", "B offices", "C assembly", "D shopping", "E storage", "F traffic \u2264 30 kN",
    "G traffic 30\u2013160 kN", "H roofs"};
const char* const RuleLabels[] = {"EN 1990 eq. 6.10", "EN 1990 eq. 6.10a / 6.10b", "ASCE 7-22 LRFD",
                                  "ASCE 7-22 ASD", "User combinations"};
}  // namespace

TLoadCasesForm::TLoadCasesForm(DialogService& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle("Load Cases and Combinations");
  resize(640, 520);
  Cases = new QTableWidget(0, 3, this);
  Cases->setAccessibleName("Load cases");
  Cases->setHorizontalHeaderLabels({"Name", "Kind", "Category"});
  Cases->horizontalHeader()->setStretchLastSection(true);
  Cases->setSelectionBehavior(QAbstractItemView::SelectRows);
  AddCase = new QPushButton("&Add Case", this);
  RemoveCase = new QPushButton("&Remove Case", this);
  connect(AddCase, &QPushButton::clicked, this, [this] {
    AddRow({QString("Case %1").arg(Cases->rowCount() + 1).toStdString(), LoadKind::Imposed, ImposedCategory::A});
    loadsPerCase_.push_back(0);
    ShowCombinations();
  });
  connect(RemoveCase, &QPushButton::clicked, this, &TLoadCasesForm::RemoveSelected);
  connect(Cases, &QTableWidget::cellChanged, this, [this] { ShowCombinations(); });

  Rule = new QComboBox(this);
  Rule->setAccessibleName("Combination rule");
  for (const char* label : RuleLabels) Rule->addItem(label);
  connect(Rule, &QComboBox::currentIndexChanged, this, [this] { ShowCombinations(); });
  Combinations = new QTableWidget(0, 3, this);
  Combinations->setAccessibleName("Combinations");
  Combinations->setHorizontalHeaderLabels({"Combination", "Limit state", "Factors"});
  Combinations->horizontalHeader()->setStretchLastSection(true);
  Combinations->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TLoadCasesForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TLoadCasesForm::reject);
  auto* caseButtons = new QHBoxLayout;
  caseButtons->addWidget(AddCase);
  caseButtons->addWidget(RemoveCase);
  caseButtons->addStretch();
  auto* rule = new QHBoxLayout;
  auto* ruleLabel = new QLabel("Combination &rule:", this);
  ruleLabel->setBuddy(Rule);
  rule->addWidget(ruleLabel);
  rule->addWidget(Rule, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Cases, 2);
  layout->addLayout(caseButtons);
  layout->addLayout(rule);
  layout->addWidget(Combinations, 3);
  layout->addWidget(buttons);
}

QStringList TLoadCasesForm::RuleNames() {
  QStringList names;
  for (const char* label : RuleLabels) names << label;
  return names;
}

void TLoadCasesForm::Load(const LoadCases& cases, std::vector<int> loadsPerCase) {
  result_ = cases;
  loadsPerCase_ = std::move(loadsPerCase);
  loadsPerCase_.resize(cases.Count(), 0);
  Cases->setRowCount(0);
  for (std::size_t c = 0; c < cases.Count(); ++c) AddRow(cases.At(c));
  Rule->setCurrentIndex(static_cast<int>(cases.rule));
  Cases->resizeColumnsToContents();
  ShowCombinations();
}

void TLoadCasesForm::AddRow(const LoadCase& c) {
  const QSignalBlocker quiet(Cases);
  const int row = Cases->rowCount();
  Cases->insertRow(row);
  Cases->setItem(row, NameColumn, new QTableWidgetItem(QString::fromStdString(c.name)));
  auto* kind = new QComboBox(Cases);
  for (const char* label : KindLabels) kind->addItem(label);
  kind->setCurrentIndex(static_cast<int>(c.kind));
  auto* category = new QComboBox(Cases);
  for (const char* label : CategoryLabels) category->addItem(label);
  category->setCurrentIndex(static_cast<int>(c.category));
  category->setEnabled(c.kind == LoadKind::Imposed);
  connect(kind, &QComboBox::currentIndexChanged, this, [this, category](int k) {
    category->setEnabled(k == static_cast<int>(LoadKind::Imposed));
    ShowCombinations();
  });
  connect(category, &QComboBox::currentIndexChanged, this, [this] { ShowCombinations(); });
  Cases->setCellWidget(row, KindColumn, kind);
  Cases->setCellWidget(row, CategoryColumn, category);
}

void TLoadCasesForm::RemoveSelected() {
  const int row = Cases->currentRow();
  if (row < 0) return;
  if (Cases->rowCount() == 1 || (row < static_cast<int>(loadsPerCase_.size()) && loadsPerCase_[row] > 0)) {
    dialogs_.Message(this,
                     Cases->rowCount() == 1 ? "A beam keeps at least one load case."
                                            : QString("The case still holds %1 load(s); move them to another "
                                                      "case first.")
                                                  .arg(loadsPerCase_[row]),
                     "Load Cases", DialogIcon::Information, DialogButtons::Ok);
    return;
  }
  // Only the last case can go without renumbering the loads of the others.
  if (row != Cases->rowCount() - 1) {
    dialogs_.Message(this, "Only the last case can be removed; the loads name the others by their place.",
                     "Load Cases", DialogIcon::Information, DialogButtons::Ok);
    return;
  }
  Cases->removeRow(row);
  loadsPerCase_.pop_back();
  ShowCombinations();
}

LoadCases TLoadCasesForm::Read() const {
  LoadCases read;
  read.rule = static_cast<CombinationRule>(std::max(0, Rule->currentIndex()));
  read.user = result_.user;
  for (int r = 0; r < Cases->rowCount(); ++r) {
    LoadCase c;
    c.name = Cases->item(r, NameColumn) ? Cases->item(r, NameColumn)->text().toStdString() : std::string();
    c.kind = static_cast<LoadKind>(static_cast<QComboBox*>(Cases->cellWidget(r, KindColumn))->currentIndex());
    c.category = static_cast<ImposedCategory>(
        static_cast<QComboBox*>(Cases->cellWidget(r, CategoryColumn))->currentIndex());
    read.cases.push_back(std::move(c));
  }
  for (auto& k : read.user) k.factors.resize(read.Count(), 0.0);
  // One unnamed, unclassified case is the beam of old.
  if (read.cases.size() == 1 && read.cases.front() == LoadCase{}) read.cases.clear();
  return read;
}

void TLoadCasesForm::ShowCombinations() {
  const LoadCases cases = Read();
  const std::vector<Combination> list = GenerateCombinations(cases);
  Combinations->setRowCount(static_cast<int>(list.size()));
  for (int r = 0; r < static_cast<int>(list.size()); ++r) {
    const Combination& k = list[static_cast<std::size_t>(r)];
    Combinations->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(k.name)));
    Combinations->setItem(
        r, 1, new QTableWidgetItem(k.limit == LimitState::Ultimate ? "ultimate" : "serviceability"));
    Combinations->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(envelope_text::Factors(cases, k))));
  }
  Combinations->resizeColumnsToContents();
}

void TLoadCasesForm::accept() {
  const LoadCases read = Read();
  for (const auto& c : read.cases)
    if (!limits::IsTitleText(c.name)) {
      dialogs_.Message(this, QString("A case name may hold up to %1 characters of text.").arg(limits::MaxTitleLength),
                       "Load Cases", DialogIcon::Warning, DialogButtons::Ok);
      return;
    }
  result_ = read;
  QDialog::accept();
}

}  // namespace trevan
