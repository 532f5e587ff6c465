// Region-1 and region-2 evaluators: the pair dispatch, the isotherm inversions with
// the brackets the classifiers leave in the scratch (and their evaluation budget),
// the isochore start values and Newton inversions, and round trips from states
// sampled inside each region.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "props/backward.h"
#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/region12.h"
#include "props/saturation.h"
#include "props/solver.h"
#include "props/state.h"

namespace if97 {
namespace {

using limits::kPmin;

// --- Pair dispatch ------------------------------------------------------------------

TEST(EvaluateRegion1, KnownTPWithoutNeedsLeavesTheRest) {
  ClearScratch();
  double T = 20, P = 1, V = -7, S = -8, I = -9;
  EvaluateRegion1(kPairTP, false, false, false, T, P, V, S, I);
  EXPECT_EQ(T, 20.0);
  EXPECT_EQ(P, 1.0);
  EXPECT_EQ(V, -7.0);
  EXPECT_EQ(S, -8.0);
  EXPECT_EQ(I, -9.0);

  EvaluateRegion1(kPairTP, true, false, true, T, P, V, S, I);
  EXPECT_EQ(V, Region1V(20, 1));
  EXPECT_EQ(S, -8.0);
  EXPECT_EQ(I, Region1I(20, 1));
}

TEST(EvaluateRegion2, KnownTPEvaluatesTheForwardEquations) {
  ClearScratch();
  double T = 400, P = 5, V = 0, S = 0, I = 0;
  EvaluateRegion2(kPairTP, true, true, true, T, P, V, S, I);
  EXPECT_EQ(V, Region2V(400, 5));
  EXPECT_EQ(S, Region2S(400, 5));
  EXPECT_EQ(I, Region2I(400, 5));
}

TEST(EvaluateRegion1, BackwardPairsUseTheBackwardEquationOnly) {
  const double P = 3, T0 = 150;
  const double S0 = Region1S(T0, P), I0 = Region1I(T0, P);
  {
    ClearScratch();
    ASSERT_EQ(ClassifyPS(P, S0, false), kRegionWater);
    double T = 0, p = P, V = 0, S = S0, I = 0;
    EvaluateRegion1(kPairPS, true, false, true, T, p, V, S, I);
    EXPECT_EQ(T, Temperature1FromPS(P, S0));
    EXPECT_EQ(p, P);
    EXPECT_EQ(S, S0);
    EXPECT_EQ(I, Region1I(T, P));
    // Consistency of the backward equation with the forward one: 25 mK.
    EXPECT_NEAR(T, T0, 0.025);
  }
  {
    ClearScratch();
    ASSERT_EQ(ClassifyPI(P, I0, false), kRegionWater);
    double T = 0, p = P, V = 0, S = 0, I = I0;
    EvaluateRegion1(kPairPI, true, true, false, T, p, V, S, I);
    EXPECT_EQ(T, Temperature1FromPI(P, I0));
    EXPECT_EQ(V, Region1V(T, P));
    EXPECT_EQ(S, Region1S(T, P));
    EXPECT_EQ(I, I0);
    EXPECT_NEAR(T, T0, 0.025);
  }
}

TEST(EvaluateRegion2, PIUsesTheBackwardEquationOnce) {
  struct Case {
    double T, P;
  };
  // One state in each of the sub-regions 2a, 2b, 2c of the backward equation.
  for (const Case c : {Case{300, 1}, Case{600, 10}, Case{450, 30}}) {
    const double I0 = Region2I(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyPI(c.P, I0, false), kRegionSteam) << c.T << " " << c.P;
    double T = 0, P = c.P, V = 0, S = 0, I = I0;
    EvaluateRegion2(kPairPI, true, true, false, T, P, V, S, I);
    EXPECT_EQ(T, Temperature2FromPI(c.P, I0)) << c.T << " " << c.P;
    EXPECT_EQ(P, c.P);
    EXPECT_EQ(I, I0);  // the given enthalpy stays; Region2I(T, P) differs only by the backward accuracy
    EXPECT_NEAR(T, c.T, 0.025) << c.T << " " << c.P;
    EXPECT_NEAR(Region2I(T, P), I0, 0.025 * 10) << c.T << " " << c.P;  // cp below 10 kJ/(kg K) here
    EXPECT_EQ(V, Region2V(T, P));
    EXPECT_EQ(S, Region2S(T, P));
  }
}

TEST(EvaluateRegion2, PSUsesTheBackwardEquationOnce) {
  const double T0 = 500, P0 = 8, S0 = Region2S(T0, P0);
  ClearScratch();
  ASSERT_EQ(ClassifyPS(P0, S0, false), kRegionSteam);
  double T = 0, P = P0, V = 0, S = S0, I = 0;
  EvaluateRegion2(kPairPS, true, false, true, T, P, V, S, I);
  EXPECT_EQ(T, Temperature2FromPS(P0, S0));
  EXPECT_NEAR(T, T0, 0.025);
  EXPECT_EQ(I, Region2I(T, P0));
}

// --- Region-1 isotherm inversions ------------------------------------------------------

// Counts the evaluations of a region equation written as a function of (p, T).
struct CountingTarget {
  double (*f)(double, double);
  int count = 0;
  double operator()(double p, double T) {
    ++count;
    return f(T, p);
  }
};

TEST(Pressure1FromTV, ToleranceActsOnTheVolume) {
  // Liquid volume changes little with pressure: the 0.05 % volume tolerance leaves the
  // pressure of (300 °C, v1(300 °C, 50 MPa)) at about 50.053 MPa, after five
  // evaluations of the volume equation.
  const double V = Region1V(300, 50);
  ClearScratch();
  ASSERT_EQ(ClassifyTV(300, V), kRegionWater);
  CountingTarget volume{Region1V};
  const double P = Pressure1FromTVWith(volume, 300, V);
  EXPECT_EQ(volume.count, 5);
  EXPECT_NEAR(P, 50.053, 0.0005);
  EXPECT_EQ(Pressure1FromTV(300, V), P);
  EXPECT_LT(std::fabs(Region1V(300, P) - V), ValueTolerance(V, 0.05, 0));

  double T = 300, p = 0, v = V, S = 0, I = 0;
  EvaluateRegion1(kPairTV, false, true, true, T, p, v, S, I);
  EXPECT_EQ(p, P);
  EXPECT_EQ(T, 300.0);
  EXPECT_EQ(v, V);
  EXPECT_EQ(S, Region1S(300, P));
  EXPECT_EQ(I, Region1I(300, P));
}

TEST(Pressure1FromTS, EntropyToleranceGivesTheTruePressure) {
  // The same state given as (T, S): the entropy tolerance of 1e-9 finds 50 MPa to far
  // better than 1e-4 MPa (a tolerance of 1e-5 stopped at about 50.0005 MPa).
  const double S = Region1S(300, 50);
  ClearScratch();
  ASSERT_EQ(ClassifyTS(300, S), kRegionWater);
  const double P = Pressure1FromTS(300, S);
  EXPECT_NEAR(P, 50.0, 1e-4);
  EXPECT_LT(std::fabs(Region1S(300, P) - S), 1e-9);
}

TEST(Pressure1FromTS, LowPressureCompressedWater) {
  // Near 10 °C liquid entropy changes by only about 1e-4 kJ/(kg K) per MPa; the pressure
  // must still come back to well within 0.1 % (a tolerance of 1e-5 on S allowed
  // errors of 10 % and more here).
  struct Case {
    double T, P;
  };
  for (const Case c : {Case{10, 1}, Case{10, 0.1}, Case{20, 0.5}, Case{50, 2}, Case{90, 5}}) {
    const double S = Region1S(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyTS(c.T, S), kRegionWater) << c.T << " " << c.P;
    double T = c.T, P = 0, V = 0, s = S, I = 0;
    EvaluateRegion1(kPairTS, true, false, true, T, P, V, s, I);
    EXPECT_NEAR(P, c.P, 1e-3 * c.P) << c.T << " " << c.P;
    EXPECT_NEAR(V, Region1V(c.T, c.P), 1e-9) << c.T << " " << c.P;
  }
}

// --- Region-2 isotherm inversions ------------------------------------------------------

// Records every pressure at which the equation is evaluated.
struct RecordingTarget {
  double (*f)(double, double);
  std::vector<double> pressures;
  double operator()(double p, double T) {
    pressures.push_back(p);
    return f(T, p);
  }
};

TEST(Pressure2FromTS, At400CBracketsBetweenPminAndB23) {
  const double T = 400, P0 = 5, S = Region2S(T, P0);
  ClearScratch();
  ASSERT_EQ(ClassifyTS(T, S), kRegionSteam);
  EXPECT_EQ(gScratch.ps, 0.0);  // no saturation pressure above 350 °C
  const double pB23 = B23Pressure(T);
  ASSERT_EQ(gScratch.pB23, pB23);
  RecordingTarget entropy{Region2S, {}};
  const double P = Pressure2FromTSWith(entropy, T, S);
  ASSERT_FALSE(entropy.pressures.empty());
  for (double p : entropy.pressures) {
    EXPECT_GE(p, kPmin);
    EXPECT_LE(p, pB23);
  }
  EXPECT_LT(std::fabs(Region2S(T, P) - S), 1e-5);
  EXPECT_NEAR(P, P0, 1e-3);
  EXPECT_EQ(Pressure2FromTS(T, S), P);
}

TEST(Pressure2FromTV, UpperEndOfTheIsothermByTemperature) {
  // Below 350 °C the saturation point ends the isotherm, from 350 °C to below 590 °C
  // the B23 point, from 590 °C on the 100 MPa point: every evaluation lies in between.
  struct Case {
    double T, P, top;
  };
  const Case cases[] = {
      {200, 1, SatPressure(200)},
      {349, 10, SatPressure(349)},
      {350, 3, B23Pressure(350)},
      {500, 20, B23Pressure(500)},
      {589.9, 40, B23Pressure(589.9)},
      {590, 60, 100},
      {750, 90, 100},
  };
  for (const Case& c : cases) {
    const double V = Region2V(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyTV(c.T, V), kRegionSteam) << c.T;
    RecordingTarget volume{Region2V, {}};
    const double P = Pressure2FromTVWith(volume, c.T, V);
    for (double p : volume.pressures) {
      EXPECT_GE(p, kPmin) << c.T;
      EXPECT_LE(p, c.top) << c.T;
    }
    EXPECT_LT(std::fabs(Region2V(c.T, P) - V), ValueTolerance(V, 0.05, 0)) << c.T;
    // The volume tolerance is relative, and so is the pressure error (dv/v ≈ −dp/p).
    EXPECT_NEAR(P, c.P, 1e-3 * c.P) << c.T;
  }
}

TEST(Pressure2FromTS, UpperEndOfTheIsothermByTemperature) {
  struct Case {
    double T, P;
  };
  for (const Case c : {Case{100, 0.05}, Case{300, 8}, Case{450, 15}, Case{700, 95}, Case{780, 1}}) {
    const double S = Region2S(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyTS(c.T, S), kRegionSteam) << c.T;
    double T = c.T, P = 0, V = 0, s = S, I = 0;
    EvaluateRegion2(kPairTS, true, false, true, T, P, V, s, I);
    EXPECT_LT(std::fabs(Region2S(c.T, P) - S), 1e-5) << c.T;
    // ds/dp ≈ −R/p: the entropy tolerance is a relative pressure error of about 2e-5.
    EXPECT_NEAR(P, c.P, 1e-4 * c.P) << c.T;
    EXPECT_EQ(V, Region2V(c.T, P));
    EXPECT_EQ(I, Region2I(c.T, P));
  }
}

// --- Region-2 isochore start values ----------------------------------------------------

TEST(StartValues2, OutsideTheDomainGiveZero) {
  ClearScratch();
  ASSERT_EQ(ClassifyVS(0.05, 7.0), kRegionSteam);  // leaves a full scratch
  const double cases[][2] = {{0.003, 7.0}, {210.0, 7.0}, {0.05, -0.1}, {0.05, 9.2}};
  for (const auto& c : cases) {
    EXPECT_EQ(StartTemperature2FromVS(c[0], c[1]), 0.0) << c[0] << " " << c[1];
    EXPECT_EQ(StartPressure2FromVS(c[0], c[1]), 0.0) << c[0] << " " << c[1];
  }
  const double casesI[][2] = {{0.003, 3000.0}, {210.0, 3000.0}, {0.05, -1.0}, {0.05, 4161.0}};
  for (const auto& c : casesI) {
    EXPECT_EQ(StartTemperature2FromVI(c[0], c[1]), 0.0) << c[0] << " " << c[1];
    EXPECT_EQ(StartPressure2FromVI(c[0], c[1]), 0.0) << c[0] << " " << c[1];
  }
}

TEST(StartValues2, WithoutThe800CPointThe100MPaPointIsTheUpperEnd) {
  // V below VB100: the isochore ends at 100 MPa below 800 °C; the classifier leaves
  // s800C at 0 and the start interpolation runs from the dew point (with the B23
  // point for the pressure) to (s100MPa, T100MPa, 100 MPa).
  const double V = Region2V(680, 95);
  ASSERT_LT(V, limits::kVB100);
  ClearScratch();
  ASSERT_EQ(ClassifyVS(V, Region2S(680, 95)), kRegionSteam);
  const SolverScratch s = gScratch;
  ASSERT_EQ(s.s800C, 0.0);
  ASSERT_GT(s.s100MPa, 0.0);
  EXPECT_NEAR(StartTemperature2FromVS(V, s.s100MPa), s.T100MPa, 1e-9);
  EXPECT_NEAR(StartPressure2FromVS(V, s.s100MPa), 100.0, 1e-9);
  EXPECT_NEAR(StartTemperature2FromVS(V, s.sVap), s.Ts, 1e-9);
  // Below VB350 the B23 point has the larger entropy and is the pressure's lower end.
  ASSERT_GT(s.sB23, s.sVap);
  EXPECT_NEAR(StartPressure2FromVS(V, s.sB23), s.pB23, 1e-9);
  // Halfway in entropy lies halfway in temperature.
  const double mid = 0.5 * (s.sVap + s.s100MPa);
  EXPECT_NEAR(StartTemperature2FromVS(V, mid), 0.5 * (s.Ts + s.T100MPa), 1e-9);
}

TEST(StartValues2, The800CPointIsTheUpperEndOfLargeVolumes) {
  const double V = Region2V(600, 1);
  ClearScratch();
  ASSERT_EQ(ClassifyVI(V, Region2I(600, 1)), kRegionSteam);
  const SolverScratch s = gScratch;
  ASSERT_GT(s.h800C, s.h100MPa);
  EXPECT_EQ(s.hB23, 0.0);  // V above VB350: no B23 point; the pressure starts at the dew point
  EXPECT_NEAR(StartTemperature2FromVI(V, s.h800C), 800.0, 1e-9);
  EXPECT_NEAR(StartPressure2FromVI(V, s.h800C), s.p800C, 1e-12);
  EXPECT_NEAR(StartTemperature2FromVI(V, s.hVap), s.Ts, 1e-9);
  EXPECT_NEAR(StartPressure2FromVI(V, s.hVap), s.ps, 1e-12);
}

// --- Region-2 isochore inversions ------------------------------------------------------

struct TP {
  double T, P;
};
// Region-2 states away from its boundaries, across the range of volumes.
const TP kSteamStates[] = {
    {20, 0.001}, {120, 0.1}, {250, 1}, {300, 5}, {400, 10}, {450, 20}, {500, 30},
    {600, 0.1}, {650, 50}, {680, 95}, {780, 60}, {790, 0.5}, {200, 0.01},
};

// The Newton iteration stops when the relative deviations fall below 1e-6 times the
// targets; with quadratic convergence it ends far closer than that test demands. The
// remaining temperature error grows with the volume (about 0.02 K at 0.01 MPa).
constexpr double kIsochoreTemperatureError = 0.03;  // K

TEST(State2FromVS, ReturnsTheState) {
  for (const TP c : kSteamStates) {
    const double V = Region2V(c.T, c.P), S = Region2S(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyVS(V, S), kRegionSteam) << c.T << " " << c.P;
    double T = 0, P = 0, v = V, s = S, I = 0;
    EvaluateRegion2(kPairVS, false, false, true, T, P, v, s, I);
    EXPECT_NEAR(T, c.T, kIsochoreTemperatureError) << c.T << " " << c.P;
    EXPECT_NEAR(P, c.P, 1e-4 * c.P) << c.T << " " << c.P;
    EXPECT_LT(std::fabs(Region2V(T, P) / V - 1), 1e-6 * V) << c.T << " " << c.P;
    EXPECT_LT(std::fabs(Region2S(T, P) / S - 1), 1e-6 * S) << c.T << " " << c.P;
    EXPECT_EQ(I, Region2I(T, P));
    EXPECT_EQ(v, V);
    EXPECT_EQ(s, S);
  }
}

TEST(State2FromVI, ReturnsTheState) {
  for (const TP c : kSteamStates) {
    const double V = Region2V(c.T, c.P), H = Region2I(c.T, c.P);
    ClearScratch();
    ASSERT_EQ(ClassifyVI(V, H), kRegionSteam) << c.T << " " << c.P;
    double T = 0, P = 0, v = V, S = 0, I = H;
    EvaluateRegion2(kPairVI, false, true, false, T, P, v, S, I);
    EXPECT_NEAR(T, c.T, kIsochoreTemperatureError) << c.T << " " << c.P;
    EXPECT_NEAR(P, c.P, 1e-4 * c.P) << c.T << " " << c.P;
    EXPECT_LT(std::fabs(Region2V(T, P) / V - 1), 1e-6 * V) << c.T << " " << c.P;
    EXPECT_LT(std::fabs(Region2I(T, P) / H - 1), 1e-6 * H) << c.T << " " << c.P;
    EXPECT_EQ(S, Region2S(T, P));
  }
}

// --- Through SolveState ------------------------------------------------------------------

struct Solved {
  double T, P, V, S, I, X;
  PropertyRegion region;
};

Solved Solve(std::int32_t pair, double v1, double v2) {
  const int a = pair / 10, b = pair % 10;
  auto need = [&](int k) { return k != a && k != b; };
  Solved r{};
  SolveState(pair, need(kP), need(kV), v1, v2, need(kS), need(kI), false, r.T, r.P, r.V, r.S, r.I, r.X, r.region);
  return r;
}

TEST(SolveStateRegion12, CompressedWaterFromEveryPair) {
  const double T0 = 120, P0 = 20;
  const double V0 = Region1V(T0, P0), S0 = Region1S(T0, P0), I0 = Region1I(T0, P0);
  const Solved tp = Solve(kPairTP, T0, P0);
  EXPECT_EQ(tp.region, kRegionWater);
  EXPECT_EQ(tp.V, V0);
  EXPECT_EQ(tp.X, 0.0);
  const Solved ts = Solve(kPairTS, T0, S0);
  EXPECT_EQ(ts.region, kRegionWater);
  EXPECT_NEAR(ts.P, P0, 1e-3);
  EXPECT_NEAR(ts.I, I0, 1e-3);
  const Solved ps = Solve(kPairPS, P0, S0);
  EXPECT_EQ(ps.region, kRegionWater);
  EXPECT_NEAR(ps.T, T0, 0.025);
  const Solved pi = Solve(kPairPI, P0, I0);
  EXPECT_EQ(pi.region, kRegionWater);
  EXPECT_NEAR(pi.T, T0, 0.025);
  EXPECT_NEAR(pi.V, V0, 1e-7);
  // (T, V) does not take compressed water.
  EXPECT_EQ(Solve(kPairTV, T0, V0).region, kRegionInputRange);
}

TEST(SolveStateRegion12, SuperheatedSteamFromEveryPair) {
  const double T0 = 420, P0 = 12;
  const double V0 = Region2V(T0, P0), S0 = Region2S(T0, P0), I0 = Region2I(T0, P0);
  const Solved results[] = {Solve(kPairTV, T0, V0), Solve(kPairTS, T0, S0), Solve(kPairPS, P0, S0),
                            Solve(kPairPI, P0, I0), Solve(kPairVS, V0, S0), Solve(kPairVI, V0, I0)};
  for (const Solved& r : results) {
    EXPECT_EQ(r.region, kRegionSteam);
    EXPECT_EQ(r.X, 1.0);
    EXPECT_NEAR(r.T, T0, 0.025);
    EXPECT_NEAR(r.P, P0, 1e-2);
    EXPECT_NEAR(r.V, V0, 1e-3 * V0);
    EXPECT_NEAR(r.S, S0, 1e-4);
    EXPECT_NEAR(r.I, I0, 0.1);
  }
}

}  // namespace
}  // namespace if97
