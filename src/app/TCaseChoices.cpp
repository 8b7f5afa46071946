#include "TCaseChoices.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>

#include "TMDIChild.h"
#include "TMainForm.h"

namespace trevan {

namespace {
// Sets the items only when they differ, so an open list is left alone.
void SetItems(QComboBox& box, const QStringList& items, int current) {
  QStringList now;
  for (int i = 0; i < box.count(); ++i) now << box.itemText(i);
  if (now != items) {
    box.clear();
    box.addItems(items);
  }
  box.setCurrentIndex(current);
}
}  // namespace

TCaseChoices::TCaseChoices(TMainForm& main) : QObject(&main), main_(main) {
  // A row of its own: the lists are wide and come and go with the beam.
  main.addToolBarBreak();
  bar_ = main.addToolBar("Load Cases");
  bar_->setObjectName("CasesToolBar");
  bar_->setMovable(true);
  active_ = new QComboBox(bar_);
  active_->setObjectName("ActiveCase");
  active_->setAccessibleName("Active load case");
  active_->setToolTip("The load case new loads go into");
  active_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  results_ = new QComboBox(bar_);
  results_->setObjectName("ResultChoice");
  results_->setAccessibleName("Results shown");
  results_->setToolTip("What the diagrams and the results panel show");
  results_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  auto* caseLabel = new QLabel(" Case: ", bar_);
  caseLabel->setBuddy(active_);
  auto* resultsLabel = new QLabel("  Results: ", bar_);
  resultsLabel->setBuddy(results_);
  bar_->addWidget(caseLabel);
  bar_->addWidget(active_);
  bar_->addWidget(resultsLabel);
  bar_->addWidget(results_);
  bar_->hide();

  connect(active_, &QComboBox::activated, this, [this](int index) {
    if (!filling_ && followed_ && index >= 0) followed_->SetActiveCase(static_cast<std::size_t>(index));
  });
  connect(results_, &QComboBox::activated, this, [this](int index) {
    if (!filling_ && followed_ && index >= 0 && static_cast<std::size_t>(index) < choices_.size())
      followed_->SetChoice(choices_[static_cast<std::size_t>(index)]);
  });
  connect(main.MdiArea(), &QMdiArea::subWindowActivated, this,
          [this] { Follow(main_.ActiveDocumentWindow()); });
}

void TCaseChoices::Follow(TMDIChild* window) {
  if (window != followed_) {
    disconnect(edits_);
    followed_ = window;
    // Every edit, the cases' own included, ends in AnalysisPending.
    if (window) edits_ = connect(window, &TMDIChild::AnalysisPending, this, &TCaseChoices::Refresh);
  }
  Refresh();
}

void TCaseChoices::Refresh() {
  const TTrevanDoc* beam = followed_ ? followed_->Beam() : nullptr;
  if (!beam || beam->Cases.IsDefault()) {
    choices_.clear();
    bar_->hide();
    return;
  }
  filling_ = true;
  QStringList cases;
  for (std::size_t c = 0; c < beam->Cases.Count(); ++c) cases << QString::fromStdString(beam->Cases.Label(c));
  SetItems(*active_, cases, static_cast<int>(followed_->ActiveCase()));
  choices_ = ResultChoice::For(beam->Cases);
  const ResultChoice chosen = followed_->Choice();
  QStringList labels;
  int current = 0;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    labels << QString::fromStdString(choices_[i].label);
    if (choices_[i] == chosen) current = static_cast<int>(i);
  }
  SetItems(*results_, labels, current);
  filling_ = false;
  bar_->show();
}

}  // namespace trevan
