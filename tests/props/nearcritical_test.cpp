// The near-critical and wet-steam inversions: the Newton searches of the numerics,
// the region-3 equation with its derivatives from one evaluation, the volume from
// (T, P), and the states of the searches that used to stall next to the critical
// volume, each checked against the forward equations (solve, then recompute the
// known pair from the result).
#include <functional>
#include <vector>

#include "numerics/roots.h"
#include "props/critwet.h"
#include "props/saturation3.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// --- Newton searches ----------------------------------------------------------------

struct SlopeCase {
  const char* name;
  std::function<double(double, double&)> f;  // value and slope
  double lo, hi;                              // an enclosing pair of the root
  double root;
};

const SlopeCase kSlopeCases[] = {
    {"cubic", [](double x, double& d) { d = 3 * x * x - 2; return x * x * x - 2 * x - 5; }, 2, 3,
     2.0945514815423265},
    {"exponential", [](double x, double& d) { d = std::exp(x); return std::exp(x) - 10; }, 0, 5, std::log(10.0)},
    // Infinite slope at the root: Newton steps there are useless, the pair must still shrink.
    {"cube root", [](double x, double& d) { d = 1 / (3 * std::cbrt(x * x)); return std::cbrt(x); }, -1, 2, 0},
    // A slope that is wrong by a factor of ten: only the pair keeps the search going.
    {"bad slope", [](double x, double& d) { d = 10 * (2 * x); return x * x - 2; }, 0, 2, std::sqrt(2.0)},
};

TEST(PolishRootA, EndsOnTheRootOfEveryEnclosingPair) {
  for (const SlopeCase& c : kSlopeCases) {
    SCOPED_TRACE(c.name);
    int evaluations = 0;
    const auto f = [&c, &evaluations](double x, double, double& slope) {
      ++evaluations;
      return c.f(x, slope);
    };
    double d = 0;
    const double ylo = c.f(c.lo, d), yhi = c.f(c.hi, d);
    double step = 0;
    const double x = numerics::PolishRootA({c.hi, c.lo}, {yhi, ylo}, f, 0, 0, 1e-12, step);
    EXPECT_NEAR(x, c.root, 1e-9 * (1 + std::fabs(c.root)));
    EXPECT_LE(evaluations, 2 * numerics::kRefinePassLimit);
  }
}

TEST(PolishRootA, EdgeCases) {
  const auto line = [](double x, double, double& slope) {
    slope = 2;
    return 2 * x - 1;
  };
  double step = 1;
  EXPECT_EQ(numerics::PolishRootA({3, 3}, {5, 5}, line, 0, 0, 1e-9, step), 3);  // equal points
  EXPECT_EQ(numerics::PolishRootA({0, 1}, {-1, 1}, line, 0, kNaN, 1e-9, step), 0.5);  // NaN target: midpoint
  EXPECT_EQ(step, 0);
  // The tolerance met at the first point: that point and the Newton step from it.
  EXPECT_EQ(numerics::PolishRootA({0, 1}, {-1, 1}, line, 0, 0, 1e-9, step), 0.5);
  EXPECT_EQ(step, 0);
}

TEST(NewtonRootA, ConvergesOrGivesUp) {
  struct Row {
    const char* name;
    double x0, lo, hi;
    bool converges;
  };
  // x³ − 2x − 5: from 2 it converges; from 0 the first step leaves [−1, 3]; from
  // 0.8 (slope near 0) the step is far too long.
  const Row rows[] = {{"near", 2.0, 0, 3, true}, {"leaves", 0.0, -1, 3, false}, {"outside", 4.0, 0, 3, false},
                      {"flat", std::sqrt(2.0 / 3), -2, 2, false}};
  const auto f = [](double x, double, double& slope) {
    slope = 3 * x * x - 2;
    return x * x * x - 2 * x - 5;
  };
  for (const Row& r : rows) {
    double root = 0, step = 0;
    EXPECT_EQ(numerics::NewtonRootA(f, 0, r.x0, r.lo, r.hi, 0, 1e-10, root, step), r.converges) << r.name;
    if (r.converges) {
      EXPECT_NEAR(root + step, 2.0945514815423265, 1e-12) << r.name;
    }
  }
  // A NaN value (a point the caller does not accept) ends the search.
  const auto refuses = [](double x, double, double& slope) {
    slope = 1;
    return x > 0.5 ? kNaN : x - 1;
  };
  double root = 0, step = 0;
  EXPECT_FALSE(numerics::NewtonRootA(refuses, 0, 0, -5, 5, 0, 1e-10, root, step));
}

// --- The region-3 equation with its derivatives -------------------------------------

// Points of region 3 and of the loop inside the dome.
const double kPoints[][2] = {{376.85, 0.002}, {376.85, 0.005}, {476.85, 0.002}, {360, 0.0017}, {360, 0.004},
                             {373.9, 0.0031}, {373.946, 0.0031055}, {400, 0.0045}, {550, 0.0025}, {590, 0.0088}};

TEST(Region3At, AgreesWithTheEquationAndItsDifferences) {
  for (const auto& pt : kPoints) {
    const double T = pt[0], v = pt[1];
    SCOPED_TRACE(::testing::Message() << "T = " << T << ", v = " << v);
    const Region3Point r = Region3At(T, v);
    EXPECT_NEAR(r.p / Pressure3(T, v), 1, 1e-12);  // the same sum, added in another order
    EXPECT_EQ(r.s, Entropy3(T, v));
    EXPECT_EQ(r.h, Enthalpy3(T, v));
    double s = 0, h = 0;
    EntropyEnthalpy3(T, v, s, h);
    EXPECT_EQ(s, Entropy3(T, v));
    EXPECT_EQ(h, Enthalpy3(T, v));
    const double dT = 1e-4, dv = v * 1e-6;
    const auto central = [](double (*f)(double, double), double T1, double v1, double T2, double v2, double step) {
      return (f(T2, v2) - f(T1, v1)) / (2 * step);
    };
    const double rel = 1e-6;
    EXPECT_NEAR(r.dpdv, central(Pressure3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.p / v) + 1e-12);
    EXPECT_NEAR(r.dpdT, central(Pressure3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dpdT) + 1e-9);
    EXPECT_NEAR(r.dsdT, central(Entropy3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dsdT));
    EXPECT_NEAR(r.dsdv, central(Entropy3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.dsdv));
    EXPECT_NEAR(r.dhdT, central(Enthalpy3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dhdT));
    EXPECT_NEAR(r.dhdv, central(Enthalpy3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.h / v));
    double slope = 0;
    EXPECT_EQ(Pressure3WithSlope(T, v, slope), Pressure3(T, v));
    EXPECT_NEAR(slope, r.dpdv, 1e-12 * std::fabs(r.p / v));
    double curvature = 0;
    EXPECT_NEAR(Pressure3Slope(T, v, curvature), slope, 1e-12 * std::fabs(r.p / v));
    double s1 = 0, s2 = 0;
    Pressure3WithSlope(T, v - dv, s1);
    Pressure3WithSlope(T, v + dv, s2);
    EXPECT_NEAR(curvature, (s2 - s1) / (2 * dv), rel * std::fabs(r.p / (v * v)));
  }
}

// --- Volume from (T, P) --------------------------------------------------------------

// The root of Pressure3(T, v) = p on the branch the state lies on, by bisection
// between a volume inside the branch and one beyond the root.
double BranchRoot(double T, double p, double inside, double beyond) {
  double a = inside, b = beyond;
  const bool aboveAtA = Pressure3(T, a) > p;
  for (int k = 0; k < 200; ++k) {
    const double m = (a + b) / 2;
    (Pressure3(T, m) > p) == aboveAtA ? a = m : b = m;
  }
  return (a + b) / 2;
}

TEST(Volume3FromTP, FindsTheRootOfTheStatesBranch) {
  struct Row {
    double T, v;
  };
  // Above Tc; below Tc on the vapour side (p < ps) and the liquid side (p > ps), the
  // last ones next to the saturated volumes, where the loop offers other roots.
  std::vector<Row> rows = {{380, 0.0016}, {380, 0.0031}, {380, 0.0045}, {400, 0.004}, {450, 0.002},
                           {550, 0.0026}, {374, 0.0031}, {589, 0.0017}, {360, 0.0016}, {370, 0.0075}};
  for (double T : {351.0, 365.0, 373.0, 373.9}) {
    const double p = SatPressure(T);
    rows.push_back({T, SatVapourVolume3(T, p) * 1.001});
    rows.push_back({T, SatLiquidVolume3(T, p) * 0.999});
  }
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T = " << r.T << ", v = " << r.v);
    const double p = Pressure3(r.T, r.v);
    const double v = Volume3FromTP(r.T, p);
    EXPECT_NEAR(Pressure3(r.T, v) / p, 1, 5e-10);
    // The same branch: bisection from the state's side of vc, away from any loop.
    const bool vapour = r.v > kCriticalVolume;
    const double far = vapour ? 0.0095 : 0.0012;
    const double expected = BranchRoot(r.T, p, far, r.v + (r.v - far) * 1e-3);
    EXPECT_NEAR(v / expected, 1, 1e-7);
  }
}

}  // namespace
}  // namespace if97
