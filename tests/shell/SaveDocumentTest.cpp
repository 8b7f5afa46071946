#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TQMostRecentlyUsedList.h"
#include "TestFrame.h"

namespace trevan {
namespace {

using test::TestFrame;

// Saving through the document lifecycle, with the writer's answer scripted.
class SaveDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document = frame->manager->NewDocument();
    ASSERT_NE(document, nullptr);
    frame->Child(0)->Edit("changed");
    document->OnCommit = [this](TDocument& d, bool& ok) {
      written << d.FileName;
      ok = writerSucceeds;
    };
  }
  void TearDown() override { document->SetDirty(false); }

  QString Path(const QString& name) const { return QDir(files.path()).filePath(name); }
  QString ReadOnlyFile(const QString& name) const {
    QFile f(Path(name));
    f.open(QIODevice::WriteOnly);
    f.write("old");
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return f.fileName();
  }
  TQMostRecentlyUsedList& Recent() { return *frame->manager->RecentList(); }

  test::SettingsSandbox sandbox;
  QTemporaryDir files;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<TestFrame> frame = std::make_unique<TestFrame>(dialogs);
  TDocument* document = nullptr;
  QStringList written;
  bool writerSucceeds = true;
};

TEST_F(SaveDocumentTest, AFailedSaveAsKeepsTheOldNameCaptionAndRecentList) {
  const QString target = Path("beam.tvn");
  Recent().Add(target);
  writerSucceeds = false;
  dialogs.files = {target};
  EXPECT_FALSE(document->SaveAs());
  EXPECT_EQ(written, QStringList{target}) << "the writer was given the chosen name";
  EXPECT_EQ(document->FileName, "Untitled1");
  EXPECT_EQ(frame->Child(0)->windowTitle(), "Untitled1");
  EXPECT_EQ(Recent().IndexOf(target), 0) << "the list keeps the name the document did not take";
  EXPECT_TRUE(document->Dirty());

  writerSucceeds = true;
  dialogs.files = {target};
  EXPECT_TRUE(document->SaveAs());
  EXPECT_EQ(document->FileName, target);
  EXPECT_EQ(frame->Child(0)->windowTitle(), target);
  EXPECT_EQ(Recent().IndexOf(target), -1) << "an open file is not offered in the list";
  EXPECT_FALSE(document->Dirty());
}

TEST_F(SaveDocumentTest, OverwritingAReadOnlyFileNeedsConfirmation) {
  const QString fixed = ReadOnlyFile("fixed.tvn");
  struct Row {
    const char* how;
    DialogButton answer;
    bool saved;
  };
  for (const Row& row :
       {Row{"Save As, No", DialogButton::No, false}, Row{"Save As, Yes", DialogButton::Yes, true}}) {
    SCOPED_TRACE(row.how);
    written.clear();
    document->SetDirty(true);
    dialogs.files = {fixed};
    dialogs.answers = {row.answer};
    EXPECT_EQ(document->SaveAs(), row.saved);
    EXPECT_EQ(dialogs.asked.back().text, "fixed.tvn is read-only.\nDo you want to overwrite it?");
    EXPECT_EQ(dialogs.asked.back().buttons, DialogButtons::YesNo);
    EXPECT_EQ(written.size(), row.saved ? 1 : 0);
    EXPECT_EQ(document->Dirty(), !row.saved);
  }

  // Now named after the read-only file, a plain Save asks as well.
  const std::size_t asked = dialogs.asked.size();
  for (const Row& row :
       {Row{"Save, No", DialogButton::No, false}, Row{"Save, Yes", DialogButton::Yes, true}}) {
    SCOPED_TRACE(row.how);
    written.clear();
    document->SetDirty(true);
    dialogs.answers = {row.answer};
    EXPECT_EQ(document->Save(), row.saved);
    EXPECT_EQ(written.size(), row.saved ? 1 : 0);
  }
  EXPECT_EQ(dialogs.asked.size(), asked + 2);
}

TEST_F(SaveDocumentTest, AWritableFileIsSavedWithoutAQuestion) {
  QFile f(Path("free.tvn"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  dialogs.files = {f.fileName()};
  dialogs.answers = {DialogButton::Yes};  // the one "already exists" question
  ASSERT_TRUE(document->SaveAs());
  frame->Child(0)->Edit("again");
  EXPECT_TRUE(document->Save());
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

}  // namespace
}  // namespace trevan
