#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "RecordingMessages.h"
#include "TempDir.h"
#include "beam/UnitSystem.h"
#include "files/SafeFileWriter.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr uid_t Nobody = 65534;

// Runs the step as an ordinary user, so that permissions count even when
// the tests run as the superuser: in a child process that gives up its
// rights. Answers the step's result.
bool AsOrdinaryUser(const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) ::_exit(2);
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void GiveToOrdinaryUser(const fs::path& path) {
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
  }
}

mode_t ModeOf(const fs::path& path) {
  struct stat s {};
  ::stat(path.c_str(), &s);
  return s.st_mode & 07777;
}

class SaveToDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    window.NewBeam(7);
  }

  std::size_t EntriesIn(const fs::path& folder) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
  }
  static bool Saved(const std::string& file) {
    return TempDir::Read(file).starts_with("Trevan version :11700 ");
  }

  TempDir dir;
  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

TEST_F(SaveToDiskTest, SavingThroughLinksWritesTheirFinalTarget) {
  fs::create_directory(dir.path() / "real");
  const std::string target = dir.Write("real/beam.tvn", "old");
  fs::create_symlink("real/beam.tvn", dir.path() / "near");  // relative to the link's folder
  fs::create_symlink(dir.path() / "near", dir.path() / "far");
  ASSERT_TRUE(window.Save(dir.File("far")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "far"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "near"));
  EXPECT_TRUE(Saved(target));
  EXPECT_EQ(EntriesIn(dir.path() / "real"), 1u) << "no temporary file is left beside the target";

  fs::create_symlink("real/new.tvn", dir.path() / "dangling");  // a link to a file still to be made
  ASSERT_TRUE(window.Save(dir.File("dangling")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
  EXPECT_TRUE(Saved(dir.File("real/new.tvn")));
}

TEST_F(SaveToDiskTest, ALoopOfLinksIsRefused) {
  fs::create_symlink("b", dir.path() / "a");
  fs::create_symlink("a", dir.path() / "b");
  EXPECT_FALSE(window.Save(dir.File("a")));
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "a"));
}

TEST_F(SaveToDiskTest, TheFileKeepsItsPermissions) {
  for (const mode_t mode : {0600, 0640, 0444, 0755}) {
    SCOPED_TRACE(mode);
    const std::string file = dir.Write("beam.tvn", "old");
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    ASSERT_TRUE(window.Save(file));
    EXPECT_TRUE(Saved(file));
    EXPECT_EQ(ModeOf(file), mode);
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    fs::remove(file);
  }
}

TEST_F(SaveToDiskTest, AReadOnlyFolderIsWrittenInPlaceWhenTheFileAllowsIt) {
  const fs::path folder = dir.path() / "locked";
  fs::permissions(dir.path(), fs::perms(0755));
  fs::create_directory(folder);
  const std::string writable = dir.Write("locked/beam.tvn", std::string(5000, 'x'));
  const std::string readOnly = dir.Write("locked/fixed.tvn", "keep");
  GiveToOrdinaryUser(writable);
  ::chmod(readOnly.c_str(), 0444);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

  EXPECT_TRUE(AsOrdinaryUser([&] { return window.Save(writable); }));
  const std::string text = TempDir::Read(writable);
  EXPECT_TRUE(Saved(writable));
  EXPECT_EQ(text.find('x'), std::string::npos) << "the longer old content is cut off";
  EXPECT_FALSE(AsOrdinaryUser([&] { return window.Save(readOnly); }));
  EXPECT_EQ(TempDir::Read(readOnly), "keep");
  EXPECT_FALSE(AsOrdinaryUser([&] { return window.Save((folder / "new.tvn").string()); }));
  EXPECT_EQ(EntriesIn(folder), 2u);
  ::chmod(folder.c_str(), 0755);
}

TEST_F(SaveToDiskTest, ALongNameStillSaves) {
  const std::string name = std::string(246, 'b') + ".tvn";  // 250 bytes
  ASSERT_TRUE(window.Save(dir.File(name)));
  EXPECT_TRUE(Saved(dir.File(name)));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

struct TemporaryNameRow {
  std::string target;
  std::size_t expectedKept;  // bytes of the target's name kept in front
};

class TemporaryNameTest : public ::testing::TestWithParam<TemporaryNameRow> {};

TEST_P(TemporaryNameTest, StaysWithinTheLimitAndCutsNoCharacter) {
  const TemporaryNameRow& row = GetParam();
  const std::string name = SafeFileWriter::TemporaryName(row.target, 0xBEEF, 255);
  EXPECT_LE(name.size(), 255u);
  EXPECT_EQ(name, row.target.substr(0, row.expectedKept) + ".tmp0000beef");
}

// "\xc3\xa9" is one two-byte character; 255 - 12 = 243 bytes are free.
INSTANTIATE_TEST_SUITE_P(
    Names, TemporaryNameTest,
    ::testing::Values(TemporaryNameRow{"beam.tvn", 8}, TemporaryNameRow{std::string(243, 'a'), 243},
                      TemporaryNameRow{std::string(250, 'a'), 243},
                      TemporaryNameRow{"a" + std::string(240, 'b') + "\xc3\xa9xyz", 243},
                      TemporaryNameRow{"ab" + std::string(240, 'b') + "\xc3\xa9xyz", 242},
                      TemporaryNameRow{std::string(255, 'a'), 243}));

}  // namespace
}  // namespace trevan
