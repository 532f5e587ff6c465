// One-dimensional root finding: a stepping search that walks from a start value in
// fixed steps until two points enclose the target value, then a refinement that
// combines a secant (regula falsi) step with a bisection step until the function
// value is within an absolute tolerance of the target. The routines know nothing of
// water and steam; they never fail and always return a best point.
//
// Target functions
//   TargetFunction   double f(double x)            one argument
//   TargetFunctionA  double f(double x, double a)  the routine varies x and passes the
//                                                  fixed argument A unchanged on every call
// Anything callable with that signature can be passed: a plain function, a function
// pointer, or a lambda (captures allowed). Nothing is copied or allocated; see
// numerics/function_ref.h. A target function may have side effects; it is called
// only from inside the routine it was passed to.
//
// Pairs
//   Pair is two doubles; element [0] is the first point (the smaller abscissa after a
//   successful search and inside the refinement), element [1] the second. The search
//   fills the abscissae X and the function values F with F[i] = f(X[i]).
//
// Direction is +1 when f is expected to increase with x, -1 when it is expected to
// decrease (0 counts as +1). It is only a hint: the search reverses it when the two
// points it has evaluated show the other slope.
//
// Calling order: one of the stepping searches fills X and F, then one of the
// refinements takes them. A caller that already knows two enclosing points fills X
// and F itself and calls the refinement alone.
//
// Guards (every search has a bracket, a tolerance and a pass budget; NaN ends it):
//   - a stepping search takes at most kStepSearchPassLimit steps; when they run out
//     it returns its best point (the evaluated point whose value lies nearest the
//     target) as both points of the pair, so the refinement returns that point;
//   - a NaN target or a NaN start value ends a search at once, with both points at
//     the start value; a NaN function value met on the way ends it with the best
//     point found before;
//   - a zero step (start value 0 or StepPercent 0) cannot move: the search ends at
//     once with both points at the start value;
//   - the refinement runs at most kRefinePassLimit passes (two evaluations each) and
//     returns the midpoint of the last interval when a NaN is met.
#pragma once

#include <array>
#include <cstdint>

#include "numerics/function_ref.h"

namespace numerics {

using Pair = std::array<double, 2>;
using TargetFunction = FunctionRef<double(double)>;
using TargetFunctionA = FunctionRef<double(double, double)>;

// Most steps a stepping search takes after its start value.
inline constexpr int kStepSearchPassLimit = 10000;
// Most passes of the refinement (each costs two evaluations).
inline constexpr int kRefinePassLimit = 101;

// +1 if x >= 0 (so the sign of 0 is +1), otherwise -1 (also for NaN).
constexpr std::int32_t SignOf(double x) { return x >= 0 ? 1 : -1; }

// a if a >= b, otherwise b (equal values give the first argument).
constexpr double MaxOf(double a, double b) { return a >= b ? a : b; }

// Absolute tolerance given as a percentage of the target value Y, never below Floor:
// the larger of Y·Percent/100 and Floor, ties giving Y·Percent/100. No absolute value
// is taken of Y, so a negative Y gives Floor.
constexpr double ValueTolerance(double Y, double Percent, double Floor) { return MaxOf(Y * Percent / 100, Floor); }

// Bounded stepping search. Step h = |X0·StepPercent/100| from the X0 the caller
// passed, fixed for the whole search; the start value is clamped into [Lo, Hi]
// (Bounds in either order). Walks from the clamped start in steps of h until
// (Target − F[0])·(Target − F[1]) <= 0, reversing (and restarting from the start)
// when the evaluated slope contradicts Direction. When a bound ends the walk without
// enclosing the target, both points are that bound: X[0] = X[1] = bound.
void StepBracket(const Pair& Bounds, Pair& X, Pair& F, TargetFunction f, std::int32_t Direction, double StepPercent,
                 double X0, double Target);

// As StepBracket; f is called as f(x, A).
void StepBracketA(const Pair& Bounds, Pair& X, Pair& F, TargetFunctionA f, double A, std::int32_t Direction,
                  double StepPercent, double X0, double Target);

// As StepBracketA without bounds: no clamping, the walk ends on enclosure (or by the
// guards above).
void StepBracketOpenA(Pair& X, Pair& F, TargetFunctionA f, double A, std::int32_t Direction, double StepPercent,
                      double X0, double Target);

// Refinement of an enclosing pair (X, F are copies; the caller's arrays are not
// changed). Returns the secant or bisection point that met |Target − f| < Tol, the
// interpolated point, or the midpoint of the last interval when the slope is
// degenerate (|slope| >= 1e15 or <= 1e-15, which includes two equal F values), the
// relative width |(X[1] − X[0]) / X[0]| has fallen below 1e-10, or 101 passes have
// run. A lower end of exactly 0 makes the width test divide by the larger end.
double RefineRoot(Pair X, Pair F, TargetFunction f, double Target, double Tol);

// As RefineRoot; f is called as f(x, A), and the width test always divides by the
// larger end MaxOf(X[0], X[1]), so an interval such as [0, 350] is measured
// relative to 350.
double RefineRootA(Pair X, Pair F, TargetFunctionA f, double A, double Target, double Tol);


// Target function with its slope: returns f(x, a) and writes df/dx to slope. A NaN
// value tells the Newton searches below that x is not acceptable (for example a
// point on the wrong branch of a curve with several roots).
using SlopeFunctionA = FunctionRef<double(double, double, double&)>;

// Most passes of NewtonRootA (one evaluation each).
inline constexpr int kNewtonRootPassLimit = 12;

// Newton's method for f(x, A) = Target from the start value X0, without a bracket.
// Each pass evaluates f and its slope at the current point. When |Target − f| < Tol,
// or the Newton step has shrunk below 1e-10 of the point, the search has converged:
// Root is that evaluated point and Step the Newton step from it (Root + Step is the
// better estimate). Returns false, with Root at the last point, when a value or a
// slope is NaN, the slope is 0 or infinite, a Newton point leaves [Lo, Hi], a step
// after the second brings the value no nearer the target, or kNewtonRootPassLimit
// passes run out; the caller then falls back to a bracketing search. No point
// outside [Lo, Hi] is evaluated (X0 itself must lie inside).
bool NewtonRootA(SlopeFunctionA f, double A, double X0, double Lo, double Hi, double Target, double Tol,
                 double& Root, double& Step);

// Newton's method kept inside an enclosing pair (X, F as a stepping search leaves
// them, or two enclosing points the caller knows). The first point is the secant
// point of the pair; each pass evaluates f and its slope, keeps the two points that
// still enclose the target, and moves to the Newton point when it lies inside them
// and the step is at most half the step before it, else to their midpoint, so that
// the pair shrinks at least as fast as by bisection. Returns the evaluated point
// where |Target − f| < Tol, with Step the Newton step from it (0 when it is not
// defined); the midpoint of the pair (Step 0) once the pair has shrunk below a
// relative width of 1e-10 (relative to the larger end, as RefineRootA), after
// kRefinePassLimit passes, or when a NaN is met. A pair of equal points returns that
// point. Whether f rises or falls is read from the pair, as in the refinement.
double PolishRootA(Pair X, Pair F, SlopeFunctionA f, double A, double Target, double Tol, double& Step);

}  // namespace numerics
