// Point moments, internal hinges and the springs and settlements of supports
// as objects of the model: placement rules, edits, units and glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "EditFixture.h"
#include "analysis/ExactBeam.h"
#include "drawing/ValueLabels.h"
#include "hosts/Canvas.h"
#include "hosts/PixelMapping.h"

namespace trevan {
namespace {

constexpr double Lbf = 4.4482216152605, Foot = 0.3048, Inch = 0.0254;

class MomentHingeTest : public test::EditFixture {
 protected:
  void TearDown() override { SetApplicationMetric(true); }
  bool HasMessage(const char* part) const {
    for (const auto& m : messages.messages)
      if (m.text.find(part) != std::string::npos) return true;
    return false;
  }
};

struct HingePlace {
  const char* name;
  double x;
  const char* refusal;  // a part of the message; none when the hinge stands
};

class HingePlaceTest : public MomentHingeTest, public ::testing::WithParamInterface<HingePlace> {};

// A vice at 5, a roller at 10 and a hinge at 7 on the 15 m beam.
TEST_P(HingePlaceTest, IsRefusedOnlyWithAReason) {
  recorder().RecordAddSupport(5, ftVice);
  recorder().RecordAddSupport(10, ftRoll);
  ASSERT_NE(recorder().RecordAddHinge(joint(7, &window)), nullptr);
  const HingePlace& p = GetParam();
  joint* added = recorder().RecordAddHinge(joint(p.x, &window));
  if (!p.refusal) {
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->x, p.x);
    EXPECT_TRUE(messages.messages.empty());
    return;
  }
  EXPECT_EQ(added, nullptr);
  EXPECT_EQ(beam().Hinges.size(), 1u);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find(p.refusal), std::string::npos) << messages.messages[0].text;
}

INSTANTIATE_TEST_SUITE_P(Hinges, HingePlaceTest,
                         ::testing::Values(HingePlace{"AtTheVice", 5, "vice at 5"},
                                           HingePlace{"JustBesideTheVice", 5 + 4e-7, "vice"},
                                           HingePlace{"BesideTheRoller", 10 - 5e-7, "support at 10"},
                                           HingePlace{"RightAtTheRoller", 10, nullptr},
                                           HingePlace{"NearTheHinge", 7 - 9e-7, "hinge at 7"},
                                           HingePlace{"OffTheBeam", -0.1, "from 0 to 15"},
                                           HingePlace{"PastTheEnd", 15.01, "from 0 to 15"},
                                           HingePlace{"ClearOfTheHinge", 7 + 2e-6, nullptr},
                                           HingePlace{"AtTheLeftEnd", 0, nullptr},
                                           HingePlace{"AtTheRightEnd", 15, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

// A hinge and a vice never share a place; a hinge may stand right on a pin
// or a roller, but never just beside one.
TEST_F(MomentHingeTest, SupportsAndHingesDoNotMoveOntoOneAnother) {
  element* s = recorder().RecordAddSupport(4, ftVice);
  joint* h = recorder().RecordAddHinge(joint(4.4, &window));
  ASSERT_TRUE(s && h);
  EXPECT_FALSE(beam().SupportFits(4.4));
  EXPECT_FALSE(beam().SupportFits(4.4 + 5e-7, ftRoll));
  EXPECT_TRUE(beam().SupportFits(4.4, ftRoll));
  EXPECT_EQ(beam().InsertSupport(4.4, ftVice), nullptr);
  beam().MoveObject(*h, -10);  // 0.4 m onto the vice: refused
  EXPECT_EQ(h->x, 4.4);
  beam().MoveObject(*s, 10);
  EXPECT_EQ(s->X1, 4);
  s->PropertyValues[0] = "4.4";
  EXPECT_THROW(s->ApplyProperties(), std::invalid_argument);
  s->UpdateProperties();
  beam().PlaceObject(*s, {4.4, 0});
  EXPECT_EQ(s->X1, 4);
  beam().MoveObject(*h, 5);
  EXPECT_DOUBLE_EQ(h->x, 4.6);
  h->PropertyValues[0] = "4";
  EXPECT_THROW(h->ApplyProperties(), std::invalid_argument);
  h->PropertyValues[0] = "6";
  ASSERT_TRUE(h->ApplyProperties());
  EXPECT_EQ(h->x, 6);
  Undo();
  EXPECT_DOUBLE_EQ(h->x, 4.6);
  s->PropertyValues[1] = SupportTypeLabels[ftRoll];
  ASSERT_TRUE(s->ApplyProperties());
  beam().PlaceObject(*h, {4, 0});
  EXPECT_EQ(h->x, 4);  // now right on a roller
  s->UpdateProperties();
  s->PropertyValues[1] = SupportTypeLabels[ftVice];
  EXPECT_THROW(s->ApplyProperties(), std::invalid_argument);
}

// Adds, deletes, edits and their undoing, the deleted object coming back
// with its identity so that earlier edits find it.
TEST_F(MomentHingeTest, EditsOfMomentsAndHingesAreUndone) {
  couple* m = recorder().RecordAddMoment(couple(3, 2500, &window));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(window.SelectedObject(), m);
  EXPECT_EQ(UndoCaption(), "&Undo moment");
  EXPECT_EQ(m->PropertyLabels[0], "Moment (Nm, counter-clockwise +):");
  m->PropertyValues[0] = "-1200.5";
  m->PropertyValues[1] = "4.5";
  ASSERT_TRUE(m->ApplyProperties());
  EXPECT_EQ(m->m, -1200.5);
  EXPECT_EQ(m->x, 4.5);
  m->PropertyValues[0] = "1e12";
  EXPECT_THROW(m->ApplyProperties(), std::invalid_argument);
  m->PropertyValues[0] = "2 kNm";
  EXPECT_THROW(m->ApplyProperties(), std::invalid_argument);
  window.SelectObject(m);
  recorder().RecordDeleteSelected();
  EXPECT_TRUE(beam().Moments.empty());
  Undo();  // the delete
  ASSERT_EQ(beam().Moments.size(), 1u);
  Undo();  // the edit, on the restored copy
  EXPECT_EQ(beam().Moments[0]->m, 2500);
  EXPECT_EQ(beam().Moments[0]->x, 3);
  Redo();
  EXPECT_EQ(beam().Moments[0]->m, -1200.5);

  joint* h = recorder().RecordAddHinge(joint(8, &window));
  window.SelectObject(h);
  recorder().RecordDeleteSelected();
  EXPECT_TRUE(beam().Hinges.empty());
  recorder().RecordAddSupport(8, ftRoll);
  Undo();  // the support
  Undo();  // the delete
  ASSERT_EQ(beam().Hinges.size(), 1u);
  EXPECT_EQ(beam().Hinges[0]->x, 8);
  beam().Clear();
  EXPECT_TRUE(beam().Moments.empty() && beam().Hinges.empty());
}

// The rows follow the type; the inspector's kN/m, kNm/rad and mm are kept
// as N/m, Nm/rad and m. Empty is rigid.
TEST_F(MomentHingeTest, SupportPropertiesAreRowsOfTheInspector) {
  element* roll = recorder().RecordAddSupport(2, ftRoll);
  element* vice = recorder().RecordAddSupport(9, ftVice);
  element* none = recorder().RecordAddSupport(12, ftNone);
  EXPECT_EQ(roll->RowCount, 4);
  EXPECT_EQ(vice->RowCount, 5);
  EXPECT_EQ(none->RowCount, 2);
  EXPECT_EQ(vice->PropertyLabels[3], "Rotational spring (kNm/rad; empty: rigid):");
  EXPECT_EQ(roll->PropertyValues[2], "");
  roll->PropertyValues[2] = "45";
  roll->PropertyValues[3] = "-12.5";
  ASSERT_TRUE(roll->ApplyProperties());
  EXPECT_DOUBLE_EQ(roll->Spring, 45000);
  EXPECT_DOUBLE_EQ(roll->Settlement, -0.0125);
  EXPECT_EQ(roll->PropertyValues[2], "45");
  vice->PropertyValues[3] = "800";
  ASSERT_TRUE(vice->ApplyProperties());
  EXPECT_DOUBLE_EQ(vice->RotationalSpring, 800000);
  for (const char* refused : {"0", "-3", "inf", "1e9", "stiff"}) {
    roll->PropertyValues[2] = refused;
    EXPECT_THROW(roll->ApplyProperties(), std::invalid_argument) << refused;
  }
  roll->UpdateProperties();
  roll->PropertyValues[2] = " ";
  ASSERT_TRUE(roll->ApplyProperties());
  EXPECT_EQ(roll->Spring, 0);
  Undo();
  EXPECT_DOUBLE_EQ(roll->Spring, 45000);
  window.SelectObject(roll);
  recorder().RecordDeleteSelected();
  Undo();  // the support comes back with its spring and settlement
  roll = beam().FirstSupport();
  EXPECT_DOUBLE_EQ(roll->Spring, 45000);
  EXPECT_DOUBLE_EQ(roll->Settlement, -0.0125);
  EXPECT_EQ(roll->PropertyValues[2], "45");
  Undo();
  Undo();
  EXPECT_EQ(roll->Spring, 0);
  EXPECT_EQ(roll->Settlement, 0);
}

// Each value by its own factor, derived from the pound-force and the foot,
// and back again.
TEST_F(MomentHingeTest, UnitSwitchConvertsEveryNewValue) {
  beam().Section.segments = {{0, 15, 2e11, 4e-6}};
  couple* m = recorder().RecordAddMoment(couple(3, 1000, &window));
  joint* h = recorder().RecordAddHinge(joint(6, &window));
  element* s = recorder().RecordAddSupport(9, ftVice);
  s->Spring = 45000;
  s->RotationalSpring = 2000;
  s->Settlement = 0.01;
  ASSERT_TRUE(window.SetUnitSystem(false));
  EXPECT_NEAR(m->m, 1000 / (Lbf * Foot), 1e-9);
  EXPECT_NEAR(h->x, 6 / Foot, 1e-12);
  EXPECT_NEAR(s->Spring, 45000 * Inch / Lbf, 1e-9);
  EXPECT_NEAR(s->RotationalSpring, 2000 / (Lbf * Foot), 1e-9);
  EXPECT_NEAR(s->Settlement, 0.01 / Inch, 1e-12);
  EXPECT_EQ(m->PropertyLabels[0], "Moment (ft-lbf, counter-clockwise +):");
  // The beam works in lbf and ft: a spring in lbf/ft, a settlement in ft.
  const ExactBeam exact = ExactBeam::From(beam());
  ASSERT_EQ(exact.supports.size(), 1u);
  EXPECT_NEAR(exact.supports[0].spring, 45000 * Foot / Lbf, 1e-9);
  EXPECT_NEAR(exact.supports[0].settlement, 0.01 / Foot, 1e-12);
  ASSERT_TRUE(window.SetUnitSystem(true));
  EXPECT_NEAR(m->m, 1000, 1e-9);
  EXPECT_NEAR(s->Spring, 45000, 1e-8);
  EXPECT_NEAR(s->Settlement, 0.01, 1e-15);

  // 1.5e-6 m apart are 4.9e-6 ft; 2e-6 ft back are 6.1e-7 m: too close.
  recorder().RecordAddHinge(joint(6 + 1.5e-6, &window));
  ASSERT_TRUE(window.SetUnitSystem(false));
  recorder().RecordAddHinge(joint(h->x + 2e-6, &window));
  ASSERT_EQ(beam().Hinges.size(), 3u);
  EXPECT_FALSE(beam().UnitSwitchProblem(true).empty());
  EXPECT_FALSE(window.SetUnitSystem(true));
}

TEST_F(MomentHingeTest, TheExactBeamTakesWhatTheSectionAllows) {
  recorder().RecordAddSupport(0, ftHinge);
  element* roll = recorder().RecordAddSupport(10, ftRoll);
  element* vice = recorder().RecordAddSupport(15, ftVice);
  roll->Spring = 45000;
  roll->Settlement = 0.005;
  roll->RotationalSpring = 99;  // a roller's is ignored
  vice->RotationalSpring = 7000;
  recorder().RecordAddMoment(couple(4, -300, &window));
  recorder().RecordAddHinge(joint(12, &window));
  recorder().RecordAddHinge(joint(3, &window));
  ExactBeam exact = ExactBeam::From(beam());
  EXPECT_TRUE(exact.springsLeftOut) << "no section";
  EXPECT_EQ(exact.supports[1].spring, 0);
  EXPECT_EQ(exact.supports[2].rotationalSpring, 0);
  EXPECT_EQ(exact.moments, (std::vector<ExactBeam::Moment>{{4, -300}}));
  EXPECT_EQ(exact.hinges, (std::vector<double>{3, 12}));

  beam().SetSection({{{0, 15, 2e11, 4.6875e-6}}});
  exact = ExactBeam::From(beam());
  EXPECT_FALSE(exact.springsLeftOut);
  EXPECT_EQ(exact.supports[1].spring, 45000);
  EXPECT_EQ(exact.supports[1].settlement, 0.005);
  EXPECT_EQ(exact.supports[1].rotationalSpring, 0);
  EXPECT_EQ(exact.supports[2].rotationalSpring, 7000);
}

// Remembers the strokes: each LineTo from the current point.
class StrokeCanvas : public Canvas {
 public:
  struct Stroke {
    Point from, to;
  };
  int Width() const override { return 2000; }
  int Height() const override { return 400; }
  void SetPenColor(Rgb) override {}
  Rgb PenColor() const override { return {}; }
  void SetBrushColor(Rgb) override {}
  void SetRasterMode(RasterMode) override {}
  RasterMode GetRasterMode() const override { return RasterMode::Copy; }
  void MoveTo(int x, int y) override { at = {x, y}; }
  void LineTo(int x, int y) override {
    strokes.push_back({at, {x, y}});
    at = {x, y};
  }
  void SetPixel(int, int, Rgb) override {}
  Rgb GetPixel(int, int) const override { return {}; }
  void FillRect(const Rect&) override {}
  void SetFont(const std::string&, int, bool) override {}
  void TextOut(int, int, const std::string&, TextAlign) override {}
  int TextWidth(const std::string&) const override { return 0; }
  void XorBitmap(const Bitmap&, int, int) override {}
  void DrawBitmap(const Bitmap&, int, int, Rgb) override {}
  std::unique_ptr<Canvas> CreateOffscreen(int, int) const override {
    return std::make_unique<StrokeCanvas>();
  }
  void CopyRect(int, int, const Canvas&, const Rect&) override {}

  Point at;
  std::vector<Stroke> strokes;
};

// The arrow head sits where the turning ends: low on the left for a
// counter-clockwise moment, low on the right for a clockwise one. The
// head's barbs are the last two strokes, meeting at the tip.
TEST_F(MomentHingeTest, AMomentGlyphShowsItsSense) {
  window.SetScales(250, 100, 0.04);  // 100 Nm a pixel: 3000 Nm is 30 pixels
  const int centre = ToPixel(6 / 0.04);
  for (const double moment : {3000.0, -3000.0}) {
    const couple c(6, moment, &window);
    StrokeCanvas canvas;
    c.Draw(canvas, 0, 0);
    ASSERT_GE(canvas.strokes.size(), 10u);
    const Point tip = canvas.strokes.back().from;
    EXPECT_GT(tip.y, 100) << "below the beam line";
    EXPECT_EQ(tip.x<centre, moment> 0) << moment;
    EXPECT_NEAR(std::hypot(tip.x - centre, tip.y - 100), 30, 1.5);
    const Rect r = c.GetBounds();
    for (const auto& s : canvas.strokes)
      EXPECT_TRUE(r.Left <= s.to.x && s.to.x <= r.Right && r.Top <= s.to.y && s.to.y <= r.Bottom);
  }
  EXPECT_EQ(couple(6, 1, &window).GetBounds().Right - centre, couple::MinRadius + 2);
}

TEST_F(MomentHingeTest, AHingeIsAClosedCircleFoundBeforeTheSupportBelowIt) {
  element* s = recorder().RecordAddSupport(4, ftHinge);
  joint* h = recorder().RecordAddHinge(joint(4.2, &window));  // five columns right of it
  const int column = ToPixel(4.2 / window.DistanceScale());
  StrokeCanvas canvas;
  h->Draw(canvas, 0, 0);
  ASSERT_FALSE(canvas.strokes.empty());
  EXPECT_EQ(canvas.strokes.front().from, canvas.strokes.back().to) << "closed";
  for (const auto& stroke : canvas.strokes)
    EXPECT_NEAR(std::hypot(stroke.to.x - column, stroke.to.y - 100), joint::Radius, 0.8);
  window.SelectObject(nullptr);
  EXPECT_EQ(beam().FindObjectAt({column, 100}), h);
  EXPECT_EQ(beam().FindObjectAt({column - 9, 104}), s);
}

// 10 m simply supported, 1000 Nm counter-clockwise at 4 m: by statics the
// moment drops from 400 to -600 Nm there; a hinge's rotations either side
// are written on the deflection curve.
TEST(MomentLabelsTest, AMomentJumpAndAHingeRotationAreLabelled) {
  ExactResults r;
  r.solved = r.deflected = true;
  ExactResults::Piece left, right;
  left.x0 = 0, left.x1 = 4, left.v[0] = 100, left.m[1] = 100;
  right.x0 = 4, right.x1 = 10, right.v[0] = 100, right.m[0] = -600, right.m[1] = 100;
  r.pieces = {left, right};
  r.maxSagging = {400, 4};
  r.maxHogging = {-600, 4};
  r.hinges = {{7, 0.002, -0.001}};
  const ValueLabels::Mapping m{0.04, 250, 100, 100, true};
  std::vector<std::string> texts;
  for (const auto& l : ValueLabels::ForDiagrams(r, m, {}, {})) texts.push_back(l.text);
  for (const auto& l : ValueLabels::ForDeflections(r, m, 0.1, {})) texts.push_back(l.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "400 | -600 Nm at 4 m"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "rot. 0.0020000 | -0.0010000 rad at 7.0000 m"),
            texts.end());
}

}  // namespace
}  // namespace trevan
