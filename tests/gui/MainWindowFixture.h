#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TDocument.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "beam/UnitSystem.h"

namespace trevan::test {

// The real main window with scripted dialogs and sandboxed settings; each
// suite starts it its own way.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    QGuiApplication::clipboard()->clear();
  }
  // Clean documents close without a question, so none is left asking.
  void TearDown() override {
    if (main) {
      for (TMDIChild* w : main->DocumentWindows()) w->Document().SetDirty(false);
      main.reset();
    }
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QAction* Cmd(const char* name) { return main->Command(name); }
  void Run(const char* name) {
    Cmd(name)->trigger();
    Settle();
    if (pinScales) PinScales();
  }
  TMDIChild* Active() { return main->ActiveDocumentWindow(); }
  TMDIChild* Window(int i) { return main->DocumentWindows().value(i); }
  void Activate(TMDIChild* window) {
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    Settle();
  }
  void Click(TMDIChild* window, int x, int y) {
    TInputForm& view = window->InputForm();
    QTest::mouseMove(&view, QPoint(x, y));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x, y));
    Settle();
  }
  QString File(const QString& name) { return QDir(files.path()).filePath(name); }
  // Windows open fitted to the screen; tests that click at columns and
  // heights put every window at the starting scales, as a user who set them
  // by hand (0.04 m or 0.1 ft a column, 250 N and 500 Nm a pixel).
  void PinScales() {
    if (!main) return;
    Settle();
    for (TMDIChild* w : main->DocumentWindows()) {
      if (!w->Beam() || w->ScaledByHand()) continue;
      w->SetScaledByHand(true);
      w->SetDistanceScale(w->Beam()->Metric ? 0.04 : 0.1);
      w->SetForceScale(250);
      w->SetMomentScale(500);
    }
    Settle();
  }

  bool pinScales = true;
  SettingsSandbox sandbox;
  QTemporaryDir files;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> main;
};

}  // namespace trevan::test
