#include "files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

namespace trevan {

namespace {

namespace fs = std::filesystem;

constexpr int MaxLinkHops = 40;  // as the kernel allows
constexpr int MaxTemporaryAttempts = 100;

std::string Why(int error) { return std::strerror(error); }

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

// write() may take only part of the bytes, or be interrupted.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the new directory entry itself durable; failure here loses nothing
// that the rename has not already done.
void SyncDirectory(const fs::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string WriteInPlace(const fs::path& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return Why(errno);
  // Overwrite first and cut the rest afterwards, so a failed write leaves
  // as much of the old content as possible.
  bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  return ok ? std::string() : Why(error);
}

}  // namespace

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

std::string SafeFileWriter::Replace(const std::string& fileName, std::string_view bytes) {
  std::string error;
  const std::optional<fs::path> resolved = FollowLinks(fs::path(fileName), error);
  if (!resolved) return error;
  const fs::path& target = *resolved;

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return Why(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);

  const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
  long nameMax = ::pathconf(directory.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = 255;

  std::random_device entropy;
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < MaxTemporaryAttempts && fd < 0; ++attempt) {
    temporary =
        directory / TemporaryName(target.filename().string(), entropy(), static_cast<std::size_t>(nameMax));
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno == EEXIST) continue;
    // A directory that takes no new files may still hold a file we may write.
    if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) return WriteInPlace(target, bytes);
    return Why(errno);
  }
  if (fd < 0) return Why(EEXIST);

  bool ok = true;
  if (exists) {
    // The owner first: changing it may clear the set-id bits that fchmod restores.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      // Giving the file back to its owner may be refused; it then stays ours.
      if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) errno = 0;
    }
    ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int failure = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = errno;
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    failure = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return Why(failure);
  }
  SyncDirectory(directory);
  return {};
}

}  // namespace trevan
