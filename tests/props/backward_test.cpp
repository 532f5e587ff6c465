// Backward equations T(p,h) and T(p,s) of regions 1 and 2: the standard's
// verification values, the sub-region choice at its boundaries, and round trips
// against the forward equations over the regions, within the accuracy the
// standard claims for the backward equations (25 mK in region 1 and sub-region 2c,
// 10 mK in sub-regions 2a and 2b).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "props/backward.h"
#include "props/forward.h"

namespace if97 {
namespace {

using Backward = double (*)(double, double);

double HalfLastDigit(const char* text) {
  const char* dot = std::strchr(text, '.');
  const int decimals = dot ? static_cast<int>(std::strlen(dot + 1)) : 0;
  return 0.5 * std::pow(10.0, -decimals);
}

struct VerificationRow {
  const char* name;
  Backward f;
  double P, second;      // MPa; kJ/kg or kJ/(kg K)
  const char* expected;  // °C, to the digits the standard gives (its kelvins − 273.15)
};

const VerificationRow kVerification[] = {
    {"Temperature1FromPI", Temperature1FromPI, 3, 500, "118.648509"},
    {"Temperature1FromPI", Temperature1FromPI, 80, 500, "104.958626"},
    {"Temperature1FromPI", Temperature1FromPI, 80, 1500, "337.891229"},
    {"Temperature1FromPS", Temperature1FromPS, 3, 0.5, "34.692258"},
    {"Temperature1FromPS", Temperature1FromPS, 80, 0.5, "36.829785"},
    {"Temperature1FromPS", Temperature1FromPS, 80, 3, "292.749909"},
    // sub-region 2a, 2b, 2c
    {"Temperature2FromPI", Temperature2FromPI, 0.001, 3000, "261.283241"},
    {"Temperature2FromPI", Temperature2FromPI, 3, 3000, "302.223370"},
    {"Temperature2FromPI", Temperature2FromPI, 3, 4000, "737.62577"},
    {"Temperature2FromPI", Temperature2FromPI, 5, 3500, "528.149102"},
    {"Temperature2FromPI", Temperature2FromPI, 5, 4000, "742.16583"},
    {"Temperature2FromPI", Temperature2FromPI, 25, 3500, "602.129054"},
    {"Temperature2FromPI", Temperature2FromPI, 40, 2700, "469.906411"},
    {"Temperature2FromPI", Temperature2FromPI, 60, 2700, "517.987067"},
    {"Temperature2FromPI", Temperature2FromPI, 60, 3200, "609.606860"},
    {"Temperature2FromPS", Temperature2FromPS, 0.1, 7.5, "126.367097"},
    {"Temperature2FromPS", Temperature2FromPS, 0.1, 8, "240.977081"},
    {"Temperature2FromPS", Temperature2FromPS, 2.5, 8, "766.69917"},
    {"Temperature2FromPS", Temperature2FromPS, 8, 6, "327.33404"},
    {"Temperature2FromPS", Temperature2FromPS, 8, 7.5, "791.80556"},
    {"Temperature2FromPS", Temperature2FromPS, 90, 6, "764.86126"},
    {"Temperature2FromPS", Temperature2FromPS, 20, 5.75, "424.842849"},
    {"Temperature2FromPS", Temperature2FromPS, 80, 5.25, "580.861484"},
    {"Temperature2FromPS", Temperature2FromPS, 80, 5.75, "675.867998"},
};

TEST(BackwardEquations, VerificationValuesToTheDigitsGiven) {
  for (const auto& row : kVerification) {
    const double expected = std::strtod(row.expected, nullptr);
    EXPECT_NEAR(row.f(row.P, row.second), expected, HalfLastDigit(row.expected))
        << row.name << "(" << row.P << ", " << row.second << ") should be " << row.expected;
  }
}

// The 2b/2c boundary passes through p = 100 MPa at h = 3516.004323 kJ/kg.
TEST(BackwardEquations, B2bcBoundaryVerificationPoint) {
  EXPECT_NEAR(B2bcPressure(3516.004323), 100.0, 1e-6);
}

// The sub-region is decided by p < 4 MPa (2a), else by the 2b/2c test. At the
// boundary itself the upper sub-region must be used: the result equals the limit
// from that side and differs from the limit from the other side (the backward
// equations of neighbouring sub-regions agree only to a few millikelvin). At
// 4 MPa the 2c side lies below the saturation line: there it is extrapolated.
struct BoundaryCase {
  const char* what;
  Backward f;
  double P, second;            // the point on the boundary
  double Pside, secondSide;    // a close neighbour in the sub-region that must be used
  double Pother, secondOther;  // a close neighbour in the sub-region that must not
};

double Down(double x) { return std::nextafter(x, -std::numeric_limits<double>::infinity()); }
double Up(double x) { return std::nextafter(x, std::numeric_limits<double>::infinity()); }

TEST(BackwardEquations, BoundariesBelongToTheUpperSubRegion) {
  const double pbc = B2bcPressure(3000.0);  // about 19.98 MPa; p_bc rises with h here
  const BoundaryCase cases[] = {
      {"T(p,h) at p = 4 MPa uses 2b", Temperature2FromPI, 4.0, 3200, Up(4.0), 3200, Down(4.0), 3200},
      {"T(p,h) at p = 4 MPa uses 2c", Temperature2FromPI, 4.0, 2000, Up(4.0), 2000, Down(4.0), 2000},
      {"T(p,s) at p = 4 MPa uses 2b", Temperature2FromPS, 4.0, 7.0, Up(4.0), 7.0, Down(4.0), 7.0},
      {"T(p,s) at p = 4 MPa uses 2c", Temperature2FromPS, 4.0, 5.5, Up(4.0), 5.5, Down(4.0), 5.5},
      {"T(p,s) at s = 5.85 uses 2c", Temperature2FromPS, 20.0, 5.85, 20.0, Down(5.85), 20.0, Up(5.85)},
      {"T(p,h) at p = p_bc(h) uses 2c", Temperature2FromPI, pbc, 3000, pbc, 3000 - 1e-6, pbc, 3000 + 1e-6},
  };
  for (const auto& c : cases) {
    const double atBoundary = c.f(c.P, c.second);
    EXPECT_NEAR(atBoundary, c.f(c.Pside, c.secondSide), 1e-6) << c.what;
    EXPECT_GT(std::fabs(atBoundary - c.f(c.Pother, c.secondOther)), 1e-5) << c.what << " (sides indistinguishable)";
  }
}

// Region bounds for the round-trip grids, from the standard's saturation and B23
// lines. Saturation pressure of water, by its own equation (the standard's
// Eq. 30 with the coefficients of its Table 34), T in °C, result in MPa.
double SaturationPressure(double T) {
  const double n[] = {0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2,
                      0.12020824702470e5,  -0.32325550322333e7, 0.14915108613530e2,
                      -0.48232657361591e4, 0.40511340542057e6,  -0.23855557567849,
                      0.65017534844798e3};
  const double tk = T + 273.15;
  const double th = tk + n[8] / (tk - n[9]);
  const double A = th * th + n[0] * th + n[1];
  const double B = n[2] * th * th + n[3] * th + n[4];
  const double C = n[5] * th * th + n[6] * th + n[7];
  const double x = 2 * C / (-B + std::sqrt(B * B - 4 * A * C));
  return x * x * x * x;
}

// Temperature [°C] of the region 2/3 boundary B23 at p [MPa] (the standard's Eq. 6).
double B23Temperature(double P) {
  return 0.57254459862746e3 + std::sqrt((P - 0.13918839778870e2) / 0.10192970039326e-2) - 273.15;
}

struct Worst {
  double error = 0, T = 0, P = 0;
  void Note(double e, double t, double p) {
    if (std::isnan(error)) return;  // a NaN stays the worst
    if (!(std::fabs(e) <= std::fabs(error))) error = e, T = t, P = p;
  }
};

// Region 1: 0 … 350 °C, from the saturation pressure up to 100 MPa.
template <typename Visit>
void ForRegion1Grid(Visit visit) {
  for (double T = 0.0; T <= 350.0; T += 2.5) {
    const double ps = SaturationPressure(T);
    for (int k = 0; k <= 60; ++k) {
      const double P = ps * std::pow(100.0 / ps, k / 60.0);
      visit(T, P);
    }
  }
}

// Region 2: from the saturation temperature (up to 350 °C) or the B23 line up to
// 800 °C, 0.000611 … 100 MPa.
template <typename Visit>
void ForRegion2Grid(Visit visit) {
  for (int k = 0; k <= 80; ++k) {
    const double P = 0.000611213 * std::pow(100.0 / 0.000611213, k / 80.0);
    for (double T = 0.0; T <= 800.0; T += 2.5) {
      const bool belowLine = P <= 16.529 ? P > SaturationPressure(std::fmin(T, 350.0)) : T < B23Temperature(P);
      if (!belowLine) visit(T, P);
    }
  }
}

TEST(BackwardEquations, Region1RoundTripWithinTwentyFiveMillikelvin) {
  Worst byH, byS;
  int points = 0;
  ForRegion1Grid([&](double T, double P) {
    byH.Note(Temperature1FromPI(P, Region1I(T, P)) - T, T, P);
    byS.Note(Temperature1FromPS(P, Region1S(T, P)) - T, T, P);
    ++points;
  });
  EXPECT_GT(points, 5000);
  EXPECT_LE(std::fabs(byH.error), 0.025) << "T(p,h) worst at T=" << byH.T << " P=" << byH.P << ": " << byH.error;
  EXPECT_LE(std::fabs(byS.error), 0.025) << "T(p,s) worst at T=" << byS.T << " P=" << byS.P << ": " << byS.error;
}

// The standard's permissible inconsistency is 10 mK in sub-regions 2a and 2b
// and 25 mK in 2c, next to the critical region.
TEST(BackwardEquations, Region2RoundTripWithinTheSubRegionAccuracy) {
  const double tolerance[3] = {0.010, 0.010, 0.025};
  Worst byH[3], byS[3];
  int points = 0;
  ForRegion2Grid([&](double T, double P) {
    const double h = Region2I(T, P), s = Region2S(T, P);
    const int subH = P < 4.0 ? 0 : (P >= B2bcPressure(h) ? 2 : 1);
    const int subS = P < 4.0 ? 0 : (s <= 5.85 ? 2 : 1);
    byH[subH].Note(Temperature2FromPI(P, h) - T, T, P);
    byS[subS].Note(Temperature2FromPS(P, s) - T, T, P);
    ++points;
  });
  EXPECT_GT(points, 10000);
  for (int k = 0; k < 3; ++k) {
    const char sub = static_cast<char>('a' + k);
    EXPECT_LE(std::fabs(byH[k].error), tolerance[k])
        << "T(p,h) in 2" << sub << ", worst at T=" << byH[k].T << " P=" << byH[k].P << ": " << byH[k].error;
    EXPECT_LE(std::fabs(byS[k].error), tolerance[k])
        << "T(p,s) in 2" << sub << ", worst at T=" << byS[k].T << " P=" << byS[k].P << ": " << byS[k].error;
  }
}

// States of an independent implementation (T, P, S, I consistent to its full
// precision): the backward equations give their T within the same accuracy.
struct IndependentState {
  int region;
  double T, P, S, I;
};

const IndependentState kIndependent[] = {
    {1, 41.9772404276033, 0.9451779667920934, 0.5983533412013108, 176.6300138577058},
    {1, 177.06701319393642, 51.90902633116239, 2.0497486461714733, 778.9373171974055},
    {1, 36.30707657439417, 0.05483054373353474, 0.5228389846119538, 152.1512796979224},
    {1, 207.75454442046978, 17.209008875741645, 2.3789723750820917, 893.44856964452},
    {1, 270.4804435742175, 27.489880266466383, 2.9222309491216443, 1183.9122331955177},
    {1, 252.30541338876608, 47.939703405530196, 2.7243363226345942, 1103.1348997503426},
    {1, 83.53732330256689, 5.5821471229534785, 1.113471211282061, 354.15849552051515},
    {1, 39.093370995004705, 17.35298954842958, 0.5536808527768391, 179.0917972093472},
    {1, 73.31728345634627, 0.2734107118856177, 0.9951473852682343, 307.1114873482381},
    {2, 779.0504043782792, 42.55155315238186, 6.566629304047396, 3900.1480064855273},
    {2, 640.2779054702634, 98.59413446372282, 5.394599846450724, 3072.2680006543765},
    {2, 271.2732902407198, 0.09825206438996818, 8.122239551442412, 3016.9951973010825},
    {2, 232.94476831224512, 0.029691102936653564, 8.532947103064135, 2943.2057929024722},
    {2, 696.9209991244022, 2.8826057464418393, 7.770645322763542, 3905.9012672801955},
    {2, 466.05994615132005, 0.15774843961882604, 8.529672105683753, 3415.9479862653807},
    {2, 93.4596672490387, 0.007195685121859547, 8.567791995001192, 2675.346349953106},
    {2, 596.6165515348557, 0.8340481455547396, 8.107209178039918, 3692.343065272894},
};

TEST(BackwardEquations, AgreeWithIndependentStates) {
  for (const auto& st : kIndependent) {
    const double tol = st.region == 1 || st.P >= 4.0 ? 0.025 : 0.010;
    const Backward byH = st.region == 1 ? Temperature1FromPI : Temperature2FromPI;
    const Backward byS = st.region == 1 ? Temperature1FromPS : Temperature2FromPS;
    EXPECT_NEAR(byH(st.P, st.I), st.T, tol) << "T(p,h), region " << st.region << " P=" << st.P << " I=" << st.I;
    EXPECT_NEAR(byS(st.P, st.S), st.T, tol) << "T(p,s), region " << st.region << " P=" << st.P << " S=" << st.S;
  }
}

// No range test: a NaN passes through, and out-of-region arguments (p = 0,
// entropies and enthalpies beyond the region) are extrapolated without a crash.
TEST(BackwardEquations, NaNPassesThrough) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (Backward f : {Temperature1FromPI, Temperature1FromPS, Temperature2FromPI, Temperature2FromPS}) {
    EXPECT_TRUE(std::isnan(f(nan, 1.0)));
    EXPECT_TRUE(std::isnan(f(1.0, nan)));
    EXPECT_TRUE(std::isnan(f(10.0, nan)));
  }
  EXPECT_TRUE(std::isfinite(Temperature1FromPI(0.0, 100.0)));
  EXPECT_TRUE(std::isfinite(Temperature2FromPI(0.0, 2600.0)));
  EXPECT_TRUE(std::isfinite(Temperature1FromPS(150.0, -1.0)));
}

}  // namespace
}  // namespace if97
