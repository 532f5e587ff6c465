// Helpers shared by the property-library tests: the tables of tests/props/data, SolveState,
// the classifiers and evaluators with every unknown asked for, and wet states by the lever rule.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/saturation3.h"
#include "props/solver.h"
#include "props/state.h"
#include "tests/common/csvtable.h"

#ifndef IF97_PROPS_DATA
#error "IF97_PROPS_DATA must name the folder tests/props/data"
#endif

namespace if97::test {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

inline double Up(double x) { return std::nextafter(x, kInf); }
inline double Down(double x) { return std::nextafter(x, -kInf); }

// A number of a data file: a decimal (nan and inf included), a named constant, or up(…) / down(…) for a neighbour.
inline double Value(const std::string& text) {
  static const std::map<std::string, double> kNamed = {
      {"Pmin", kPmin}, {"Pmax", kPmax}, {"P350", kP350}, {"Smax", kSmax}, {"Imax", kImax}, {"Vmax", kVmax},
      {"Vmin3", kVmin3}, {"Vc", kCriticalVolume}, {"Tc", kCriticalTemperatureC}, {"pc", kCriticalPressure},
      {"sc", kCriticalEntropy}, {"hc", kCriticalEnthalpy}, {"VB100", kVB100}, {"vl350", kSatLiquidVolume350},
      {"vv350", kSatVapourVolume350}, {"vB23_590", kB23Volume590}};
  if (text.starts_with("up(") || text.starts_with("down(")) {
    const double x = Value(text.substr(text.find('(') + 1, text.size() - text.find('(') - 2));
    return text[0] == 'u' ? Up(x) : Down(x);
  }
  const auto named = kNamed.find(text);
  return named != kNamed.end() ? named->second : std::strtod(text.c_str(), nullptr);
}

using Row = testdata::Row<Value>;
inline std::vector<Row> Table(const std::string& name) {
  return testdata::ReadCsv<Value>(std::string(IF97_PROPS_DATA) + "/" + name);
}

// Half a unit of the last digit written in a decimal literal such as "0.392294792".
inline double HalfLastDigit(const char* text) {
  const char* dot = std::strchr(text, '.');
  const int decimals = dot ? static_cast<int>(std::strlen(dot + 1)) : 0;
  return 0.5 * std::pow(10.0, -decimals);
}

// True when quantity k is neither input of the pair.
inline bool Unknown(std::int32_t pair, int k) { return k != pair / 10 && k != pair % 10; }

// The six quantities indexed by StateQuantity (element 0 unused).
using State = std::array<double, kQuantityCount + 1>;

struct Result { State q; PropertyRegion region; };

// SolveState with every unknown quantity asked for; `start` is what the caller's cells held before the call.
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

// Clears the scratch and runs the classifier SolveState runs for the pair; `q` receives the two inputs.
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

// The pair's classifier, which must give `region`, then that region's evaluator with every unknown asked for.
inline State Evaluate(PropertyRegion region, std::int32_t pair, double v1, double v2) {
  State q;
  EXPECT_EQ(ClassifyPair(pair, v1, v2, q, region == kRegionMetastable), region) << "pair " << pair << " (" << v1
                                                                                 << ", " << v2 << ")";
  const bool v = Unknown(pair, kV), s = Unknown(pair, kS), i = Unknown(pair, kI);
  if (region == kRegionWet || region == kRegionWetCritical) {
    (region == kRegionWet ? EvaluateWetSteam : EvaluateCriticalWetSteam)(pair, v, s, i, q[kT], q[kP], q[kV], q[kS], q[kI],
                                                                         q[kX]);
  } else {
    (region == kRegionWater ? EvaluateRegion1 : region == kRegionSteam ? EvaluateRegion2 : EvaluateMetastable)(
        pair, v, s, i, q[kT], q[kP], q[kV], q[kS], q[kI]);
  }
  return q;
}

// Lever rule at (T, P): below 350 °C between regions 1 and 2, above it between the saturated region-3 phases.
inline State LeverAt(double T, double P, double X) {
  auto lever = [X](double liq, double vap) { return liq + X * (vap - liq); };
  if (T < 350)
    return {0, T, P, lever(Region1V(T, P), Region2V(T, P)), lever(Region1S(T, P), Region2S(T, P)),
            lever(Region1I(T, P), Region2I(T, P)), X};
  const double vl = SatLiquidVolume3(T, P), vv = SatVapourVolume3(T, P);
  return {0, T, P, lever(vl, vv), lever(Entropy3(T, vl), Entropy3(T, vv)), lever(Enthalpy3(T, vl), Enthalpy3(T, vv)),
          X};
}

// A wet state computed independently of the evaluators, at (T, ps(T)).
inline State WetState(double T, double X) { return LeverAt(T, SatPressure(T), X); }

inline double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// Accuracy of a solved state against an independent one (the header of reference-states.csv explains it).
struct Tolerance { double T, relP, relV, S, I, X; };

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

// The pair code of two letters such as "TP" (lower quantity first).
inline std::int32_t PairOf(const std::string& letters) {
  return MakePairCode(QuantityOfLetter(letters[0]), QuantityOfLetter(letters[1]));
}

}  // namespace if97::test
