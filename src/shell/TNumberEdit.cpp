#include "TNumberEdit.h"

#include <QLocale>

namespace trevan {

namespace {
bool Convert(const QString& text, double& value) {
  bool ok = false;
  value = QLocale().toDouble(text.trimmed(), &ok);
  if (!ok) value = QLocale::c().toDouble(text.trimmed(), &ok);
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
