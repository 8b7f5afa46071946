#include "files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

namespace trevan {

namespace {

namespace fs = std::filesystem;

constexpr int MaxLinkHops = 40;  // as the kernel allows
constexpr int MaxTemporaryAttempts = 100;
constexpr std::string_view TemporaryMark = ".tmp";
constexpr std::size_t TemporaryDigits = 8;

std::string Why(int error) { return std::strerror(error); }

// Closes on every path out.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// The file a name finally stands for, following symbolic links one by one
// so that a dangling link still names the file it would create.
std::optional<fs::path> FollowLinks(fs::path path, std::string& error) {
  for (int hop = 0; hop <= MaxLinkHops; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    fs::path target = fs::read_symlink(path, ec);
    if (ec) {
      error = ec.message();
      return std::nullopt;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  error = Why(ELOOP);
  return std::nullopt;
}

// A write may take only part of the bytes, or be interrupted.
bool WriteAll(const SafeFileWriter::DiskCalls& disk, int fd, std::string_view bytes) {
  off_t offset = 0;
  while (!bytes.empty()) {
    const ssize_t n = disk.write(fd, bytes.data(), bytes.size(), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

bool ReadAll(int fd, std::string& out) {
  char buffer[65536];
  off_t offset = 0;
  while (true) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
}

// Makes the new directory entry itself durable; failure here loses nothing
// that the rename has not already done.
void SyncDirectory(const fs::path& directory) {
  Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

bool PutContent(const SafeFileWriter::DiskCalls& disk, int fd, std::string_view bytes) {
  return WriteAll(disk, fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         ::fsync(fd) == 0;
}

// Rewrites the file under its own name. Nothing is overwritten before the
// disk has promised room for the new content; where it cannot promise, the
// old content is kept and put back should the writing fail.
std::string WriteInPlace(const SafeFileWriter::DiskCalls& disk, const fs::path& target, std::string_view bytes) {
  Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (fd.get() < 0) return Why(errno);
  std::string old;
  if (!ReadAll(fd.get(), old)) return Why(errno);
  if (bytes.size() > old.size()) {
    const int reserved = disk.reserve(fd.get(), static_cast<off_t>(bytes.size()));
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
      return Why(reserved) + "; the file was left as it was";
  }
  if (PutContent(disk, fd.get(), bytes)) return {};
  const int failure = errno;
  if (PutContent(disk, fd.get(), old)) return Why(failure) + "; the file was left as it was";
  return Why(failure) + "; the old content could not be put back either";
}

struct Temporary {
  fs::path path;
  Descriptor fd;
  int error = 0;
};

// Created exclusively and locked until renamed, so that RemoveLeftovers in
// another program never takes it from under us.
void CreateTemporary(const fs::path& directory, const std::string& targetName, Temporary& temporary) {
  long nameMax = ::pathconf(directory.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = 255;
  std::random_device entropy;
  for (int attempt = 0; attempt < MaxTemporaryAttempts; ++attempt) {
    temporary.path = directory / SafeFileWriter::TemporaryName(targetName, entropy(), static_cast<std::size_t>(nameMax));
    temporary.fd.reset(::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (temporary.fd.get() < 0) {
      if (errno == EEXIST) continue;
      temporary.error = errno;
      return;
    }
    struct stat own {};
    // A cleaner that found it before the lock removed it: take another name.
    if (::flock(temporary.fd.get(), LOCK_EX) == 0 && ::fstat(temporary.fd.get(), &own) == 0 && own.st_nlink > 0)
      return;
  }
  temporary.fd.reset(-1);
  temporary.error = EEXIST;
}

// The lock is held through the rename: the file is never a leftover while ours.
std::string WriteAndRename(const SafeFileWriter::DiskCalls& disk, Temporary& temporary, const fs::path& target,
                           std::string_view bytes, const struct stat* existing) {
  const int fd = temporary.fd.get();
  bool ok = true;
  if (existing) {
    // The owner first: changing it may clear the set-id bits that fchmod restores.
    if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
      // Giving the file back to its owner may be refused; it then stays ours.
      if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) errno = 0;
    }
    ok = ::fchmod(fd, existing->st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(disk, fd, bytes) && ::fsync(fd) == 0 && ::rename(temporary.path.c_str(), target.c_str()) == 0;
  if (!ok) {
    const int failure = errno;
    ::unlink(temporary.path.c_str());
    return Why(failure);
  }
  return {};
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

const SafeFileWriter::DiskCalls& SafeFileWriter::SystemCalls() {
  static const DiskCalls calls{
      [](int fd, const void* data, std::size_t size, off_t offset) { return ::pwrite(fd, data, size, offset); },
      [](int fd, off_t size) { return ::posix_fallocate(fd, 0, size); }};
  return calls;
}

std::string SafeFileWriter::TemporaryName(const std::string& targetName, unsigned random,
                                          std::size_t nameMax) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".tmp%08x", random & 0xFFFFFFFFu);
  const std::size_t suffixLength = std::strlen(suffix);
  std::size_t keep = targetName.size();
  if (keep + suffixLength > nameMax) {
    keep = nameMax > suffixLength ? nameMax - suffixLength : 0;
    // Never cut a UTF-8 sequence: step back over its continuation bytes.
    while (keep > 0 && (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80) --keep;
  }
  return targetName.substr(0, keep) + suffix;
}

bool SafeFileWriter::IsTemporaryName(std::string_view name) {
  const std::size_t suffix = TemporaryMark.size() + TemporaryDigits;
  if (name.size() <= suffix) return false;
  const std::string_view tail = name.substr(name.size() - suffix);
  if (!tail.starts_with(TemporaryMark)) return false;
  for (const char c : tail.substr(TemporaryMark.size()))
    if (!IsHexDigit(c)) return false;
  return true;
}

void SafeFileWriter::RemoveLeftovers(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (!IsTemporaryName(path.filename().string())) continue;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
      continue;
    // A save under way holds its lock; one that was killed holds none.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
  }
}

std::string SafeFileWriter::Replace(const std::string& fileName, std::string_view bytes) {
  return Replace(fileName, bytes, SystemCalls());
}

std::string SafeFileWriter::Replace(const std::string& fileName, std::string_view bytes, const DiskCalls& disk) {
  std::string error;
  const std::optional<fs::path> resolved = FollowLinks(fs::path(fileName), error);
  if (!resolved) return error;
  const fs::path& target = *resolved;

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) return Why(errno);
  if (exists && !S_ISREG(existing.st_mode)) return Why(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);

  const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
  RemoveLeftovers(directory);
  // A rename would leave the other names with the old content.
  if (exists && existing.st_nlink > 1) return WriteInPlace(disk, target, bytes);

  Temporary temporary;
  CreateTemporary(directory, target.filename().string(), temporary);
  if (temporary.fd.get() < 0) {
    // A directory that takes no new files may still hold a file we may write.
    const int e = temporary.error;
    if (exists && (e == EACCES || e == EPERM || e == EROFS || e == ENOSPC || e == EDQUOT))
      return WriteInPlace(disk, target, bytes);
    return Why(e);
  }
  error = WriteAndRename(disk, temporary, target, bytes, exists ? &existing : nullptr);
  if (error.empty()) SyncDirectory(directory);
  return error;
}

}  // namespace trevan
