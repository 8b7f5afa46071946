#include "TMainForm.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <utility>

#include "ChildPlacement.h"
#include "DialogService.h"
#include "GeometrySetting.h"
#include "Pictures.h"
#include "TAboutBox.h"
#include "TActionList.h"
#include "TAddCommands.h"
#include "TCaseChoices.h"
#include "TCombinationsForm.h"
#include "TDocManager.h"
#include "TDocument.h"
#include "TExportCommands.h"
#include "THelpViewer.h"
#include "TInputForm.h"
#include "TLoadCasesForm.h"
#include "TMDIChild.h"
#include "TOptionsForm.h"
#include "TPreviewForm.h"
#include "TQMostRecentlyUsedList.h"
#include "TQPropertyInspector.h"
#include "TSectionForm.h"
#include "TStartForm.h"
#include "TTool.h"
#include "TViewCommands.h"
#include "beam/Beam.h"
#include "beam/UnitSystem.h"

static void InitMainResources() { Q_INIT_RESOURCE(app); }

namespace trevan {

namespace {
constexpr const char* TrevanKey = "Software\\Quillmoor Software\\Trevan";
constexpr const char* MainGeometryName = "MainWindowGeometry";
constexpr const char* InspectorGeometryName = "InspectorGeometry";

const char* const ImageFiles[] = {"00-new",
                                  "01-open",
                                  "02-save",
                                  "03-print",
                                  "04-preview",
                                  "05-copy",
                                  "06-cut",
                                  "07-paste",
                                  "08-clear",
                                  "09-options",
                                  "10-forces-plus",
                                  "11-forces-minus",
                                  "12-moments-plus",
                                  "13-moments-minus",
                                  "14-distances-plus",
                                  "15-distances-minus",
                                  "16-select",
                                  "17-hinge",
                                  "18-vice",
                                  "19-force",
                                  "20-undo",
                                  "21-properties",
                                  "22-delete",
                                  "23-redo",
                                  "24-roller",
                                  "25-moment",
                                  "26-beam-hinge"};
}  // namespace

TMainForm::TMainForm(DialogService& dialogs, QStringList startFiles)
    : dialogs_(dialogs), startFiles_(std::move(startFiles)), messages_(dialogs, this) {
  InitMainResources();
  setWindowTitle("Trevan");
  setWindowIcon(QIcon(ProductPicture()));
  PlaceMainWindow();
  mdi_ = new QMdiArea;
  mdi_->setAccessibleName("Beam windows");
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  for (const char* file : ImageFiles) images_.append(QIcon(QString(":/icons/%1.svg").arg(file)));

  actions_ = new TActionList(this);
  CreateCommands();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  undoCommand_ = ActionCommand(Command("EditUndo1"));
  redoCommand_ = ActionCommand(Command("EditRedo1"));

  startForm_ = std::make_unique<TStartForm>(dialogs_, this);
  options_ = std::make_unique<TOptionsForm>(dialogs_, this);
  about_ = std::make_unique<TAboutBox>(this);
  inspector_ = new TQPropertyInspector(messages_, this);
  inspector_->OnClosed = [this] {
    RememberInspector();
    Command("EditProperties1")->setChecked(false);
  };
  help_ = new THelpViewer(this);
  view_ = new TViewCommands(*this, *actions_);

  MetricSetting1.Storage.SetKey(TrevanKey);
  MetricSetting1.Storage.SetRegistryRootKey(qsrkCurrentUser);
  MetricSetting1.KeyName = "Metric";

  docManager_ = new TDocManager(this, dialogs_);
  docManager_->ActionList = actions_;
  docManager_->Storage.SetKey(QString(TrevanKey) + "\\MRU");
  docManager_->Storage.SetRegistryRootKey(qsrkCurrentUser);
  docManager_->FileMenuItem = Menu("&File");
  docManager_->ToolBar = stdToolBar_;
  docManager_->DefaultExt = "tvn";
  docManager_->Filter = "Trevan documents (*.tvn)|*.tvn";
  docManager_->Images = images_;
  docManager_->OnNewDocument = [this](TDocManager&, TDocument*& document) {
    auto* window = new TMDIChild(*this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setWindowIcon(windowIcon());
    // Most of the area, so that the fitted beam has room to show.
    PlaceNewChild(sub, (mdi_->viewport()->size() * 9 / 10).expandedTo(QSize(624, 385)));
    sub->show();
    WatchWindow(window);
    document = &window->Document();
    UpdateCommands();
  };
  docManager_->Loaded();
  new TExportCommands(*this, *actions_);
  new TAddCommands(*this, *actions_);
  cases_ = new TCaseChoices(*this);

  idle_ = new QTimer(this);
  idle_->setInterval(0);
  connect(idle_, &QTimer::timeout, this, [this] {
    if (!ApplicationEvents1Idle()) idle_->stop();
  });
  connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::ActiveWindowChanged);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateCommands);
  UpdateCommands();
}

TMainForm::~TMainForm() {
  idle_->stop();
  // Documents still open close before the windows that report to them go;
  // the commands stop asking the manager while it is going.
  delete std::exchange(docManager_, nullptr);
  // Nothing may follow the windows while the frame is taken apart.
  delete view_;
}

QAction* TMainForm::Command(const QString& name) const { return actions_->Find(name); }

QMenu* TMainForm::Menu(const QString& title) const {
  for (QAction* a : menuBar()->actions())
    if (a->menu() && a->text() == title) return a->menu();
  return nullptr;
}

QAction* TMainForm::Add(const char* name, const char* category, const char* caption, const char* shortcut,
                        int image, bool enabled, const char* hint) {
  auto* a = actions_->Add(new QAction(caption));
  a->setObjectName(name);
  a->setProperty("category", category);
  if (shortcut) a->setShortcut(QKeySequence(shortcut));
  if (image >= 0) a->setIcon(images_[image]);
  a->setEnabled(enabled);
  if (hint) {
    const QStringList parts = QString(hint).split('|');
    a->setToolTip(parts.first());
    a->setStatusTip(parts.last());
  }
  return a;
}

void TMainForm::CreateCommands() {
  CreateFileCommands();
  CreateEditCommands();
  CreateToolCommands();
  CreateScaleCommands();
  CreateWindowCommands();
}

void TMainForm::CreateFileCommands() {
  Add("FileNew", "File", "&New", "Ctrl+N", 0, true, "New|Create a new file");
  Add("FileOpen", "File", "&Open...", "Ctrl+O", 1, true, "Open|Open an existing file");
  Add("FileSave", "File", "&Save", "Ctrl+S", 2, false, "Save|Save this file");
  Add("FileSaveAs", "File", "S&ave As...", "Ctrl+Shift+S", -1, false, "Save this file under a new name");
  Add("FileClose", "File", "&Close", "Ctrl+W", -1, false, "Close this file")
      ->setShortcuts({QKeySequence("Ctrl+W"), QKeySequence("Ctrl+F4")});
  connect(Add("FilePrint1", "File", "Print...", "Ctrl+P", 3, true, "Print"), &QAction::triggered, this,
          &TMainForm::FilePrint1Execute);
  connect(Add("FilePrintPreview1", "File", "Print Preview", nullptr, 4, true, "Print Preview"),
          &QAction::triggered, this, &TMainForm::FilePrintPreview1Execute);
  Add("FileExit", "File", "E&xit", "Ctrl+Q", -1, true, "Close Trevan")
      ->setShortcuts({QKeySequence("Ctrl+Q"), QKeySequence("Alt+F4")});
}

void TMainForm::CreateEditCommands() {
  // Backspace undoes too, in the document window; these work anywhere in the frame.
  QAction* undo = Add("EditUndo1", "Edit", "Can't &Undo", "Ctrl+Z", 20, false);
  connect(undo, &QAction::triggered, this, [this] {
    if (TMDIChild* w = ActiveDocumentWindow(); w && w->UndoStack()) w->UndoStack()->Undo();
    UpdateCommands();
  });
  QAction* redo = Add("EditRedo1", "Edit", "Can't &Redo", "Ctrl+Y", 23, false);
  redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  connect(redo, &QAction::triggered, this, [this] {
    if (TMDIChild* w = ActiveDocumentWindow(); w && w->UndoStack()) w->UndoStack()->Redo();
    UpdateCommands();
  });
  connect(Add("EditCut1", "Edit", "Cu&t", "Ctrl+X", 6, true,
              "Cut|Cuts the selection and puts it on the Clipboard"),
          &QAction::triggered, this, [this] {
            OnActiveWindow(&TMDIChild::Cut);
            UpdateCommands();
          });
  connect(Add("EditCopy1", "Edit", "&Copy", "Ctrl+C", 5, true,
              "Copy|Copies the selection and puts it on the Clipboard"),
          &QAction::triggered, this, [this] {
            OnActiveWindow(&TMDIChild::Copy);
            UpdateCommands();
          });
  // A paste picks the select tool: its check mark follows.
  connect(Add("EditPaste1", "Edit", "&Paste", "Ctrl+V", 7, true, "Paste|Inserts Clipboard contents"),
          &QAction::triggered, this, [this] {
            OnActiveWindow(&TMDIChild::Paste);
            UpdateCommands();
          });
  connect(Add("EditClear1", "Edit", "Clear all", "Shift+Del", 8, true), &QAction::triggered, this,
          [this] { OnActiveWindow(&TMDIChild::ClearAll); });
  connect(Add("EditDelete1", "Edit", "Delete", nullptr, 22, true), &QAction::triggered, this, [this] {
    if (TMDIChild* w = ActiveDocumentWindow(); w && w->Beam()) w->Recorder()->RecordDeleteSelected();
  });
  QAction* properties = Add("EditProperties1", "Edit", "P&roperties", "Alt+Return", 21, false);
  properties->setCheckable(true);
  connect(properties, &QAction::triggered, this, &TMainForm::EditProperties1Execute);
  connect(Add("BeamSection1", "Beam", "&Section and Material...", nullptr, -1, false,
              "Section and Material|Sets E and I of the beam, for its deflections"),
          &QAction::triggered, this, &TMainForm::BeamSection1Execute);
  connect(Add("BeamCases1", "Beam", "&Load Cases and Combinations...", nullptr, -1, false,
              "Load Cases and Combinations|Names the load cases, their kinds and the rule that combines them"),
          &QAction::triggered, this, &TMainForm::BeamCases1Execute);
  connect(Add("BeamCombinations1", "Beam", "&Combinations...", nullptr, -1, false,
              "Combinations|Picks the combination rule, edits your own combinations and shows one alone"),
          &QAction::triggered, this, &TMainForm::BeamCombinations1Execute);
}

// The dialog answers a section; only a changed one becomes an undoable edit.
void TMainForm::BeamSection1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  TTrevanDoc* beam = window ? window->Beam() : nullptr;
  if (!beam || !window->Recorder()) return;
  TSectionForm form(dialogs_, this);
  form.Load(beam->Section, beam->Length, beam->Metric);
  if (dialogs_.Exec(form) != QDialog::Accepted || form.Result() == beam->Section) return;
  window->Recorder()->RecordSection(form.Result());
}

// Only changed cases become an undoable edit.
void TMainForm::BeamCases1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  TTrevanDoc* beam = window ? window->Beam() : nullptr;
  if (!beam || !window->Recorder()) return;
  std::vector<int> loads(beam->Cases.Count(), 0);
  for (const auto& c : beam->Charges)
    if (c->Case < loads.size()) ++loads[c->Case];
  for (const auto& d : beam->DistrCharges)
    if (d->Case < loads.size()) ++loads[d->Case];
  for (const auto& m : beam->Moments)
    if (m->Case < loads.size()) ++loads[m->Case];
  TLoadCasesForm form(dialogs_, this);
  form.Load(beam->Cases, loads);
  if (dialogs_.Exec(form) != QDialog::Accepted || form.Result() == beam->Cases) return;
  window->Recorder()->RecordCases(form.Result());
}

// A changed rule or list is one undoable edit; a combination shown alone
// becomes the window's results choice.
void TMainForm::BeamCombinations1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  TTrevanDoc* beam = window ? window->Beam() : nullptr;
  if (!beam || !window->Recorder()) return;
  TCombinationsForm form(dialogs_, this);
  form.Load(beam->Cases);
  if (dialogs_.Exec(form) != QDialog::Accepted) return;
  if (!(form.Result() == beam->Cases)) window->Recorder()->RecordCases(form.Result());
  if (const std::optional<std::size_t> shown = form.Shown()) {
    for (const ResultChoice& choice : ResultChoice::For(beam->Cases))
      if (choice.kind == ResultChoice::Kind::Combination && choice.index == *shown) window->SetChoice(choice);
  }
  cases_->Refresh();
}

void TMainForm::CreateToolCommands() {
  auto* tools = new QActionGroup(this);
  const struct {
    const char* name;
    const char* caption;
    int image;
    int code;
  } toolCommands[] = {{"SelectToolAction", "Select Tool", 16, TInputForm::SelectToolCode},
                      {"ForceToolAction", "Force Tool", 19, TInputForm::ForceToolCode},
                      {"MomentToolAction", "Moment Tool", 25, TInputForm::MomentToolCode},
                      // A support, and a joint of the beam itself: named apart.
                      {"HingeToolAction", "Hinge Support Tool", 17, TInputForm::HingeToolCode},
                      {"ViceToolAction", "Vice Tool", 18, TInputForm::ViceToolCode},
                      {"RollerToolAction", "Roller Tool", 24, TInputForm::RollerToolCode},
                      {"BeamHingeToolAction", "Hinge in Beam Tool", 26, TInputForm::BeamHingeToolCode}};
  for (const auto& t : toolCommands) {
    QAction* a = Add(t.name, "Tools", t.caption, nullptr, t.image, true);
    a->setCheckable(true);
    tools->addAction(a);
    const int code = t.code;
    connect(a, &QAction::triggered, this, [this, code] { SelectToolCommand(code); });
  }
  Command("HingeToolAction")->setChecked(true);
}

void TMainForm::CreateScaleCommands() {
  const struct {
    const char* name;
    const char* caption;
    int image;
  } scaleCommands[] = {
      {"ForcesPlusAction", "&Forces +", 10},       {"ForcesMinusAction", "Fo&rces −", 11},
      {"MomentsPlusAction", "&Moments +", 12},     {"MomentsMinusAction", "Mom&ents −", 13},
      {"DistancesPlusAction", "&Distances +", 14}, {"DistancesMinusAction", "D&istances −", 15},
      {"DeflectionsPlusAction", "De&flections +", -1}, {"DeflectionsMinusAction", "Deflec&tions −", -1}};
  for (int i = 0; i < TMDIChild::ScaleCommandCount; ++i) {
    QAction* a =
        Add(scaleCommands[i].name, "Scale", scaleCommands[i].caption, nullptr, scaleCommands[i].image, true);
    connect(a, &QAction::triggered, this, [this, i] { ScaleCommand(i); });
  }
}

void TMainForm::CreateWindowCommands() {
  connect(Add("WindowCascade1", "Window", "&Cascade", nullptr, -1, true, "Cascade"), &QAction::triggered,
          this, &TMainForm::CascadeWindows);
  connect(
      Add("WindowTileHorizontal1", "Window", "Tile &Horizontally", nullptr, -1, true, "Tile Horizontally"),
      &QAction::triggered, this, [this] { TileWindows(false); });
  connect(Add("WindowTileVertical1", "Window", "Tile &Vertically", nullptr, -1, true, "Tile Vertically"),
          &QAction::triggered, this, [this] { TileWindows(true); });
  connect(Add("WindowMinimizeAll1", "Window", "&Minimize All", nullptr, -1, true, "Minimize All"),
          &QAction::triggered, this, [this] {
            for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->showMinimized();
          });
  connect(Add("WindowArrangeAll1", "Window", "&Arrange All", nullptr, -1, true, "Arrange All"),
          &QAction::triggered, this, &TMainForm::ArrangeMinimized);
  connect(Add("HelpContents1", "Help", "&Contents", "F1", -1, true), &QAction::triggered, this,
          [this] { help_->ShowContents(); });
  connect(Add("HelpAbout1", "Help", "&About...", nullptr, -1, true,
              "About|Displays program information, version number, and copyright"),
          &QAction::triggered, this, [this] { dialogs_.Exec(*about_); });
}

void TMainForm::CreateMenus() {
  auto add = [this](QMenu* menu, const char* name) { menu->addAction(Command(name)); };
  QMenu* file = menuBar()->addMenu("&File");
  file->setStatusTip("File related commands");
  for (const char* n : {"FileNew", "FileOpen", "FileSave", "FileSaveAs", "FileClose"}) add(file, n);
  file->addSeparator();
  add(file, "FilePrint1");
  add(file, "FilePrintPreview1");
  file->addSeparator()->setObjectName("ExitSeparator");
  add(file, "FileExit");

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setStatusTip("Edit commands");
  add(edit, "EditUndo1");
  add(edit, "EditRedo1");
  edit->addSeparator();
  for (const char* n : {"EditCut1", "EditCopy1", "EditPaste1"}) add(edit, n);
  edit->addSeparator();
  add(edit, "EditClear1");
  add(edit, "EditDelete1");
  edit->addSeparator();
  add(edit, "EditProperties1");

  QMenu* beamMenu = menuBar()->addMenu("&Beam");
  beamMenu->setStatusTip("Beam commands");
  add(beamMenu, "BeamSection1");
  add(beamMenu, "BeamCases1");
  add(beamMenu, "BeamCombinations1");

  QMenu* tools = menuBar()->addMenu("&Tools");
  for (const char* n : {"SelectToolAction", "ForceToolAction", "MomentToolAction", "HingeToolAction",
                        "RollerToolAction", "ViceToolAction", "BeamHingeToolAction"})
    add(tools, n);

  QMenu* scale = menuBar()->addMenu("&Scale");
  for (const char* n : {"ForcesPlusAction", "ForcesMinusAction", "MomentsPlusAction", "MomentsMinusAction",
                        "DistancesPlusAction", "DistancesMinusAction", "DeflectionsPlusAction",
                        "DeflectionsMinusAction"})
    add(scale, n);
  scale->addSeparator();
  QMenu* units = scale->addMenu("&Units");
  auto* unitGroup = new QActionGroup(this);
  Metric1 = units->addAction("&Metric (N-m)");
  Nonmetric1 = units->addAction("&Non-metric (lb-ft)");
  for (QAction* a : {Metric1, Nonmetric1}) {
    a->setCheckable(true);
    unitGroup->addAction(a);
  }
  Metric1->setChecked(true);
  connect(Metric1, &QAction::triggered, this, [this] { SetAllUnits(true); });
  connect(Nonmetric1, &QAction::triggered, this, [this] { SetAllUnits(false); });
  connect(scale->addAction("&Options..."), &QAction::triggered, this, &TMainForm::OptionsItemClick);

  windowMenu_ = menuBar()->addMenu("&Window");
  windowMenu_->setStatusTip("Window related commands");
  for (const char* n : {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1",
                        "WindowMinimizeAll1", "WindowArrangeAll1"})
    add(windowMenu_, n);
  connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::RefreshWindowMenu);

  QMenu* help = menuBar()->addMenu("&Help");
  help->setStatusTip("Help topics");
  add(help, "HelpContents1");
  help->addSeparator();
  add(help, "HelpAbout1");
}

void TMainForm::CreateToolBars() {
  stdToolBar_ = addToolBar("Standard");
  stdToolBar_->setObjectName("StdToolBar");
  viewToolBar_ = addToolBar("View");
  viewToolBar_->setObjectName("ViewToolBar");
  for (QToolBar* bar : {stdToolBar_, viewToolBar_}) {
    bar->setIconSize(QSize(20, 20));
    bar->setMovable(true);
  }
  auto add = [this](QToolBar* bar, const char* name) { bar->addAction(Command(name)); };
  for (const char* n : {"FileNew", "FileOpen", "FileSave"}) add(stdToolBar_, n);
  stdToolBar_->addSeparator();
  add(stdToolBar_, "FilePrint1");
  add(stdToolBar_, "FilePrintPreview1");
  stdToolBar_->addSeparator();
  for (const char* n : {"EditCut1", "EditCopy1", "EditPaste1"}) add(stdToolBar_, n);
  stdToolBar_->addSeparator();
  for (const char* n : {"EditUndo1", "EditRedo1", "EditProperties1", "EditClear1", "EditDelete1"})
    add(stdToolBar_, n);

  for (const char* n : {"SelectToolAction", "ForceToolAction", "MomentToolAction", "ViceToolAction",
                        "HingeToolAction", "RollerToolAction", "BeamHingeToolAction"})
    add(viewToolBar_, n);
  viewToolBar_->addSeparator();
  for (const char* n : {"ForcesPlusAction", "ForcesMinusAction", "MomentsPlusAction", "MomentsMinusAction",
                        "DistancesPlusAction", "DistancesMinusAction"})
    add(viewToolBar_, n);
}

void TMainForm::CreateStatusBar() {
  const int widths[] = {300, 300, 200};
  const char* const names[] = {"Hint", "Position and values under the pointer", "Largest moment"};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel;
    panels_[i]->setAccessibleName(names[i]);
    panels_[i]->setFixedWidth(widths[i]);
    panels_[i]->setFrameShape(QFrame::Panel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    statusBar()->addPermanentWidget(panels_[i], i == 2 ? 1 : 0);
  }
  statusBar()->setFixedHeight(19 + 4);
  statusBar()->setSizeGripEnabled(true);
}

bool TMainForm::event(QEvent* event) {
  // The long part of a hint goes to panel 0.
  if (event->type() == QEvent::StatusTip) {
    panels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

TMDIChild* TMainForm::ActiveDocumentWindow() const {
  QMdiSubWindow* sub = mdi_->currentSubWindow();
  return sub ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

QList<TMDIChild*> TMainForm::DocumentWindows() const {
  QList<TMDIChild*> windows;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
    if (auto* w = qobject_cast<TMDIChild*>(sub->widget())) windows.append(w);
  return windows;
}

void TMainForm::OnActiveWindow(void (TMDIChild::*operation)()) {
  if (TMDIChild* w = ActiveDocumentWindow(); w && w->Beam()) (w->*operation)();
}

void TMainForm::WatchWindow(TMDIChild* window) {
  connect(window, &TMDIChild::AnalysisPending, this, &TMainForm::StartIdle);
  connect(window, &QObject::destroyed, this,
          [this] { QTimer::singleShot(0, this, &TMainForm::UpdateCommands); });
}

void TMainForm::ActiveWindowChanged() {
  if (TMDIChild* window = ActiveDocumentWindow()) window->ShowStatusPanels();
  UpdateCommands();
  StartIdle();
}

void TMainForm::StartIdle() {
  if (!idle_->isActive()) idle_->start();
}

bool TMainForm::ApplicationEvents1Idle() {
  TMDIChild* window = ActiveDocumentWindow();
  if (!window) return false;
  bool done = true;
  window->IdleStep(done);
  return !done;
}

void TMainForm::UpdateCommands() {
  TMDIChild* window = ActiveDocumentWindow();
  const bool hasChildren = !mdi_->subWindowList().isEmpty();
  const bool selection = window && window->InputForm().SelectedObject();
  Command("EditUndo1")->setEnabled(window && window->UndoStack() && window->UndoStack()->GetCanUndo());
  Command("EditRedo1")->setEnabled(window && window->UndoStack() && window->UndoStack()->GetCanRedo());
  for (const char* n : {"EditCut1", "EditCopy1", "EditDelete1", "EditProperties1"})
    Command(n)->setEnabled(selection);
  const QClipboard* clipboard = QGuiApplication::clipboard();
  Command("EditPaste1")->setEnabled(hasChildren && clipboard && !clipboard->text().isEmpty());
  Command("EditClear1")->setEnabled(hasChildren);
  Command("BeamSection1")->setEnabled(hasChildren);
  Command("BeamCases1")->setEnabled(hasChildren);
  Command("BeamCombinations1")->setEnabled(hasChildren);
  for (const char* n : {"WindowCascade1", "WindowTileHorizontal1", "WindowArrangeAll1", "WindowMinimizeAll1"})
    Command(n)->setEnabled(hasChildren);
  for (const char* title : {"&Edit", "&Beam", "&Tools", "&Scale", "&Window"})
    if (QMenu* m = Menu(title)) m->menuAction()->setVisible(hasChildren);
  UpdateScaleCommands();
  if (!hasChildren)
    for (int panel : {1, 2}) panels_[panel]->clear();
  if (!window) return;
  // By tool number.
  static const char* const toolCommands[] = {"SelectToolAction",   "ForceToolAction",  "HingeToolAction",
                                             "ViceToolAction",     "RollerToolAction", "MomentToolAction",
                                             "BeamHingeToolAction"};
  if (const TTool* tool = window->InputForm().CurrentTool())
    Command(toolCommands[tool->ToolNumber])->setChecked(true);
  // An activation the document missed (its window was already the current
  // one) still gives it the file commands.
  TDocument& document = window->Document();
  if (docManager_ && document.Opened() && document.DocManager == docManager_ &&
      docManager_->ActiveDocument != &document)
    document.Activate(window);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  const bool metric = MetricSetting1.GetValue() != "0";
  SetApplicationMetric(metric);
  if (!metric) Nonmetric1->setChecked(true);
  if (!firstShow_) return;
  firstShow_ = false;
  // No recently-used list was ever stored: this is the first run.
  TQStorage mru;
  mru.SetKey(QString(TrevanKey) + "\\MRU");
  bool firstRun = true;
  try {
    mru.Open();
    firstRun = mru.ReadInteger("Count", -1) == -1;
  } catch (const std::exception&) {
  }
  mru.Close();
  QTimer::singleShot(0, this, [this, firstRun] {
    if (firstRun) help_->ShowContext(THelpViewer::GettingStartedContext);
    if (startFiles_.isEmpty()) {
      Command("FileNew")->trigger();
    } else {
      for (const QString& file : startFiles_) docManager_->OpenDocument(file);
    }
    UpdateCommands();
  });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Every document may refuse, newest first; a Cancel stops the whole close
  // and leaves every document as it was.
  if (!docManager_->CloseQueryAll()) {
    event->ignore();
    return;
  }
  docManager_->ExitAll();
  UpdateCommands();
  RememberInspector();
  if (!isMaximized() && !isFullScreen()) GeometrySetting(MainGeometryName).Write(geometry());
  inspector_->hide();
  help_->hide();
  event->accept();
}

void TMainForm::Undo() { Command("EditUndo1")->trigger(); }

QList<QAction*> TMainForm::PopupCommands() {
  return {Command("EditCut1"), Command("EditCopy1"), Command("EditDelete1"), nullptr,
          Command("EditProperties1")};
}

bool TMainForm::IsActiveDocument(const QWidget* window) const { return window == ActiveDocumentWindow(); }

void TMainForm::SetStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[panel]->setText(text);
}

void TMainForm::InspectorShowObject(object* target) { inspector_->ShowObject(target); }
bool TMainForm::InspectorVisible() const { return inspector_->isVisible(); }
void TMainForm::ShowInspector() { inspector_->show(); }
void TMainForm::HideInspector() { inspector_->hide(); }

void TMainForm::SetMetricChecks(bool metric) { (metric ? Metric1 : Nonmetric1)->setChecked(true); }

void TMainForm::SetMetricSetting(const QString& value) { MetricSetting1.SetValue(value); }

void TMainForm::EditProperties1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  object* selected = window ? window->InputForm().SelectedObject() : nullptr;
  inspector_->ShowObject(selected);
  const bool show = Command("EditProperties1")->isChecked();
  if (show && !inspectorPlaced_) PlaceInspector();
  if (!show) RememberInspector();
  inspector_->setVisible(show);
}

// Where the user left it, else three quarters of the screen in its middle.
void TMainForm::PlaceMainWindow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  if (const std::optional<QRect> stored = GeometrySetting(MainGeometryName).Read();
      stored && available.intersects(*stored)) {
    setGeometry(stored->intersected(available));
    return;
  }
  const QSize size(std::max(780, available.width() * 3 / 4), std::max(490, available.height() * 3 / 4));
  const QSize fitted = size.boundedTo(available.size());
  setGeometry(QRect(available.center() - QPoint(fitted.width() / 2, fitted.height() / 2), fitted));
}

void TMainForm::PlaceInspector() {
  inspectorPlaced_ = true;
  const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1600, 1000);
  QRect frame(0, 0, 300, 170);
  if (const std::optional<QRect> stored = GeometrySetting(InspectorGeometryName).Read()) {
    frame = *stored;
  } else {
    // Beside the main window where the screen has room, else inside its right edge.
    const QRect main = frameGeometry();
    const QPoint top = mdi_->mapToGlobal(QPoint(0, 0));
    frame.moveTopLeft(main.right() + 8 + frame.width() <= screen.right()
                          ? QPoint(main.right() + 8, top.y())
                          : QPoint(main.right() - frame.width() - 24, top.y() + 8));
  }
  frame.setSize(frame.size().boundedTo(screen.size()));
  frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() - frame.width()));
  frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height()));
  inspector_->setGeometry(frame);
}

void TMainForm::RememberInspector() {
  if (inspectorPlaced_) GeometrySetting(InspectorGeometryName).Write(inspector_->geometry());
}

void TMainForm::SelectToolCommand(int code) {
  if (TMDIChild* w = ActiveDocumentWindow()) w->InputForm().SelectTool(code);
}

namespace {
const char* const ScaleCommandNames[] = {"ForcesPlusAction",      "ForcesMinusAction",     "MomentsPlusAction",
                                         "MomentsMinusAction",    "DistancesPlusAction",   "DistancesMinusAction",
                                         "DeflectionsPlusAction", "DeflectionsMinusAction"};
}  // namespace

void TMainForm::ScaleCommand(int command) {
  TMDIChild* w = ActiveDocumentWindow();
  if (!w || !w->Beam()) return;
  w->SetScaledByHand(true);
  w->ApplyScaleCommand(static_cast<TMDIChild::ScaleCommand>(command));
  UpdateScaleCommands();
}

// The scales belong to each window while the commands are shared: their
// states follow the active window, or stay as they are without one.
void TMainForm::UpdateScaleCommands() {
  TMDIChild* w = ActiveDocumentWindow();
  if (!w) return;
  for (int i = 0; i < TMDIChild::ScaleCommandCount; ++i)
    Command(ScaleCommandNames[i])
        ->setEnabled(w->ScaleCommandEnabled(static_cast<TMDIChild::ScaleCommand>(i)));
}

void TMainForm::SetAllUnits(bool metric) {
  const QList<TMDIChild*> windows = DocumentWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->SetUnitSystem(metric);
  // A window may have refused the switch; the marks show the active beam's units.
  TMDIChild* active = ActiveDocumentWindow();
  SetMetricChecks(active && active->Beam() ? active->Beam()->Metric : metric);
  UpdateScaleCommands();
}

void TMainForm::OptionsItemClick() {
  if (dialogs_.Exec(*options_) != QDialog::Accepted) return;
  const QList<TMDIChild*> windows = DocumentWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->Recalculate();
}

void TMainForm::FilePrint1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  if (!window) {
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (auto* preview = sub ? qobject_cast<TPreviewForm*>(sub->widget()) : nullptr)
      window = preview->TargetWindow();
  }
  if (!window) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName("Trevan print job");
  if (!dialogs_.ChoosePrinter(this, printer)) return;
  // The calculation sheet, as Export Report writes it, on the chosen paper.
  if (!TPreviewForm::PrintSheet(*window, printer))
    dialogs_.Message(this, "The printer could not be started.", "Trevan", DialogIcon::Error, DialogButtons::Ok);
}

void TMainForm::FilePrintPreview1Execute() {
  TMDIChild* window = ActiveDocumentWindow();
  if (!window) return;
  auto* preview = new TPreviewForm(window);
  window->LinkPreview(preview);
  QMdiSubWindow* sub = mdi_->addSubWindow(preview);
  PlaceNewChild(sub, QSize(696, 480));
  sub->show();
  connect(preview, &QObject::destroyed, this,
          [this] { QTimer::singleShot(0, this, &TMainForm::UpdateCommands); });
  UpdateCommands();
}

void TMainForm::TileWindows(bool vertically) {
  const QList<QMdiSubWindow*> subs = mdi_->subWindowList();
  if (subs.isEmpty()) return;
  const QSize area = mdi_->viewport()->size();
  const int n = static_cast<int>(subs.size());
  for (int i = 0; i < n; ++i) {
    subs[i]->showNormal();
    if (vertically)
      subs[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
    else
      subs[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
  }
}

int TMainForm::CascadeStep() const {
  return std::max(16, mdi_->style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

void TMainForm::PlaceNewChild(QMdiSubWindow* sub, QSize design) {
  const QSize area = mdi_->viewport()->size();
  if (area.isEmpty()) {
    sub->resize(design);
    return;
  }
  std::optional<QPoint> previous;
  for (QMdiSubWindow* other : mdi_->subWindowList(QMdiArea::StackingOrder))
    if (other != sub && other->isVisible() && !other->isMinimized() && !other->isMaximized())
      previous = other->pos();
  sub->setGeometry(ChildPlacement::NewWindow(area, design, previous, CascadeStep()));
}

void TMainForm::CascadeWindows() {
  QList<QMdiSubWindow*> subs;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder))
    if (!sub->isMinimized()) subs.append(sub);
  const QList<QRect> places = ChildPlacement::Cascade(mdi_->viewport()->size(), subs.size(), CascadeStep());
  for (int i = 0; i < places.size(); ++i) {
    subs[i]->showNormal();
    subs[i]->setGeometry(places[i]);
  }
}

void TMainForm::ArrangeMinimized() {
  int x = 0;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    sub->move(x, mdi_->viewport()->height() - sub->height());
    x += sub->width();
  }
}

void TMainForm::RefreshWindowMenu() {
  qDeleteAll(windowListItems_);
  windowListItems_.clear();
  const QList<QMdiSubWindow*> subs = mdi_->subWindowList(QMdiArea::CreationOrder);
  if (subs.isEmpty()) return;
  windowListItems_.append(windowMenu_->addSeparator());
  for (int i = 0; i < subs.size(); ++i) {
    QMdiSubWindow* sub = subs[i];
    QAction* item = windowMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
    item->setCheckable(true);
    item->setChecked(sub == mdi_->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    windowListItems_.append(item);
  }
}

}  // namespace trevan
