#pragma once

#include <QLineEdit>

namespace trevan {

// A right-aligned edit box for one number.
class TNumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TNumberEdit(QWidget* parent = nullptr);

  // The text converts to a number: C format first, the user's locale where
  // it cannot be mistaken for it.
  bool Validate() const;
  // 0 when the text is not a number.
  double Value() const;
  // Shows the number with 7 significant digits.
  void SetValue(double value);
};

}  // namespace trevan
