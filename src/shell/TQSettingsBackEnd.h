#pragma once

#include <QString>
#include <QStringList>

#include "SettingsFile.h"

namespace trevan {

class TQStorage;

// The only class that touches the settings file, in the place the registry
// holds elsewhere. Open takes a snapshot of one key; Close merges this
// back end's writes into the file as it is then, under a lock, so running
// instances only ever overwrite each other's values. A write that is lost
// is reported to the session's SettingsWriteFailures.
class TQSettingsBackEnd {
 public:
  explicit TQSettingsBackEnd(QString storePath) : path_(std::move(storePath)) {}
  ~TQSettingsBackEnd() { Close(); }
  TQSettingsBackEnd(const TQSettingsBackEnd&) = delete;
  TQSettingsBackEnd& operator=(const TQSettingsBackEnd&) = delete;

  // Throws std::runtime_error when the storage's key is blank.
  void Open(const TQStorage& storage);
  void Close();

  bool ReadString(const QString& name, QString& text) const;
  bool WriteString(const QString& name, const QString& text);
  bool ReadInteger(const QString& name, qint32& value) const;
  bool WriteInteger(const QString& name, qint32 value);
  QStringList ValueNames() const { return section_.isEmpty() ? QStringList() : values_.keys(); }

 private:
  QString Merge() const;

  QString path_;
  QString section_;  // empty for a root that names nothing: reads fail, writes are lost
  bool open_ = false;
  bool keyExisted_ = false;
  QMap<QString, SettingsValue> values_;
  QMap<QString, SettingsValue> changes_;
};

}  // namespace trevan
