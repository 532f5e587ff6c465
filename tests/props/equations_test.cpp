// The closed-form equations: the values of data/verification.csv (with the constants of props/constants.h and
// the transport helpers), the forward equations against independent states, the identities that tie v, s and h
// to one Gibbs or Helmholtz function, the backward equations' sub-regions and accuracy, and bad input.
#include <functional>

#include "props/backward.h"
#include "props/transport.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;
using F2 = double (*)(double, double);
using F1 = double (*)(double);

const std::map<std::string, std::function<double(double, double)>> kFunctions = [] {
  std::map<std::string, std::function<double(double, double)>> m;
  const std::pair<const char*, F2> two[] = {
      {"Region1V", Region1V}, {"Region1S", Region1S}, {"Region1I", Region1I}, {"Region2V", Region2V},
      {"Region2S", Region2S}, {"Region2I", Region2I}, {"MetaV", MetaV}, {"MetaS", MetaS}, {"MetaI", MetaI},
      {"Temperature1FromPI", Temperature1FromPI}, {"Temperature1FromPS", Temperature1FromPS},
      {"Temperature2FromPI", Temperature2FromPI}, {"Temperature2FromPS", Temperature2FromPS},
      {"SatLiquidVolume3", SatLiquidVolume3}, {"SatVapourVolume3", SatVapourVolume3}, {"Pressure3", Pressure3},
      {"Entropy3", Entropy3}, {"Enthalpy3", Enthalpy3}, {"DynamicViscosity", DynamicViscosity},
      {"ThermalConductivity", ThermalConductivity}, {"Power", Power}};
  const std::pair<const char*, F1> one[] = {
      {"B2bcPressure", B2bcPressure}, {"SatPressure", SatPressure}, {"SatTemperature", SatTemperature},
      {"B23Pressure", B23Pressure}, {"B23Temperature", B23Temperature}, {"SatVapourVolume", SatVapourVolume},
      {"SatTemperatureFromVapourVolume", SatTemperatureFromVapourVolume},
      {"SatTemperatureFromVapourVolumeStart", SatTemperatureFromVapourVolumeStart},
      {"B23TemperatureFromVolume", B23TemperatureFromVolume}, {"Pressure800CFromVolume", Pressure800CFromVolume},
      {"Temperature100MPaFromVolume", Temperature100MPaFromVolume}, {"Volume100MPa", Volume100MPa},
      {"MetastableLimitTemperature", MetastableLimitTemperature}, {"SafeExp", SafeExp}};
  for (auto [name, f] : two) m[name] = f;
  for (auto [name, f] : one) m[name] = [f](double x, double) { return f(x); };
  return m;
}();

TEST(Equations, VerificationValues) {
  for (const Row& r : Table("verification.csv")) {
    const double got = kFunctions.at(r["function"])(r("x"), r["y"].empty() ? kNaN : r("y"));
    const double tolerance = r["tolerance"].empty() ? HalfLastDigit(r["expected"].c_str()) : r("tolerance");
    EXPECT_NEAR(got, r("expected"), tolerance) << "line " << r.line << ": " << r["function"] << "(" << r["x"] << ", "
                                               << r["y"] << ")";
  }
  EXPECT_LT(kVmin3, Region1V(kT350, kPmax));  // below v1(350 °C, 100 MPa); a row bounds the gap
}

struct Forward { F2 v, s, h; };
Forward ForwardOf(PropertyRegion region) {
  if (region == kRegionWater) return {Region1V, Region1S, Region1I};
  return region == kRegionSteam ? Forward{Region2V, Region2S, Region2I} : Forward{MetaV, MetaS, MetaI};
}

// The (T,P) reference states of regions 1, 2 and 8 are another implementation's forward equations, to all digits.
TEST(ForwardEquations, AgreeWithTheIndependentStates) {
  int rows = 0;
  for (const Row& r : Table("reference-states.csv")) {
    if (r["pair"] != "TP" || r["region"] == "3" || r["region"] == "9") continue;
    const Forward eq = ForwardOf(static_cast<PropertyRegion>(r("region")));
    const double T = r("T"), P = r("P");
    for (auto [f, k] : {std::pair{eq.v, "V"}, {eq.s, "S"}, {eq.h, "I"}})
      EXPECT_NEAR(f(T, P), r(k), 1e-11 * r(k)) << k << " at line " << r.line;
    ++rows;
  }
  EXPECT_GE(rows, 20);
}

// v = ∂g/∂p and s = −∂g/∂T of g = h − T_K·s by central differences (g in kJ/kg, p in MPa: ∂g/∂p in 1e-3 m3/kg).
TEST(ForwardEquations, VolumeAndEntropyAreDerivativesOfTheGibbsFunction) {
  const double cases[][3] = {{1, 0.5, 0.1}, {1, 100, 50},  {1, 340, 100},   {2, 1, 0.0006}, {2, 250, 1}, {2, 450, 30},
                             {2, 800, 100}, {2, 800, 0.001}, {8, 60, 0.015}, {8, 200, 1.2},  {8, 300, 8}};
  for (const auto& c : cases) {
    const Forward eq = ForwardOf(static_cast<PropertyRegion>(c[0]));
    const double T = c[1], P = c[2], dp = 1e-4 * P, dT = 1e-3;
    auto g = [&](double t, double p) { return eq.h(t, p) - (t + kKelvin) * eq.s(t, p); };
    EXPECT_NEAR(1e-3 * (g(T, P + dp) - g(T, P - dp)) / (2 * dp) / eq.v(T, P), 1, 1e-6) << c[0] << " " << T << " " << P;
    EXPECT_NEAR(-(g(T + dT, P) - g(T - dT, P)) / (2 * dT), eq.s(T, P), 1e-6 * std::fabs(eq.s(T, P)) + 1e-9) << T;
  }
}

// Region 3: (∂s/∂v)_T = (∂p/∂T)_v, and h = u + p·v with (∂u/∂v)_T = T·(∂p/∂T)_v − p.
TEST(Region3Equation, MaxwellRelationsHold) {
  for (double T : {360.0, 380.0, 450.0, 580.0}) {
    for (double v : {0.0016, 0.0025, 0.004, 0.007}) {
      const double dT = 1e-4, dv = v * 1e-6;
      const double dpdT = (Pressure3(T + dT, v) - Pressure3(T - dT, v)) / (2 * dT) * 1000;  // kPa/K
      EXPECT_NEAR((Entropy3(T, v + dv) - Entropy3(T, v - dv)) / (2 * dv) / dpdT, 1, 1e-5) << T << " " << v;
      const auto u = [&](double vv) { return Enthalpy3(T, vv) - Pressure3(T, vv) * 1000 * vv; };
      const double dudv = (u(v + dv) - u(v - dv)) / (2 * dv);
      EXPECT_NEAR(dudv / ((T + kKelvin) * dpdT - Pressure3(T, v) * 1000), 1, 1e-4) << T << " " << v;
    }
  }
}

// Sub-region 2a below 4 MPa, else 2c where p ≥ p_bc(h) (T(p,h)) or s ≤ 5.85 (T(p,s)). On a boundary the upper
// sub-region is used: the value equals the limit from that side and differs from the other side's.
TEST(BackwardEquations, BoundariesBelongToTheUpperSubRegion) {
  const double pbc = B2bcPressure(3000.0);
  const struct {
    F2 f;
    double P, y, Pside, ySide, Pother, yOther;
  } cases[] = {{Temperature2FromPI, 4.0, 3200, Up(4.0), 3200, Down(4.0), 3200},
               {Temperature2FromPI, 4.0, 2000, Up(4.0), 2000, Down(4.0), 2000},
               {Temperature2FromPS, 4.0, 7.0, Up(4.0), 7.0, Down(4.0), 7.0},
               {Temperature2FromPS, 4.0, 5.5, Up(4.0), 5.5, Down(4.0), 5.5},
               {Temperature2FromPS, 20.0, 5.85, 20.0, Down(5.85), 20.0, Up(5.85)},
               {Temperature2FromPI, pbc, 3000, pbc, 3000 - 1e-6, pbc, 3000 + 1e-6}};
  for (const auto& c : cases) {
    const double at = c.f(c.P, c.y);
    EXPECT_NEAR(at, c.f(c.Pside, c.ySide), 1e-6) << c.P << " " << c.y;
    EXPECT_GT(std::fabs(at - c.f(c.Pother, c.yOther)), 1e-5) << c.P << " " << c.y;
  }
}

// Round trips over regions 1 and 2 within the consistency IAPWS-IF97 allows: 25 mK in 1 and 2c, 10 mK in 2a, 2b.
TEST(BackwardEquations, RoundTripWithinTheirAccuracy) {
  double worst[2][4] = {};  // [by h, by s][region 1, 2a, 2b, 2c]
  for (double T = 0.0; T <= 350.0; T += 2.5) {
    const double ps = SatPressure(T);
    for (int k = 0; k <= 60; ++k) {
      const double P = ps * std::pow(100.0 / ps, k / 60.0);
      worst[0][0] = std::fmax(worst[0][0], std::fabs(Temperature1FromPI(P, Region1I(T, P)) - T));
      worst[1][0] = std::fmax(worst[1][0], std::fabs(Temperature1FromPS(P, Region1S(T, P)) - T));
    }
  }
  for (int k = 0; k <= 80; ++k) {
    const double P = kPmin * std::pow(100.0 / kPmin, k / 80.0);
    for (double T = 0.0; T <= 800.0; T += 2.5) {
      if (P <= kP350 ? P > SatPressure(std::fmin(T, 350.0)) : T < B23Temperature(P)) continue;
      const double h = Region2I(T, P), s = Region2S(T, P);
      const int byH = P < 4.0 ? 1 : (P >= B2bcPressure(h) ? 3 : 2), byS = P < 4.0 ? 1 : (s <= 5.85 ? 3 : 2);
      worst[0][byH] = std::fmax(worst[0][byH], std::fabs(Temperature2FromPI(P, h) - T));
      worst[1][byS] = std::fmax(worst[1][byS], std::fabs(Temperature2FromPS(P, s) - T));
    }
  }
  const double allowed[4] = {0.025, 0.010, 0.010, 0.025};
  for (int by : {0, 1})
    for (int k = 0; k < 4; ++k) EXPECT_LE(worst[by][k], allowed[k]) << (by ? "T(p,s)" : "T(p,h)") << " part " << k;
}

// No range test: outside a region the equations extrapolate, finite; NaN passes through; only T_K = 0 and, for
// the terms in ln p and 1/p, p <= 0 are undefined.
TEST(Equations, ExtrapolateAndPassNaNThrough) {
  const F2 forward[] = {Region1V, Region1S, Region1I, Region2V, Region2S, Region2I, MetaV, MetaS, MetaI};
  const double points[][2] = {{800, 100}, {500, 0.1}, {20, 100}, {-20, 0.001}, {0, -1}};
  for (F2 f : forward) {
    const bool logOfP = f != Region1V && f != Region1S && f != Region1I && f != Region2I && f != MetaI;
    for (const auto& p : points) {
      EXPECT_TRUE(std::isfinite(f(p[0], p[1])) || (logOfP && p[1] <= 0)) << p[0] << " " << p[1];
    }
    EXPECT_TRUE(std::isnan(f(kNaN, 1.0)) && std::isnan(f(100.0, kNaN)));
    EXPECT_FALSE(std::isfinite(f(-kKelvin, 1.0)));
    EXPECT_EQ(std::isfinite(f(300.0, 0.0)), !logOfP);
  }
  for (F2 f : {Region2S, MetaS}) EXPECT_TRUE(std::isnan(f(300.0, -1.0)));
  for (F2 f : {Temperature1FromPI, Temperature1FromPS, Temperature2FromPI, Temperature2FromPS})
    EXPECT_TRUE(std::isnan(f(kNaN, 1.0)) && std::isnan(f(1.0, kNaN)) && std::isnan(f(10.0, kNaN)));
  EXPECT_TRUE(std::isfinite(Temperature1FromPI(0.0, 100.0)) && std::isfinite(Temperature2FromPI(0.0, 2600.0)) &&
              std::isfinite(Temperature1FromPS(150.0, -1.0)));
}

// Above an exponent of 80 the residual factor of the viscosity stays e^80: at −125 °C the exponent is about 83.5
// for both volumes (below the clamp of SafeExp), so the viscosity no longer depends on the volume.
TEST(Transport, ViscosityExponentCapAndExtremeInputs) {
  EXPECT_EQ(DynamicViscosity(-125.0, 0.001), DynamicViscosity(-125.0, 0.00102));
  EXPECT_NE(DynamicViscosity(25.0, 0.001), DynamicViscosity(25.0, 0.00102));
  // Inputs the solver would reject: no trap, also under the sanitizers.
  for (double T : {0.0, -1.0, 1e-300, 1e300, kInf, -kInf, kNaN})
    for (double V : {0.0, -1.0, 1e-300, 1e300, kInf, -kInf, kNaN}) (void)(DynamicViscosity(T, V) + ThermalConductivity(T, V));
}

}  // namespace
}  // namespace if97
