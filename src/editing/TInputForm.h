#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "BeamView.h"
#include "ImageCanvas.h"
#include "SupportGlyphs.h"

namespace trevan {

class InputViewHost;
class TTool;

// The upper pane of a document window: the beam line, its grid and every
// beam object, the selection and the four editing tools. It draws into a
// backing canvas that covers the visible part of the view; paintEvent only
// copies it to the screen.
class TInputForm : public QWidget, public BeamView {
  Q_OBJECT

 public:
  static constexpr int ToolCodeBase = 300;
  static constexpr int SelectToolCode = 300;
  static constexpr int ForceToolCode = 301;
  static constexpr int HingeToolCode = 302;
  static constexpr int ViceToolCode = 303;

  explicit TInputForm(QWidget* parent = nullptr);
  ~TInputForm() override;

  void SetHost(InputViewHost* host) { host_ = host; }
  InputViewHost* Host() const { return host_; }

  // BeamView.
  BeamWindow* Window() override;
  int BaseLine() const override { return baseLine_; }
  object* SelectedObject() const override { return selection_; }
  void SelectObject(object* target) override;
  const Bitmap* SupportGlyph(TSupportType type) const override { return glyphs_.For(type); }

  void SetBaseLine(int baseLine) { baseLine_ = baseLine; }
  const int& BaseLineRef() const { return baseLine_; }
  // Drops the selection without telling anyone: its object is going away.
  void ForgetSelection() { selection_ = nullptr; }
  void SelectTool(int code);
  TTool* CurrentTool() const { return currentTool_; }
  TTool& Tool(int number) const { return *tools_[number]; }
  bool InBeamRange(Point p) const;
  void SetHint(const QString& text);

  // The canvas to draw on outside a paint, with any pending repaint done.
  Canvas& DrawingCanvas();
  // Shows what was drawn on the canvas, all of it or just the area.
  void FlushDrawing();
  void FlushDrawing(const QRect& area);
  // A glyph rectangle with room for its handles.
  static QRect GlyphArea(const Rect& bounds);
  // Asks for a repaint of the backing canvas; it happens once, soon.
  void Invalidate();
  // Repaints the backing canvas now, for the part of the view in sight.
  void RenderNow();
  const ImageCanvas& Backing() const { return canvas_; }
  // Repaints the backing canvas when the part in sight has left it.
  void EnsureCovered();

  bool ButtonDown = false;
  bool Tracking = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void FormMouseDown(Point p);
  void FormMouseMove(Point p);
  void FormMouseUp(Point p);
  void EndTracking();
  QRect WantedArea() const;

  InputViewHost* host_ = nullptr;
  object* selection_ = nullptr;
  int baseLine_ = 100;
  SupportGlyphs glyphs_;
  std::array<std::unique_ptr<TTool>, 4> tools_;
  TTool* currentTool_ = nullptr;
  ImageCanvas canvas_{1, 1};
  bool renderPending_ = false;
  Point lastMouse_;
  Point pressPoint_;
};

}  // namespace trevan
