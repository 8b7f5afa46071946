#include "THelpViewer.h"

#include <QTextBrowser>
#include <QVBoxLayout>

static void InitAppResources() { Q_INIT_RESOURCE(app); }

namespace trevan {

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
  InitAppResources();
  setWindowTitle("Trevan Help");
  resize(560, 520);
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  browser_->setSearchPaths({":/help"});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
}

void THelpViewer::ShowContents() {
  browser_->setSource(QUrl("qrc:/help/contents.html"));
  show();
  raise();
}

void THelpViewer::ShowContext(int context) {
  if (context == GettingStartedContext)
    browser_->setSource(QUrl("qrc:/help/getting-started.html"));
  else
    browser_->setSource(QUrl("qrc:/help/contents.html"));
  show();
  raise();
}

QString THelpViewer::CurrentPage() const { return browser_->source().fileName(); }

}  // namespace trevan
