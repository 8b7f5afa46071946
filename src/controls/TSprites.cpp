#include "TSprites.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "TSprite.h"

namespace trevan {

void ShowControlMessage(const QString& text, const QString& caption) {
  QMessageBox::warning(nullptr, caption, text, QMessageBox::Ok);
}

TSprites::TSprites(QWidget* parent) : QWidget(parent), ShowMessage(ShowControlMessage), canvas_(105, 105) {
  resize(105, 105);
  for (int i = 0; i < MaxSprites; ++i) zOrder_[i] = i;
  canvas_.Fill(TColorOf(Color));
  setMouseTracking(false);
}

TSprites::~TSprites() {
  // The sprites outlive the group only as loose pictures.
  for (int i = 0; i < count_; ++i) sprites_[i]->DetachFromGroup();
}

TSprite* TSprites::Add(TSprite* sprite) {
  if (!sprite) return nullptr;
  if (sprite->SpriteGroup() == this) return sprite;
  if (count_ >= MaxSprites) return nullptr;
  // A sprite in two groups would be left behind in one when it dies.
  if (TSprites* previous = sprite->SpriteGroup()) previous->RemoveSprite(sprite);
  sprites_[count_++] = sprite;
  sprite->group_ = this;
  return sprite;
}

bool TSprites::RemoveSprite(TSprite* sprite) {
  const int index =
      static_cast<int>(std::find(sprites_.begin(), sprites_.begin() + count_, sprite) - sprites_.begin());
  if (index >= count_) return false;
  sprite->SetVisible(false);
  sprite->DetachFromGroup();
  std::copy(sprites_.begin() + index + 1, sprites_.begin() + count_, sprites_.begin() + index);
  // The z-order forgets the sprite and follows the renumbering.
  const int position =
      static_cast<int>(std::find(zOrder_.begin(), zOrder_.begin() + count_, index) - zOrder_.begin());
  std::copy(zOrder_.begin() + position + 1, zOrder_.begin() + count_, zOrder_.begin() + position);
  --count_;
  sprites_[count_] = nullptr;
  zOrder_[count_] = count_;
  for (int p = 0; p < count_; ++p)
    if (zOrder_[p] > index) --zOrder_[p];
  if (selected_ == index) {
    selected_ = -1;
    dragging_ = false;
  } else if (selected_ > index) {
    --selected_;
  }
  return true;
}

void TSprites::HideSprites() {
  for (int p = count_ - 1; p >= 0; --p) sprites_[zOrder_[p]]->SetVisible(false);
}

void TSprites::Paint() {
  canvas_.Fill(TColorOf(Color));
  if (OnPaint) OnPaint(canvas_);
  for (int p = count_ - 1; p >= 0; --p) sprites_[zOrder_[p]]->Redraw(canvas_);
  update();
}

void TSprites::BringToFront(int index) {
  if (count_ == 0 || zOrder_[0] == index) return;
  const int position =
      static_cast<int>(std::find(zOrder_.begin(), zOrder_.begin() + count_, index) - zOrder_.begin());
  if (position >= count_) return;
  std::copy_backward(zOrder_.begin(), zOrder_.begin() + position, zOrder_.begin() + position + 1);
  zOrder_[0] = index;
  const int touched = position + 1;

  Rect region{0, 0, 1, 1};
  for (int p = 0; p < touched; ++p) {
    const Rect b = sprites_[zOrder_[p]]->GetBounds();
    region.Right = std::max(region.Right, b.Right);
    region.Bottom = std::max(region.Bottom, b.Bottom);
  }
  std::unique_ptr<Canvas> scratch = canvas_.CreateOffscreen(region.Right, region.Bottom);
  scratch->CopyRect(0, 0, canvas_, region);
  for (int p = touched - 1; p >= 0; --p) sprites_[zOrder_[p]]->Hide(*scratch);
  for (int p = touched - 1; p >= 0; --p) sprites_[zOrder_[p]]->Start(*scratch);
  canvas_.CopyRect(0, 0, *scratch, region);
  UpdateRect(region);
}

void TSprites::SpriteMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  if (dragging_) return;
  selected_ = -1;
  for (int p = 0; p < count_; ++p) {
    TSprite* s = sprites_[zOrder_[p]];
    if (s->Enabled && s->Contains({x, y})) {
      selected_ = zOrder_[p];
      break;
    }
  }
  if (selected_ < 0) return;
  BringToFront(selected_);
  savedCursor_ = cursor();
  setCursor(Qt::BlankCursor);
  TSprite* s = sprites_[selected_];
  grabX_ = x - s->Left;
  grabY_ = y - s->Top;
  dragging_ = true;
}

void TSprites::SpriteMouseMove(Qt::KeyboardModifiers, int x, int y) {
  if (!dragging_ || selected_ < 0) return;
  if (!sprites_[selected_]->MoveTo(canvas_, x - grabX_, y - grabY_)) ShowMessage("moveto failed", "Error");
}

void TSprites::SpriteMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
  if (!dragging_) return;
  setCursor(savedCursor_);
  dragging_ = false;
}

// The mouse stays with this control from press to release (Qt's implicit grab).
void TSprites::mousePressEvent(QMouseEvent* e) {
  SpriteMouseDown(e->button(), e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
}
void TSprites::mouseMoveEvent(QMouseEvent* e) {
  SpriteMouseMove(e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
}
void TSprites::mouseReleaseEvent(QMouseEvent* e) {
  SpriteMouseUp(e->button(), e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
}

void TSprites::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

void TSprites::resizeEvent(QResizeEvent*) {
  if (canvas_.Width() == width() && canvas_.Height() == height()) return;
  // The sprites' saved backgrounds belong to the old picture: take them
  // off, lay the new one and put them back.
  HideSprites();
  canvas_.Resize(width(), height(), TColorOf(Color));
  if (OnPaint) OnPaint(canvas_);
  for (int p = count_ - 1; p >= 0; --p) sprites_[zOrder_[p]]->SetVisible(true);
}

}  // namespace trevan
