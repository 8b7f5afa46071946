#include "TPreviewForm.h"

#include <QCloseEvent>
#include <QPainter>
#include <cmath>

#include "TMDIChild.h"
#include "WindowPicture.h"

namespace trevan {

TPreviewForm::TPreviewForm(TMDIChild* target, QSize printerPage, QWidget* parent)
    : QWidget(parent), target_(target), page_(printerPage) {
  setWindowTitle("Trevan Print Preview");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(696, 480);
  QPalette workspace = palette();
  workspace.setColor(QPalette::Window, palette().color(QPalette::Dark));
  setPalette(workspace);
  setAutoFillBackground(true);
  paintBox_ = new QWidget(this);
  paintBox_->installEventFilter(this);
}

QRect TPreviewForm::PageBox(QSize printerPage, QSize client) {
  const int cw = client.width(), ch = client.height();
  const int PW = printerPage.width(), PH = printerPage.height();
  const int w =
      static_cast<int>(std::llround(static_cast<double>(static_cast<long long>(PW) * (ch - 6)) / PH));
  QSize box;
  if (w < cw)
    box = QSize(w, ch - 6);
  else
    box = QSize(cw - 6, static_cast<int>(
                            std::llround(static_cast<double>(static_cast<long long>(PH) * (cw - 6)) / PW)));
  return QRect(cw / 2 - box.width() / 2 + 3, 3, box.width(), box.height());
}

void TPreviewForm::resizeEvent(QResizeEvent*) {
  paintBox_->setGeometry(PageBox(page_, size()));
  update();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == paintBox_ && event->type() == QEvent::Paint) {
    if (!target_) return true;
    QPainter painter(paintBox_);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(paintBox_->rect().adjusted(0, 0, -1, -1));
    const QSize inner(paintBox_->width() - 10, paintBox_->height() - 10);
    if (inner.width() > 0 && inner.height() > 0) {
      QImage picture(inner, QImage::Format_RGB32);
      picture.fill(Qt::white);
      {
        QPainter onPicture(&picture);
        RenderWindowImage(*target_, onPicture, inner.width(), inner.height());
      }
      painter.drawImage(5, 5, picture);
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
  if (target_ && target_->PreviewWindow == this) target_->PreviewWindow = nullptr;
  target_ = nullptr;
  event->accept();
}

}  // namespace trevan
