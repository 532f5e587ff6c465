// Speed of the saturation line, the region-3 equation and its inversions. Each loop
// walks through a small table of inputs so that no call can be folded away.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <iterator>
#include <vector>

#include "props/region3.h"
#include "props/saturation.h"
#include "props/saturation3.h"

namespace {

using namespace if97;

template <std::size_t N>
double Next(const double (&values)[N], std::size_t& i) {
  const double v = values[i];
  i = (i + 1) % N;
  return v;
}

constexpr double kTemperatures[] = {0.01, 25.0, 99.6, 180.0, 250.0, 311.0, 350.0, 365.0, 373.9};
constexpr double kPressures[] = {0.000612, 0.01, 0.1, 1.0, 4.0, 10.0, 16.5, 20.0, 22.0};

void BM_SatPressure(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SatPressure(Next(kTemperatures, i)));
}
BENCHMARK(BM_SatPressure);

void BM_SatTemperature(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SatTemperature(Next(kPressures, i)));
}
BENCHMARK(BM_SatTemperature);

// States of region 3 around the critical point (T °C, v m3/kg).
struct TV {
  double T, v;
};
constexpr TV kStates[] = {{376.85, 0.002}, {376.85, 0.005}, {476.85, 0.002}, {360.0, 0.0017},
                          {400.0, 0.0045}, {550.0, 0.0025}, {380.0, 0.0032}};

template <double (*F)(double, double)>
void BM_Region3Equation(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const TV& s = kStates[i];
    i = (i + 1) % std::size(kStates);
    benchmark::DoNotOptimize(F(s.T, s.v));
  }
}
BENCHMARK(BM_Region3Equation<Pressure3>)->Name("BM_Pressure3");
BENCHMARK(BM_Region3Equation<Entropy3>)->Name("BM_Entropy3");
BENCHMARK(BM_Region3Equation<Enthalpy3>)->Name("BM_Enthalpy3");

// The inversions, on the same states.
struct Known {
  double T, v, p, s, h;
};
const std::vector<Known>& KnownStates() {
  static const std::vector<Known> known = [] {
    std::vector<Known> k;
    for (const TV& s : kStates) k.push_back({s.T, s.v, Pressure3(s.T, s.v), Entropy3(s.T, s.v), Enthalpy3(s.T, s.v)});
    return k;
  }();
  return known;
}

void BM_Volume3FromTP(benchmark::State& state) {
  const auto& k = KnownStates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Volume3FromTP(k[i].T, k[i].p));
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_Volume3FromTP);

void BM_Volume3FromTS(benchmark::State& state) {
  const auto& k = KnownStates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Volume3FromTS(k[i].T, k[i].s));
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_Volume3FromTS);

void BM_State3FromPS(benchmark::State& state) {
  const auto& k = KnownStates();
  std::size_t i = 0;
  double T = 0, v = 0;
  for (auto _ : state) {
    State3FromPS(k[i].p, k[i].s, T, v);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(v);
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_State3FromPS);

void BM_State3FromPI(benchmark::State& state) {
  const auto& k = KnownStates();
  std::size_t i = 0;
  double T = 0, v = 0;
  for (auto _ : state) {
    State3FromPI(k[i].p, k[i].h, T, v);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(v);
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_State3FromPI);

// (V,S) and (V,I) on vapour-side isochores, bracketed between the saturated vapour
// and B23 as the classifier leaves it.
struct Isochore {
  double v, Ts, TB23, sLo, sHi, hLo, hHi, s, h;
};
const std::vector<Isochore>& Isochores() {
  static const std::vector<Isochore> iso = [] {
    std::vector<Isochore> r;
    for (double v : {0.0035, 0.0045, 0.006, 0.008}) {
      const double Ts = SatTemperatureFromVapourVolume(v), TB23 = B23TemperatureFromVolume(v);
      const double T = (Ts + TB23) / 2;
      r.push_back({v, Ts, TB23, Entropy3(Ts, v), Entropy3(TB23, v), Enthalpy3(Ts, v), Enthalpy3(TB23, v),
                   Entropy3(T, v), Enthalpy3(T, v)});
    }
    return r;
  }();
  return iso;
}

void BM_Temperature3FromVS(benchmark::State& state) {
  const auto& k = Isochores();
  std::size_t i = 0;
  for (auto _ : state) {
    const Isochore& c = k[i];
    benchmark::DoNotOptimize(Temperature3FromVS(c.v, c.s, c.Ts, c.TB23, c.sLo, c.sHi));
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_Temperature3FromVS);

void BM_Temperature3FromVI(benchmark::State& state) {
  const auto& k = Isochores();
  std::size_t i = 0;
  for (auto _ : state) {
    const Isochore& c = k[i];
    benchmark::DoNotOptimize(Temperature3FromVI(c.v, c.h, c.Ts, c.TB23, c.hLo, c.hHi));
    i = (i + 1) % k.size();
  }
}
BENCHMARK(BM_Temperature3FromVI);

// Saturated volumes of region 3 and the inverse of v″, used by the classifiers.
constexpr double kBandTemperatures[] = {350.5, 355.0, 360.0, 365.0, 370.0, 373.0, 373.9, 373.94};

void BM_SatVolumes3(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const double T = Next(kBandTemperatures, i);
    const double p = SatPressure(T);
    benchmark::DoNotOptimize(SatLiquidVolume3(T, p));
    benchmark::DoNotOptimize(SatVapourVolume3(T, p));
  }
}
BENCHMARK(BM_SatVolumes3);

constexpr double kVapourVolumes[] = {200.0, 50.0, 1.0, 0.1, 0.02, 0.0085, 0.006, 0.004};

void BM_SatTemperatureFromVapourVolume(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SatTemperatureFromVapourVolume(Next(kVapourVolumes, i)));
}
BENCHMARK(BM_SatTemperatureFromVapourVolume);

}  // namespace
