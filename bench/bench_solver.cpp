// SolveState for each known pair at a representative state of each region the pair
// accepts. Names read SolveState/<pair>/r<region>. The states are found once, before
// timing, from (T,P), (T,V) or (T,X); every quantity not known is asked for.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

#include "bench/pairnames.h"
#include "props/solver.h"
#include "props/state.h"

namespace {

using namespace if97;

using State = std::array<double, kQuantityCount + 1>;

struct Sample {
  PropertyRegion region;
  std::int32_t pair;  // the pair the state is defined by
  double v1, v2;
  bool meta;
};

// One state well inside each region.
constexpr Sample kSamples[] = {
    {kRegionWater, kPairTP, 100.0, 10.0, false},
    {kRegionSteam, kPairTP, 300.0, 1.0, false},
    {kRegionCritical, kPairTV, 400.0, 0.004, false},
    {kRegionWetCritical, kPairTX, 360.0, 0.8, false},
    {kRegionWet, kPairTX, 150.0, 0.8, false},
    {kRegionMetastable, kPairTP, 160.0, 1.0, true},
};

State Solve(std::int32_t pair, double v1, double v2, bool meta, PropertyRegion& region) {
  const int a = pair / 10, b = pair % 10;
  auto need = [&](int k) { return k != a && k != b; };
  State q{};
  SolveState(pair, need(kP), need(kV), v1, v2, need(kS), need(kI), meta, q[kT], q[kP], q[kV], q[kS], q[kI], q[kX],
             region);
  return q;
}

void BM_SolveState(benchmark::State& st, Sample sample, std::int32_t pair) {
  PropertyRegion region = 0;
  const State truth = Solve(sample.pair, sample.v1, sample.v2, sample.meta, region);
  const int a = pair / 10, b = pair % 10;
  const double v1 = truth[a], v2 = truth[b];
  Solve(pair, v1, v2, sample.meta, region);
  if (region != sample.region) {
    st.SkipWithError(("region " + std::to_string(region) + " instead of " + std::to_string(sample.region)).c_str());
    return;
  }
  const bool nP = a != kP && b != kP, nV = a != kV && b != kV, nS = a != kS && b != kS, nI = a != kI && b != kI;
  // Inputs are read through volatile so that the call is not hoisted; outputs go
  // through the const overload of DoNotOptimize (the non-const one miscompiles
  // doubles with GCC in this benchmark release).
  volatile double in1 = v1, in2 = v2;
  for (auto _ : st) {
    double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
    PropertyRegion r = 0;
    SolveState(pair, nP, nV, in1, in2, nS, nI, sample.meta, T, P, V, S, I, X, r);
    const double sum = T + P + V + S + I + X;
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(r);
    region = r;
  }
  st.SetLabel("in " + std::to_string(v1) + ", " + std::to_string(v2) + " region " + std::to_string(region));
}

int RegisterAll() {
  struct Use {
    PropertyRegion region;
    std::initializer_list<std::int32_t> pairs;
  };
  const Use uses[] = {
      {kRegionWater, {12, 14, 24, 25}},
      {kRegionSteam, {12, 13, 14, 24, 25, 34, 35}},
      {kRegionCritical, {12, 13, 14, 24, 25, 34, 35}},
      {kRegionWetCritical, {13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46}},
      {kRegionWet, {13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56}},
      {kRegionMetastable, {12, 24, 25}},
  };
  for (const Use& u : uses) {
    for (const Sample& s : kSamples) {
      if (s.region != u.region) continue;
      for (std::int32_t pair : u.pairs) {
        const std::string name =
            std::string("SolveState/") + PairName(pair) + "/r" + std::to_string(u.region);
        benchmark::RegisterBenchmark(name.c_str(), BM_SolveState, s, pair);
      }
    }
  }
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace
