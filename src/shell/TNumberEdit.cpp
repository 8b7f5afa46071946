#include "TNumberEdit.h"

#include <QLocale>

namespace trevan {

namespace {
// A decimal point always reads as one, as everywhere else in the program.
// The user's own locale is asked only for what the C format cannot read,
// and never with group separators: "1.250" is 1.25 in every locale, a
// German "1,25" is 1.25 too, and "1,250" with a comma for thousands is refused.
bool Convert(const QString& text, double& value) {
  bool ok = false;
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::RejectGroupSeparator);
  value = c.toDouble(text.trimmed(), &ok);
  if (ok) return true;
  QLocale local;
  local.setNumberOptions(QLocale::RejectGroupSeparator);
  value = local.toDouble(text.trimmed(), &ok);
  return ok;
}
}  // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) { setAlignment(Qt::AlignRight); }

bool TNumberEdit::Validate() const {
  double value = 0;
  return Convert(text(), value);
}

double TNumberEdit::Value() const {
  double value = 0;
  return Convert(text(), value) ? value : 0;
}

void TNumberEdit::SetValue(double value) { setText(QString::number(value, 'g', 7)); }

}  // namespace trevan
