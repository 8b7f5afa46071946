// Recalculate on two reference beams, the fast synchronous run beside the
// straightforward one (every cell sampled for every load, every sweep
// integrating all columns). Both must agree to 1e-9 relative; the fast
// sampling sums differences, so the last digits may differ. Then a file at
// the reader's limits, opened and analysed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "beam/InputLimits.h"
#include "headless/HeadlessWindow.h"
#include "hosts/MessageService.h"

namespace trevan {
namespace {

class SilentMessages : public MessageService {
 public:
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
  MessageAnswer Ask(const std::string&, const std::string&, MessageIcon) override {
    return MessageAnswer::No;
  }
};

struct Scenario {
  double length;
  int hinges;
  int forces;
  int loads;
  // A support of type none in the middle of every span.
  bool noneInSpans = false;
};

constexpr Scenario Small{15, 3, 5, 2};
constexpr Scenario Large{500, 51, 200, 50};
constexpr Scenario LargeWithNone{500, 51, 200, 50, true};

// Builds the beam directly, without recomputing after every object.
void Build(HeadlessWindow& window, const Scenario& s) {
  window.NewBeam(s.length);
  TTrevanDoc& beam = *window.beam();
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> unit(0, 1);
  const double span = s.length / (s.hinges - 1);
  for (int i = 0; i < s.hinges; ++i) {
    auto* node = beam.InsertSupport(i * span, ftHinge);
    if (!node) std::abort();
    if (s.noneInSpans && i + 1 < s.hinges && !beam.InsertSupport((i + 0.5) * span, ftNone)) std::abort();
  }
  for (int i = 0; i < s.forces; ++i)
    beam.Charges.push_back(
        std::make_shared<charge>(s.length * unit(random), 500 + 5000 * unit(random), &window));
  for (int i = 0; i < s.loads; ++i) {
    const double x = (s.length - 10) * unit(random);
    beam.DistrCharges.push_back(std::make_shared<distrcharge>(
        x, x + 1 + 9 * unit(random), 2000 * unit(random), 2000 * unit(random), &window));
  }
}

int Straightforward(HeadlessWindow& window) {
  calc& c = *window.analysis();
  c.Reset();
  window.beam()->SampleLoadsEveryCell();
  window.beam()->ComputeSegmentEnds();
  const int sweeps = c.RunStepByStep();
  c.Reset();
  return sweeps;
}

bool Agree(double a, double b, double scale) { return std::fabs(a - b) <= 1e-9 * scale; }

void CheckSameResults(const Scenario& s) {
  SilentMessages quiet;
  HeadlessWindow fast(quiet), plain(quiet);
  Build(fast, s);
  Build(plain, s);
  const int fastSweeps = fast.analysis()->Recalculate();
  const double fastMax = fast.analysis()->ReportedMaxMoment;
  const int plainSweeps = Straightforward(plain);
  const double scale = std::fabs(fastMax) + 1;
  bool same = fastSweeps == plainSweeps && Agree(fastMax, plain.analysis()->ReportedMaxMoment, scale);
  for (const element *a = fast.beam()->Sentinel(), *b = plain.beam()->Sentinel(); a && b;
       a = a->Next.get(), b = b->Next.get())
    same = same && Agree(a->LeftMoment, b->LeftMoment, scale) &&
           Agree(a->RightMoment, b->RightMoment, scale) && Agree(a->LeftShear, b->LeftShear, scale) &&
           Agree(a->RightShear, b->RightShear, scale);
  for (int i = 0; i < fast.ColumnCount(); ++i)
    same = same && Agree(fast.ShearColumns()[i], plain.ShearColumns()[i], scale) &&
           Agree(fast.MomentColumns()[i], plain.MomentColumns()[i], scale);
  std::printf("%.0f m beam: %d sweeps, max moment %.3f, results %s\n", s.length, fastSweeps, fastMax,
              same ? "agree" : "DIFFERENT");
  if (!same) std::abort();
}

// A 10000 m beam with the most records of each kind the reader takes:
// hinges every 0.1 m (ascending, as saved files list them), forces and
// loads of a few metres each spread over the whole beam.
std::filesystem::path WriteLimitFile() {
  const auto path = std::filesystem::temp_directory_path() / "trevan_reader_limits.tvn";
  std::ofstream out(path, std::ios::binary);
  const int n = static_cast<int>(TTrevanDoc::MaxRecordsPerKind);
  const double length = limits::MaxBeamLengthMetres;
  std::mt19937 random(99);
  std::uniform_real_distribution<double> unit(0, 1);
  char line[200];
  out << "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10000.000000000 \r\n";
  out << "number of forces :" << n << " \r\n";
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "charge(x,f) :%9.9f %9.9f \r\n",
                  0.04 * std::floor(length / 0.04 * unit(random)), 1000 * unit(random));
    out << line;
  }
  out << "number of distributed loads :" << n << " \r\n";
  for (int i = 0; i < n; ++i) {
    const double x = 0.04 * std::floor((length - 10) / 0.04 * unit(random));
    std::snprintf(line, sizeof line, "distributed charge(x1,x2,f1,f2) :%9.9f %9.9f %9.9f %9.9f \r\n", x,
                  x + 0.04 * std::floor(1 + 250 * unit(random)), 1000 * unit(random), 1000 * unit(random));
    out << line;
  }
  out << "number of supports :" << n << " \r\n";
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "support(X,type) :%9.9f %d \r\n", 0.1 * i, i % 50 == 0 ? 1 : 3);
    out << line;
  }
  return path;
}

void BM_OpenAtReaderLimits(benchmark::State& state) {
  const auto path = WriteLimitFile();
  SilentMessages quiet;
  int sweeps = 0;
  for (auto _ : state) {
    HeadlessWindow window(quiet);
    if (!window.Open(path.string())) std::abort();
    window.Recalculate();
    sweeps = window.Sweeps();
    benchmark::DoNotOptimize(window.analysis()->ReportedMaxMoment);
  }
  state.counters["sweeps"] = sweeps;
  std::filesystem::remove(path);
}

void BM_Recalculate(benchmark::State& state, Scenario s, bool fast) {
  SilentMessages quiet;
  HeadlessWindow window(quiet);
  Build(window, s);
  int sweeps = 0;
  for (auto _ : state) {
    sweeps = fast ? window.analysis()->Recalculate() : Straightforward(window);
    benchmark::DoNotOptimize(window.analysis()->ReportedMaxMoment);
  }
  state.counters["sweeps"] = sweeps;
}

BENCHMARK_CAPTURE(BM_Recalculate, small_fast, Small, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recalculate, small_straightforward, Small, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recalculate, large_fast, Large, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recalculate, large_straightforward, Large, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recalculate, large_with_none_fast, LargeWithNone, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAtReaderLimits)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace trevan

int main(int argc, char** argv) {
  trevan::CheckSameResults(trevan::Small);
  trevan::CheckSameResults(trevan::Large);
  trevan::CheckSameResults(trevan::LargeWithNone);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
