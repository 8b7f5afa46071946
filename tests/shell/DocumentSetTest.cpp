#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FrameFixture.h"
#include "TestFrame.h"

// Several documents open at once: exiting, the file commands after a
// close, and one window a file.
namespace trevan {
namespace {

using test::TestFrame;

class DocumentSetTest : public test::FrameFixture {
 protected:
  static QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  bool Enabled(const char* name) { return Command(name)->isEnabled(); }
  test::StandInChild* Child(int i) { return frame->Child(i); }
  // Three modified documents: Untitled1 to Untitled3.
  void ThreeModified() {
    for (int i = 0; i < 3; ++i) frame->manager->NewDocument();
    for (int i = 0; i < 3; ++i) Child(i)->Edit(QString("edit %1").arg(i + 1));
  }
};

// Exit asks newest first. Each row answers C (Untitled3) and B, then A when
// asked; file names answer the save dialogs that Yes opens.
TEST_F(DocumentSetTest, ExitCarriesOutTheAnswersOnlyWhenNoneCancels) {
  const QString savedC = QDir(files.path()).filePath("c.tvn");
  struct Row {
    const char* name;
    std::deque<DialogButton> answers;
    std::deque<QString> files;
    bool exits;
    std::array<bool, 3> dirtyAfter;  // A, B, C
  };
  using B = DialogButton;
  const Row rows[] = {
      {"No, then Cancel", {B::No, B::Cancel}, {}, false, {true, true, true}},
      {"Yes, then Cancel: nothing saved either", {B::Yes, B::Cancel}, {}, false, {true, true, true}},
      {"Cancel at the last", {B::No, B::No, B::Cancel}, {}, false, {true, true, true}},
      {"Yes with a cancelled save: the No answers stay unsaved",
       {B::Yes, B::No, B::No},
       {""},
       false,
       {true, true, true}},
      {"Yes saved, No, No: everyone may go", {B::Yes, B::No, B::No}, {savedC}, true, {false, false, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QFile::remove(savedC);
    frame = std::make_unique<TestFrame>(dialogs);
    ThreeModified();
    dialogs.asked.clear();
    dialogs.answers = row.answers;
    dialogs.files = row.files;
    EXPECT_EQ(frame->manager->ExitAll(), row.exits);
    TestFrame::Flush();
    EXPECT_TRUE(dialogs.answers.empty());
    EXPECT_TRUE(dialogs.files.empty());
    ASSERT_GE(dialogs.asked.size(), 2u);
    EXPECT_TRUE(dialogs.asked[0].text.contains("Untitled3")) << "newest first";
    EXPECT_TRUE(dialogs.asked[1].text.contains("Untitled2"));
    if (row.exits) {
      EXPECT_EQ(frame->manager->DocumentCount(), 0);
      EXPECT_EQ(Read(savedC), "edit 3");
      continue;
    }
    EXPECT_EQ(frame->manager->DocumentCount(), 3);
    ASSERT_EQ(frame->mdi->subWindowList().size(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Child(i)->document->Dirty(), row.dirtyAfter[i]) << "document " << i;
    EXPECT_FALSE(QFile::exists(savedC)) << "no answer before a Cancel is carried out";
    // Closing later asks again and nothing was dropped.
    dialogs.answers = {B::Cancel};
    frame->mdi->setActiveSubWindow(frame->mdi->subWindowList()[2]);
    Command("FileClose")->trigger();
    EXPECT_EQ(dialogs.asked.back().text, "Changes to Untitled3 have not been saved.\nDo you want to save?");
    EXPECT_EQ(Child(2)->content, "edit 3");
    for (int i = 0; i < 3; ++i) Child(i)->document->SetDirty(false);
  }
}

// The closed window goes after the next one was activated; the survivor's
// commands must not be switched off by the late removal.
TEST_F(DocumentSetTest, TheRemainingDocumentKeepsItsCommandsAfterAClose) {
  for (const bool survivorModified : {true, false}) {
    SCOPED_TRACE(survivorModified ? "modified survivor" : "clean survivor");
    frame = std::make_unique<TestFrame>(dialogs);
    frame->manager->NewDocument();
    frame->manager->NewDocument();
    if (survivorModified) Child(0)->Edit("kept");
    Child(1)->Edit("dropped");
    dialogs.answers = {DialogButton::No};
    Command("FileClose")->trigger();  // the active, newer one
    TestFrame::Flush();
    ASSERT_EQ(frame->manager->DocumentCount(), 1);
    EXPECT_EQ(frame->manager->ActiveDocument, Child(0)->document.get());
    EXPECT_TRUE(Enabled("FileClose"));
    EXPECT_TRUE(Enabled("FileSaveAs"));
    EXPECT_EQ(Enabled("FileSave"), survivorModified);

    if (survivorModified) {
      dialogs.answers = {DialogButton::Cancel};
      Command("FileClose")->trigger();
      TestFrame::Flush();
      EXPECT_EQ(frame->manager->DocumentCount(), 1);
      EXPECT_TRUE(Enabled("FileSave"));
      EXPECT_TRUE(Enabled("FileClose"));
      dialogs.answers = {DialogButton::No};
    }
    Command("FileClose")->trigger();
    TestFrame::Flush();
    EXPECT_EQ(frame->manager->DocumentCount(), 0);
    EXPECT_FALSE(Enabled("FileClose")) << "the last one gone";
    EXPECT_FALSE(Enabled("FileSaveAs"));
    EXPECT_FALSE(Enabled("FileSave"));
  }
}

TEST_F(DocumentSetTest, OpeningAnOpenFileShowsItsWindow) {
  const QString a = File("a.tvn", "first");
  const QString link = QDir(files.path()).filePath("link.tvn");
  ASSERT_TRUE(QFile::link(a, link));
  ASSERT_TRUE(frame->manager->OpenDocument(a));
  frame->manager->NewDocument();
  ASSERT_EQ(frame->mdi->currentSubWindow(), frame->mdi->subWindowList()[1]);
  frame->mdi->subWindowList()[0]->showMinimized();
  for (const QString& name : {a, link, QDir(files.path()).filePath("./a.tvn")}) {
    SCOPED_TRACE(name.toStdString());
    frame->mdi->setActiveSubWindow(frame->mdi->subWindowList()[1]);
    EXPECT_TRUE(frame->manager->OpenDocument(name));
    EXPECT_EQ(frame->manager->DocumentCount(), 2);
    EXPECT_EQ(frame->mdi->subWindowList().size(), 2);
    EXPECT_EQ(frame->mdi->currentSubWindow(), frame->mdi->subWindowList()[0]);
    EXPECT_FALSE(frame->mdi->subWindowList()[0]->isMinimized());
    EXPECT_EQ(frame->manager->ActiveDocument, Child(0)->document.get());
  }
}

TEST_F(DocumentSetTest, SaveAsOntoAFileOpenElsewhereIsRefused) {
  const QString a = File("a.tvn", "first");
  ASSERT_TRUE(frame->manager->OpenDocument(a));
  TDocument* other = frame->manager->NewDocument();
  Child(1)->Edit("second");
  dialogs.files = {a};
  dialogs.answers = {DialogButton::Ok};
  EXPECT_FALSE(other->SaveAs());
  EXPECT_EQ(dialogs.asked.back().text,
            "a.tvn is open in another window.\nClose it there or choose another name.");
  EXPECT_EQ(dialogs.asked.back().caption, "Save");
  EXPECT_EQ(other->FileName, "Untitled2");
  EXPECT_TRUE(other->Dirty());
  EXPECT_EQ(Read(a), "first");

  // Its own file: only the overwrite question, then written.
  TDocument* first = Child(0)->document.get();
  Child(0)->Edit("first, changed");
  dialogs.files = {a};
  dialogs.answers = {DialogButton::Yes};
  EXPECT_TRUE(first->SaveAs());
  EXPECT_EQ(dialogs.asked.back().text, "The file already exists. Overwrite?");
  EXPECT_EQ(Read(a), "first, changed");

  // A file no longer open is free again.
  frame->mdi->setActiveSubWindow(frame->mdi->subWindowList()[0]);
  Command("FileClose")->trigger();
  TestFrame::Flush();
  dialogs.files = {a};
  dialogs.answers = {DialogButton::Yes};
  EXPECT_TRUE(other->SaveAs());
  EXPECT_EQ(Read(a), "second");
}

}  // namespace
}  // namespace trevan
