#pragma once

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <memory>

#include "TActionList.h"
#include "TDocManager.h"
#include "TDocument.h"

namespace trevan::test {

// A stand-in document window: its content is one line of text, stored as is.
class StandInChild : public QWidget {
 public:
  explicit StandInChild(DialogService& dialogs) : document(std::make_unique<TDocument>(this, dialogs)) {
    document->OnNew = [](TDocument&, bool& ok) { ok = true; };
    document->OnOpen = [this](TDocument& d, bool& opened) {
      QFile f(d.FileName);
      opened = f.open(QIODevice::ReadOnly);
      if (opened) content = QString::fromUtf8(f.readAll());
    };
    document->OnCommit = [this](TDocument& d, bool& ok) {
      QFile f(d.FileName);
      ok = f.open(QIODevice::WriteOnly) && f.write(content.toUtf8()) >= 0;
    };
    document->OnClose = [this](TDocument&) { content.clear(); };
  }
  // The document goes first, while the window it reports to still exists.
  ~StandInChild() override { document.reset(); }

  void Edit(const QString& text) {
    content = text;
    document->SetDirty(true);
  }

  std::unique_ptr<TDocument> document;
  QString content;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!document->CloseQuery()) event->ignore();
  }
};

// A main window with an MDI area, a File menu and a tool bar, wired to a
// document manager as the real one is.
class TestFrame : public QMainWindow {
 public:
  explicit TestFrame(DialogService& dialogs) {
    setWindowTitle("Trevan");
    mdi = new QMdiArea;
    setCentralWidget(mdi);
    actions = new TActionList(this);
    fileMenu = menuBar()->addMenu("&File");
    const char* names[] = {"FileNew", "FileOpen", "FileSave", "FileSaveAs", "FileClose", "FileExit"};
    const char* captions[] = {"&New", "&Open...", "&Save", "S&ave As...", "&Close", "E&xit"};
    for (int i = 0; i < 6; ++i) {
      auto* a = actions->Add(new QAction(captions[i]));
      a->setObjectName(names[i]);
      a->setEnabled(i < 2 || i == 5);
      if (i < 5) fileMenu->addAction(a);
    }
    fileMenu->addSeparator();
    fileMenu->addAction("&Print");
    printPreview = fileMenu->addAction("Print Pre&view");
    fileMenu->addSeparator()->setObjectName("ExitSeparator");
    fileMenu->addAction(actions->Find("FileExit"));
    toolBar = addToolBar("Standard");

    manager = new TDocManager(this, dialogs);
    manager->ActionList = actions;
    manager->Storage.SetKey("Software\\Quillmoor Software\\Trevan\\MRU");
    manager->FileMenuItem = fileMenu;
    manager->ToolBar = toolBar;
    manager->DefaultExt = "tvn";
    manager->Filter = "Trevan documents (*.tvn)|*.tvn";
    manager->OnNewDocument = [this, &dialogs](TDocManager&, TDocument*& document) {
      auto* child = new StandInChild(dialogs);
      mdi->addSubWindow(child)->show();
      document = child->document.get();
    };
    manager->Loaded();
  }

  StandInChild* Child(int i) const {
    const auto windows = mdi->subWindowList(QMdiArea::CreationOrder);
    return i < windows.size() ? static_cast<StandInChild*>(windows[i]->widget()) : nullptr;
  }
  QStringList MenuTexts() const {
    QStringList texts;
    for (QAction* a : fileMenu->actions()) texts << (a->isSeparator() ? "-" : a->text());
    return texts;
  }
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  QMdiArea* mdi;
  TActionList* actions;
  QMenu* fileMenu;
  QAction* printPreview;
  QToolBar* toolBar;
  TDocManager* manager;
};

}  // namespace trevan::test
