// The exact solver on a 50-span beam with 250 loads: the goal is 100 µs
// with the deflections of a stepped section; 500 ms at the reader's limits,
// with couples, hinges, springs and settlements too.
#include <benchmark/benchmark.h>

#include <random>

#include "analysis/ExactSolver.h"

namespace trevan {
namespace {

ExactBeam FiftySpans() {
  constexpr int spans = 50;
  constexpr double span = 10;
  ExactBeam beam{spans * span, {}, {}, {}};
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i <= spans; ++i) beam.supports.push_back({i * span, i % 10 == 5 ? ftVice : ftHinge});
  for (int i = 0; i < 150; ++i)
    beam.forces.push_back({beam.length * unit(random), 500 + 5000 * unit(random)});
  for (int i = 0; i < 100; ++i) {
    const double x = (beam.length - 30) * unit(random);
    beam.loads.push_back({x, x + 1 + 29 * unit(random), 2000 * unit(random), 2000 * unit(random)});
  }
  return beam;
}

void BM_ExactSolve(benchmark::State& state) {
  const ExactBeam beam = FiftySpans();
  for (auto _ : state) {
    ExactResults r = ExactSolver::Solve(beam);
    benchmark::DoNotOptimize(r.maxSagging.value);
  }
}
BENCHMARK(BM_ExactSolve)->Unit(benchmark::kMicrosecond);

// Three sections along the beam, so that E I changes inside spans.
void Stepped(ExactBeam& beam) {
  const double third = beam.length / 3;
  beam.stiffness = {{0, third + 1.5, 4e7}, {third + 1.5, 2 * third + 3.7, 9e7}, {2 * third + 3.7, beam.length, 4e7}};
}

void BM_ExactSolveWithDeflection(benchmark::State& state) {
  ExactBeam beam = FiftySpans();
  Stepped(beam);
  for (auto _ : state) {
    ExactResults r = ExactSolver::Solve(beam);
    benchmark::DoNotOptimize(r.maxDeflection.value);
  }
}
BENCHMARK(BM_ExactSolveWithDeflection)->Unit(benchmark::kMicrosecond);

// A beam at the reader's limits: 100 000 supports, forces and loads, the
// loads reaching over a tenth of the beam each. Loads over many spans must
// not cost per span.
void BM_ExactSolveAtTheReadersLimits(benchmark::State& state) {
  constexpr int count = 100000;
  ExactBeam beam{10000, {}, {}, {}};
  std::mt19937 random(99);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < count; ++i) beam.supports.push_back({i * 0.1, i % 1000 == 7 ? ftVice : ftHinge});
  for (int i = 0; i < count; ++i) beam.forces.push_back({beam.length * unit(random), 1000 * unit(random)});
  for (int i = 0; i < count; ++i) {
    const double x = 9000 * unit(random);
    beam.loads.push_back({x, x + 1000 * unit(random), 500 * unit(random), 500 * unit(random)});
  }
  if (state.range(0)) Stepped(beam);
  for (auto _ : state) {
    ExactResults r = ExactSolver::Solve(beam);
    benchmark::DoNotOptimize(r.maxSagging.value);
  }
}
BENCHMARK(BM_ExactSolveAtTheReadersLimits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same limits with a couple, a hinge and a spring or settlement at
// every turn: hinges and springs make nodes, never more work per node. The
// second run leaves a mechanism at the far end, which must be found as fast.
void BM_ExactSolveWithJointsAtTheReadersLimits(benchmark::State& state) {
  constexpr int count = 100000;
  ExactBeam beam{10000, {}, {}, {}};
  std::mt19937 random(98);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < count; ++i) {
    ExactBeam::Support s{i * 0.1, i % 1000 == 7 ? ftVice : ftHinge};
    if (i % 3 == 1) s.spring = 1e7;
    if (i % 5 == 2) s.settlement = 0.001;
    beam.supports.push_back(s);
    if (i % 2 == 0 && (state.range(0) == 0 || i + 1 < count)) beam.hinges.push_back(i * 0.1 + 0.05);
  }
  if (state.range(0)) beam.hinges.push_back(9999.95);
  for (int i = 0; i < count; ++i) beam.moments.push_back({beam.length * unit(random), 1000 * (unit(random) - 0.5)});
  for (int i = 0; i < count; ++i) beam.forces.push_back({beam.length * unit(random), 1000 * unit(random)});
  beam.stiffness = {{0, beam.length, 4e7}};
  for (auto _ : state) {
    ExactResults r = ExactSolver::Solve(beam);
    benchmark::DoNotOptimize(r.maxSagging.value);
  }
}
BENCHMARK(BM_ExactSolveWithJointsAtTheReadersLimits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevan

BENCHMARK_MAIN();
