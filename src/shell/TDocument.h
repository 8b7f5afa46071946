#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "DialogService.h"

namespace trevan {

class DialogService;
class TDocManager;

// The lifecycle of one open document: new, open, save, save as, the
// question before unsaved changes are lost, and close. What the document
// holds is its owner's business, reached through five events.
class TDocument : public QObject {
  Q_OBJECT

 public:
  using OkEvent = std::function<void(TDocument& sender, bool& ok)>;

  TDocument(QWidget* owner, DialogService& dialogs);
  // Closes an open document, with its question.
  ~TDocument() override;

  QString FileName;
  bool DirtyAtCreation = false;
  // Weak: a manager going first leaves its documents none.
  QPointer<TDocManager> DocManager;
  OkEvent OnNew;
  OkEvent OnOpen;  // receives and sets the Opened flag
  OkEvent OnCommit;
  std::function<void(TDocument& sender)> OnClose;
  std::function<void(QObject* sender)> OnActivate;

  bool Dirty() const { return dirty_; }
  bool Opened() const { return opened_; }
  QWidget* Owner() const { return owner_; }

  bool New();
  bool Open();
  bool Save();
  bool SaveAs();
  bool CloseQuery();
  // The question of CloseQuery alone, nothing done about the answer: Yes,
  // No or Cancel. A document without unsaved changes answers No unasked.
  DialogButton AskToSave();
  bool Close();
  void Activate(QObject* sender);
  void UpdateCaption();
  void SetDirty(bool value);

 private:
  static bool IsUntitled(const QString& name) { return name.left(8) == "Untitled"; }
  static bool IsReadOnlyFile(const QString& name);
  bool ConfirmReadOnly(const QString& name);

  QPointer<QWidget> owner_;
  DialogService& dialogs_;
  bool dirty_ = false;
  bool opened_ = false;
};

}  // namespace trevan
