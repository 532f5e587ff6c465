// Saturation line, B23 boundary, near-critical saturated volumes and the auxiliary
// lines: reference values, round trips, the saturated volumes checked against the
// outer roots of the region-3 isotherm found independently here, and bad input.
#include "props/saturation.h"
#include "props/saturation3.h"

#include <functional>
#include <vector>

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

constexpr double kCriticalVolume = 0.003105590062111801;
constexpr double kTcC = 373.946;

using Line = double (*)(double);

struct LineRow {
  const char* name;
  Line f;
  double x;
  const char* expected;  // to the digits given
};

// Values of the lines at single points. Temperatures of the published tables are in
// kelvin there and converted here (T °C = T K − 273.15).
const LineRow kLineValues[] = {
    {"SatPressure", SatPressure, 0, "0.000611212677"},
    {"SatPressure", SatPressure, 100, "0.101417977921"},
    {"SatPressure", SatPressure, 350, "16.5291642526"},
    {"SatPressure", SatPressure, 373.946, "22.0640000003"},
    // IAPWS-IF97 Table 35 (300, 500, 600 K).
    {"SatPressure", SatPressure, 26.85, "0.00353658941"},
    {"SatPressure", SatPressure, 226.85, "2.63889776"},
    {"SatPressure", SatPressure, 326.85, "12.3443146"},
    // Table 36 (372.755919, 453.035632, 584.149488 K at 0.1, 1, 10 MPa).
    {"SatTemperature", SatTemperature, 0.1, "99.605919"},
    {"SatTemperature", SatTemperature, 1, "179.885632"},
    {"SatTemperature", SatTemperature, 10, "310.999488"},
    {"B23Pressure", B23Pressure, 350, "16.5291643"},  // IAPWS-IF97, Eq. 5 at 623.15 K
    {"SatVapourVolume", SatVapourVolume, 300, "0.0216630647"},
    {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume, 1.0, "116.1610"},
    {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume, 0.006, "365.0224"},
    {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume, 0.0088009319322, "350.000"},
    {"SatTemperatureFromVapourVolumeStart", SatTemperatureFromVapourVolumeStart, 0.0088009319322, "348.965"},
    {"B23TemperatureFromVolume", B23TemperatureFromVolume, 0.005, "432.1936"},
    {"Pressure800CFromVolume", Pressure800CFromVolume, 0.1, "4.908397"},
    // On the region-2 isobar of 100 MPa (the old fit of the region-3 isobar gave 713.7917).
    {"Temperature100MPaFromVolume", Temperature100MPaFromVolume, 0.004, "755.97"},
    {"Volume100MPa", Volume100MPa, 450, "0.0016281132"},
    {"MetastableLimitTemperature", MetastableLimitTemperature, 0.1, "51.5169"},
    {"MetastableLimitTemperature", MetastableLimitTemperature, 1.0, "147.4984"},
};

TEST(SaturationLines, ReferenceValues) {
  for (const LineRow& row : kLineValues)
    ExpectDigits(row.f(row.x), row.expected, row.name, row.x);
}

TEST(SaturationLines, SatTemperatureInvertsSatPressure) {
  double worst = 0, at = 0;
  for (int i = 0; i <= 373946; ++i) {
    const double T = i * 0.001;
    const double e = std::fabs(SatTemperature(SatPressure(T)) - T);
    if (e > worst) worst = e, at = T;
  }
  EXPECT_LT(worst, 1e-9) << "worst at T = " << at;
}

TEST(SaturationLines, B23TemperatureInvertsB23Pressure) {
  // 16.529164252 is the value cut after nine decimals (the classifiers' limit).
  EXPECT_GE(B23Pressure(350), 16.529164252);
  EXPECT_LT(B23Pressure(350), 16.529164253);
  EXPECT_NEAR(B23Temperature(16.529164252), 350, 1e-8);
  // IAPWS-IF97 Eq. 6 at 16.5291643 MPa: 623.150000 K.
  EXPECT_NEAR(B23Temperature(16.5291643) + 273.15, 623.15, 5e-7);
  // The round trip holds only with the right n5 = 13.91883977887.
  for (double T = 350; T <= 590; T += 2.5) {
    EXPECT_NEAR(B23Temperature(B23Pressure(T)), T, 1e-8) << "T = " << T;
  }
  EXPECT_NEAR(B23Pressure(590), 100, 0.01);
}

// ---------------------------------------------------------------------------
// Near-critical saturated volumes.

// The outer roots of p3(T, v) = p found independently: walk in small steps from the
// 350 °C saturated volumes (just outside them) inward until the sign of p3 − p changes for the first
// time, then bisect that step.
double OuterRoot(double T, double p, bool liquid) {
  const double step = 5e-8;
  double v = liquid ? 0.00173 : 0.0089;
  const double dir = liquid ? 1 : -1;
  const bool startAbove = Pressure3(T, v) > p;
  while (std::fabs(v - kCriticalVolume) < 0.006 && (Pressure3(T, v + dir * step) > p) == startAbove) v += dir * step;
  double a = v, b = v + dir * step;
  for (int k = 0; k < 60; ++k) {
    const double m = (a + b) / 2;
    ((Pressure3(T, m) > p) == startAbove ? a : b) = m;
  }
  return (a + b) / 2;
}

TEST(SaturatedVolumes3, ReferenceValuesAt360C) {
  EXPECT_NEAR(SatLiquidVolume3(360, 18.6664034), 0.0018945130, 5e-11);
  EXPECT_NEAR(SatVapourVolume3(360, 18.6664034), 0.0069449400, 5e-11);
}

// At 350 °C itself the vapour root of the region-3 equation lies 1e-4 inside the
// bound v2 = 0.0088009319322 and the bound is returned; the band starts above. Within
// about 0.05 K of Tc the loop of the isotherm inside the dome is shallower than a
// pressure tolerance of 1e-5·p, and the liquid start value used to lie past the
// liquid spinodal; both volumes must still be the outer roots.
TEST(SaturatedVolumes3, OuterRootsAcrossTheBand) {
  std::vector<double> temperatures;
  for (double T = 350.1; T < 373.9459; T += (T < 373.9 ? 0.25 : 0.0025)) temperatures.push_back(T);
  temperatures.insert(temperatures.end(), {373.90, 373.94});
  for (std::size_t k = 0; k < temperatures.size(); ++k) {
    const double T = temperatures[k], p = SatPressure(T);
    // Ordinary tolerance 1e-5·p below the near-critical band, a tighter one within it,
    // the tightest at the two temperatures added last.
    const double rel = k + 2 >= temperatures.size() ? 1e-7 : T < kTcC - 0.25 ? 1e-5 : 1e-6;
    EXPECT_NEAR(SatLiquidVolume3(T, p) / OuterRoot(T, p, true), 1, rel) << "T = " << T;
    EXPECT_NEAR(SatVapourVolume3(T, p) / OuterRoot(T, p, false), 1, rel) << "T = " << T;
  }
}

// Within 1e-4 K of Tc the saturation pressure and the loop of the region-3 equation
// no longer agree well enough for three roots; the searches must still end, on
// volumes next to vc, with the liquid volume not above the vapour volume.
TEST(SaturatedVolumes3, SearchesEndNextToTheCriticalPoint) {
  for (double dT : {1e-4, 5e-5, 3e-5, 2e-5, 1e-5, 1e-6, 1e-8, 0.0}) {
    const double T = kTcC - dT;
    const double p = SatPressure(T);
    const double vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p);
    EXPECT_NEAR(vl / kCriticalVolume, 1, 0.01) << "T = Tc - " << dT;
    EXPECT_NEAR(vv / kCriticalVolume, 1, 0.01) << "T = Tc - " << dT;
    EXPECT_LE(vl, vv * (1 + 1e-6)) << "T = Tc - " << dT;
    const double Ts = SatTemperatureFromVapourVolume(vv);
    EXPECT_GE(Ts, 373.94) << "T = Tc - " << dT;
    EXPECT_LE(Ts, kTcC) << "T = Tc - " << dT;
  }
}

// ---------------------------------------------------------------------------
// Saturated vapour volume and its inverse.

// v'' by its definition below 350 °C, inverted independently by bisection.
double TemperatureOfVapourVolume(double V) {
  double a = 0, b = 350;
  for (int k = 0; k < 80; ++k) {
    const double m = (a + b) / 2;
    (Region2V(m, SatPressure(m)) > V ? a : b) = m;
  }
  return (a + b) / 2;
}

TEST(SatTemperatureFromVapourVolume, MatchesIndependentInversionBelow350C) {
  // Includes volumes near 0 °C, where the start value lies at or below 0 °C and a
  // step of 0.015 % of the Celsius start value would not get anywhere.
  for (double V : {206.1, 206.0, 205.0, 200.9, 200.8, 200.6, 190.0, 100.0, 10.0, 1.0, 0.1, 0.02, 0.009}) {
    const double expected = TemperatureOfVapourVolume(V);
    // The refinement stops within 1e-5·V of the volume; in temperature that is
    // 1e-5·V divided by the slope of v'' there.
    const double slope = (Region2V(expected + 0.01, SatPressure(expected + 0.01)) -
                          Region2V(expected - 0.01, SatPressure(expected - 0.01))) / 0.02;
    const double tolT = 1.1e-5 * V / std::fabs(slope);
    EXPECT_NEAR(SatTemperatureFromVapourVolume(V), expected, tolT) << "V = " << V;
    EXPECT_NEAR(SatVapourVolume(SatTemperatureFromVapourVolume(V)) / V, 1, 1e-5) << "V = " << V;
  }
}

TEST(SatTemperatureFromVapourVolume, RoundTripAbove350C) {
  for (double T = 350; T < 373.94; T += 0.1) {
    const double V = SatVapourVolume(T);
    EXPECT_NEAR(SatVapourVolume(SatTemperatureFromVapourVolume(V)) / V, 1, 1e-5) << "T = " << T;
    EXPECT_NEAR(SatTemperatureFromVapourVolume(V), T, 2e-3) << "T = " << T;
  }
}

TEST(SatTemperatureFromVapourVolume, OutsideTheRangeGivesTheEnds) {
  // Below vc the nearest saturated vapour is the critical point.
  for (double V : {250.0, 0.002, 0.0031}) EXPECT_EQ(SatTemperatureFromVapourVolume(V), V > 1 ? 0.0 : 373.946) << V;
  for (double V : {250.0, 0.002}) EXPECT_EQ(SatTemperatureFromVapourVolumeStart(V), 0.0) << V;
}

TEST(SatVapourVolume, JoinsAt350C) {
  EXPECT_NEAR(SatVapourVolume(350.0) / 0.0088009319322, 1, 1e-10);
  EXPECT_NEAR(SatVapourVolume(350.0 + 1e-9) / 0.0088009319322, 1, 1e-6);
  EXPECT_NEAR(SatVapourVolume(0.0), 206.13971631, 5e-8);
}

// ---------------------------------------------------------------------------
// Auxiliary lines of region 2.

// Each line is inverted from the volume on it: the volume of the result agrees to
// 1e-5, the argument to the tolerance of the row.
TEST(AuxiliaryLines, InversionsFromTheVolumeRoundTrip) {
  struct Row {
    const char* name;
    std::function<double(double)> volume;  // the volume on the line at argument x
    double (*inverse)(double);
    std::vector<double> xs;
    double tol, relTol;
  };
  std::vector<double> b23, iso100;
  for (double T = 350; T <= 590; T += 10) b23.push_back(T);
  for (double T = 590; T <= 800; T += 15) iso100.push_back(T);
  const Row rows[] = {
      {"B23TemperatureFromVolume", [](double T) { return Region2V(T, B23Pressure(T)); }, B23TemperatureFromVolume, b23,
       0.01, 0},
      {"Temperature100MPaFromVolume", [](double T) { return Region2V(T, 100); }, Temperature100MPaFromVolume, iso100,
       0.05, 0},
      {"Pressure800CFromVolume", [](double p) { return Region2V(800, p); }, Pressure800CFromVolume,
       {0.0002, 0.001, 0.01, 0.1, 1.0, 5.0, 20.0, 50.0, 99.0}, 0, 2e-5},
  };
  for (const Row& r : rows) {
    for (double x : r.xs) {
      const double V = r.volume(x), got = r.inverse(V);
      EXPECT_NEAR(r.volume(got) / V, 1, 1e-5) << r.name << " at " << x;
      EXPECT_NEAR(got, x, r.tol + r.relTol * x) << r.name << " at " << x;
    }
  }
  EXPECT_NEAR(Region2V(590, 100), 0.0025847184959, 5e-11);
  // Beyond the ends of the 100 MPa isobar the search stops at its bounds.
  EXPECT_EQ(Temperature100MPaFromVolume(0.002), 590.0);
  EXPECT_EQ(Temperature100MPaFromVolume(0.006), 800.0);
}

TEST(AuxiliaryLines, Volume100MPaFollowsRegion3BelowItsLimit) {
  // The fit is used on the region-3 part of the isobar, 350 … 590 °C.
  for (double T = 350; T <= 590; T += 20) {
    const double v = Volume100MPa(T);
    EXPECT_NEAR(Pressure3(T, v), 100, 0.5) << "T = " << T;
  }
}

TEST(AuxiliaryLines, Pressure800CFromVolumeRoundTrip) {
  for (double p : {0.0002, 0.001, 0.01, 0.1, 1.0, 5.0, 20.0, 50.0, 99.0}) {
    const double V = Region2V(800, p);
    const double got = Pressure800CFromVolume(V);
    EXPECT_NEAR(Region2V(800, got) / V, 1, 1e-5) << "p = " << p;
    EXPECT_NEAR(got / p, 1, 2e-5) << "p = " << p;
  }
}

TEST(AuxiliaryLines, MetastableLimitLiesBelowSaturation) {
  for (double p = 0.001; p <= 10; p *= 1.5) {
    const double dT = SatTemperature(p) - MetastableLimitTemperature(p);
    EXPECT_GT(dT, 0) << "p = " << p;
    EXPECT_LT(dT, 70) << "p = " << p;
  }
}

// ---------------------------------------------------------------------------
// Bad input ends every search.

TEST(SaturationLines, BadInputEndsEverySearch) {
  EXPECT_TRUE(std::isnan(SatPressure(kNaN)));
  EXPECT_TRUE(std::isnan(SatTemperature(kNaN)));
  // The searches return NaN or a point of their bracket.
  const struct {
    const char* name;
    Line f;
    double lo, hi;
    bool finiteOnly;  // infinite pressures are not checked for a bracketed result
  } searches[] = {
      {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume, 0, kTcC, false},
      {"B23TemperatureFromVolume", B23TemperatureFromVolume, 350, 590, false},
      {"Temperature100MPaFromVolume", Temperature100MPaFromVolume, 590, 800, false},
      {"Pressure800CFromVolume", Pressure800CFromVolume, 0.0001086, 100, false},
      {"SatLiquidVolume3 at 360 °C", [](double p) { return SatLiquidVolume3(360, p); }, 0.0017400705518, kCriticalVolume, true},
      {"SatVapourVolume3 at 360 °C", [](double p) { return SatVapourVolume3(360, p); }, kCriticalVolume, 0.0088009319322, true},
      {"SatLiquidVolume3 at p = 20", [](double T) { return SatLiquidVolume3(T, 20); }, 0.0017400705518, kCriticalVolume, false},
      {"SatVapourVolume3 at p = 20", [](double T) { return SatVapourVolume3(T, 20); }, kCriticalVolume, 0.0088009319322, false},
  };
  for (const auto& s : searches) {
    for (double x : {kNaN, kInf, -kInf, -1.0, 0.0, 1e300}) {
      const double r = s.f(x);
      if (s.finiteOnly && std::isinf(x)) continue;
      EXPECT_TRUE(std::isnan(r) || (r >= s.lo && r <= s.hi)) << s.name << "(" << x << ") = " << r;
    }
  }
}

}  // namespace
}  // namespace if97
