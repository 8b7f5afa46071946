#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <cstring>

#include "DialogService.h"
#include "Pictures.h"
#include "ProgramResources.h"
#include "TDocManager.h"
#include "TMainForm.h"
#include "TSingleInstance.h"

namespace {

// Options that print and end need no display; give them the off-screen
// platform so they work in a terminal without one.
void UseOffscreenWhenNoWindowIsShown(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  UseOffscreenWhenNoWindowIsShown(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trevan");
  QApplication::setApplicationVersion(QString::fromStdString(trevan::ProgramVersion()));
  QApplication::setOrganizationName("Quillmoor Software");
  QApplication::setDesktopFileName("trevan");
  QApplication::setWindowIcon(QIcon(trevan::ProductPicture()));

  QCommandLineParser parser;
  parser.setApplicationDescription("Trevan, a beam calculator for structural engineers.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("files", "Beams (.tvn) to open.", "[FILE.tvn...]");
  parser.process(app);

  QStringList files;
  for (const QString& file : parser.positionalArguments())
    files << QFileInfo(file).absoluteFilePath();

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
