// The numerical routines against cases worked out by hand (tests/numerics/data): the stepping searches, the
// refinement, the Newton searches, GaussSolve and Newton2D, with their evaluation counts, pass limits and NaN guards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "numerics/newton.h"
#include "numerics/roots.h"
#include "tests/common/csvtable.h"

namespace numerics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Row = testdata::Row<>;
std::vector<Row> Table(const std::string& name) {
  return testdata::ReadCsv(std::string(IF97_NUMERICS_DATA) + "/" + name);
}

bool Same(double a, double b, double tolerance = 0) { return std::fabs(a - b) <= tolerance || (a != a && b != b); }

const std::map<std::string, double (*)(double)> kFunctions = {
    {"x", [](double x) { return x; }},          {"-x", [](double x) { return -x; }},
    {"2x+1", [](double x) { return 2 * x + 1; }}, {"7", [](double) { return 7.0; }},
    {"x^2", [](double x) { return x * x; }},     {"x^3", [](double x) { return x * x * x; }},
    {"(x-5)^2", [](double x) { return (x - 5) * (x - 5); }},
    {"x below 11 else 0", [](double x) { return x <= 11 ? x : 0; }},
    {"atan(x)", [](double x) { return std::atan(x); }}, {"ln(x)", [](double x) { return std::log(x); }},
};

TEST(Helpers, SignOfValueToleranceAndFunctionRef) {
  EXPECT_EQ(SignOf(0.0) + SignOf(-0.0) + SignOf(2.5), 3);
  EXPECT_EQ(SignOf(-1e-300) + SignOf(kNaN), -2);
  // Y·Percent/100 or Floor, whichever is larger; a negative Y gives Floor.
  const double rows[][4] = {{0.001, 0.05, 0, 5e-7}, {-5, 1, 0.25, 0.25}, {1000, 1e-3, 1e-3, 1e-2}, {1, 1e-3, 1e-3, 1e-3}};
  for (const auto& r : rows) EXPECT_DOUBLE_EQ(ValueTolerance(r[0], r[1], r[2]), r[3]) << r[0];
  // Functions, pointers, const objects and lambdas; the lambda itself is called, not a copy.
  struct Offset {
    double by;
    double operator()(double x) const { return x + by; }
  };
  const Offset constObject{2};
  int count = 0;
  auto mutableLambda = [count](double x) mutable { return x * ++count; };
  const TargetFunction refs[] = {kFunctions.at("x"), kFunctions.at("-x"), constObject, mutableLambda};
  const double expected[] = {-3, 3, -1, -3};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(refs[i](-3), expected[i]) << i;
  EXPECT_EQ(mutableLambda(3), 6);
}

TEST(StepBracket, WalksByTheRules) {
  for (const Row& r : Table("step-bracket.csv")) {
    SCOPED_TRACE(r["case"]);
    const auto fn = kFunctions.at(r["function"]);
    int calls = 0;
    const auto f = [&](double x, double a) { return ++calls, fn(x) + a; };
    Pair X{-1, -1}, F{-1, -1};
    const double a = r("a");
    if (r["routine"] == "StepBracket") {
      StepBracket({r("lo"), r("hi")}, X, F, [&](double x) { return f(x, 0); }, r("direction"), r("step_percent"),
                  r("x0"), r("target"));
    } else if (r["routine"] == "StepBracketA") {
      StepBracketA({r("lo"), r("hi")}, X, F, f, a, r("direction"), r("step_percent"), r("x0"), r("target"));
    } else {
      StepBracketOpenA(X, F, f, a, r("direction"), r("step_percent"), r("x0"), r("target"));
    }
    EXPECT_TRUE(Same(X[0], r("x1"), r("x_tolerance"))) << X[0];
    EXPECT_TRUE(Same(X[1], r("x2"), r("x_tolerance"))) << X[1];
    EXPECT_TRUE(Same(F[0], fn(X[0]) + a) && Same(F[1], fn(X[1]) + a)) << F[0] << " " << F[1];
    EXPECT_EQ(calls, r("calls"));
  }
}

TEST(RefineRoot, FollowsTheRules) {
  for (const Row& r : Table("refine-root.csv")) {
    SCOPED_TRACE(r["case"]);
    const auto fn = kFunctions.at(r["function"]);
    int calls = 0;
    const auto f = [&](double x, double a) { return ++calls, fn(x) - a; };
    const double a = r("a");
    const Pair X{r("x1"), r("x2")}, F{fn(X[0]) - a, fn(X[1]) - a};
    const double root = r["routine"] == "RefineRoot"
                            ? RefineRoot(X, F, [&](double x) { return f(x, a); }, r("target"), r("tolerance"))
                            : RefineRootA(X, F, f, a, r("target"), r("tolerance"));
    EXPECT_NEAR(root, r("root"), r("max_error"));
    EXPECT_GE(calls, r("min_calls"));
    EXPECT_LE(calls, r("max_calls"));
  }
  // NaN target or value: the midpoint, without (or after the one) evaluation.
  int calls = 0;
  EXPECT_EQ(RefineRoot({1, 3}, {1, 3}, [&](double x) { return ++calls, x; }, kNaN, 1e-9), 2);
  EXPECT_EQ(RefineRoot({1, 3}, {kNaN, 3}, [&](double x) { return ++calls, x; }, 2, 1e-9), 2);
  EXPECT_EQ(RefineRoot({1, 3}, {1, 3}, [&](double) { return ++calls, kNaN; }, 2.5, 1e-9), 2);
  EXPECT_EQ(calls, 1);
}

// Newton inside an enclosing pair ends on the root, also with an infinite slope there (cube root) or a slope ten
// times too large, within the pass budget; equal points give that point, a NaN target or a met tolerance the midpoint.
TEST(PolishRootA, EndsOnTheRootOfEveryEnclosingPair) {
  using F = double (*)(double, double&);
  const std::tuple<F, double, double, double> cases[] = {
      {[](double x, double& d) { return d = 3 * x * x - 2, x * x * x - 2 * x - 5; }, 2, 3, 2.0945514815423265},
      {[](double x, double& d) { return d = std::exp(x), std::exp(x) - 10; }, 0, 5, std::log(10.0)},
      {[](double x, double& d) { return d = 1 / (3 * std::cbrt(x * x)), std::cbrt(x); }, -1, 2, 0},
      {[](double x, double& d) { return d = 20 * x, x * x - 2; }, 0, 2, std::sqrt(2.0)}};
  for (const auto& [g, lo, hi, root] : cases) {
    int calls = 0;
    double d = 0, step = 0;
    const auto f = [&, g = g](double x, double, double& slope) { return ++calls, g(x, slope); };
    EXPECT_NEAR(PolishRootA({hi, lo}, {g(hi, d), g(lo, d)}, f, 0, 0, 1e-12, step), root, 1e-9 * (1 + std::fabs(root)));
    EXPECT_LE(calls, 2 * kRefinePassLimit) << root;
  }
  const auto line = [](double x, double, double& slope) { return slope = 2, 2 * x - 1; };
  double step = 1;
  EXPECT_EQ(PolishRootA({3, 3}, {5, 5}, line, 0, 0, 1e-9, step), 3);
  EXPECT_TRUE(PolishRootA({0, 1}, {-1, 1}, line, 0, kNaN, 1e-9, step) == 0.5 && step == 0);
  EXPECT_TRUE(PolishRootA({0, 1}, {-1, 1}, line, 0, 0, 1e-9, step) == 0.5 && step == 0);
}

// Newton without a pair on x³ − 2x − 5 from x0 in [lo, hi]: it converges from near the root, and gives up when a
// step leaves the interval, the start lies outside, the slope is nearly 0, or a value is NaN (refused above 2.05).
TEST(NewtonRootA, ConvergesOrGivesUp) {
  const double rows[][5] = {{2, 0, 3, 1, 9},  {0, -1, 3, 0, 9}, {4, 0, 3, 0, 9}, {std::sqrt(2.0 / 3), -2, 2, 0, 9},
                            {2, 0, 3, 0, 2.05}};
  for (const auto& r : rows) {
    const auto f = [&r](double x, double, double& d) { return d = 3 * x * x - 2, x > r[4] ? kNaN : x * x * x - 2 * x - 5; };
    double root = 0, step = 0;
    EXPECT_EQ(NewtonRootA(f, 0, r[0], r[1], r[2], 0, 1e-10, root, step), r[3] == 1) << r[0];
    EXPECT_TRUE(r[3] == 0 || std::fabs(root + step - 2.0945514815423265) < 1e-12) << root + step;
  }
}

TEST(GaussSolve, SolvesOrReportsSingular) {
  for (const Row& r : Table("gauss-solve.csv")) {
    SCOPED_TRACE(r["case"]);
    const int n = static_cast<int>(r("n"));
    const std::vector<double> entries = r.List("matrix"), solution = r.List("solution");
    GaussMatrix A;
    for (std::size_t k = 0; k < entries.size(); ++k) A.a[k / (n + 1)][k % (n + 1)] = entries[k];
    bool singular = false;
    GaussSolve(A, n, singular);
    EXPECT_EQ(singular, solution.empty());
    for (int i = 1; i <= static_cast<int>(solution.size()); ++i) EXPECT_NEAR(A(i, n + 1), solution[i - 1], 1e-12);
  }
}

using PairFn = void (*)(double, double, double&, double&);
const std::map<std::string, PairFn> kPairFunctions = {
    {"u+w;u-2w", [](double u, double w, double& r1, double& r2) { r1 = u + w, r2 = u - 2 * w; }},
    {"u+w;u-w", [](double u, double w, double& r1, double& r2) { r1 = u + w, r2 = u - w; }},
    {"uw;u+w^2", [](double u, double w, double& r1, double& r2) { r1 = u * w, r2 = u + w * w; }},
    {"u^2;w", [](double u, double w, double& r1, double& r2) { r1 = u * u, r2 = w; }},
    {"u^2+1;w", [](double u, double w, double& r1, double& r2) { r1 = u * u + 1, r2 = w; }},
    {"u+w;u+w", [](double u, double w, double& r1, double& r2) { r1 = r2 = u + w; }},
    {"sqrt(u);w", [](double u, double w, double& r1, double& r2) { r1 = std::sqrt(u), r2 = w; }},
};

struct Call { double u, w, r1, r2; };

std::vector<Call> Solve(PairFn fn, double& U, double& W, double u0, double w0, double percent, double t1, double t2) {
  std::vector<Call> calls;
  Newton2D([&](double u, double w, double& r1, double& r2) { fn(u, w, r1, r2), calls.push_back({u, w, r1, r2}); }, U,
           W, u0, w0, percent, t1, t2);
  return calls;
}

TEST(Newton2D, ConvergesOrEndsByAGuard) {
  for (const Row& r : Table("newton2d.csv")) {
    SCOPED_TRACE(r["case"]);
    double U = -7, W = -7;
    const std::vector<Call> calls =
        Solve(kPairFunctions.at(r["function"]), U, W, r("u0"), r("w0"), r("percent"), r("target1"), r("target2"));
    EXPECT_GE(calls.size(), r("min_calls"));
    EXPECT_LE(calls.size(), r("max_calls"));
    EXPECT_TRUE(r["u"].empty() || (Same(U, r("u"), r("max_error")) && Same(W, r("w"), r("max_error")))) << U << " " << W;
    if (calls.empty()) continue;
    // The result is an evaluated point, and none of the points a pass starts or ends
    // with deviates less (the larger relative deviation; absolute for a target of 0).
    const auto dev = [&](const Call& c) {
      const auto d = [](double v, double t) { return t != 0 ? std::fabs(v / t - 1) : std::fabs(v); };
      return std::isnan(c.r1 + c.r2) ? kNaN : std::fmax(d(c.r1, r("target1")), d(c.r2, r("target2")));
    };
    const auto result = std::find_if(calls.begin(), calls.end(), [&](const Call& c) { return c.u == U && c.w == W; });
    ASSERT_NE(result, calls.end());
    for (std::size_t i = 0; i < calls.size(); i += (i % 4 == 0 ? 3 : 1))
      EXPECT_FALSE(dev(calls[i]) < dev(*result)) << "call " << i;
  }
}

// The first trial points lie one difference step 2·Percent/100·start from the start (a negative start steps down,
// a start of 0 steps by 2·Percent/100); later ones one step from the new point along the last Newton step.
TEST(Newton2D, TrialPoints) {
  const double rows[][4] = {{10, 20, 10.2, 20.4}, {-10, 20, -10.2, 20.4}, {0, 0, 0.02, 0.02}};
  for (const auto& r : rows) {
    double U = 0, W = 0;
    const std::vector<Call> c = Solve(kPairFunctions.at("u+w;u-2w"), U, W, r[0], r[1], 1, 4, 1);
    ASSERT_GE(c.size(), 3u);
    EXPECT_TRUE(c[0].u == r[0] && c[0].w == r[1] && c[1].w == r[1] && c[2].u == r[0]) << r[0];
    EXPECT_DOUBLE_EQ(c[1].u, r[2]);
    EXPECT_DOUBLE_EQ(c[2].w, r[3]);
  }
  // From (3, 4) towards (6, 11) the first step is about (-24/29, -26/29): the next trial points lie below.
  double U = 0, W = 0;
  const std::vector<Call> c = Solve(kPairFunctions.at("uw;u+w^2"), U, W, 3, 4, 1e-6, 6, 11);
  ASSERT_GE(c.size(), 8u);
  EXPECT_NEAR(c[3].u - 3, -24.0 / 29, 1e-4);
  EXPECT_NEAR(c[3].w - 4, -26.0 / 29, 1e-4);
  EXPECT_TRUE(c[4].u == c[3].u && c[4].w == c[3].w);
  EXPECT_DOUBLE_EQ(c[5].u, c[3].u - 6e-8);
  EXPECT_DOUBLE_EQ(c[6].w, c[3].w - 8e-8);
}

}  // namespace
}  // namespace numerics
