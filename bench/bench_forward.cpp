// Forward equations of regions 1, 2 and metastable steam, and the backward
// equations T(p,h), T(p,s) of regions 1 and 2 (each sub-region of region 2).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "props/backward.h"
#include "props/forward.h"

namespace {

using Fn = double (*)(double, double);

// The arguments are read from volatile copies on every pass, so that no call can
// be folded away. (Passing them through DoNotOptimize(double&) instead lets GCC 12
// at -O3 load both arguments from one stack slot, so the function is timed at a
// wrong, even uninitialised, argument.)
void Run(benchmark::State& state, Fn f, double a, double b) {
  volatile double x = a, y = b;
  for (auto _ : state) benchmark::DoNotOptimize(f(x, y));
}

// Besides mean, median and spread, the fastest repetition: on a machine shared
// with other work it is the closest to the cost of the code itself.
double Fastest(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end()); }

#define IF97_BENCH(name, f, a, b) BENCHMARK_CAPTURE(Run, name, f, a, b)->ComputeStatistics("min", Fastest)

// Forward: T [°C], P [MPa] at a state of each equation's own region.
IF97_BENCH(Region1V, if97::Region1V, 150.0, 10.0);
IF97_BENCH(Region1S, if97::Region1S, 150.0, 10.0);
IF97_BENCH(Region1I, if97::Region1I, 150.0, 10.0);
IF97_BENCH(Region2V, if97::Region2V, 400.0, 5.0);
IF97_BENCH(Region2S, if97::Region2S, 400.0, 5.0);
IF97_BENCH(Region2I, if97::Region2I, 400.0, 5.0);
IF97_BENCH(MetaV, if97::MetaV, 150.0, 0.6);
IF97_BENCH(MetaS, if97::MetaS, 150.0, 0.6);
IF97_BENCH(MetaI, if97::MetaI, 150.0, 0.6);

// Backward: P [MPa] and h [kJ/kg] or s [kJ/(kg K)].
IF97_BENCH(Temperature1FromPI, if97::Temperature1FromPI, 10.0, 600.0);
IF97_BENCH(Temperature1FromPS, if97::Temperature1FromPS, 10.0, 1.8);
IF97_BENCH(Temperature2FromPI_2a, if97::Temperature2FromPI, 1.0, 3200.0);
IF97_BENCH(Temperature2FromPI_2b, if97::Temperature2FromPI, 5.0, 3500.0);
IF97_BENCH(Temperature2FromPI_2c, if97::Temperature2FromPI, 40.0, 2700.0);
IF97_BENCH(Temperature2FromPS_2a, if97::Temperature2FromPS, 1.0, 7.2);
IF97_BENCH(Temperature2FromPS_2b, if97::Temperature2FromPS, 8.0, 6.5);
IF97_BENCH(Temperature2FromPS_2c, if97::Temperature2FromPS, 20.0, 5.75);

}  // namespace
