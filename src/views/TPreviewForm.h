#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class QPrinter;
class QPrintPreviewWidget;

namespace trevan {

class TMDIChild;

// "Trevan Print Preview": the pages File | Print sends to the printer, the
// calculation sheet of the window's beam, laid out for the printer's page
// size and drawn anew after every edit.
class TPreviewForm : public QWidget {
  Q_OBJECT

 public:
  explicit TPreviewForm(TMDIChild* target, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  TMDIChild* TargetWindow() const { return target_; }
  void ClearTarget() { target_ = nullptr; }
  QWidget* PaintBox1() const;
  int PageCount() const;

  // The sheet of the window's beam on a printer (or the preview's stand-in
  // for one); false when nothing could be painted.
  static bool PrintSheet(TMDIChild& window, QPrinter& printer);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<TMDIChild> target_;
  std::unique_ptr<QPrinter> printer_;
  QPrintPreviewWidget* preview_;
};

}  // namespace trevan
