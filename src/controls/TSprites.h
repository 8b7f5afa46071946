#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "ImageCanvas.h"

namespace trevan {

class TSprite;

// A control on which sprites are placed and dragged with the mouse without
// repainting it: the pressed sprite comes to the front and follows the
// pointer, which is hidden while it drags.
class TSprites : public QWidget {
  Q_OBJECT

 public:
  static constexpr int MaxSprites = 1000;

  explicit TSprites(QWidget* parent = nullptr);
  ~TSprites() override;

  // The sprite, taken from any group it was in, or none when this group is
  // full (it then stays where it was).
  TSprite* Add(TSprite* sprite);
  TSprite* GetSprite(int index) const { return index >= 0 && index < count_ ? sprites_[index] : nullptr; }
  int Count() const { return count_; }
  // Hides the sprite and takes it out of the group and of the z-order; a
  // drag of it ends.
  bool RemoveSprite(TSprite* sprite);
  void HideSprites();
  void BringToFront(int index);
  TSprite* GetSelSprite() const { return GetSprite(selected_); }
  // Sprite index at z-order position (0 is the front).
  int ZOrder(int position) const { return zOrder_[position]; }
  bool Dragging() const { return dragging_; }

  // Draws the background and the shown sprites back to front into the
  // canvas; the sprites keep the new background.
  void Paint();
  ImageCanvas& CanvasOf() { return canvas_; }
  const ImageCanvas& CanvasOf() const { return canvas_; }

  QColor Color = Qt::white;
  std::function<void(Canvas& canvas)> OnPaint;
  // Where the group's messages go; a message box unless replaced.
  std::function<void(const QString& text, const QString& caption)> ShowMessage;

  void SpriteMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void SpriteMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void SpriteMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TSprite;
  // Each sprite's saved background holds the sprites behind it, so a sprite
  // can only leave or change the canvas once the shown sprites in front of
  // it that overlap it are off. Restack lifts those (front to back), takes
  // the sprite off, runs change, shows it again when asked and puts the
  // lifted ones back (back to front). extra is a place the change will cover.
  void Restack(TSprite* sprite, bool show, const Rect& extra, const std::function<void()>& change);
  // Whether a shown sprite in front of this one overlaps r.
  bool Overlapped(const TSprite* sprite, const Rect& r) const;
  // The shown sprites in front of the z-order position that overlap the
  // area, directly or through one another, back to front; the area grows
  // to cover them.
  std::vector<TSprite*> InFront(int position, Rect& area) const;
  int IndexOf(const TSprite* sprite) const;
  int PositionOf(int index) const;
  void EndDrag();
  static Rgb TColorOf(const QColor& c) { return Rgb::FromRgb(c.red(), c.green(), c.blue()); }
  void UpdateRect(const Rect& r) { update(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top)); }

  std::array<TSprite*, MaxSprites> sprites_{};
  std::array<int, MaxSprites> zOrder_{};
  bool dragging_ = false;
  QCursor savedCursor_;
  int count_ = 0;
  int grabX_ = 0;
  int grabY_ = 0;
  int selected_ = -1;
  ImageCanvas canvas_;
};

}  // namespace trevan
