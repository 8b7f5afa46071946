#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "TDocManager.h"
#include "TDocument.h"
#include "THelpViewer.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TNumberEdit.h"
#include "TObjectDialog.h"
#include "TPreviewForm.h"
#include "TQMostRecentlyUsedList.h"
#include "TQPropertyInspector.h"
#include "TResultsPanel.h"
#include "TShowForm.h"
#include "TStartForm.h"
#include "TTitleBlockForm.h"
#include "TViewCommands.h"
#include "drawing/DiagramSigns.h"
#include "WindowPicture.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

class MainWindowTest : public test::MainWindowFixture {
 protected:
  void AnswerNewProject(const QString& length, int unit = 0) { dialogs.AnswerNewProject(length, unit); }
  void Start(QStringList files = {}) {
    main = std::make_unique<TMainForm>(dialogs, files);
    main->show();
    PinScales();
  }
  TInputForm& View() { return Active()->InputForm(); }
  void Click(int x, int y) { MainWindowFixture::Click(Active(), x, y); }
  bool MenuVisible(const char* title) { return main->Menu(title)->menuAction()->isVisible(); }
};

TEST_F(MainWindowTest, FirstRunShowsHelpAndAsksForTheFirstBeam) {
  AnswerNewProject("15");
  Start();
  EXPECT_EQ(main->windowTitle(), "Trevan");
  EXPECT_TRUE(main->Help().isVisible());
  EXPECT_EQ(main->Help().CurrentPage(), "getting-started.html");
  ASSERT_NE(Active(), nullptr);
  EXPECT_EQ(Active()->Beam()->Length, 15);
  EXPECT_EQ(Active()->windowTitle(), "Untitled1");
  EXPECT_TRUE(Cmd("HingeToolAction")->isChecked());
  EXPECT_EQ(main->StatusPanel(0)->width(), 300);
  EXPECT_EQ(main->StatusPanel(2)->width(), 200);
}

TEST_F(MainWindowTest, ALaterRunOnlyAsksForTheBeam) {
  {
    TQStorage mru;
    mru.SetKey("Software\\Quillmoor Software\\Trevan\\MRU");
    mru.Open();
    mru.WriteInteger("Count", 0);
  }
  TQSetting metric;
  metric.Storage.SetKey("Software\\Quillmoor Software\\Trevan");
  metric.KeyName = "Metric";
  metric.SetValue("0");
  dialogs.dialogs.push_back([](QDialog& d) {
    auto& form = static_cast<TStartForm&>(d);
    EXPECT_EQ(form.Edit1->text(), "50") << "a non-metric start proposes 50 ft";
    EXPECT_EQ(form.ItemIndex(), 1);
    return int(QDialog::Accepted);
  });
  Start();
  EXPECT_FALSE(main->Help().isVisible());
  EXPECT_TRUE(main->Nonmetric1->isChecked());
  ASSERT_NE(Active(), nullptr);
  EXPECT_FALSE(Active()->Beam()->Metric);
}

TEST_F(MainWindowTest, CancellingTheFirstBeamLeavesOnlyFileAndHelp) {
  dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
  Start();
  Settle();
  EXPECT_EQ(main->MdiArea()->subWindowList().size(), 0);
  EXPECT_FALSE(MenuVisible("&Edit"));
  EXPECT_FALSE(MenuVisible("&Tools"));
  EXPECT_FALSE(MenuVisible("&Scale"));
  EXPECT_FALSE(MenuVisible("&Window"));
  EXPECT_TRUE(MenuVisible("&File"));
  EXPECT_TRUE(MenuVisible("&Help"));
}

TEST_F(MainWindowTest, ABeamIsBuiltWithTheToolsAndUndoneThroughTheCommands) {
  AnswerNewProject("10");
  Start();
  EXPECT_TRUE(MenuVisible("&Edit"));
  EXPECT_FALSE(Cmd("EditPaste1")->isEnabled()) << "the clipboard holds no text";
  const int base = View().BaseLine();
  Click(1, base);    // hinge at 0 m: within 4 columns of the end
  Click(250, base);  // hinge at 10 m
  Run("ForceToolAction");
  Click(125, base - 4);  // 1000 N at 5 m
  TTrevanDoc& beam = *Active()->Beam();
  ASSERT_EQ(beam.SupportCount(), 2);
  ASSERT_EQ(beam.Charges.size(), 1u);
  EXPECT_EQ(beam.Charges[0]->f, 1000);
  EXPECT_TRUE(main->StatusPanel(2)->text().startsWith("Max. moment :    25"))  // 1000 N × 10 m / 4
      << main->StatusPanel(2)->text().toStdString();
  EXPECT_TRUE(Cmd("EditCut1")->isEnabled()) << "the new force is selected";
  EXPECT_TRUE(Cmd("EditProperties1")->isEnabled());

  EXPECT_EQ(Cmd("EditUndo1")->text(), "&Undo force");
  Run("EditUndo1");
  EXPECT_TRUE(beam.Charges.empty());
  EXPECT_EQ(Cmd("EditRedo1")->text(), "&Redo force");
  EXPECT_TRUE(Cmd("EditRedo1")->isEnabled());
  EXPECT_FALSE(Cmd("EditCut1")->isEnabled()) << "nothing selected any more";
  Run("EditRedo1");
  EXPECT_EQ(beam.Charges.size(), 1u);
  EXPECT_EQ(Cmd("EditRedo1")->text(), "Can't &redo");

  View().SelectObject(beam.Charges[0].get());
  Run("EditCut1");
  EXPECT_TRUE(beam.Charges.empty());
  EXPECT_TRUE(Cmd("EditPaste1")->isEnabled());
  Run("EditPaste1");
  ASSERT_EQ(beam.Charges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam.Charges[0]->x, 5) << "where it was cut from, under the pointer";
  EXPECT_TRUE(Cmd("SelectToolAction")->isChecked() || View().CurrentTool() == &View().Tool(0));
}

TEST_F(MainWindowTest, TheInspectorEditsTheSelectedSupport) {
  AnswerNewProject("10");
  Start();
  const int base = View().BaseLine();
  Click(50, base);
  Click(150, base);
  TTrevanDoc& beam = *Active()->Beam();
  element* first = beam.FirstSupport();
  View().SelectObject(first);
  Settle();
  Run("EditProperties1");
  TQPropertyInspector& inspector = main->Inspector();
  EXPECT_TRUE(inspector.isVisible());
  EXPECT_EQ(inspector.windowTitle(), "Support");
  QTableWidget& list = *inspector.ValueListEditor1;
  // Position, type, spring and settlement; the springs' rows start empty: rigid.
  ASSERT_EQ(list.rowCount(), 4);
  auto* pick = qobject_cast<QComboBox*>(list.cellWidget(1, 1));
  ASSERT_NE(pick, nullptr);
  EXPECT_EQ(pick->count(), 4);
  EXPECT_EQ(pick->currentText(), "Hinge (pinned)");
  EXPECT_EQ(pick->itemText(1), "Vice (fixed)");
  EXPECT_EQ(pick->itemText(2), "Roller");

  inspector.ValueListEditor1Validate(2, "Vice (fixed)");
  EXPECT_EQ(first->LeftType, ftVice);
  EXPECT_EQ(Cmd("EditUndo1")->text(), "&Undo properties");
  inspector.ValueListEditor1Validate(2, "Vice (fixed)");  // the same text: nothing more
  Run("EditUndo1");
  EXPECT_EQ(first->LeftType, ftHinge);

  dialogs.answers = {DialogButton::Ok};
  list.item(0, 1)->setText("7");  // past the neighbour at 6 m: refused, saying why
  EXPECT_TRUE(dialogs.asked.back().text.contains("left of its neighbour at 6 m"))
      << dialogs.asked.back().text.toStdString();
  EXPECT_DOUBLE_EQ(first->X1, 2);
  EXPECT_EQ(list.item(0, 1)->text(), "2");
  dialogs.answers = {DialogButton::Ok};
  list.item(0, 1)->setText("two");  // not a number: a message and the old text
  EXPECT_EQ(dialogs.asked.back().caption, "Error");
  EXPECT_EQ(list.item(0, 1)->text(), "2");
  dialogs.answers = {DialogButton::Ok};
  list.item(0, 1)->setText(QString(60, '1'));
  EXPECT_EQ(list.item(0, 1)->text(), "2");
  list.item(0, 1)->setText("3");
  EXPECT_DOUBLE_EQ(first->X1, 3);
  list.item(2, 1)->setText("45");  // kN/m
  EXPECT_DOUBLE_EQ(first->Spring, 45000);
  list.item(2, 1)->setText("");  // rigid again
  EXPECT_EQ(first->Spring, 0);

  inspector.close();
  EXPECT_FALSE(Cmd("EditProperties1")->isChecked());
}

TEST_F(MainWindowTest, UnitsSwitchEveryOpenBeam) {
  AnswerNewProject("10");
  AnswerNewProject("20");
  Start();
  Run("FileNew");
  ASSERT_EQ(main->DocumentWindows().size(), 2);
  main->Nonmetric1->trigger();
  Settle();
  for (TMDIChild* w : main->DocumentWindows()) EXPECT_FALSE(w->Beam()->Metric);
  EXPECT_NEAR(main->DocumentWindows()[1]->Beam()->Length, 20 * 3.2808398950131231941, 1e-9);
  EXPECT_EQ(sandbox.Text().contains("Metric=sz:0"), true);
  main->Metric1->trigger();
  Settle();
  for (TMDIChild* w : main->DocumentWindows()) EXPECT_TRUE(w->Beam()->Metric);
}

TEST_F(MainWindowTest, AUnitSwitchPastTheLengthLimitIsRefusedWithAMessage) {
  AnswerNewProject("32808.4", 1);  // ft: just over 10000 m
  AnswerNewProject("20");
  Start();
  Run("FileNew");
  ASSERT_EQ(main->DocumentWindows().size(), 2);
  TMDIChild* longBeam = main->DocumentWindows()[0];
  longBeam->Document().SetDirty(false);
  main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(longBeam->parentWidget()));
  Settle();
  dialogs.answers = {DialogButton::Ok};
  main->Nonmetric1->trigger();  // the 20 m beam becomes feet
  main->Metric1->trigger();
  Settle();
  ASSERT_FALSE(dialogs.asked.empty());
  EXPECT_EQ(dialogs.asked.back().caption, "Units");
  EXPECT_TRUE(dialogs.asked.back().text.contains("from 0.01 to 10000 m"))
      << dialogs.asked.back().text.toStdString();
  EXPECT_FALSE(longBeam->Beam()->Metric);
  EXPECT_EQ(longBeam->Beam()->Length, 32808.4);
  EXPECT_FALSE(longBeam->Document().Dirty());
  EXPECT_TRUE(main->DocumentWindows()[1]->Beam()->Metric) << "the other beam switched";
  EXPECT_EQ(Active(), longBeam);
  EXPECT_TRUE(main->Nonmetric1->isChecked()) << "the marks show the active beam's units";
}

TEST_F(MainWindowTest, TheInspectorRefusesValuesTheFileCouldNotHold) {
  AnswerNewProject("15");
  Start();
  Active()->Beam()->AddCharge(charge(5, 1000, &View()));
  TTrevanDoc& beam = *Active()->Beam();
  charge* force = beam.Charges[0].get();
  View().SelectObject(force);
  Settle();
  Run("EditProperties1");
  QTableWidget& list = *main->Inspector().ValueListEditor1;
  struct Row {
    int row;
    const char* text;
    const char* range;
  };
  for (const Row& r :
       {Row{0, "1e308", "between -1e+12 and 1e+12 N"}, Row{0, "inf", "between -1e+12 and 1e+12 N"},
        Row{1, "-5", "from 0 to 15 m"}, Row{1, "2000", "from 0 to 15 m"}}) {
    const QString old = list.item(r.row, 1)->text();
    dialogs.answers = {DialogButton::Ok};
    list.item(r.row, 1)->setText(r.text);
    ASSERT_FALSE(dialogs.asked.empty()) << r.text;
    EXPECT_EQ(dialogs.asked.back().caption, "Error");
    EXPECT_TRUE(dialogs.asked.back().text.contains(r.range)) << dialogs.asked.back().text.toStdString();
    EXPECT_EQ(list.item(r.row, 1)->text(), old);
  }
  EXPECT_EQ(force->f, 1000);
  EXPECT_EQ(force->x, 5);
  EXPECT_FALSE(Cmd("EditUndo1")->isEnabled()) << "nothing was recorded";
}

TEST_F(MainWindowTest, SaveCloseAndReopenThroughTheRecentList) {
  AnswerNewProject("10");
  Start();
  const int base = View().BaseLine();
  Click(50, base);
  const QString target = File("saved.tvn");
  dialogs.files = {target};
  Run("FileSave");
  EXPECT_TRUE(QFile::exists(target));
  EXPECT_EQ(Active()->windowTitle(), target);
  Run("FileClose");  // saved: no question
  EXPECT_EQ(main->DocumentWindows().size(), 0);
  QAction* recent = main->DocManager1().RecentList()->GetMenuItem(target);
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->text(), "&0 saved.tvn");
  recent->trigger();
  Settle();
  ASSERT_EQ(main->DocumentWindows().size(), 1);
  EXPECT_EQ(Active()->Beam()->SupportCount(), 1);
  EXPECT_FALSE(Active()->Document().Dirty());
  EXPECT_FALSE(Cmd("EditUndo1")->isEnabled()) << "an opened beam starts an empty history";

  Click(150, base);  // a change, then close with the question
  dialogs.answers = {DialogButton::No};
  Run("FileClose");
  EXPECT_EQ(dialogs.asked.back().caption, "Warning");
  EXPECT_EQ(main->DocumentWindows().size(), 0);
}

TEST_F(MainWindowTest, PreviewAndPrintToAPdfFile) {
  AnswerNewProject("10");
  Start();
  Click(50, View().BaseLine());
  TMDIChild* window = Active();
  Run("FilePrintPreview1");
  auto* preview = qobject_cast<TPreviewForm*>(main->MdiArea()->currentSubWindow()->widget());
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->windowTitle(), "Trevan Print Preview");
  EXPECT_EQ(preview->TargetWindow(), window);
  preview->PaintBox1()->repaint();
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview->PageCount() == 1; })) << preview->PageCount();

  const QString pdf = File("beam.pdf");
  dialogs.printers.push_back([pdf](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  Run("FilePrint1");  // from the preview: prints its document window
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
            preview->PageCount())
      << "the pages the preview shows";
  EXPECT_FALSE(bytes.contains("/Subtype /Image")) << "drawn as vectors, not as a picture of the window";

  dialogs.printers.push_back([](QPrinter&) { return false; });  // cancelled: nothing
  Run("FilePrint1");

  // A new document counts the preview among the child windows.
  AnswerNewProject("5");
  Run("FileNew");
  EXPECT_EQ(Active()->windowTitle(), "Untitled3");

  // Closing the document window closes its preview.
  window->Document().SetDirty(false);
  main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
  Run("FileClose");
  for (QMdiSubWindow* sub : main->MdiArea()->subWindowList())
    EXPECT_EQ(qobject_cast<TPreviewForm*>(sub->widget()), nullptr);
}

// File | Properties fills the sheet's title block, which saves with the beam;
// Scale | Options' moment side is remembered for the next run.
TEST_F(MainWindowTest, PropertiesAndTheMomentSideAreKept) {
  AnswerNewProject("10");
  Start();
  dialogs.dialogs.push_back([](QDialog& d) {
    auto& form = static_cast<TTitleBlockForm&>(d);
    form.Field(TitleBlock::Project)->setText("Footbridge");
    form.Field(TitleBlock::Date)->setText("  2026-12-09 ");
    return int(QDialog::Accepted);
  });
  Run("FileProperties1");
  EXPECT_EQ(Active()->Beam()->Title[TitleBlock::Project], "Footbridge");
  EXPECT_EQ(Active()->Beam()->Title[TitleBlock::Date], "2026-12-09");
  EXPECT_TRUE(Active()->Document().Dirty());
  Active()->Document().SetDirty(false);

  for (const int side : {1, 0}) {
    dialogs.dialogs.push_back([side](QDialog& d) {
      d.findChild<QComboBox*>("MomentSideBox")->setCurrentIndex(side);
      d.accept();
      return int(QDialog::Accepted);
    });
    QAction* options = nullptr;
    for (QAction* a : main->Menu("&Scale")->actions())
      if (a->text() == "&Options...") options = a;
    ASSERT_NE(options, nullptr);
    options->trigger();
    Settle();
    EXPECT_EQ(DiagramSigns::SaggingUp(), side == 1);
    if (side == 1) {
      main.reset();
      Settle();
      DiagramSigns::SetSaggingUp(false);
      AnswerNewProject("10");
      Start();
      EXPECT_TRUE(DiagramSigns::SaggingUp()) << "read back from the settings";
    }
  }
}

TEST_F(MainWindowTest, ExitWithAnUnsavedBeamCanBeCancelled) {
  AnswerNewProject("10");
  Start();
  Click(50, View().BaseLine());
  dialogs.answers = {DialogButton::Cancel};
  main->close();
  Settle();
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(main->DocumentWindows().size(), 1);
  dialogs.answers = {DialogButton::No};
  main->close();
  Settle();
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(main->DocManager1().DocumentCount(), 0);
}

TEST_F(MainWindowTest, FilesOnTheCommandLineOpenInsteadOfANewBeam) {
  const QString beam = QString(TREVAN_EXAMPLES_DIR) + "/simply-supported.tvn";
  const QString broken = File("broken.tvn");
  QFile f(broken);
  f.open(QIODevice::WriteOnly);
  f.write("garbage");
  f.close();
  dialogs.answers = {DialogButton::Ok};  // the reader's message for the broken file
  Start({beam, broken});
  Settle();
  EXPECT_EQ(dialogs.asked.back().text, "Error while opening file");
  ASSERT_EQ(main->DocumentWindows().size(), 1);
  EXPECT_EQ(main->DocumentWindows()[0]->Beam()->SupportCount(), 2);
}

// The exports of the active beam, asked for their file through the dialogs,
// with the beam's own name offered and an existing file kept unless replaced.
TEST_F(MainWindowTest, ExportsWriteTheReportTheDiagramsAndTheTable) {
  Start({QString(TREVAN_EXAMPLES_DIR) + "/simply-supported.tvn"});
  const QList<QAction*> items = main->Menu("&File")->actions();
  const qsizetype preview = items.indexOf(Cmd("FilePrintPreview1"));
  ASSERT_GE(preview, 0);
  ASSERT_GT(items.size(), preview + 4);
  EXPECT_TRUE(items[preview + 1]->isSeparator());
  EXPECT_EQ(items[preview + 2], Cmd("FileExportReport1"));
  EXPECT_EQ(items[preview + 3], Cmd("FileExportDiagrams1"));
  EXPECT_EQ(items[preview + 4], Cmd("FileExportTable1"));

  const auto read = [](const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  dialogs.files = {File("sheet.pdf")};
  Run("FileExportReport1");
  EXPECT_TRUE(dialogs.lastSaveName.endsWith("/simply-supported.pdf")) << dialogs.lastSaveName.toStdString();
  EXPECT_TRUE(read(File("sheet.pdf")).startsWith("%PDF"));

  dialogs.files = {File("drawings.svg"), File("drawings.png")};
  Run("FileExportDiagrams1");
  Run("FileExportDiagrams1");
  EXPECT_TRUE(read(File("drawings.svg")).contains("<svg"));
  EXPECT_FALSE(QImage(File("drawings.png")).isNull());

  // P = 1000 N at the middle of 10 m: PL/4 under the load, P/2 either side.
  dialogs.files = {File("table.csv")};
  Run("FileExportTable1");
  const QByteArray csv = read(File("table.csv"));
  EXPECT_TRUE(csv.startsWith("x (m),shear (N),moment (Nm)\n"));
  EXPECT_TRUE(csv.contains("\n5,500,2500\n5,-500,2500\n")) << csv.toStdString();

  // Another zoom changes nothing: the table and drawings follow the exact results.
  const double distanceScale = Active()->DistanceScale(), momentScale = Active()->MomentScale();
  Run("DistancesPlusAction");
  Run("MomentsMinusAction");
  EXPECT_NE(Active()->DistanceScale(), distanceScale);
  EXPECT_NE(Active()->MomentScale(), momentScale);
  dialogs.files = {File("zoomed.csv"), File("zoomed.svg")};
  Run("FileExportTable1");
  Run("FileExportDiagrams1");
  EXPECT_EQ(read(File("zoomed.csv")), csv);
  EXPECT_EQ(read(File("zoomed.svg")), read(File("drawings.svg")));

  QFile keep(File("table.csv"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
  keep.write("keep");
  keep.close();
  dialogs.files = {File("table.csv"), File("table.csv"), ""};
  dialogs.answers = {DialogButton::No, DialogButton::Yes};
  Run("FileExportTable1");
  EXPECT_EQ(read(File("table.csv")), "keep");
  Run("FileExportTable1");
  EXPECT_TRUE(read(File("table.csv")).startsWith("x (m)"));
  Run("FileExportReport1");  // cancelled: nothing more is asked
  EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST(PrintFitTest, PicturesFillTheWidthOrTheHeight) {
  EXPECT_EQ(FitPicture(600, 400, 4800, 6600), QSize(4800, 3200));
  EXPECT_EQ(FitPicture(300, 600, 4800, 6600), QSize(3300, 6600));
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Undo takes the inspector's object away: the inspector stays on the
// selection and an edit reaches only a live object.
TEST_F(MainWindowTest, TheInspectorNeverEditsADestroyedSupport) {
  AnswerNewProject("10");
  Start();
  const int base = View().BaseLine();
  Click(50, base);   // T, with the hinge tool a new window starts with
  Click(150, base);  // S, selected
  TTrevanDoc& beam = *Active()->Beam();
  ASSERT_EQ(beam.SupportCount(), 2);
  element* t = beam.FirstSupport();
  QTest::keyClick(&View(), Qt::Key_Right);
  Run("EditProperties1");
  View().SelectObject(t);
  Settle();
  TQPropertyInspector& inspector = main->Inspector();
  Run("EditUndo1");  // the move of S
  EXPECT_EQ(inspector.TargetObject(), t);
  Run("EditUndo1");  // S goes
  EXPECT_EQ(inspector.TargetObject(), t);
  inspector.ValueListEditor1->item(0, 1)->setText("3");
  EXPECT_DOUBLE_EQ(t->X1, 3);
}

// A double click past the beam of one window must not open the inspector
// on an object of a window that has been closed.
TEST_F(MainWindowTest, TheInspectorNeverEditsAnObjectOfAClosedWindow) {
  AnswerNewProject("10");
  Start();
  Run("ForceToolAction");
  Click(50, View().BaseLine() - 20);
  TMDIChild* first = Active();
  AnswerNewProject("10");
  Run("FileNew");
  ASSERT_EQ(main->DocumentWindows().size(), 2);
  main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
  Settle();
  ASSERT_EQ(Active(), first);
  first->Document().SetDirty(false);
  Run("FileClose");
  ASSERT_EQ(main->DocumentWindows().size(), 1);
  Run("SelectToolAction");
  const QPoint past(Active()->ColumnCount() + 2, View().BaseLine() - 10);
  QTest::mouseDClick(&View(), Qt::LeftButton, {}, past);
  Settle();
  TQPropertyInspector& inspector = main->Inspector();
  EXPECT_EQ(inspector.TargetObject(), nullptr);
  EXPECT_EQ(inspector.ValueListEditor1->rowCount(), 0);
  inspector.ValueListEditor1Validate(1, "7");  // reaches nothing
}

TEST_F(MainWindowTest, TheInspectorShowsTheActiveWindowsSelection) {
  AnswerNewProject("10");
  Start();
  Run("ForceToolAction");
  Click(50, View().BaseLine() - 20);
  TMDIChild* first = Active();
  object* force = first->Beam()->Charges[0].get();
  Run("EditProperties1");
  TQPropertyInspector& inspector = main->Inspector();
  ASSERT_EQ(inspector.TargetObject(), force);
  AnswerNewProject("10");
  Run("FileNew");
  ASSERT_NE(Active(), first);
  EXPECT_EQ(inspector.TargetObject(), nullptr) << "the new window has no selection";
  EXPECT_EQ(inspector.ValueListEditor1->rowCount(), 0);
  main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
  Settle();
  EXPECT_EQ(inspector.TargetObject(), force);
}

// An edit committed through the cell editor: no warning about the editor,
// and an Undo shows the old value in the row and in the object alike.
TEST_F(MainWindowTest, AnInspectorEditCommitsCleanlyAndItsUndoShowsTheOldValue) {
  AnswerNewProject("10");
  Start();
  Run("ForceToolAction");
  Click(50, View().BaseLine() - 20);  // 5000 N at 2 m
  charge& force = *Active()->Beam()->Charges[0];
  ASSERT_EQ(force.f, 5000);
  Run("EditProperties1");
  QTableWidget& list = *main->Inspector().ValueListEditor1;

  static QStringList warnings;
  warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) warnings.append(text);
      });
  auto commit = [&](int row, const QString& text) {
    list.setCurrentCell(row, 1);
    list.editItem(list.item(row, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
  };
  commit(0, "7500");
  EXPECT_EQ(force.f, 7500);
  Run("EditUndo1");
  EXPECT_EQ(force.f, 5000);
  EXPECT_EQ(list.item(0, 1)->text(), "5000");
  commit(1, "3");  // only the distance
  qInstallMessageHandler(previous);
  EXPECT_EQ(force.x, 3);
  EXPECT_EQ(force.f, 5000);
  EXPECT_TRUE(warnings.filter("commitData").isEmpty()) << warnings.join('\n').toStdString();
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Each Add command's dialog: the inspector's fields, a refusal that says
// why and keeps the dialog open, and one undoable addition.
TEST_F(MainWindowTest, TheAddCommandsPutObjectsOnTheBeamAsOneUndoableStep) {
  AnswerNewProject("10");
  Start();
  struct Row {
    const char* command;
    QStringList refused;  // texts the dialog refuses first
    const char* why;
    QStringList texts;
  };
  const Row rows[] = {
      {"EditAddForce1", {"1e13", "3.5"}, "between -1e+12 and 1e+12 N", {"2000", "3.5"}},
      {"EditAddLoad1", {"100", "4", "200", "1"}, "past distance 1 (4 m)", {"100", "1", "200", "4"}},
      {"EditAddSupport1", {"12", "Roller"}, "from 0 to 10 m", {"7.5", "Roller"}},
      {"EditAddMoment1", {"nan", "2"}, "The moment must be", {"-750", "2"}},
      {"EditAddHinge1", {"7.5000004"}, "support at 7.5", {"5"}},
  };
  for (const Row& r : rows) {
    dialogs.answers = {DialogButton::Ok};
    dialogs.dialogs.push_back([&r](QDialog& d) {
      auto& form = static_cast<TObjectDialog&>(d);
      auto fill = [&form](const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
          if (QLineEdit* edit = form.Edit(i))
            edit->setText(texts[i]);
          else
            form.Choice(i)->setCurrentText(texts[i]);
      };
      fill(r.refused);
      form.accept();
      EXPECT_NE(form.result(), QDialog::Accepted) << r.command;
      fill(r.texts);
      form.accept();
      return form.result();
    });
    Run(r.command);
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_TRUE(dialogs.asked.back().text.contains(r.why)) << dialogs.asked.back().text.toStdString();
  }
  TTrevanDoc& beam = *Active()->Beam();
  ASSERT_EQ(beam.Charges.size(), 1u);
  EXPECT_EQ(beam.Charges[0]->f, 2000);
  EXPECT_EQ(beam.Charges[0]->x, 3.5);
  ASSERT_EQ(beam.DistrCharges.size(), 1u);
  EXPECT_EQ(beam.DistrCharges[0]->GetPlacement(), (object::Placement{1, 4}));
  EXPECT_EQ(beam.DistrCharges[0]->F2, 200);
  ASSERT_EQ(beam.SupportCount(), 1);
  EXPECT_EQ(beam.FirstSupport()->X1, 7.5);
  EXPECT_EQ(beam.FirstSupport()->LeftType, ftRoll);
  ASSERT_EQ(beam.Moments.size(), 1u);
  EXPECT_EQ(beam.Moments[0]->m, -750);
  ASSERT_EQ(beam.Hinges.size(), 1u);
  EXPECT_EQ(beam.Hinges[0]->x, 5);
  Run("EditUndo1");
  Run("EditUndo1");
  Run("EditUndo1");
  EXPECT_EQ(beam.SupportCount(), 0);
  EXPECT_EQ(beam.DistrCharges.size(), 1u);
}

// Tab and Shift+Tab walk the selection along the beam and round.
TEST_F(MainWindowTest, TabMovesTheSelectionAlongTheBeam) {
  AnswerNewProject("10");
  Start();
  TTrevanDoc& beam = *Active()->Beam();
  beam.AddCharge(charge(6, 1000, &View()));
  beam.AddDistrCharge(distrcharge(2, 3, 10, 10, &View()));
  element* left = beam.InsertSupport(0, ftHinge);
  element* right = beam.InsertSupport(10, ftRoll);
  const std::vector<object*> order{left, beam.DistrCharges[0].get(), beam.Charges[0].get(), right, left};
  for (object* expected : order) {
    QTest::keyClick(&View(), Qt::Key_Tab);
    EXPECT_EQ(View().SelectedObject(), expected);
  }
  QTest::keyClick(&View(), Qt::Key_Backtab);
  EXPECT_EQ(View().SelectedObject(), right);
  EXPECT_FALSE(View().accessibleName().isEmpty());
  EXPECT_FALSE(Active()->ShowForm().accessibleName().isEmpty());
  EXPECT_FALSE(main->Inspector().accessibleName().isEmpty());
}

// The inspector and the results panel are tool windows of the main window,
// never above every program; the inspector opens at a usable size, clear
// of the menu bar, and where it was left the time before.
TEST_F(MainWindowTest, ToolWindowsBelongToTheMainWindowAndRememberTheirPlace) {
  AnswerNewProject("10");
  Start();
  for (QWidget* tool : {static_cast<QWidget*>(&main->Inspector()),
                        static_cast<QWidget*>(&main->ViewCommands().ResultsPanel())}) {
    EXPECT_EQ(tool->parentWidget(), main.get());
    EXPECT_EQ(tool->windowType(), Qt::Tool);
    EXPECT_FALSE(tool->windowFlags() & Qt::WindowStaysOnTopHint);
  }
  Run("ForceToolAction");
  Click(50, View().BaseLine() - 20);
  Run("EditProperties1");
  TQPropertyInspector& inspector = main->Inspector();
  EXPECT_GE(inspector.width(), 250);
  EXPECT_GE(inspector.height(), 150);
  const QRect menu(main->menuBar()->mapToGlobal(QPoint(0, 0)), main->menuBar()->size());
  EXPECT_FALSE(inspector.geometry().intersects(menu));
  const QRect moved(inspector.geometry().translated(-30, 20).adjusted(0, 0, 40, 10));
  inspector.setGeometry(moved);
  Run("EditProperties1");  // hides it
  for (TMDIChild* w : main->DocumentWindows()) w->Document().SetDirty(false);
  main.reset();
  Settle();
  AnswerNewProject("10");
  Start();
  Run("ForceToolAction");
  Click(50, View().BaseLine() - 20);
  Run("EditProperties1");
  EXPECT_EQ(main->Inspector().geometry().size(), moved.size());
}

// A new main window takes three quarters of the screen (never less than
// its old size), and a later one the geometry the last one closed with.
TEST_F(MainWindowTest, TheMainWindowOpensAtAShareOfTheScreenAndRemembersIt) {
  AnswerNewProject("10");
  Start();
  const QRect screen = main->screen()->availableGeometry();
  EXPECT_GE(main->width(), std::min(screen.width(), std::max(780, screen.width() * 3 / 4)));
  EXPECT_TRUE(screen.contains(main->geometry()));
  const QRect chosen(screen.topLeft() + QPoint(10, 20), QSize(700, 450));
  main->setGeometry(chosen);
  main->close();
  main.reset();
  Settle();
  AnswerNewProject("10");
  Start();
  EXPECT_EQ(main->geometry(), chosen);
}

// Linux shortcuts beside the old ones, and captions of their own.
TEST_F(MainWindowTest, CommandsHaveTheUsualShortcutsAndTheirOwnCaptions) {
  AnswerNewProject("10");
  Start();
  for (const auto& [name, keys] : std::vector<std::pair<const char*, QString>>{
           {"FileClose", "Ctrl+W"}, {"FileExit", "Ctrl+Q"}, {"FileSaveAs", "Ctrl+Shift+S"}})
    EXPECT_TRUE(Cmd(name)->shortcuts().contains(QKeySequence(keys))) << name;
  QStringList captions;
  for (const char* name : {"ForcesPlusAction", "ForcesMinusAction", "MomentsPlusAction", "MomentsMinusAction",
                           "DistancesPlusAction", "DistancesMinusAction"})
    captions << Cmd(name)->text();
  EXPECT_EQ(captions, (QStringList{"&Forces +", "Fo&rces \u2212", "&Moments +", "Mom&ents \u2212",
                                   "&Distances +", "D&istances \u2212"}));
}

}  // namespace
}  // namespace trevan
