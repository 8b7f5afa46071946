#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <deque>
#include <functional>

#include "DialogService.h"
#include "TNumberEdit.h"
#include "TStartForm.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace trevan::test {

// Answers the program's questions from a script. A question nobody
// expected fails the test and is answered Cancel, so nothing ever hangs.
class ScriptedDialogs : public DialogService {
 public:
  struct Asked {
    QString text;
    QString caption;
    DialogIcon icon;
    DialogButtons buttons;
  };

  ~ScriptedDialogs() override {
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted message answers were not used";
    EXPECT_TRUE(files.empty()) << files.size() << " scripted file names were not used";
    EXPECT_TRUE(dialogs.empty()) << dialogs.size() << " scripted dialogs were not used";
  }

  DialogButton Message(QWidget*, const QString& text, const QString& caption, DialogIcon icon,
                       DialogButtons buttons) override {
    asked.push_back({text, caption, icon, buttons});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected message: [" << caption.toStdString() << "] " << text.toStdString();
      return DialogButton::Cancel;
    }
    const DialogButton answer = answers.front();
    answers.pop_front();
    return answer;
  }

  QString OpenFileName(QWidget*, const QString&, const QString&) override { return NextFile("open"); }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString& lastName) override {
    lastSaveName = lastName;
    return NextFile("save");
  }

  int Exec(QDialog& dialog) override {
    executed.push_back(dialog.windowTitle());
    if (dialogs.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << dialog.windowTitle().toStdString();
      return QDialog::Rejected;
    }
    auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    return handler(dialog);
  }

  QColor ChooseColor(QWidget*, const QColor&) override {
    if (colours.empty()) {
      ADD_FAILURE() << "unexpected colour dialog";
      return QColor();
    }
    const QColor c = colours.front();
    colours.pop_front();
    return c;
  }

  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    if (printers.empty()) {
      ADD_FAILURE() << "unexpected print dialog";
      return false;
    }
    auto choose = std::move(printers.front());
    printers.pop_front();
    return choose(printer);
  }

  // Answers the next new-project dialog with a length and a unit (0 for m).
  void AnswerNewProject(const QString& length, int unit = 0) {
    dialogs.push_back([length, unit](QDialog& d) {
      auto& form = static_cast<TStartForm&>(d);
      form.Edit1->setText(length);
      form.SetItemIndex(unit);
      return int(QDialog::Accepted);
    });
  }

  std::deque<DialogButton> answers;
  std::deque<std::function<bool(QPrinter&)>> printers;
  std::deque<QString> files;  // an empty name cancels the file dialog
  std::deque<std::function<int(QDialog&)>> dialogs;
  std::deque<QColor> colours;
  std::vector<Asked> asked;
  std::vector<QString> executed;
  QString lastSaveName;

 private:
  QString NextFile(const char* kind) {
    if (files.empty()) {
      ADD_FAILURE() << "unexpected " << kind << " file dialog";
      return {};
    }
    QString f = files.front();
    files.pop_front();
    return f;
  }
};

}  // namespace trevan::test
