#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DialogService.h"
#include "Pictures.h"
#include "ReportWriter.h"
#include "TDocManager.h"
#include "TMainForm.h"
#include "TOptionsForm.h"
#include "TSingleInstance.h"
#include "beam/Beam.h"
#include "hosts/ProgramResources.h"

namespace {

// Options that print and end need no display; give them the off-screen
// platform so they work in a terminal without one.
void UseOffscreenWhenNoWindowIsShown(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "--help-all", "-v", "--version", "--export-report"}) {
      const std::size_t n = std::strlen(option);
      if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == 0 || argv[i][n] == '=')) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return;
      }
    }
  }
}

constexpr int ExitFileError = 2;
constexpr int ExitUsage = 64;

// Without a display the window system's plugin would abort the program.
bool HasDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) return true;
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// Help and version print and end; an unknown option is a usage error.
void ParseOrEnd(QCommandLineParser& parser, const QCommandLineOption& help, const QCommandLineOption& version) {
  if (!parser.parse(QCoreApplication::arguments())) {
    std::fprintf(stderr, "trevan: %s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
    std::exit(ExitUsage);
  }
  if (parser.isSet(help) || parser.isSet("help-all")) parser.showHelp(0);
  if (parser.isSet(version)) parser.showVersion();
}

// The calculation sheet of a beam file, written without a window.
int ExportReport(const QString& beamFile, const QString& pdfFile) {
  trevan::TTrevanDoc beam;
  // A missing file would load as a new empty beam.
  const bool exists = QFileInfo(beamFile).isFile();
  if (!exists || !beam.Load(beamFile.toStdString())) {
    std::fprintf(stderr, "File Error: Error while opening file\ntrevan: %s: %s\n", qPrintable(beamFile),
                 exists ? beam.LastError().c_str() : "no such file");
    return ExitFileError;
  }
  QString error;
  if (!trevan::ReportWriter::Write(beam, trevan::ReportWriter::HeaderFor(beamFile), pdfFile, error)) {
    std::fprintf(stderr, "File Error: %s\n", qPrintable(error));
    return ExitFileError;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  UseOffscreenWhenNoWindowIsShown(argc, argv);
  if (!HasDisplay()) {
    std::fprintf(stderr, "trevan: no display to open windows on (is DISPLAY set?)\n");
    return ExitUsage;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trevan");
  QApplication::setApplicationVersion(QString::fromStdString(trevan::ProgramVersion()));
  QApplication::setOrganizationName("Quillmoor Software");
  QApplication::setDesktopFileName("trevan");
  QApplication::setWindowIcon(QIcon(trevan::ProductPicture()));

  QCommandLineParser parser;
  parser.setApplicationDescription("Trevan, a beam calculator for structural engineers.");
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument("files", "Beams (.tvn) to open.", "[FILE.tvn...]");
  const QCommandLineOption exportReport(
      "export-report", "Write the calculation sheet of FILE.tvn to the PDF file named after it, and end.",
      "FILE.tvn");
  parser.addOption(exportReport);
  ParseOrEnd(parser, help, version);

  if (parser.isSet(exportReport)) {
    if (parser.positionalArguments().size() != 1) {
      std::fprintf(stderr, "usage: trevan --export-report FILE.tvn OUT.pdf\n");
      return ExitUsage;
    }
    trevan::TOptionsForm::ApplyStoredMomentSide();  // the sheet draws moments as the windows do
    return ExportReport(parser.value(exportReport), parser.positionalArguments().first());
  }

  QStringList files;
  for (const QString& file : parser.positionalArguments()) files << QFileInfo(file).absoluteFilePath();

  // A file opened from the file manager joins the program the user already has.
  trevan::TSingleInstance instance;
  if (!files.isEmpty() && instance.SendToRunning(files)) return 0;

  trevan::QtDialogService dialogs;
  trevan::TMainForm window(dialogs, files);
  if (instance.Listen()) {
    QObject::connect(&instance, &trevan::TSingleInstance::FilesReceived, &window,
                     [&window](const QStringList& received) {
                       for (const QString& file : received) window.DocManager1().OpenDocument(file);
                       window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
                       window.raise();
                       window.activateWindow();
                     });
  }
  window.show();
  return QApplication::exec();
}
