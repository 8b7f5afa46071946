// The document window's interactive costs: one hover step of the force
// tool, a full repaint of a large window, and an edit on a long beam up to
// its repainted views.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "DialogService.h"
#include "DocumentHost.h"
#include "SettingsFile.h"
#include "TDocManager.h"
#include "TDocument.h"
#include "TForceTool.h"
#include "THAxisBox.h"
#include "TInputForm.h"
#include "TMDIChild.h"
#include "TNumberEdit.h"
#include "TOptionsForm.h"
#include "TResultsPanel.h"
#include "TShowForm.h"
#include "TStartForm.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

// Says yes to the new-project dialog with the length it is given.
class BenchDialogs : public DialogService {
 public:
  QString length = "15";
  DialogButton Message(QWidget*, const QString&, const QString&, DialogIcon, DialogButtons) override {
    return DialogButton::No;
  }
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  int Exec(QDialog& dialog) override {
    if (auto* form = qobject_cast<TStartForm*>(&dialog)) form->Edit1->setText(length);
    return QDialog::Accepted;
  }
  QColor ChooseColor(QWidget*, const QColor&) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

class BenchHost : public DocumentHost {
 public:
  BenchHost() : startForm(dialogs), options(dialogs) {}
  void SetStatusText(int, const QString&) override {}
  CommandState* UndoCommand() override { return &undo; }
  CommandState* RedoCommand() override { return &redo; }
  void Undo() override {}
  void UpdateCommands() override {}
  QList<QAction*> PopupCommands() override { return {}; }
  void InspectorShowObject(object*) override {}
  bool InspectorVisible() const override { return false; }
  void ShowInspector() override {}
  void HideInspector() override {}
  void SetMetricChecks(bool) override {}
  void SetMetricSetting(const QString&) override {}
  DialogService& Dialogs() override { return dialogs; }
  TStartForm& StartForm() override { return startForm; }
  const TOptionsForm& Options() const override { return options; }

  BenchDialogs dialogs;
  TStartForm startForm;
  TOptionsForm options;
  CommandStatus undo{"Can't &Undo"};
  CommandStatus redo{"Can't &Redo"};
};

std::unique_ptr<TMDIChild> MakeWindow(BenchHost& host, const char* length, int w, int h) {
  host.dialogs.length = length;
  auto window = std::make_unique<TMDIChild>(host);
  window->resize(w, h);
  window->show();
  window->Document().New();
  QCoreApplication::processEvents();
  return window;
}

void BM_ForceToolHoverStep(benchmark::State& state) {
  BenchHost host;
  auto window = MakeWindow(host, "15", 900, 600);
  TInputForm& view = window->InputForm();
  view.SelectTool(TInputForm::ForceToolCode);
  TTool& tool = *view.CurrentTool();
  const double ds = window->DistanceScale(), fs = window->ForceScale();
  view.RenderNow();
  int x = 10;
  tool.MouseHover({x, view.BaseLine() - 30}, ds, fs, true);
  for (auto _ : state) {
    tool.HideFeedback(ds, fs);
    x = x % 350 + 1;
    tool.MouseHover({x, view.BaseLine() - 30}, ds, fs, true);
  }
  window->Document().SetDirty(false);
}
BENCHMARK(BM_ForceToolHoverStep)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  BenchHost host;
  auto window = MakeWindow(host, "60", 1600, 900);
  for (int i = 0; i < 30; ++i) window->Beam()->AddCharge(charge(2 * i, 1000 + 100 * i, &window->InputForm()));
  window->Beam()->InsertSupport(0, ftHinge);
  window->Beam()->InsertSupport(60, ftHinge);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    window->InputForm().RenderNow();
    window->ShowForm().RenderNow();
    window->repaint();
  }
  window->Document().SetDirty(false);
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_EditToRepaintOnALongBeam(benchmark::State& state) {
  BenchHost host;
  auto window = MakeWindow(host, "500", 1600, 900);
  TTrevanDoc& beam = *window->Beam();
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i <= 50; ++i) beam.InsertSupport(i * 10.0, ftHinge);
  for (int i = 0; i < 200; ++i)
    beam.Charges.push_back(
        std::make_shared<charge>(500 * unit(random), 500 + 5000 * unit(random), &window->InputForm()));
  for (int i = 0; i < 50; ++i) {
    const double x = 490 * unit(random);
    beam.DistrCharges.push_back(std::make_shared<distrcharge>(
        x, x + 1 + 9 * unit(random), 2000 * unit(random), 2000 * unit(random), &window->InputForm()));
  }
  window->Recalculate();
  QCoreApplication::processEvents();
  int pixels = 1;
  for (auto _ : state) {
    window->Recorder()->RecordMove(*beam.Charges[0], pixels * window->DistanceScale());
    pixels = -pixels;
    QCoreApplication::processEvents();  // the deferred repaints of the views
    window->repaint();
  }
  window->Document().SetDirty(false);
}
BENCHMARK(BM_EditToRepaintOnALongBeam)->Unit(benchmark::kMillisecond);

// The same beam with dead, imposed and snow loads, its diagrams and the
// results panel on the ULS envelope with pattern loading.
void BM_EditToRepaintWithTheUlsEnvelope(benchmark::State& state) {
  BenchHost host;
  auto window = MakeWindow(host, "500", 1600, 900);
  TTrevanDoc& beam = *window->Beam();
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i <= 50; ++i) beam.InsertSupport(i * 10.0, ftHinge);
  for (int i = 0; i < 200; ++i) {
    beam.Charges.push_back(
        std::make_shared<charge>(500 * unit(random), 500 + 5000 * unit(random), &window->InputForm()));
    beam.Charges.back()->Case = static_cast<std::size_t>(i % 3);
  }
  for (int i = 0; i < 50; ++i) {
    const double x = 490 * unit(random);
    beam.DistrCharges.push_back(std::make_shared<distrcharge>(
        x, x + 1 + 9 * unit(random), 2000 * unit(random), 2000 * unit(random), &window->InputForm()));
    beam.DistrCharges.back()->Case = static_cast<std::size_t>(i % 3);
  }
  LoadCases cases;
  cases.cases = {{"Dead", LoadKind::Permanent}, {"Offices", LoadKind::Imposed}, {"Snow", LoadKind::Snow}};
  beam.SetCases(cases);
  const std::vector<ResultChoice> choices = ResultChoice::For(beam.Cases);
  const auto uls = std::find_if(choices.begin(), choices.end(), [](const ResultChoice& c) {
    return c.IsEnvelope() && c.limit == LimitState::Ultimate;
  });
  window->SetChoice(*uls);
  TResultsPanel panel;
  panel.show();
  window->Recalculate();
  QCoreApplication::processEvents();
  int pixels = 1;
  for (auto _ : state) {
    window->Recorder()->RecordMove(*beam.Charges[0], pixels * window->DistanceScale());
    pixels = -pixels;
    panel.ShowBeam(&beam, window->Choice(), &window->ShowForm().ShownEnvelope());
    QCoreApplication::processEvents();
    window->repaint();
    panel.repaint();
  }
  state.counters["columns"] = window->ColumnCount();
  window->Document().SetDirty(false);
}
BENCHMARK(BM_EditToRepaintWithTheUlsEnvelope)->Unit(benchmark::kMillisecond);

// One repaint of the distance axis where the window shows it, scrolled to
// the far end of a beam of the given number of columns.
void BM_DistanceAxisRepaint(benchmark::State& state) {
  BenchHost host;
  const long long columns = state.range(0);
  const QString length = QString::number((columns - 1) * 0.0025, 'f', 4);
  host.dialogs.length = length;
  auto window = std::make_unique<TMDIChild>(host);
  window->resize(1600, 900);
  window->show();
  window->Document().New();
  while (window->ApplyScaleCommand(TMDIChild::ScaleCommand::DistancesPlus)) {
  }
  window->ScrollBar1().setValue(window->ScrollBar1().maximum());
  QCoreApplication::processEvents();
  THAxisBox& axis = window->HAxisPaintBox();
  const QRect shown = axis.visibleRegion().boundingRect();
  QImage target(shown.size(), QImage::Format_RGB32);
  for (auto _ : state) axis.render(&target, QPoint(), QRegion(shown));
  state.counters["columns"] = window->ColumnCount();
  window->Document().SetDirty(false);
}
BENCHMARK(BM_DistanceAxisRepaint)
    ->Arg(10'001)
    ->Arg(4'000'001)
    ->Arg(13'000'001)
    ->Unit(benchmark::kMillisecond);

// Resident memory of the process, from the kernel's own count.
double ResidentMegabytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  long pages = 0, resident = 0;
  const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
  std::fclose(statm);
  return read == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1048576.0) : 0;
}

// A 10000 m beam at the finest distance scale: over four million columns.
void BM_LongBeamWindowMemory(benchmark::State& state) {
  BenchHost host;
  for (auto _ : state) {
    const double before = ResidentMegabytes();
    auto window = MakeWindow(host, "10000", 1600, 900);
    while (window->ApplyScaleCommand(TMDIChild::ScaleCommand::DistancesPlus)) {
    }
    window->Beam()->InsertSupport(0, ftHinge);
    window->Beam()->InsertSupport(10000, ftHinge);
    QCoreApplication::processEvents();
    window->repaint();
    state.counters["window_MB"] = ResidentMegabytes() - before;
    state.counters["columns"] = window->ColumnCount();
    window->Document().SetDirty(false);
  }
}
BENCHMARK(BM_LongBeamWindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The heaviest beam the reader takes: 10000 m with 100000 distributed loads
// over its whole length, opened in a window of its own up to the first
// picture on screen. Goal: within 2 s, as the command line analyses it.
std::string WriteHeavyFile() {
  const std::string path = (std::filesystem::temp_directory_path() / "trevan_heavy_beam.tvn").string();
  std::ofstream out(path, std::ios::binary);
  const int n = static_cast<int>(TTrevanDoc::MaxRecordsPerKind);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  char line[200];
  out << "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10000.000000000 \r\n";
  out << "number of forces :0 \r\nnumber of distributed loads :" << n << " \r\n";
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "distributed charge(x1,x2,f1,f2) :%9.9f %9.9f %9.9f %9.9f \r\n", 0.0,
                  10000.0, 10 * unit(random), 10 * unit(random));
    out << line;
  }
  out << "number of supports :2 \r\nsupport(X,type) :0.000000000 1 \r\nsupport(X,type) :10000.000000000 1 \r\n";
  return path;
}

void BM_OpenHeavyBeamToFirstPaint(benchmark::State& state) {
  const std::string path = WriteHeavyFile();
  BenchHost host;
  QWidget frame;
  TDocManager manager(&frame, host.dialogs);
  for (auto _ : state) {
    auto window = std::make_unique<TMDIChild>(host);
    window->resize(1600, 900);
    window->show();
    window->Document().DocManager = &manager;
    window->Document().FileName = QString::fromStdString(path);
    if (!window->Document().Open()) std::abort();
    QCoreApplication::processEvents();
    window->repaint();
    state.PauseTiming();
    // What one repaint of the beam costs input, as a scroll or an edit asks.
    // The processor time of this thread: the machine may be busy with others.
    const auto cpuMs = [] {
      timespec t{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
      return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    const double before = cpuMs();
    window->InputForm().RenderNow();
    state.counters["input_render_cpu_ms"] = cpuMs() - before;
    state.counters["columns"] = window->ColumnCount();
    window->Document().SetDirty(false);
    state.ResumeTiming();
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenHeavyBeamToFirstPaint)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevan

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never the user's own settings.
  QTemporaryDir settings;
  qputenv(trevan::SettingsFile::PathVariable, settings.filePath("Trevan.conf").toUtf8());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
