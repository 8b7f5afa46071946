#include "TResultsPanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/Combinations.h"
#include "analysis/Envelope.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
#include "analysis/KeptSolution.h"
#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/SupportSpacing.h"
#include "files/EnvelopeText.h"
#include "files/ExactTable.h"

namespace trevan {

TResultsPanel::TResultsPanel(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle("Results");
  setAccessibleName("Results");
  resize(460, 330);
  table_ = new QTableWidget(0, 0, this);
  table_->setAccessibleName("Reactions and extreme values");
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->installEventFilter(this);
  envelopes_ = new QPlainTextEdit(this);
  envelopes_->setObjectName("Envelopes");
  envelopes_->setAccessibleName("Envelopes");
  envelopes_->setReadOnly(true);
  envelopes_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  envelopes_->hide();
  warning_ = new QLabel(this);
  warning_->setObjectName("SupportWarning");
  warning_->setWordWrap(true);
  // Its own light ground: dark red reads on it (7.8:1) whatever the theme.
  warning_->setStyleSheet("color: #a00000; background: #fff4f4; font-weight: bold; padding: 2px;");
  warning_->hide();
  kilo_ = new QCheckBox(this);
  copy_ = new QPushButton("&Copy", this);
  copy_->setToolTip("Copy the table as tab-separated text");
  connect(kilo_, &QCheckBox::toggled, this, [this] { Fill(); });
  connect(copy_, &QPushButton::clicked, this, &TResultsPanel::CopyTable);
  auto* shortcut = new QShortcut(QKeySequence::Copy, this, this, &TResultsPanel::CopyTable);
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);

  limitChoice_ = new QComboBox(this);
  limitChoice_->setEditable(true);
  limitChoice_->addItems({"L/250", "L/360", "L/500"});
  limitChoice_->setToolTip("Deflection limit: span over this (type another, such as L/300)");
  connect(limitChoice_, &QComboBox::currentTextChanged, this, &TResultsPanel::LimitTyped);

  auto* bar = new QHBoxLayout;
  bar->addWidget(kilo_);
  bar->addWidget(limitChoice_);
  bar->addStretch();
  bar->addWidget(copy_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(warning_);
  layout->addWidget(table_, 3);
  layout->addWidget(envelopes_, 2);
  layout->addLayout(bar);
  Fill();
}

void TResultsPanel::ShowBeam(const TTrevanDoc* beam, const ResultChoice& choice, const Envelope* shown) {
  hasBeam_ = beam != nullptr;
  envelopeRows_.clear();
  showsEnvelope_ = beam && choice.IsEnvelope();
  if (beam) {
    metric_ = beam->Metric;
    results_ = KeptResult(*beam, choice);
    heading_ = beam->Cases.IsDefault() || showsEnvelope_ ? std::string() : choice.label;
    if (!beam->Cases.IsDefault()) {
      const CasedBeam cased = CasedBeam::From(*beam);
      for (const LimitState limit : {LimitState::Ultimate, LimitState::Serviceability}) {
        if (showsEnvelope_ && limit != choice.limit) continue;
        envelopeRows_.push_back({});
        envelopeRows_.push_back({limit == LimitState::Ultimate ? "ULS envelope" : "SLS envelope"});
        const Envelope& e = showsEnvelope_ && shown ? *shown : KeptEnvelope(*beam, limit);
        for (const std::string& line : envelope_text::Lines(cased, e, beam->Metric))
          envelopeRows_.push_back({line});
      }
    }
  } else {
    results_ = {};
    heading_.clear();
  }
  const std::string warning = beam ? SupportSpacing::Warning(*beam) : std::string();
  warning_->setText(QString::fromStdString(warning));
  warning_->setVisible(!warning.empty());
  Fill();
}

void TResultsPanel::SetKilo(bool kilo) { kilo_->setChecked(kilo); }
bool TResultsPanel::Kilo() const { return kilo_->isChecked(); }

void TResultsPanel::SetDeflectionLimit(double limit) {
  if (!limits::IsDeflectionLimit(limit)) return;
  limit_ = limit;
  limitChoice_->setCurrentText(QString("L/%1").arg(limit));
  Fill();
}

// "L/300" or "300"; anything else leaves the limit as it was.
void TResultsPanel::LimitTyped(const QString& text) {
  QString number = text.trimmed();
  if (number.startsWith("L/", Qt::CaseInsensitive)) number = number.mid(2);
  bool ok = false;
  const double limit = number.toDouble(&ok);
  if (!ok || !limits::IsDeflectionLimit(limit) || limit == limit_) return;
  limit_ = limit;
  Fill();
  if (OnLimitChanged) OnLimitChanged(limit_);
}

// The deflection rows follow the forces and moments after an empty row.
std::vector<ExactTable::Row> TResultsPanel::AllRows(bool fullPrecision, bool withEnvelopes) const {
  if (!hasBeam_) return {};
  std::vector<ExactTable::Row> rows;
  if (showsEnvelope_) {
    if (withEnvelopes) rows.insert(rows.end(), envelopeRows_.begin() + 1, envelopeRows_.end());
    return rows;
  }
  if (!heading_.empty()) rows.push_back({heading_});
  const std::vector<ExactTable::Row> table = ExactTable::Rows(results_, metric_, Kilo(), fullPrecision);
  rows.insert(rows.end(), table.begin(), table.end());
  const std::vector<ExactTable::Row> deflections = ExactTable::DeflectionRows(results_, metric_, limit_);
  if (!deflections.empty()) rows.push_back({});
  rows.insert(rows.end(), deflections.begin(), deflections.end());
  if (withEnvelopes) rows.insert(rows.end(), envelopeRows_.begin(), envelopeRows_.end());
  return rows;
}

void TResultsPanel::Fill() {
  kilo_->setText(metric_ ? "kN / kNm" : "kip / kip\u00b7ft");
  const std::vector<ExactTable::Row> rows = AllRows(false, false);
  QString envelopes;
  for (const auto& row : envelopeRows_)
    if (!row.empty()) envelopes += QString::fromStdString(row[0]) + (row[0].ends_with(" envelope") ? ":\n" : "\n");
  envelopes_->setPlainText(envelopes.trimmed());
  envelopes_->setVisible(!envelopes.isEmpty());
  table_->setVisible(!showsEnvelope_);
  std::size_t columns = 1;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  table_->clear();
  table_->clearSpans();
  table_->setRowCount(static_cast<int>(rows.size()));
  table_->setColumnCount(static_cast<int>(columns));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      // Headings read as headings; numbers line up on the right.
      const bool heading =
          rows[r].size() > 1 && (rows[r][0] == "Support" || rows[r][0] == "Result" || rows[r][0] == "Span");
      if (heading) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      } else if (c > 0) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      table_->setItem(r, c, item);
    }
  // A lone message row spans the table instead of widening its first column.
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    if (rows[r].size() == 1 && columns > 1) table_->setSpan(r, 0, 1, static_cast<int>(columns));
  table_->resizeColumnsToContents();
}

QString TResultsPanel::TableText() const {
  if (!hasBeam_) return {};
  return QString::fromStdString(ExactTable::TabSeparated(AllRows(true)));
}

void TResultsPanel::CopyTable() const {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(TableText());
}

bool TResultsPanel::eventFilter(QObject* watched, QEvent* event) {
  // The table would copy its current cell only; the panel copies the whole table.
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopyTable();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TResultsPanel::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
  if (OnClosed) OnClosed();
}

}  // namespace trevan
