#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>

#include "OrdinaryUser.h"
#include "RecordingMessages.h"
#include "TempDir.h"
#include "beam/UnitSystem.h"
#include "files/SafeFileWriter.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using test::AsOrdinaryUser;
using test::Nobody;

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

// A disk with room for a file of failAfter bytes only, which may refuse to
// reserve room.
struct FailingDisk {
  off_t failAfter = std::numeric_limits<off_t>::max();
  int writeError = ENOSPC;
  int reserveAnswer = 0;

  SafeFileWriter::DiskCalls Calls() const {
    return {[*this](int fd, const void* data, std::size_t size, off_t offset) -> ssize_t {
              if (offset >= failAfter) {
                errno = writeError;
                return -1;
              }
              return ::pwrite(fd, data, std::min<std::size_t>(size, failAfter - offset), offset);
            },
            [*this](int fd, off_t size) { return reserveAnswer ? reserveAnswer : ::posix_fallocate(fd, 0, size); }};
  }
};

struct FailureRow {
  const char* name;
  bool twoNames;  // a hard link: written in place
  FailingDisk disk;
  int expectedError;  // 0: saved
  friend void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.name; }
};

class SaveFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(SaveFailureTest, OldOrNewSurvivesWholeAndEveryNameSeesIt) {
  const FailureRow& row = GetParam();
  TempDir dir;
  const std::string old = std::string(252, 'o');
  const std::string bytes = std::string(9000, 'n');
  const std::string file = dir.Write("beam.tvn", old);
  if (row.twoNames) fs::create_hard_link(file, dir.File("other.tvn"));
  const std::string error = SafeFileWriter::Replace(file, bytes, row.disk.Calls());
  const std::string& expected = row.expectedError ? old : bytes;
  EXPECT_EQ(TempDir::Read(file), expected);
  if (row.twoNames) {
    EXPECT_EQ(TempDir::Read(dir.File("other.tvn")), expected);
    EXPECT_EQ(fs::hard_link_count(file), 2u);
  }
  if (row.expectedError)
    EXPECT_TRUE(error.starts_with(std::strerror(row.expectedError))) << error;
  else
    EXPECT_EQ(error, "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), row.twoNames ? 2 : 1) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Disks, SaveFailureTest,
    ::testing::Values(FailureRow{"Renamed", false, {}, 0}, FailureRow{"InPlace", true, {}, 0},
                      FailureRow{"RenamedDiskFull", false, {.failAfter = 4096}, ENOSPC},
                      FailureRow{"InPlaceNoRoom", true, {.reserveAnswer = ENOSPC}, ENOSPC},
                      FailureRow{"InPlaceUnreservedThenFailing", true,
                                 {.failAfter = 4096, .writeError = EIO, .reserveAnswer = EOPNOTSUPP}, EIO}),
    [](const auto& info) { return std::string(info.param.name); });

// The user's case: a small file in a folder that takes no new files, on a
// disk with no room left. Needs a tmpfs of its own: as the superuser, in a
// private mount namespace.
TEST_F(SaveToDiskTest, AFullDiskUnderAReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs to mount a small filesystem";
  for (int i = 0; i < 200; ++i) window.beam()->AddCharge(charge(0.01 * (i + 1), -1000.0 - i, &window));
  const fs::path mountPoint = dir.path() / "disk";
  fs::create_directory(mountPoint);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0)
      ::_exit(77);
    const fs::path folder = mountPoint / "locked";
    fs::create_directory(folder);
    const std::string old(252, 'o');
    const std::string file = (folder / "beam.tvn").string();
    std::ofstream(file, std::ios::binary) << old;
    if (::chown(file.c_str(), Nobody, Nobody) != 0) ::_exit(3);
    const int filler = ::open((mountPoint / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);
    ::chmod(folder.c_str(), 0555);
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) ::_exit(3);
    const bool saved = window.Save(file);
    const bool kept = TempDir::Read(file) == old;
    ::_exit(!saved && kept ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount a tmpfs here";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the old 252 bytes are gone";
}

TEST_F(SaveToDiskTest, OurLeftoversGoWhenTheFolderIsNextSavedInto) {
  const std::string killed = dir.Write("beam.tvn.tmp0badf00d", std::string(1000, 'k'));
  const std::string running = dir.Write("other.tvn.tmp12345678", "half");
  const std::string notOurs = dir.Write("notes.tmp1234567", "keep");  // seven digits
  const int held = ::open(running.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a save under way in another program
  ASSERT_TRUE(window.Save(dir.File("beam.tvn")));
  ::close(held);
  EXPECT_FALSE(fs::exists(killed));
  EXPECT_TRUE(fs::exists(running));
  EXPECT_TRUE(fs::exists(notOurs));
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
