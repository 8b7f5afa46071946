#pragma once

#include <array>
#include <memory>

#include "SupportGlyphs.h"
#include "TBackedView.h"
#include "beam/WatchedObject.h"
#include "drawing/ValueLabels.h"
#include "hosts/BeamView.h"

namespace trevan {

class InputViewHost;
class TTrevanDoc;
class TTool;

// The upper pane of a document window: the beam line, its grid and every
// beam object, the selection and the seven editing tools.
class TInputForm : public TBackedView, public BeamView {
  Q_OBJECT

 public:
  static constexpr int ToolCodeBase = 300;
  static constexpr int SelectToolCode = 300;
  static constexpr int ForceToolCode = 301;
  static constexpr int HingeToolCode = 302;
  static constexpr int ViceToolCode = 303;
  static constexpr int RollerToolCode = 304;
  static constexpr int MomentToolCode = 305;
  static constexpr int BeamHingeToolCode = 306;

  explicit TInputForm(QWidget* parent = nullptr);
  ~TInputForm() override;

  void SetHost(InputViewHost* host) { host_ = host; }
  InputViewHost* Host() const { return host_; }

  // BeamView.
  BeamWindow* Window() override;
  int BaseLine() const override { return baseLine_; }
  object* SelectedObject() const override { return selection_.get(); }
  void SelectObject(object* target) override;
  const Bitmap* SupportGlyph(TSupportType type) const override { return glyphs_.For(type); }

  void SetBaseLine(int baseLine) { baseLine_ = baseLine; }
  const int& BaseLineRef() const { return baseLine_; }
  // The reaction labels of the last picture.
  const std::vector<ValueLabels::Label>& PlacedValueLabels() const { return valueLabels_; }
  // Drops the selection without telling anyone: its object is going away.
  void ForgetSelection() { selection_ = nullptr; }
  void SelectTool(int code);
  // Ends a press-drag-release gesture without its release: what the tool
  // moved goes back and its feedback goes.
  void CancelGesture();
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

  bool ButtonDown = false;
  bool Tracking = false;

 protected:
  void Render(ImageCanvas& canvas) override;
  void DrawValueLabels(ImageCanvas& canvas, const TTrevanDoc& beam, int columns);
  const ExactResults& ShownReactions(const TTrevanDoc& beam) const;
  void resizeEvent(QResizeEvent* event) override;
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

  InputViewHost* host_ = nullptr;
  WatchedObject selection_;
  std::vector<ValueLabels::Label> valueLabels_;
  int baseLine_ = 100;
  SupportGlyphs glyphs_;
  std::array<std::unique_ptr<TTool>, 7> tools_;
  TTool* currentTool_ = nullptr;
  Point lastMouse_;
  Point pressPoint_;
  Qt::MouseButton gestureButton_ = Qt::LeftButton;
};

}  // namespace trevan
