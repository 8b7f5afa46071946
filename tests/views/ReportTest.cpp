#include <gtest/gtest.h>

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
    return {name, QDateTime(QDate(2026, 3, 4), QTime(9, 5)), "9.8.7.6"};
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
       {"Beam length L = 10 m", "1 0 Hinge", "2 10 Hinge", "1 5 1000", "1 0 Hinge 500.0",
        "2 10.00 Hinge 500.0", "Max. sagging moment (Nm) 2500 5.000", "Max. shear (N) 500.0 0",
        "Zero shear 5.000", "Total load (N) 1000", "Sum of reactions (N) 1000", "R1 = 500.0 N",
        "R2 = 500.0 N", "M max = 2500 Nm at x = 5.000 m"}},
      // w = 2000 N/m over L = 8 m, held by a vice at 0 and a hinge at 8:
      // 5wL/8 and 3wL/8, wL^2/8 at the vice, 9wL^2/128 at 3L/8 from the hinge.
      {"propped-cantilever.tvn",
       {"1 0 8 2000 2000 16000", "1 0 Vice 10000 16000", "2 8.000 Hinge 6000",
        "Max. sagging moment (Nm) 9000 5.000", "Max. hogging moment (Nm) -16000 0",
        "M min = -16000 Nm at x = 0 m", "M1 = 16000 Nm"}},
      // A cantilever of 4 m with 500 N/m and 2000 N at 3.5 m: the vice carries
      // 4000 N and 2000 * 3.5 + 500 * 4 * 2 = 11000 Nm.
      {"cantilever.tvn", {"1 0 Vice 4000 11000", "Max. hogging moment (Nm) -11000 0", "Zero shear none"}},
      // Non-metric: 100 lbf/ft over 40 ft and 2000 lbf at 15 ft:
      // R2 = (4000 * 20 + 2000 * 15) / 40 = 2750, R1 = 6000 - 2750 = 3250.
      {"non-metric.tvn", {"Units: non-metric (ft, lbf, ft-lbf)", "1 0 Hinge 3250", "2 40.00 Hinge 2750"}},
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
// 5wL⁴/384EI = 13.02 mm at 5 m, L/768, inside L/250.
TEST_F(ReportTest, ASectionAddsItsTableAndTheDeflections) {
  ExactBeam beam{10, {{0, ftHinge}, {10, ftRoll}}, {}, {{0, 10, 1000, 1000}}};
  const BeamSection section = BeamSection::Uniform(210e9, 1e7 / 210e9, 10);
  beam.stiffness = {{0, 10, 1e7}};
  const QString pdf = File("deflected.pdf");
  QString error;
  ASSERT_TRUE(ReportWriter::Write(beam, true, FixedHeader("deflected.tvn"), pdf, error, section))
      << error.toStdString();
  const QString text = PdfPages(pdf).join('\n');
  for (const char* pattern : {"4 +De\\S+ections", "Section and material", "1 +0 +10.00 +210.000 +4761.90",
                              "1 +0 +10.00 +13.02 +5.000 +0 +0 +L/768 +pass", "Rotations at the supports"})
    EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << pattern << "\n" << text.toStdString();
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
