// The ultimate envelope with pattern loading of a 50-span beam with 250
// loads in three cases (dead, imposed, snow): the goal is 20 ms.
#include <benchmark/benchmark.h>

#include <random>

#include "analysis/Envelope.h"

namespace trevan {
namespace {

CasedBeam FiftySpansThreeCases() {
  constexpr int spans = 50;
  constexpr double span = 10;
  CasedBeam b;
  b.cases = {{{"Dead", LoadKind::Permanent}, {"Offices", LoadKind::Imposed}, {"Snow", LoadKind::Snow}}, CombinationRule::En1990Eq610, {}};
  b.beam.length = spans * span;
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i <= spans; ++i) b.beam.supports.push_back({i * span, i % 10 == 5 ? ftVice : ftHinge});
  for (int i = 0; i < 150; ++i) {
    b.beam.forces.push_back({b.beam.length * unit(random), 500 + 5000 * unit(random)});
    b.forceCases.push_back(static_cast<std::size_t>(i % 3));
  }
  for (int i = 0; i < 100; ++i) {
    const double x = (b.beam.length - 30) * unit(random);
    b.beam.loads.push_back({x, x + 1 + 29 * unit(random), 2000 * unit(random), 2000 * unit(random)});
    b.loadCases.push_back(static_cast<std::size_t>(i % 3));
  }
  return b;
}

void BM_UltimateEnvelope(benchmark::State& state) {
  const CasedBeam beam = FiftySpansThreeCases();
  const auto combinations = GenerateCombinations(beam.cases, CombinationRule::En1990Eq610);
  for (auto _ : state) {
    Envelope e = Envelope::Compute(beam, combinations, LimitState::Ultimate);
    benchmark::DoNotOptimize(e.maxSagging.value);
  }
}
BENCHMARK(BM_UltimateEnvelope)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevan

BENCHMARK_MAIN();
