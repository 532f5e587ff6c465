// Forward equations of regions 1, 2 and metastable steam, and the backward
// equations T(p,h), T(p,s) of regions 1 and 2 (each sub-region of region 2).
#include <benchmark/benchmark.h>

#include "props/backward.h"
#include "props/forward.h"

namespace {

using Fn = double (*)(double, double);

void Run(benchmark::State& state, Fn f, double a, double b) {
  for (auto _ : state) {
    double x = a, y = b;
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
    benchmark::DoNotOptimize(f(x, y));
  }
}

// Forward: T [°C], P [MPa] at a state of each equation's own region.
BENCHMARK_CAPTURE(Run, Region1V, if97::Region1V, 150.0, 10.0);
BENCHMARK_CAPTURE(Run, Region1S, if97::Region1S, 150.0, 10.0);
BENCHMARK_CAPTURE(Run, Region1I, if97::Region1I, 150.0, 10.0);
BENCHMARK_CAPTURE(Run, Region2V, if97::Region2V, 400.0, 5.0);
BENCHMARK_CAPTURE(Run, Region2S, if97::Region2S, 400.0, 5.0);
BENCHMARK_CAPTURE(Run, Region2I, if97::Region2I, 400.0, 5.0);
BENCHMARK_CAPTURE(Run, MetaV, if97::MetaV, 150.0, 0.6);
BENCHMARK_CAPTURE(Run, MetaS, if97::MetaS, 150.0, 0.6);
BENCHMARK_CAPTURE(Run, MetaI, if97::MetaI, 150.0, 0.6);

// Backward: P [MPa] and h [kJ/kg] or s [kJ/(kg K)].
BENCHMARK_CAPTURE(Run, Temperature1FromPI, if97::Temperature1FromPI, 10.0, 600.0);
BENCHMARK_CAPTURE(Run, Temperature1FromPS, if97::Temperature1FromPS, 10.0, 1.8);
BENCHMARK_CAPTURE(Run, Temperature2FromPI_2a, if97::Temperature2FromPI, 1.0, 3200.0);
BENCHMARK_CAPTURE(Run, Temperature2FromPI_2b, if97::Temperature2FromPI, 5.0, 3500.0);
BENCHMARK_CAPTURE(Run, Temperature2FromPI_2c, if97::Temperature2FromPI, 40.0, 2700.0);
BENCHMARK_CAPTURE(Run, Temperature2FromPS_2a, if97::Temperature2FromPS, 1.0, 7.2);
BENCHMARK_CAPTURE(Run, Temperature2FromPS_2b, if97::Temperature2FromPS, 8.0, 6.5);
BENCHMARK_CAPTURE(Run, Temperature2FromPS_2c, if97::Temperature2FromPS, 20.0, 5.75);

}  // namespace
