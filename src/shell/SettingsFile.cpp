#include "SettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace trevan {

namespace {

QString Escape(const QString& text, bool name) {
  QString out;
  for (const QChar c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (name && c == '=')
      out += "\\=";
    else
      out += c;
  }
  return out;
}

// Unescapes up to an unescaped '=' when stopAtEquals; answers the position
// after what was read, or -1 for a broken escape.
qsizetype Unescape(const QString& text, qsizetype from, bool stopAtEquals, QString& out) {
  qsizetype i = from;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (stopAtEquals && c == '=') return i;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) return -1;
    const QChar e = text[i];
    if (e == '\\')
      out += '\\';
    else if (e == 'n')
      out += '\n';
    else if (e == 'r')
      out += '\r';
    else if (e == '=')
      out += '=';
    else
      return -1;
  }
  return stopAtEquals ? -1 : i;
}

}  // namespace

QString SettingsFile::DefaultPath() {
  const QString explicitPath = qEnvironmentVariable(PathVariable);
  if (!explicitPath.isEmpty()) return explicitPath;
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return config + "/Quillmoor Software/Trevan.conf";
}

QString SettingsFile::Serialize(const SettingsTree& tree) {
  QString text = "# Trevan settings\n";
  for (auto key = tree.cbegin(); key != tree.cend(); ++key) {
    text += "[" + key.key() + "]\n";
    for (auto value = key->cbegin(); value != key->cend(); ++value) {
      text += Escape(value.key(), true) + "=";
      if (value->kind == SettingsValue::Kind::Integer)
        text += "dword:" + QString::number(value->number);
      else
        text += "sz:" + Escape(value->text, false);
      text += "\n";
    }
  }
  return text;
}

// A line that cannot be understood is a value that is missing; the lines
// around it still count. Lines after a broken key header belong to no key.
SettingsTree SettingsFile::Parse(const QString& text, int* malformedLines) {
  SettingsTree tree;
  QString section;
  bool inSection = false;
  int malformed = 0;
  for (const QString& rawLine : text.split('\n')) {
    const QString line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
    if (line.isEmpty() || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      inSection = line.endsWith(']') && line.size() >= 3;
      if (inSection) {
        section = line.mid(1, line.size() - 2);
        tree[section];
      } else {
        ++malformed;
      }
      continue;
    }
    QString name;
    const qsizetype equals = inSection ? Unescape(line, 0, true, name) : -1;
    const QString rest = equals < 0 ? QString() : line.mid(equals + 1);
    bool ok = false;
    if (rest.startsWith("dword:")) {
      const qint32 number = rest.mid(6).toInt(&ok);
      if (ok) tree[section][name] = SettingsValue::Integer(number);
    } else if (rest.startsWith("sz:")) {
      QString value;
      ok = Unescape(rest, 3, false, value) >= 0;
      if (ok) tree[section][name] = SettingsValue::String(value);
    }
    if (!ok) ++malformed;
  }
  if (malformedLines) *malformedLines = malformed;
  return tree;
}

std::optional<SettingsTree> SettingsFile::Read(const QString& path, int* malformedLines) {
  if (malformedLines) *malformedLines = 0;
  QFile file(path);
  if (!file.exists()) return SettingsTree{};
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return Parse(QString::fromUtf8(file.readAll()), malformedLines);
}

bool SettingsFile::KeepCopy(const QString& path) {
  const QString stem = path + ".corrupt-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
  for (int n = 1; n <= 1000; ++n) {
    const QString copy = n == 1 ? stem : stem + "-" + QString::number(n);
    if (QFile::exists(copy)) continue;
    return QFile::copy(path, copy);
  }
  return false;
}

QString SettingsFile::Write(const QString& path, const SettingsTree& tree) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(Serialize(tree).toUtf8()) >= 0 && file.commit()) return {};
  return QString("%1: %2").arg(path, file.errorString());
}

}  // namespace trevan
