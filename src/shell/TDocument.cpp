#include "TDocument.h"

#include <QAction>
#include <QFileInfo>
#include <exception>

#include "DialogService.h"
#include "TDocManager.h"
#include "TQMostRecentlyUsedList.h"

namespace trevan {

TDocument::TDocument(QWidget* owner, DialogService& dialogs) : owner_(owner), dialogs_(dialogs) {}

TDocument::~TDocument() {
  Close();
  // A close refused now cannot keep a destroyed document in the list.
  if (DocManager) DocManager->Remove(this);
}

void TDocument::SetDirty(bool value) {
  dirty_ = value;
  if (DocManager && DocManager->SaveCommand()) DocManager->SaveCommand()->setEnabled(value);
}

bool TDocument::New() {
  bool ok = true;
  if (OnNew) {
    ok = false;
    OnNew(*this, ok);
  }
  if (!ok) return false;
  opened_ = true;
  if (FileName.isEmpty()) {
    if (DocManager && DocManager->IsMDI())
      FileName = "Untitled" + QString::number(DocManager->ChildWindowCount());
    else
      FileName = "Untitled";
  }
  SetDirty(DirtyAtCreation);
  UpdateCaption();
  return true;
}

bool TDocument::Open() {
  if (!DocManager) {
    dialogs_.Message(owner_, "Document has no DocManager", "Error", DialogIcon::Warning, DialogButtons::Ok);
    return false;
  }
  if (opened_) Close();
  SetDirty(false);
  if (OnOpen) {
    try {
      OnOpen(*this, opened_);
    } catch (const std::exception& e) {
      dialogs_.Message(owner_, QString::fromStdString(e.what()), "Error", DialogIcon::Warning,
                       DialogButtons::Ok);
      return false;
    }
    if (!opened_) return false;
    UpdateCaption();
  }
  SetDirty(false);
  return true;
}

bool TDocument::Save() {
  if (!opened_) return false;
  if (IsUntitled(FileName)) return SaveAs();
  if (IsReadOnlyFile(FileName) && !ConfirmReadOnly(FileName)) return false;
  bool ok = false;
  if (OnCommit) OnCommit(*this, ok);
  if (ok) SetDirty(false);
  return ok;
}

// The document takes the new name only once it is written there, so a
// failed save leaves the name, the caption and the recently-used list.
bool TDocument::SaveAs() {
  if (!DocManager) return false;
  const QString chosen = DocManager->RunSaveDialog(owner_, this);
  if (chosen.isEmpty()) return false;
  if (IsReadOnlyFile(chosen)) {
    if (!ConfirmReadOnly(chosen)) return false;
  } else if (QFileInfo::exists(chosen) &&
             dialogs_.Message(owner_, "The file already exists. Overwrite?", "Save", DialogIcon::None,
                              DialogButtons::YesNo) != DialogButton::Yes) {
    return false;
  }
  const QString previous = FileName;
  FileName = chosen;  // the commit handler writes to FileName
  bool ok = false;
  if (OnCommit) OnCommit(*this, ok);
  if (!ok) {
    FileName = previous;
    return false;
  }
  UpdateCaption();
  if (TQMostRecentlyUsedList* recent = DocManager->RecentList()) recent->InUse(FileName);
  SetDirty(false);
  return true;
}

// Write permission alone does not tell: the superuser may write any file,
// yet a file without write bits was made read-only on purpose.
bool TDocument::IsReadOnlyFile(const QString& name) {
  const QFileInfo info(name);
  if (!info.exists() || !info.isFile()) return false;
  const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return !info.isWritable() || !(info.permissions() & anyWrite);
}

bool TDocument::ConfirmReadOnly(const QString& name) {
  return dialogs_.Message(owner_, FileNamePart(name) + " is read-only.\nDo you want to overwrite it?", "Save",
                          DialogIcon::Warning, DialogButtons::YesNo) == DialogButton::Yes;
}

DialogButton TDocument::AskToSave() {
  if (!opened_ || !dirty_) return DialogButton::No;
  const QString text = "Changes to " + FileNamePart(FileName) + " have not been saved.\nDo you want to save?";
  return dialogs_.Message(owner_, text, "Warning", DialogIcon::Warning, DialogButtons::YesNoCancel);
}

bool TDocument::CloseQuery() {
  if (!opened_) return true;
  switch (AskToSave()) {
    case DialogButton::Yes:
      Save();
      if (dirty_) return false;
      break;
    case DialogButton::No:
      break;
    default:
      return false;
  }
  SetDirty(false);
  return true;
}

bool TDocument::Close() {
  if (!opened_) return true;
  if (!CloseQuery()) return false;
  opened_ = false;
  if (OnClose) OnClose(*this);
  SetDirty(false);
  UpdateCaption();
  if (DocManager && DocManager->RecentList() && !FileName.isEmpty() && !IsUntitled(FileName))
    DocManager->RecentList()->Used(FileName);
  if (DocManager) DocManager->Remove(this);
  FileName.clear();
  return true;
}

void TDocument::Activate(QObject* sender) {
  if (DocManager) {
    if (QAction* save = DocManager->SaveCommand()) save->setEnabled(dirty_);
    if (QAction* saveAs = DocManager->SaveAsCommand()) saveAs->setEnabled(true);
    if (QAction* close = DocManager->CloseCommand()) close->setEnabled(true);
    DocManager->ActiveDocument = this;
  }
  if (OnActivate) OnActivate(sender);
}

void TDocument::UpdateCaption() {
  if (!opened_) {
    if (DocManager && !DocManager->IsMDI() && DocManager->OwnerWindow())
      DocManager->OwnerWindow()->setWindowTitle(DocManager->Title());
    return;
  }
  if (!owner_ || !DocManager) return;
  if (DocManager->IsMDI())
    owner_->setWindowTitle(FileName);
  else
    owner_->setWindowTitle(DocManager->Title() + " - " + FileNamePart(FileName));
}

}  // namespace trevan
