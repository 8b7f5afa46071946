#include "TAddCommands.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "DialogService.h"
#include "TActionList.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TMainForm.h"
#include "TObjectDialog.h"
#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"
#include "text/CLocaleText.h"
#include "undo/EditRecorder.h"

namespace trevan {

namespace {
QString Number(double v) { return QString::fromStdString(FloatToText(v)); }

// The typed value of a row, or why it cannot be taken.
struct Typed {
  double value = 0;
  QString problem;
};

Typed Magnitude(const QString& text, const char* what, const char* unit) {
  Typed t;
  if (limits::ParseEdited(text.toStdString(), t.value) != limits::ParsedValue::Ok ||
      !limits::IsMagnitude(t.value))
    t.problem = QString::fromStdString(CFormat("%s must be a number between %g and %g %s, both excluded.",
                                               what, -limits::MaxMagnitude, limits::MaxMagnitude, unit));
  return t;
}

Typed Position(const QString& text, const char* what, const TTrevanDoc& beam) {
  Typed t;
  if (limits::ParseEdited(text.toStdString(), t.value) != limits::ParsedValue::Ok ||
      !limits::IsLoadPosition(t.value, beam.Length))
    t.problem = QString::fromStdString(
        CFormat("%s must be a number from 0 to %.10g %s.", what, beam.Length, LengthUnit(beam.Metric)));
  return t;
}

// A value the dialog has checked already.
double Value(const QString& text) {
  double value = 0;
  limits::ParseEdited(text.toStdString(), value);
  return value;
}

QString FirstProblem(std::initializer_list<Typed> values) {
  for (const Typed& t : values)
    if (!t.problem.isEmpty()) return t.problem;
  return {};
}
}  // namespace

TAddCommands::TAddCommands(TMainForm& main, TActionList& actions) : QObject(&main), main_(main) {
  auto add = [&](const char* name, const char* caption, const char* tip, void (TAddCommands::*run)()) {
    QAction* a = actions.Add(new QAction(caption));
    a->setObjectName(name);
    a->setProperty("category", "Edit");
    a->setStatusTip(tip);
    connect(a, &QAction::triggered, this, run);
    return a;
  };
  force_ = add("EditAddForce1", "Add &Force...", "Put a point force on the beam", &TAddCommands::AddForce);
  load_ = add("EditAddLoad1", "Add &Distributed Load...", "Put a distributed load on the beam",
              &TAddCommands::AddDistributedLoad);
  moment_ =
      add("EditAddMoment1", "Add &Moment...", "Put a point moment on the beam", &TAddCommands::AddMoment);
  support_ =
      add("EditAddSupport1", "Add &Support...", "Put a support on the beam", &TAddCommands::AddSupport);
  hinge_ = add("EditAddHinge1", "Add &Hinge in Beam...",
               "Put a hinge into the beam, a joint that passes no moment", &TAddCommands::AddBeamHinge);
  if (QMenu* edit = main.Menu("&Edit")) {
    QAction* before = main.Command("EditClear1");
    edit->insertActions(before, {force_, load_, moment_, support_, hinge_});
    edit->insertSeparator(before);
    connect(edit, &QMenu::aboutToShow, this, &TAddCommands::UpdateEnabled);
  }
}

void TAddCommands::UpdateEnabled() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  for (QAction* a : {force_, load_, moment_, support_, hinge_}) a->setEnabled(w && w->Beam());
}

void TAddCommands::AddForce() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  const QPointer<TMDIChild> window = w;  // a modal dialog lets other events run
  const TTrevanDoc& beam = *w->Beam();
  const char* force = ForceUnit(beam.Metric);
  const QString forceLabel = QString("Force (%1):").arg(force);
  const QString distanceLabel = QString("Distance (%1):").arg(LengthUnit(beam.Metric));
  TObjectDialog dialog(
      main_.Dialogs(), "Add Force", {{forceLabel, "1000"}, {distanceLabel, Number(beam.Length / 2)}},
      [&](const QStringList& t) {
        return FirstProblem({Magnitude(t[0], "The force", force), Position(t[1], "The position", beam)});
      },
      &main_);
  if (main_.Dialogs().Exec(dialog) != QDialog::Accepted || !window || !window->Beam()) return;
  const QStringList t = dialog.Texts();
  charge c(Value(t[1]), Value(t[0]), &window->InputForm());
  c.Case = window->ActiveCase();
  window->Recorder()->RecordAddCharge(c);
}

void TAddCommands::AddDistributedLoad() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  const QPointer<TMDIChild> window = w;  // a modal dialog lets other events run
  const TTrevanDoc& beam = *w->Beam();
  const char* intensity = beam.Metric ? "N/m" : "lbf/ft";
  const char* unit = LengthUnit(beam.Metric);
  TObjectDialog dialog(
      main_.Dialogs(), "Add Distributed Load",
      {{QString("Force 1 (%1):").arg(intensity), "1000"},
       {QString("Distance 1 (%1):").arg(unit), "0"},
       {QString("Force 2 (%1):").arg(intensity), "1000"},
       {QString("Distance 2 (%1):").arg(unit), Number(beam.Length)}},
      [&](const QStringList& t) {
        const Typed x1 = Position(t[1], "Distance 1", beam), x2 = Position(t[3], "Distance 2", beam);
        QString problem = FirstProblem(
            {Magnitude(t[0], "Force 1", intensity), x1, Magnitude(t[2], "Force 2", intensity), x2});
        if (problem.isEmpty() && !(x2.value > x1.value))
          problem = QString::fromStdString(
              CFormat("Distance 2 must lie past distance 1 (%.10g %s).", x1.value, unit));
        return problem;
      },
      &main_);
  if (main_.Dialogs().Exec(dialog) != QDialog::Accepted || !window || !window->Beam()) return;
  const QStringList t = dialog.Texts();
  distrcharge d(Value(t[1]), Value(t[3]), Value(t[0]), Value(t[2]), &window->InputForm());
  d.Case = window->ActiveCase();
  window->Recorder()->RecordAddDistrCharge(d);
}

void TAddCommands::AddSupport() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  const QPointer<TMDIChild> window = w;  // a modal dialog lets other events run
  const TTrevanDoc& beam = *w->Beam();
  QStringList types;
  for (const char* label : SupportTypeLabels) types << label;
  TObjectDialog dialog(
      main_.Dialogs(), "Add Support",
      {{QString("Distance (%1):").arg(LengthUnit(beam.Metric)), "0"},
       {"Type:", SupportTypeLabels[ftHinge], types}},
      [&](const QStringList& t) {
        const Typed x = Position(t[0], "A support", beam);
        if (!x.problem.isEmpty()) return x.problem;
        const auto typed = static_cast<TSupportType>(std::max<qsizetype>(0, types.indexOf(t[1])));
        if (const std::string problem = beam.SupportProblem(x.value, typed); !problem.empty())
          return QString::fromStdString(problem);
        if (!beam.SupportFits(x.value, typed))
          return QString::fromStdString(
              CFormat("A support or a hinge in the beam stands at %.10g %s already.", x.value,
                      LengthUnit(beam.Metric)));
        return QString();
      },
      &main_);
  if (main_.Dialogs().Exec(dialog) != QDialog::Accepted || !window || !window->Beam()) return;
  const QStringList t = dialog.Texts();
  const auto type = static_cast<TSupportType>(std::max<qsizetype>(0, types.indexOf(t[1])));
  window->Recorder()->RecordAddSupport(Value(t[0]), type);
}

void TAddCommands::AddMoment() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  const QPointer<TMDIChild> window = w;  // a modal dialog lets other events run
  const TTrevanDoc& beam = *w->Beam();
  const char* moment = MomentUnit(beam.Metric);
  TObjectDialog dialog(
      main_.Dialogs(), "Add Moment",
      {{QString("Moment (%1, counter-clockwise +):").arg(moment), "1000"},
       {QString("Distance (%1):").arg(LengthUnit(beam.Metric)), Number(beam.Length / 2)}},
      [&](const QStringList& t) {
        return FirstProblem({Magnitude(t[0], "The moment", moment), Position(t[1], "The position", beam)});
      },
      &main_);
  if (main_.Dialogs().Exec(dialog) != QDialog::Accepted || !window || !window->Beam()) return;
  const QStringList t = dialog.Texts();
  couple added(Value(t[1]), Value(t[0]), &window->InputForm());
  added.Case = window->ActiveCase();
  window->Recorder()->RecordAddMoment(added);
}

void TAddCommands::AddBeamHinge() {
  TMDIChild* w = main_.ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  const QPointer<TMDIChild> window = w;  // a modal dialog lets other events run
  const TTrevanDoc& beam = *w->Beam();
  TObjectDialog dialog(
      main_.Dialogs(), "Add Hinge in Beam",
      {{QString("Distance (%1):").arg(LengthUnit(beam.Metric)), Number(beam.Length / 2)}},
      [&](const QStringList& t) {
        const Typed x = Position(t[0], "A hinge in the beam", beam);
        return x.problem.isEmpty() ? QString::fromStdString(beam.HingeProblem(x.value)) : x.problem;
      },
      &main_);
  if (main_.Dialogs().Exec(dialog) != QDialog::Accepted || !window || !window->Beam()) return;
  window->Recorder()->RecordAddHinge(joint(Value(dialog.Texts()[0]), &window->InputForm()));
}

}  // namespace trevan
