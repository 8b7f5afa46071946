#include "TQStorage.h"

#include <stdexcept>

#include "SettingsFile.h"
#include "TQSettingsBackEnd.h"

namespace trevan {

TQStorage::TQStorage() = default;
TQStorage::~TQStorage() = default;

QString TQStorage::RootName(int root) {
  switch (root) {
    case qsrkClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case qsrkLocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case qsrkCurrentUser:
      return "HKEY_CURRENT_USER";
    case qsrkUsers:
      return "HKEY_USERS";
    case qsrkCurrentConfig:
      return "HKEY_CURRENT_CONFIG";
    case qsrkDynamicData:
      return "HKEY_DYN_DATA";
    default:
      return {};
  }
}

void TQStorage::SetKey(const QString& key) {
  if (key == key_) return;
  key_ = key;
  if (IsOpen()) {
    Close();
    if (!key_.isEmpty()) Open();
  }
}

void TQStorage::SetRegistryRootKey(TQStorageRootKey root) {
  if (root == root_) return;
  root_ = root;
  if (IsOpen()) {
    Close();
    Open();
  }
}

void TQStorage::Open() {
  if (!backEnd_) {
    auto backEnd = std::make_unique<TQSettingsBackEnd>(SettingsFile::DefaultPath());
    backEnd->Open(*this);
    backEnd_ = std::move(backEnd);
  }
}

void TQStorage::Close() { backEnd_.reset(); }

TQSettingsBackEnd& TQStorage::BackEnd() const {
  if (!backEnd_) throw std::logic_error("QStorage not Open");
  return *backEnd_;
}

QString TQStorage::ReadString(const QString& name, const QString& defaultValue) const {
  QString text = defaultValue;
  BackEnd().ReadString(name, text);
  return text;
}

void TQStorage::WriteString(const QString& name, const QString& text) { BackEnd().WriteString(name, text); }

qint32 TQStorage::ReadInteger(const QString& name, qint32 defaultValue) const {
  qint32 value = defaultValue;
  BackEnd().ReadInteger(name, value);
  return value;
}

void TQStorage::WriteInteger(const QString& name, qint32 value) { BackEnd().WriteInteger(name, value); }

QStringList TQStorage::ValueNames() const { return BackEnd().ValueNames(); }

void TQStorage::Assign(const TQStorage& source) {
  if (&source == this) return;
  Close();
  SetKey(source.key_);
  SetRegistryRootKey(source.root_);
  if (source.IsOpen()) Open();
}

QString TQSetting::GetValue() {
  QString value = DefaultValue;
  try {
    Storage.Open();
    value = Storage.ReadString(KeyName, DefaultValue);
  } catch (const std::exception&) {
    value = DefaultValue;
  }
  Storage.Close();
  return value;
}

void TQSetting::SetValue(const QString& text) {
  if (Storage.Key().isEmpty()) return;
  try {
    Storage.Open();
    Storage.WriteString(KeyName, text);
  } catch (const std::exception&) {
  }
  Storage.Close();
}

}  // namespace trevan
