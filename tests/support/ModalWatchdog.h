#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace trevan::test {

// Fails the running test, instead of hanging it, when a modal dialog or a
// popup opens that did not go through the scripted dialog service.
class ModalWatchdog : public QObject {
 public:
  ModalWatchdog() {
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "an unexpected modal window opened: " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->reject();
        else
          modal->close();
      }
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

}  // namespace trevan::test
