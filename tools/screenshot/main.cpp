// Takes the README's screenshot: the main window with a beam open, drawn
// offscreen and saved as PNG.  Usage: trevan-screenshot BEAM.tvn OUT.png
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>

#include "DialogService.h"
#include "SettingsFile.h"
#include "TMDIChild.h"
#include "TMainForm.h"

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;  // never the user's own settings
  qputenv(trevan::SettingsFile::PathVariable, settings.filePath("Trevan.conf").toUtf8());
  {
    // A stored list marks this as no first run, so no help window opens.
    QFile conf(settings.filePath("Trevan.conf"));
    conf.open(QIODevice::WriteOnly);
    conf.write("[HKEY_CURRENT_USER\\Software\\Quillmoor Software\\Trevan\\MRU]\nCount=dword:0\n");
  }
  QApplication app(argc, argv);
  trevan::QtDialogService dialogs;
  trevan::TMainForm window(dialogs, {QString::fromLocal8Bit(argv[1])});
  window.resize(1000, 720);
  window.show();
  const QString out = QString::fromLocal8Bit(argv[2]);
  QTimer::singleShot(500, [&] {
    if (QMdiSubWindow* sub = window.MdiArea()->currentSubWindow()) sub->showMaximized();
    // Scales that let a small beam fill the picture.
    for (const char* command : {"ForcesPlusAction", "ForcesPlusAction", "MomentsPlusAction",
                                "MomentsPlusAction", "MomentsPlusAction", "DistancesPlusAction"})
      window.Command(command)->trigger();
    while (window.ApplicationEvents1Idle()) {
    }
  });
  QTimer::singleShot(1500, [&] {
    window.grab().save(out);
    app.quit();
  });
  return QApplication::exec();
}
