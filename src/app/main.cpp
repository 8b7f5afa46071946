#include <QApplication>
#include <QStringList>

#include "DialogService.h"
#include "Pictures.h"
#include "TMainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trevan");
  QApplication::setWindowIcon(QIcon(trevan::ProductPicture()));
  QStringList files = QApplication::arguments();
  files.removeFirst();
  trevan::QtDialogService dialogs;
  trevan::TMainForm window(dialogs, files);
  window.show();
  return QApplication::exec();
}
