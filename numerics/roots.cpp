// Stepping searches and the secant/bisection refinement. Indices 0 and 1 of a Pair
// are the first and second point.
#include "numerics/roots.h"

#include <cmath>
#include <utility>

namespace numerics {
namespace {

// The evaluated point whose value lies nearest the target.
struct BestPoint {
  double x = 0, f = 0, dist = INFINITY;
  void Offer(double xi, double fi, double target) {
    const double d = std::fabs(fi - target);
    if (d < dist) {
      x = xi;
      f = fi;
      dist = d;
    }
  }
};

void SetBoth(Pair& X, Pair& F, double x, double f) {
  X = {x, x};
  F = {f, f};
}

// Shared walk of the three stepping searches; g is f with its fixed argument bound.
template <class G>
void Walk(bool bounded, const Pair& Bounds, Pair& X, Pair& F, const G& g, std::int32_t Direction, double StepPercent,
          double X0, double Target) {
  // The step comes from the caller's start value, before any clamping.
  const double h = std::fabs(X0 * StepPercent / 100);
  double lo = 0, hi = 0;
  if (bounded) {
    lo = Bounds[0] <= Bounds[1] ? Bounds[0] : Bounds[1];
    hi = Bounds[0] <= Bounds[1] ? Bounds[1] : Bounds[0];
    if (X0 < lo) X0 = lo;
    if (X0 > hi) X0 = hi;
  }
  if (std::isnan(X0)) {
    SetBoth(X, F, X0, NAN);
    return;
  }
  const double y0 = g(X0);
  if (std::isnan(Target) || std::isnan(y0) || !(h > 0) || !std::isfinite(h)) {
    SetBoth(X, F, X0, y0);
    return;
  }
  std::int32_t dir = Direction < 0 ? -1 : 1;
  const std::int32_t sg = SignOf(y0 - Target);
  // k = 0: the target lies above the start on the expected slope, the walk goes up.
  int k = sg * dir == -1 ? 0 : 1;
  X[k] = X0;
  F[k] = y0;
  BestPoint best;
  best.Offer(X0, y0, Target);
  bool finished = false;
  for (int pass = 1;; ++pass) {
    const int j = 1 - k;
    X[j] = k == 0 ? X[k] + h : X[k] - h;
    if (bounded) {
      if (j == 0 && X[0] < lo) {
        X[0] = lo;
        finished = true;
      }
      if (j == 1 && X[1] > hi) {
        X[1] = hi;
        finished = true;
      }
    }
    F[j] = g(X[j]);
    if (std::isnan(F[j])) {
      SetBoth(X, F, best.x, best.f);
      return;
    }
    best.Offer(X[j], F[j], Target);
    if (SignOf((F[1] - F[0]) * (X[1] - X[0])) != dir) {
      // The slope contradicts the hint: restart from the start value the other way.
      // A finish set by a bound stays set.
      dir = -dir;
      k = sg * dir == -1 ? 0 : 1;
      X[k] = X0;
      F[k] = y0;
    } else if ((Target - F[0]) * (Target - F[1]) <= 0) {
      return;  // enclosed
    } else {
      X[k] = X[j];
      F[k] = F[j];
    }
    if (finished) return;
    if (pass >= kStepSearchPassLimit) {
      SetBoth(X, F, best.x, best.f);
      return;
    }
  }
}

// |(x1 − x0) / den| < 1e-10, where den is one of the two ends. A zero denominator is
// replaced by the other end; an interval whose ends are both 0 has no width left.
bool WidthBelow(double x0, double x1, double den) {
  if (den == 0) den = x0 != 0 ? x0 : x1;
  if (den == 0) return true;
  return std::fabs((x1 - x0) / den) < 1e-10;
}

template <class G>
double Refine(Pair X, Pair F, const G& g, double Target, double Tol, bool widthByLarger) {
  double result = (X[0] + X[1]) / 2;
  if (X[0] > X[1]) {
    std::swap(X[0], X[1]);
    std::swap(F[0], F[1]);
  }
  if (std::isnan(Target) || std::isnan(F[0]) || std::isnan(F[1])) return result;
  const int s = F[1] > F[0] ? 1 : -1;
  const auto mid = [&X] { return (X[0] + X[1]) / 2; };
  for (int n = 1;; ++n) {
    bool finished = false;
    const double slope = F[1] == F[0] ? 0.0 : (X[1] - X[0]) / (F[1] - F[0]);
    if (!(std::fabs(slope) < 1e15 && std::fabs(slope) > 1e-15)) {  // also a NaN slope
      result = mid();
      finished = true;
    } else {
      const double xn = X[0] + (Target - F[0]) * slope;
      const double fn = g(xn);
      if (std::isnan(fn)) {
        result = mid();
        finished = true;
      } else if (std::fabs(Target - fn) < Tol) {
        result = xn;  // the width test is skipped
        finished = true;
      } else {
        // The secant point replaces the end on its own side of the root.
        const int t = fn >= Target ? -1 : 1;
        const int k = s * t == 1 ? 0 : 1;
        const int m = 1 - k;
        X[k] = xn;
        F[k] = fn;
        const double xm = (X[m] + xn) / 2;
        const double fm = g(xm);
        if (std::isnan(fm)) return mid();
        if ((fm - Target) * t > 0) {
          X[m] = xm;
          F[m] = fm;
        } else {
          X[k] = xm;
          F[k] = fm;
        }
        if (std::fabs(Target - F[k]) < Tol) {
          result = F[1] == F[0] ? mid() : X[k] + (Target - F[k]) * ((X[1] - X[0]) / (F[1] - F[0]));
          finished = true;
        } else if (std::fabs(Target - F[m]) < Tol) {
          result = X[m];
          finished = true;
        }
        // Width test; it also replaces a result found just above.
        if (WidthBelow(X[0], X[1], widthByLarger ? MaxOf(X[0], X[1]) : X[0])) {
          result = mid();
          finished = true;
        }
      }
    }
    // Pass limit; it also replaces a result found in the last pass.
    if (n >= kRefinePassLimit) return mid();
    if (finished) return result;
  }
}

}  // namespace

void StepBracket(const Pair& Bounds, Pair& X, Pair& F, TargetFunction f, std::int32_t Direction, double StepPercent,
                 double X0, double Target) {
  Walk(true, Bounds, X, F, f, Direction, StepPercent, X0, Target);
}

void StepBracketA(const Pair& Bounds, Pair& X, Pair& F, TargetFunctionA f, double A, std::int32_t Direction,
                  double StepPercent, double X0, double Target) {
  Walk(true, Bounds, X, F, [&](double x) { return f(x, A); }, Direction, StepPercent, X0, Target);
}

void StepBracketOpenA(Pair& X, Pair& F, TargetFunctionA f, double A, std::int32_t Direction, double StepPercent,
                      double X0, double Target) {
  Walk(false, Pair{}, X, F, [&](double x) { return f(x, A); }, Direction, StepPercent, X0, Target);
}

double RefineRoot(Pair X, Pair F, TargetFunction f, double Target, double Tol) {
  return Refine(X, F, f, Target, Tol, false);
}

double RefineRootA(Pair X, Pair F, TargetFunctionA f, double A, double Target, double Tol) {
  return Refine(X, F, [&](double x) { return f(x, A); }, Target, Tol, true);
}

bool NewtonRootA(SlopeFunctionA f, double A, double X0, double Lo, double Hi, double Target, double Tol,
                 double& Root, double& Step) {
  Root = X0;
  Step = 0;
  double x = X0;
  if (!(x >= Lo && x <= Hi)) return false;  // also NaN
  double lastMiss = INFINITY;
  for (int pass = 1; pass <= kNewtonRootPassLimit; ++pass) {
    double slope = 0;
    const double y = f(x, A, slope);
    Root = x;
    const double step = (Target - y) / slope;
    if (std::isnan(y) || !std::isfinite(step) || slope == 0) return false;
    const double miss = std::fabs(Target - y);
    if (miss < Tol || std::fabs(step) <= 1e-10 * std::fabs(x)) {
      Step = step;
      return true;
    }
    // Near a root Newton's method brings the value nearer the target with every
    // step. The first step from a rough start may overshoot; after it, a step that
    // brings the value no nearer means there is no root nearby.
    if (pass > 2 && !(miss < lastMiss)) return false;
    lastMiss = miss;
    const double next = x + step;
    if (!(next >= Lo && next <= Hi)) return false;
    x = next;
  }
  return false;
}

double PolishRootA(Pair X, Pair F, SlopeFunctionA f, double A, double Target, double Tol, double& Step) {
  Step = 0;
  if (X[0] > X[1]) {
    std::swap(X[0], X[1]);
    std::swap(F[0], F[1]);
  }
  const auto mid = [&X] { return (X[0] + X[1]) / 2; };
  if (std::isnan(Target) || std::isnan(F[0]) || std::isnan(F[1]) || std::isnan(X[0]) || std::isnan(X[1])) return mid();
  if (X[0] == X[1]) return X[0];
  // As in the refinement, the pair tells whether f rises or falls across it; a point
  // whose value lies below the target then replaces the lower or the upper end.
  const bool rising = F[1] > F[0];
  double x = F[1] == F[0] ? mid() : X[0] + (Target - F[0]) * (X[1] - X[0]) / (F[1] - F[0]);
  if (!(x >= X[0] && x <= X[1])) x = mid();
  // A Newton step that is not at most half the step before it is replaced by the
  // midpoint, so that the pair keeps shrinking where Newton's method is slow.
  double lastStep = X[1] - X[0];
  for (int pass = 1; pass <= kRefinePassLimit; ++pass) {
    double slope = 0;
    const double y = f(x, A, slope);
    if (std::isnan(y)) return mid();
    const double step = (Target - y) / slope;
    if (std::fabs(Target - y) < Tol) {
      Step = std::isfinite(step) ? step : 0;
      return x;
    }
    if ((y < Target) == rising) {
      X[0] = x;
      F[0] = y;
    } else {
      X[1] = x;
      F[1] = y;
    }
    if (WidthBelow(X[0], X[1], MaxOf(X[0], X[1]))) return mid();
    const double next = x + step;
    if (std::isfinite(next) && next > X[0] && next < X[1] && std::fabs(step) <= 0.5 * std::fabs(lastStep)) {
      lastStep = step;
      x = next;
    } else {
      lastStep = (X[1] - X[0]) / 2;
      x = mid();
    }
  }
  return mid();
}

}  // namespace numerics
