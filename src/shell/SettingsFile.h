#pragma once

#include <QMap>
#include <QString>
#include <optional>

namespace trevan {

// One value of the settings store: a string or a 32-bit integer, kept
// apart as the registry keeps them.
struct SettingsValue {
  enum class Kind { String, Integer };
  Kind kind = Kind::String;
  QString text;
  qint32 number = 0;

  static SettingsValue String(const QString& text) { return {Kind::String, text, 0}; }
  static SettingsValue Integer(qint32 number) { return {Kind::Integer, {}, number}; }
  friend bool operator==(const SettingsValue&, const SettingsValue&) = default;
};

// The whole per-user store: key paths (with their root, such as
// "HKEY_CURRENT_USER\Software\...") to named values.
using SettingsTree = QMap<QString, QMap<QString, SettingsValue>>;

// The human-readable file that holds the store in place of the registry.
//
//   [HKEY_CURRENT_USER\Software\Quillmoor Software\Trevan]
//   Metric=sz:1
//   [HKEY_CURRENT_USER\Software\Quillmoor Software\Trevan\MRU]
//   Count=dword:2
//
// Reads and writes happen under a lock file; writes go to a temporary file
// that replaces the store only when complete.
class SettingsFile {
 public:
  static constexpr const char* PathVariable = "TREVAN_SETTINGS";

  // $TREVAN_SETTINGS, else $XDG_CONFIG_HOME (or ~/.config)/Quillmoor Software/Trevan.conf.
  static QString DefaultPath();

  // The tree, or nothing when the file exists but cannot be read. A missing
  // file is an empty tree; lines that cannot be understood are left out
  // and counted.
  static std::optional<SettingsTree> Read(const QString& path, int* malformedLines = nullptr);
  // Empty when written, else why not.
  static QString Write(const QString& path, const SettingsTree& tree);
  // A copy of the file under a name no earlier copy has; false when none was made.
  static bool KeepCopy(const QString& path);

  static QString Serialize(const SettingsTree& tree);
  static SettingsTree Parse(const QString& text, int* malformedLines = nullptr);
};

}  // namespace trevan
