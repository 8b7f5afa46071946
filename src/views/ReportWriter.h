#pragma once

#include "beam/BeamSection.h"

#include <QDateTime>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include "analysis/ExactBeam.h"

namespace trevan {

class TTrevanDoc;

// The calculation sheet of one beam as a PDF: a header on every page (the
// document's name, date and time, program version, unit system), the input
// tables, the exact results and the three drawings of BeamDrawings. Tables
// that do not fit flow onto further pages.
class ReportWriter {
 public:
  struct Header {
    QString documentName;  // the beam's file as the user knows it
    QDateTime when;
    QString version;
  };

  // Writes the report to pdfFile; false, with error saying why, when the
  // file cannot be written.
  static bool Write(const TTrevanDoc& beam, const Header& header, const QString& pdfFile, QString& error);
  // The section, when given, adds its table and the deflections checked
  // against L/limit.
  static bool Write(const ExactBeam& beam, bool metric, const Header& header, const QString& pdfFile,
                    QString& error, const BeamSection& section = {}, double limit = 250);

  // Letter where the locale measures in US units, A4 elsewhere.
  static QPageSize::PageSizeId PageSizeFor(const QLocale& locale);
  // A header for the named file, now, with this program's version.
  static Header HeaderFor(const QString& fileName);
};

}  // namespace trevan
