#include "TSprites.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "TSprite.h"

namespace trevan {

namespace {
bool Empty(const Rect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
Rect Union(const Rect& a, const Rect& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}
bool Overlap(const Rect& a, const Rect& b) {
  return !Empty(a) && !Empty(b) && a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom &&
         b.Top < a.Bottom;
}
}  // namespace

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

int TSprites::IndexOf(const TSprite* sprite) const {
  return static_cast<int>(std::find(sprites_.begin(), sprites_.begin() + count_, sprite) - sprites_.begin());
}

int TSprites::PositionOf(int index) const {
  return static_cast<int>(std::find(zOrder_.begin(), zOrder_.begin() + count_, index) - zOrder_.begin());
}

bool TSprites::RemoveSprite(TSprite* sprite) {
  const int index = IndexOf(sprite);
  if (index >= count_) return false;
  sprite->SetVisible(false);
  sprite->DetachFromGroup();
  std::copy(sprites_.begin() + index + 1, sprites_.begin() + count_, sprites_.begin() + index);
  // The z-order forgets the sprite and follows the renumbering.
  const int position = PositionOf(index);
  std::copy(zOrder_.begin() + position + 1, zOrder_.begin() + count_, zOrder_.begin() + position);
  --count_;
  sprites_[count_] = nullptr;
  zOrder_[count_] = count_;
  for (int p = 0; p < count_; ++p)
    if (zOrder_[p] > index) --zOrder_[p];
  if (selected_ == index) {
    EndDrag();
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  return true;
}

void TSprites::HideSprites() {
  // From the front: each background then holds only what lies behind.
  for (int p = 0; p < count_; ++p) sprites_[zOrder_[p]]->SetVisible(false);
}

void TSprites::Paint() {
  canvas_.Fill(TColorOf(Color));
  if (OnPaint) OnPaint(canvas_);
  for (int p = count_ - 1; p >= 0; --p) {
    TSprite* s = sprites_[zOrder_[p]];
    if (!s->Shown()) continue;
    // Shown again, so its background is the new picture, not the old one.
    s->shown_ = false;
    s->Start(canvas_);
  }
  update();
}

std::vector<TSprite*> TSprites::InFront(int position, Rect& area) const {
  std::vector<TSprite*> over;
  for (int p = position - 1; p >= 0; --p) {
    TSprite* s = sprites_[zOrder_[p]];
    if (s->Shown() && Overlap(s->GetBounds(), area)) {
      over.push_back(s);
      area = Union(area, s->GetBounds());
    }
  }
  return over;
}

bool TSprites::Overlapped(const TSprite* sprite, const Rect& r) const {
  const int index = IndexOf(sprite);
  if (index >= count_) return false;
  const int position = PositionOf(index);
  for (int p = 0; p < position; ++p)
    if (sprites_[zOrder_[p]]->Shown() && Overlap(sprites_[zOrder_[p]]->GetBounds(), r)) return true;
  return false;
}

void TSprites::Restack(TSprite* sprite, bool show, const Rect& extra, const std::function<void()>& change) {
  const int index = IndexOf(sprite);
  if (index >= count_) {
    if (change) change();
    return;
  }
  Rect area = Union(sprite->GetBounds(), extra);
  const std::vector<TSprite*> over = InFront(PositionOf(index), area);
  for (auto s = over.rbegin(); s != over.rend(); ++s) (*s)->Hide(canvas_);
  sprite->Hide(canvas_);
  if (change) change();
  if (show) sprite->Start(canvas_);
  for (TSprite* s : over) s->Start(canvas_);
}

void TSprites::BringToFront(int index) {
  if (count_ == 0 || zOrder_[0] == index) return;
  const int position = PositionOf(index);
  if (position >= count_) return;
  TSprite* sprite = sprites_[index];
  const bool shown = sprite->Shown();
  // Only the sprites in front that overlap it change on the canvas; a
  // hidden sprite just takes its new place in the order.
  Rect area = sprite->GetBounds();
  const std::vector<TSprite*> over = shown ? InFront(position, area) : std::vector<TSprite*>{};
  for (auto s = over.rbegin(); s != over.rend(); ++s) (*s)->Hide(canvas_);
  sprite->Hide(canvas_);
  std::copy_backward(zOrder_.begin(), zOrder_.begin() + position, zOrder_.begin() + position + 1);
  zOrder_[0] = index;
  for (TSprite* s : over) s->Start(canvas_);
  if (shown) sprite->Start(canvas_);
}

void TSprites::SpriteMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  if (dragging_) return;
  selected_ = -1;
  for (int p = 0; p < count_; ++p) {
    TSprite* s = sprites_[zOrder_[p]];
    if (s->Enabled && s->Shown() && s->Contains({x, y})) {
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

void TSprites::SpriteMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) { EndDrag(); }

void TSprites::EndDrag() {
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
  // A new picture; the shown sprites go on it with new backgrounds and the
  // hidden ones stay hidden.
  canvas_.Resize(width(), height(), TColorOf(Color));
  Paint();
}

}  // namespace trevan
