#include "TExportCommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "DiagramExport.h"
#include "DialogService.h"
#include "ExportFile.h"
#include "ReportWriter.h"
#include "TActionList.h"
#include "TDocument.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TTitleBlockForm.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
#include "files/EnvelopeText.h"
#include "files/ExactCsv.h"

namespace trevan {

TExportCommands::TExportCommands(TMainForm& main, TActionList& actions) : QObject(&main), main_(main) {
  auto add = [&](const char* name, const char* caption, const char* tip, void (TExportCommands::*run)()) {
    QAction* a = actions.Add(new QAction(caption));
    a->setObjectName(name);
    a->setProperty("category", "File");
    a->setStatusTip(tip);
    connect(a, &QAction::triggered, this, run);
    return a;
  };
  report_ = add("FileExportReport1", "Export &Report...", "Write the calculation sheet of this beam as PDF",
                &TExportCommands::ExportReport);
  diagrams_ =
      add("FileExportDiagrams1", "Export &Diagrams...",
          "Write the beam, shear and moment drawings as SVG or PNG", &TExportCommands::ExportDiagrams);
  table_ = add("FileExportTable1", "Export &Table...", "Write the shear and moment along the beam as CSV",
               &TExportCommands::ExportTable);
  properties_ = add("FileProperties1", "Propert&ies...", "The title block of the calculation sheet",
                    &TExportCommands::EditProperties);

  // After Print Preview, in a group of their own.
  if (QMenu* file = main.Menu("&File")) {
    const QList<QAction*> items = file->actions();
    const qsizetype preview = items.indexOf(main.Command("FilePrintPreview1"));
    QAction* before = preview >= 0 && preview + 1 < items.size() ? items[preview + 1] : nullptr;
    file->insertSeparator(before);
    file->insertActions(before, {report_, diagrams_, table_, properties_});
    // Asked when the menu opens: the frame's own signals may come while it is taken apart.
    connect(file, &QMenu::aboutToShow, this, &TExportCommands::UpdateEnabled);
  }
}

void TExportCommands::UpdateEnabled() {
  const TMDIChild* window = main_.ActiveDocumentWindow();
  for (QAction* a : {report_, diagrams_, table_, properties_}) a->setEnabled(window != nullptr);
}

QString TExportCommands::AskFileName(const QString& filter, const QString& extension) {
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (!window || !window->Beam()) return {};
  // The beam's own name, with the export's extension.
  const QFileInfo beam(window->Document().FileName);
  const QString suggested =
      (beam.fileName().isEmpty() ? QString("Untitled") : beam.dir().filePath(beam.completeBaseName())) + "." +
      extension;
  const QString chosen = main_.Dialogs().SaveFileName(&main_, filter, extension, suggested);
  if (chosen.isEmpty()) return {};
  if (QFileInfo::exists(chosen) &&
      main_.Dialogs().Message(&main_, "The file already exists. Overwrite?", "Export", DialogIcon::None,
                              DialogButtons::YesNo) != DialogButton::Yes)
    return {};
  return chosen;
}

void TExportCommands::Failed(const QString& error) {
  main_.Dialogs().Message(&main_, error, "File Error", DialogIcon::Warning, DialogButtons::Ok);
}

// The title block goes with the beam into its file.
void TExportCommands::EditProperties() {
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (!window || !window->Beam()) return;
  TTitleBlockForm form(window->Beam()->Title, &main_);
  if (main_.Dialogs().Exec(form) != QDialog::Accepted) return;
  const TitleBlock title = form.Title();
  if (title == window->Beam()->Title) return;
  window->Beam()->Title = title;
  window->SetDirty(true);
}

void TExportCommands::ExportReport() {
  const QString file = AskFileName("PDF documents (*.pdf)|*.pdf", "pdf");
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (file.isEmpty() || !window || !window->Beam()) return;
  QString error;
  if (!ReportWriter::Write(*window->Beam(), ReportWriter::HeaderFor(window->Document().FileName), file,
                           error))
    Failed(error);
}

void TExportCommands::ExportDiagrams() {
  const QString file = AskFileName("SVG pictures (*.svg)|*.svg|PNG pictures (*.png)|*.png", "svg");
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (file.isEmpty() || !window || !window->Beam()) return;
  QString error;
  if (!DiagramExport::Write(*window->Beam(), file, error, window->Choice())) Failed(error);
}

// The result the window shows: one solution, or an envelope's curves.
void TExportCommands::ExportTable() {
  TMDIChild* window = main_.ActiveDocumentWindow();
  if (!window || !window->Beam()) return;
  const ResultChoice choice = window->Choice();
  const TTrevanDoc& beam = *window->Beam();
  std::string text, problem;
  if (choice.IsEnvelope()) {
    const Envelope& e = KeptEnvelope(beam, choice.limit);
    if (e.solved) text = envelope_text::Csv(e, beam.Metric);
    problem = e.message;
  } else {
    const ExactResults& results = KeptResult(beam, choice);
    if (results.solved) text = ExactCsv::Write(results, beam.Metric);
    problem = results.message;
  }
  if (text.empty()) {
    main_.Dialogs().Message(&main_, QString::fromStdString(problem), "Export Table", DialogIcon::Information,
                            DialogButtons::Ok);
    return;
  }
  const QString file = AskFileName("CSV tables (*.csv)|*.csv", "csv");
  if (file.isEmpty()) return;
  QString error;
  if (!ExportFile::Write(file, QByteArray::fromStdString(text), error)) Failed(error);
}

}  // namespace trevan
