// Backward equations T(p,h) and T(p,s) of regions 1 and 2: the standard's
// verification values, the sub-region choice at its boundaries, and round trips
// against the forward equations over the regions, within the accuracy the
// standard claims for the backward equations (25 mK in region 1 and sub-region 2c,
// 10 mK in sub-regions 2a and 2b).
#include "props/backward.h"

#include "testing.h"

namespace if97 {
namespace {

using namespace test;
using Backward = double (*)(double, double);

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
    ExpectDigits(row.f(row.P, row.second), row.expected, row.name, row.P, row.second);
  }
  // The 2b/2c boundary passes through p = 100 MPa at h = 3516.004323 kJ/kg.
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

// The round-trip grids are bounded by the saturation line (up to 350 °C) and the
// B23 line, both verified in the tests of the saturation lines.
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
    const double ps = SatPressure(T);
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
      const bool belowLine = P <= 16.529 ? P > SatPressure(std::fmin(T, 350.0)) : T < B23Temperature(P);
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
