// Polynomials with coefficients in fixed-size arrays, evaluated in Horner form.
#pragma once

namespace numerics {

// c[0] + c[1]·x + … + c[N−1]·x^(N−1).
template <int N>
constexpr double Horner(const double (&c)[N], double x) {
  double r = c[N - 1];
  for (int k = N - 2; k >= 0; --k) r = r * x + c[k];
  return r;
}

// Σi r^i · Σk c[i][k]·q^k, both sums in Horner form.
template <int Rows, int Cols>
constexpr double DoublePolynomial(const double (&c)[Rows][Cols], double r, double q) {
  double outer = 0;
  for (int i = Rows - 1; i >= 0; --i) outer = outer * r + Horner(c[i], q);
  return outer;
}

}  // namespace numerics
