#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FrameFixture.h"
#include "TQMostRecentlyUsedList.h"
#include "TestFrame.h"

namespace trevan {
namespace {

using test::TestFrame;

class DocumentShellTest : public test::FrameFixture {
 protected:
  void CloseActive() {
    Command("FileClose")->trigger();
    TestFrame::Flush();
  }
};

TEST_F(DocumentShellTest, UntitledNumbersCountTheChildWindows) {
  TDocument* first = frame->manager->NewDocument();
  TDocument* second = frame->manager->NewDocument();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->FileName, "Untitled1");
  EXPECT_EQ(second->FileName, "Untitled2");
  EXPECT_EQ(frame->Child(0)->windowTitle(), "Untitled1");
  EXPECT_FALSE(first->Dirty()) << "a new document starts clean";
  EXPECT_TRUE(Command("FileClose")->isEnabled());
  EXPECT_TRUE(Command("FileSaveAs")->isEnabled());
  EXPECT_FALSE(Command("FileSave")->isEnabled());

  frame->mdi->setActiveSubWindow(frame->mdi->subWindowList()[0]);
  CloseActive();  // clean: closes without a question
  EXPECT_EQ(frame->manager->DocumentCount(), 1);
  TDocument* third = frame->manager->NewDocument();
  EXPECT_EQ(third->FileName, "Untitled2") << "the count of windows, even if a name repeats";
}

TEST_F(DocumentShellTest, TheClosePromptHasThreeAnswers) {
  frame->manager->NewDocument();
  test::StandInChild* child = frame->Child(0);
  child->Edit("changed");
  EXPECT_TRUE(Command("FileSave")->isEnabled());

  dialogs.answers = {DialogButton::Cancel};
  CloseActive();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, "Changes to Untitled1 have not been saved.\nDo you want to save?");
  EXPECT_EQ(dialogs.asked[0].caption, "Warning");
  EXPECT_EQ(dialogs.asked[0].buttons, DialogButtons::YesNoCancel);
  EXPECT_EQ(frame->manager->DocumentCount(), 1);

  dialogs.answers = {DialogButton::Yes};
  dialogs.files = {""};  // the Save As dialog is cancelled: the window stays
  CloseActive();
  EXPECT_EQ(frame->manager->DocumentCount(), 1);
  EXPECT_TRUE(frame->Child(0)->document->Dirty());

  dialogs.answers = {DialogButton::No};
  CloseActive();
  EXPECT_EQ(frame->manager->DocumentCount(), 0);
  EXPECT_EQ(frame->mdi->subWindowList().size(), 0);
}

TEST_F(DocumentShellTest, SavingAnUntitledDocumentGoesThroughSaveAs) {
  TDocument* document = frame->manager->NewDocument();
  frame->Child(0)->Edit("first version");
  const QString target = QDir(files.path()).filePath("beam.tvn");
  dialogs.files = {target};
  Command("FileSave")->trigger();
  EXPECT_EQ(document->FileName, target);
  EXPECT_EQ(frame->Child(0)->windowTitle(), target);
  EXPECT_FALSE(document->Dirty());
  frame->Child(0)->Edit("second version");
  Command("FileSave")->trigger();  // no dialog this time
  QFile f(target);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "second version");

  // The shared save dialog opens with the name it held last.
  dialogs.files = {""};
  Command("FileSaveAs")->trigger();
  EXPECT_EQ(dialogs.lastSaveName, target);
}

TEST_F(DocumentShellTest, DecliningToOverwriteChangesNothing) {
  const QString existing = File("taken.tvn", "old");
  TDocument* document = frame->manager->NewDocument();
  frame->Child(0)->Edit("new");
  dialogs.files = {existing};
  dialogs.answers = {DialogButton::No};
  EXPECT_FALSE(document->SaveAs());
  EXPECT_EQ(dialogs.asked.back().text, "The file already exists. Overwrite?");
  EXPECT_EQ(dialogs.asked.back().caption, "Save");
  EXPECT_EQ(document->FileName, "Untitled1");
  EXPECT_TRUE(document->Dirty());
  QFile f(existing);
  f.open(QIODevice::ReadOnly);
  EXPECT_EQ(f.readAll(), "old");
  frame->Child(0)->document->SetDirty(false);
}

TEST_F(DocumentShellTest, RecentlyUsedFilesFollowTheClosedDocuments) {
  for (const char* name : {"a.tvn", "b.tvn", "c.tvn"}) {
    ASSERT_TRUE(frame->manager->OpenDocument(File(name)));
    CloseActive();
  }
  const QStringList menu = frame->MenuTexts();
  const auto at = menu.indexOf("Print Pre&view");
  ASSERT_GE(at, 0);
  EXPECT_EQ(menu.mid(at + 1), (QStringList{"-", "&0 c.tvn", "&1 b.tvn", "&2 a.tvn", "-", "E&xit"}));

  // Opening one takes it out of the list while it is open.
  const QString b = frame->manager->RecentList()->GetItem(1);
  frame->manager->RecentList()->GetMenuItem(b)->trigger();
  EXPECT_EQ(frame->manager->DocumentCount(), 1);
  EXPECT_EQ(frame->manager->RecentList()->GetCount(), 2);
  EXPECT_EQ(frame->Child(0)->content, "beam");
  CloseActive();
  EXPECT_EQ(frame->manager->RecentList()->GetItem(0), b);
}

TEST_F(DocumentShellTest, AMissingRecentFileIsReportedAndLeavesTheList) {
  const QString gone = File("gone.tvn");
  ASSERT_TRUE(frame->manager->OpenDocument(gone));
  CloseActive();
  QFile::remove(gone);
  dialogs.answers = {DialogButton::Ok};
  frame->manager->RecentList()->GetMenuItem(gone)->trigger();
  EXPECT_EQ(dialogs.asked.back().text, gone + " was not found.\nPlease check the filename.");
  EXPECT_EQ(dialogs.asked.back().caption, "Error");
  EXPECT_EQ(frame->manager->RecentList()->GetCount(), 0);
  EXPECT_FALSE(frame->MenuTexts().contains("&0 gone.tvn"));
}

TEST_F(DocumentShellTest, FilesOpenUnderTheirResolvedPath) {
  const QString real = File("real.tvn");
  const QString link = QDir(files.path()).filePath("link.tvn");
  ASSERT_TRUE(QFile::link(real, link));
  ASSERT_TRUE(frame->manager->OpenDocument(link));
  EXPECT_EQ(frame->Child(0)->document->FileName, QFileInfo(real).canonicalFilePath());
}

TEST_F(DocumentShellTest, ExitClosesNewestFirstAndStopsAtACancel) {
  frame->manager->NewDocument();
  frame->manager->NewDocument();
  frame->manager->NewDocument();
  frame->Child(1)->Edit("B changed");
  frame->Child(2)->Edit("C changed");
  dialogs.answers = {DialogButton::No, DialogButton::Cancel};  // C discards, B cancels
  EXPECT_FALSE(frame->manager->ExitAll());
  TestFrame::Flush();
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_TRUE(dialogs.asked[0].text.contains("Untitled3"));
  EXPECT_TRUE(dialogs.asked[1].text.contains("Untitled2"));
  // Answers before a Cancel change nothing: C is still open and unsaved.
  EXPECT_EQ(frame->manager->DocumentCount(), 3);
  EXPECT_EQ(frame->mdi->subWindowList().size(), 3);
  EXPECT_TRUE(frame->Child(2)->document->Dirty());

  dialogs.answers = {DialogButton::No, DialogButton::No};
  EXPECT_TRUE(frame->manager->ExitAll());
  TestFrame::Flush();
  EXPECT_EQ(frame->manager->DocumentCount(), 0);
  EXPECT_EQ(frame->mdi->subWindowList().size(), 0);
}

TEST_F(DocumentShellTest, AnErrorEscapingTheOpenHandlerIsShown) {
  frame->manager->OnNewDocument = [this](TDocManager&, TDocument*& document) {
    auto* child = new test::StandInChild(dialogs);
    child->document->OnOpen = [](TDocument&, bool&) { throw std::runtime_error("disk on fire"); };
    frame->mdi->addSubWindow(child)->show();
    document = child->document.get();
  };
  dialogs.answers = {DialogButton::Ok};
  EXPECT_FALSE(frame->manager->OpenDocument(File("x.tvn")));
  EXPECT_EQ(dialogs.asked.back().text, "disk on fire");
  EXPECT_EQ(dialogs.asked.back().caption, "Error");
  EXPECT_EQ(frame->manager->DocumentCount(), 0);
}

// The list on its own.
class RecentListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    menu.addAction("&Open...");
    root = menu.addAction("Print Pre&view");
    menu.addSeparator();
    menu.addAction("E&xit");
    list.Storage.SetKey("Software\\Quillmoor Software\\Trevan\\MRU");
    list.SetMenuKind(mkInsertWithSeparator);
    list.SetRootMenuItem(&menu, root);
  }
  QStringList Texts() const {
    QStringList texts;
    for (QAction* a : menu.actions()) texts << (a->isSeparator() ? "-" : a->text());
    return texts;
  }

  test::SettingsSandbox sandbox;
  QMenu menu;
  QAction* root;
  TQMostRecentlyUsedList list;
};

TEST_F(RecentListTest, LookUpIgnoresCaseAndKeepsTheStoredText) {
  list.Add("/beams/a.tvn");
  list.Add("/beams/b.tvn");
  list.Add("/BEAMS/A.TVN");
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(0), "/beams/a.tvn");
  EXPECT_THROW(list.BringToTop("/nowhere.tvn"), std::runtime_error);
}

TEST_F(RecentListTest, TheEleventhPushesTheOldestOutAndTheListSurvivesARestart) {
  for (int i = 0; i < 11; ++i) list.Add(QString("/beams/%1.tvn").arg(i));
  ASSERT_EQ(list.GetCount(), 10);
  EXPECT_EQ(list.GetItem(0), "/beams/10.tvn");
  EXPECT_EQ(list.IndexOf("/beams/0.tvn"), -1);
  EXPECT_EQ(Texts().filter(".tvn").size(), 10);
  list.Save();

  TQMostRecentlyUsedList restarted;
  restarted.Storage.SetKey("Software\\Quillmoor Software\\Trevan\\MRU");
  restarted.AutoSave = false;
  restarted.Load();
  QStringList before, after;
  list.CopyItems(before);
  restarted.CopyItems(after);
  EXPECT_EQ(after, before);
}

TEST_F(RecentListTest, CaptionsNumberFromTheOffsetUpTo36) {
  list.NumberOffset = 33;
  for (int i = 0; i < 4; ++i) list.Add(QString("/beams/%1.tvn").arg(i));
  EXPECT_EQ(list.CaptionOf(0), "&X 3.tvn");
  EXPECT_EQ(list.CaptionOf(2), "&Z 1.tvn");
  EXPECT_EQ(list.CaptionOf(3), "/beams/0.tvn") << "no accelerator from 36 on";
}

TEST_F(RecentListTest, TheSeparatorComesAndGoesWithTheEntries) {
  const QStringList empty = Texts();
  list.Add("/beams/a.tvn");
  EXPECT_EQ(Texts(), (QStringList{"&Open...", "Print Pre&view", "-", "&0 a.tvn", "-", "E&xit"}));
  bool accepted = false;
  QString chosen;
  list.OnSelect = [&](TQMostRecentlyUsedList&, const QString& entry, bool& accept) {
    chosen = entry;
    accepted = accept;
  };
  list.GetMenuItem("/beams/a.tvn")->trigger();
  EXPECT_EQ(chosen, "/beams/a.tvn");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(list.GetCount(), 0) << "a chosen entry leaves the list";
  EXPECT_EQ(Texts(), empty);
  list.Add("/beams/b.tvn");
  EXPECT_EQ(Texts().indexOf("&0 b.tvn"), 3);
}

TEST_F(RecentListTest, AnEmptySubmenuIsDisabled) {
  QMenu bar;
  QAction* recent = bar.addAction("Recent");
  TQMostRecentlyUsedList sub;
  sub.AutoSave = false;
  sub.SetRootMenuItem(&bar, recent);
  sub.Add("/beams/a.tvn");
  ASSERT_NE(recent->menu(), nullptr);
  EXPECT_EQ(recent->menu()->actions().size(), 1);
  sub.Delete("/beams/a.tvn");
  EXPECT_FALSE(recent->isEnabled());
  sub.Add("/beams/b.tvn");
  EXPECT_TRUE(recent->isEnabled());
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// The set-up operations generate the file commands for a bare command list.
TEST(DocManagerSetUpTest, CreatesCommandsMenuItemsButtonsAndHints) {
  test::SettingsSandbox sandbox;
  test::ScriptedDialogs dialogs;
  QMainWindow frame;
  frame.setWindowTitle("Trevan");
  frame.setCentralWidget(new QMdiArea);
  TActionList actions;
  QMenu fileMenu("&File");
  QToolBar toolBar;
  toolBar.addAction("Cut");
  TDocManager manager(&frame, dialogs);
  manager.ActionList = &actions;
  manager.FileMenuItem = &fileMenu;
  manager.ToolBar = &toolBar;
  manager.Images = {QIcon(), QIcon(), QIcon()};
  manager.SetImageIndex(TDocManager::Open, 1);
  manager.SetImageIndex(TDocManager::Save, 2);

  manager.CreateActions();
  manager.CreateMenuItems();
  manager.CreateToolBarButtons();
  manager.CreateHints();

  QAction* close = actions.Find("FileClose");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), "&Close");
  EXPECT_TRUE(close->shortcuts().contains(QKeySequence("Ctrl+W")));
  EXPECT_TRUE(close->shortcuts().contains(QKeySequence("Ctrl+F4")));
  EXPECT_TRUE(actions.Find("FileExit")->shortcuts().contains(QKeySequence("Ctrl+Q")));
  EXPECT_EQ(actions.Find("FileSaveAs")->shortcut(), QKeySequence("Ctrl+Shift+S"));
  EXPECT_FALSE(close->isEnabled());
  EXPECT_EQ(actions.Find("FileOpen")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(actions.Find("FileNew")->statusTip(), "Create a new file");
  EXPECT_EQ(actions.Find("FileSaveAs")->statusTip(), "Save this file under a new name");
  EXPECT_EQ(actions.Find("FileExit")->statusTip(), "Close Trevan");

  QStringList menu;
  for (QAction* a : fileMenu.actions()) menu << (a->isSeparator() ? a->objectName() : a->text());
  EXPECT_EQ(menu,
            (QStringList{"&New", "&Open...", "&Save", "S&ave As...", "&Close", "ExitSeparator", "E&xit"}));

  QStringList bar;
  for (QAction* a : toolBar.actions()) bar << (a->isSeparator() ? "|" : a->text());
  EXPECT_EQ(bar, (QStringList{"&New", "&Open...", "&Save", "|", "Cut"}))
      << "only commands with an image get a button";
  EXPECT_NE(toolBar.findChild<QWidget*>("FileOpenBtn"), nullptr);

  manager.CreateToolBtn(-1, "FileOpenBtn", actions.Find("FileOpen"));
  EXPECT_FALSE(toolBar.actions().contains(actions.Find("FileOpen")));
}

}  // namespace
}  // namespace trevan
