// Transport properties at a liquid, a steam and a near-critical state.
// Inputs are read from volatile copies on every pass: DoNotOptimize(double&) on an
// input lets GCC 12 at -O3 time the call at a wrong argument.
#include <benchmark/benchmark.h>

#include "props/transport.h"

namespace {

struct Point {
  double T, V;
};
constexpr Point kPoints[] = {{25.0, 1.0 / 998.0}, {400.0, 0.1}, {373.946, 1.0 / 322.0}};

void BM_DynamicViscosity(benchmark::State& state) {
  const Point p = kPoints[state.range(0)];
  volatile double T = p.T, V = p.V;
  for (auto _ : state) benchmark::DoNotOptimize(if97::DynamicViscosity(T, V));
}

void BM_ThermalConductivity(benchmark::State& state) {
  const Point p = kPoints[state.range(0)];
  volatile double T = p.T, V = p.V;
  for (auto _ : state) benchmark::DoNotOptimize(if97::ThermalConductivity(T, V));
}

BENCHMARK(BM_DynamicViscosity)->DenseRange(0, 2)->ArgName("point");
BENCHMARK(BM_ThermalConductivity)->DenseRange(0, 2)->ArgName("point");

}  // namespace
