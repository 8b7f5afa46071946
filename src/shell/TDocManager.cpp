#include "TDocManager.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "DialogService.h"
#include "TActionList.h"
#include "TDocument.h"
#include "TQMostRecentlyUsedList.h"

namespace trevan {

namespace {
const char* const CommandNames[] = {"FileNew", "FileOpen", "FileSave", "FileSaveAs", "FileClose", "FileExit"};
}

TDocManager::TDocManager(QWidget* owner, DialogService& dialogs)
    : QObject(owner), owner_(owner), dialogs_(dialogs) {
  if (owner) {
    title_ = owner->windowTitle();
    if (auto* frame = qobject_cast<QMainWindow*>(owner))
      mdiArea_ = qobject_cast<QMdiArea*>(frame->centralWidget());
    isMdi_ = mdiArea_ != nullptr;
  }
}

TDocManager::~TDocManager() {
  ExitAll();
  recentList_.reset();
}

void TDocManager::SetImageIndex(enum Command c, int index) {
  imageIndexes_[c] = index;
  if (QAction* a = commands_[c]) a->setIcon(index >= 0 && index < Images.size() ? Images[index] : QIcon());
  static const char* const buttons[] = {"FileNewBtn",    "FileOpenBtn",  "FileSaveBtn",
                                        "FileSaveAsBtn", "FileCloseBtn", "FileExitBtn"};
  if (dialogsMade_) CreateToolBtn(index, buttons[c], commands_[c]);
}

QAction* TDocManager::FindAction(const QString& name) const {
  return ActionList ? ActionList->Find(name) : nullptr;
}

void TDocManager::Bind(enum Command c, QAction* action) {
  commands_[c] = action;
  if (!action) return;
  using Handler = void (TDocManager::*)(QObject*);
  static const Handler handlers[] = {&TDocManager::NewActionExecute,   &TDocManager::OpenActionExecute,
                                     &TDocManager::SaveActionExecute,  &TDocManager::SaveAsActionExecute,
                                     &TDocManager::CloseActionExecute, &TDocManager::ExitActionExecute};
  const Handler handler = handlers[c];
  connect(action, &QAction::triggered, this, [this, handler, action] { (this->*handler)(action); });
}

void TDocManager::AssignActions() {
  for (int c = 0; c < CommandCount; ++c) Bind(static_cast<enum Command>(c), FindAction(CommandNames[c]));
  for (const enum Command c : {New, Open, Exit})
    if (commands_[c]) commands_[c]->setEnabled(true);
}

void TDocManager::Loaded() {
  if (!ActionList) {
    dialogs_.Message(owner_, "DocManager needs an ActionList", "Error", DialogIcon::Warning,
                     DialogButtons::Ok);
    return;
  }
  AssignActions();
  dialogsMade_ = true;
  recentList_ = std::make_unique<TQMostRecentlyUsedList>();
  recentList_->SetMenuKind(mkInsertWithSeparator);
  if (FileMenuItem) {
    const QList<QAction*> items = FileMenuItem->actions();
    for (qsizetype p = 0; p < items.size(); ++p) {
      if (items[p]->objectName() == "ExitSeparator") {
        if (p > 0) mruAnchorItem_ = items[p - 1];
        break;
      }
    }
  }
  recentList_->SetRootMenuItem(FileMenuItem, mruAnchorItem_);
  recentList_->Storage.SetKey(Storage.Key());
  recentList_->Storage.SetRegistryRootKey(Storage.RegistryRootKey());
  recentList_->OnSelect = [this](TQMostRecentlyUsedList& sender, const QString& entry, bool& accept) {
    RecentlyUsedSelect(&sender, entry, accept);
  };
  recentList_->Init();
}

void TDocManager::SetCommandsEnabled(bool closeAndSaveAs) {
  if (commands_[Close]) commands_[Close]->setEnabled(closeAndSaveAs);
  if (commands_[SaveAs]) commands_[SaveAs]->setEnabled(closeAndSaveAs);
}

TDocument* TDocManager::NewDocument() {
  if (!IsMDI() && commands_[Close]) commands_[Close]->trigger();
  if (count_ == MaxDocuments) return nullptr;
  if (!IsMDI() && count_ != 0) return nullptr;
  TDocument* document = CreateDocument();
  if (document && !document->New()) {
    Remove(document);
    return nullptr;
  }
  if (document) SetCommandsEnabled(true);
  return document;
}

int TDocManager::ChildWindowCount() const {
  const QMdiArea* area = MdiArea();
  return area ? static_cast<int>(area->subWindowList().size()) : 0;
}

TDocument* TDocManager::CreateDocument() {
  if (!OnNewDocument) return nullptr;
  TDocument* document = nullptr;
  OnNewDocument(*this, document);
  if (!document) return nullptr;
  document->DocManager = this;
  ActiveDocument = document;
  if (IsMDI() && document->Owner()) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(document->Owner()->parentWidget())) {
      QPointer<TDocument> watched(document);
      QWidget* window = document->Owner();
      connect(sub, &QMdiSubWindow::windowStateChanged, document,
              [watched, window](Qt::WindowStates before, Qt::WindowStates now) {
                if (watched && (now & Qt::WindowActive) && !(before & Qt::WindowActive))
                  watched->Activate(window);
              });
    }
  }
  documents_[count_++] = document;
  return document;
}

QString TDocManager::LongPathName(const QString& name) {
  const QString canonical = QFileInfo(name).canonicalFilePath();
  return canonical;
}

bool TDocManager::OpenDocument(const QString& requested) {
  if (!IsMDI() && commands_[Close]) commands_[Close]->trigger();
  if (count_ == MaxDocuments) return false;
  if (!IsMDI() && count_ != 0) return false;
  QString name = requested;
  if (name.isEmpty()) {
    name = dialogs_.OpenFileName(owner_, Filter, DefaultExt);
    if (name.isEmpty()) return false;
  }
  if (!QFileInfo(name).isFile()) {
    // No drive is removable here, so there is nothing to retry.
    dialogs_.Message(owner_, name + " was not found.\nPlease check the filename.", "Error",
                     DialogIcon::Warning, DialogButtons::Ok);
    return false;
  }
  const QString longName = LongPathName(name);
  if (!longName.isEmpty()) name = longName;
  // Two windows on one file would overwrite each other's saves.
  if (TDocument* open = FindDocument(name)) {
    ShowDocumentWindow(open);
    return true;
  }
  TDocument* document = CreateDocument();
  if (document) {
    document->FileName = name;
    if (!document->Open()) {
      Remove(document);
      return false;
    }
  }
  SetCommandsEnabled(true);
  if (recentList_) recentList_->InUse(name);
  return true;
}

void TDocManager::Remove(TDocument* document) {
  for (int i = 0; i < count_; ++i) {
    if (documents_[i] != document) continue;
    for (int j = i; j + 1 < count_; ++j) documents_[j] = documents_[j + 1];
    documents_[--count_] = nullptr;
    break;
  }
  if (ActiveDocument == document) ActiveDocument = nullptr;
  // A closing window goes after the next one was activated: that
  // document's commands stay as its activation set them.
  if (!ActiveDocument) ActiveDocument = CurrentWindowDocument();
  SetCommandsEnabled(ActiveDocument != nullptr);
  if (commands_[Save]) commands_[Save]->setEnabled(ActiveDocument && ActiveDocument->Dirty());
}

TDocument* TDocManager::CurrentWindowDocument() const {
  const QMdiArea* area = MdiArea();
  const QMdiSubWindow* current = area ? area->currentSubWindow() : nullptr;
  if (!current) return nullptr;
  for (int i = 0; i < count_; ++i) {
    TDocument* document = documents_[i];
    if (document && document->Opened() && document->Owner() && document->Owner()->parentWidget() == current)
      return document;
  }
  return nullptr;
}

void TDocManager::ShowDocumentWindow(TDocument* document) {
  QMdiArea* area = MdiArea();
  auto* sub =
      area && document->Owner() ? qobject_cast<QMdiSubWindow*>(document->Owner()->parentWidget()) : nullptr;
  if (!sub) return;
  if (sub->isMinimized()) sub->showNormal();
  area->setActiveSubWindow(sub);
}

namespace {
// One spelling for a file, existing or not yet.
QString FileKey(const QString& name) {
  const QFileInfo info(name);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

TDocument* TDocManager::FindDocument(const QString& fileName, const TDocument* except) const {
  if (fileName.isEmpty()) return nullptr;
  const QString key = FileKey(fileName);
  for (int i = 0; i < count_; ++i) {
    TDocument* document = documents_[i];
    // Untitled names are no files.
    if (!document || document == except || !document->Opened() || QFileInfo(document->FileName).isRelative())
      continue;
    if (FileKey(document->FileName) == key) return document;
  }
  return nullptr;
}

bool TDocManager::CloseQueryAll() {
  QList<TDocument*> toSave;
  QList<TDocument*> toDrop;
  for (int i = count_ - 1; i >= 0; --i) {
    TDocument* document = documents_[i];
    if (!document || !document->Opened() || !document->Dirty()) continue;
    switch (document->AskToSave()) {
      case DialogButton::Yes:
        toSave.append(document);
        break;
      case DialogButton::No:
        toDrop.append(document);
        break;
      default:
        return false;
    }
  }
  for (TDocument* document : toSave) {
    document->Save();
    if (document->Dirty()) return false;
  }
  for (TDocument* document : toDrop) document->SetDirty(false);
  return true;
}

bool TDocManager::ExitAll() {
  if (!CloseQueryAll()) return false;
  for (int i = count_ - 1; i >= 0; --i) {
    TDocument* document = documents_[i];
    if (!document || !document->Opened()) continue;
    QWidget* window = document->Owner();
    if (!document->Close()) return false;
    if (IsMDI() && window)
      if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) sub->close();
  }
  SetCommandsEnabled(false);
  return true;
}

void TDocManager::RecentlyUsedSelect(QObject*, const QString& entry, bool&) { OpenDocument(entry); }

void TDocManager::NewActionExecute(QObject*) { NewDocument(); }
void TDocManager::OpenActionExecute(QObject*) { OpenDocument(QString()); }
void TDocManager::SaveActionExecute(QObject*) {
  if (ActiveDocument) ActiveDocument->Save();
}
void TDocManager::SaveAsActionExecute(QObject*) {
  if (ActiveDocument) ActiveDocument->SaveAs();
}

void TDocManager::CloseActionExecute(QObject* sender) {
  if (IsMDI()) {
    if (!owner_ || !MdiArea()) return;
    // The current window, even while the application itself is not active.
    if (QMdiSubWindow* current = MdiArea()->currentSubWindow()) current->close();
  } else if (ActiveDocument) {
    ActiveDocument->Close();
  }
  if (OnClose) OnClose(sender);
}

void TDocManager::ExitActionExecute(QObject* sender) {
  if (!IsMDI() && OnClose) OnClose(sender);
  if (owner_) owner_->close();
}

QString TDocManager::RunSaveDialog(QWidget* parent, const TDocument* saving) {
  if (!dialogsMade_) return {};
  const QString chosen = dialogs_.SaveFileName(parent, Filter, DefaultExt, lastSaveName_);
  if (chosen.isEmpty()) return {};
  lastSaveName_ = chosen;
  if (FindDocument(chosen, saving)) {
    dialogs_.Message(
        parent, FileNamePart(chosen) + " is open in another window.\nClose it there or choose another name.",
        "Save", DialogIcon::Warning, DialogButtons::Ok);
    return {};
  }
  return chosen;
}

void TDocManager::CreateActions() {
  if (!ActionList) return;
  struct Definition {
    const char* caption;
    QList<QKeySequence> shortcuts;
    bool enabled;
  };
  const Definition definitions[] = {
      {"&New", {QKeySequence("Ctrl+N")}, true},
      {"&Open...", {QKeySequence("Ctrl+O")}, true},
      {"&Save", {QKeySequence("Ctrl+S")}, false},
      {"S&ave As...", {QKeySequence("Ctrl+Shift+S")}, false},
      {"&Close", {QKeySequence("Ctrl+W"), IsMDI() ? QKeySequence("Ctrl+F4") : QKeySequence()}, false},
      {"E&xit", {QKeySequence("Ctrl+Q"), QKeySequence("Alt+F4")}, true}};
  for (int c = 0; c < CommandCount; ++c) {
    auto* action = new QAction(definitions[c].caption);
    action->setObjectName(CommandNames[c]);
    action->setShortcuts(definitions[c].shortcuts);
    action->setEnabled(definitions[c].enabled);
    action->setProperty("category", "File");
    const QStringList hint = Hints[c].split('|');
    action->setToolTip(hint.value(0));
    action->setStatusTip(hint.value(1, hint.value(0)));
    if (imageIndexes_[c] >= 0 && imageIndexes_[c] < Images.size()) action->setIcon(Images[imageIndexes_[c]]);
    ActionList->Add(action);
    Bind(static_cast<enum Command>(c), action);
  }
}

void TDocManager::CreateMenuItems() {
  if (!FileMenuItem) return;
  static const char* const itemNames[] = {"FileNewItem", "FileOpenItem", "FileSaveItem", "FileSaveAsItem",
                                          "FileCloseItem"};
  for (int c = New; c <= Close; ++c) {
    if (!commands_[c]) continue;
    const QList<QAction*> items = FileMenuItem->actions();
    // The command itself is the menu item; the name marks its place.
    commands_[c]->setProperty("menuItemName", itemNames[c]);
    if (c < items.size())
      FileMenuItem->insertAction(items[c], commands_[c]);
    else
      FileMenuItem->addAction(commands_[c]);
  }
  closeMenuItem_ = commands_[Close];
  QAction* separator = FileMenuItem->addSeparator();
  separator->setObjectName("ExitSeparator");
  if (commands_[Exit]) {
    commands_[Exit]->setProperty("menuItemName", "FileExitMenuItem");
    FileMenuItem->addAction(commands_[Exit]);
  }
}

void TDocManager::CreateToolBtn(int imageIndex, const QString& buttonName, QAction* command) {
  if (!ToolBar) return;
  if (command) command->setIcon(imageIndex >= 0 && imageIndex < Images.size() ? Images[imageIndex] : QIcon());
  QToolButton* existing = ToolBar->findChild<QToolButton*>(buttonName);
  if (existing && imageIndex == -1) {
    for (QAction* a : ToolBar->actions())
      if (ToolBar->widgetForAction(a) == existing) ToolBar->removeAction(a);
  } else if (!existing && imageIndex != -1 && command) {
    const QList<QAction*> actions = ToolBar->actions();
    if (actions.isEmpty())
      ToolBar->addAction(command);
    else
      ToolBar->insertAction(actions.first(), command);
    if (QWidget* button = ToolBar->widgetForAction(command)) button->setObjectName(buttonName);
  }
}

void TDocManager::CreateToolBarButtons() {
  if (!ToolBar) return;
  try {
    if (!ToolBar->actions().isEmpty()) {
      QAction* divider = ToolBar->insertSeparator(ToolBar->actions().first());
      divider->setObjectName("DividerBtn1");
    }
    CreateToolBtn(imageIndexes_[Exit], "FileExitBtn", commands_[Exit]);
    CreateToolBtn(imageIndexes_[Close], "FileCloseBtn", commands_[Close]);
    CreateToolBtn(imageIndexes_[SaveAs], "FileSaveAsBtn", commands_[SaveAs]);
    CreateToolBtn(imageIndexes_[Save], "FileSaveBtn", commands_[Save]);
    CreateToolBtn(imageIndexes_[Open], "FileOpenBtn", commands_[Open]);
    CreateToolBtn(imageIndexes_[New], "FileNewBtn", commands_[New]);
  } catch (const std::exception&) {
  }
}

void TDocManager::CreateHints() {
  QString word = "file";
  if (FileMenuItem) word = FileMenuItem->title().remove('&').toLower();
  const QString hints[] = {"New|Create a new " + word, "Open|Open an existing " + word,
                           "Save|Save this " + word,   "Save as|Save this " + word + " under a new name",
                           "Close|Close this " + word, "Exit|Close " + title_};
  for (int c = 0; c < CommandCount; ++c) {
    QAction* a = commands_[c];
    if (!a || !a->statusTip().isEmpty()) continue;
    const QStringList parts = hints[c].split('|');
    a->setToolTip(parts[0]);
    a->setStatusTip(parts[1]);
  }
}

}  // namespace trevan
