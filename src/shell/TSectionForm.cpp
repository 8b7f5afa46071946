#include "TSectionForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "DialogService.h"
#include "TNumberEdit.h"
#include "beam/InputLimits.h"
#include "beam/SectionShapes.h"
#include "beam/UnitSystem.h"

namespace trevan {

namespace {
constexpr const char* Caption = "Section and Material";
// Where an edit or a cell keeps the value it was shown with.
constexpr const char* OriginalProperty = "original";
constexpr const char* ShownProperty = "shown";
constexpr int OriginalRole = Qt::UserRole, ShownRole = Qt::UserRole + 1;

QString Shown(double value) { return QString::number(value, 'g', 7); }

void Show(QLineEdit& edit, double value, double factor) {
  edit.setText(Shown(value / factor));
  edit.setProperty(OriginalProperty, value);
  edit.setProperty(ShownProperty, edit.text());
}
}  // namespace

TSectionForm::TSectionForm(DialogService& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle(Caption);
  Enabled = new QGroupBox("Give the beam a section and a material (for deflections)", this);
  Enabled->setCheckable(true);
  Material = new QComboBox(Enabled);
  E = new TNumberEdit(Enabled);
  Shape = new QComboBox(Enabled);
  for (const char* name : SectionShape::Names) Shape->addItem(QString::fromUtf8(name));
  I = new TNumberEdit(Enabled);
  W = new QLabel(Enabled);
  auto* form = new QFormLayout(Enabled);
  form->addRow("&Material:", Material);
  form->addRow("&E:", E);
  form->addRow("&Shape:", Shape);
  for (std::size_t k = 0; k < Dimension.size(); ++k) {
    Dimension[k] = new TNumberEdit(Enabled);
    dimensionLabels_[k] = new QLabel(Enabled);
    form->addRow(dimensionLabels_[k], Dimension[k]);
    connect(Dimension[k], &QLineEdit::textEdited, this, &TSectionForm::DimensionsEdited);
  }
  form->addRow("&I:", I);
  form->addRow("W = I / (h/2):", W);

  Stretches = new QTableWidget(0, 4, Enabled);
  Stretches->verticalHeader()->hide();
  Stretches->setMinimumHeight(110);
  AddStretch = new QPushButton("&Add stretch", Enabled);
  RemoveStretch = new QPushButton("&Remove stretch", Enabled);
  auto* stretchButtons = new QHBoxLayout;
  stretchButtons->addWidget(AddStretch);
  stretchButtons->addWidget(RemoveStretch);
  stretchButtons->addStretch();
  form->addRow(new QLabel("Stretches with their own E and I (the rest of the beam has the values above):"));
  form->addRow(Stretches);
  form->addRow(stretchButtons);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Enabled);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &TSectionForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TSectionForm::reject);
  connect(Material, &QComboBox::activated, this, &TSectionForm::MaterialChosen);
  connect(Shape, &QComboBox::currentIndexChanged, this, &TSectionForm::ShapeChosen);
  connect(I, &QLineEdit::textEdited, this, [this] { DimensionsEdited(); });
  connect(AddStretch, &QPushButton::clicked, this, [this] {
    double e = 0, i = 0;
    Read(*E, section_units::EFactor(metric_), e);
    Read(*I, section_units::IFactor(metric_), i);
    AddRow(0, length_, e, i);
  });
  connect(RemoveStretch, &QPushButton::clicked, this, [this] {
    if (Stretches->currentRow() >= 0) Stretches->removeRow(Stretches->currentRow());
  });
}

void TSectionForm::Load(const BeamSection& section, double length, bool metric) {
  metric_ = metric;
  length_ = length;
  using namespace section_units;
  Material->clear();
  for (const auto& preset : MaterialPresets)
    if (preset.metric == metric)
      Material->addItem(QString("%1, %2 %3").arg(preset.name).arg(preset.E).arg(section_units::E(metric)),
                        preset.E);
  Material->addItem("Typed value");
  E->setToolTip(QString("Modulus of elasticity in %1").arg(section_units::E(metric)));
  I->setToolTip(QString("Second moment of area in %1").arg(section_units::I(metric)));
  Stretches->setHorizontalHeaderLabels({QString("From x (%1)").arg(LengthUnit(metric)),
                                        QString("To x (%1)").arg(LengthUnit(metric)),
                                        QString("E (%1)").arg(section_units::E(metric)),
                                        QString("I (%1)").arg(section_units::I(metric))});
  Stretches->setRowCount(0);
  Enabled->setChecked(!section.Empty());
  // A new section starts as the first preset and a typed I of nothing yet.
  const BeamSection::Segment whole =
      section.Empty() ? BeamSection::Segment{0, length, Material->itemData(0).toDouble() * EFactor(metric), 0}
                      : section.Prevailing();
  Show(*E, whole.E, EFactor(metric));
  Material->setCurrentIndex(Material->count() - 1);
  for (int k = 0; k + 1 < Material->count(); ++k)
    if (Material->itemData(k).toDouble() * EFactor(metric) == whole.E) Material->setCurrentIndex(k);
  Shape->setCurrentIndex(SectionShape::Typed);
  ShapeChosen();
  Show(*I, whole.I, IFactor(metric));
  if (section.Empty()) I->clear();
  DimensionsEdited();
  for (const auto& s : section.segments)
    if (s.E != whole.E || s.I != whole.I) AddRow(s.x1, s.x2, s.E, s.I);
  result_ = section;
}

void TSectionForm::AddRow(double x1, double x2, double e, double i) {
  const int row = Stretches->rowCount();
  Stretches->insertRow(row);
  const double values[] = {x1, x2, e, i};
  const double factors[] = {1, 1, section_units::EFactor(metric_), section_units::IFactor(metric_)};
  for (int c = 0; c < 4; ++c) {
    auto* item = new QTableWidgetItem(Shown(values[c] / factors[c]));
    item->setData(OriginalRole, values[c]);
    item->setData(ShownRole, item->text());
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Stretches->setItem(row, c, item);
  }
}

void TSectionForm::MaterialChosen(int index) {
  if (index + 1 < Material->count()) E->setText(Shown(Material->itemData(index).toDouble()));
}

void TSectionForm::ShapeChosen() {
  const auto kind = static_cast<SectionShape::Kind>(Shape->currentIndex());
  const QStringList names = QString(SectionShape::Dimensions[kind]).split(' ', Qt::SkipEmptyParts);
  for (std::size_t k = 0; k < Dimension.size(); ++k) {
    const bool used = static_cast<int>(k) < names.size();
    dimensionLabels_[k]->setText(used ? QString("%1 (%2):").arg(names[k], section_units::Dimension(metric_)) : "");
    dimensionLabels_[k]->setVisible(used);
    Dimension[k]->setVisible(used);
  }
  I->setReadOnly(kind != SectionShape::Typed);
  DimensionsEdited();
}

// A shape gives I; either way W follows when the shape has a depth.
void TSectionForm::DimensionsEdited() {
  using namespace section_units;
  SectionShape shape;
  shape.kind = static_cast<SectionShape::Kind>(Shape->currentIndex());
  for (std::size_t k = 0; k < Dimension.size(); ++k) shape.size[k] = Dimension[k]->Value() * DimensionFactor(metric_);
  if (shape.kind != SectionShape::Typed) {
    const double i = shape.I();
    if (i > 0)
      Show(*I, i, IFactor(metric_));
    else
      I->clear();
  }
  const double w = shape.W();
  W->setText(w > 0 ? QString("%1 %2").arg(Shown(w / WFactor(metric_)), section_units::W(metric_)) : "\u2014");
}

bool TSectionForm::Read(const QLineEdit& edit, double factor, double& value) const {
  if (edit.property(ShownProperty).toString() == edit.text() && edit.property(OriginalProperty).isValid()) {
    value = edit.property(OriginalProperty).toDouble();
    return true;
  }
  double typed = 0;
  if (limits::ParseEdited(edit.text().toStdString(), typed) != limits::ParsedValue::Ok) {
    const auto* number = qobject_cast<const TNumberEdit*>(&edit);
    if (!number || !number->Validate()) return false;
    typed = number->Value();
  }
  value = typed * factor;
  return true;
}

bool TSectionForm::ReadCell(int row, int column, double factor, double& value) const {
  const QTableWidgetItem* item = Stretches->item(row, column);
  if (!item) return false;
  if (item->text() == item->data(ShownRole).toString()) {
    value = item->data(OriginalRole).toDouble();
    return true;
  }
  double typed = 0;
  if (limits::ParseEdited(item->text().toStdString(), typed) != limits::ParsedValue::Ok) return false;
  value = typed * factor;
  return true;
}

bool TSectionForm::Refuse(const QString& text) {
  dialogs_.Message(this, text, Caption, DialogIcon::Warning, DialogButtons::Ok);
  return false;
}

void TSectionForm::accept() {
  using namespace section_units;
  if (!Enabled->isChecked()) {
    result_ = {};
    QDialog::accept();
    return;
  }
  double e = 0, i = 0;
  if (!Read(*E, EFactor(metric_), e) || !limits::IsSectionValue(e))
    return void(Refuse(QString("E must be a positive number in %1.").arg(section_units::E(metric_))));
  if (!Read(*I, IFactor(metric_), i) || !limits::IsSectionValue(i))
    return void(Refuse(QString("I must be a positive number in %1.").arg(section_units::I(metric_))));
  std::vector<BeamSection::Segment> stretches;
  for (int r = 0; r < Stretches->rowCount(); ++r) {
    BeamSection::Segment s;
    if (!ReadCell(r, 0, 1, s.x1) || !ReadCell(r, 1, 1, s.x2) || !ReadCell(r, 2, EFactor(metric_), s.E) ||
        !ReadCell(r, 3, IFactor(metric_), s.I))
      return void(Refuse(QString("Stretch %1 holds a value that is not a number.").arg(r + 1)));
    if (!(s.x1 >= 0 && s.x2 <= length_ && s.x1 < s.x2))
      return void(Refuse(QString("Stretch %1 must lie on the beam, from 0 to %2 %3, and end after it starts.")
                             .arg(r + 1)
                             .arg(length_)
                             .arg(LengthUnit(metric_))));
    stretches.push_back(s);
  }
  std::sort(stretches.begin(), stretches.end(), [](const auto& a, const auto& b) { return a.x1 < b.x1; });
  for (std::size_t k = 1; k < stretches.size(); ++k)
    if (stretches[k].x1 < stretches[k - 1].x2) return void(Refuse("Two stretches overlap."));
  BeamSection section = BeamSection::WithStretches(e, i, length_, stretches);
  const std::string problem = section.Problem(length_);
  if (!problem.empty()) return void(Refuse(QString::fromStdString(problem)));
  result_ = std::move(section);
  QDialog::accept();
}

}  // namespace trevan
