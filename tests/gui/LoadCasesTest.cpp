#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <cmath>

#include "MainWindowFixture.h"
#include "TCaseChoices.h"
#include "TCombinationsForm.h"
#include "TObjectDialog.h"
#include "TResultsPanel.h"
#include "TShowForm.h"
#include "TViewCommands.h"

namespace trevan {
namespace {

const QString Examples = TREVAN_EXAMPLES_DIR;

// Two spans of 6 m; Dead 10 kN/m (case 1) and Offices 15 kN/m (case 2), both everywhere.
class LoadCasesTest : public test::MainWindowFixture {
 protected:
  void Start(QStringList files = {Examples + "/two-span-load-cases.tvn"}) {
    main = std::make_unique<TMainForm>(dialogs, files);
    main->show();
    Settle();
    PinScales();
  }
  TCaseChoices& Bar() { return main->CaseChoices(); }
  void Pick(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
    emit box->activated(i);
    Settle();
    while (main->ApplicationEvents1Idle()) {
    }
    Settle();
  }
  QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  // Pixels of the input view in the muted load colour.
  int MutedPixels() {
    TInputForm& view = Active()->InputForm();
    view.RenderNow();
    const QImage& image = view.Backing().image();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(214, 170, 170);
    return n;
  }
};

// The bar follows the active window, keeps each window's case, and hides
// for a beam without cases.
TEST_F(LoadCasesTest, TheActiveCaseBelongsToEachWindow) {
  Start({Examples + "/two-span-load-cases.tvn", Examples + "/simply-supported.tvn"});
  TMDIChild* cased = Window(0);
  EXPECT_TRUE(Bar().Bar()->isHidden()) << "the plain beam is active";
  Activate(cased);
  ASSERT_FALSE(Bar().Bar()->isHidden());
  EXPECT_EQ(Items(Bar().ActiveCase()), (QStringList{"1: Dead", "2: Offices"}));
  EXPECT_EQ(Items(Bar().Results()).size(), 1 + 2 + 5 + 2)
      << "as drawn, the cases, the combinations, two envelopes";
  const int muted = MutedPixels();
  EXPECT_GT(muted, 0) << "the offices load stands above the dead one";
  Pick(Bar().ActiveCase(), "2: Offices");
  EXPECT_EQ(cased->ActiveCase(), 1u);
  EXPECT_EQ(MutedPixels(), 0) << "the taller active load covers the muted one";
  Activate(Window(1));
  EXPECT_TRUE(Bar().Bar()->isHidden());
  EXPECT_EQ(Window(1)->ActiveCase(), 0u);
  Activate(cased);
  EXPECT_EQ(Bar().ActiveCase()->currentText(), "2: Offices");
}

// The force tool, Edit | Add Force and paste put new loads in the active case.
TEST_F(LoadCasesTest, NewLoadsGoIntoTheActiveCase) {
  Start();
  Pick(Bar().ActiveCase(), "2: Offices");
  TTrevanDoc& beam = *Active()->Beam();
  dialogs.dialogs.push_back([](QDialog& d) {
    d.accept();
    return QDialog::Accepted;
  });
  Run("EditAddForce1");
  ASSERT_EQ(beam.Charges.size(), 1u);
  EXPECT_EQ(beam.Charges[0]->Case, 1u);
  Run("ForceToolAction");
  Click(Active(), 100, Active()->InputForm().BaseLine() - 40);
  ASSERT_EQ(beam.Charges.size(), 2u);
  EXPECT_EQ(beam.Charges[1]->Case, 1u);
  Pick(Bar().ActiveCase(), "1: Dead");
  QGuiApplication::clipboard()->setText("f;   500");
  Run("EditPaste1");
  ASSERT_EQ(beam.Charges.size(), 3u);
  EXPECT_EQ(beam.Charges[2]->Case, 0u);
}

// A combination's diagram is the factored sum of its cases: 1.35 x 10 +
// 1.5 x 15 = 36 kN/m on two 6 m spans, M = w x (3L/8 - x/2) on the first
// span. Its table names it; the envelope's band holds it.
TEST_F(LoadCasesTest, TheChosenResultIsWhatTheDiagramsAndThePanelShow) {
  Start();
  Run("ViewResults1");
  Pick(Bar().Results(), "ULS 6.10 Q1 leading");
  TMDIChild& w = *Active();
  const double ds = w.DistanceScale(), wq = 1.35 * 10000 + 1.5 * 15000, L = 6;
  const auto& moment = w.ShowForm().MomentColumns();
  for (std::size_t i = 0; i < moment.size(); i += 7) {
    const double x = static_cast<double>(i) * ds;
    if (x > L) break;
    EXPECT_NEAR(-moment[i], wq * x * (3 * L / 8 - x / 2), 1e-6 * wq * L * L) << "x = " << x;
  }
  TResultsPanel& panel = main->ViewCommands().ResultsPanel();
  EXPECT_EQ(panel.Table()->item(0, 0)->text(), "ULS 6.10 Q1 leading");
  // The input view's reaction labels are those of the chosen result.
  auto inputLabels = [&] {
    w.InputForm().RenderNow();
    std::string texts;
    for (const auto& label : w.InputForm().PlacedValueLabels()) texts += label.text + "|";
    return texts;
  };

  // One case alone: the middle support of two equal spans carries 5wL/4.
  Pick(Bar().Results(), "Case 1: Dead");
  EXPECT_EQ(panel.Table()->item(0, 0)->text(), "Case 1: Dead");
  EXPECT_TRUE(panel.TableText().contains("2\t6\tRoll\t75000")) << panel.TableText().toStdString();
  EXPECT_NE(inputLabels().find("R=22500 N|"), std::string::npos) << "3wL/8 at an end: " << inputLabels();

  Pick(Bar().Results(), "ULS envelope");
  EXPECT_TRUE(panel.Table()->isHidden());
  EXPECT_TRUE(panel.Envelopes()->toPlainText().startsWith("ULS envelope:"));
  EXPECT_FALSE(panel.Envelopes()->toPlainText().contains("SLS envelope"));
  EXPECT_EQ(main->StatusPanel(2)->text(), "Max. moment :  162000 Nm") << "over the middle support";
  EXPECT_EQ(inputLabels().find("R="), std::string::npos) << "no one set of reactions: " << inputLabels();
  const Envelope& e = w.ShowForm().ShownEnvelope();
  ASSERT_TRUE(e.solved);
  for (std::size_t i = 0; i < moment.size(); i += 5) {
    const double x = static_cast<double>(i) * ds;
    const Envelope::Sample* s = TShowForm::EnvelopeAt(e, x);
    ASSERT_NE(s, nullptr);
    if (x <= L) {
      const double all = wq * x * (3 * L / 8 - x / 2);
      EXPECT_LE(s->momentLower, all + 1e-6) << x;
      EXPECT_GE(s->momentUpper, all - 1e-6) << x;
    }
  }
  // Over the middle support: every span loaded, (a + b) L^2 / 8.
  EXPECT_NEAR(TShowForm::EnvelopeAt(e, L)->momentLower, -wq * L * L / 8, 1e-6 * wq * L * L);
  // The kept envelope follows every edit: 10 kN more of offices at 3 m
  // raises the sagging peak, and its undo gives the old one back exactly.
  const double before = e.maxSagging.value;
  charge extra(3, 10000, &w.InputForm());
  extra.Case = 1;
  w.Recorder()->RecordAddCharge(extra);
  Settle();
  EXPECT_GT(w.ShowForm().ShownEnvelope().maxSagging.value, before + 1000);
  Run("EditUndo1");
  EXPECT_DOUBLE_EQ(w.ShowForm().ShownEnvelope().maxSagging.value, before);

  dialogs.files = {File("envelope.csv")};
  Run("FileExportTable1");
  QFile csv(File("envelope.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_TRUE(csv.readLine().startsWith("x (m),shear upper (N),shear lower (N)"));
  dialogs.files = {File("envelope.svg")};
  Run("FileExportDiagrams1");
  QFile svg(File("envelope.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("ULS envelope: Bending moment"));
}

// Beam | Combinations: the user's list is checked, set as one undo step,
// and a generated combination can be looked at alone.
TEST_F(LoadCasesTest, TheCombinationsDialogEditsTheListAndShowsOneAlone) {
  Start();
  TTrevanDoc& beam = *Active()->Beam();
  dialogs.answers = {DialogButton::Ok};
  dialogs.dialogs.push_back([](QDialog& d) {
    auto& form = static_cast<TCombinationsForm&>(d);
    EXPECT_EQ(form.User->rowCount(), 1) << "the example's own";
    EXPECT_EQ(form.Generated->rowCount(), 5);
    form.AddUser->click();
    form.User->item(1, 0)->setText("Wind gust");
    form.User->item(1, 3)->setText("200");
    form.accept();
    EXPECT_NE(form.result(), QDialog::Accepted) << "a factor out of bounds";
    form.User->item(1, 2)->setText("0.9");
    form.User->item(1, 3)->setText("1.25");
    form.User->setCurrentCell(0, 0);
    form.RemoveUser->click();
    form.Rule->setCurrentIndex(static_cast<int>(CombinationRule::User));
    EXPECT_EQ(form.Generated->rowCount(), 1);
    EXPECT_EQ(form.Generated->item(0, 2)->text(), "0.9 Dead + 1.25 Offices");
    form.accept();
    return form.result();
  });
  Run("BeamCombinations1");
  ASSERT_FALSE(dialogs.asked.empty());
  EXPECT_TRUE(dialogs.asked.back().text.contains("from -100 to 100"))
      << dialogs.asked.back().text.toStdString();
  ASSERT_EQ(beam.Cases.user.size(), 1u);
  EXPECT_EQ(beam.Cases.user[0].name, "Wind gust");
  EXPECT_EQ(beam.Cases.user[0].factors, (std::vector<double>{0.9, 1.25}));
  EXPECT_EQ(beam.Cases.rule, CombinationRule::User);
  Run("EditUndo1");
  EXPECT_EQ(beam.Cases.user[0].name, "Mine");
  EXPECT_EQ(beam.Cases.rule, CombinationRule::En1990Eq610);

  dialogs.dialogs.push_back([](QDialog& d) {
    auto& form = static_cast<TCombinationsForm&>(d);
    form.Generated->setCurrentCell(1, 0);
    form.ShowAlone->click();
    return form.result();
  });
  Run("BeamCombinations1");
  EXPECT_EQ(Active()->Choice().label, "ULS 6.10 Q1 leading (G inf)");
  EXPECT_EQ(Bar().Results()->currentText(), "ULS 6.10 Q1 leading (G inf)");
  EXPECT_EQ(beam.Cases.user[0].name, "Mine") << "nothing else changed";
}

}  // namespace
}  // namespace trevan
