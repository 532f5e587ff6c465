// Newton2D and GaussSolve.
#include "numerics/newton.h"

#include <cmath>
#include <utility>

#include "numerics/roots.h"

namespace numerics {
namespace {

// A pivot below the absolute threshold, or NaN, is unusable.
bool Tiny(double x) { return !(std::fabs(x) >= kPivotThreshold); }

void ExchangeRows(GaussMatrix& A, int i, int j, int n) {
  for (int c = 1; c <= n + 1; ++c) std::swap(A(i, c), A(j, c));
}

// Row `to` += factor · row `from`, columns 1…n + 1.
void AddRowMultiple(GaussMatrix& A, int to, int from, double factor, int n) {
  for (int c = 1; c <= n + 1; ++c) A(to, c) += factor * A(from, c);
}

// Σ_{k=i+1…n} A(i,k)·A(k,n+1).
double BackSum(const GaussMatrix& A, int i, int n) {
  double sum = 0;
  for (int k = i + 1; k <= n; ++k) sum += A(i, k) * A(k, n + 1);
  return sum;
}

// Relative deviation of a result from its target; a target of 0 is compared absolutely.
double Deviation(double r, double target) { return target != 0 ? std::fabs(r / target - 1) : std::fabs(r); }

// Tolerance: Percent of the target's magnitude (of 1 for a target of 0).
double ToleranceOf(double target, double percent) {
  return percent * (target != 0 ? std::fabs(target) : 1.0) / 100;
}

// Difference step 2·Percent/100·start; a start of 0 uses 2·Percent/100 · 1.
double DifferenceStep(double start, double percent) {
  const double d = 2 * percent / 100 * start;
  return d != 0 ? d : 2 * percent / 100;
}

}  // namespace

void GaussSolve(GaussMatrix& A, std::int32_t n, bool& Singular) {
  Singular = true;
  if (n < 1 || n > 4) return;
  for (int i = 1; i <= n - 1; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (Tiny(A(i, i))) {
        ExchangeRows(A, i, j, n);
        // Still no pivot: try the next row; only when none is left is A singular.
        if (Tiny(A(i, i))) {
          if (j == n) return;
          continue;
        }
      }
      if (std::fabs(A(j, i)) > kPivotThreshold) AddRowMultiple(A, j, i, -A(j, i) / A(i, i), n);
    }
  }
  if (Tiny(A(n, n))) return;
  A(n, n + 1) = A(n, n + 1) / A(n, n);
  for (int i = n - 1; i >= 1; --i) A(i, n + 1) = (A(i, n + 1) - BackSum(A, i, n)) / A(i, i);
  Singular = false;
}

void Newton2D(PairFunction Func, double& U, double& W, double U0, double W0, double Percent, double Target1,
              double Target2) {
  U = U0;
  W = W0;
  if (std::isnan(U0) || std::isnan(W0) || std::isnan(Percent) || std::isnan(Target1) || std::isnan(Target2)) return;

  const double tol1 = ToleranceOf(Target1, Percent);
  const double tol2 = ToleranceOf(Target2, Percent);
  const double dU = DifferenceStep(U0, Percent);
  const double dW = DifferenceStep(W0, Percent);
  double uTrial = U0 + dU;
  double wTrial = W0 + dW;

  double bestU = U0, bestW = W0, bestDev = INFINITY;
  // Records the point if it is the best so far; false when its values are NaN.
  const auto offer = [&](double u, double w, double r1, double r2) {
    if (std::isnan(r1) || std::isnan(r2)) return false;
    const double dev = MaxOf(Deviation(r1, Target1), Deviation(r2, Target2));
    if (dev < bestDev) {
      bestDev = dev;
      bestU = u;
      bestW = w;
    }
    return true;
  };

  for (int pass = 1; pass <= kNewtonPassLimit; ++pass) {
    double r1 = 0, r2 = 0;
    Func(U, W, r1, r2);
    if (!offer(U, W, r1, r2)) break;
    const double du = uTrial - U;
    const double dw = wTrial - W;
    if (du == 0 || dw == 0) break;

    GaussMatrix A;
    A(1, 3) = Target1 - r1;
    A(2, 3) = Target2 - r2;
    double p1 = 0, p2 = 0;
    Func(uTrial, W, p1, p2);
    A(1, 1) = (p1 - r1) / du;
    A(2, 1) = (p2 - r2) / du;
    double q1 = 0, q2 = 0;
    Func(U, wTrial, q1, q2);
    A(1, 2) = (q1 - r1) / dw;
    A(2, 2) = (q2 - r2) / dw;

    bool singular = true;
    GaussSolve(A, 2, singular);
    const double stepU = A(1, 3);
    const double stepW = A(2, 3);
    if (singular || !std::isfinite(stepU) || !std::isfinite(stepW)) break;

    U += stepU;
    W += stepW;
    Func(U, W, r1, r2);
    if (!offer(U, W, r1, r2)) break;
    if (Deviation(r1, Target1) < tol1 && Deviation(r2, Target2) < tol2) return;

    uTrial = U + SignOf(stepU) * dU;
    wTrial = W + SignOf(stepW) * dW;
  }
  U = bestU;
  W = bestW;
}

}  // namespace numerics
