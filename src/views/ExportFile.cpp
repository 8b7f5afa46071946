#include "ExportFile.h"

#include <QFile>

#include "files/SafeFileWriter.h"

namespace trevan {

bool ExportFile::Write(const QString& fileName, const QByteArray& bytes, QString& error) {
  const std::string why = SafeFileWriter::Replace(QFile::encodeName(fileName).toStdString(),
                                                  std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (why.empty()) return true;
  error = QString("Cannot write %1: %2").arg(fileName, QString::fromLocal8Bit(why));
  return false;
}

}  // namespace trevan
