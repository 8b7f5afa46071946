#include "TColorBox.h"

#include <QPainter>
#include <QPixmap>

#include "DialogService.h"

namespace trevan {

namespace {
struct NamedColour {
  const char* name;
  std::uint32_t number;  // red in the low byte
};

constexpr NamedColour StandardColours[] = {
    {"Black", 0x000000},       {"Maroon", 0x000080},   {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},        {"Purple", 0x800080},   {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},      {"Red", 0x0000FF},      {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF},  {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF}, {"Medium Gray", 0xA4A0A0},
};

QIcon Swatch(Rgb colour) {
  QPixmap swatch(14, 14);
  swatch.fill(TColorBox::ToQColor(colour));
  QPainter(&swatch).drawRect(0, 0, 13, 13);
  return QIcon(swatch);
}
}  // namespace

TColorBox::TColorBox(DialogService& dialogs, QWidget* parent) : QComboBox(parent), dialogs_(dialogs) {
  for (const NamedColour& c : StandardColours) addItem(Swatch(Rgb{c.number}), c.name, c.number);
  addItem("Custom...");
  connect(this, &QComboBox::activated, this, &TColorBox::Activated);
  Select(Rgb{0});
}

void TColorBox::Select(Rgb colour) {
  selected_ = colour;
  int index = findData(colour.value);
  if (index < 0 || index == CustomChoiceIndex()) {
    const int custom = findText("Custom");
    if (custom >= 0) removeItem(custom);
    insertItem(CustomChoiceIndex(), Swatch(colour), "Custom", colour.value);
    index = findData(colour.value);
  }
  setCurrentIndex(index);
}

void TColorBox::Activated(int index) {
  if (index != CustomChoiceIndex()) {
    selected_ = Rgb{itemData(index).toUInt()};
    return;
  }
  const QColor chosen = dialogs_.ChooseColor(this, ToQColor(selected_));
  Select(chosen.isValid() ? FromQColor(chosen) : selected_);
}

}  // namespace trevan
