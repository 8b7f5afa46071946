// Three overlapping sprites on a background of many colours, checked pixel by
// pixel against a picture composed here: the background with the pictures
// that should be visible laid on it from back to front.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <functional>
#include <map>
#include <vector>

#include "TSprite.h"
#include "TSprites.h"

namespace trevan {
namespace {

const QRgb Magenta = qRgb(255, 0, 255);

// Every pixel differs from its neighbours, so a restored pixel that came
// from the wrong place shows.
QRgb BackgroundAt(int x, int y) { return qRgb((x * 7) & 255, (y * 5) & 255, 128); }

// A square of one colour with a transparent diagonal lattice.
QImage Lattice(QRgb colour, int size) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(colour);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if ((x + y) % 5 == 0) image.setPixel(x, y, Magenta);
  return image;
}

// Notes what the control paints on the screen.
struct PaintSpy : QObject {
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

class SpriteStackTest : public ::testing::Test {
 public:
  void SetUp() override {
    group.ShowMessage = [](const QString& text, const QString&) { ADD_FAILURE() << text.toStdString(); };
    group.OnPaint = [](Canvas& canvas) {
      for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
          canvas.SetPixel(x, y, ImageCanvas::FromQRgb(BackgroundAt(x, y)));
    };
    group.resize(160, 120);
    group.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
    Build();
  }
  void TearDown() override { group.removeEventFilter(&spy); }

  void Build() {
    // Pairwise overlapping: each one covers part of both others.
    a = Make(qRgb(220, 30, 30), 20, 20);  // index 0, the front
    b = Make(qRgb(30, 200, 30), 35, 30);  // index 1
    c = Make(qRgb(30, 30, 220), 44, 38);  // index 2, the back
    // Shown from the back so the picture matches the order from the start.
    for (TSprite* s : {c, b, a}) s->SetVisible(true);
    group.installEventFilter(&spy);
    ASSERT_EQ(Wrong({a, b, c}), 0);
  }
  // Back to three fresh sprites on a fresh background.
  void Rebuild() {
    TearDown();
    for (TSprite* s : {a, b, c}) delete s;
    pictures.clear();
    group.resize(160, 120);
    group.Paint();
    Build();
  }

  TSprite* Make(QRgb colour, int x, int y) {
    auto* s = new TSprite(&group);
    s->ShowMessage = group.ShowMessage;
    s->SetTransparentColor(ImageCanvas::FromQRgb(Magenta));
    s->SetPicture(Lattice(colour, 30));
    s->Left = x;
    s->Top = y;
    s->SetSpriteGroup(&group);
    pictures[s] = Lattice(colour, 30);
    return s;
  }

  // The background with the given sprites on it, the first one in front.
  QImage Expected(const std::vector<TSprite*>& frontToBack) {
    QImage image(group.CanvasOf().Width(), group.CanvasOf().Height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, BackgroundAt(x, y));
    for (auto s = frontToBack.rbegin(); s != frontToBack.rend(); ++s) {
      const QImage& picture = pictures.at(*s);
      const QRgb clear = ImageCanvas::ToQRgb((*s)->TransparentColor());
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
          const QPoint at((*s)->Left + x, (*s)->Top + y);
          if (picture.pixel(x, y) != clear && image.rect().contains(at))
            image.setPixel(at, picture.pixel(x, y));
        }
    }
    return image;
  }
  // How many pixels of the control's picture differ from the expected one.
  int Wrong(const std::vector<TSprite*>& frontToBack) {
    const QImage expected = Expected(frontToBack);
    const QImage& actual = group.CanvasOf().image();
    if (actual.size() != expected.size()) return -1;
    int wrong = 0;
    for (int y = 0; y < actual.height(); ++y)
      for (int x = 0; x < actual.width(); ++x)
        wrong += (actual.pixel(x, y) | 0xff000000) != expected.pixel(x, y);
    return wrong;
  }
  // Waits for the control to paint the rectangle on the screen.
  bool Repaints(const Rect& r) {
    const QRegion wanted(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
    return QTest::qWaitFor([&] { return (wanted - spy.painted).isEmpty(); }, 2000);
  }
  void Settle() {
    // Whatever is still to be painted from before.
    (void)QTest::qWaitFor([&] { return !spy.painted.isEmpty(); }, 200);
    spy.painted = {};
  }

  TSprites group;
  TSprite* a = nullptr;
  TSprite* b = nullptr;
  TSprite* c = nullptr;
  std::map<const TSprite*, QImage> pictures;
  PaintSpy spy;
};

// Each row changes the stack and names the sprites that must then be seen,
// front first.
struct StackCase {
  const char* name;
  std::function<void(SpriteStackTest&)> change;
  std::function<std::vector<TSprite*>(SpriteStackTest&)> visible;
};

TEST_F(SpriteStackTest, EveryChangeOfTheStackLeavesExactlyTheVisibleSprites) {
  using T = SpriteStackTest;
  using V = std::vector<TSprite*>;
  const StackCase cases[] = {
      {"hiding all", [](T& t) { t.group.HideSprites(); }, [](T&) { return V{}; }},
      {"hiding the middle one", [](T& t) { t.b->SetVisible(false); },
       [](T& t) {
         return V{t.a, t.c};
       }},
      {"hiding the back one", [](T& t) { t.c->SetVisible(false); },
       [](T& t) {
         return V{t.a, t.b};
       }},
      {"removing the back one", [](T& t) { t.group.RemoveSprite(t.c); },
       [](T& t) {
         return V{t.a, t.b};
       }},
      {"bringing the back one to the front", [](T& t) { t.group.BringToFront(2); },
       [](T& t) {
         return V{t.c, t.a, t.b};
       }},
      {"bringing the middle one to the front", [](T& t) { t.group.BringToFront(1); },
       [](T& t) {
         return V{t.b, t.a, t.c};
       }},
      {"showing the middle one again behind the front one",
       [](T& t) {
         t.b->SetVisible(false);
         t.b->SetVisible(true);
       },
       [](T& t) {
         return V{t.a, t.b, t.c};
       }},
      {"the back one to the front, then each hidden from the front",
       [](T& t) {
         t.group.BringToFront(2);
         for (TSprite* s : {t.c, t.a, t.b}) s->SetVisible(false);
       },
       [](T&) { return V{}; }},
      {"the back one to the front, then all hidden",
       [](T& t) {
         t.group.BringToFront(2);
         t.group.BringToFront(1);
         t.group.HideSprites();
       },
       [](T&) { return V{}; }},
      {"moving the back one under the others", [](T& t) { t.c->MoveTo(t.group.CanvasOf(), 30, 25); },
       [](T& t) {
         return V{t.a, t.b, t.c};
       }},
      {"a new transparent colour for the middle one",
       [](T& t) { t.b->SetTransparentColor(ImageCanvas::FromQRgb(t.pictures.at(t.b).pixel(1, 1))); },
       [](T& t) {
         return V{t.a, t.b, t.c};
       }},
      {"a larger picture for the middle one",
       [](T& t) {
         t.pictures[t.b] = Lattice(qRgb(240, 240, 0), 40);
         t.b->SetPicture(t.pictures[t.b]);
       },
       [](T& t) {
         return V{t.a, t.b, t.c};
       }},
      {"a hidden one stays hidden through a resize",
       [](T& t) {
         t.a->SetVisible(false);
         t.group.resize(180, 130);
       },
       [](T& t) {
         return V{t.b, t.c};
       }},
  };
  for (const StackCase& row : cases) {
    SCOPED_TRACE(row.name);
    if (&row != cases) Rebuild();
    if (HasFatalFailure()) return;
    row.change(*this);
    EXPECT_EQ(Wrong(row.visible(*this)), 0) << "pixels wrong after " << row.name;
  }
}

// Each row changes the control's picture through one operation; the
// changed place must reach the screen.
TEST_F(SpriteStackTest, EveryChangeOfThePictureReachesTheScreen) {
  struct Row {
    const char* name;
    std::function<void()> change;
    Rect where;
  };
  const Rect aAt{20, 20, 50, 50};
  const Rect bAt{35, 30, 65, 60};
  const Rect cAt{44, 38, 74, 68};
  const Row rows[] = {
      {"SetVisible(false)", [&] { b->SetVisible(false); }, bAt},
      {"SetVisible(true)", [&] { b->SetVisible(true); }, bAt},
      {"Hide", [&] { a->Hide(group.CanvasOf()); }, aAt},
      {"Start", [&] { a->Start(group.CanvasOf()); }, aAt},
      {"SetTransparentColor", [&] { c->SetTransparentColor(ImageCanvas::FromQRgb(qRgb(30, 30, 220))); }, cAt},
      {"RemoveSprite", [&] { group.RemoveSprite(c); }, cAt},
      {"HideSprites", [&] { group.HideSprites(); }, aAt},
  };
  for (const Row& row : rows) {
    Settle();
    row.change();
    EXPECT_TRUE(Repaints(row.where)) << row.name << " left the screen stale";
  }
}

TEST_F(SpriteStackTest, HiddenSpritesAreNeitherHitNorDragged) {
  a->SetVisible(false);
  QTest::mousePress(&group, Qt::LeftButton, {}, QPoint(22, 22));  // only the hidden front one is here
  EXPECT_FALSE(group.Dragging());
  QTest::mousePress(&group, Qt::LeftButton, {}, QPoint(46, 41));  // all three; the hidden one does not count
  EXPECT_EQ(group.GetSelSprite(), b);
  QTest::mouseRelease(&group, Qt::LeftButton, {}, QPoint(46, 41));
  EXPECT_FALSE(a->Shown());
  EXPECT_EQ(Wrong({b, c}), 0);
}

TEST_F(SpriteStackTest, RemovingTheDraggedSpriteGivesThePointerBack) {
  QTest::mousePress(&group, Qt::LeftButton, {}, QPoint(70, 65));  // only the back one is here
  ASSERT_EQ(group.GetSelSprite(), c);
  ASSERT_EQ(group.cursor().shape(), Qt::BlankCursor);
  EXPECT_EQ(Wrong({c, a, b}), 0) << "pressed, it came to the front";
  group.RemoveSprite(c);
  EXPECT_FALSE(group.Dragging());
  EXPECT_NE(group.cursor().shape(), Qt::BlankCursor);
  QTest::mouseMove(&group, QPoint(90, 80));
  QTest::mouseRelease(&group, Qt::LeftButton, {}, QPoint(90, 80));
  EXPECT_EQ(Wrong({a, b}), 0);
}

TEST_F(SpriteStackTest, DraggingTheBackSpriteThroughTheOthersLeavesThemIntact) {
  QTest::mousePress(&group, Qt::LeftButton, {}, QPoint(70, 65));
  for (int x = 70; x >= 10; x -= 3) QTest::mouseMove(&group, QPoint(x, 65 - (70 - x) / 2));
  QTest::mouseMove(&group, QPoint(120, 90));
  QTest::mouseRelease(&group, Qt::LeftButton, {}, QPoint(120, 90));
  EXPECT_EQ(c->Left, 94);
  EXPECT_EQ(c->Top, 63);
  EXPECT_EQ(Wrong({c, a, b}), 0);
  group.HideSprites();
  EXPECT_EQ(Wrong({}), 0);
}

}  // namespace
}  // namespace trevan
