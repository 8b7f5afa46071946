#include "TQPropertyInspector.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "beam/BeamObject.h"
#include "beam/SupportType.h"
#include "hosts/MessageService.h"

namespace trevan {

bool TQPropertyInspector::Clearing = false;

namespace {
constexpr int NameColumn = 0;
constexpr int ValueColumn = 1;
}  // namespace

TQPropertyInspector::TQPropertyInspector(MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Tool), messages_(messages) {
  resize(177, 101);
  setAccessibleName("Property inspector");
  ValueListEditor1 = new QTableWidget(0, 2, this);
  ValueListEditor1->setAccessibleName("Properties of the selected object");
  ValueListEditor1->setHorizontalHeaderLabels({"Property", "Value"});
  ValueListEditor1->verticalHeader()->hide();
  ValueListEditor1->setColumnWidth(NameColumn, 87);
  ValueListEditor1->setColumnWidth(ValueColumn, 84);
  ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
  ValueListEditor1->setSelectionMode(QAbstractItemView::SingleSelection);
  ValueListEditor1->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ValueListEditor1);
  // Leaving an edited cell validates it.
  connect(ValueListEditor1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!Clearing && item->column() == ValueColumn) ValueListEditor1Validate(item->row() + 1, item->text());
  });
}

bool TQPropertyInspector::ListsRowsOf(const object& target) const {
  if (ValueListEditor1->rowCount() != target.RowCount) return false;
  for (int i = 0; i < target.RowCount; ++i) {
    const QTableWidgetItem* name = ValueListEditor1->item(i, NameColumn);
    if (!name || name->text().toStdString() != target.PropertyLabels[i]) return false;
    // A list row is built anew when its choices changed (a case renamed).
    if (const std::vector<std::string> choices = target.Choices(i); !choices.empty()) {
      const auto* pick = qobject_cast<const QComboBox*>(ValueListEditor1->cellWidget(i, ValueColumn));
      if (!pick || pick->count() != static_cast<int>(choices.size())) return false;
      for (int k = 0; k < pick->count(); ++k)
        if (pick->itemText(k).toStdString() != choices[static_cast<std::size_t>(k)]) return false;
    }
  }
  return true;
}

void TQPropertyInspector::ShowObject(object* target) {
  const bool same = target && target == target_.get() && ListsRowsOf(*target);
  target_ = target;
  if (!target_) {
    Clearing = true;
    ValueListEditor1->setRowCount(0);
    Clearing = false;
    setWindowTitle(QString());
    return;
  }
  if (same) {
    // Rebuilding the rows here would pull the cell editor out from under a commit.
    for (int i = 0; i < target->RowCount; ++i) {
      const QString value = QString::fromStdString(target->PropertyValues[i]);
      const QTableWidgetItem* item = ValueListEditor1->item(i, ValueColumn);
      if (!item || item->text() != value) SetCell(i + 1, value);
    }
    setWindowTitle(QString::fromStdString(target->Caption));
    return;
  }
  Clearing = true;
  ValueListEditor1->setRowCount(0);
  for (int i = 0; i < target_->RowCount; ++i) {
    ValueListEditor1->insertRow(i);
    auto* name = new QTableWidgetItem(QString::fromStdString(target_->PropertyLabels[i]));
    name->setFlags(Qt::ItemIsEnabled);
    ValueListEditor1->setItem(i, NameColumn, name);
    const QString value = QString::fromStdString(target_->PropertyValues[i]);
    ValueListEditor1->setItem(i, ValueColumn, new QTableWidgetItem(value));
    if (target_->PropertyLabels[i] == "Type:") {
      auto* pick = new QComboBox;
      for (const char* type : SupportTypeLabels) pick->addItem(type);
      pick->setCurrentText(value);
      const int row = i;
      connect(pick, &QComboBox::activated, this,
              [this, pick, row] { ValueListEditor1Validate(row + 1, pick->currentText()); });
      ValueListEditor1->setCellWidget(i, ValueColumn, pick);
    } else if (const std::vector<std::string> choices = target_->Choices(i); !choices.empty()) {
      auto* pick = new QComboBox;
      pick->setAccessibleName(QString::fromStdString(target_->PropertyLabels[i]));
      for (const std::string& choice : choices) pick->addItem(QString::fromStdString(choice));
      pick->setCurrentText(value);
      const int row = i;
      connect(pick, &QComboBox::activated, this,
              [this, pick, row] { ValueListEditor1Validate(row + 1, pick->currentText()); });
      ValueListEditor1->setCellWidget(i, ValueColumn, pick);
    }
  }
  Clearing = false;
  setWindowTitle(QString::fromStdString(target_->Caption));
}

void TQPropertyInspector::SetCell(int row, const QString& value) {
  Clearing = true;
  if (QTableWidgetItem* item = ValueListEditor1->item(row - 1, ValueColumn)) item->setText(value);
  if (auto* pick = qobject_cast<QComboBox*>(ValueListEditor1->cellWidget(row - 1, ValueColumn)))
    pick->setCurrentText(value);
  Clearing = false;
}

void TQPropertyInspector::ValueListEditor1Validate(int row, const QString& value) {
  if (!target_ || Clearing) return;
  if (row < 1 || row > target_->RowCount) return;
  if (value.isEmpty() && !target_->RowMayBeEmpty(row - 1)) return;
  const std::string old = target_->PropertyValues[row - 1];
  const std::string text = value.toStdString();
  if (text == old) return;
  bool accepted = false;
  QString problem;
  if (text.size() > object::MaxTextLength) {
    problem = "The value is longer than 49 characters.";
  } else {
    target_->PropertyValues[row - 1] = text;
    try {
      accepted = target_->ApplyProperties();
    } catch (const std::invalid_argument& e) {
      problem = QString::fromStdString(e.what());
    }
  }
  if (accepted) return;
  // Refused: the old text goes back, in the object and in the list.
  target_->PropertyValues[row - 1] = old;
  SetCell(row, QString::fromStdString(old));
  if (!problem.isEmpty()) messages_.ShowMessage(problem.toStdString(), "Error", MessageIcon::Error);
}

bool TQPropertyInspector::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ValueListEditor1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      const int row = ValueListEditor1->currentRow();
      if (QTableWidgetItem* item = ValueListEditor1->item(row, ValueColumn))
        ValueListEditor1Validate(row + 1, item->text());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TQPropertyInspector::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }

void TQPropertyInspector::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
  if (OnClosed) OnClosed();
}

}  // namespace trevan
