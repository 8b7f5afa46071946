#pragma once

#include <QWidget>

class QTextBrowser;

namespace trevan {

// The program's help, shipped in its resources, in place of a help file
// viewer: the contents page and the getting-started page at context 100.
class THelpViewer : public QWidget {
  Q_OBJECT

 public:
  static constexpr int GettingStartedContext = 100;

  explicit THelpViewer(QWidget* parent = nullptr);
  void ShowContents();
  void ShowContext(int context);
  QString CurrentPage() const;
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace trevan
