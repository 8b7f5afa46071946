#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trevan {

// Replaces the content of a file so that a failure never leaves it half
// written, and so that the file stays what it was to the system: a
// symbolic link keeps pointing at its target, which takes the new content,
// and the file keeps its permissions and, where allowed, its owner.
class SafeFileWriter {
 public:
  // Writes the bytes as the new content of the named file. The empty text
  // on success, else why it failed.
  //
  // The bytes go to a temporary file beside the target, reach the disk and
  // are then renamed over it. Where the directory refuses new files but the
  // file itself may be written, the file is rewritten in place instead.
  static std::string Replace(const std::string& fileName, std::string_view bytes);

  // The name of the temporary file for a target name: the target's name,
  // shortened at a character boundary when needed, then ".tmp" and eight
  // hexadecimal digits, in at most nameMax bytes.
  static std::string TemporaryName(const std::string& targetName, unsigned random, std::size_t nameMax);
};

}  // namespace trevan
