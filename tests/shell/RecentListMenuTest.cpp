#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>

#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TQMostRecentlyUsedList.h"

namespace trevan {
namespace {

const QString MruKey = "Software\\Quillmoor Software\\Trevan\\MRU";

class RecentListMenuTest : public ::testing::Test {
 protected:
  QStringList Texts() const {
    QStringList texts;
    for (QAction* a : menu.actions()) texts << (a->isSeparator() ? "-" : a->text());
    return texts;
  }
  void Store(const QString& values) {
    QFile f(sandbox.Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("[HKEY_CURRENT_USER\\" + MruKey + "]\n" + values).toUtf8());
  }
  QStringList Loaded(TQMostRecentlyUsedList& list) {
    list.AutoSave = false;
    list.Storage.SetKey(MruKey);
    list.Load();
    QStringList items;
    list.CopyItems(items);
    return items;
  }

  test::SettingsSandbox sandbox;
  QMenu menu;
};

TEST_F(RecentListMenuTest, AnAmpersandInAFileNameIsShownAsItIs) {
  QAction* root = menu.addAction("Print Pre&view");
  TQMostRecentlyUsedList list;
  list.AutoSave = false;
  list.SetMenuKind(mkInsertWithSeparator);
  list.SetRootMenuItem(&menu, root);
  list.Add("/beams/a&b.tvn");
  EXPECT_EQ(list.CaptionOf(0), "&0 a&&b.tvn");
  list.NumberOffset = 40;  // past the accelerators: the full path
  EXPECT_EQ(list.CaptionOf(0), "/beams/a&&b.tvn");
}

TEST_F(RecentListMenuTest, TheSeparatorHasNoCaption) {
  QAction* root = menu.addAction("Print Pre&view");
  TQMostRecentlyUsedList list;
  list.AutoSave = false;
  list.SetMenuKind(mkInsertWithSeparator);
  list.SetRootMenuItem(&menu, root);
  list.Add("/beams/a.tvn");
  ASSERT_EQ(menu.actions().size(), 3);
  EXPECT_TRUE(menu.actions()[1]->isSeparator());
  EXPECT_EQ(menu.actions()[1]->text(), "");
}

// Entries stay in front of the root, newest first, wherever the root stands.
TEST_F(RecentListMenuTest, InsertBeforeKeepsEveryEntryInFrontOfTheRoot) {
  for (const bool rootIsLast : {false, true}) {
    SCOPED_TRACE(rootIsLast ? "root last" : "root in the middle");
    menu.clear();
    menu.addAction("&Open...");
    QAction* root = menu.addAction("Recent");
    if (!rootIsLast) menu.addAction("E&xit");
    TQMostRecentlyUsedList list;
    list.AutoSave = false;
    list.SetMenuKind(mkInsertBefore);
    list.SetRootMenuItem(&menu, root);
    for (const char* name : {"/a.tvn", "/b.tvn", "/c.tvn", "/d.tvn"}) list.Add(name);
    QStringList expected{"&Open...", "&0 d.tvn", "&1 c.tvn", "&2 b.tvn", "&3 a.tvn", "Recent"};
    if (!rootIsLast) expected << "E&xit";
    EXPECT_EQ(Texts(), expected);
    list.Used("/b.tvn");
    expected.replace(1, "&0 b.tvn");
    expected.replace(2, "&1 d.tvn");
    expected.replace(3, "&2 c.tvn");
    EXPECT_EQ(Texts(), expected);
  }
}

TEST_F(RecentListMenuTest, LoadingReadsOnlyTheEntriesThatAreStored) {
  struct Row {
    const char* what;
    QString values;
    QStringList expected;
  };
  QString fifteen = "Count=dword:15\n";
  QStringList newestTen;
  for (int i = 0; i < 15; ++i) fifteen += QString("%1=sz:/f%1.tvn\n").arg(i);
  for (int i = 0; i < 10; ++i) newestTen << QString("/f%1.tvn").arg(i);
  const Row rows[] = {
      {"Count at the 32-bit limit",
       "Count=dword:2147483647\n0=sz:/a.tvn\n1=sz:/b.tvn\n2=sz:/c.tvn\n",
       {"/a.tvn", "/b.tvn", "/c.tvn"}},
      {"a sparse store",
       "Count=dword:40000000\n0=sz:/a.tvn\n5=sz:/b.tvn\n700=sz:/c.tvn\n",
       {"/a.tvn", "/b.tvn", "/c.tvn"}},
      {"entries past Count are not read",
       "Count=dword:2\n0=sz:/a.tvn\n1=sz:/b.tvn\n2=sz:/c.tvn\n",
       {"/a.tvn", "/b.tvn"}},
      {"odd value names",
       "Count=dword:99\n00=sz:/x.tvn\n-1=sz:/y.tvn\n+3=sz:/z.tvn\n1=sz:/a.tvn\n",
       {"/a.tvn"}},
      {"a negative Count", "Count=dword:-5\n0=sz:/a.tvn\n", {}},
      {"more than the list shows", fifteen, newestTen},
      {"duplicates and empty entries",
       "Count=dword:4\n0=sz:/a.tvn\n1=sz:\n2=sz:/A.TVN\n3=sz:/b.tvn\n",
       {"/A.TVN", "/b.tvn"}},  // the older text stays, as Add keeps an entry's own case
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Store(row.values);
    TQMostRecentlyUsedList list;
    EXPECT_EQ(Loaded(list), row.expected);
  }
}

TEST_F(RecentListMenuTest, NameOrderLoadsTheStoredEntriesAsBefore) {
  // Added oldest first, a full name-ordered list refuses the newcomers.
  QString values = "Count=dword:2147483647\n";
  for (int i = 0; i < 12; ++i) values += QString("%1=sz:/f%2.tvn\n").arg(i).arg(QChar('a' + i));
  Store(values);
  TQMostRecentlyUsedList list;
  list.SetSortBy(skName);
  QStringList expected;
  for (int i = 2; i < 12; ++i) expected << QString("/f%1.tvn").arg(QChar('a' + i));
  EXPECT_EQ(Loaded(list), expected);
}

}  // namespace
}  // namespace trevan
