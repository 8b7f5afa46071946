#include "TSprite.h"

#include <algorithm>

#include "TSprites.h"

namespace trevan {

TSprite::TSprite(QObject* owner)
    : QObject(owner), ShowMessage(ShowControlMessage), background_(std::make_unique<ImageCanvas>(1, 1)) {}

TSprite::~TSprite() {
  if (TSprites* group = SpriteGroup()) group->RemoveSprite(this);
}

TSprites* TSprite::SpriteGroup() const { return qobject_cast<TSprites*>(group_.data()); }

void TSprite::SetPicture(const QImage& picture) {
  const auto change = [&] { picture_ = picture.isNull() ? nullptr : std::make_unique<ImageBitmap>(picture); };
  if (TSprites* group = SpriteGroup(); group && shown_)
    group->Restack(this, true, {Left, Top, Left + picture.width(), Top + picture.height()}, change);
  else
    change();
}

void TSprite::SetTransparentColor(Rgb colour) {
  // The colour decides which pixels are drawn, so a shown sprite is drawn anew.
  if (TSprites* group = SpriteGroup(); group && shown_)
    group->Restack(this, true, {}, [&] { transparent_ = colour; });
  else
    transparent_ = colour;
}

void TSprite::SetSpriteGroup(QObject* group) {
  auto* sprites = qobject_cast<TSprites*>(group);
  if (!sprites) {
    if (ShowMessage) ShowMessage("SpriteGroup should be a TSprites component", "Error");
    return;
  }
  // The group takes it from any group it was in; a full one refuses it.
  sprites->Add(this);
}

void TSprite::SetVisible(bool visible) {
  TSprites* group = SpriteGroup();
  if (visible == shown_ || !group) return;
  group->Restack(this, visible, {}, {});
}

Rect TSprite::GetBounds() const {
  if (!picture_) return {};
  return {Left, Top, Left + Width(), Top + Height()};
}

bool TSprite::Contains(Point p) const {
  const Rect r = GetBounds();
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

bool TSprite::Start(Canvas& canvas) {
  if (shown_ || !background_ || !picture_) return false;
  shown_ = true;
  background_ = canvas.CreateOffscreen(Width(), Height());
  background_->CopyRect(0, 0, canvas, GetBounds());
  canvas.DrawBitmap(*picture_, Left, Top, transparent_);
  Repaint(canvas, GetBounds());
  return true;
}

bool TSprite::Hide(Canvas& canvas) {
  if (!shown_ || !background_) return false;
  shown_ = false;
  canvas.CopyRect(Left, Top, *background_, {0, 0, Width(), Height()});
  Repaint(canvas, GetBounds());
  return true;
}

bool TSprite::Redraw(Canvas& canvas, int x, int y) {
  if (shown_ && picture_) canvas.DrawBitmap(*picture_, x, y, transparent_);
  return shown_;
}

bool TSprite::MoveTo(Canvas& canvas, int x, int y) {
  if (!background_) return false;
  if (!shown_ || !picture_) {
    // Nothing of it is on the canvas: a hidden sprite just takes its place.
    Left = x;
    Top = y;
    return true;
  }
  const Rect o = GetBounds();
  const Rect n{x, y, x + Width(), y + Height()};
  const Rect u{std::min(o.Left, n.Left), std::min(o.Top, n.Top), std::max(o.Right, n.Right),
               std::max(o.Bottom, n.Bottom)};
  // Under other sprites the scratch would paint over them: the group lifts
  // them off and puts them back.
  if (TSprites* group = SpriteGroup(); group && &canvas == &group->CanvasOf() && group->Overlapped(this, u)) {
    group->Restack(this, true, n, [&] {
      Left = x;
      Top = y;
    });
    return true;
  }
  std::unique_ptr<Canvas> scratch = canvas.CreateOffscreen(u.Right - u.Left, u.Bottom - u.Top);
  scratch->CopyRect(0, 0, canvas, u);
  scratch->CopyRect(o.Left - u.Left, o.Top - u.Top, *background_, {0, 0, Width(), Height()});
  background_->CopyRect(0, 0, *scratch, {n.Left - u.Left, n.Top - u.Top, n.Right - u.Left, n.Bottom - u.Top});
  Redraw(*scratch, x - u.Left, y - u.Top);
  canvas.CopyRect(u.Left, u.Top, *scratch, {0, 0, u.Right - u.Left, u.Bottom - u.Top});
  Left = x;
  Top = y;
  Repaint(canvas, u);
  return true;
}

void TSprite::Repaint(const Canvas& canvas, const Rect& r) const {
  if (TSprites* group = SpriteGroup(); group && &canvas == &group->CanvasOf()) group->UpdateRect(r);
}

}  // namespace trevan
