#include "TPreviewForm.h"

#include <QCloseEvent>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

#include "ReportWriter.h"
#include "TDocument.h"
#include "TMDIChild.h"
#include "analysis/ExactBeam.h"
#include "beam/Beam.h"

namespace trevan {

TPreviewForm::TPreviewForm(TMDIChild* target, QWidget* parent)
    : QWidget(parent), target_(target), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle("Trevan Print Preview");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(696, 480);
  preview_ = new QPrintPreviewWidget(printer_.get(), this);
  preview_->setAccessibleName("Print preview");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(preview_);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    if (target_) PrintSheet(*target_, *printer);
  });
  // Every edit and scale change of the window ends there: the pages follow.
  if (target_) connect(target_, &TMDIChild::AnalysisPending, preview_, &QPrintPreviewWidget::updatePreview);
  preview_->fitToWidth();
}

// The preview widget points at the printer: it goes first.
TPreviewForm::~TPreviewForm() { delete preview_; }

QWidget* TPreviewForm::PaintBox1() const { return preview_; }

int TPreviewForm::PageCount() const { return preview_->pageCount(); }

bool TPreviewForm::PrintSheet(TMDIChild& window, QPrinter& printer) {
  const TTrevanDoc* beam = window.Beam();
  if (!beam) return false;
  ReportWriter::Header header = ReportWriter::HeaderFor(window.Document().FileName);
  header.title = beam->Title;
  header.caseLines = ReportWriter::CaseLines(*beam);
  return ReportWriter::Paint(ExactBeam::From(*beam), beam->Metric, header, printer);
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
  if (target_ && target_->PreviewWindow == this) target_->PreviewWindow = nullptr;
  target_ = nullptr;
  event->accept();
}

}  // namespace trevan
