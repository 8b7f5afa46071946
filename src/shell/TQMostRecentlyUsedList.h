#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "TQStorage.h"

class QAction;
class QMenu;

namespace trevan {

enum TQMRUMenuKind : std::uint8_t {
  mkInsertBefore = 0,
  mkInsertAfter = 1,
  mkInsertWithSeparator = 2,
  mkSubMenu = 3,
};

enum TQMRUSortKind : std::uint8_t { skName = 0, skMostRecent = 1 };

// A short list of file names, most recent first, shown as numbered menu
// items around a root item and kept in the settings store.
class TQMostRecentlyUsedList : public QObject {
  Q_OBJECT

 public:
  using SelectHandler =
      std::function<void(TQMostRecentlyUsedList& sender, const QString& entry, bool& accept)>;
  using ChangeHandler = std::function<void(TQMostRecentlyUsedList& sender)>;

  explicit TQMostRecentlyUsedList(QObject* owner = nullptr);
  ~TQMostRecentlyUsedList() override;

  TQStorage Storage;
  bool AutoSave = true;
  bool HideInUse = true;
  bool NumberAccelerators = true;
  quint32 NumberOffset = 0;
  quint32 MaxItems = 10;
  SelectHandler OnSelect;
  ChangeHandler OnChange;

  TQMRUSortKind SortBy() const { return sortBy_; }
  void SetSortBy(TQMRUSortKind kind);
  TQMRUMenuKind MenuKind() const { return menuKind_; }
  void SetMenuKind(TQMRUMenuKind kind);
  QAction* RootMenuItem() const { return root_; }
  // The root item and the menu that holds it (for a submenu root, the
  // entries go into root->menu()).
  void SetRootMenuItem(QMenu* parentMenu, QAction* root);

  void Add(const QString& text);
  bool Used(const QString& text);
  void InUse(const QString& text);
  void Delete(const QString& text);
  void Clear();
  // Throws std::runtime_error when the text is not in the list.
  void BringToTop(const QString& text);
  int IndexOf(const QString& text) const;
  QString GetItem(int index) const { return entries_.value(index).text; }
  int GetCount() const { return static_cast<int>(entries_.size()); }
  QAction* GetMenuItem(const QString& text) const;
  QString ItemByMenu(const QAction* item) const;
  void CopyItems(QStringList& target) const;

  void Init();
  void Load();
  void Save();

  // Caption of entry i as the menu shows it.
  QString CaptionOf(int index) const;

 protected:
  virtual void DoChange();

 private:
  struct Entry {
    QString text;
    QPointer<QAction> item;
  };

  QAction* MakeMenuItem();
  void RefreshMenu();
  void KillSeparator();
  void TrimList();
  void SortByName();
  void HandleMenuClick(QAction* item);
  QMenu* MenuOf(QAction* root, bool asChild) const;
  void AddAt(int index, QAction* item, QAction* root, bool asChild);
  void AddAfter(QAction* item, QAction* other);
  void PlaceBefore(QAction* item, QAction* root);
  // The stored entries Load reads, in the order it adds them.
  QList<qint32> IndexesToLoad(qint32 count) const;

  QList<Entry> entries_;
  TQMRUSortKind sortBy_ = skMostRecent;
  TQMRUMenuKind menuKind_ = mkSubMenu;
  QPointer<QAction> root_;
  QPointer<QMenu> rootParent_;
  QPointer<QAction> separator_;
  QPointer<QAction> savedRoot_;
  bool disabledRoot_ = false;
  bool destroying_ = false;
};

// The part of a path after its last separator.
QString FileNamePart(const QString& path);

}  // namespace trevan
