#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TestFrame.h"

namespace trevan::test {

// A stand-in main window and its document manager, with scripted dialogs,
// sandboxed settings and a temporary folder for the files.
class FrameFixture : public ::testing::Test {
 protected:
  // A file of the given content in the temporary folder.
  QString File(const QString& name, const QString& content = "beam") {
    const QString path = QDir(files.path()).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content.toUtf8());
    return path;
  }
  QAction* Command(const char* name) { return frame->actions->Find(name); }

  SettingsSandbox sandbox;
  QTemporaryDir files;
  ScriptedDialogs dialogs;
  std::unique_ptr<TestFrame> frame = std::make_unique<TestFrame>(dialogs);
};

}  // namespace trevan::test
