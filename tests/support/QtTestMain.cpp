#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ModalWatchdog.h"
#include "SettingsFile.h"

// The widget tests run offscreen, never with the real user's settings, and
// fail rather than hang when a window opens modally behind their back.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv(trevan::SettingsFile::PathVariable, settings.filePath("Trevan.conf").toUtf8());
  QApplication app(argc, argv);
  trevan::test::ModalWatchdog watchdog;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
