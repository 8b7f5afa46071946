#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>

#include "MainWindowFixture.h"
#include "TDocument.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TResultsPanel.h"
#include "TShowForm.h"
#include "TVAxis.h"
#include "TViewCommands.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

const QString Examples = TREVAN_EXAMPLES_DIR;

// The fitting itself is under test: windows keep the scales they choose.
class ViewCommandsTest : public test::MainWindowFixture {
 protected:
  ViewCommandsTest() { pinScales = false; }
  void Start(QStringList files) {
    main = std::make_unique<TMainForm>(dialogs, files);
    main->show();
    Settle();
  }
  TResultsPanel& Panel() { return main->ViewCommands().ResultsPanel(); }
  // The row of the panel's table whose first cell is label, as texts.
  QStringList Row(const QString& label) {
    QTableWidget* t = Panel().Table();
    for (int r = 0; r < t->rowCount(); ++r)
      if (t->item(r, 0) && t->item(r, 0)->text() == label) {
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c) cells << (t->item(r, c) ? t->item(r, c)->text() : "");
        while (!cells.isEmpty() && cells.back().isEmpty()) cells.removeLast();
        return cells;
      }
    return {};
  }

  // Runs the active window's analysis to its end.
  void Analyse() {
    while (main->ApplicationEvents1Idle()) {
    }
    Settle();
  }
  // A beam file of the given contents in the temporary directory.
  QString Beam(const char* name, const std::string& text) {
    const QString path = files.filePath(name);
    std::ofstream(path.toStdString()) << text;
    return path;
  }
};

// Simply supported, 1000 N at midspan of 10 m: 500 N each, 2500 Nm at 5 m.
TEST_F(ViewCommandsTest, F9ShowsTheActiveBeamInEitherUnitSize) {
  Start({Examples + "/simply-supported.tvn"});
  QAction* results = main->Command("ViewResults1");
  ASSERT_NE(results, nullptr);
  EXPECT_EQ(results->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_TRUE(main->ViewCommands().Menu()->actions().contains(results));
  EXPECT_FALSE(Panel().isVisible());
  results->trigger();
  Settle();
  ASSERT_TRUE(Panel().isVisible());
  EXPECT_EQ(Row("Support"), (QStringList{"Support", "x (m)", "Type", "Reaction (N)", "Moment (Nm)"}));
  EXPECT_EQ(Row("1"), (QStringList{"1", "0", "Hinge", "500.00"}));
  EXPECT_EQ(Row("2"), (QStringList{"2", "10.000", "Hinge", "500.00"}));
  EXPECT_EQ(Row("Max. sagging moment (Nm)"), (QStringList{"Max. sagging moment (Nm)", "2500.0", "5.0000"}));
  EXPECT_EQ(Row("Zero shear"), (QStringList{"Zero shear", "", "5.0000"}));
  EXPECT_EQ(Row("Total load (N)"), (QStringList{"Total load (N)", "1000.0"}));

  EXPECT_EQ(Panel().KiloSwitch()->text(), "kN / kNm");
  Panel().KiloSwitch()->click();
  EXPECT_EQ(Row("1"), (QStringList{"1", "0", "Hinge", "0.50000"}));
  EXPECT_EQ(Row("Max. sagging moment (kNm)"), (QStringList{"Max. sagging moment (kNm)", "2.5000", "5.0000"}));

  // Closing the panel takes the command's check away.
  Panel().close();
  EXPECT_FALSE(results->isChecked());
}

TEST_F(ViewCommandsTest, CopyPutsTheTableOnTheClipboardAsTabSeparatedText) {
  Start({Examples + "/cantilever.tvn"});
  main->Command("ViewResults1")->trigger();
  Settle();
  // The cantilever: 2000 N at 3.5 m and 500 N/m over 4 m on a vice at 0.
  const QString expected =
      "Support\tx (m)\tType\tReaction (N)\tMoment (Nm)\n"
      "1\t0\tVice\t4000\t11000\n"
      "\n"
      "Result\tValue\tx (m)\n"
      "Max. sagging moment (Nm)\t0\t0\n"
      "Max. hogging moment (Nm)\t-11000\t0\n"
      "Max. shear (N)\t4000\t0\n"
      "Zero shear\t\tnone\n"
      "Total load (N)\t4000\n"
      "Sum of reactions (N)\t4000\n"
      "\n"
      "Set the section and material to see deflections\n";
  Panel().CopyButton()->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

  QGuiApplication::clipboard()->clear();
  Panel().activateWindow();
  Panel().Table()->setFocus();
  QTest::keyClick(Panel().Table(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
}

TEST_F(ViewCommandsTest, FollowsEveryEditAndTheActiveWindow) {
  Start({Examples + "/non-metric.tvn", Examples + "/simply-supported.tvn"});
  ASSERT_EQ(main->DocumentWindows().size(), 2);
  main->Command("ViewResults1")->trigger();
  Settle();
  EXPECT_EQ(Row("Total load (N)"), (QStringList{"Total load (N)", "1000.0"}));

  TTrevanDoc& beam = *Active()->Beam();
  beam.AddCharge(charge(2.5, 3000, &Active()->InputForm()));
  Settle();
  // 3000 N at 2.5 m more: 2250 + 500 N at the left end.
  EXPECT_EQ(Row("Total load (N)"), (QStringList{"Total load (N)", "4000.0"}));
  EXPECT_EQ(Row("1"), (QStringList{"1", "0", "Hinge", "2750.0"}));
  Active()->InputForm().SelectObject(beam.Charges.back().get());
  Active()->Recorder()->RecordDeleteSelected();
  Settle();
  EXPECT_EQ(Row("Total load (N)"), (QStringList{"Total load (N)", "1000.0"}));
  main->Command("EditUndo1")->trigger();
  Settle();
  EXPECT_EQ(Row("Total load (N)"), (QStringList{"Total load (N)", "4000.0"}));

  // The other window: 40 ft under 100 lbf/ft and 2000 lbf at 15 ft.
  main->MdiArea()->setActiveSubWindow(main->MdiArea()->subWindowList(QMdiArea::CreationOrder)[0]);
  Settle();
  EXPECT_EQ(Row("Total load (lbf)"), (QStringList{"Total load (lbf)", "6000.0"}));
  EXPECT_EQ(Panel().KiloSwitch()->text(), QString("kip / kip\u00b7ft"));
  // 2000 * 25 / 40 + 2000 = 3250 lbf at the left end.
  EXPECT_EQ(Row("1"), (QStringList{"1", "0", "Hinge", "3250.0"}));

  // A beam that cannot stand says so.
  for (element* e = Active()->Beam()->FirstSupport(); e; e = Active()->Beam()->FirstSupport())
    Active()->Beam()->RemoveSupport(*e);
  Settle();
  ASSERT_EQ(Panel().Table()->rowCount(), 1);
  EXPECT_EQ(Panel().Table()->item(0, 0)->text(), "Unstable: add a vice or two supports");
}

// The labels of both views lie inside the part of their pane that the axis
// strips leave free, overlap nowhere, and are the only pixels they change.
TEST_F(ViewCommandsTest, ValueLabelsOverlapNothingOnTheExampleBeams) {
  for (const char* example : {"simply-supported.tvn", "cantilever.tvn", "propped-cantilever.tvn",
                              "continuous-three-span.tvn", "non-metric.tvn"}) {
    SCOPED_TRACE(example);
    Start({Examples + "/" + example});
    Analyse();
    TMDIChild& w = *Active();
    EXPECT_TRUE(main->Command("ViewValues1")->isChecked());
    struct Pane {
      TBackedView* view;
      QScrollArea* box;
      int rightStrip;
      std::vector<ValueLabels::Label> (*labels)(TMDIChild&);
    } panes[] = {
        {&w.InputForm(), &w.InputScrollBox(), 0,
         [](TMDIChild& m) { return m.InputForm().PlacedValueLabels(); }},
        {&w.ShowForm(), &w.GraphScrollBox(), TVAxis::StripWidth,
         [](TMDIChild& m) { return m.ShowForm().PlacedValueLabels(); }},
    };
    int total = 0;
    for (const Pane& pane : panes) {
      ValueLabels::SetEnabled(false);
      pane.view->RenderNow();
      const QImage without = pane.view->Backing().image().copy();
      ValueLabels::SetEnabled(true);
      pane.view->RenderNow();
      const QImage with = pane.view->Backing().image();
      const QPoint origin = pane.view->Backing().Origin();
      const std::vector<ValueLabels::Label> labels = pane.labels(w);
      total += static_cast<int>(labels.size());
      // The strips over the pane's edges; labels may lie beyond the right
      // edge of a long beam, to be scrolled into sight, but never under a strip.
      const int vw = pane.box->viewport()->width(), vh = pane.box->viewport()->height();
      const QRect leftStrip(0, 0, TVAxis::StripWidth, vh);
      const QRect rightStrip(vw - pane.rightStrip, 0, pane.rightStrip, vh);
      std::vector<QRect> boxes;
      for (const auto& label : labels) {
        const QRect box(QPoint(label.box.Left, label.box.Top),
                        QPoint(label.box.Right - 1, label.box.Bottom - 1));
        const QRect seen(pane.view->mapTo(pane.box->viewport(), box.topLeft()), box.size());
        EXPECT_FALSE(seen.intersects(leftStrip) || seen.intersects(rightStrip))
            << label.text << " at " << seen.x() << "," << seen.y();
        EXPECT_TRUE(seen.top() >= 0 && seen.bottom() < vh)
            << label.text << " at " << seen.x() << "," << seen.y();
        for (const QRect& other : boxes) EXPECT_FALSE(other.intersects(box)) << label.text;
        boxes.push_back(box);
      }
      int inside = 0, outside = 0;
      for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
          if (with.pixel(x, y) == without.pixel(x, y)) continue;
          const QPoint p = QPoint(x, y) + origin;
          bool inBox = false;
          for (const QRect& b : boxes) inBox = inBox || b.contains(p);
          (inBox ? inside : outside)++;
        }
      EXPECT_EQ(outside, 0);
      EXPECT_GE(inside, 20 * static_cast<int>(boxes.size())) << "each label shows its text";
    }
    // Every reaction, a vice's moment and the extremes that are not zero.
    EXPECT_GE(total, 3);
    main.reset();
    Settle();
  }
}

TEST_F(ViewCommandsTest, ValuesOnDiagramsIsRememberedAndNamesTheReaction) {
  Start({Examples + "/cantilever.tvn"});
  Analyse();
  QAction* values = main->Command("ViewValues1");
  ASSERT_TRUE(values->isChecked());
  std::vector<std::string> texts;
  for (const auto& label : Active()->InputForm().PlacedValueLabels()) texts.push_back(label.text);
  // 2000 N at 3.5 m and 500 N/m over 4 m on a vice at 0.
  EXPECT_EQ(texts, (std::vector<std::string>{"R=4000 N", "M=11000 Nm"}));
  texts.clear();
  for (const auto& label : Active()->ShowForm().PlacedValueLabels()) texts.push_back(label.text);
  // The vice holds 2000·3.5 + 500·4·2 = 11000 Nm of hogging, and the 4000 N
  // reaction pushes the part left of every section up: positive shear.
  EXPECT_EQ(texts, (std::vector<std::string>{"-11000 Nm at 0 m", "V=4000 N at 0 m"}));

  values->trigger();
  Settle();
  Active()->InputForm().RenderNow();
  EXPECT_TRUE(Active()->InputForm().PlacedValueLabels().empty());
  main.reset();
  Settle();
  Start({Examples + "/cantilever.tvn"});
  EXPECT_FALSE(main->Command("ViewValues1")->isChecked()) << "the choice is remembered";
  main->Command("ViewValues1")->trigger();
}

// Checks that the window shows everything without scrolling, and that the
// scales are steps of the scale commands.
void ExpectFitted(TMDIChild& w, double loads, double shear, double moment) {
  EXPECT_FALSE(w.ScrollBar1().isEnabled()) << "no horizontal scrolling";
  auto isStep = [](double v) {
    const double q = v / std::pow(10.0, std::floor(std::log10(v)));
    return std::abs(q - 1.25) < 1e-9 || std::abs(q - 2.5) < 1e-9 || std::abs(q - 5) < 1e-9;
  };
  EXPECT_TRUE(isStep(w.ForceScale())) << w.ForceScale();
  EXPECT_TRUE(isStep(w.MomentScale())) << w.MomentScale();
  const int inputHalf = w.InputScrollBox().viewport()->height() / 2;
  const int graphHalf = w.GraphScrollBox().viewport()->height() / 2;
  EXPECT_LE(loads / w.ForceScale(), inputHalf);
  EXPECT_LE(shear / w.ForceScale(), graphHalf);
  EXPECT_LE(moment / w.MomentScale(), graphHalf);
  // The zero line in sight, in the middle of the pane.
  const int zero = w.ShowForm().ZeroLine() - w.GraphScrollBox().verticalScrollBar()->value();
  EXPECT_NEAR(zero, graphHalf, 2);
}

// 5 kN/m over a simply supported 10 m: reactions and largest shear 25 kN,
// largest moment wL^2/8 = 62.5 kNm, which overflows the starting 500 Nm per pixel.
TEST_F(ViewCommandsTest, AHeavilyLoadedBeamOpensFittedAndCtrl0FitsAgain) {
  const QString heavy = Beam("heavy.tvn",
                             "Trevan version :11700 \nMetric :1 \nbeam length :10.000000000 \n"
                             "number of forces :0 \nnumber of distributed loads :1 \n"
                             "distributed charge(x1,x2,f1,f2) :0.000000000 10.000000000 5000.000000000 "
                             "5000.000000000 \nnumber of supports :2 \nsupport(X,type) :0.000000000 3 \n"
                             "support(X,type) :10.000000000 3 \n");
  Start({heavy});
  Analyse();
  TMDIChild& w = *Active();
  EXPECT_GT(w.MomentScale(), 500) << "the starting scale would not show it";
  ExpectFitted(w, 25000, 25000, 62500);

  w.SetMomentScale(2.5);
  w.SetForceScale(2.5);
  QAction* fit = main->Command("ViewFit1");
  ASSERT_NE(fit, nullptr);
  EXPECT_EQ(fit->shortcut(), QKeySequence("Ctrl+0"));
  fit->trigger();
  Analyse();
  ExpectFitted(w, 25000, 25000, 62500);
  // The finest step that fits: one step finer would not (below 1.25 comes 0.5, else half).
  const int graphHalf = w.GraphScrollBox().viewport()->height() / 2;
  const double s = w.MomentScale(), q = s / std::pow(10.0, std::floor(std::log10(s)));
  const double finer = std::abs(q - 1.25) < 1e-9 ? 0.4 * s : s / 2;
  EXPECT_GT(62500 / finer, graphHalf - 32) << finer;
}

// A 200 m beam would be 5001 columns at 0.04 m: it opens over the whole
// width of the pane instead, and Fit keeps it so.
TEST_F(ViewCommandsTest, ALongBeamOpensFittedToTheWholeWidth) {
  const QString longBeam = Beam("long.tvn",
                                "Trevan version :11700 \nMetric :1 \nbeam length :200.000000000 \n"
                                "number of forces :1 \ncharge(x,f) :100.000000000 100.000000000 \n"
                                "number of distributed loads :0 \nnumber of supports :2 \n"
                                "support(X,type) :0.000000000 3 \nsupport(X,type) :200.000000000 3 \n");
  Start({longBeam});
  Analyse();
  TMDIChild& w = *Active();
  const int visible = w.GraphScrollBox().viewport()->width() - 2 * TVAxis::StripWidth;
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_LE(w.ColumnCount(), visible);
    EXPECT_GE(w.ColumnCount(), visible * 99 / 100) << "the whole width";
    // 100 N at midspan: 50 N each side, PL/4 = 5000 Nm.
    ExpectFitted(w, 100, 50, 5000);
    main->Command("ViewFit1")->trigger();
    Analyse();
  }
  // In feet the fitted beam keeps its width.
  const int columns = w.ColumnCount();
  main->Nonmetric1->trigger();
  Analyse();
  EXPECT_NEAR(w.ColumnCount(), columns, columns / 100.0);
  EXPECT_LE(w.ColumnCount(), visible);
  main->Metric1->trigger();
  Analyse();
}

// Every window opens fitted; an edit that pushes a curve out of its pane
// or leaves it under a fifth refits, until the user sets a scale by hand.
TEST_F(ViewCommandsTest, EditsRefitUntilAScaleIsSetByHand) {
  dialogs.AnswerNewProject("10");
  Start({});
  Analyse();
  TMDIChild& w = *Active();
  const int visible = w.GraphScrollBox().viewport()->width() - 2 * TVAxis::StripWidth;
  EXPECT_GE(w.ColumnCount(), visible * 99 / 100) << "a new beam opens over the whole width";
  // The moment axis right after the diagram's last column, clear of it.
  const int lastColumn = w.ShowForm().mapTo(&w.GraphScrollBox(), QPoint(w.ColumnCount() - 1, 0)).x();
  const int axis = w.MomentAxis().mapTo(&w.GraphScrollBox(), QPoint(0, 0)).x();
  EXPECT_GT(axis, lastColumn);
  EXPECT_LE(axis, lastColumn + 4);
  TTrevanDoc& beam = *w.Beam();
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  beam.AddCharge(charge(5, 2e6, &w.InputForm()));  // 1e6 N each side, PL/4 = 5e6 Nm
  Analyse();
  ExpectFitted(w, 2e6, 1e6, 5e6);
  const double fitted = w.ForceScale();
  beam.Charges[0]->f = 2e3;  // a thousandth: far under a fifth of the panes
  beam.MoveObject(*beam.Charges[0], 0);
  Analyse();
  ExpectFitted(w, 2e3, 1e3, 5e3);
  EXPECT_LT(w.ForceScale(), fitted / 100);
  main->Command("ForcesPlusAction")->trigger();
  const double byHand = w.ForceScale();
  beam.Charges[0]->f = 2e6;
  beam.MoveObject(*beam.Charges[0], 0);
  Analyse();
  EXPECT_EQ(w.ForceScale(), byHand) << "the user's scale stays";
  main->Command("ViewFit1")->trigger();
  Analyse();
  ExpectFitted(w, 2e6, 1e6, 5e6);
}

}  // namespace
}  // namespace trevan
