// The whole `trevan-cli analyze --json` on a 1000-span beam with a stepped
// section, file reading included: the goal is 300 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "CliApp.h"
#include "text/CLocaleText.h"

namespace trevan {
namespace {

std::string ThousandSpans() {
  constexpr int spans = 1000;
  constexpr double span = 5, length = spans * span;
  std::mt19937 random(1000);
  std::uniform_real_distribution<double> unit(0, 1);
  std::ostringstream out;
  out << "Trevan version :11800 \r\nMetric :1 \r\n" << CFormat("beam length :%9.9f \r\n", length);
  out << "number of forces :1000 \r\n";
  for (int i = 0; i < 1000; ++i) out << CFormat("charge(x,f) :%9.9f %9.9f \r\n", length * unit(random), 5000 * unit(random));
  out << "number of distributed loads :500 \r\n";
  for (int i = 0; i < 500; ++i) {
    const double x = (length - 20) * unit(random);
    out << CFormat("distributed charge(x1,x2,f1,f2) :%9.9f %9.9f %9.9f %9.9f \r\n", x, x + 20 * unit(random),
                   1000 * unit(random), 1000 * unit(random));
  }
  out << CFormat("number of supports :%d \r\n", spans + 1);
  for (int i = 0; i <= spans; ++i) out << CFormat("support(X,type) :%9.9f 3 \r\n", i * span);
  out << "number of extension lines :4 \r\nnumber of segments :3 \r\n"
      << CFormat("segment(x1,x2,E,I) :0 1502.5 210000000000 8.356e-05 \r\n")
      << CFormat("segment(x1,x2,E,I) :1502.5 3001 210000000000 0.0001943 \r\n")
      << CFormat("segment(x1,x2,E,I) :3001 %.17g 210000000000 8.356e-05 \r\n", length);
  return out.str();
}

void BM_AnalyzeJsonThousandSpans(benchmark::State& state) {
  const std::string file = (std::filesystem::temp_directory_path() / "trevan-bench-1000-spans.tvn").string();
  std::ofstream(file, std::ios::binary) << ThousandSpans();
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = cli::Run({"analyze", file, "--json"}, out, err);
    if (status != cli::ExitOk || out.str().find("\"deflection\"") == std::string::npos)
      state.SkipWithError("the analysis failed");
    benchmark::DoNotOptimize(out.str().size());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_AnalyzeJsonThousandSpans)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevan

BENCHMARK_MAIN();
