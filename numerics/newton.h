// Two equations in two unknowns: Newton's method with a forward-difference Jacobian
// (Newton2D), and the small linear solver of each Newton step (GaussSolve). Both know
// nothing of water and steam.
#pragma once

#include <cstdint>

#include "numerics/function_ref.h"

namespace numerics {

// Augmented matrix of up to 4 unknowns, indexed from 1: A(row, col), rows 1…n,
// columns 1…n the coefficients and column n + 1 the right-hand side. On success
// column n + 1 holds the solution.
struct GaussMatrix {
  double a[4][5] = {};
  double& operator()(int row, int col) { return a[row - 1][col - 1]; }
  double operator()(int row, int col) const { return a[row - 1][col - 1]; }
};

// Entries with a magnitude below this are treated as zero pivots (an absolute
// threshold, not relative to the size of the entries).
inline constexpr double kPivotThreshold = 1e-19;

// Gaussian elimination without a pivot search; rows are exchanged only when a pivot is
// practically zero (|pivot| < 1e-19, or NaN). Singular := true when no usable pivot
// is found (A is then left partly eliminated) or when n is not 1…4; otherwise false
// and column n + 1 holds the solution.
void GaussSolve(GaussMatrix& A, std::int32_t n, bool& Singular);

// Pair function: void Func(double U, double W, double& R1, double& R2). Anything
// callable with that signature can be passed (function, pointer, lambda).
using PairFunction = FunctionRef<void(double, double, double&, double&)>;

// Most Newton passes (each costs four evaluations of Func).
inline constexpr int kNewtonPassLimit = 200;

// Finds (U, W) with Func(U, W) = (Target1, Target2), starting at (U0, W0).
// Percent sets both the difference steps dU = 2·Percent/100·U0, dW = 2·Percent/100·W0
// (fixed for the whole iteration; a start value of 0 uses 2·Percent/100 instead, a
// negative start value gives a negative step) and the tolerance: the iteration has
// converged when |R1/Target1 − 1| < Percent·|Target1|/100 and likewise for R2. The
// test is deliberately loose for large targets (an enthalpy of 3000 kJ/kg with
// Percent 1e-4 passes at a relative 3e-3). A target of 0 is compared absolutely:
// |R| < Percent/100.
// Each pass: evaluate the point and two trial points one difference step away, solve
// for the Newton step, step, evaluate the new point and test it; the next trial points
// lie one difference step from the new point in the direction of the last step.
// Guards: a NaN start, target or Percent returns (U0, W0) at once. A singular
// Jacobian, a NaN value of Func, a trial point that does not differ from the point,
// or kNewtonPassLimit passes without convergence end the iteration with the best
// point met (the evaluated point whose larger relative deviation is smallest).
void Newton2D(PairFunction Func, double& U, double& W, double U0, double W0, double Percent, double Target1,
              double Target2);

}  // namespace numerics
