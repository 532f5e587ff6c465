// Stepping searches and refinement. Expected pairs and evaluation counts are worked
// out by hand from the step rules on functions whose values are exact in binary
// (integer steps on x, -x), so every row states the walk it checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "numerics/roots.h"

namespace numerics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Linear(double x) { return x; }
double Falling(double x) { return -x; }
double Cube(double x) { return x * x * x; }
double Parabola(double x) { return (x - 5) * (x - 5); }
double DropsAbove11(double x) { return x <= 11 ? x : 0; }

TEST(Helpers, SignOfZeroIsPlus) {
  EXPECT_EQ(SignOf(0.0), 1);
  EXPECT_EQ(SignOf(-0.0), 1);
  EXPECT_EQ(SignOf(2.5), 1);
  EXPECT_EQ(SignOf(-1e-300), -1);
  EXPECT_EQ(SignOf(kNaN), -1);
}

TEST(Helpers, ValueTolerance) {
  struct Row {
    double y, percent, floor, expected;
  } rows[] = {
      {0.001, 0.05, 0, 5e-7},     // percentage of the value
      {-0.001, 0.05, 0, 0},       // no absolute value of Y: Floor
      {-5, 1, 0.25, 0.25},        // negative Y returns Floor
      {1000, 1e-3, 1e-3, 1e-2},   // percentage above the floor
      {1, 1e-3, 1e-3, 1e-3},      // floor above the percentage
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "Y=" << r.y << " Percent=" << r.percent << " Floor=" << r.floor);
    EXPECT_DOUBLE_EQ(ValueTolerance(r.y, r.percent, r.floor), r.expected);
  }
}

TEST(FunctionRef, CallsFunctionsLambdasAndFunctionObjects) {
  struct Offset {
    double by;
    double operator()(double x) const { return x + by; }
  };
  const Offset constObject{2};
  int count = 0;
  auto mutableLambda = [count](double x) mutable { return x * ++count; };
  const TargetFunction refs[] = {Linear, &Falling, constObject, mutableLambda};
  const double expected[] = {3, -3, 5, 3};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(refs[i](3), expected[i]) << "reference " << i;
  // The reference calls the object itself, not a copy: the lambda's counter goes on.
  EXPECT_EQ(refs[3](3), 6);
  EXPECT_EQ(mutableLambda(3), 9);
}

// ---------------------------------------------------------------- StepBracket

struct BracketRow {
  const char* name;
  Pair bounds;
  double (*fn)(double);
  int direction;
  double stepPercent, x0, target;
  Pair expectedX;
  int expectedCalls;
};

TEST(StepBracket, WalksByTheRules) {
  const BracketRow rows[] = {
      // h = 10 % of 10 = 1: 10, 11, 12, 13, 14 -> enclosed by (13, 14).
      {"walk up", {0, 100}, Linear, 1, 10, 10, 13.5, {13, 14}, 5},
      // 10, 9, 8, 7 -> (7, 8).
      {"walk down", {0, 100}, Linear, 1, 10, 10, 7.5, {7, 8}, 4},
      // Wrong hint: one extra evaluation at 9, reversal, then as "walk up".
      {"wrong hint, walk up", {0, 100}, Linear, -1, 10, 10, 13.5, {13, 14}, 6},
      // Wrong hint: one extra evaluation at 11, reversal, then as "walk down".
      {"wrong hint, walk down", {0, 100}, Linear, -1, 10, 10, 7.5, {7, 8}, 5},
      // A falling function with the right hint walks up to reach a lower value.
      {"falling function", {0, 100}, Falling, -1, 10, 10, -13.5, {13, 14}, 5},
      // Direction 0 counts as +1.
      {"direction 0", {0, 100}, Linear, 0, 10, 10, 13.5, {13, 14}, 5},
      // Start 20 clamped to Hi = 12, but the step is 5 % of 20 = 1 (not of 12):
      // 12, 11, 10, 9 -> (9, 10).
      {"start above Hi", {0, 12}, Linear, 1, 5, 20, 9.5, {9, 10}, 4},
      {"bounds in either order", {12, 0}, Linear, 1, 5, 20, 9.5, {9, 10}, 4},
      // Start 2 clamped to Lo = 5, step 50 % of 2 = 1: 5, 6, 7, 8 -> (7, 8).
      {"start below Lo", {5, 50}, Linear, 1, 50, 2, 7.5, {7, 8}, 4},
      // Target beyond Hi: 10, 11, 12, then 13 is cut to 12 -> both points at Hi.
      {"target beyond Hi", {0, 12}, Linear, 1, 10, 10, 50, {12, 12}, 4},
      // Target beyond Lo: 10, 9, …, 0, then -1 is cut to 0 -> both points at Lo.
      {"target beyond Lo", {0, 12}, Linear, 1, 10, 10, -5, {0, 0}, 12},
      // Target equal to the start value: the sign of 0 is +1, so the first step
      // goes down and (9, 10) encloses it at once.
      {"target at the start", {0, 100}, Linear, 1, 10, 10, 10, {9, 10}, 2},
      // The value drops at the bound: 10, 11, then 12 is cut to 11.5 where the slope
      // contradicts the hint. The restart puts the start value back into the second
      // point and the bound's finish stays set: the pair is (last base, start).
      {"slope flips at the bound", {0, 11.5}, DropsAbove11, 1, 10, 10, 50, {11, 10}, 3},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    int calls = 0;
    Pair X{-1, -1}, F{-1, -1};
    StepBracket(
        r.bounds, X, F,
        [&](double x) {
          ++calls;
          return r.fn(x);
        },
        r.direction, r.stepPercent, r.x0, r.target);
    EXPECT_EQ(X[0], r.expectedX[0]);
    EXPECT_EQ(X[1], r.expectedX[1]);
    EXPECT_EQ(F[0], r.fn(X[0]));
    EXPECT_EQ(F[1], r.fn(X[1]));
    EXPECT_EQ(calls, r.expectedCalls);
  }
}

TEST(StepBracket, WrongHintOnCurveCostsOneEvaluationAndGivesTheSamePair) {
  struct Row {
    double x0, target;
  } rows[] = {{1.5, 20}, {1.5, 0.5}, {3, 2}, {0.7, 1e3}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "X0=" << r.x0 << " target=" << r.target);
    int rightCalls = 0, wrongCalls = 0;
    Pair Xr{}, Fr{}, Xw{}, Fw{};
    StepBracket({0.01, 100}, Xr, Fr, [&](double x) { return ++rightCalls, Cube(x); }, 1, 3, r.x0, r.target);
    StepBracket({0.01, 100}, Xw, Fw, [&](double x) { return ++wrongCalls, Cube(x); }, -1, 3, r.x0, r.target);
    EXPECT_EQ(Xw, Xr);
    EXPECT_EQ(Fw, Fr);
    EXPECT_EQ(wrongCalls, rightCalls + 1);
    EXPECT_LE((r.target - Fr[0]) * (r.target - Fr[1]), 0);
  }
}

TEST(StepBracketA, PassesTheFixedArgument) {
  std::vector<double> seen;
  Pair X{}, F{};
  // f(x, a) = a·x with a = 2; h = 1: 10, 11, …, 500 hits 1000 exactly.
  StepBracketA({0, 1000}, X, F,
               [&](double x, double a) {
                 seen.push_back(a);
                 return a * x;
               },
               2, 1, 10, 10, 1000);
  EXPECT_EQ(X, (Pair{499, 500}));
  EXPECT_EQ(F, (Pair{998, 1000}));
  EXPECT_EQ(seen.size(), 491u);
  for (double a : seen) ASSERT_EQ(a, 2);
}

TEST(StepBracketOpenA, WalksWithoutBounds) {
  int calls = 0;
  Pair X{}, F{};
  // No bound stops it: 10, 9, …, -30 -> (-30, -29) encloses -29.5·3.
  StepBracketOpenA(X, F, [&](double x, double a) { return ++calls, a * x; }, 3, 1, 10, 10, -88.5);
  EXPECT_EQ(X, (Pair{-30, -29}));
  EXPECT_EQ(F, (Pair{-90, -87}));
  EXPECT_EQ(calls, 41);
}

// ------------------------------------------------- stepping search guards

TEST(StepBracketGuards, ExtremumAtStartEndsByThePassLimit) {
  // (x - 5)² has its minimum at the start: each step contradicts the hint and the
  // walk would reverse for ever. It returns the best point, the start itself.
  int calls = 0;
  Pair X{}, F{};
  StepBracket({0, 10}, X, F, [&](double x) { return ++calls, Parabola(x); }, 1, 10, 5, -1);
  EXPECT_EQ(X, (Pair{5, 5}));
  EXPECT_EQ(F, (Pair{0, 0}));
  EXPECT_LE(calls, 1 + kStepSearchPassLimit);
  EXPECT_EQ(RefineRoot(X, F, Parabola, -1, 1e-9), 5);
}

TEST(StepBracketGuards, OpenSearchThatNeverEnclosesReturnsItsBestPoint) {
  // atan never reaches 2; the walk climbs until its pass budget runs out and
  // returns the highest point it reached (nearest the target).
  int calls = 0;
  double highest = -1;
  Pair X{}, F{};
  StepBracketOpenA(X, F,
                   [&](double x, double a) {
                     ++calls;
                     highest = std::fmax(highest, x);
                     return std::atan(x) + a;
                   },
                   0, 1, 100, 1, 2);
  EXPECT_LE(calls, 1 + kStepSearchPassLimit);
  EXPECT_GT(calls, 100);
  EXPECT_EQ(X[0], highest);
  EXPECT_EQ(X[1], highest);
  EXPECT_EQ(F[0], std::atan(highest));
}

TEST(StepBracketGuards, NaNEndsAtOnce) {
  struct Row {
    const char* name;
    double x0, target;
    int expectedCalls;
  } rows[] = {
      {"NaN target", 3, kNaN, 1},
      {"NaN start", kNaN, 3, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    int calls = 0;
    Pair X{}, F{};
    StepBracket({0, 10}, X, F, [&](double x) { return ++calls, x; }, 1, 10, r.x0, r.target);
    EXPECT_EQ(calls, r.expectedCalls);
    if (std::isnan(r.x0)) {
      EXPECT_TRUE(std::isnan(X[0]) && std::isnan(X[1]));
    } else {
      EXPECT_EQ(X, (Pair{r.x0, r.x0}));
    }
    int refineCalls = 0;
    const double root = RefineRoot(X, F, [&](double x) { return ++refineCalls, x; }, r.target, 1e-9);
    EXPECT_EQ(refineCalls, 0);
    if (!std::isnan(r.x0)) {
      EXPECT_EQ(root, r.x0);
    }
  }
}

TEST(StepBracketGuards, NaNValueOnTheWayEndsWithTheBestPoint) {
  // log x walked down from 1 in steps of 0.3: 0.7, 0.4, 0.1, then -0.2 gives NaN.
  int calls = 0;
  Pair X{}, F{};
  StepBracketOpenA(X, F, [&](double x, double a) { return ++calls, std::log(x) + a; }, 0, 1, 30, 1, -10);
  EXPECT_EQ(calls, 5);
  EXPECT_NEAR(X[0], 0.1, 1e-12);
  EXPECT_EQ(X[1], X[0]);
  EXPECT_EQ(F[0], std::log(X[0]));
}

TEST(StepBracketGuards, ZeroStepEndsAtOnce) {
  struct Row {
    const char* name;
    double x0, stepPercent;
  } rows[] = {{"start 0", 0, 10}, {"step percent 0", 4, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    int calls = 0;
    Pair X{}, F{};
    StepBracket({-5, 5}, X, F, [&](double x) { return ++calls, x; }, 1, r.stepPercent, r.x0, 3);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(X, (Pair{r.x0, r.x0}));
    EXPECT_EQ(F, (Pair{r.x0, r.x0}));
  }
}

// ---------------------------------------------------------------- RefineRoot

struct RefineRow {
  const char* name;
  Pair x;
  double (*fn)(double);
  double target, tol;
  double expected, maxError;
  int minCalls, maxCalls;
};

double TwoXPlusOne(double x) { return 2 * x + 1; }
double MinusTwoXMinusOne(double x) { return -2 * x - 1; }
double Seven(double) { return 7; }
double SquareMinusTwo(double x) { return x * x - 2; }
double Square(double x) { return x * x; }

TEST(RefineRoot, FollowsTheRules) {
  const double cbrt2 = std::cbrt(2.0);
  const RefineRow rows[] = {
      // Slope 4/8 = 0.5, secant point 0 + 4·0.5 = 2 meets the target exactly.
      {"secant hits at once", {0, 4}, TwoXPlusOne, 5, 1e-9, 2, 0, 1, 1},
      {"pair given high end first", {4, 0}, TwoXPlusOne, 5, 1e-9, 2, 0, 1, 1},
      {"falling function", {0, 4}, MinusTwoXMinusOne, -5, 1e-9, 2, 0, 1, 1},
      // Equal F values: slope 0, the midpoint after one pass, no evaluation.
      {"equal F values", {1, 3}, Seven, 5, 1e-9, 2, 0, 0, 0},
      {"both points at a bound", {12, 12}, Linear, 50, 1e-9, 12, 0, 0, 0},
      // x on [-1, 1], Tol 0: the secant point is 0 every pass, the bisection halves
      // the lower end (-1/2, -1/4, …), the relative width stays 1. After 101 passes
      // (202 evaluations) the midpoint of [-2^-101, 0] is returned.
      {"Tol 0, pass limit", {-1, 1}, Linear, 0, 0, -std::ldexp(1.0, -102), 0, 202, 202},
      // Tol 0 on x³: ends by the width test (relative width 1e-10 of an end near
      // 1.26), well before the pass limit.
      {"Tol 0, width stop", {1, 2}, Cube, 2, 0, cbrt2, 1e-10, 2, 200},
      {"tolerance on the value", {1, 2}, Cube, 2, 1e-12, cbrt2, 1e-12, 1, 60},
      // x³ on [0, 1], target 1/2, Tol 1/4: secant point 1/2 (value 1/8, outside Tol)
      // replaces the lower end; bisection point 3/4 (value 27/64) lies below the root
      // and replaces it again; 27/64 is within Tol, so the result is interpolated on
      // [3/4, 1]: 3/4 + (1/2 − 27/64)·(1/4)/(37/64) = 29/37.
      {"interpolated after bisection", {0, 1}, Cube, 0.5, 0.25, 29.0 / 37, 1e-15, 2, 2},
      // x² on [0, 1], target 1/2, Tol 1/4: secant point 1/2 has value 1/4, exactly
      // Tol away (not within); bisection point 3/4 (value 9/16) lies above the root,
      // becomes the upper end and is within Tol: the result is 3/4 itself.
      {"bisection point within Tol", {0, 1}, Square, 0.5, 0.25, 0.75, 0, 2, 2},
      // Lower end exactly 0: the width test must not divide by it.
      {"lower end 0, Tol 0", {0, 350}, SquareMinusTwo, 0, 0, std::sqrt(2.0), 2e-10, 2, 202},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const Pair F{r.fn(r.x[0]), r.fn(r.x[1])};
    const Pair xCopy = r.x, fCopy = F;
    int calls = 0;
    const double root = RefineRoot(r.x, F, [&](double x) { return ++calls, r.fn(x); }, r.target, r.tol);
    if (r.maxError == 0) {
      EXPECT_EQ(root, r.expected);
    } else {
      EXPECT_NEAR(root, r.expected, r.maxError);
    }
    EXPECT_GE(calls, r.minCalls);
    EXPECT_LE(calls, r.maxCalls);
    EXPECT_EQ(r.x, xCopy);
    EXPECT_EQ(F, fCopy);
  }
}

TEST(RefineRoot, EachPassCostsTwoEvaluationsUnlessTheSecantPointHits) {
  // With Tol 0 only the width test or the pass limit can end a pass that evaluated
  // both points, so the count is even.
  struct Row {
    double lo, hi, target;
  } rows[] = {{1, 2, 2}, {0.5, 3, 10}, {-3, -0.5, -1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "[" << r.lo << ", " << r.hi << "] target " << r.target);
    int calls = 0;
    const double root = RefineRoot({r.lo, r.hi}, {Cube(r.lo), Cube(r.hi)}, [&](double x) { return ++calls, Cube(x); },
                                   r.target, 0);
    EXPECT_EQ(calls % 2, 0);
    EXPECT_LE(calls, 2 * kRefinePassLimit);
    EXPECT_NEAR(root, std::cbrt(r.target), 1e-9 * std::fabs(std::cbrt(r.target)));
  }
}

TEST(RefineRoot, ResultMeetsTheToleranceOnTheValue) {
  // Tolerances from 1e-3 down to 1e-11 on x³ = 5 over [1, 3]: whichever branch ends
  // the pass (secant point, interpolation, bisection point), the result's value
  // lies within a few tolerances of the target.
  for (double tol = 1e-3; tol > 1e-12; tol /= 10) {
    SCOPED_TRACE(testing::Message() << "Tol " << tol);
    const double root = RefineRoot({1, 3}, {1, 27}, Cube, 5, tol);
    EXPECT_LT(std::fabs(Cube(root) - 5), 4 * tol);
  }
}

TEST(RefineRoot, NaNEndsAtOnce) {
  int calls = 0;
  const auto f = [&](double x) { return ++calls, x; };
  EXPECT_EQ(RefineRoot({1, 3}, {1, 3}, f, kNaN, 1e-9), 2);
  EXPECT_EQ(RefineRoot({1, 3}, {kNaN, 3}, f, 2, 1e-9), 2);
  EXPECT_EQ(calls, 0);
  // A NaN value met on the way ends with the midpoint of the interval so far.
  int calls2 = 0;
  const double root = RefineRoot({1, 3}, {1, 3}, [&](double x) { return ++calls2, kNaN + x; }, 2.5, 1e-9);
  EXPECT_EQ(calls2, 1);
  EXPECT_EQ(root, 2);
}

TEST(RefineRootA, PassesTheFixedArgumentAndMeasuresWidthByTheLargerEnd) {
  // x² - a on [0, 350] with a = 90000: Tol 0 ends by the width test relative to
  // the larger end (about 300), so the midpoint is within 300·1e-10 of the root.
  std::vector<double> seen;
  const double root = RefineRootA({0, 350}, {-90000, 350.0 * 350 - 90000},
                                  [&](double x, double a) {
                                    seen.push_back(a);
                                    return x * x - a;
                                  },
                                  90000, 0, 0);
  EXPECT_NEAR(root, 300, 300 * 1e-10);
  EXPECT_FALSE(seen.empty());
  EXPECT_LE(seen.size(), 2u * kRefinePassLimit);
  for (double a : seen) ASSERT_EQ(a, 90000);
}

TEST(RefineRootA, EqualFValuesAndPassLimitAsRefineRoot) {
  int calls = 0;
  EXPECT_EQ(RefineRootA({1, 3}, {7, 7}, [&](double, double) { return ++calls, 7.0; }, 0, 5, 1e-9), 2);
  EXPECT_EQ(calls, 0);
  // x - a on [-1, 1] with a = 0, Tol 0: the same walk as RefineRoot's pass-limit row,
  // since the larger end 0 is replaced by the lower end in the width test.
  const double root = RefineRootA({-1, 1}, {-1, 1}, [&](double x, double a) { return ++calls, x - a; }, 0, 0, 0);
  EXPECT_EQ(calls, 202);
  EXPECT_EQ(root, -std::ldexp(1.0, -102));
}

}  // namespace
}  // namespace numerics
