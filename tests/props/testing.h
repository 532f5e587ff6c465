// Helpers shared by the property-library tests: digits of a written reference
// value, neighbouring doubles, SolveState with every unknown asked for, the
// classifier SolveState would run for a pair, and wet states by the lever rule.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>

#include "props/classifiers.h"
#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/solver.h"
#include "props/state.h"

namespace if97::test {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

inline double Up(double x) { return std::nextafter(x, kInf); }
inline double Down(double x) { return std::nextafter(x, -kInf); }

// Half a unit of the last digit written in a decimal literal such as "0.392294792".
inline double HalfLastDigit(const char* text) {
  const char* dot = std::strchr(text, '.');
  const int decimals = dot ? static_cast<int>(std::strlen(dot + 1)) : 0;
  return 0.5 * std::pow(10.0, -decimals);
}

// `got`, the result of name(x) or name(x, y), agrees with `expected` to the digits
// written there.
inline void ExpectDigits(double got, const char* expected, const char* name, double x, double y = kNaN) {
  ::testing::Message call;
  call << name << "(" << x;
  if (!std::isnan(y)) call << ", " << y;
  EXPECT_NEAR(got, std::strtod(expected, nullptr), HalfLastDigit(expected)) << call << ") should be " << expected;
}

// True when quantity k is neither input of the pair.
inline bool Unknown(std::int32_t pair, int k) { return k != pair / 10 && k != pair % 10; }

// The six quantities indexed by StateQuantity (element 0 unused).
using State = std::array<double, kQuantityCount + 1>;

struct Result {
  State q;
  PropertyRegion region;
};

// SolveState with every unknown quantity asked for; `start` is what the caller's
// cells held before the call.
inline Result SolveAll(std::int32_t pair, double v1, double v2, bool meta = false,
                       State start = {0, 7, 7, 7, 7, 7, 7}) {
  Result r{start, -1};
  SolveState(pair, Unknown(pair, kP), Unknown(pair, kV), v1, v2, Unknown(pair, kS), Unknown(pair, kI), meta,
             r.q[kT], r.q[kP], r.q[kV], r.q[kS], r.q[kI], r.q[kX], r.region);
  return r;
}

inline bool ScratchIsClear() {
  const auto* p = reinterpret_cast<const double*>(&gScratch);
  for (std::size_t i = 0; i < sizeof(SolverScratch) / sizeof(double); ++i)
    if (p[i] != 0.0) return false;
  return true;
}

// Clears the scratch and runs the classifier SolveState runs for the pair; `q`
// receives the two inputs.
inline PropertyRegion ClassifyPair(std::int32_t pair, double v1, double v2, State& q, bool meta = false) {
  ClearScratch();
  q = {};
  q[pair / 10] = v1;
  q[pair % 10] = v2;
  switch (pair) {
    case kPairTP: return ClassifyTP(v1, v2, meta);
    case kPairTV: return ClassifyTV(v1, v2);
    case kPairTS: return ClassifyTS(v1, v2);
    case kPairTI: return ClassifyTI(v1, v2);
    case kPairTX: return ClassifyTX(v2, v1);
    case kPairPV: return ClassifyPV(v1, v2);
    case kPairPS: return ClassifyPS(v1, v2, meta);
    case kPairPI: return ClassifyPI(v1, v2, meta);
    case kPairPX: return ClassifyPX(v2, v1);
    case kPairVS: return ClassifyVS(v1, v2);
    case kPairVI: return ClassifyVI(v1, v2);
    case kPairSX: return ClassifySX(v2, v1);
    case kPairIX: return ClassifyIX(v2, v1);
    default: return kRegionNone;
  }
}

// Lever rule between the region-1 liquid and region-2 vapour at (T, P).
inline State Lever12(double T, double P, double X) {
  auto lever = [X](double liq, double vap) { return liq + X * (vap - liq); };
  return {0, T, P, lever(Region1V(T, P), Region2V(T, P)), lever(Region1S(T, P), Region2S(T, P)),
          lever(Region1I(T, P), Region2I(T, P)), X};
}

// A wet state computed independently of the evaluators: below 350 °C from the
// region-1 and region-2 equations at (T, ps(T)), above it from the saturated
// phases of the region-3 equation.
inline State WetState(double T, double X) {
  const double p = SatPressure(T);
  if (T < 350) return Lever12(T, p, X);
  const double vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p);
  auto lever = [X](double liq, double vap) { return liq + X * (vap - liq); };
  return {0, T, p, lever(vl, vv), lever(Entropy3(T, vl), Entropy3(T, vv)), lever(Enthalpy3(T, vl), Enthalpy3(T, vv)),
          X};
}

inline double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// Accuracy of a solved state against an independent one: T 0.03 K, P and V 0.2 %
// relative, S 0.002, I 1 kJ/kg, X 0.002; region 3 from (P,S) or (P,I): T 1 K,
// V 2 %, S 0.01, I 10; region 2 from (V,S) or (V,I): T 0.5 K, P 0.5 %, S 0.005, I 5.
struct Tolerance {
  double T, relP, relV, S, I, X;
};

inline Tolerance ToleranceFor(std::int32_t pair, PropertyRegion region) {
  if (region == kRegionCritical && (pair == kPairPS || pair == kPairPI)) return {1.0, 2e-3, 2e-2, 0.01, 10.0, 0.002};
  if (region == kRegionSteam && (pair == kPairVS || pair == kPairVI)) return {0.5, 5e-3, 2e-3, 0.005, 5.0, 0.002};
  return {0.03, 2e-3, 2e-3, 0.002, 1.0, 0.002};
}

// The quantities outside the tolerance, as " T 1.5 (expected 1.2)"; empty if none.
inline std::string Deviations(const State& got, const State& expected, const Tolerance& t) {
  const double tol[kQuantityCount + 1] = {0, t.T, t.relP * std::fabs(expected[kP]), t.relV * std::fabs(expected[kV]),
                                          t.S, t.I, t.X};
  std::ostringstream out;
  out.precision(10);
  for (int k = 1; k <= kQuantityCount; ++k)
    if (!(std::fabs(got[k] - expected[k]) <= tol[k]))
      out << " " << " TPVSIX"[k] << " " << got[k] << " (expected " << expected[k] << ", tolerance " << tol[k] << ")";
  return out.str();
}

inline int QuantityOfLetter(char c) {
  const char* letters = "TPVSIX";
  const char* at = c ? std::strchr(letters, c) : nullptr;
  return at ? static_cast<int>(at - letters) + 1 : 0;
}

// States evaluated by an independent implementation of the same equations
// (region 1, 2, or 8 for metastable vapour), T in °C, P in MPa.
struct IndependentState {
  int region;
  double T, P, V, S, I;
};

inline constexpr IndependentState kIndependentStates[] = {
    {1, 41.9772404276033, 0.9451779667920934, 0.0010082446137698942, 0.5983533412013108, 176.6300138577058},
    {1, 177.06701319393642, 51.90902633116239, 0.0010869843316210846, 2.0497486461714733, 778.9373171974055},
    {1, 36.30707657439417, 0.05483054373353474, 0.001006479129925151, 0.5228389846119538, 152.1512796979224},
    {1, 207.75454442046978, 17.209008875741645, 0.0011530610514216403, 2.3789723750820917, 893.44856964452},
    {1, 270.4804435742175, 27.489880266466383, 0.001258619609621883, 2.9222309491216443, 1183.9122331955177},
    {1, 252.30541338876608, 47.939703405530196, 0.0011933357262579897, 2.7243363226345942, 1103.1348997503426},
    {1, 259.3529296065646, 28.506806365699664, 0.001232266316741469, 2.8222348190965696, 1131.3735695257994},
    {1, 83.53732330256689, 5.5821471229534785, 0.0010287891355065077, 1.113471211282061, 354.15849552051515},
    {1, 39.093370995004705, 17.35298954842958, 0.0010000046227656714, 0.5536808527768391, 179.0917972093472},
    {1, 155.6812624033701, 38.21727247834223, 0.001072876984310044, 1.858786396827941, 680.2390441308277},
    {1, 236.7012552072006, 33.3174668381169, 0.001183148362437475, 2.614105122997088, 1028.7046325914173},
    {1, 73.31728345634627, 0.2734107118856177, 0.0010246623997272207, 0.9951473852682343, 307.1114873482381},
    {2, 779.0504043782792, 42.55155315238186, 0.010481518010348885, 6.566629304047396, 3900.1480064855273},
    {2, 640.2779054702634, 98.59413446372282, 0.0030729187997797364, 5.394599846450724, 3072.2680006543765},
    {2, 271.2732902407198, 0.09825206438996818, 2.549979470318635, 8.122239551442412, 3016.9951973010825},
    {2, 232.94476831224512, 0.029691102936653564, 7.857774481777811, 8.532947103064135, 2943.2057929024722},
    {2, 696.9209991244022, 2.8826057464418393, 0.1539922092050028, 7.770645322763542, 3905.9012672801955},
    {2, 336.24069215359725, 0.03370813470019252, 8.338325760448745, 8.844592442037627, 3149.1633656323006},
    {2, 466.05994615132005, 0.15774843961882604, 2.1596252830951044, 8.529672105683753, 3415.9479862653807},
    {2, 93.4596672490387, 0.007195685121859547, 23.487178989791516, 8.567791995001192, 2675.346349953106},
    {2, 596.6165515348557, 0.8340481455547396, 0.47939834369542217, 8.107209178039918, 3692.343065272894},
    {8, 30.164459816186614, 0.013044641618371019, 10.663794963137033, 7.92364813724372, 2551.8158303337077},
    {8, 277.3007786363772, 6.336088104375668, 0.03024873567528545, 5.846651083831958, 2771.2343242489105},
    {8, 152.97553524271092, 0.5538638568177656, 0.3375462172447251, 6.770181129756532, 2745.7951059997076},
    {8, 194.1289771036175, 1.4557786586134678, 0.13434557001036404, 6.436323183800906, 2781.9657613488857},
};

}  // namespace if97::test
