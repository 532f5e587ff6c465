// Region-1 and region-2 evaluators: the pair dispatch, the isotherm inversions with the brackets the classifiers
// leave in the scratch (and their evaluation budget), the isochore start values and Newton inversions.
#include "props/region12.h"

#include <array>
#include <vector>

#include "props/backward.h"
#include "testing.h"

namespace if97 {

using numerics::ValueTolerance;
namespace {

using namespace test;

// (P,S) and (P,I) use the backward equation once: the given value stays, the others follow from the forward
// equations at the temperature it gives, within the 25 mK consistency of the backward equations.
TEST(EvaluateRegion12, BackwardPairsUseTheBackwardEquationOnly) {
  // Region 2: one state in each of the sub-regions 2a, 2b, 2c.
  const double rows[][4] = {{kRegionWater, kPairPS, 150, 3}, {kRegionWater, kPairPI, 150, 3}, {kRegionSteam, kPairPI, 300, 1},
                            {kRegionSteam, kPairPI, 600, 10}, {kRegionSteam, kPairPI, 450, 30}, {kRegionSteam, kPairPS, 500, 8}};
  for (const auto& [region, pair, T, P] : rows) {
    SCOPED_TRACE(::testing::Message() << "region " << region << " pair " << pair << " at " << T << " °C, " << P << " MPa");
    const bool one = region == double{kRegionWater}, byS = pair == double{kPairPS};
    const auto v = one ? Region1V : Region2V, s = one ? Region1S : Region2S, h = one ? Region1I : Region2I;
    const double given = (byS ? s : h)(T, P);
    const State o = Evaluate(static_cast<PropertyRegion>(region), static_cast<std::int32_t>(pair), P, given);
    EXPECT_EQ(o[kT], (one ? (byS ? Temperature1FromPS : Temperature1FromPI) : (byS ? Temperature2FromPS : Temperature2FromPI))(P, given));
    EXPECT_NEAR(o[kT], T, 0.025);
    EXPECT_TRUE(o[kP] == P && o[byS ? kS : kI] == given && o[kV] == v(o[kT], P) && o[byS ? kI : kS] == (byS ? h : s)(o[kT], P));
  }
}

// A region equation as a function of (p, T) that records the pressures it is evaluated at.
struct RecordingTarget {
  double (*f)(double, double);
  std::vector<double> pressures;
  double operator()(double p, double T) {
    pressures.push_back(p);
    return f(T, p);
  }
};

TEST(Pressure1FromTV, ToleranceActsOnTheVolumeWithinItsBudget) {
  // Liquid volume changes little with pressure: the 0.05 % volume tolerance is met after five evaluations of the
  // volume equation, near but not at 50 MPa.
  const double V = Region1V(300, 50);
  ClearScratch();
  ASSERT_EQ(ClassifyTV(300, V), kRegionWater);
  RecordingTarget volume{Region1V, {}};
  const double P = Pressure1FromTVWith(volume, 300, V);
  EXPECT_EQ(volume.pressures.size(), 5u);
  EXPECT_NEAR(P, 50, 0.1);
  EXPECT_LT(std::fabs(Region1V(300, P) - V), ValueTolerance(V, 0.05, 0));
  double T = 300, p = 0, v = V, S = 0, I = 0;
  EvaluateRegion1(kPairTV, false, true, true, T, p, v, S, I);
  EXPECT_TRUE(p == P && S == Region1S(300, P) && I == Region1I(300, P));
}

// The entropy tolerance of 1e-9 finds the pressure of compressed water to far better than 1e-4 MPa at 50 MPa and
// to 0.1 % near 10 °C, where liquid entropy changes by only about 1e-4 kJ/(kg K) per MPa (1e-5 would not).
TEST(Pressure1FromTS, EntropyToleranceGivesTheTruePressure) {
  const double rows[][3] = {{300, 50, 1e-4}, {10, 1, 1e-3}, {10, 0.1, 1e-4}, {20, 0.5, 5e-4},
                            {50, 2, 2e-3},   {90, 5, 5e-3}};
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r[0] << " °C, " << r[1] << " MPa");
    const double S = Region1S(r[0], r[1]);
    const State o = Evaluate(kRegionWater, kPairTS, r[0], S);
    EXPECT_NEAR(o[kP], r[1], r[2]);
    EXPECT_LT(std::fabs(Region1S(r[0], o[kP]) - S), 1e-9);
    EXPECT_TRUE(o[kV] == Region1V(r[0], o[kP]) && Pressure1FromTS(r[0], S) == o[kP]);
  }
}

// Below 350 °C the saturation point ends the isotherm, from 350 °C to below 590 °C the B23 point, from 590 °C on
// the 100 MPa point: every evaluation lies in between.
TEST(Pressure2FromTVAndTS, EvaluationsStayOnTheIsotherm) {
  const double rows[][2] = {{100, 0.05}, {200, 1},  {300, 8},   {349, 10}, {350, 3},  {400, 5},
                            {450, 15},   {500, 20}, {589.9, 40}, {590, 60}, {700, 95}, {750, 90}, {780, 1}};
  for (const auto& r : rows) {
    const double T = r[0], P0 = r[1];
    const double top = T < 350 ? SatPressure(T) : T < 590 ? B23Pressure(T) : 100;
    for (bool byS : {false, true}) {
      SCOPED_TRACE(::testing::Message() << (byS ? "(T,S)" : "(T,V)") << " at " << T << " °C, " << P0 << " MPa");
      const double value = byS ? Region2S(T, P0) : Region2V(T, P0);
      const State o = Evaluate(kRegionSteam, byS ? kPairTS : kPairTV, T, value);
      EXPECT_TRUE(T < 350 || gScratch.ps == 0.0);  // no saturation pressure above 350 °C
      RecordingTarget target{byS ? Region2S : Region2V, {}};
      const double P = byS ? Pressure2FromTSWith(target, T, value) : Pressure2FromTVWith(target, T, value);
      EXPECT_EQ(P, o[kP]);
      ASSERT_FALSE(target.pressures.empty());
      for (double p : target.pressures) EXPECT_TRUE(p >= kPmin && p <= top) << p;
      if (byS) {
        EXPECT_LT(std::fabs(Region2S(T, P) - value), 1e-5);
        // ds/dp ≈ −R/p: the entropy tolerance is a relative pressure error of about 2e-5.
        EXPECT_NEAR(P, P0, 1e-4 * P0);
        EXPECT_EQ(o[kV], Region2V(T, P));
      } else {
        EXPECT_LT(std::fabs(Region2V(T, P) - value), ValueTolerance(value, 0.05, 0));
        EXPECT_NEAR(P, P0, 1e-3 * P0);  // dv/v ≈ −dp/p
        EXPECT_EQ(o[kS], Region2S(T, P));
      }
      EXPECT_EQ(o[kI], Region2I(T, P));
    }
  }
}

// Isochore start values: 0 outside their domain, the ends at the ends. Below VB100 the isochore ends at 100 MPa
// (s800C stays 0) and the pressure starts from B23; above VB350 there is no B23 point and 800 °C is the upper end.
TEST(StartValues2, ZeroOutsideAndTheEndsOfTheIsochore) {
  ClearScratch();
  ASSERT_EQ(ClassifyVS(0.05, 7.0), kRegionSteam);
  for (const auto& c : {std::array{0.003, 7.0, 3000.0}, {210.0, 7.0, 3000.0}, {0.05, -0.1, -1.0}, {0.05, 9.2, 4161.0}}) {
    EXPECT_TRUE(StartTemperature2FromVS(c[0], c[1]) == 0 && StartPressure2FromVS(c[0], c[1]) == 0) << c[0] << " " << c[1];
    EXPECT_TRUE(StartTemperature2FromVI(c[0], c[2]) == 0 && StartPressure2FromVI(c[0], c[2]) == 0) << c[0] << " " << c[2];
  }
  const double V = Region2V(680, 95);
  ClearScratch();
  ASSERT_EQ(ClassifyVS(V, Region2S(680, 95)), kRegionSteam);
  const SolverScratch s = gScratch;
  ASSERT_TRUE(V < kVB100 && s.s800C == 0 && s.sB23 > s.sVap);
  EXPECT_NEAR(StartTemperature2FromVS(V, s.s100MPa), s.T100MPa, 1e-9);
  EXPECT_NEAR(StartPressure2FromVS(V, s.s100MPa), 100.0, 1e-9);
  EXPECT_NEAR(StartTemperature2FromVS(V, s.sVap), s.Ts, 1e-9);
  EXPECT_NEAR(StartPressure2FromVS(V, s.sB23), s.pB23, 1e-9);
  const double V1 = Region2V(600, 1);
  ClearScratch();
  ASSERT_EQ(ClassifyVI(V1, Region2I(600, 1)), kRegionSteam);
  const SolverScratch t = gScratch;
  ASSERT_TRUE(t.h800C > t.h100MPa && t.hB23 == 0);
  EXPECT_NEAR(StartTemperature2FromVI(V1, t.h800C), 800.0, 1e-9);
  EXPECT_NEAR(StartPressure2FromVI(V1, t.h800C), t.p800C, 1e-12);
  EXPECT_NEAR(StartTemperature2FromVI(V1, t.hVap), t.Ts, 1e-9);
  EXPECT_NEAR(StartPressure2FromVI(V1, t.hVap), t.ps, 1e-12);
}

// The Newton iteration stops when the relative deviations fall below 1e-6 times the targets, which lets a large
// volume or enthalpy pass up to 0.1 K off; the extra pass brings every state within 0.01 K, at low pressure too.
TEST(State2FromVSAndVI, ReturnsTheStateWithinTenMillikelvin) {
  for (double P : {0.0006112126774, 0.001, 0.00158, 0.003, 0.01, 0.041, 0.2, 0.4, 1.0, 5.0, 20.0, 50.0, 95.0}) {
    for (double T = std::max(SatTemperature(P) + 0.5, 1.0); T <= 800; T += 23.7) {
      State q;
      if (P > 16 && ClassifyPair(kPairTP, T, P, q) != kRegionSteam) continue;
      for (std::int32_t pair : {kPairVS, kPairVI}) {
        SCOPED_TRACE(::testing::Message() << "pair " << pair << " at " << T << " °C, " << P << " MPa");
        const double V = Region2V(T, P), Y = (pair == kPairVS ? Region2S : Region2I)(T, P);
        const Result r = SolveAll(pair, V, Y);
        if (r.region != kRegionSteam) continue;  // beyond the range limits of the pair
        const State& o = r.q;
        EXPECT_NEAR(o[kT], T, 0.01);
        EXPECT_NEAR(o[kP] / P, 1, 2e-5);
        EXPECT_LT(std::fabs(Region2V(o[kT], o[kP]) / V - 1), 1e-6 * V);
        EXPECT_LT(std::fabs((pair == kPairVS ? Region2S : Region2I)(o[kT], o[kP]) / Y - 1), 1e-6 * Y);
        EXPECT_EQ(o[pair == kPairVS ? kI : kS], (pair == kPairVS ? Region2I : Region2S)(o[kT], o[kP]));
      }
    }
  }
}

}  // namespace
}  // namespace if97
