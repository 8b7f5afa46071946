#include "ReportWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <vector>

#include "BeamDrawings.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "beam/SectionShapes.h"
#include "beam/UnitSystem.h"
#include "files/ExactTable.h"
#include "hosts/ProgramResources.h"

namespace trevan {

namespace {

constexpr int Resolution = 720;  // ten device units a point: fine enough for vector text
constexpr double RowHeight = 11.5, TitleHeight = 13, HeaderRowHeight = 13, TableGap = 8;
constexpr QRgb RuleColour = 0xff505050, LineColour = 0xffc8c8c8, HeaderFill = 0xffebebeb,
               NoteColour = 0xff505050;

QFont Font(double points, bool bold = false, bool italic = false) {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

struct Column {
  QString title;
  double share;  // of the table's width
  bool number;   // right-aligned
};

struct Table {
  QString title;
  std::vector<Column> columns;
  std::vector<QStringList> rows;

  double Height() const {
    return TitleHeight + (rows.empty() ? RowHeight : HeaderRowHeight + RowHeight * rows.size()) + TableGap;
  }
};

// Lays the sheet out page by page. Without a painter it only counts the
// pages, so that the real pass can say "Page 1 of 2".
class Sheet {
 public:
  Sheet(QPdfWriter& writer, QPainter* painter, const ReportWriter::Header& header, QString units, int pages)
      : writer_(writer), painter_(painter), header_(header), units_(std::move(units)), pages_(pages) {
    const QRectF paint = writer.pageLayout().paintRectPixels(writer.resolution());
    pt_ = writer.logicalDpiY() / 72.0;
    width_ = paint.width();
    bottom_ = paint.height();
    DrawHeader();
  }

  int Pages() const { return page_; }
  double Width() const { return width_; }
  double Pt() const { return pt_; }

  bool Fits(double points) const { return y_ + points * pt_ <= bottom_; }
  void Ensure(double points) {
    if (!Fits(points)) NewPage();
  }

  // A section title kept on one page with the first keep points after it.
  void Heading(const QString& text, double keep) {
    Ensure(20 + keep);
    Text(QRectF(0, y_, width_, 16 * pt_), Font(11, true), text, Qt::AlignLeft | Qt::AlignVCenter);
    y_ += 20 * pt_;
  }

  void Line(const QString& text, double points = 9, bool note = false) {
    const QFont font = Font(points, false, note);
    const QFontMetricsF metrics(font, &writer_);
    const double h = metrics.height() * 1.15;
    // A note may wrap; it is short enough for two lines.
    const QRectF box = metrics.boundingRect(QRectF(0, 0, width_, 10 * h), Qt::TextWordWrap, text);
    const double height = std::max(h, box.height() * 1.05);
    Ensure(height / pt_);
    if (painter_) {
      painter_->setPen(QColor::fromRgb(note ? NoteColour : 0xff000000));
      painter_->setFont(font);
      painter_->drawText(QRectF(0, y_, width_, height), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         text);
    }
    y_ += height + 3 * pt_;
  }

  void FullWidth(const Table& table) { DrawTable(table, 0, width_); }

  // Two tables side by side when both fit here, else one after the other.
  void TablesSideBySide(const Table& left, const Table& right) {
    const double needed = std::max(left.Height(), right.Height());
    if (!Fits(needed)) {
      DrawTable(left, 0, width_);
      DrawTable(right, 0, width_);
      return;
    }
    const double top = y_, gap = 18 * pt_, half = (width_ - gap) / 2;
    DrawTable(left, 0, half);
    const double leftEnd = y_;
    y_ = top;
    DrawTable(right, half + gap, half);
    y_ = std::max(leftEnd, y_);
  }

  void Drawings(const BeamDrawings& drawings) {
    Ensure(BeamDrawings::TotalHeight);
    if (painter_) drawings.Draw(*painter_, QRectF(0, y_, width_, BeamDrawings::TotalHeight * pt_));
    y_ += BeamDrawings::TotalHeight * pt_;
  }

 private:
  void NewPage() {
    if (painter_) writer_.newPage();
    ++page_;
    DrawHeader();
  }

  void Text(const QRectF& box, const QFont& font, const QString& text, int flags) {
    if (!painter_) return;
    painter_->setPen(Qt::black);
    painter_->setFont(font);
    painter_->drawText(box, flags, text);
  }

  void DrawHeader() {
    y_ = 0;
    const double row = 12 * pt_;
    Text(QRectF(0, y_, width_, 18 * pt_), Font(14, true), "Beam calculation", Qt::AlignLeft | Qt::AlignTop);
    Text(QRectF(0, y_, width_, 18 * pt_), Font(8), QString("Page %1 of %2").arg(page_).arg(pages_),
         Qt::AlignRight | Qt::AlignTop);
    y_ += 21 * pt_;
    const QFont font = Font(8.5);
    const QString name =
        QFontMetricsF(font, &writer_).elidedText(header_.documentName, Qt::ElideMiddle, width_ * 0.6);
    Text(QRectF(0, y_, width_, row), font, "File: " + name, Qt::AlignLeft | Qt::AlignVCenter);
    Text(QRectF(0, y_, width_, row), font, "Date: " + QLocale::c().toString(header_.when, "yyyy-MM-dd HH:mm"),
         Qt::AlignRight | Qt::AlignVCenter);
    y_ += row;
    Text(QRectF(0, y_, width_, row), font, "Program: Trevan " + header_.version,
         Qt::AlignLeft | Qt::AlignVCenter);
    Text(QRectF(0, y_, width_, row), font, "Units: " + units_, Qt::AlignRight | Qt::AlignVCenter);
    y_ += row + 4 * pt_;
    if (painter_) {
      painter_->setPen(QPen(QColor::fromRgb(RuleColour), 0.8 * pt_));
      painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
    }
    y_ += 12 * pt_;
  }

  void DrawTableHead(const Table& table, double left, double width, bool continued) {
    Text(QRectF(left, y_, width, TitleHeight * pt_), Font(9, true),
         continued ? table.title + " (continued)" : table.title, Qt::AlignLeft | Qt::AlignVCenter);
    y_ += TitleHeight * pt_;
    if (painter_)
      painter_->fillRect(QRectF(left, y_, width, HeaderRowHeight * pt_), QColor::fromRgb(HeaderFill));
    QStringList titles;
    for (const Column& c : table.columns) titles << c.title;
    DrawRow(table, titles, left, width, HeaderRowHeight, true);
  }

  void DrawRow(const Table& table, const QStringList& cells, double left, double width, double height,
               bool head) {
    double x = left;
    const QFont font = Font(8, head);
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      const Column& c = table.columns[i];
      const double w = width * c.share;
      const QString text = i < static_cast<std::size_t>(cells.size()) ? cells[i] : QString();
      Text(QRectF(x + 4 * pt_, y_, w - 8 * pt_, height * pt_), font, text,
           (c.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      x += w;
    }
    y_ += height * pt_;
    if (painter_) {
      painter_->setPen(QPen(QColor::fromRgb(head ? RuleColour : LineColour), (head ? 0.6 : 0.4) * pt_));
      painter_->drawLine(QPointF(left, y_), QPointF(left + width, y_));
    }
  }

  void DrawTable(const Table& table, double left, double width) {
    if (table.rows.empty()) {
      Ensure(TitleHeight + RowHeight);
      Text(QRectF(left, y_, width, TitleHeight * pt_), Font(9, true), table.title,
           Qt::AlignLeft | Qt::AlignVCenter);
      y_ += TitleHeight * pt_;
      Text(QRectF(left + 4 * pt_, y_, width, RowHeight * pt_), Font(8, false, true), "none",
           Qt::AlignLeft | Qt::AlignVCenter);
      y_ += (RowHeight + TableGap) * pt_;
      return;
    }
    Ensure(TitleHeight + HeaderRowHeight + RowHeight);
    DrawTableHead(table, left, width, false);
    for (const QStringList& row : table.rows) {
      if (!Fits(RowHeight)) {
        NewPage();
        DrawTableHead(table, left, width, true);
      }
      DrawRow(table, row, left, width, RowHeight, false);
    }
    y_ += TableGap * pt_;
  }

  QPdfWriter& writer_;
  QPainter* painter_;
  const ReportWriter::Header& header_;
  QString units_;
  int pages_;
  int page_ = 1;
  double pt_ = 1, width_ = 0, bottom_ = 0, y_ = 0;
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The rows of one block of the results table: the rows between empty ones.
std::vector<QStringList> Block(const std::vector<ExactTable::Row>& rows, int number, int columns) {
  std::vector<QStringList> block;
  int at = 0;
  for (const auto& row : rows) {
    if (row.empty()) {
      ++at;
      continue;
    }
    if (at != number) continue;
    QStringList cells;
    for (const auto& cell : row) cells << Q(cell);
    // Several zero-shear positions share the last column.
    while (cells.size() > columns) cells[columns - 1] += ", " + cells.takeAt(columns);
    while (cells.size() < columns) cells << QString();
    block.push_back(cells);
  }
  return block;
}

Table FromBlock(const QString& title, std::vector<QStringList> block, std::vector<double> shares,
                std::vector<bool> numbers) {
  Table table{title, {}, {}};
  if (block.empty()) return table;
  for (int i = 0; i < block.front().size(); ++i)
    table.columns.push_back({block.front()[i], shares[i], numbers[i]});
  table.rows.assign(block.begin() + 1, block.end());
  return table;
}

// E and I of every segment in GPa and cm⁴ (ksi and in⁴), then the
// deflections of every span and overhang against the limit and the
// rotations at the supports.
void LayOutDeflections(Sheet& sheet, const BeamSection& section, const ExactResults& results, bool metric,
                       double limit) {
  // A beam without a section gets the sheet it always had.
  if (!results.solved || !results.deflected) return;
  sheet.Heading("4  Deflections", 40);
  const QString length = LengthUnit(metric);
  Table segments{"Section and material",
                 {{"No.", 0.1, true},
                  {"x1 (" + length + ")", 0.2, true},
                  {"x2 (" + length + ")", 0.2, true},
                  {QString("E (%1)").arg(section_units::E(metric)), 0.25, true},
                  {QString("I (%1)").arg(section_units::I(metric)), 0.25, true}},
                 {}};
  int n = 0;
  for (const auto& s : section.segments)
    segments.rows.push_back({QString::number(++n), Q(ExactTable::Significant(s.x1)), Q(ExactTable::Significant(s.x2)),
                             Q(ExactTable::Significant(s.E / section_units::EFactor(metric), 6)),
                             Q(ExactTable::Significant(s.I / section_units::IFactor(metric), 6))});
  sheet.FullWidth(segments);
  const auto rows = ExactTable::DeflectionRows(results, metric, limit);
  sheet.Line(Q(rows.front().front()), 7.5, true);
  std::vector<QStringList> spans, rotations;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    QStringList cells;
    for (const auto& cell : rows[r]) cells << Q(cell);
    (rows[r].size() == 3 ? rotations : spans).push_back(cells);
  }
  sheet.FullWidth(FromBlock("Deflections of the spans", spans, {0.12, 0.1, 0.1, 0.12, 0.1, 0.12, 0.1, 0.12, 0.12},
                            {false, true, true, true, true, true, true, true, false}));
  sheet.FullWidth(FromBlock("Rotations at the supports", rotations, {0.2, 0.4, 0.4}, {true, true, true}));
}

void LayOut(Sheet& sheet, const ExactBeam& beam, const ExactResults& results, bool metric) {
  const QString length = LengthUnit(metric), force = ForceUnit(metric), moment = MomentUnit(metric);
  const QString intensity = force + "/" + length;
  auto value = [](double v) { return BeamDrawings::InputValue(v); };

  // Input data.
  sheet.Heading("1  Input data", 40);
  sheet.Line(QString("Beam length L = %1 %2").arg(value(beam.length), length));
  sheet.Line(
      "Loads are positive downward and reactions positive upward; sagging moments are positive; a vice's "
      "moment is the couple it exerts on the beam, counter-clockwise positive.",
      7.5, true);

  Table supports{
      "Supports", {{"No.", 0.2, true}, {"x (" + length + ")", 0.4, true}, {"Type", 0.4, false}}, {}};
  int n = 0;
  for (const auto& s : beam.supports)
    supports.rows.push_back({QString::number(++n), value(s.x),
                             SupportDisplayNames[IsValidSupportType(s.type) ? s.type : ftNone]});

  Table forces{"Point forces",
               {{"No.", 0.2, true}, {"x (" + length + ")", 0.4, true}, {"F (" + force + ")", 0.4, true}},
               {}};
  n = 0;
  for (const auto& f : beam.forces) forces.rows.push_back({QString::number(++n), value(f.x), value(f.f)});
  sheet.TablesSideBySide(supports, forces);

  Table loads{"Distributed loads",
              {{"No.", 0.08, true},
               {"x1 (" + length + ")", 0.16, true},
               {"x2 (" + length + ")", 0.16, true},
               {"w1 (" + intensity + ")", 0.2, true},
               {"w2 (" + intensity + ")", 0.2, true},
               {"Total (" + force + ")", 0.2, true}},
              {}};
  n = 0;
  for (const auto& d : beam.loads)
    loads.rows.push_back({QString::number(++n), value(d.x1), value(d.x2), value(d.f1), value(d.f2),
                          BeamDrawings::Value((d.f1 + d.f2) / 2 * (d.x2 - d.x1))});
  sheet.FullWidth(loads);

  // Results.
  sheet.Heading("2  Results", 40);
  if (!results.solved) {
    sheet.Line(Q(results.message));
  } else {
    const auto rows = ExactTable::Rows(results, metric, false);
    sheet.FullWidth(FromBlock("Support reactions", Block(rows, 0, 5), {0.1, 0.2, 0.2, 0.25, 0.25},
                              {true, true, false, true, true}));
    sheet.FullWidth(FromBlock("Extreme values and equilibrium", Block(rows, 1, 3), {0.5, 0.25, 0.25},
                              {false, true, true}));
  }

  sheet.Heading("3  Diagrams", BeamDrawings::TotalHeight);
  sheet.Drawings(BeamDrawings(beam, results, metric));
}

}  // namespace

QPageSize::PageSizeId ReportWriter::PageSizeFor(const QLocale& locale) {
  return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

ReportWriter::Header ReportWriter::HeaderFor(const QString& fileName) {
  const QString name = QFileInfo(fileName).fileName();
  return {name.isEmpty() ? QString("Untitled") : name, QDateTime::currentDateTime(), Q(ProgramVersion())};
}

bool ReportWriter::Write(const TTrevanDoc& beam, const Header& header, const QString& pdfFile,
                         QString& error) {
  return Write(ExactBeam::From(beam), beam.Metric, header, pdfFile, error, beam.Section);
}

bool ReportWriter::Write(const ExactBeam& beam, bool metric, const Header& header, const QString& pdfFile,
                         QString& error, const BeamSection& section, double limit) {
  QFile file(pdfFile);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QString("Cannot write %1: %2").arg(pdfFile, file.errorString());
    return false;
  }
  QPdfWriter writer(&file);
  writer.setResolution(Resolution);
  writer.setPageLayout(QPageLayout(QPageSize(PageSizeFor(QLocale())), QPageLayout::Portrait,
                                   QMarginsF(16, 11, 16, 11), QPageLayout::Millimeter));
  writer.setTitle("Beam calculation: " + header.documentName);
  writer.setCreator("Trevan " + header.version);

  const ExactResults results = ExactSolver::Solve(beam);
  const QString units = metric ? "metric (m, N, Nm)" : "non-metric (ft, lbf, ft-lbf)";
  int pages = 0;
  {
    Sheet count(writer, nullptr, header, units, 0);
    LayOut(count, beam, results, metric);
    LayOutDeflections(count, section, results, metric, limit);
    pages = count.Pages();
  }
  QPainter painter;
  if (!painter.begin(&writer)) {
    error = QString("Cannot write %1").arg(pdfFile);
    return false;
  }
  Sheet sheet(writer, &painter, header, units, pages);
  LayOut(sheet, beam, results, metric);
  LayOutDeflections(sheet, section, results, metric, limit);
  painter.end();
  file.close();
  if (file.error() != QFileDevice::NoError) {
    error = QString("Cannot write %1: %2").arg(pdfFile, file.errorString());
    return false;
  }
  return true;
}

}  // namespace trevan
