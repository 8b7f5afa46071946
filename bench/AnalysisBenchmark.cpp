// Recalculate on two reference beams, the fast synchronous run beside the
// straightforward one (every cell sampled for every load, every sweep
// integrating all columns). Both must give the same results.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "HeadlessWindow.h"
#include "MessageService.h"

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
};

constexpr Scenario Small{15, 3, 5, 2};
constexpr Scenario Large{500, 51, 200, 50};

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

void CheckSameResults(const Scenario& s) {
  SilentMessages quiet;
  HeadlessWindow fast(quiet), plain(quiet);
  Build(fast, s);
  Build(plain, s);
  const int fastSweeps = fast.analysis()->Recalculate();
  const double fastMax = fast.analysis()->ReportedMaxMoment;
  const int plainSweeps = Straightforward(plain);
  bool same = fastSweeps == plainSweeps && fastMax == plain.analysis()->ReportedMaxMoment;
  for (const element *a = fast.beam()->Sentinel(), *b = plain.beam()->Sentinel(); a && b;
       a = a->Next.get(), b = b->Next.get())
    same = same && a->LeftMoment == b->LeftMoment && a->RightMoment == b->RightMoment &&
           a->LeftShear == b->LeftShear && a->RightShear == b->RightShear;
  for (int i = 0; i < fast.ColumnCount(); ++i)
    same = same && fast.ShearColumns()[i] == plain.ShearColumns()[i] &&
           fast.MomentColumns()[i] == plain.MomentColumns()[i];
  std::printf("%.0f m beam: %d sweeps, max moment %.3f, results %s\n", s.length, fastSweeps, fastMax,
              same ? "identical" : "DIFFERENT");
  if (!same) std::abort();
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

}  // namespace
}  // namespace trevan

int main(int argc, char** argv) {
  trevan::CheckSameResults(trevan::Small);
  trevan::CheckSameResults(trevan::Large);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
