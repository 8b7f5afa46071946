#include "TAboutBox.h"

#include <QLabel>
#include <QPushButton>

#include "Pictures.h"
#include "TVersionLabel.h"

namespace trevan {

namespace {
QFont ArialFont(int pixelSize, bool bold) {
  QFont font("Arial");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QLabel* CentredLabel(QWidget* parent, const QString& text, QRect place, const QFont& font,
                     const QColor& colour) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  label->setGeometry(place);
  label->setStyleSheet(QString("color: %1").arg(colour.name()));
  return label;
}
}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Trevan");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(492, 248);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setFont(QFont("Arial"));
  setWindowIcon(QIcon(ProductPicture()));

  Image1 = new QLabel(this);
  Image1->setPixmap(ProductPicture());
  Image1->setGeometry(0, 24, 174, 189);

  ProductName = new QLabel("Trevan for Windows", this);
  ProductName->setFont(ArialFont(27, true));
  ProductName->setStyleSheet("color: gray");
  ProductName->move(213, 20);
  ProductName->adjustSize();

  VersionLabel1 = new TVersionLabel(this);
  VersionLabel1->setFont(ArialFont(16, true));
  VersionLabel1->setStyleSheet("color: gray");
  VersionLabel1->setAlignment(Qt::AlignCenter);
  VersionLabel1->setGeometry(254, 64, 155, 19);

  Copyright = CentredLabel(this, "Copyright \u00A9 2026 the Trevan developers", QRect(180, 90, 304, 18),
                           ArialFont(13, true), Qt::gray);
  Comments = CentredLabel(this,
                          "Trevan is a calculation aid. Check every result before you rely on it "
                          "in a design.",
                          QRect(180, 120, 304, 33), ArialFont(11, false), Qt::black);
  Label1 = CentredLabel(this, "You may copy and share this program freely, unchanged and free of charge.",
                        QRect(192, 156, 281, 33), ArialFont(11, false), Qt::black);

  OKButton = new QPushButton("OK", this);
  OKButton->setGeometry(400, 216, 77, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  OKButton->setFocus();
}

}  // namespace trevan
