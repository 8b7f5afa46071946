#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "TSprite.h"
#include "TSprites.h"

namespace trevan {
namespace {

const Rgb Background = Rgb::FromRgb(255, 255, 255);
const Rgb Red = Rgb::FromRgb(255, 0, 0);
const Rgb Blue = Rgb::FromRgb(0, 0, 255);
const Rgb Magenta = Rgb::FromRgb(255, 0, 255);  // the pictures' transparent colour

// A square of one colour with a transparent top-left corner pixel.
QImage Square(Rgb colour, int size = 20) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(qRgb(colour.Red(), colour.Green(), colour.Blue()));
  image.setPixel(0, 0, qRgb(255, 0, 255));
  return image;
}

class SpritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    group.resize(200, 120);
    group.OnPaint = [](Canvas& canvas) {  // a pattern to prove backgrounds come back
      for (int x = 0; x < canvas.Width(); x += 7) {
        canvas.MoveTo(x, 0);
        canvas.LineTo(x, canvas.Height());
      }
    };
    group.Paint();
    group.show();
    back = Make(Blue, 30, 30);  // index 0
    front = Make(Red, 40, 40);  // index 1
    front->SetVisible(true);
    back->SetVisible(true);  // drawn last: on top of the picture for now
    group.BringToFront(1);   // the red one to the front, as the picture must show
  }

  TSprite* Make(Rgb colour, int x, int y) {
    auto* s = new TSprite(&group);
    s->SetTransparentColor(Magenta);
    s->SetPicture(Square(colour));
    s->Left = x;
    s->Top = y;
    s->SetSpriteGroup(&group);
    return s;
  }
  Rgb At(int x, int y) { return group.CanvasOf().GetPixel(x, y); }
  QImage Picture() { return group.CanvasOf().image().copy(); }
  void Press(int x, int y) { QTest::mousePress(&group, Qt::LeftButton, {}, QPoint(x, y)); }
  void Move(int x, int y) { QTest::mouseMove(&group, QPoint(x, y)); }
  void Release(int x, int y) { QTest::mouseRelease(&group, Qt::LeftButton, {}, QPoint(x, y)); }

  TSprites group;
  TSprite* back = nullptr;
  TSprite* front = nullptr;
};

TEST_F(SpritesTest, BringingToFrontRedrawsTheOverlapInOrder) {
  EXPECT_EQ(group.ZOrder(0), 1);
  EXPECT_EQ(group.ZOrder(1), 0);
  EXPECT_EQ(At(45, 45), Red) << "the front sprite covers the overlap";
  EXPECT_EQ(At(35, 35), Blue);
  EXPECT_EQ(At(40, 40), Blue) << "the red square's transparent corner shows what is under it";
}

TEST_F(SpritesTest, BringingTheFrontSpriteToTheFrontDoesNothing) {
  const QImage before = Picture();
  group.BringToFront(1);
  EXPECT_EQ(Picture(), before);
  EXPECT_EQ(group.ZOrder(0), 1);
}

TEST_F(SpritesTest, APressSelectsTheFrontSpriteUnderThePointer) {
  Press(45, 45);
  EXPECT_TRUE(group.Dragging());
  EXPECT_EQ(group.GetSelSprite(), front);
  EXPECT_EQ(group.cursor().shape(), Qt::BlankCursor) << "no pointer while dragging";
  Release(45, 45);
  EXPECT_FALSE(group.Dragging());
  EXPECT_NE(group.cursor().shape(), Qt::BlankCursor);

  Press(32, 32);  // only the blue one is here: it comes to the front
  EXPECT_EQ(group.GetSelSprite(), back);
  EXPECT_EQ(group.ZOrder(0), 0);
  EXPECT_EQ(At(45, 45), Blue);
  Release(32, 32);
}

TEST_F(SpritesTest, DraggingOverAnotherSpriteLeavesBothIntact) {
  group.BringToFront(0);  // blue to the front, then drag it across red and away
  Press(31, 31);
  for (int x = 31; x <= 131; x += 5) Move(x, 31 + (x - 31) / 4);
  Release(131, 56);
  EXPECT_EQ(back->Left, 130);
  EXPECT_EQ(back->Top, 55);
  for (int y = 41; y < 60; ++y)
    for (int x = 41; x < 60; ++x) ASSERT_EQ(At(x, y), Red) << "red reappears at " << x << "," << y;
  EXPECT_EQ(At(135, 60), Blue);
  // Where blue was and nothing else is, the background pattern is back.
  EXPECT_EQ(At(35, 30), Rgb::FromRgb(0, 0, 0)) << "a line of the pattern at x = 35";
  EXPECT_EQ(At(36, 30), Background);
}

TEST_F(SpritesTest, ASpriteWithoutAPictureIsNeverHit) {
  auto* empty = new TSprite(&group);
  empty->Left = 0;
  empty->Top = 0;
  empty->SetSpriteGroup(&group);
  EXPECT_EQ(empty->GetBounds(), Rect{});
  EXPECT_FALSE(empty->Contains({0, 0}));
  Press(0, 0);
  EXPECT_FALSE(group.Dragging());
}

TEST_F(SpritesTest, RemovalKeepsTheZOrderConsistent) {
  TSprite* third = Make(Rgb::FromRgb(0, 128, 0), 100, 10);  // index 2, at the back
  third->SetVisible(true);
  group.BringToFront(2);                  // z-order: 2, 1, 0
  ASSERT_TRUE(group.RemoveSprite(back));  // index 0 goes; the others shift down
  EXPECT_EQ(group.Count(), 2);
  EXPECT_FALSE(back->Shown());
  EXPECT_EQ(group.GetSprite(0), front);
  EXPECT_EQ(group.GetSprite(1), third);
  EXPECT_EQ(group.ZOrder(0), 1) << "the green one, now index 1, still in front";
  EXPECT_EQ(group.ZOrder(1), 0);
  EXPECT_EQ(At(35, 35), Rgb::FromRgb(0, 0, 0)) << "the removed sprite's place shows the pattern";
  EXPECT_FALSE(group.RemoveSprite(back));
  delete third;  // a destroyed sprite leaves its group too
  EXPECT_EQ(group.Count(), 1);
  EXPECT_EQ(group.ZOrder(0), 0);
}

TEST_F(SpritesTest, TheGroupRefusesTheThousandAndFirstSprite) {
  for (int i = group.Count(); i < TSprites::MaxSprites; ++i)
    ASSERT_NE(group.Add(new TSprite(&group)), nullptr);
  TSprite extra;
  EXPECT_EQ(group.Add(&extra), nullptr);
  EXPECT_EQ(group.Count(), TSprites::MaxSprites);
}

TEST_F(SpritesTest, ASpriteBelongsToOneGroupAtATime) {
  TSprites other;
  other.resize(120, 80);
  TSprite* moving = Make(Red, 100, 60);  // index 2 here
  moving->SetVisible(true);
  moving->SetSpriteGroup(&other);
  EXPECT_EQ(group.Count(), 2) << "the first group lets it go";
  EXPECT_EQ(At(110, 70), Background) << "and takes its picture off";
  moving->SetSpriteGroup(&other);
  EXPECT_EQ(other.Count(), 1) << "joining the same group twice adds it once";
  delete moving;
  EXPECT_EQ(other.Count(), 0);
  // A group that still held the deleted sprite would read freed memory here.
  group.Paint();
  other.Paint();
  EXPECT_EQ(group.Count(), 2);

  auto* added = new TSprite;
  ASSERT_EQ(group.Add(added), added);
  EXPECT_EQ(added->SpriteGroup(), &group) << "a sprite added by the group knows its group";
  delete added;
  EXPECT_EQ(group.Count(), 2);
  group.Paint();
}

TEST_F(SpritesTest, ARefusedSpriteIsNeverDrawn) {
  for (int i = group.Count(); i < TSprites::MaxSprites; ++i)
    ASSERT_NE(group.Add(new TSprite(&group)), nullptr);
  TSprite extra;
  extra.SetTransparentColor(Magenta);
  extra.SetPicture(Square(Red));
  extra.Left = 150;
  extra.Top = 80;
  extra.SetSpriteGroup(&group);
  EXPECT_EQ(extra.SpriteGroup(), nullptr);
  const QImage before = Picture();
  extra.SetVisible(true);
  EXPECT_FALSE(extra.Shown());
  EXPECT_EQ(Picture(), before);
}

TEST_F(SpritesTest, OnlyASpriteGroupIsAccepted) {
  QString said;
  TSprite loose;
  loose.ShowMessage = [&](const QString& text, const QString&) { said = text; };
  QWidget notAGroup;
  loose.SetSpriteGroup(&notAGroup);
  EXPECT_EQ(said, "SpriteGroup should be a TSprites component");
  EXPECT_EQ(loose.SpriteGroup(), nullptr);
}

TEST_F(SpritesTest, StartingAShownSpriteOrHidingAHiddenOneReportsFalse) {
  EXPECT_FALSE(front->Start(group.CanvasOf()));
  ASSERT_TRUE(front->Hide(group.CanvasOf()));
  EXPECT_FALSE(front->Hide(group.CanvasOf()));
}

}  // namespace
}  // namespace trevan
