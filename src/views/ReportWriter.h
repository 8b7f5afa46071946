#pragma once

#include "beam/BeamSection.h"

#include <QDateTime>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <utility>
#include <vector>

#include "analysis/Envelope.h"
#include "analysis/ExactBeam.h"
#include "beam/InputLimits.h"
#include "beam/TitleBlock.h"

class QPagedPaintDevice;

namespace trevan {

class TTrevanDoc;

// The calculation sheet of one beam as a PDF or on a printer: a header on every page (the
// document's name, date and time, program version, unit system), the input
// tables, the exact results and the three drawings of BeamDrawings. Tables
// that do not fit flow onto further pages.
class ReportWriter {
 public:
  struct Header {
    QString documentName;  // the beam's file as the user knows it
    QDateTime when;
    QString version;
    TitleBlock title;  // under the header of the first page, when filled in
    // With a section the sheet adds its table and the deflections checked
    // against L/limit.
    BeamSection section = {};
    double limit = limits::DefaultDeflectionLimit;
    // For a beam with load cases: its cases, combinations and envelopes, a line each.
    std::vector<QString> caseLines = {};
    // Their ultimate and serviceability envelopes, drawn after the lines.
    std::vector<std::pair<QString, Envelope>> envelopes = {};
  };
  static std::vector<QString> CaseLines(const TTrevanDoc& beam);
  static std::vector<std::pair<QString, Envelope>> Envelopes(const TTrevanDoc& beam);

  // Writes the report to pdfFile; false, with error saying why, when the
  // file cannot be written.
  static bool Write(const TTrevanDoc& beam, const Header& header, const QString& pdfFile, QString& error);
  static bool Write(const ExactBeam& beam, bool metric, const Header& header, const QString& pdfFile,
                    QString& error);

  // The same pages on any paged device, a printer or a preview, through its
  // own page size; false when nothing could be painted on it.
  static bool Paint(const ExactBeam& beam, bool metric, const Header& header, QPagedPaintDevice& device);
  static int PageCount(const ExactBeam& beam, bool metric, const Header& header, QPagedPaintDevice& device);

  // Letter where the locale measures in US units, A4 elsewhere.
  static QPageSize::PageSizeId PageSizeFor(const QLocale& locale);
  // A header for the named file, now, with this program's version and the
  // deflection limit the user chose last.
  static Header HeaderFor(const QString& fileName);
  // The same with the beam's own title block and section.
  static Header HeaderFor(const TTrevanDoc& beam, const QString& fileName);
};

}  // namespace trevan
