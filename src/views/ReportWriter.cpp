#include "ReportWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <vector>

#include "BeamDrawings.h"
#include "DeflectionLimitSetting.h"
#include "ExportFile.h"
#include "analysis/Combinations.h"
#include "analysis/Envelope.h"
#include "analysis/ExactSolver.h"
#include "analysis/KeptChoice.h"
#include "beam/Beam.h"
#include "beam/SectionShapes.h"
#include "beam/UnitSystem.h"
#include "files/EnvelopeText.h"
#include "files/ExactTable.h"
#include "hosts/ProgramResources.h"

namespace trevan {

namespace {

constexpr int Resolution = 720;  // ten device units a point: fine enough for vector text
constexpr double RowHeight = 11.5, TitleHeight = 13, HeaderRowHeight = 13, TableGap = 8;
constexpr double MinDrawingScale = 0.75;
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

QString Q(const std::string& text) { return QString::fromStdString(text); }

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
  Sheet(QPagedPaintDevice& writer, QPainter* painter, const ReportWriter::Header& header, QString units,
        int pages)
      : writer_(writer), painter_(painter), header_(header), units_(std::move(units)), pages_(pages) {
    const QRectF paint = writer.pageLayout().paintRectPixels(writer.logicalDpiY());
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
    // A note may wrap over several lines.
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

  // The title block as a framed grid, two entries a row.
  void TitleFields(const TitleBlock& title) {
    const int rows = (TitleBlock::FieldCount + 1) / 2;
    const double row = 13 * pt_, half = width_ / 2;
    Ensure(rows * 13 + 10);
    for (int f = 0; f < TitleBlock::FieldCount; ++f) {
      const QRectF cell((f % 2) * half, y_ + (f / 2) * row, half, row);
      if (painter_) {
        painter_->setPen(QPen(QColor::fromRgb(LineColour), 0.5 * pt_));
        painter_->drawRect(cell);
      }
      const QString caption = QString(TitleBlock::Captions[f]) + ": ";
      const QFont bold = Font(8, true);
      const double w = QFontMetricsF(bold, &writer_).horizontalAdvance(caption);
      Text(cell.adjusted(4 * pt_, 0, 0, 0), bold, caption, Qt::AlignLeft | Qt::AlignVCenter);
      const QString value = QFontMetricsF(Font(8), &writer_)
                                .elidedText(Q(title.fields[f]), Qt::ElideRight, cell.width() - w - 8 * pt_);
      Text(cell.adjusted(4 * pt_ + w, 0, -4 * pt_, 0), Font(8), value, Qt::AlignLeft | Qt::AlignVCenter);
    }
    y_ += rows * row + 10 * pt_;
  }

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

  // The drawings where the page has room for them, shrunk to as little as
  // MinDrawingScale of their size; else the beam here and its diagrams on
  // the next page, rather than leave much of a page empty.
  void Drawings(const BeamDrawings& drawings) {
    const double room = (bottom_ - y_) / pt_;
    const double scale = std::min(1.0, room / drawings.Height());
    if (scale >= MinDrawingScale) {
      Drawing(drawings.Height(), scale, [&](QPainter& p, const QRectF& r) { drawings.Draw(p, r); });
      return;
    }
    if (room >= BeamDrawings::BeamHeight)
      Drawing(BeamDrawings::BeamHeight, 1, [&](QPainter& p, const QRectF& r) { drawings.DrawBeam(p, r); });
    NewPage();
    if (room < BeamDrawings::BeamHeight)
      Drawing(BeamDrawings::BeamHeight, 1, [&](QPainter& p, const QRectF& r) { drawings.DrawBeam(p, r); });
    Drawing(BeamDrawings::ShearHeight, 1, [&](QPainter& p, const QRectF& r) { drawings.DrawShear(p, r); });
    Drawing(BeamDrawings::MomentHeight, 1, [&](QPainter& p, const QRectF& r) { drawings.DrawMoment(p, r); });
    if (drawings.HasDeflection())
      Drawing(BeamDrawings::DeflectionHeight, 1,
              [&](QPainter& p, const QRectF& r) { drawings.DrawDeflection(p, r); });
  }

  // One drawing of the given height in points, at this place, scaled.
  template <class Draw>
  void Drawing(double height, double scale, Draw draw) {
    if (painter_) {
      painter_->save();
      painter_->translate(0, y_);
      painter_->scale(scale, scale);
      draw(*painter_, QRectF(0, 0, width_ / scale, height * pt_));
      painter_->restore();
    }
    y_ += height * pt_ * scale;
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

  // The points a row needs: one line, or as many as its longest cell wraps to.
  double RowPoints(const Table& table, const QStringList& cells, double width, double height, bool head) const {
    const QFontMetricsF metrics(Font(8, head), &writer_);
    double needed = height * pt_;
    for (std::size_t i = 0; i < table.columns.size() && i < static_cast<std::size_t>(cells.size()); ++i) {
      const double w = width * table.columns[i].share - 8 * pt_;
      const QRectF box = metrics.boundingRect(QRectF(0, 0, std::max(w, 1.0), 1e6), Qt::TextWordWrap, cells[i]);
      needed = std::max(needed, box.height() + (height - 8) * pt_);
    }
    return needed / pt_;
  }

  void DrawRow(const Table& table, const QStringList& cells, double left, double width, double height,
               bool head) {
    double x = left;
    const QFont font = Font(8, head);
    const double line = height;
    height = RowPoints(table, cells, width, height, head);
    // A row that wraps reads from its top, every cell on its first line.
    const double pad = height > line ? (line - QFontMetricsF(font, &writer_).height() / pt_) / 2 : 0;
    const int vertical = height > line ? Qt::AlignTop : Qt::AlignVCenter;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      const Column& c = table.columns[i];
      const double w = width * c.share;
      const QString text = i < static_cast<std::size_t>(cells.size()) ? cells[i] : QString();
      Text(QRectF(x + 4 * pt_, y_ + pad * pt_, w - 8 * pt_, (height - pad) * pt_), font, text,
           (c.number ? Qt::AlignRight : Qt::AlignLeft) | vertical | Qt::TextWordWrap);
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
      if (!Fits(RowPoints(table, row, width, RowHeight, false))) {
        NewPage();
        DrawTableHead(table, left, width, true);
      }
      DrawRow(table, row, left, width, RowHeight, false);
    }
    y_ += TableGap * pt_;
  }

  QPagedPaintDevice& writer_;
  QPainter* painter_;
  const ReportWriter::Header& header_;
  QString units_;
  int pages_;
  int page_ = 1;
  double pt_ = 1, width_ = 0, bottom_ = 0, y_ = 0;
};

QString UnitsText(bool metric) { return metric ? "metric (m, N, Nm)" : "non-metric (ft, lbf, ft-lbf)"; }

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
    while (cells.size() > columns) cells[columns - 1] += ", " + cells.takeAt(columns);  // wraps after a comma
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

// The cases with their loads, the combinations with their factors and the
// governing values of both envelopes.
void LayOutCases(Sheet& sheet, const ReportWriter::Header& header, const BeamDrawings& drawings,
                 bool deflected) {
  if (header.caseLines.empty()) return;
  sheet.Heading(deflected ? "5  Load cases and combinations" : "4  Load cases and combinations", 40);
  for (const QString& line : header.caseLines) {
    const bool title = line.endsWith(':');
    sheet.Line(line, title ? 9 : 7.5, !title);
  }
  for (const auto& [name, envelope] : header.envelopes) {
    sheet.Ensure(BeamDrawings::EnvelopeHeight);
    sheet.Drawing(BeamDrawings::EnvelopeHeight, 1,
                  [&](QPainter& p, const QRectF& r) { drawings.DrawEnvelope(p, r, envelope, name); });
  }
}

// Point moments, hinges in the beam and the springs and settlements of
// supports, each table only when the beam has such a thing.
void LayOutObjects(Sheet& sheet, const ExactBeam& beam, bool metric) {
  auto value = [](double v) { return BeamDrawings::InputValue(v); };
  const QString length = LengthUnit(metric), force = ForceUnit(metric), moment = MomentUnit(metric);
  if (!beam.moments.empty() || !beam.hinges.empty()) {
    Table moments{"Point moments (counter-clockwise positive)",
                  {{"No.", 0.2, true}, {"x (" + length + ")", 0.4, true}, {"M (" + moment + ")", 0.4, true}},
                  {}};
    int n = 0;
    for (const auto& m : beam.moments) moments.rows.push_back({QString::number(++n), value(m.x), value(m.m)});
    Table hinges{"Hinges in the beam", {{"No.", 0.3, true}, {"x (" + length + ")", 0.7, true}}, {}};
    n = 0;
    for (const double x : beam.hinges) hinges.rows.push_back({QString::number(++n), value(x)});
    sheet.TablesSideBySide(moments, hinges);
  }
  const bool properties = std::any_of(beam.supports.begin(), beam.supports.end(), [](const auto& s) {
    return s.spring != 0 || s.rotationalSpring != 0 || s.settlement != 0;
  });
  if (properties) {
    Table table{"Support springs and settlements (0: rigid)",
                {{"No.", 0.1, true},
                 {"x (" + length + ")", 0.2, true},
                 {"Spring (" + force + "/" + length + ")", 0.25, true},
                 {"Rotational spring (" + moment + "/rad)", 0.25, true},
                 {"Settlement (" + length + ", downward)", 0.2, true}},
                {}};
    int n = 0;
    for (const auto& s : beam.supports)
      table.rows.push_back({QString::number(++n), value(s.x), value(s.spring), value(s.rotationalSpring),
                            value(s.settlement)});
    sheet.FullWidth(table);
  }
  if (beam.springsLeftOut) sheet.Line(Q(ExactTable::SpringsLeftOutText), 7.5, true);
}

void LayOut(Sheet& sheet, const ExactBeam& beam, const ExactResults& results, bool metric,
            const TitleBlock& title) {
  if (!title.Empty()) sheet.TitleFields(title);
  const QString length = LengthUnit(metric), force = ForceUnit(metric), moment = MomentUnit(metric);
  const QString intensity = force + "/" + length;
  auto value = [](double v) { return BeamDrawings::InputValue(v); };

  // Input data.
  sheet.Heading("1  Input data", 40);
  sheet.Line(QString("Beam length L = %1 %2").arg(value(beam.length), length));
  sheet.Line(
      "Loads are positive downward and reactions positive upward; sagging moments are positive; shear is "
      "positive where the part left of a section is pushed up; a vice's moment is the couple it exerts on "
      "the beam, counter-clockwise positive.",
      7.5, true);
  sheet.Line(
      "Analysis: exact solution of a linear elastic beam in bending (small deflections, no shear "
      "deformation), bending stiffness EI uniform along the beam, so that reactions and moments do not "
      "depend on its value; hinges and rollers hold the beam's deflection, a vice also its slope.",
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
  LayOutObjects(sheet, beam, metric);

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

  sheet.Heading("3  Diagrams", BeamDrawings::BeamHeight);
  sheet.Drawings(BeamDrawings(beam, results, metric));
}

}  // namespace

int ReportWriter::PageCount(const ExactBeam& beam, bool metric, const Header& header, QPagedPaintDevice& device) {
  Sheet count(device, nullptr, header, UnitsText(metric), 0);
  const ExactResults results = ExactSolver::Solve(beam);
  LayOut(count, beam, results, metric, header.title);
  LayOutDeflections(count, header.section, results, metric, header.limit);
  LayOutCases(count, header, BeamDrawings(beam, results, metric), results.solved && results.deflected);
  return count.Pages();
}

bool ReportWriter::Paint(const ExactBeam& beam, bool metric, const Header& header, QPagedPaintDevice& device) {
  const int pages = PageCount(beam, metric, header, device);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  Sheet sheet(device, &painter, header, UnitsText(metric), pages);
  const ExactResults results = ExactSolver::Solve(beam);
  LayOut(sheet, beam, results, metric, header.title);
  LayOutDeflections(sheet, header.section, results, metric, header.limit);
  LayOutCases(sheet, header, BeamDrawings(beam, results, metric), results.solved && results.deflected);
  return painter.end();
}

std::vector<QString> ReportWriter::CaseLines(const TTrevanDoc& beam) {
  if (beam.Cases.IsDefault()) return {};
  std::vector<QString> lines{"Load cases:"};
  for (std::size_t c = 0; c < beam.Cases.Count(); ++c) {
    int forces = 0, loads = 0, moments = 0;
    for (const auto& f : beam.Charges) forces += f->Case == c;
    for (const auto& d : beam.DistrCharges) loads += d->Case == c;
    for (const auto& m : beam.Moments) moments += m->Case == c;
    QString line = Q(envelope_text::CaseLine(beam.Cases.At(c), c)) +
                   QString(": %1 point force(s), %2 distributed load(s)").arg(forces).arg(loads);
    if (moments > 0) line += QString(", %1 moment(s)").arg(moments);
    lines.push_back(line);
  }
  lines.push_back("Combinations:");
  const auto combinations = GenerateCombinations(beam.Cases);
  for (const auto& k : combinations)
    lines.push_back(Q(k.name) + (k.limit == LimitState::Ultimate ? " (ultimate): " : " (serviceability): ") +
                    Q(envelope_text::Factors(beam.Cases, k)));
  const CasedBeam cased = CasedBeam::From(beam);
  for (const LimitState limit : {LimitState::Ultimate, LimitState::Serviceability}) {
    lines.push_back(limit == LimitState::Ultimate ? "Ultimate envelope, with pattern loading:"
                                                  : "Serviceability envelope, with pattern loading:");
    for (const auto& line : envelope_text::Lines(cased, KeptEnvelope(beam, limit), beam.Metric))
      lines.push_back(Q(line));
  }
  return lines;
}

std::vector<std::pair<QString, Envelope>> ReportWriter::Envelopes(const TTrevanDoc& beam) {
  if (beam.Cases.IsDefault()) return {};
  // Dense enough that the printed curves show no chords.
  constexpr int Places = 600;
  std::vector<double> places;
  for (int i = 0; i <= Places; ++i) places.push_back(beam.Length * i / Places);
  return {{"ULS envelope", KeptEnvelope(beam, LimitState::Ultimate, places)},
          {"SLS envelope", KeptEnvelope(beam, LimitState::Serviceability, places)}};
}

QPageSize::PageSizeId ReportWriter::PageSizeFor(const QLocale& locale) {
  return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

ReportWriter::Header ReportWriter::HeaderFor(const QString& fileName) {
  const QString name = QFileInfo(fileName).fileName();
  Header header{name.isEmpty() ? QString("Untitled") : name, QDateTime::currentDateTime(), Q(ProgramVersion()), {}};
  header.limit = DeflectionLimitSetting().Read();
  return header;
}

ReportWriter::Header ReportWriter::HeaderFor(const TTrevanDoc& beam, const QString& fileName) {
  Header header = HeaderFor(fileName);
  header.title = beam.Title;
  header.section = beam.Section;
  header.caseLines = CaseLines(beam);
  header.envelopes = Envelopes(beam);
  return header;
}

bool ReportWriter::Write(const TTrevanDoc& beam, const Header& header, const QString& pdfFile,
                         QString& error) {
  Header withTitle = header;
  withTitle.title = beam.Title;
  withTitle.section = beam.Section;
  withTitle.caseLines = CaseLines(beam);
  withTitle.envelopes = Envelopes(beam);
  return Write(ExactBeam::From(beam), beam.Metric, withTitle, pdfFile, error);
}

bool ReportWriter::Write(const ExactBeam& beam, bool metric, const Header& header, const QString& pdfFile,
                         QString& error) {
  QByteArray pdf;
  QBuffer file(&pdf);
  file.open(QIODevice::WriteOnly);
  QPdfWriter writer(&file);
  writer.setResolution(Resolution);
  writer.setPageLayout(QPageLayout(QPageSize(PageSizeFor(QLocale())), QPageLayout::Portrait,
                                   QMarginsF(16, 11, 16, 11), QPageLayout::Millimeter));
  writer.setTitle("Beam calculation: " + header.documentName);
  writer.setCreator("Trevan " + header.version);
  if (!Paint(beam, metric, header, writer)) {
    error = QString("Cannot write %1").arg(pdfFile);
    return false;
  }
  file.close();
  return ExportFile::Write(pdfFile, pdf, error);
}

}  // namespace trevan
