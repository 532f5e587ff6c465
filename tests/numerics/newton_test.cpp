// GaussSolve and Newton2D. Linear systems have solutions worked out by hand; the
// Newton tests count the calls of the pair function against the four per pass.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "numerics/newton.h"

namespace numerics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

GaussMatrix Make(std::initializer_list<std::initializer_list<double>> rows) {
  GaussMatrix A;
  int i = 1;
  for (const auto& row : rows) {
    int j = 1;
    for (double v : row) A(i, j++) = v;
    ++i;
  }
  return A;
}

// ---------------------------------------------------------------- GaussSolve

struct GaussRow {
  const char* name;
  int n;
  GaussMatrix A;
  std::vector<double> solution;  // empty: singular
};

TEST(GaussSolve, SolvesOrReportsSingular) {
  const GaussRow rows[] = {
      {"1x1", 1, Make({{4, 2}}), {0.5}},
      // First pivot 0: rows exchanged, right-hand side included: 2x + y = 5, y = 3.
      {"first pivot zero", 2, Make({{0, 1, 3}, {2, 1, 5}}), {1, 3}},
      // A pivot of 1e-20 counts as zero: exchanged rather than divided by.
      {"tiny first pivot", 2, Make({{1e-20, 1, 1}, {1, 1, 2}}), {1, 1}},
      {"3x3", 3, Make({{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}}), {2, 3, -1}},
      // x = (1, -1, 2, 0.5).
      {"4x4", 4, Make({{1, 2, 0, 1, -0.5}, {2, 1, 1, 0, 3}, {0, 1, 3, 1, 5.5}, {1, 0, 1, 2, 4}}), {1, -1, 2, 0.5}},
      // First column (0, 0, 1): the usable pivot is two rows down.
      {"pivot two rows down", 3, Make({{0, 1, 0, 2}, {0, 0, 1, 3}, {1, 0, 0, 1}}), {1, 2, 3}},
      {"zero matrix", 2, Make({{0, 0, 1}, {0, 0, 2}}), {}},
      {"zero 4x4", 4, Make({{0, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, {0, 0, 0, 0, 1}}), {}},
      {"dependent rows", 2, Make({{1, 2, 3}, {2, 4, 6}}), {}},
      // The threshold is absolute: an invertible matrix of entries 1e-20 is singular.
      {"absolute threshold", 2, Make({{2e-20, 1e-20, 1}, {1e-20, 3e-20, 1}}), {}},
      {"NaN pivot", 2, Make({{kNaN, 1, 1}, {kNaN, 1, 1}}), {}},
      {"n = 0", 0, Make({{1, 1}}), {}},
      {"n = 5", 5, Make({{1, 1}}), {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    GaussMatrix A = r.A;
    bool singular = false;
    GaussSolve(A, r.n, singular);
    EXPECT_EQ(singular, r.solution.empty());
    for (int i = 1; i <= static_cast<int>(r.solution.size()); ++i)
      EXPECT_NEAR(A(i, r.n + 1), r.solution[i - 1], 1e-12) << "unknown " << i;
  }
}

TEST(GaussSolve, FirstPivotZeroExchangesWholeRows) {
  GaussMatrix A = Make({{0, 1, 3}, {2, 1, 5}});
  bool singular = true;
  GaussSolve(A, 2, singular);
  ASSERT_FALSE(singular);
  // Row 1 is now the former row 2 (coefficients 2, 1), row 2 the former row 1.
  EXPECT_EQ(A(1, 1), 2);
  EXPECT_EQ(A(1, 2), 1);
  EXPECT_EQ(A(2, 1), 0);
  EXPECT_EQ(A(2, 2), 1);
  EXPECT_EQ(A(1, 3), 1);
  EXPECT_EQ(A(2, 3), 3);
  // A zero matrix is reported singular after the exchange, without any division.
  GaussMatrix Z = Make({{0, 0, 1}, {0, 0, 2}});
  GaussSolve(Z, 2, singular);
  EXPECT_TRUE(singular);
  EXPECT_EQ(Z(1, 3), 2);
  EXPECT_EQ(Z(2, 3), 1);
}

// ---------------------------------------------------------------- Newton2D

struct Call {
  double u, w;
};

// A pair function that records every call.
struct Recorder {
  std::vector<Call> calls;
  void (*fn)(double, double, double&, double&);
  void operator()(double u, double w, double& r1, double& r2) {
    calls.push_back({u, w});
    fn(u, w, r1, r2);
  }
};

void LinearPair(double u, double w, double& r1, double& r2) {  // (U + W, U - 2W)
  r1 = u + w;
  r2 = u - 2 * w;
}
void SumDiff(double u, double w, double& r1, double& r2) {  // (U + W, U - W)
  r1 = u + w;
  r2 = u - w;
}
void ProductPair(double u, double w, double& r1, double& r2) {  // (U·W, U + W²)
  r1 = u * w;
  r2 = u + w * w;
}
void NoRoot(double u, double w, double& r1, double& r2) {  // U² + 1 never reaches 0
  r1 = u * u + 1;
  r2 = w;
}
void Dependent(double u, double w, double& r1, double& r2) {  // both rows U + W
  r1 = u + w;
  r2 = u + w;
}
void SqrtPair(double u, double w, double& r1, double& r2) {  // NaN for U < 0
  r1 = std::sqrt(u);
  r2 = w;
}

struct NewtonRow {
  const char* name;
  void (*fn)(double, double, double&, double&);
  double u0, w0, percent, t1, t2;
  double uExpected, wExpected, maxError;
  int minCalls, maxCalls;
};

TEST(Newton2D, Converges) {
  const NewtonRow rows[] = {
      // At the solution: step 0, the test passes in the first pass (4 calls).
      {"started at the solution", LinearPair, 3, 1, 1e-4, 4, 1, 3, 1, 0, 4, 4},
      // A linear system: the difference Jacobian is exact, one pass.
      {"linear from afar", LinearPair, 10, 10, 1e-4, 4, 1, 3, 1, 1e-9, 4, 4},
      {"nonlinear", ProductPair, 1, 1, 1e-6, 6, 11, 2, 3, 1e-6, 8, 80},
      // Start (0, 0): the difference steps fall back to 2·Percent/100.
      {"zero start", LinearPair, 0, 0, 1e-4, 4, 1, 3, 1, 1e-9, 4, 4},
      // Target 0 is compared absolutely.
      {"target 0", SumDiff, 5, 5, 1e-4, 0, 2, 1, -1, 1e-9, 4, 8},
      // Negative targets use the tolerance of their magnitude.
      {"negative targets", SumDiff, 5, 5, 1e-4, -4, -2, -3, -1, 1e-9, 4, 8},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder rec{{}, r.fn};
    double U = kNaN, W = kNaN;
    Newton2D(rec, U, W, r.u0, r.w0, r.percent, r.t1, r.t2);
    if (r.maxError == 0) {
      EXPECT_EQ(U, r.uExpected);
      EXPECT_EQ(W, r.wExpected);
    } else {
      EXPECT_NEAR(U, r.uExpected, r.maxError);
      EXPECT_NEAR(W, r.wExpected, r.maxError);
    }
    const int calls = static_cast<int>(rec.calls.size());
    EXPECT_GE(calls, r.minCalls);
    EXPECT_LE(calls, r.maxCalls);
    EXPECT_EQ(calls % 4, 0) << "four calls per pass";
  }
}

void SquareAndLinear(double u, double w, double& r1, double& r2) {  // (U², W)
  r1 = u * u;
  r2 = w;
}

TEST(Newton2D, LooseTestAcceptsTheFirstStepForALargeTarget) {
  // U² = 3000 from U0 = 53, Percent 1e-4: one Newton step gives
  // U = 53 + 191/(106 + dU) ≈ 54.8019, U² ≈ 3003.25, a relative deviation of about
  // 1.1e-3 — inside the tolerance Percent·3000/100 = 3e-3. The iteration stops there,
  // 0.03 away from √3000.
  Recorder rec{{}, SquareAndLinear};
  double U = 0, W = 0;
  Newton2D(rec, U, W, 53, 1, 1e-4, 3000, 1);
  EXPECT_EQ(rec.calls.size(), 4u);
  EXPECT_NEAR(U, 53 + 191.0 / (106 + 2e-6 * 53), 1e-9);
  EXPECT_GT(U - std::sqrt(3000.0), 0.02);
  EXPECT_EQ(W, 1);
}

TEST(Newton2D, TrialPointsLieOneDifferenceStepAway) {
  struct Row {
    const char* name;
    double u0, w0, percent;
    double uTrial, wTrial;
  } rows[] = {
      {"positive start", 10, 20, 1, 10 + 0.02 * 10, 20 + 0.02 * 20},
      // Negative start: negative step, the first trial point lies below U0.
      {"negative start", -10, 20, 1, -10 - 0.02 * 10, 20 + 0.02 * 20},
      // Start 0: the step 2·Percent/100 · 1.
      {"zero start", 0, 0, 1, 0.02, 0.02},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder rec{{}, LinearPair};
    double U = 0, W = 0;
    Newton2D(rec, U, W, r.u0, r.w0, r.percent, 4, 1);
    ASSERT_GE(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[0].u, r.u0);
    EXPECT_EQ(rec.calls[0].w, r.w0);
    EXPECT_DOUBLE_EQ(rec.calls[1].u, r.uTrial);
    EXPECT_EQ(rec.calls[1].w, r.w0);
    EXPECT_EQ(rec.calls[2].u, r.u0);
    EXPECT_DOUBLE_EQ(rec.calls[2].w, r.wTrial);
  }
}

TEST(Newton2D, NextTrialPointsFollowTheLastStep) {
  // Pass 2 evaluates the new point, then trial points one step from it in the
  // direction of the last step: U′ = U + SignOf(ΔU)·dU.
  Recorder rec{{}, ProductPair};
  double U = 0, W = 0;
  // From (3, 4) the first Newton step is (-24/29, -26/29): both components negative,
  // so the next trial points lie below the new point.
  const double u0 = 3, w0 = 4, percent = 1e-6;
  Newton2D(rec, U, W, u0, w0, percent, 6, 11);
  ASSERT_GE(rec.calls.size(), 8u);
  const double dU = 2 * percent / 100 * u0, dW = 2 * percent / 100 * w0;
  const Call p1 = rec.calls[3];  // the point after the first step
  EXPECT_EQ(rec.calls[4].u, p1.u);
  EXPECT_EQ(rec.calls[4].w, p1.w);
  const double stepU = p1.u - u0, stepW = p1.w - w0;
  ASSERT_NEAR(stepU, -24.0 / 29, 1e-4);
  ASSERT_NEAR(stepW, -26.0 / 29, 1e-4);
  EXPECT_DOUBLE_EQ(rec.calls[5].u, p1.u + (stepU >= 0 ? dU : -dU));
  EXPECT_DOUBLE_EQ(rec.calls[6].w, p1.w + (stepW >= 0 ? dW : -dW));
}

TEST(Newton2DGuards, EndWithoutHanging) {
  struct Row {
    const char* name;
    void (*fn)(double, double, double&, double&);
    double u0, w0, percent, t1, t2;
    int maxCalls;
    double uExpected, wExpected;  // NaN: not checked
  } rows[] = {
      // No root: ends by the pass limit.
      {"never converges", NoRoot, 1, 1, 1e-4, 0, 1, 4 * kNewtonPassLimit, kNaN, kNaN},
      // Singular Jacobian: ends after the first Jacobian with the start point.
      {"singular Jacobian", Dependent, 1, 2, 1e-4, 1, 2, 3, 1, 2},
      // The first step goes to U < 0 where the function is NaN: the best point is the start.
      {"NaN on the way", SqrtPair, 1, 1, 1e-4, 0.01, 1, 4, 1, 1},
      {"NaN target", LinearPair, 1, 2, 1e-4, kNaN, 1, 0, 1, 2},
      {"NaN start", LinearPair, kNaN, 2, 1e-4, 4, 1, 0, kNaN, kNaN},
      // Percent 0: no difference step can be formed.
      {"Percent 0", LinearPair, 1, 2, 0, 4, 1, 1, 1, 2},
      {"NaN Percent", LinearPair, 1, 2, kNaN, 4, 1, 0, 1, 2},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder rec{{}, r.fn};
    double U = -7, W = -7;
    Newton2D(rec, U, W, r.u0, r.w0, r.percent, r.t1, r.t2);
    EXPECT_LE(static_cast<int>(rec.calls.size()), r.maxCalls);
    if (!std::isnan(r.uExpected)) {
      EXPECT_EQ(U, r.uExpected);
    }
    if (!std::isnan(r.wExpected)) {
      EXPECT_EQ(W, r.wExpected);
    }
    if (std::isnan(r.u0)) {
      EXPECT_TRUE(std::isnan(U));
    } else {
      EXPECT_TRUE(std::isfinite(U) && std::isfinite(W));
    }
  }
}

TEST(Newton2DGuards, PassLimitReturnsTheBestPoint) {
  // U² + 1 = 0 has no root; the best point is the one with the smallest U² + 1
  // among those evaluated, so it is no worse than the start.
  Recorder rec{{}, NoRoot};
  double U = 0, W = 0;
  Newton2D(rec, U, W, 3, 1, 1e-4, 0, 1);
  EXPECT_LE(U * U + 1, 3 * 3 + 1);
  for (size_t i = 0; i < rec.calls.size(); i += 4) EXPECT_LE(U * U, rec.calls[i].u * rec.calls[i].u) << "call " << i;
}

}  // namespace
}  // namespace numerics
