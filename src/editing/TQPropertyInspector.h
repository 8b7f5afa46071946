#pragma once

#include <QWidget>
#include <functional>

#include "beam/WatchedObject.h"

class QTableWidget;

namespace trevan {

class MessageService;
class object;

// A tool window of the main window (above it, never above dialogs or other
// programs) that lists the selected object's values as text and hands an
// edited value back to the object, which records it as one undoable change.
class TQPropertyInspector : public QWidget {
  Q_OBJECT

 public:
  TQPropertyInspector(MessageService& messages, QWidget* parent = nullptr);

  // Lists the object's values; none empties the list. The same object
  // again only refreshes the texts, so an edit being committed keeps its cell.
  void ShowObject(object* target);
  object* TargetObject() const { return target_.get(); }
  // Applies the text of a value cell (row 1 is the first property).
  void ValueListEditor1Validate(int row, const QString& value);

  QTableWidget* ValueListEditor1;
  // Called when the user closes the window, so the command loses its check.
  std::function<void()> OnClosed;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetCell(int row, const QString& value);
  bool ListsRowsOf(const object& target) const;

  MessageService& messages_;
  WatchedObject target_;
  static bool Clearing;
};

}  // namespace trevan
