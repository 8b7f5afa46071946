#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QComboBox>
#include <QGroupBox>
#include <cmath>

#include "ScriptedDialogs.h"
#include "SettingsSandbox.h"
#include "TAboutBox.h"
#include "TColorBox.h"
#include "TNumberEdit.h"
#include "TOptionsForm.h"
#include "TLoadCasesForm.h"
#include "TSectionForm.h"
#include "beam/SectionShapes.h"
#include "TStartForm.h"
#include "TVersionLabel.h"

namespace trevan {
namespace {

TEST(NumberEditTest, ValidatesAndFormats) {
  TNumberEdit edit;
  edit.setText("abc");
  EXPECT_FALSE(edit.Validate());
  EXPECT_EQ(edit.Value(), 0);
  edit.setText("12.5");
  EXPECT_TRUE(edit.Validate());
  EXPECT_EQ(edit.Value(), 12.5);
  edit.SetValue(1234567.8);
  EXPECT_EQ(edit.text(), "1234568");
  edit.SetValue(15);
  EXPECT_EQ(edit.text(), "15");
  edit.SetValue(0.1);
  EXPECT_EQ(edit.text(), "0.1");
  EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
}

// The C format reads the same in every locale; a locale's own decimal
// comma is taken only where the C format cannot read the text at all.
TEST(NumberEditTest, ReadsTheCFormatInEveryLocale) {
  const QLocale previous;
  struct Row {
    const char* locale;
    const char* text;
    bool valid;
    double value;
  };
  for (const Row& r : {Row{"de_DE", "1.250", true, 1.25}, Row{"de_DE", "1,25", true, 1.25},
                       Row{"de_DE", "1.250,5", false, 0}, Row{"en_US", "1,250", false, 0},
                       Row{"en_US", "2.5e3", true, 2500}, Row{"fr_FR", "0,5", true, 0.5}}) {
    QLocale::setDefault(QLocale(r.locale));
    TNumberEdit edit;
    edit.setText(r.text);
    EXPECT_EQ(edit.Validate(), r.valid) << r.locale << " " << r.text;
    EXPECT_EQ(edit.Value(), r.value) << r.locale << " " << r.text;
  }
  QLocale::setDefault(previous);
}

class StartFormTest : public ::testing::Test {
 protected:
  test::ScriptedDialogs dialogs;
  TStartForm form{dialogs};
};

TEST_F(StartFormTest, OpensWithTheLengthSelectedForTyping) {
  form.Edit1->setText("15");
  form.show();
  EXPECT_EQ(form.focusWidget(), form.Edit1);
  EXPECT_EQ(form.Edit1->selectedText(), "15");
}

TEST_F(StartFormTest, HasItsCaptionAndLayout) {
  EXPECT_EQ(form.windowTitle(), "New Trevan project");
  EXPECT_EQ(form.size(), QSize(290, 140));
  EXPECT_EQ(form.Edit1->geometry(), QRect(100, 48, 81, 21));
  EXPECT_EQ(form.OKBtn->geometry(), QRect(100, 106, 75, 25));
  EXPECT_EQ(form.Label1->text(), "What is the length of the beam?");
  EXPECT_EQ(form.ItemIndex(), 0);
  form.SetItemIndex(1);
  EXPECT_EQ(form.ItemIndex(), 1);
}

struct LengthCase {
  const char* text;
  bool accepted;
  bool feet = false;
};

class StartFormLengthTest : public StartFormTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(StartFormLengthTest, AcceptsOnlyLayableLengths) {
  form.show();
  form.Edit1->setText(GetParam().text);
  form.SetItemIndex(GetParam().feet ? 1 : 0);
  if (!GetParam().accepted) dialogs.answers = {DialogButton::Ok};
  QTest::mouseClick(form.OKBtn, Qt::LeftButton);
  EXPECT_EQ(form.result() == QDialog::Accepted, GetParam().accepted);
  if (!GetParam().accepted) {
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open";
    EXPECT_EQ(form.Edit1->selectedText(), form.Edit1->text());
    const QString range = GetParam().feet ? "from 0.01 to 32808.4 ft" : "from 0.01 to 10000 m";
    EXPECT_TRUE(dialogs.asked.back().text.contains(range)) << dialogs.asked.back().text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, StartFormLengthTest,
    ::testing::Values(LengthCase{"15", true}, LengthCase{"10000", true}, LengthCase{"0.5", true},
                      LengthCase{"0", false}, LengthCase{"-3", false}, LengthCase{"10000.5", false},
                      LengthCase{"abc", false}, LengthCase{"", false},
                      // The limits are 0.01 and 10000 m in either unit.
                      LengthCase{"0.01", true}, LengthCase{"0.0099", false}, LengthCase{"nan", false},
                      LengthCase{"inf", false}, LengthCase{"10000.5", true, true},
                      LengthCase{"32808.4", true, true}, LengthCase{"32808.5", false, true},
                      LengthCase{"0.005", false, true}),
    [](const auto& info) {
      std::string name = "Row" + std::to_string(info.index);
      return name + (info.param.accepted ? "Accepted" : "Refused");
    });

class OptionsFormTest : public ::testing::Test {
 protected:
  test::SettingsSandbox sandbox;
  test::ScriptedDialogs dialogs;
};

TEST_F(OptionsFormTest, DefaultsAreStoredAsDecimalOnOK) {
  TOptionsForm form(dialogs);
  EXPECT_EQ(form.windowTitle(), "Trevan Options");
  EXPECT_EQ(form.ForcesColor(), TOptionsForm::DefaultForces);
  EXPECT_EQ(form.ForcesColorBox->currentText(), "Blue");
  EXPECT_EQ(form.MomentsColorBox->currentText(), "Fuchsia");
  EXPECT_EQ(form.DistancesColorBox->currentText(), "Red");
  form.show();
  QTest::mouseClick(form.OKBtn, Qt::LeftButton);
  const QString text = sandbox.Text();
  EXPECT_TRUE(text.contains("Forces Color=sz:16711680")) << text.toStdString();
  EXPECT_TRUE(text.contains("Moments Color=sz:16711935"));
  EXPECT_TRUE(text.contains("Distances Color=sz:255"));

  TOptionsForm again(dialogs);
  EXPECT_EQ(again.DistancesColor(), TOptionsForm::DefaultDistances);
}

TEST_F(OptionsFormTest, ResetThenCancelStoresNothingAndPutsTheColoursBack) {
  TOptionsForm form(dialogs);
  form.ForcesColorBox->Select(Rgb{0x00FF00});
  form.show();
  QTest::mouseClick(form.OKBtn, Qt::LeftButton);
  const QString stored = sandbox.Text();
  form.show();
  QTest::mouseClick(form.ResetBtn, Qt::LeftButton);
  EXPECT_EQ(form.ForcesColor(), TOptionsForm::DefaultForces);
  QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
  EXPECT_EQ(sandbox.Text(), stored);
  EXPECT_EQ(form.ForcesColor(), Rgb{0x00FF00});
}

TEST_F(OptionsFormTest, ACustomColourComesFromThePlatformDialog) {
  TOptionsForm form(dialogs);
  TColorBox& box = *form.MomentsColorBox;
  dialogs.colours = {QColor(10, 20, 30)};
  box.setCurrentIndex(box.count() - 1);
  emit box.activated(box.count() - 1);
  EXPECT_EQ(form.MomentsColor(), Rgb::FromRgb(10, 20, 30));
  EXPECT_EQ(box.currentText(), "Custom");
  dialogs.colours = {QColor()};  // cancelled: the colour stays
  emit box.activated(box.count() - 1);
  EXPECT_EQ(form.MomentsColor(), Rgb::FromRgb(10, 20, 30));
}

// Each label ends before its chooser, with the platform's font and a large one.
TEST_F(OptionsFormTest, EveryLabelShowsInFullBeforeItsChooser) {
  const QFont platformFont = QApplication::font();
  for (const int points : {0, 18}) {
    SCOPED_TRACE(points);
    if (points) {
      QFont large = platformFont;
      large.setPointSize(points);
      QApplication::setFont(large);
    }
    TOptionsForm form(dialogs);
    form.show();
    const TColorBox* boxes[] = {form.ForcesColorBox, form.MomentsColorBox, form.DistancesColorBox};
    const char* captions[] = {"Forces:", "Moments:", "Distances:"};
    for (int i = 0; i < 3; ++i) {
      QLabel* label = nullptr;
      for (QLabel* l : form.findChildren<QLabel*>())
        if (l->text() == captions[i]) label = l;
      ASSERT_NE(label, nullptr) << captions[i];
      const int needed = label->fontMetrics().horizontalAdvance(label->text());
      EXPECT_GE(label->width(), needed) << captions[i];
      EXPECT_LE(label->x() + needed, boxes[i]->x()) << captions[i] << " runs under its chooser";
      EXPECT_LT(boxes[i]->geometry().right(), form.Bevel1->geometry().right());
    }
    EXPECT_LT(form.Bevel1->geometry().right(), form.OKBtn->x());
    EXPECT_LE(form.OKBtn->geometry().right(), form.width());
    QApplication::setFont(platformFont);
  }
}

TEST_F(OptionsFormTest, OpensCentredOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget owner;  // a main window over in a corner
  owner.setGeometry(area.x() + 20, area.y() + 20, 400, 300);
  owner.show();
  for (QWidget* parent : {static_cast<QWidget*>(nullptr), &owner}) {
    SCOPED_TRACE(parent ? "with a main window" : "on its own");
    TOptionsForm form(dialogs, parent);
    for (int showing = 0; showing < 2; ++showing) {
      form.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
      const QPoint centre = form.frameGeometry().center();
      EXPECT_NEAR(centre.x(), area.center().x(), 1);
      EXPECT_NEAR(centre.y(), area.center().y(), 1);
      form.hide();
    }
  }
}

TEST(AboutBoxTest, ShowsTheBuildsVersion) {
  TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About Trevan");
  EXPECT_EQ(box.size(), QSize(492, 248));
  EXPECT_EQ(box.VersionLabel1->text(), "Version 2.0.0");
  EXPECT_EQ(box.ProductName->text(), "Trevan for Windows");
  EXPECT_EQ(box.OKButton->geometry(), QRect(400, 216, 77, 25));
}

class SectionFormTest : public ::testing::Test {
 protected:
  void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  test::ScriptedDialogs dialogs;
  TSectionForm form{dialogs};
};

// A new section: steel and a 100 x 200 mm rectangle, b h³/12 = 6667 cm⁴, W = 666.7 cm³.
TEST_F(SectionFormTest, ANewSectionFromAPresetAndAShape) {
  form.Load({}, 10, true);
  EXPECT_FALSE(form.Enabled->isChecked());
  EXPECT_EQ(form.E->text(), "210");
  form.Enabled->setChecked(true);
  form.Shape->setCurrentIndex(SectionShape::Rectangle);
  Type(form.Dimension[0], "100");
  Type(form.Dimension[1], "200");
  EXPECT_EQ(form.I->text(), "6666.667");
  EXPECT_EQ(form.W->text(), "666.6667 cm\u00b3");
  form.accept();
  ASSERT_EQ(form.Result().segments.size(), 1u);
  EXPECT_EQ(form.Result().segments[0].E, 210e9);
  EXPECT_NEAR(form.Result().segments[0].I, 0.1 * 0.008 / 12, 1e-15 * 6.667e-5);
  EXPECT_EQ(form.Result().segments[0].x2, 10);
}

// Shown values keep their digits; a stretch adds its own; overlaps are refused.
TEST_F(SectionFormTest, StretchesAndUnchangedValuesInFeet) {
  const BeamSection feet = BeamSection::Uniform(2.1e11, 8.356e-5, 10).Converted(false, 10 / 0.3048);
  form.Load(feet, feet.segments[0].x2, false);
  EXPECT_EQ(form.Material->currentText(), "Typed value");
  form.accept();
  EXPECT_EQ(form.Result(), feet);

  form.AddStretch->click();
  form.Stretches->item(0, 0)->setText("2");
  form.Stretches->item(0, 1)->setText("4");
  form.Stretches->item(0, 2)->setText("1700");
  form.accept();
  ASSERT_EQ(form.Result().segments.size(), 3u);
  EXPECT_EQ(form.Result().segments[1].x1, 2);
  EXPECT_EQ(form.Result().segments[1].E, 1700.0 * 144000);
  EXPECT_EQ(form.Result().segments[1].I, feet.segments[0].I);

  form.AddStretch->click();
  form.Stretches->item(1, 0)->setText("3");
  form.Stretches->item(1, 1)->setText("5");
  dialogs.answers.push_back(DialogButton::Ok);
  form.accept();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, "Two stretches overlap.");
}

// The hollow shapes are the solid ones less their holes.
TEST(SectionShapeTest, HollowShapesAreSolidsLessTheirHoles) {
  auto I = [](SectionShape::Kind kind, std::array<double, 4> size) { return SectionShape{kind, size}.I(); };
  const double rhs = I(SectionShape::Rectangle, {100, 200}) - I(SectionShape::Rectangle, {80, 180});
  EXPECT_NEAR(I(SectionShape::RectangularHollow, {100, 200, 10}), rhs, 1e-6 * rhs);
  const double chs = I(SectionShape::Circle, {100}) - I(SectionShape::Circle, {90});
  EXPECT_NEAR(I(SectionShape::CircularHollow, {100, 5}), chs, 1e-6 * chs);
  // Flanges and web as three rectangles about the centre: Steiner's theorem.
  const double flange = I(SectionShape::Rectangle, {100, 8.5}) + 100 * 8.5 * std::pow(100 - 4.25, 2);
  const double ishape = 2 * flange + I(SectionShape::Rectangle, {5.6, 183});
  EXPECT_NEAR(I(SectionShape::IShape, {200, 100, 5.6, 8.5}), ishape, 1e-9 * ishape);
  EXPECT_NEAR(SectionShape({SectionShape::IShape, {200, 100, 5.6, 8.5}}).W(), ishape / 100, 1e-9 * ishape);
  EXPECT_EQ(I(SectionShape::CircularHollow, {100, 50}), 0);  // no wall left
  EXPECT_EQ(I(SectionShape::IShape, {200, 100, 5.6, 100}), 0);
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Cases come back as edited, the combinations follow the rule while the
// dialog is open, and a case that holds loads stays, saying why.
TEST(LoadCasesFormTest, EditsCasesAndShowsTheRulesCombinations) {
  test::ScriptedDialogs dialogs;
  TLoadCasesForm form{dialogs};
  LoadCases cases;
  cases.cases = {{"Dead", LoadKind::Permanent}, {"Offices", LoadKind::Imposed, ImposedCategory::B}};
  form.Load(cases, {3, 1});
  // 6.10: Q leading with G sup and G inf; characteristic, frequent, quasi-permanent.
  EXPECT_EQ(form.Combinations->rowCount(), 5);
  EXPECT_EQ(form.Combinations->item(0, 2)->text(), "1.35 Dead + 1.5 Offices");

  form.AddCase->click();
  static_cast<QComboBox*>(form.Cases->cellWidget(2, 1))->setCurrentIndex(static_cast<int>(LoadKind::Snow));
  form.Rule->setCurrentIndex(static_cast<int>(CombinationRule::AsceLrfd));
  // 1.4D comes first, then 1.2D + 1.6L + 0.5(Lr or S or R) with only S present.
  EXPECT_EQ(form.Combinations->item(1, 0)->text(), "1.2D + 1.6L + 0.5S");

  form.Cases->setCurrentCell(1, 0);
  dialogs.answers.push_back(DialogButton::Ok);
  form.RemoveCase->click();
  EXPECT_EQ(form.Cases->rowCount(), 3);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_TRUE(dialogs.asked[0].text.contains("holds 1 load")) << dialogs.asked[0].text.toStdString();

  form.accept();
  ASSERT_EQ(form.Result().cases.size(), 3u);
  EXPECT_EQ(form.Result().cases[2].kind, LoadKind::Snow);
  EXPECT_EQ(form.Result().cases[1].category, ImposedCategory::B);
  EXPECT_EQ(form.Result().rule, CombinationRule::AsceLrfd);
}

}  // namespace
}  // namespace trevan
