#pragma once

#include <QByteArray>
#include <QString>

namespace trevan {

// Every export reaches its file through the writer that saves beams: made
// complete beside it and renamed over it, so a failure leaves the old file.
struct ExportFile {
  // False, with "Cannot write FILE: why", when the bytes did not arrive.
  static bool Write(const QString& fileName, const QByteArray& bytes, QString& error);
};

}  // namespace trevan
