#include "TQMostRecentlyUsedList.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <stdexcept>

namespace trevan {

namespace {
constexpr const char* AcceleratorDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool SameName(const QString& a, const QString& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    QChar x = a[i], y = b[i];
    if (x.unicode() < 128) x = x.toLower();
    if (y.unicode() < 128) y = y.toLower();
    if (x != y) return false;
  }
  return true;
}

// Takes an item off every menu at once but frees it later: the item may be
// the one whose click is being handled.
void Dispose(QAction* item) {
  if (!item) return;
  for (QObject* holder : item->associatedObjects())
    if (auto* widget = qobject_cast<QWidget*>(holder)) widget->removeAction(item);
  item->deleteLater();
}

void InsertAtIndex(QMenu* menu, int index, QAction* item) {
  const QList<QAction*> actions = menu->actions();
  if (index >= 0 && index < actions.size())
    menu->insertAction(actions[index], item);
  else
    menu->addAction(item);
}
}  // namespace

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

TQMostRecentlyUsedList::TQMostRecentlyUsedList(QObject* owner) : QObject(owner) {}

TQMostRecentlyUsedList::~TQMostRecentlyUsedList() {
  if (AutoSave) {
    try {
      Save();
    } catch (const std::exception&) {
    }
  }
  destroying_ = true;
  Clear();
  KillSeparator();
}

void TQMostRecentlyUsedList::SetRootMenuItem(QMenu* parentMenu, QAction* root) {
  rootParent_ = parentMenu;
  root_ = root;
}

QAction* TQMostRecentlyUsedList::MakeMenuItem() {
  auto* item = new QAction(this);
  connect(item, &QAction::triggered, this, [this, item] { HandleMenuClick(item); });
  return item;
}

int TQMostRecentlyUsedList::IndexOf(const QString& text) const {
  for (int i = 0; i < GetCount(); ++i)
    if (SameName(entries_[i].text, text)) return i;
  return -1;
}

QAction* TQMostRecentlyUsedList::GetMenuItem(const QString& text) const {
  const int i = IndexOf(text);
  return i < 0 ? nullptr : entries_[i].item.data();
}

QString TQMostRecentlyUsedList::ItemByMenu(const QAction* item) const {
  for (const Entry& e : entries_)
    if (item && e.item == item) return e.text;
  return {};
}

void TQMostRecentlyUsedList::CopyItems(QStringList& target) const {
  target.clear();
  for (const Entry& e : entries_) target << e.text;
}

void TQMostRecentlyUsedList::SortByName() {
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
  });
}

void TQMostRecentlyUsedList::Add(const QString& text) {
  if (text.isEmpty()) return;
  if (IndexOf(text) >= 0) {
    BringToTop(text);
    return;
  }
  Entry entry{text, root_ ? MakeMenuItem() : nullptr};
  if (sortBy_ == skName)
    entries_.append(entry);
  else
    entries_.prepend(entry);
  if (static_cast<quint32>(GetCount()) > MaxItems) TrimList();
  if (sortBy_ == skName) SortByName();
  DoChange();
}

void TQMostRecentlyUsedList::TrimList() {
  while (static_cast<quint32>(GetCount()) > MaxItems) {
    Dispose(entries_.takeLast().item);
  }
}

bool TQMostRecentlyUsedList::Used(const QString& text) {
  const bool present = IndexOf(text) >= 0;
  if (present)
    BringToTop(text);
  else
    Add(text);
  return present;
}

void TQMostRecentlyUsedList::InUse(const QString& text) {
  if (HideInUse) Delete(text);
}

void TQMostRecentlyUsedList::Delete(const QString& text) {
  const int i = IndexOf(text);
  if (i < 0) return;
  Dispose(entries_.takeAt(i).item);
  DoChange();
}

void TQMostRecentlyUsedList::Clear() {
  for (Entry& e : entries_) Dispose(e.item);
  entries_.clear();
  DoChange();
}

void TQMostRecentlyUsedList::BringToTop(const QString& text) {
  if (sortBy_ != skMostRecent) return;
  const int i = IndexOf(text);
  if (i < 0)
    throw std::runtime_error(
        QString("Cannot move %1 to top of MRU - it is not in the MRU").arg(text).toStdString());
  if (i == 0) return;
  entries_.move(i, 0);
  DoChange();
}

void TQMostRecentlyUsedList::SetSortBy(TQMRUSortKind kind) {
  if (kind == sortBy_) return;
  sortBy_ = kind;
  if (sortBy_ == skName) SortByName();
  DoChange();
}

void TQMostRecentlyUsedList::SetMenuKind(TQMRUMenuKind kind) {
  menuKind_ = kind;
  if (menuKind_ != mkInsertWithSeparator && separator_ && root_ == separator_) KillSeparator();
  RefreshMenu();
}

void TQMostRecentlyUsedList::DoChange() {
  if (destroying_) return;
  if (menuKind_ == mkSubMenu && root_) {
    if (entries_.isEmpty()) {
      disabledRoot_ = true;
      root_->setEnabled(false);
    } else if (disabledRoot_) {
      disabledRoot_ = false;
      root_->setEnabled(true);
    }
  } else if (entries_.isEmpty()) {
    KillSeparator();
  } else if (menuKind_ == mkInsertWithSeparator && root_ && root_ != separator_) {
    savedRoot_ = root_;
    if (!separator_) {
      separator_ = new QAction(this);
      separator_->setSeparator(true);  // no caption: some styles would show it
    }
    root_ = separator_;
    AddAfter(separator_, savedRoot_);
  }
  RefreshMenu();
  if (OnChange) OnChange(*this);
}

void TQMostRecentlyUsedList::KillSeparator() {
  if (!separator_) return;
  root_ = savedRoot_;
  Dispose(separator_);
  separator_ = nullptr;
  savedRoot_ = nullptr;
}

QString TQMostRecentlyUsedList::CaptionOf(int index) const {
  const Entry& e = entries_[index];
  const quint32 number = static_cast<quint32>(index) + NumberOffset;
  // A '&' of a file name is a character to show, not an accelerator.
  if (NumberAccelerators && number < 36)
    return QString("&%1 %2").arg(QChar(AcceleratorDigits[number]),
                                 QString(FileNamePart(e.text)).replace('&', "&&"));
  return QString(e.text).replace('&', "&&");
}

void TQMostRecentlyUsedList::RefreshMenu() {
  if (!root_) return;
  for (int i = 0; i < GetCount(); ++i) {
    QAction* item = entries_[i].item;
    if (!item) continue;
    item->setText(CaptionOf(i));
    const bool asChild = menuKind_ == mkSubMenu;
    int r = -1;
    if (!asChild && rootParent_) r = static_cast<int>(rootParent_->actions().indexOf(root_.data()));
    switch (menuKind_) {
      case mkSubMenu:
        AddAt(i, item, root_, true);
        break;
      case mkInsertBefore:
        // Straight in front of the root: counting positions would land an
        // item behind it once the item itself, ahead of the root, is taken out.
        PlaceBefore(item, root_);
        break;
      case mkInsertAfter:
      case mkInsertWithSeparator:
        AddAt(r + i + 1, item, root_, false);
        break;
    }
  }
}

QMenu* TQMostRecentlyUsedList::MenuOf(QAction* root, bool asChild) const {
  if (!asChild) return rootParent_;
  if (!root->menu()) root->setMenu(new QMenu(rootParent_));
  return root->menu();
}

void TQMostRecentlyUsedList::AddAt(int index, QAction* item, QAction* root, bool asChild) {
  if (!item || !root) throw std::runtime_error("AddAt: src or dest is nil");
  QMenu* target = MenuOf(root, asChild);
  if (!target) return;
  if (target->actions().contains(item)) {
    target->removeAction(item);
    InsertAtIndex(target, index, item);
  } else if (index < target->actions().size() - 1) {
    InsertAtIndex(target, index, item);
  } else {
    target->addAction(item);
  }
}

void TQMostRecentlyUsedList::PlaceBefore(QAction* item, QAction* root) {
  if (!item || !root) throw std::runtime_error("AddAt: src or dest is nil");
  if (!rootParent_) return;
  rootParent_->removeAction(item);
  rootParent_->insertAction(root, item);
}

void TQMostRecentlyUsedList::AddAfter(QAction* item, QAction* other) {
  if (!item || !other) throw std::runtime_error("AddAfter: src or dest is nil");
  QMenu* parent = rootParent_;
  if (!parent) return;
  if (parent->actions().contains(item)) parent->removeAction(item);
  const QList<QAction*> actions = parent->actions();
  const int position = static_cast<int>(actions.indexOf(other));
  if (position == actions.size() - 1)
    parent->addAction(item);
  else
    InsertAtIndex(parent, position + 1, item);
}

void TQMostRecentlyUsedList::HandleMenuClick(QAction* item) {
  const QString text = ItemByMenu(item);
  bool accept = true;
  if (OnSelect) OnSelect(*this, text, accept);
  if (accept) InUse(text);
}

void TQMostRecentlyUsedList::Init() {
  if (AutoSave) Load();
  DoChange();
}

void TQMostRecentlyUsedList::Load() {
  const bool wasOpen = Storage.IsOpen();
  Clear();
  if (Storage.Key().isEmpty()) return;
  Storage.Open();
  try {
    for (const qint32 i : IndexesToLoad(Storage.ReadInteger("Count", 0)))
      Add(Storage.ReadString(QString::number(i), {}));
  } catch (...) {
    if (!wasOpen) Storage.Close();
    throw;
  }
  if (!wasOpen) Storage.Close();
}

// Count may claim far more entries than the store holds: only the stored
// ones are read, from the oldest to the newest as Add expects. Newest
// first, only the first MaxItems different names can stay.
QList<qint32> TQMostRecentlyUsedList::IndexesToLoad(qint32 count) const {
  QList<qint32> indexes;
  for (const QString& name : Storage.ValueNames()) {
    bool ok = false;
    const qint32 i = name.toInt(&ok);
    if (ok && i >= 0 && i < count && name == QString::number(i)) indexes << i;
  }
  std::sort(indexes.begin(), indexes.end());
  if (sortBy_ == skMostRecent) {
    QStringList kept;
    qsizetype used = 0;
    for (; used < indexes.size() && static_cast<quint32>(kept.size()) < MaxItems; ++used) {
      const QString text = Storage.ReadString(QString::number(indexes[used]), {});
      if (!text.isEmpty() &&
          std::none_of(kept.cbegin(), kept.cend(), [&](const QString& k) { return SameName(k, text); }))
        kept << text;
    }
    indexes.resize(used);
  }
  std::reverse(indexes.begin(), indexes.end());
  return indexes;
}

void TQMostRecentlyUsedList::Save() {
  if (Storage.Key().isEmpty()) return;
  const bool wasOpen = Storage.IsOpen();
  Storage.Open();
  try {
    Storage.WriteInteger("Count", GetCount());
    for (int i = 0; i < GetCount(); ++i) Storage.WriteString(QString::number(i), entries_[i].text);
  } catch (...) {
    if (!wasOpen) Storage.Close();
    throw;
  }
  if (!wasOpen) Storage.Close();
}

}  // namespace trevan
