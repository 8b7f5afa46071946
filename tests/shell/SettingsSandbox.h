#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include "SettingsFile.h"

namespace trevan::test {

// Points the settings store at a fresh temporary file for one test.
class SettingsSandbox {
 public:
  SettingsSandbox() {
    previous_ = qgetenv(SettingsFile::PathVariable);
    qputenv(SettingsFile::PathVariable, Path().toUtf8());
  }
  ~SettingsSandbox() { qputenv(SettingsFile::PathVariable, previous_); }

  QString Path() const { return dir_.filePath("Trevan.conf"); }
  QString Dir() const { return dir_.path(); }
  QString Text() const {
    QFile f(Path());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
};

}  // namespace trevan::test
