// Try the sprite layer: drag the engineering glyphs around the beam.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "TSprite.h"
#include "TSprites.h"

using trevan::Canvas;
using trevan::Rgb;
using trevan::TSprite;
using trevan::TSprites;

namespace {

const QColor Transparent(255, 0, 255);

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Transparent);
  return image;
}

QImage Hinge() {
  QImage image = Blank(24, 24);
  QPainter p(&image);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 200, 200));
  p.drawPolygon(QPolygon({QPoint(12, 2), QPoint(4, 16), QPoint(20, 16)}));
  p.drawLine(1, 17, 23, 17);
  for (int x = 4; x < 24; x += 4) p.drawLine(x, 18, x - 4, 22);
  return image;
}

QImage Clamp() {
  QImage image = Blank(24, 28);
  QPainter p(&image);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(12, 1, 12, 26);
  p.setPen(QPen(Qt::black, 1));
  for (int y = 3; y < 26; y += 4) {
    p.drawLine(11, y, 6, y + 5);
    p.drawLine(13, y, 18, y + 5);
  }
  return image;
}

QImage Force() {
  QImage image = Blank(14, 44);
  QPainter p(&image);
  p.setPen(QPen(QColor(128, 0, 0), 2));
  p.drawLine(7, 1, 7, 41);
  p.drawLine(7, 42, 2, 32);
  p.drawLine(7, 42, 12, 32);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Sprite layer");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("Drag the supports and the force; the pressed one comes to the front."));
  auto* group = new TSprites;
  group->setMinimumSize(480, 200);
  group->OnPaint = [](Canvas& canvas) {
    canvas.SetPenColor(Rgb::FromRgb(210, 210, 210));
    for (int x = 0; x < canvas.Width(); x += 20) {
      canvas.MoveTo(x, 0);
      canvas.LineTo(x, canvas.Height());
    }
    canvas.SetPenColor(Rgb::FromRgb(0, 0, 0));
    for (int dy = 0; dy < 3; ++dy) {
      canvas.MoveTo(20, 100 + dy);
      canvas.LineTo(canvas.Width() - 20, 100 + dy);
    }
  };
  layout->addWidget(group);

  const struct {
    QImage picture;
    int x, y;
  } glyphs[] = {{Hinge(), 30, 103}, {Hinge(), 420, 103}, {Clamp(), 220, 88}, {Force(), 140, 56}};
  for (const auto& g : glyphs) {
    auto* sprite = new TSprite(group);
    sprite->SetTransparentColor(Rgb::FromRgb(255, 0, 255));
    sprite->SetPicture(g.picture);
    sprite->Left = g.x;
    sprite->Top = g.y;
    sprite->SetSpriteGroup(group);
  }
  window.resize(520, 260);
  window.show();
  // The layer lays its picture when it takes its size; the sprites go on top.
  for (int i = 0; i < group->Count(); ++i) group->GetSprite(i)->SetVisible(true);
  return app.exec();
}
