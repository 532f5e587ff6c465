// Saturation line, B23 boundary, near-critical saturated volumes and the auxiliary lines (their values at
// single points are in data/verification.csv): round trips, the saturated volumes against the outer roots of
// the region-3 isotherm found independently here, the ends of the searches next to Tc, and bad input.
#include <functional>

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

TEST(SaturationLines, SatTemperatureAndB23TemperatureInvertTheirPressures) {
  double worst = 0, at = 0;
  for (int i = 0; i <= 37394; ++i) {
    const double T = i * 0.01, e = std::fabs(SatTemperature(SatPressure(T)) - T);
    if (e > worst) worst = e, at = T;
  }
  EXPECT_LT(worst, 1e-9) << "worst at T = " << at;
  // P350 is B23Pressure(350) cut after nine decimals (the classifiers' limit).
  EXPECT_TRUE(B23Pressure(350) >= kP350 && B23Pressure(350) < kP350 + 1e-9);
  for (double T = 350; T <= 590; T += 2.5) EXPECT_NEAR(B23Temperature(B23Pressure(T)), T, 1e-8) << T;
}

// The outer roots of p3(T, v) = p found independently: from just outside the 350 °C saturated volumes inward in
// small steps to the first change of sign, then bisection.
double OuterRoot(double T, double p, bool liquid) {
  const double step = 5e-8, dir = liquid ? 1 : -1;
  double v = liquid ? 0.00173 : 0.0089;
  const bool startAbove = Pressure3(T, v) > p;
  while (std::fabs(v - kCriticalVolume) < 0.006 && (Pressure3(T, v + dir * step) > p) == startAbove) v += dir * step;
  double a = v, b = v + dir * step;
  for (int k = 0; k < 60; ++k) ((Pressure3(T, (a + b) / 2) > p) == startAbove ? a : b) = (a + b) / 2;
  return (a + b) / 2;
}

// Within about 0.05 K of Tc the loop of the isotherm is shallower than a pressure tolerance of 1e-5·p; both
// volumes must still be the outer roots.
TEST(SaturatedVolumes3, OuterRootsAcrossTheBand) {
  std::vector<double> temperatures;
  for (double T = 350.1; T < 373.9459; T += (T < 373.9 ? 0.25 : 0.0025)) temperatures.push_back(T);
  temperatures.insert(temperatures.end(), {373.90, 373.94});
  for (std::size_t k = 0; k < temperatures.size(); ++k) {
    const double T = temperatures[k], p = SatPressure(T);
    const double rel = k + 2 >= temperatures.size() ? 1e-7 : T < kCriticalTemperatureC - 0.25 ? 1e-5 : 1e-6;
    EXPECT_NEAR(SatLiquidVolume3(T, p) / OuterRoot(T, p, true), 1, rel) << "T = " << T;
    EXPECT_NEAR(SatVapourVolume3(T, p) / OuterRoot(T, p, false), 1, rel) << "T = " << T;
  }
}

// Next to Tc: the loop of the isotherm reaches the saturation pressure up to kLoopTopTemperature (v″ is its outer
// root) and lies below it above (v″ is the top of the loop, where the pressure is stationary); within 1e-4 K
// there are no three roots, and the searches still end next to vc with v′ not above v″; v″ inverts.
TEST(SaturatedVolumes3, SearchesEndNextToTheCriticalPoint) {
  for (double dT : {1e-2, 1e-3, 1e-4, 5e-5, 3.4e-5, 3e-5, 2e-5, 1e-5, 1e-6, 1e-7, 1e-8, 0.0}) {
    SCOPED_TRACE(::testing::Message() << "Tc - T = " << dT);
    const double T = kCriticalTemperatureC - dT, p = SatPressure(T);
    const double vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p), dv = 1e-6 * vv;
    EXPECT_NEAR(vl / kCriticalVolume, 1, dT > 1e-4 ? 0.05 : 0.01);
    EXPECT_TRUE(vv >= kCriticalVolume && vv < 1.05 * kCriticalVolume && vl <= vv * (1 + 1e-6));
    double slope = 0;
    const double p3 = Pressure3WithSlope(T, vv, slope);
    if (T <= kLoopTopTemperature) {
      EXPECT_NEAR(p3 / p, 1, 1e-12);
      EXPECT_LE(slope, 0);
    } else if (dT > 1e-9) {
      EXPECT_LT(p3, p);
      EXPECT_TRUE(p3 >= Pressure3(T, vv - dv) - 1e-12 * p && p3 >= Pressure3(T, vv + dv) - 1e-12 * p);
    }
    const double Ts = SatTemperatureFromVapourVolume(SatVapourVolume(T));
    EXPECT_TRUE(dT < 2e-8 ? Ts >= 373.94 && Ts <= kCriticalTemperatureC : std::fabs(Ts - T) < 1e-7) << Ts;
  }
}

// v″ below 350 °C by its definition, inverted independently by bisection; above 350 °C the round trip. Near 0 °C
// the start lies at or below 0 °C, where a step proportional to the Celsius start would not move.
TEST(SatVapourVolume, InverseMatchesAnIndependentInversion) {
  for (double V : {206.1, 206.0, 205.0, 200.9, 200.8, 200.6, 190.0, 100.0, 10.0, 1.0, 0.1, 0.02, 0.009}) {
    double a = 0, b = 350;
    for (int k = 0; k < 80; ++k) (Region2V((a + b) / 2, SatPressure((a + b) / 2)) > V ? a : b) = (a + b) / 2;
    const double expected = (a + b) / 2;
    // The refinement stops within 1e-5·V of the volume: in T that over the slope of v″.
    const double slope = (SatVapourVolume(expected + 0.01) - SatVapourVolume(expected - 0.01)) / 0.02;
    EXPECT_NEAR(SatTemperatureFromVapourVolume(V), expected, 1.1e-5 * V / std::fabs(slope)) << "V = " << V;
  }
  for (double T = 350; T < 373.94; T += 0.1) {
    const double V = SatVapourVolume(T);
    EXPECT_NEAR(SatVapourVolume(SatTemperatureFromVapourVolume(V)) / V, 1, 1e-5) << "T = " << T;
    EXPECT_NEAR(SatTemperatureFromVapourVolume(V), T, 2e-3) << "T = " << T;
  }
  // Beyond the range the ends: 0 °C above Vmax, Tc below vc; the start fit gives 0.
  for (double V : {250.0, 0.002, 0.0031}) EXPECT_EQ(SatTemperatureFromVapourVolume(V), V > 1 ? 0.0 : kCriticalTemperatureC);
  for (double V : {250.0, 0.002}) EXPECT_EQ(SatTemperatureFromVapourVolumeStart(V), 0.0) << V;
  // The two definitions of v″ join at 350 °C.
  EXPECT_NEAR(SatVapourVolume(350.0 + 1e-9) / kSatVapourVolume350, 1, 1e-6);
  EXPECT_NEAR(SatVapourVolume(0.0), kVmax, 5e-8);
}

// Each auxiliary line inverted from the volume on it (to 1e-5, the argument to the row's tolerance); beyond its ends
// the search stops there.
TEST(AuxiliaryLines, InversionsFromTheVolumeRoundTrip) {
  struct Line {
    const char* name;
    std::function<double(double)> volume;  // the volume on the line at argument x
    double (*inverse)(double);
    double from, to, step, tol, relTol;
  } lines[] = {
      {"B23TemperatureFromVolume", [](double T) { return Region2V(T, B23Pressure(T)); }, B23TemperatureFromVolume, 350,
       590, 10, 0.01, 0},
      {"Temperature100MPaFromVolume", [](double T) { return Region2V(T, 100); }, Temperature100MPaFromVolume, 590, 800,
       15, 0.05, 0},
      {"Pressure800CFromVolume", [](double p) { return Region2V(800, p); }, Pressure800CFromVolume, 2e-4, 100, 0, 0,
       2e-5},
  };
  for (const Line& l : lines) {
    for (double x = l.from; x <= l.to; x = l.step ? x + l.step : x * 3) {
      const double V = l.volume(x), got = l.inverse(V);
      EXPECT_NEAR(l.volume(got) / V, 1, 1e-5) << l.name << " at " << x;
      EXPECT_NEAR(got, x, l.tol + l.relTol * x) << l.name << " at " << x;
    }
  }
  EXPECT_EQ(Temperature100MPaFromVolume(0.002), 590.0);
  EXPECT_EQ(Temperature100MPaFromVolume(0.006), 800.0);
  // The 100 MPa fit follows region 3 on 350 … 590 °C; the metastable limit lies less than 70 K below saturation.
  for (double T = 350; T <= 590; T += 20) EXPECT_NEAR(Pressure3(T, Volume100MPa(T)), 100, 0.5) << "T = " << T;
  for (double p = 0.001; p <= 10; p *= 1.5) {
    const double dT = SatTemperature(p) - MetastableLimitTemperature(p);
    EXPECT_TRUE(dT > 0 && dT < 70) << "p = " << p << ": " << dT;
  }
}

// Bad input ends every search, with NaN or a point of its bracket.
TEST(SaturationLines, BadInputEndsEverySearch) {
  EXPECT_TRUE(std::isnan(SatPressure(kNaN)) && std::isnan(SatTemperature(kNaN)));
  // finiteOnly: an infinite pressure need not give a bracketed result.
  const struct { const char* name; std::function<double(double)> f; double lo, hi; bool finiteOnly; } searches[] = {
      {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume, 0, kCriticalTemperatureC, false},
      {"B23TemperatureFromVolume", B23TemperatureFromVolume, 350, 590, false},
      {"Temperature100MPaFromVolume", Temperature100MPaFromVolume, 590, 800, false},
      {"Pressure800CFromVolume", Pressure800CFromVolume, 0.0001086, 100, false},
      {"SatLiquidVolume3(360, p)", [](double p) { return SatLiquidVolume3(360, p); }, kSatLiquidVolume350,
       kCriticalVolume, true},
      {"SatVapourVolume3(360, p)", [](double p) { return SatVapourVolume3(360, p); }, kCriticalVolume,
       kSatVapourVolume350, true},
      {"SatLiquidVolume3(T, 20)", [](double T) { return SatLiquidVolume3(T, 20); }, kSatLiquidVolume350,
       kCriticalVolume, false},
      {"SatVapourVolume3(T, 20)", [](double T) { return SatVapourVolume3(T, 20); }, kCriticalVolume,
       kSatVapourVolume350, false},
  };
  for (const auto& s : searches) {
    for (double x : {kNaN, kInf, -kInf, -1.0, 0.0, 1e300}) {
      if (s.finiteOnly && std::isinf(x)) continue;
      const double r = s.f(x);
      EXPECT_TRUE(std::isnan(r) || (r >= s.lo && r <= s.hi)) << s.name << "(" << x << ") = " << r;
    }
  }
}

}  // namespace
}  // namespace if97
