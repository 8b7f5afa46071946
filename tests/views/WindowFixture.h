#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "SettingsSandbox.h"
#include "TDocument.h"
#include "TestHost.h"
#include "beam/UnitSystem.h"

namespace trevan::test {

// Document windows of a chosen size and beam, shown, with the analysis run
// to its end.
class WindowFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& w : windows) w->Document().SetDirty(false);
    windows.clear();
  }

  TMDIChild& Open(const QString& length, int unit = 0, QSize size = {900, 700}, QWidget* parent = nullptr) {
    SetApplicationMetric(unit == 0);
    auto window = std::make_unique<TMDIChild>(host, parent);
    host.window = window.get();
    window->resize(size);
    window->show();
    host.AnswerNewProject(length, unit);
    EXPECT_TRUE(window->Document().New());
    windows.push_back(std::move(window));
    Settle();
    return *windows.back();
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  static void RunAnalysis(TMDIChild& window) {
    bool done = false;
    for (int steps = 0; !done && steps < 1'000'000; ++steps) window.IdleStep(done);
    Settle();
  }

  SettingsSandbox sandbox;
  TestHost host;
  std::vector<std::unique_ptr<TMDIChild>> windows;
};

}  // namespace trevan::test
