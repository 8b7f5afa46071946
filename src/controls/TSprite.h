#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "ImageBitmap.h"
#include "hosts/Canvas.h"

namespace trevan {

class TSprites;

// A message box with an OK button, the controls' default way to report.
void ShowControlMessage(const QString& text, const QString& caption);

// A transparent picture on a sprite group. While shown it keeps a copy of
// the pixels it covers and puts them back when it moves or hides.
class TSprite : public QObject {
  Q_OBJECT

 public:
  explicit TSprite(QObject* owner = nullptr);
  ~TSprite() override;

  int Left = 0;
  int Top = 0;
  bool Enabled = true;
  // Where the sprite's messages go; a message box unless replaced.
  std::function<void(const QString& text, const QString& caption)> ShowMessage;

  int Width() const { return picture_ ? picture_->Width() : 0; }
  int Height() const { return picture_ ? picture_->Height() : 0; }
  bool HasPicture() const { return picture_ != nullptr; }
  bool Shown() const { return shown_; }
  Rgb TransparentColor() const { return transparent_; }
  // None once the group is being destroyed.
  TSprites* SpriteGroup() const;

  void SetPicture(const QImage& picture);
  void SetTransparentColor(Rgb colour);
  // Joins a group; anything but a sprite group is refused with a message.
  void SetSpriteGroup(QObject* group);
  void SetVisible(bool visible);

  // (Left, Top) to (Left + width, Top + height); empty without a picture.
  Rect GetBounds() const;
  // Inside the bounds, right and bottom edges excluded.
  bool Contains(Point p) const;

  // On any canvas, with the sprite on top of all; on its group's canvas
  // SetVisible also keeps the sprites in front of it intact.
  bool Start(Canvas& canvas);
  bool Hide(Canvas& canvas);
  // A flicker-free move through one scratch copy of the old and new bounds.
  bool MoveTo(Canvas& canvas, int x, int y);
  bool Redraw(Canvas& canvas) { return Redraw(canvas, Left, Top); }
  bool Redraw(Canvas& canvas, int x, int y);

 private:
  friend class TSprites;
  // The group lets the sprite go, or is going away: it belongs to none.
  void DetachFromGroup() {
    group_ = nullptr;
    shown_ = false;
  }
  // Tells the group that shows this canvas to repaint the rectangle.
  void Repaint(const Canvas& canvas, const Rect& r) const;

  std::unique_ptr<Canvas> background_;
  bool shown_ = false;
  Rgb transparent_ = Rgb::FromRgb(255, 255, 255);
  std::unique_ptr<ImageBitmap> picture_;
  QPointer<QObject> group_;
};

}  // namespace trevan
