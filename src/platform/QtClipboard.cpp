#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace trevan {

bool QtClipboard::SetText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  return true;
}

std::optional<std::string> QtClipboard::GetText() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return std::nullopt;
  const QString text = clipboard->text();
  if (text.isEmpty()) return std::nullopt;
  return text.toLatin1().toStdString();
}

}  // namespace trevan
