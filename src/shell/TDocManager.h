#pragma once

#include <QAction>
#include <QIcon>
#include <QList>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "TQStorage.h"

class QMenu;
class QToolBar;

namespace trevan {

class DialogService;
class TActionList;
class TDocument;
class TQMostRecentlyUsedList;

// The file side of the application: binds the six file commands, owns the
// shared open and save dialogs and the recently-used list, creates
// documents through OnNewDocument and keeps the list of open ones.
class TDocManager : public QObject {
  Q_OBJECT

 public:
  static constexpr int MaxDocuments = 100;
  enum Command { New, Open, Save, SaveAs, Close, Exit, CommandCount };

  using NewDocumentHandler = std::function<void(TDocManager& sender, TDocument*& document)>;

  TDocManager(QWidget* owner, DialogService& dialogs);
  // Closes the documents still open, then stores the recently-used list.
  ~TDocManager() override;

  TActionList* ActionList = nullptr;
  TQStorage Storage;
  QMenu* FileMenuItem = nullptr;
  QToolBar* ToolBar = nullptr;
  QString DefaultExt;
  QString Filter;
  std::array<QString, CommandCount> Hints;
  // Pictures the image indexes refer to.
  QList<QIcon> Images;
  NewDocumentHandler OnNewDocument;
  std::function<void(QObject* sender)> OnClose;
  TDocument* ActiveDocument = nullptr;

  int ImageIndex(Command c) const { return imageIndexes_[c]; }
  void SetImageIndex(Command c, int index);

  // Binds the commands and makes the dialogs and the recently-used list.
  void Loaded();
  TDocument* NewDocument();
  bool OpenDocument(const QString& name);
  TDocument* CreateDocument();
  void Remove(TDocument* document);
  // Asks every modified document, newest first, whether to save it, and
  // carries the answers out only when none was Cancel: a Cancel half way
  // leaves every document as it was. Yes saves (a failed save stops here),
  // No drops the changes. True when every document may now close.
  bool CloseQueryAll();
  bool ExitAll();
  // The open document kept in the file, other than except; none when the
  // file is not open.
  TDocument* FindDocument(const QString& fileName, const TDocument* except = nullptr) const;
  QAction* FindAction(const QString& name) const;
  void RecentlyUsedSelect(QObject* sender, const QString& entry, bool& accept);

  void NewActionExecute(QObject* sender);
  void OpenActionExecute(QObject* sender);
  void SaveActionExecute(QObject* sender);
  void SaveAsActionExecute(QObject* sender);
  void CloseActionExecute(QObject* sender);
  void ExitActionExecute(QObject* sender);

  void AssignActions();
  void CreateActions();
  void CreateMenuItems();
  void CreateToolBarButtons();
  void CreateHints();
  void CreateToolBtn(int imageIndex, const QString& buttonName, QAction* command);

  bool IsMDI() const { return isMdi_; }
  QString Title() const { return title_; }
  QWidget* OwnerWindow() const { return owner_; }
  // None once the area is being destroyed.
  QMdiArea* MdiArea() const { return qobject_cast<QMdiArea*>(mdiArea_.data()); }
  // Child windows of the frame, documents and previews alike.
  int ChildWindowCount() const;
  int DocumentCount() const { return count_; }
  TDocument* Document(int index) const { return index < count_ ? documents_[index] : nullptr; }
  TQMostRecentlyUsedList* RecentList() const { return recentList_.get(); }
  QAction* Command(Command c) const { return commands_[c]; }
  QAction* SaveCommand() const { return commands_[Save]; }
  QAction* SaveAsCommand() const { return commands_[SaveAs]; }
  QAction* CloseCommand() const { return commands_[Close]; }
  // The shared save dialog, opening with the name it held last. A file
  // open in another document's window is refused with a message and
  // answers empty, as a cancel does.
  QString RunSaveDialog(QWidget* parent, const TDocument* saving = nullptr);

  // An existing file's absolute, symlink-resolved path.
  static QString LongPathName(const QString& name);

 private:
  void SetCommandsEnabled(bool closeAndSaveAs);
  // The open document shown in the frame's current child window, if any.
  TDocument* CurrentWindowDocument() const;
  void ShowDocumentWindow(TDocument* document);
  void Bind(enum Command c, QAction* action);

  QPointer<QWidget> owner_;
  QPointer<QObject> mdiArea_;
  bool isMdi_ = false;
  DialogService& dialogs_;
  QString title_;
  std::array<TDocument*, MaxDocuments> documents_{};
  int count_ = 0;
  std::array<QPointer<QAction>, CommandCount> commands_{};
  std::array<int, CommandCount> imageIndexes_{0, -1, -1, -1, -1, -1};
  QPointer<QAction> mruAnchorItem_;
  QPointer<QAction> closeMenuItem_;
  std::unique_ptr<TQMostRecentlyUsedList> recentList_;
  bool dialogsMade_ = false;
  QString lastSaveName_;
};

}  // namespace trevan
