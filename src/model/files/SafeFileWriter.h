#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace trevan {

// Replaces the content of a file so that a failure never leaves it half
// written, and so that the file stays what it was to the system: a
// symbolic link keeps pointing at its target, which takes the new content,
// a file with several names keeps them all, and the file keeps its
// permissions and, where allowed, its owner.
class SafeFileWriter {
 public:
  // The calls that put bytes on the disk; tests replace them to make a
  // disk fill up or fail part way.
  struct DiskCalls {
    std::function<ssize_t(int fd, const void* data, std::size_t size, off_t offset)> write;
    // As posix_fallocate: 0, or the error number.
    std::function<int(int fd, off_t size)> reserve;
  };
  static const DiskCalls& SystemCalls();

  // Writes the bytes as the new content of the named file. The empty text
  // on success, else why it failed; the old content is then still there.
  //
  // The bytes go to a temporary file beside the target, reach the disk and
  // are then renamed over it. Where that cannot be done (the directory
  // refuses new files, or the file has other names that a rename would
  // part from it) the file is rewritten in place, but only once the space
  // for the new content is reserved or the old content is kept to be put
  // back.
  static std::string Replace(const std::string& fileName, std::string_view bytes);
  static std::string Replace(const std::string& fileName, std::string_view bytes, const DiskCalls& disk);

  // The name of the temporary file for a target name: the target's name,
  // shortened at a character boundary when needed, then ".tmp" and eight
  // hexadecimal digits, in at most nameMax bytes.
  static std::string TemporaryName(const std::string& targetName, unsigned random, std::size_t nameMax);
  static bool IsTemporaryName(std::string_view name);
  // Removes the temporary files of ours that an ended program left in the
  // folder; one a running save still holds is kept.
  static void RemoveLeftovers(const std::filesystem::path& folder);
};

}  // namespace trevan
