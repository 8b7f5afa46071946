#include "WindowPicture.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "THAxisBox.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TShowForm.h"
#include "TVAxis.h"

namespace trevan {

namespace {
// a × b / c with a 64-bit product, rounded to the nearest integer.
int MulDiv(long long a, long long b, long long c) {
  if (c == 0) return 0;
  return static_cast<int>(std::llround(static_cast<double>(a * b) / static_cast<double>(c)));
}

void SetBackground(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}
}  // namespace

QSize FitPicture(int w, int h, int W, int H) {
  const int dw = MulDiv(w, H, h);
  if (dw < W) return {dw, H};
  return {W, MulDiv(h, W, w)};
}

void RenderWindowImage(TMDIChild& window, QPainter& painter, int W, int H) {
  QWidget* parts[] = {&window,
                      &window.InputForm(),
                      &window.ShowForm(),
                      &window.InputAxis(),
                      &window.ForceAxis(),
                      &window.MomentAxis(),
                      window.HAxisPaintBox().parentWidget()};
  std::vector<QPalette> saved;
  for (QWidget* part : parts) {
    saved.push_back(part->palette());
    SetBackground(*part, Qt::white);
  }
  window.ScrollBar1().hide();
  for (TBackedView* view :
       {static_cast<TBackedView*>(&window.InputForm()), static_cast<TBackedView*>(&window.ShowForm())})
    view->RenderArea(view->ShownArea(&window));
  const QImage picture = window.grab().toImage();
  for (std::size_t i = 0; i < saved.size(); ++i) parts[i]->setPalette(saved[i]);
  window.ScrollBar1().show();
  window.InputForm().RenderNow();
  window.ShowForm().RenderNow();

  if (picture.isNull() || picture.width() == 0 || picture.height() == 0) return;
  const QSize size = FitPicture(picture.width(), picture.height(), W, H);
  // Shrinking averages the pixels, so that lines one pixel thick stay in
  // sight; enlarging for the printer repeats them and keeps them sharp.
  if (size.width() < picture.width())
    painter.drawImage(QPoint(0, 0), picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  else
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
}

}  // namespace trevan
