// The numerical routines on cheap target functions: what the routines themselves
// cost per call, apart from the equations they invert.
//
// Inputs are read from volatile variables, and results are passed to DoNotOptimize
// only as const references: with GCC 12 and Google Benchmark 1.7 the non-const
// overload DoNotOptimize(double&) can overwrite the double it is given.
#include <benchmark/benchmark.h>

#include <cmath>

#include "numerics/newton.h"
#include "numerics/roots.h"

namespace {

using namespace numerics;

// A smooth monotone function of about the cost of a short polynomial.
double Poly(double x) { return ((0.02 * x + 0.3) * x + 1.5) * x - 7; }

volatile double gTarget = 40;

template <class T>
void Keep(const T& value) {
  benchmark::DoNotOptimize(value);
}

void BM_StepBracket(benchmark::State& state) {
  for (auto _ : state) {
    Pair X, F;
    StepBracket({0.1, 100}, X, F, Poly, 1, 5, 4, gTarget);
    Keep(X);
  }
}
BENCHMARK(BM_StepBracket);

void BM_RefineRoot(benchmark::State& state) {
  const Pair X{8, 9};
  const Pair F{Poly(8), Poly(9)};
  for (auto _ : state) {
    Keep(RefineRoot(X, F, Poly, gTarget, 1e-9));
  }
}
BENCHMARK(BM_RefineRoot);

// Bracket and refinement with a capturing lambda and a fixed argument, as the
// property library calls them.
void BM_BracketAndRefineA(benchmark::State& state) {
  double scale = 1.0;
  const auto f = [&scale](double x, double a) { return scale * Poly(x) + a; };
  for (auto _ : state) {
    Pair X, F;
    const double target = gTarget;
    StepBracketA({0.1, 100}, X, F, f, 2.0, 1, 5, 4, target);
    Keep(RefineRootA(X, F, f, 2.0, target, ValueTolerance(target, 1e-6, 1e-9)));
  }
}
BENCHMARK(BM_BracketAndRefineA);

void BM_Newton2D(benchmark::State& state) {
  const auto f = [](double u, double w, double& r1, double& r2) {
    r1 = u * w;
    r2 = u + w * w;
  };
  for (auto _ : state) {
    double U = 0, W = 0;
    Newton2D(f, U, W, 1.5, 2.5, 1e-6, gTarget / 40 * 6, 11);
    Keep(U);
    Keep(W);
  }
}
BENCHMARK(BM_Newton2D);

void BM_GaussSolve4(benchmark::State& state) {
  GaussMatrix A0;
  const double m[4][5] = {{1, 2, 0, 1, -0.5}, {2, 1, 1, 0, 3}, {0, 1, 3, 1, 5.5}, {1, 0, 1, 2, 4}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 5; ++j) A0(i + 1, j + 1) = m[i][j];
  for (auto _ : state) {
    GaussMatrix A = A0;
    bool singular = false;
    GaussSolve(A, 4, singular);
    Keep(A);
  }
}
BENCHMARK(BM_GaussSolve4);

}  // namespace
