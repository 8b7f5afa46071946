#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "BeamDrawings.h"
#include "DiagramExport.h"
#include "ReportWriter.h"
#include "beam/Beam.h"

namespace trevan {
namespace {

const QString Examples = TREVAN_EXAMPLES_DIR;

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF, page by page, columns kept on their lines.
QStringList PdfPages(const QString& pdf) {
  QStringList pages = Run("pdftotext", {"-layout", pdf, "-"}).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QImage RenderPage(const QString& pdf, int page, int dpi, const QString& prefix) {
  Run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                   QString::number(page), "-singlefile", pdf, prefix});
  return QImage(prefix + ".png");
}

// Pixels of the diagrams' fills and curves: blue for shear, magenta for moment.
int CountColour(const QImage& image, bool magenta) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int r = c.red(), g = c.green(), b = c.blue();
      const bool blue = b > 200 && std::abs(r - g) < 16 && b - r > 25;
      const bool pink = r > 200 && b > 200 && std::abs(r - b) < 16 && r - g > 25;
      n += magenta ? pink : blue;
    }
  return n;
}

class ReportTest : public ::testing::Test {
 protected:
  QString File(const QString& name) const { return dir.filePath(name); }
  static ReportWriter::Header FixedHeader(const QString& name) {
    return {name, QDateTime(QDate(2026, 3, 4), QTime(9, 5)), "9.8.7.6", {}};
  }
  QString WriteExample(const QString& example) {
    TTrevanDoc beam;
    EXPECT_TRUE(beam.Load((Examples + "/" + example).toStdString()));
    const QString pdf = File(QString(example).replace(".tvn", ".pdf"));
    QString error;
    EXPECT_TRUE(ReportWriter::Write(beam, FixedHeader(example), pdf, error)) << error.toStdString();
    return pdf;
  }

  QTemporaryDir dir;
};

// Each example against its textbook values, written as a line of the sheet
// reads (cells are separated by runs of spaces).
TEST_F(ReportTest, SheetHoldsTheInputAndTheTextbookResults) {
  const struct {
    const char* example;
    std::vector<const char*> lines;
  } rows[] = {
      // P = 1000 N at the middle of L = 10 m: P/2 at each hinge, PL/4 under the load.
      {"simply-supported.tvn",
       {"Beam length L = 10 m", "1 0 Hinge", "2 10 Hinge", "1 5 1000", "1 0 Hinge 500.00",
        "2 10.000 Hinge 500.00", "Max. sagging moment (Nm) 2500.0 5.0000", "Max. shear (N) 500.00 0",
        "Zero shear 5.0000", "Total load (N) 1000.0", "Sum of reactions (N) 1000.0", "R1 = 500.00 N",
        "R2 = 500.00 N", "M max = 2500.0 Nm at x = 5.0000 m"}},
      // w = 2000 N/m over L = 8 m, held by a vice at 0 and a hinge at 8:
      // 5wL/8 and 3wL/8, wL^2/8 at the vice, 9wL^2/128 at 3L/8 from the hinge.
      {"propped-cantilever.tvn",
       {"1 0 8 2000 2000 16000", "1 0 Vice 10000 16000", "2 8.0000 Hinge 6000.0",
        "Max. sagging moment (Nm) 9000.0 5.0000", "Max. hogging moment (Nm) -16000 0",
        "M min = -16000 Nm at x = 0 m", "M1 = 16000 Nm"}},
      // A cantilever of 4 m with 500 N/m and 2000 N at 3.5 m: the vice carries
      // 4000 N and 2000 * 3.5 + 500 * 4 * 2 = 11000 Nm.
      {"cantilever.tvn", {"1 0 Vice 4000.0 11000", "Max. hogging moment (Nm) -11000 0", "Zero shear none"}},
      // Non-metric: 100 lbf/ft over 40 ft and 2000 lbf at 15 ft:
      // R2 = (4000 * 20 + 2000 * 15) / 40 = 2750, R1 = 6000 - 2750 = 3250.
      {"non-metric.tvn", {"Units: non-metric (ft, lbf, ft-lbf)", "1 0 Hinge 3250.0", "2 40.000 Hinge 2750.0"}},
  };
  for (const auto& row : rows) {
    const QStringList pages = PdfPages(WriteExample(row.example));
    ASSERT_FALSE(pages.isEmpty()) << row.example;
    QString text = pages.join('\n');
    text.replace(QRegularExpression("[ \\t]+"), " ");
    for (const QString& page : pages) {
      EXPECT_TRUE(page.contains(QString("File: ") + row.example)) << row.example;
      EXPECT_TRUE(page.contains("Date: 2026-03-04 09:05")) << row.example;
      EXPECT_TRUE(page.contains("Program: Trevan 9.8.7.6")) << row.example;
    }
    for (const char* line : row.lines)
      EXPECT_TRUE(text.contains(line)) << row.example << ": no \"" << line << "\" in\n" << text.toStdString();
  }
}

TEST_F(ReportTest, FirstPageShowsTheDiagramsInTheirColours) {
  const QString pdf = WriteExample("simply-supported.tvn");
  EXPECT_EQ(PdfPages(pdf).size(), 1);
  const QImage page = RenderPage(pdf, 1, 50, File("page"));
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(CountColour(page, false), 500) << "shear diagram";
  EXPECT_GT(CountColour(page, true), 500) << "moment diagram";
}

// 150 forces on a 300 m beam: the tables flow over pages, each with the
// header, and the drawings still fit the page's width.
TEST_F(ReportTest, ManyLoadsFlowOntoPagesAndLongBeamsFitTheWidth) {
  ExactBeam beam;
  beam.length = 300;
  beam.supports = {{0, ftHinge}, {150, ftRoll}, {300, ftHinge}};
  for (int i = 0; i < 150; ++i) beam.forces.push_back({1 + 2.0 * i, 100.0 + i});
  const QString pdf = File("many.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("many.tvn"), pdf, error)) << error.toStdString();
  const QStringList pages = PdfPages(pdf);
  ASSERT_GE(pages.size(), 3);
  for (int i = 0; i < pages.size(); ++i) {
    EXPECT_TRUE(pages[i].contains("Beam calculation")) << "page " << i + 1;
    EXPECT_TRUE(pages[i].contains("File: many.tvn")) << "page " << i + 1;
    EXPECT_TRUE(pages[i].contains(QString("Page %1 of %2").arg(i + 1).arg(pages.size()))) << "page " << i + 1;
  }
  EXPECT_TRUE(pages[1].contains("Point forces (continued)"));
  EXPECT_TRUE(QRegularExpression("150 +299 +249").match(pages.join("")).hasMatch()) << "the last force";

  // Nothing is drawn into the side margins (16 mm, about 31 pixels at 50 dpi).
  const QImage last = RenderPage(pdf, pages.size(), 50, File("last"));
  ASSERT_FALSE(last.isNull());
  EXPECT_GT(CountColour(last, true), 200) << "the moment diagram is on the last page";
  for (int y = 0; y < last.height(); ++y)
    for (int x : {0, 20, last.width() - 21, last.width() - 1})
      ASSERT_EQ(last.pixelColor(x, y), QColor(Qt::white)) << x << ", " << y;
}

// 10 m simply supported under 1 kN/m on E I = 210 GPa x 4762 cm⁴ = 1.0e7 N m²:
// 5wL⁴/384EI = 13.021 mm at 5 m, L/768: inside L/250, outside L/1000. The
// sheet checks against the limit it is given and draws the deflection.
TEST_F(ReportTest, ASectionAddsItsTableAndTheDeflections) {
  ExactBeam beam{10, {{0, ftHinge}, {10, ftRoll}}, {}, {{0, 10, 1000, 1000}}};
  const BeamSection section = BeamSection::Uniform(210e9, 1e7 / 210e9, 10);
  beam.stiffness = {{0, 10, 1e7}};
  for (const auto& [limit, verdict] : {std::pair{250.0, "L/\\s*250"}, std::pair{1000.0, "L/\\s*1000"}}) {
    const QString pdf = File(QString("deflected-%1.pdf").arg(limit));
    QString error;
    ReportWriter::Header header = FixedHeader("deflected.tvn");
    header.section = section;
    header.limit = limit;
    ASSERT_TRUE(ReportWriter::Write(beam, true, header, pdf, error)) << error.toStdString();
    const QString text = PdfPages(pdf).join('\n');
    const QString checked = QString("1 +0 +10.000 +13.021 +5.0000 +0 +0 +L/768 +") + (limit == 250 ? "pass" : "fail");
    for (const QString& pattern : {QString("4 +De\\S+ections"), QString("Section and material"),
                                   QString("1 +0 +10.000 +210.000 +4761.90"), QString("Limit ") + verdict, checked,
                                   QString("Rotations at the supports"), QString("De\\S+ection \u03b4 \\(mm\\)"),
                                   QString("\u03b4 = 13.021 mm at x = 5.0000 m")})
      EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << limit << ": " << pattern.toStdString()
                                                                      << "\n" << text.toStdString();
  }
}

// The two-span example's cases: 6 m spans, dead 10 kN/m, offices 15 kN/m.
// By 6.10 (a = 13.5, b = 22.5 kN/m) the support moment is -(a + b) L^2 / 8
// = -162 kNm with the offices on both spans; an older beam adds nothing.
TEST_F(ReportTest, LoadCasesAddTheirCombinationsAndEnvelopes) {
  const QString text = PdfPages(WriteExample("two-span-load-cases.tvn")).join('\n');
  for (const char* pattern :
       {"4 +Load cases and combinations", "2 +O\\S+ces +imposed, category B",
        "6.10 Q1 leading \\(ultimate\\): 1.35 Dead \\+ 1.5 O\\S+ces",
        "Largest hogging moment -162000.0000 Nm at 6.0000 m", "ULS envelope: Shear force V",
        "ULS envelope: Bending moment M", "SLS envelope: Bending moment M"})
    EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << pattern << "\n" << text.toStdString();
  const QString pdf = WriteExample("two-span-load-cases.tvn");
  const QImage last = RenderPage(pdf, static_cast<int>(PdfPages(pdf).size()), 50, File("last"));
  EXPECT_GT(CountColour(last, true), 500) << "the SLS moment band";
  EXPECT_FALSE(PdfPages(WriteExample("simply-supported.tvn")).join('\n').contains("Load cases"));
}

// Two spans of 5 m (hinges 0, 5, 10), 10 kN/m and 20 kN at 7.5 m: R_A =
// 25000 - 40625 / 5 = 16875 N, so span 1 sags to R_A^2 / 2w = 14238 Nm at
// R_A / w = 1.6875 m; span 2 to 35937.5 Nm under the force; the middle support
// holds -wL^2/8 - 3PL/32 = -40625 Nm; the largest shear, P + 5w - R_C = 43125 N,
// lies right of it. The title block and the assumptions head the sheet.
TEST_F(ReportTest, EachSpansMomentTheTitleBlockAndTheAssumptions) {
  const ExactBeam beam{10, {{0, ftHinge}, {5, ftHinge}, {10, ftHinge}}, {{7.5, 20000}}, {{0, 10, 10000, 10000}}};
  ReportWriter::Header header = FixedHeader("two-span.tvn");
  header.title[TitleBlock::Project] = "Footbridge";
  header.title[TitleBlock::Checker] = "A. Checker";
  const QString pdf = File("two-span.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, header, pdf, error)) << error.toStdString();
  QString text = PdfPages(pdf).join('\n');
  text.replace(QRegularExpression("[ \\t]+"), " ");
  for (const char* line : {"Project: Footbridge", "Checker: A. Checker", "Analysis: exact solution of a linear elastic",
                           "M max = 35938 Nm at x = 7.5000 m", "M = 14238 Nm at x = 1.6875 m",
                           "M min = -40625 Nm at x = 5.0000 m", "V = 43125 N at x = 5.0000 m",
                           "drawn on the tension side"})
    EXPECT_TRUE(text.contains(line)) << "no \"" << line << "\" in\n" << text.toStdString();
  EXPECT_EQ(text.count("M = "), 1) << "span 2's own largest is the beam's, labelled once";
}

// 1 kN/m over hinges at 0, 4 and 10 m and an overhang to 12 m. By the
// three-moment equation with M(10) = -w 2^2/2 = -2000 Nm:
// 20 M(4) - 2000 * 6 = -w (4^3 + 6^3) / 4, so M(4) = -2900 Nm; span 1 then
// carries R = 2000 - 725 = 1275 N and M = 1275^2 / 2000 = 812.81 Nm at 1.275 m.
// The overhang's own largest, -2000 Nm at 10 m, is not the beam's.
TEST_F(ReportTest, EveryOverhangAndSpanHasItsOwnLargestMoment) {
  const ExactBeam beam{12, {{0, ftHinge}, {4, ftHinge}, {10, ftHinge}}, {}, {{0, 12, 1000, 1000}}};
  const QString pdf = File("overhang.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("overhang.tvn"), pdf, error)) << error.toStdString();
  QString text = PdfPages(pdf).join('\n');
  text.replace(QRegularExpression("[ \\t]+"), " ");
  for (const char* line : {"M min = -2900.0 Nm at x = 4.0000 m", "M = 812.81 Nm at x = 1.2750 m",
                           "M = -2000.0 Nm at x = 10.000 m"})
    EXPECT_TRUE(text.contains(line)) << "no \"" << line << "\" in\n" << text.toStdString();
  EXPECT_EQ(text.count("M = "), 2);
}

// 24 spans of 1 m, 1000 N at each middle: the shear changes sign under every
// force and over every inner support, 47 times; none of them is cut off.
TEST_F(ReportTest, LongListsWrapInsteadOfBeingCut) {
  ExactBeam beam;
  beam.length = 24;
  for (int i = 0; i <= 24; ++i) beam.supports.push_back({double(i), ftHinge});
  for (int i = 0; i < 24; ++i) beam.forces.push_back({i + 0.5, 1000});
  const QString pdf = File("spans.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("spans.tvn"), pdf, error)) << error.toStdString();
  const QString text = PdfPages(pdf).join('\n');
  const QString zeros = text.mid(text.indexOf("Zero shear"));
  for (const char* x : {"0.50000,", "1.0000,", "12.000,", "23.000,", "23.500"})
    EXPECT_TRUE(zeros.contains(x)) << x << " in\n" << zeros.toStdString();
}

// Supports a few inches apart: the drawing writes the reactions it has room
// for, each whole, and leaves the rest to the results table.
TEST_F(ReportTest, CrowdedReactionLabelsAreLeftOutNotOverprinted) {
  const ExactBeam beam{40,
                       {{0, ftHinge}, {35.437, ftRoll}, {36.434, ftRoll}, {36.79, ftRoll}, {36.99, ftRoll}},
                       {},
                       {{0, 40, 100, 100}}};
  const QString pdf = File("crowded.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, false, FixedHeader("crowded.tvn"), pdf, error)) << error.toStdString();
  const QString text = PdfPages(pdf).join('\n');
  const int labels = text.count(QRegularExpression("R\\d ="));
  EXPECT_EQ(text.count(QRegularExpression("R\\d = -?[0-9][0-9.]* lbf")), labels) << text.toStdString();
  EXPECT_GE(labels, 2);
  EXPECT_LT(labels, 5) << "no room for all five";
  for (const char* row : {"1 0 Hinge", "5 36.990 Roll"})
    EXPECT_TRUE(text.simplified().contains(row)) << row;
}

// However many forces push the drawings past the first page, that page is
// never left with a third or more of it empty: the drawings start there,
// shrunk a little, or the tables fill it.
TEST_F(ReportTest, TheFirstPageIsNeverLeftHalfEmpty) {
  int twoPages = 0;
  for (int n = 0; n <= 40; n += 2) {
    ExactBeam beam{10, {{0, ftHinge}, {10, ftHinge}}, {}, {}};
    for (int i = 0; i < n; ++i) beam.forces.push_back({0.2 + 0.24 * i, 100.0 + i});
    const QString pdf = File(QString("forces%1.pdf").arg(n));
    QString error;
    ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("forces.tvn"), pdf, error)) << error.toStdString();
    if (PdfPages(pdf).size() < 2) continue;
    ++twoPages;
    const QImage first = RenderPage(pdf, 1, 30, File(QString("first%1").arg(n)));
    ASSERT_FALSE(first.isNull());
    int last = 0;
    for (int y = 0; y < first.height(); ++y)
      for (int x = 0; x < first.width(); ++x)
        if (first.pixelColor(x, y).lightness() < 200) last = y;
    EXPECT_LT(double(first.height() - last) / first.height(), 1.0 / 3) << n << " forces";
  }
  EXPECT_GT(twoPages, 0) << "some of the sheets need a second page";
}

// One hinge cannot hold a beam: the sheet still lists the input and says why
// there are no results, in the tables and in place of the diagrams.
TEST_F(ReportTest, AnUnstableBeamGetsItsInputAndTheReason) {
  const ExactBeam beam{6, {{2, ftHinge}}, {{3, 250}}, {}};
  const QString pdf = File("unstable.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("unstable.tvn"), pdf, error))
      << error.toStdString();
  const QString text = PdfPages(pdf).join('\n');
  EXPECT_GE(text.count(ExactResults::UnstableText), 3) << text.toStdString();
  EXPECT_TRUE(QRegularExpression("1 +3 +250").match(text).hasMatch()) << text.toStdString();
  EXPECT_FALSE(text.contains("R1 ="));
}

TEST_F(ReportTest, PaperFollowsTheLocalesMeasurementSystem) {
  const struct {
    QLocale locale;
    QPageSize::PageSizeId size;
  } rows[] = {{QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
              {QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4},
              {QLocale(QLocale::German, QLocale::Germany), QPageSize::A4},
              {QLocale::c(), QPageSize::A4}};
  for (const auto& row : rows)
    EXPECT_EQ(ReportWriter::PageSizeFor(row.locale), row.size) << row.locale.name().toStdString();
}

TEST_F(ReportTest, UnwritableFileSaysWhy) {
  TTrevanDoc beam;
  ASSERT_TRUE(beam.Load((Examples + "/simply-supported.tvn").toStdString()));
  QString error;
  EXPECT_FALSE(ReportWriter::Write(beam, FixedHeader("x"), File("no/such/dir/r.pdf"), error));
  EXPECT_TRUE(error.contains("no/such/dir/r.pdf")) << error.toStdString();
  EXPECT_FALSE(DiagramExport::Write(beam, File("d.gif"), error));
  EXPECT_TRUE(error.contains(".svg")) << error.toStdString();
}

// An export is made whole beside the old file and renamed over it: a
// reader of the old file keeps the old content, the mode stays, nothing is
// left beside it.
TEST_F(ReportTest, ExportsReplaceTheOldFileWholeAndKeepItsMode) {
  TTrevanDoc beam;
  ASSERT_TRUE(beam.Load((Examples + "/simply-supported.tvn").toStdString()));
  for (const QString name : {"r.pdf", "d.svg", "d.png"}) {
    SCOPED_TRACE(name.toStdString());
    QFile old(File(name));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    old.write("old");
    old.flush();
    ASSERT_TRUE(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    QString error;
    ASSERT_TRUE(name.endsWith(".pdf") ? ReportWriter::Write(beam, FixedHeader("x"), File(name), error)
                                      : DiagramExport::Write(beam, File(name), error))
        << error.toStdString();
    old.seek(0);
    EXPECT_EQ(old.readAll(), "old");
    QFile now(File(name));
    ASSERT_TRUE(now.open(QIODevice::ReadOnly));
    EXPECT_GT(now.size(), 100);
    const auto user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(now.permissions() & ~user, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(ReportTest, SvgHoldsTheThreeDrawings) {
  TTrevanDoc beam;
  ASSERT_TRUE(beam.Load((Examples + "/continuous-three-span.tvn").toStdString()));
  const QString svg = File("d.svg");
  QString error;
  ASSERT_TRUE(DiagramExport::Write(beam, svg, error)) << error.toStdString();
  EXPECT_TRUE(QSvgRenderer(svg).isValid());

  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QStringList texts;
  int shearStrokes = 0, momentStrokes = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString stroke = xml.attributes().value("stroke").toString().toLower();
    shearStrokes += stroke == "#0000ff";
    momentStrokes += stroke == "#ff00ff";
    if (xml.name() == QLatin1String("text"))
      texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  const QString all = texts.join('|');
  for (const char* title : {"Beam, loads and reactions", "Shear force V (N)", "Bending moment M (Nm)"})
    EXPECT_TRUE(all.contains(title)) << title << " in " << all.toStdString();
  EXPECT_GT(shearStrokes, 0);
  EXPECT_GT(momentStrokes, 0);
}

TEST_F(ReportTest, PngHasThePageWidthDrawingsInColour) {
  TTrevanDoc beam;
  ASSERT_TRUE(beam.Load((Examples + "/simply-supported.tvn").toStdString()));
  const QString png = File("d.png");
  QString error;
  ASSERT_TRUE(DiagramExport::Write(beam, png, error)) << error.toStdString();
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  const double pt = DiagramExport::PngResolution / 72.0;
  EXPECT_NEAR(image.width(), (DiagramExport::Width + 2 * DiagramExport::Margin) * pt, 1);
  EXPECT_NEAR(image.height(), (BeamDrawings::TotalHeight + 2 * DiagramExport::Margin) * pt, 1);
  EXPECT_GT(CountColour(image, false), 5000);
  EXPECT_GT(CountColour(image, true), 5000);
}

}  // namespace
}  // namespace trevan
