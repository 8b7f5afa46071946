#pragma once

#include <QWidget>

#include "ImageCanvas.h"

namespace trevan {

// A view that is drawn on outside its paint events: everything goes into a
// backing canvas covering the visible part of the view plus a margin, and
// paintEvent only copies it to the screen. A repaint of the canvas is asked
// for with Invalidate and happens once, soon; RenderNow does it at once.
class TBackedView : public QWidget {
  Q_OBJECT

 public:
  explicit TBackedView(QWidget* parent = nullptr);

  void Invalidate();
  void RenderNow();
  // Renders at once a canvas that covers area (view coordinates), whatever
  // is on screen: a picture of the window needs what it shows even when
  // other windows cover it.
  void RenderArea(const QRect& area);
  // The part of the view inside its ancestors up to top, covered or not.
  QRect ShownArea(const QWidget* top) const;
  // Repaints the canvas when the part in sight has left it.
  void EnsureCovered();
  const ImageCanvas& Backing() const { return canvas_; }

  // Labels of points further off than this cannot reach the picture.
  static constexpr int LabelReach = 400;
  // Where value labels may go: the columns of the beam and the rows in
  // sight, so that none sits under an axis strip or out of view.
  Rect LabelBounds(int columns) const;

 protected:
  // Draws the whole picture of the covered area; the canvas is cleared to
  // the window colour and its origin set before.
  virtual void Render(ImageCanvas& canvas) = 0;
  // The canvas, with any pending repaint done first.
  ImageCanvas& Surface();
  bool RenderPending() const { return renderPending_; }

  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  QRect WantedArea() const;

  ImageCanvas canvas_{1, 1};
  bool renderPending_ = false;
};

}  // namespace trevan
