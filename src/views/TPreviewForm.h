#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

namespace trevan {

class TMDIChild;

// "Trevan Print Preview": the document window's picture on a white page of
// the printer's proportions, drawn anew at every paint.
class TPreviewForm : public QWidget {
  Q_OBJECT

 public:
  TPreviewForm(TMDIChild* target, QSize printerPage, QWidget* parent = nullptr);

  TMDIChild* TargetWindow() const { return target_; }
  void ClearTarget() { target_ = nullptr; }
  QWidget* PaintBox1() const { return paintBox_; }
  // The page box for a client area, after the printer's page proportions.
  static QRect PageBox(QSize printerPage, QSize client);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<TMDIChild> target_;
  QSize page_;
  QWidget* paintBox_;
};

}  // namespace trevan
