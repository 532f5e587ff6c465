// Evaluation of the coefficient tables as fixed polynomials: sums of n·x^I·y^J
// over a constant {I, J, n} table.
//
// Everything about the shape of a sum is settled at compile time:
// - a power plan lists the powers of x (and of 1/x) that the tables need and
//   builds each one by a single multiplication of two earlier ones (an addition
//   chain kept shallow), so no general power function is called;
// - the terms are grouped by their x exponent, Σ_I x^I·(Σ_J n·y^J), and both
//   levels are summed as balanced trees of additions, fully unrolled with constant
//   indices.
// At run time a call only multiplies and adds values held on the stack. Derivative
// tables (∂/∂x, ∂/∂y) are derived from a table at compile time as well.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "props/coefficients_forward.h"

namespace if97::coeff {

// ---------------------------------------------------------------- derived tables

// Number of terms with a non-zero I (or J) exponent: the length of the derivative.
template <const auto& Table>
consteval std::size_t CountNonZeroI() {
  std::size_t c = 0;
  for (const auto& t : Table) c += t.I != 0 ? 1 : 0;
  return c;
}
template <const auto& Table>
consteval std::size_t CountNonZeroJ() {
  std::size_t c = 0;
  for (const auto& t : Table) c += t.J != 0 ? 1 : 0;
  return c;
}

// ∂/∂x of Σ n x^I y^J: the table of Σ (n·I) x^(I−1) y^J.
template <const auto& Table>
consteval auto DerivativeX() {
  std::array<Term, CountNonZeroI<Table>()> d{};
  std::size_t k = 0;
  for (const auto& t : Table)
    if (t.I != 0) d[k++] = Term{t.I - 1, t.J, t.n * t.I};
  return d;
}

// ∂/∂y of Σ n x^I y^J: the table of Σ (n·J) x^I y^(J−1).
template <const auto& Table>
consteval auto DerivativeY() {
  std::array<Term, CountNonZeroJ<Table>()> d{};
  std::size_t k = 0;
  for (const auto& t : Table)
    if (t.J != 0) d[k++] = Term{t.I, t.J - 1, t.n * t.J};
  return d;
}

// An ideal-gas table {J, n} as a table of terms with I = 0.
template <const auto& Table>
consteval auto AsTerms() {
  std::array<Term, std::size(Table)> d{};
  for (std::size_t k = 0; k < std::size(Table); ++k) d[k] = Term{0, Table[k].J, Table[k].n};
  return d;
}

namespace detail {
// Not constexpr: reaching it during constant evaluation stops the compilation.
void ExponentIsNotAMultipleOfAQuarter();
void PowerPlanIsTooSmall();
}  // namespace detail

// A table whose I are multiples of 1/4 as a table of terms in 4·I (to be summed
// with powers of x^(1/4)); fails to compile if an I is not a multiple of 1/4.
template <const auto& Table>
consteval auto InQuarters() {
  std::array<Term, std::size(Table)> d{};
  for (std::size_t k = 0; k < std::size(Table); ++k) {
    const double q = Table[k].I * 4.0;
    const int i = static_cast<int>(q);
    if (static_cast<double>(i) != q) detail::ExponentIsNotAMultipleOfAQuarter();
    d[k] = Term{i, Table[k].J, Table[k].n};
  }
  return d;
}

// ---------------------------------------------------------------- power plans

// An addition chain for the positive exponents of one base: entry 0 is the base
// itself, every later entry the product of two earlier ones.
struct Chain {
  static constexpr int kCapacity = 96;
  int count = 0;
  int exponent[kCapacity] = {};
  int lhs[kCapacity] = {};
  int rhs[kCapacity] = {};
  int depth[kCapacity] = {};

  constexpr int Find(int e) const {
    for (int k = 0; k < count; ++k)
      if (exponent[k] == e) return k;
    return -1;
  }

  constexpr int Add(int e, int a, int b) {
    if (count == kCapacity) detail::PowerPlanIsTooSmall();
    exponent[count] = e;
    lhs[count] = a;
    rhs[count] = b;
    depth[count] = a < 0 ? 0 : 1 + (depth[a] > depth[b] ? depth[a] : depth[b]);
    return count++;
  }

  // Makes x^e available (e >= 1): from two present powers that sum to e, the
  // shallowest such pair; otherwise from x^(e/2) and x^(e − e/2).
  constexpr int Ensure(int e) {
    if (count == 0) Add(1, -1, -1);
    if (int k = Find(e); k >= 0) return k;
    int bestA = -1, bestB = -1, bestDepth = 1 << 30;
    for (int a = 0; a < count; ++a) {
      const int b = Find(e - exponent[a]);
      if (b < 0) continue;
      const int d = depth[a] > depth[b] ? depth[a] : depth[b];
      if (d < bestDepth) bestA = a, bestB = b, bestDepth = d;
    }
    if (bestA < 0) {
      bestA = Ensure(e / 2);
      bestB = Ensure(e - e / 2);
    }
    return Add(e, bestA, bestB);
  }
};

// The powers of x one evaluation needs: a chain for x^e (e > 0) and one for
// (1/x)^e (e < 0); x^0 = 1 needs none.
struct PowerPlan {
  Chain positive;
  Chain negative;

  constexpr void Need(int e) {
    if (e > 0) positive.Ensure(e);
    if (e < 0) negative.Ensure(-e);
  }
};

// Plans built from the I (x) or J (y) exponents of one or more tables; exponents
// are added in increasing order so that each new power reuses the ones before.
template <const auto&... Tables>
consteval PowerPlan PlanOfI() {
  PowerPlan p;
  for (int e = -64; e <= 64; ++e) {
    bool needed = false;
    ((needed = needed || [&] { for (const auto& t : Tables) if (t.I == e) return true; return false; }()), ...);
    if (needed) p.Need(e);
  }
  return p;
}
template <const auto&... Tables>
consteval PowerPlan PlanOfJ() {
  PowerPlan p;
  for (int e = -64; e <= 64; ++e) {
    bool needed = false;
    ((needed = needed || [&] { for (const auto& t : Tables) if (t.J == e) return true; return false; }()), ...);
    if (needed) p.Need(e);
  }
  return p;
}

// The values of a plan for one base, on the stack.
template <const PowerPlan& Plan>
class Powers {
 public:
  explicit Powers(double x) {
    if constexpr (Plan.positive.count > 0)
      Fill<false>(pos_, x, std::make_integer_sequence<int, Plan.positive.count>{});
    if constexpr (Plan.negative.count > 0)
      Fill<true>(neg_, 1.0 / x, std::make_integer_sequence<int, Plan.negative.count>{});
  }

  template <int E>
  double Get() const {
    if constexpr (E == 0) {
      return 1.0;
    } else if constexpr (E > 0) {
      constexpr int k = Plan.positive.Find(E);
      static_assert(k >= 0, "power not in the plan");
      return pos_[k];
    } else {
      constexpr int k = Plan.negative.Find(-E);
      static_assert(k >= 0, "power not in the plan");
      return neg_[k];
    }
  }

 private:
  // Entry K of the chain of x (Negative false) or of 1/x (Negative true).
  template <bool Negative, int K>
  static void FillOne(double* v, double base) {
    constexpr const Chain& c = Negative ? Plan.negative : Plan.positive;
    if constexpr (K == 0)
      v[0] = base;
    else
      v[K] = v[c.lhs[K]] * v[c.rhs[K]];
  }
  template <bool Negative, int... K>
  static void Fill(double* v, double base, std::integer_sequence<int, K...>) {
    (FillOne<Negative, K>(v, base), ...);
  }

  double pos_[Plan.positive.count > 0 ? Plan.positive.count : 1];
  double neg_[Plan.negative.count > 0 ? Plan.negative.count : 1];
};

// ---------------------------------------------------------------- grouped sums

// A table reordered by its x exponent I, with the start of each group of equal I.
template <std::size_t N>
struct GroupedTable {
  Term term[N] = {};
  int groups = 0;
  int begin[N + 1] = {};  // group g is term[begin[g]] … term[begin[g + 1] − 1]
};

template <const auto& Table>
consteval auto Grouped() {
  constexpr std::size_t N = std::size(Table);
  GroupedTable<N> g;
  std::size_t k = 0;
  for (int e = -64; e <= 64; ++e) {
    bool any = false;
    for (const auto& t : Table)
      if (t.I == e) {
        if (!any) g.begin[g.groups++] = static_cast<int>(k);
        any = true;
        g.term[k++] = t;
      }
  }
  g.begin[g.groups] = static_cast<int>(k);
  return g;
}

namespace detail {

template <const auto& G, int Begin, int End, typename PY>
inline double TermSum(const PY& y) {
  if constexpr (End - Begin == 1) {
    constexpr Term t = G.term[Begin];
    return t.n * y.template Get<t.J>();
  } else {
    constexpr int Mid = Begin + (End - Begin) / 2;
    return TermSum<G, Begin, Mid>(y) + TermSum<G, Mid, End>(y);
  }
}

template <const auto& G, int Begin, int End, typename PX, typename PY>
inline double GroupSum(const PX& x, const PY& y) {
  if constexpr (End - Begin == 1) {
    constexpr int I = G.term[G.begin[Begin]].I;
    const double inner = TermSum<G, G.begin[Begin], G.begin[Begin + 1]>(y);
    if constexpr (I == 0)
      return inner;
    else
      return x.template Get<I>() * inner;
  } else {
    constexpr int Mid = Begin + (End - Begin) / 2;
    return GroupSum<G, Begin, Mid>(x, y) + GroupSum<G, Mid, End>(x, y);
  }
}

}  // namespace detail

// A table grouped by its x exponent, as a constant of its own.
template <const auto& Table>
inline constexpr auto kGrouped = Grouped<Table>();

// Σ n x^I y^J over a table, with the powers of x and y already formed (their
// plans must cover the table's exponents).
template <const auto& Table, typename PX, typename PY>
inline double Sum(const PX& x, const PY& y) {
  constexpr auto& g = kGrouped<Table>;
  return detail::GroupSum<g, 0, g.groups>(x, y);
}

// The power plans of x and y that cover a set of tables evaluated together.
template <const auto&... Tables>
struct Basis {
  static constexpr PowerPlan x = PlanOfI<Tables...>();
  static constexpr PowerPlan y = PlanOfJ<Tables...>();
};

// Σ over one table at (x, y), the powers built for exactly its exponents.
template <const auto& Table>
inline double SumAt(double x, double y) {
  const Powers<Basis<Table>::x> px(x);
  const Powers<Basis<Table>::y> py(y);
  return Sum<Table>(px, py);
}

}  // namespace if97::coeff
