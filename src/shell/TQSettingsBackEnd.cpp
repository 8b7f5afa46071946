#include "TQSettingsBackEnd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <filesystem>
#include <stdexcept>

#include "SettingsWriteFailures.h"
#include "TQStorage.h"

namespace trevan {

void TQSettingsBackEnd::Open(const TQStorage& storage) {
  if (open_) return;
  if (storage.Key().isEmpty())
    throw std::runtime_error("Cannot open registry because TQStorage.Key is blank");
  const QString root = TQStorage::RootName(storage.RegistryRootKey());
  section_ = root.isEmpty() ? QString() : root + "\\" + storage.Key();
  if (!section_.isEmpty()) {
    const std::optional<SettingsTree> tree = SettingsFile::Read(path_);
    keyExisted_ = tree && tree->contains(section_);
    if (keyExisted_) values_ = tree->value(section_);
  }
  open_ = true;
}

void TQSettingsBackEnd::Close() {
  if (!open_) return;
  open_ = false;
  if (section_.isEmpty() || (keyExisted_ && changes_.isEmpty())) return;
  if (const QString why = Merge(); !why.isEmpty()) SettingsWriteFailures::Report(why);
  changes_.clear();
}

// This back end's writes into the store as it is now; why not, when they are lost.
QString TQSettingsBackEnd::Merge() const {
  const QString folder = QFileInfo(path_).absolutePath();
  std::error_code ec;
  std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), ec);
  if (ec) return QString("%1: %2").arg(folder, QString::fromLocal8Bit(ec.message()));
  QLockFile lock(path_ + ".lock");
  lock.setStaleLockTime(10000);
  if (!lock.tryLock(5000)) {
    if (lock.error() == QLockFile::LockFailedError) return "another Trevan kept the settings file locked";
    return QString("%1: no lock file can be made there").arg(folder);
  }
  int malformed = 0;
  std::optional<SettingsTree> tree = SettingsFile::Read(path_, &malformed);
  // A store that cannot be read is never replaced.
  if (!tree) return QString("%1 cannot be read").arg(path_);
  // The rewrite drops the lines that could not be understood: keep them
  // beside the new store.
  if (malformed > 0) SettingsFile::KeepCopy(path_);
  QMap<QString, SettingsValue>& key = (*tree)[section_];
  for (auto it = changes_.cbegin(); it != changes_.cend(); ++it) key[it.key()] = it.value();
  return SettingsFile::Write(path_, *tree);
}

bool TQSettingsBackEnd::ReadString(const QString& name, QString& text) const {
  const auto it = values_.constFind(name);
  if (section_.isEmpty() || it == values_.cend() || it->kind != SettingsValue::Kind::String) return false;
  text = it->text;
  return true;
}

bool TQSettingsBackEnd::WriteString(const QString& name, const QString& text) {
  if (section_.isEmpty()) return false;
  values_[name] = changes_[name] = SettingsValue::String(text);
  return true;
}

bool TQSettingsBackEnd::ReadInteger(const QString& name, qint32& value) const {
  const auto it = values_.constFind(name);
  if (section_.isEmpty() || it == values_.cend() || it->kind != SettingsValue::Kind::Integer) return false;
  value = it->number;
  return true;
}

bool TQSettingsBackEnd::WriteInteger(const QString& name, qint32 value) {
  if (section_.isEmpty()) return false;
  values_[name] = changes_[name] = SettingsValue::Integer(value);
  return true;
}

}  // namespace trevan
