// Slow-corner sweep: SolveState for every supported pair at inputs on and next to
// every boundary of the range (saturation line, B23, the 350 °C isotherm, 100 MPa,
// 800 °C, the lowest pressure, the critical point, the metastable limit), each call
// timed on its own. One benchmark per group of inputs; its counters give the number
// of calls, the slowest call in microseconds and the number of calls over 50 µs, and
// its label names the slowest call. After the benchmarks a summary names the slowest
// calls of the whole sweep.
//
// A call's time is the least of three runs, so that an interrupt does not count as a
// slow call. The inputs are built from the closed-form equations only (saturation
// line, B23, the forward equations of regions 1, 2, 3 and metastable vapour) and the
// saturated volumes of region 3, so that the same program measures any version of
// the library.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "bench/pairnames.h"
#include "props/solver.h"
#include "props/state.h"
#if __has_include("props/saturation3.h")
#include "props/saturation3.h"
#endif

namespace {

using namespace if97;

// The range's fixed points, written out here so that the program does not depend on
// where the library keeps them.
constexpr double kPmin = 0.0006112126774;
constexpr double kP350 = 16.529164252;
constexpr double kPc = 22.064;
constexpr double kTc = 373.946;
constexpr double kVc = 0.003105590062111801;
constexpr double kVB350 = 0.0088009319322;
constexpr double kVB100 = 0.0043355076533;
constexpr double kVmax = 206.13971631;
constexpr double kSmax = 9.155759395;
constexpr double kImax = 4160.66;
constexpr double kSc = 4.4119904059;

constexpr double kSlowMicroseconds = 50.0;

struct Input {
  std::int32_t pair;
  double v1, v2;
  bool meta;
};

struct Timing {
  Input in;
  double us;
  PropertyRegion region;
};

// Relative offsets around a boundary value: on it, and just, near and well off it on
// both sides.
constexpr double kOffsets[] = {-1e-2, -1e-3, -1e-6, -1e-9, 0.0, 1e-9, 1e-6, 1e-3, 1e-2};

// A value around x: x·(1 + d), or x + d where x is 0.
double Around(double x, double d) { return x == 0 ? d : x * (1 + d); }

// n values from a to b, both included.
std::vector<double> Span(double a, double b, int n) {
  std::vector<double> out;
  for (int k = 0; k < n; ++k) out.push_back(a + (b - a) * k / (n - 1));
  return out;
}

// n values from a to b spaced evenly in the logarithm.
std::vector<double> LogSpan(double a, double b, int n) {
  std::vector<double> out;
  for (int k = 0; k < n; ++k) out.push_back(a * std::pow(b / a, static_cast<double>(k) / (n - 1)));
  return out;
}

struct Group {
  const char* name;
  std::vector<Input> inputs;
};

// Adds (pair, x, y) for every offset of y around the boundary value y0.
void AddAround(std::vector<Input>& out, std::int32_t pair, double x, double y0, bool meta = false) {
  for (double d : kOffsets) out.push_back({pair, x, Around(y0, d), meta});
}

// Adds (pair, x, y) for every offset of x around the boundary value x0.
void AddAroundFirst(std::vector<Input>& out, std::int32_t pair, double x0, double y, bool meta = false) {
  for (double d : kOffsets) out.push_back({pair, Around(x0, d), y, meta});
}

double SatLiquid(double T) {
  const double p = SatPressure(T);
  return T <= 350 ? Region1V(T, p) : SatLiquidVolume3(T, p);
}
double SatVapour(double T) {
  const double p = SatPressure(T);
  return T <= 350 ? Region2V(T, p) : SatVapourVolume3(T, p);
}
// Saturated entropies and enthalpies at T.
double SatLiquidS(double T) { return T <= 350 ? Region1S(T, SatPressure(T)) : Entropy3(T, SatLiquid(T)); }
double SatVapourS(double T) { return T <= 350 ? Region2S(T, SatPressure(T)) : Entropy3(T, SatVapour(T)); }
double SatLiquidI(double T) { return T <= 350 ? Region1I(T, SatPressure(T)) : Enthalpy3(T, SatLiquid(T)); }
double SatVapourI(double T) { return T <= 350 ? Region2I(T, SatPressure(T)) : Enthalpy3(T, SatVapour(T)); }

std::vector<Group> BuildGroups() {
  std::vector<Group> groups;
  const std::vector<double> temps = {0.0, 0.01, 50, 150, 250, 340, 349.99, 350, 350.01, 355, 362, 368, 372,
                                     373.5, 373.9, 373.94, 373.945, 373.9459, kTc};
  const std::vector<double> nearTc = {373.9, 373.94, 373.945, 373.9459, 373.94599, kTc - 1e-6, kTc};

  {  // (T,P): saturation line, B23, 350 °C, 100 MPa, 800 °C, Pmin, critical point, metastable limit.
    Group g{"TP", {}};
    for (double T : temps) {
      if (T <= kTc) {
        AddAround(g.inputs, kPairTP, T, SatPressure(T));
        AddAround(g.inputs, kPairTP, T, SatPressure(T), true);
      }
    }
    for (double T : Span(350, 590, 13)) AddAround(g.inputs, kPairTP, T, B23Pressure(T));
    for (double P : {16.6, 20.0, 22.064, 30.0, 60.0, 100.0}) AddAroundFirst(g.inputs, kPairTP, 350, P);
    for (double T : Span(0, 800, 17)) AddAround(g.inputs, kPairTP, T, 100);
    for (double P : LogSpan(kPmin, 100, 9)) AddAroundFirst(g.inputs, kPairTP, 800, P);
    for (double T : Span(0, 800, 9)) AddAround(g.inputs, kPairTP, T, kPmin);
    for (double T : nearTc) AddAround(g.inputs, kPairTP, T, kPc);
    for (double P : LogSpan(0.001, 10, 9)) {
      AddAroundFirst(g.inputs, kPairTP, MetastableLimitTemperature(P) + 1, P, true);
      AddAroundFirst(g.inputs, kPairTP, SatTemperature(P), P, true);
    }
    groups.push_back(std::move(g));
  }

  {  // (T,V), (T,S), (T,I), (T,X) along the isotherms.
    Group tv{"TV", {}}, ts{"TS", {}}, ti{"TI", {}}, tx{"TX", {}};
    for (double T : temps) {
      if (T < kTc) {
        AddAround(tv.inputs, kPairTV, T, SatLiquid(T));
        AddAround(tv.inputs, kPairTV, T, SatVapour(T));
        AddAround(ts.inputs, kPairTS, T, SatLiquidS(T));
        AddAround(ts.inputs, kPairTS, T, SatVapourS(T));
        AddAround(ti.inputs, kPairTI, T, SatLiquidI(T));
        AddAround(ti.inputs, kPairTI, T, SatVapourI(T));
        for (double X : {0.0, 1e-9, 0.5, 1 - 1e-9, 1.0}) tx.inputs.push_back({kPairTX, T, X, false});
      }
      tv.inputs.push_back({kPairTV, T, kVc, false});
      ts.inputs.push_back({kPairTS, T, kSc, false});
    }
    for (double T : Span(350, 590, 9)) {
      const double p = B23Pressure(T);
      AddAround(tv.inputs, kPairTV, T, Region2V(T, p));
      AddAround(ts.inputs, kPairTS, T, Region2S(T, p));
    }
    for (double T : Span(0, 800, 9)) {
      AddAround(tv.inputs, kPairTV, T, Region2V(T, kPmin));
      AddAround(ts.inputs, kPairTS, T, Region2S(T, kPmin));
      if (T < 350) {
        AddAround(tv.inputs, kPairTV, T, Region1V(T, 100));
        AddAround(ts.inputs, kPairTS, T, Region1S(T, 100));
      } else if (T > 590) {
        AddAround(tv.inputs, kPairTV, T, Region2V(T, 100));
        AddAround(ts.inputs, kPairTS, T, Region2S(T, 100));
      }
    }
    for (double T : nearTc) {
      for (double f : {0.99, 0.999, 1.0, 1.001, 1.01}) {
        tv.inputs.push_back({kPairTV, T, kVc * f, false});
        ts.inputs.push_back({kPairTS, T, Entropy3(T, kVc * f), false});
        ti.inputs.push_back({kPairTI, T, Enthalpy3(T, kVc * f), false});
      }
    }
    for (double P : {16.6, 30.0, 60.0, 100.0}) {
      AddAroundFirst(tv.inputs, kPairTV, 350, Region1V(350, P));
      AddAroundFirst(ts.inputs, kPairTS, 350, Region1S(350, P));
    }
    AddAroundFirst(tv.inputs, kPairTV, 800, 0.1);
    groups.push_back(std::move(tv));
    groups.push_back(std::move(ts));
    groups.push_back(std::move(ti));
    groups.push_back(std::move(tx));
  }

  {  // (P,V), (P,S), (P,I), (P,X) along the isobars.
    Group pv{"PV", {}}, ps{"PS", {}}, pi{"PI", {}}, px{"PX", {}};
    std::vector<double> pressures = LogSpan(kPmin, 16, 7);
    for (double P : {kP350, 16.6, 18.0, 20.0, 21.5, 22.0, 22.06, 22.0639, 22.063999, kPc}) pressures.push_back(P);
    for (double P : pressures) {
      const double T = SatTemperature(P);
      AddAround(pv.inputs, kPairPV, P, SatLiquid(T));
      AddAround(pv.inputs, kPairPV, P, SatVapour(T));
      for (bool meta : {false, true}) {
        AddAround(ps.inputs, kPairPS, P, SatLiquidS(T), meta);
        AddAround(ps.inputs, kPairPS, P, SatVapourS(T), meta);
        AddAround(pi.inputs, kPairPI, P, SatLiquidI(T), meta);
        AddAround(pi.inputs, kPairPI, P, SatVapourI(T), meta);
      }
      for (double X : {0.0, 1e-9, 0.5, 0.96, 1.0}) {
        px.inputs.push_back({kPairPX, X, P, false});
        const double sl = SatLiquidS(T), sv = SatVapourS(T), hl = SatLiquidI(T), hv = SatVapourI(T);
        ps.inputs.push_back({kPairPS, P, sl + X * (sv - sl), true});
        pi.inputs.push_back({kPairPI, P, hl + X * (hv - hl), true});
      }
    }
    for (double P : Span(kP350, 100, 11)) {
      const double T = B23Temperature(P);
      AddAround(ps.inputs, kPairPS, P, Region2S(T, P));
      AddAround(pi.inputs, kPairPI, P, Region2I(T, P));
      AddAround(ps.inputs, kPairPS, P, Region1S(350, P));
      AddAround(pi.inputs, kPairPI, P, Region1I(350, P));
    }
    for (double P : LogSpan(kPmin, 100, 9)) {
      AddAround(ps.inputs, kPairPS, P, Region2S(800, P));
      AddAround(pi.inputs, kPairPI, P, Region2I(800, P));
      AddAround(ps.inputs, kPairPS, P, Region1S(0, P));
      AddAround(pi.inputs, kPairPI, P, Region1I(0, P));
    }
    for (double P : {22.064, 22.1, 25.0, 40.0, 57.0, 100.0}) {
      for (double T : {374.0, 380.0, 400.0, 450.0}) {
        const double v = Volume3FromTP(T, P);
        ps.inputs.push_back({kPairPS, P, Entropy3(T, v), false});
        pi.inputs.push_back({kPairPI, P, Enthalpy3(T, v), false});
      }
      ps.inputs.push_back({kPairPS, P, kSc, false});
    }
    for (double P : LogSpan(0.001, 10, 9)) {  // the metastable limit
      const double T = MetastableLimitTemperature(P) + 1;
      AddAround(ps.inputs, kPairPS, P, MetaS(T, P), true);
      AddAround(pi.inputs, kPairPI, P, MetaI(T, P), true);
    }
    groups.push_back(std::move(pv));
    groups.push_back(std::move(ps));
    groups.push_back(std::move(pi));
    groups.push_back(std::move(px));
  }

  {  // (V,S) and (V,I): next to the critical volume, on the dew line, B23, 100 MPa, 800 °C.
    Group vs{"VS", {}}, vi{"VI", {}}, vsc{"VS near vc", {}}, vic{"VI near vc", {}};
    const std::vector<double> sAcross = Span(0.05, kSmax - 0.05, 25);
    const std::vector<double> iAcross = Span(20, kImax - 20, 25);
    for (double e : LogSpan(1e-6, 1e-2, 25)) {
      const double V = kVc * (1 + e);
      for (double S : sAcross) vsc.inputs.push_back({kPairVS, V, S, false});
      for (double S : {kSc - 1e-3, kSc, kSc + 1e-3}) vsc.inputs.push_back({kPairVS, V, S, false});
      for (double I : iAcross) vic.inputs.push_back({kPairVI, V, I, false});
      for (double I : {2080.0, 2087.5, 2095.0}) vic.inputs.push_back({kPairVI, V, I, false});
    }
    for (double V : {kVc, kVc * (1 + 1e-9), kVc * (1 + 1e-7)}) {
      for (double S : {1.0, kSc, 5.0}) vsc.inputs.push_back({kPairVS, V, S, false});
      for (double I : {1000.0, 2087.5, 2500.0}) vic.inputs.push_back({kPairVI, V, I, false});
    }
    for (double T : {0.01, 50.0, 150.0, 250.0, 349.99, 350.0, 350.01, 360.0, 370.0, 373.9}) {
      const double V = SatVapour(T);
      AddAround(vs.inputs, kPairVS, V, SatVapourS(T));
      AddAround(vi.inputs, kPairVI, V, SatVapourI(T));
    }
    for (double T : Span(350, 590, 9)) {
      const double p = B23Pressure(T), V = Region2V(T, p);
      AddAround(vs.inputs, kPairVS, V, Region2S(T, p));
      AddAround(vi.inputs, kPairVI, V, Region2I(T, p));
    }
    for (double T : Span(590, 800, 5)) {
      const double V = Region2V(T, 100);
      AddAround(vs.inputs, kPairVS, V, Region2S(T, 100));
      AddAround(vi.inputs, kPairVI, V, Region2I(T, 100));
    }
    for (double P : LogSpan(kPmin, 100, 9)) {
      const double V = Region2V(800, P);
      if (V > kVmax) continue;
      AddAround(vs.inputs, kPairVS, V, Region2S(800, P));
      AddAround(vi.inputs, kPairVI, V, Region2I(800, P));
    }
    for (double V : {kVB350, kVB100, kVmax}) {
      AddAroundFirst(vs.inputs, kPairVS, V, 5.5);
      AddAroundFirst(vi.inputs, kPairVI, V, 2800);
    }
    groups.push_back(std::move(vs));
    groups.push_back(std::move(vi));
    groups.push_back(std::move(vsc));
    groups.push_back(std::move(vic));
  }

  {  // (S,X) near the critical entropy and the wet-steam lines; (I,X) near its lines.
    Group sx{"SX", {}}, ix{"IX", {}};
    for (double X : {0.0, 0.1, 0.3, 0.3001, 0.7001, 0.8, 0.95, 1.0}) {
      for (double d : {-1e-2, -1e-3, -1e-4, -1e-5, -1e-6, 0.0, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2})
        sx.inputs.push_back({kPairSX, kSc + d, X, false});
      AddAround(sx.inputs, kPairSX, 5.21088782 * X + 3.77828134 * (1 - X), X);
      AddAround(sx.inputs, kPairSX, 9.1557594 * X + (-0.00015455) * (1 - X), X);
      AddAround(ix.inputs, kPairIX, 2500.892618 * X + (-0.04158783) * (1 - X), X);
      AddAround(ix.inputs, kPairIX, 2767.893655 * X + 719.2063979 * (1 - X), X);
    }
    for (double T : nearTc) {
      for (double X : {0.0, 0.2, 0.3001, 0.7001, 0.9, 1.0}) {
        const double sl = SatLiquidS(T), sv = SatVapourS(T);
        sx.inputs.push_back({kPairSX, sl + X * (sv - sl), X, false});
      }
    }
    groups.push_back(std::move(sx));
    groups.push_back(std::move(ix));
  }
  return groups;
}

// Time of one call: the least of three runs.
double TimeCall(const Input& in, PropertyRegion& region) {
  const int a = in.pair / 10, b = in.pair % 10;
  const bool nP = a != kP && b != kP, nV = a != kV && b != kV, nS = a != kS && b != kS, nI = a != kI && b != kI;
  double best = INFINITY;
  for (int run = 0; run < 3; ++run) {
    double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
    PropertyRegion r = 0;
    const auto t0 = std::chrono::steady_clock::now();
    SolveState(in.pair, nP, nV, in.v1, in.v2, nS, nI, in.meta, T, P, V, S, I, X, r);
    const auto t1 = std::chrono::steady_clock::now();
    const double sum = T + P + V + S + I + X;
    benchmark::DoNotOptimize(sum);
    region = r;
    best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count());
    // A call still this slow after two runs is not run a third time.
    if (run == 1 && best > 1000) break;
  }
  return best;
}

std::string Describe(const Timing& t) {
  char text[200];
  std::snprintf(text, sizeof text, "%s %.17g, %.17g%s -> region %d: %.1f us", PairName(t.in.pair), t.in.v1,
                t.in.v2, t.in.meta ? " (metastable)" : "", t.region, t.us);
  return text;
}

std::vector<Timing> gAll;

void BM_Sweep(benchmark::State& st, const Group* group) {
  std::vector<Timing> timings;
  for (auto _ : st) {
    timings.clear();
    for (const Input& in : group->inputs) {
      PropertyRegion region = 0;
      const double us = TimeCall(in, region);
      timings.push_back({in, us, region});
    }
  }
  const auto slowest = std::max_element(timings.begin(), timings.end(),
                                        [](const Timing& a, const Timing& b) { return a.us < b.us; });
  const auto over = std::count_if(timings.begin(), timings.end(),
                                  [](const Timing& t) { return t.us > kSlowMicroseconds; });
  double total = 0;
  for (const Timing& t : timings) total += t.us;
  st.counters["calls"] = static_cast<double>(timings.size());
  st.counters["max_us"] = slowest->us;
  st.counters["mean_us"] = total / static_cast<double>(timings.size());
  st.counters["over_50us"] = static_cast<double>(over);
  st.SetLabel(Describe(*slowest));
  gAll.insert(gAll.end(), timings.begin(), timings.end());
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Group> groups = BuildGroups();
  for (const Group& g : groups) {
    benchmark::RegisterBenchmark((std::string("Sweep/") + g.name).c_str(), BM_Sweep, &g)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  if (gAll.empty()) return 0;
  std::sort(gAll.begin(), gAll.end(), [](const Timing& a, const Timing& b) { return a.us > b.us; });
  const auto over = std::count_if(gAll.begin(), gAll.end(), [](const Timing& t) { return t.us > kSlowMicroseconds; });
  std::printf("\nSweep: %zu timed calls (every repetition counted), %ld over %.0f us\nSlowest calls:\n", gAll.size(),
              static_cast<long>(over), kSlowMicroseconds);
  for (std::size_t k = 0; k < gAll.size() && k < 10; ++k) std::printf("  %s\n", Describe(gAll[k]).c_str());
  return 0;
}
