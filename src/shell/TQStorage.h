#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace trevan {

class TQSettingsBackEnd;

enum TQStorageRootKey : std::uint8_t {
  qsrkClassesRoot = 0,
  qsrkLocalMachine = 1,
  qsrkCurrentUser = 2,
  qsrkUsers = 3,
  qsrkCurrentConfig = 4,
  qsrkDynamicData = 5,
};

// A place in the settings store: a root and a key path below it, opened
// and closed around each use. Opening creates the key when it is missing.
class TQStorage {
 public:
  TQStorage();
  ~TQStorage();
  TQStorage(const TQStorage&) = delete;
  TQStorage& operator=(const TQStorage&) = delete;

  const QString& Key() const { return key_; }
  // A new key reopens an open storage there; an empty key leaves it closed.
  void SetKey(const QString& key);
  TQStorageRootKey RegistryRootKey() const { return root_; }
  void SetRegistryRootKey(TQStorageRootKey root);
  bool IsOpen() const { return backEnd_ != nullptr; }

  // Throws std::runtime_error for a blank key.
  void Open();
  // Writes what changed back to the store.
  void Close();

  // The value operations throw std::logic_error on a closed storage.
  QString ReadString(const QString& name, const QString& defaultValue) const;
  void WriteString(const QString& name, const QString& text);
  // The default also when the value is stored as a string.
  qint32 ReadInteger(const QString& name, qint32 defaultValue) const;
  void WriteInteger(const QString& name, qint32 value);
  // The names of the values the key holds.
  QStringList ValueNames() const;

  // Takes the other storage's key and root, and opens when it is open.
  void Assign(const TQStorage& source);

  // The registry name of a root; empty for a value that names none.
  static QString RootName(int root);

 private:
  TQSettingsBackEnd& BackEnd() const;

  QString key_;
  TQStorageRootKey root_ = qsrkCurrentUser;
  std::unique_ptr<TQSettingsBackEnd> backEnd_;
};

// One named text value with a default; opens its storage for every access.
class TQSetting {
 public:
  TQStorage Storage;
  QString KeyName;
  QString DefaultValue;

  QString GetValue();
  void SetValue(const QString& text);
};

}  // namespace trevan
