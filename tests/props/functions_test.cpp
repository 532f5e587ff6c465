#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "props/functions.h"
#include "props/solver.h"
#include "props/transport.h"

namespace if97 {
namespace {

// ---------------------------------------------------------------------------
// The single-call functions, transcribed here independently of the catalogue:
// code, mnemonic, pair, where Value2 comes from (a fixed dryness or input 2),
// the need flags set, the metastable preference and the output cell read.
struct SolveRow {
  int code;
  const char* name;
  int pair;
  double fixedX;  // NaN: Value2 is input 2
  bool needP, needV, needS, needI;
  bool meta;
  int result;
  double in1, in2;  // a state inside the function's domain
};

constexpr double kIn2 = std::numeric_limits<double>::quiet_NaN();
constexpr bool Y = true, N = false;

// Inputs: saturation at 150 °C / 1 MPa; wet steam X = 0.3 or I = 1500 kJ/kg or
// V = 0.1 m3/kg; superheated steam at 10 MPa around 400 °C; metastable steam at
// 0.1 MPa a few kelvin below saturation.
const SolveRow kSolveRows[] = {
    {100, "Ts_P", 26, 0.0, N, N, N, N, N, kT, 1.0, 0},
    {101, "Ps_T", 16, 0.0, Y, N, N, N, N, kP, 150.0, 0},
    {102, "V12_T", 16, 0.0, N, Y, N, N, N, kV, 150.0, 0},
    {103, "V23_T", 16, 1.0, N, Y, N, N, N, kV, 150.0, 0},
    {104, "I12_T", 16, 0.0, N, N, N, Y, N, kI, 150.0, 0},
    {105, "I23_T", 16, 1.0, N, N, N, Y, N, kI, 150.0, 0},
    {106, "S12_T", 16, 0.0, N, N, Y, N, N, kS, 150.0, 0},
    {107, "S23_T", 16, 1.0, N, N, Y, N, N, kS, 150.0, 0},
    {200, "P_TX", 16, kIn2, Y, N, N, N, N, kP, 150.0, 0.3},
    {201, "T_PX", 26, kIn2, N, N, N, N, N, kT, 1.0, 0.3},
    {202, "V_PX", 26, kIn2, N, Y, N, N, N, kV, 1.0, 0.3},
    {203, "V_TX", 16, kIn2, N, Y, N, N, N, kV, 150.0, 0.3},
    {204, "I_PX", 26, kIn2, N, N, N, Y, N, kI, 1.0, 0.3},
    {205, "I_TX", 16, kIn2, N, N, N, Y, N, kI, 150.0, 0.3},
    {206, "S_PX", 26, kIn2, N, N, Y, N, N, kS, 1.0, 0.3},
    {207, "S_TX", 16, kIn2, N, N, Y, N, N, kS, 150.0, 0.3},
    {208, "P_TI", 15, kIn2, Y, N, N, N, N, kP, 150.0, 1500.0},
    {209, "V_TI", 15, kIn2, N, Y, N, N, N, kV, 150.0, 1500.0},
    {210, "S_TI", 15, kIn2, N, N, Y, N, N, kS, 150.0, 1500.0},
    {211, "X_TI", 15, kIn2, N, N, N, N, N, kX, 150.0, 1500.0},
    {212, "T_PV", 23, kIn2, N, N, N, N, N, kT, 1.0, 0.1},
    {213, "S_PV", 23, kIn2, N, N, Y, N, N, kS, 1.0, 0.1},
    {214, "I_PV", 23, kIn2, N, N, N, Y, N, kI, 1.0, 0.1},
    {215, "X_PV", 23, kIn2, N, N, N, N, N, kX, 1.0, 0.1},
    {300, "T_PI", 25, kIn2, N, N, N, N, N, kT, 10.0, 3100.0},
    {301, "T_PS", 24, kIn2, N, N, N, N, N, kT, 10.0, 6.3},
    {302, "T_VI", 35, kIn2, N, N, N, N, N, kT, 0.03, 3100.0},
    {303, "T_VS", 34, kIn2, N, N, N, N, N, kT, 0.03, 6.3},
    {304, "P_TS", 14, kIn2, Y, N, N, N, N, kP, 400.0, 6.3},
    {305, "P_TV", 13, kIn2, Y, N, N, N, N, kP, 400.0, 0.03},
    {306, "P_VI", 35, kIn2, Y, N, N, N, N, kP, 0.03, 3100.0},
    {307, "P_VS", 34, kIn2, Y, N, N, N, N, kP, 0.03, 6.3},
    {308, "V_PI", 25, kIn2, N, Y, N, N, N, kV, 10.0, 3100.0},
    {309, "V_PS", 24, kIn2, N, Y, N, N, N, kV, 10.0, 6.3},
    {310, "V_TP", 12, kIn2, N, Y, N, N, N, kV, 400.0, 10.0},
    {311, "V_TS", 14, kIn2, N, Y, N, N, N, kV, 400.0, 6.3},
    {312, "S_PI", 25, kIn2, N, N, Y, N, N, kS, 10.0, 3100.0},
    {313, "S_TP", 12, kIn2, N, N, Y, N, N, kS, 400.0, 10.0},
    {314, "S_TV", 13, kIn2, N, N, Y, N, N, kS, 400.0, 0.03},
    {315, "S_VI", 35, kIn2, N, N, Y, N, N, kS, 0.03, 3100.0},
    {316, "I_PS", 24, kIn2, N, N, N, Y, N, kI, 10.0, 6.3},
    {317, "I_TP", 12, kIn2, N, N, N, Y, N, kI, 400.0, 10.0},
    {318, "I_TS", 14, kIn2, N, N, N, Y, N, kI, 400.0, 6.3},
    {319, "I_TV", 13, kIn2, N, N, N, Y, N, kI, 400.0, 0.03},
    {320, "I_VS", 34, kIn2, N, N, N, Y, N, kI, 0.03, 6.3},
    {400, "Ims_PS", 24, kIn2, N, N, N, Y, Y, kI, 0.1, 7.3},
    {401, "Ims_TP", 12, kIn2, N, N, N, Y, Y, kI, 95.0, 0.1},
    {402, "Sms_PI", 25, kIn2, N, N, Y, N, Y, kS, 0.1, 2660.0},
    {403, "Sms_TP", 12, kIn2, N, N, Y, N, Y, kS, 95.0, 0.1},
    {404, "Tms_PI", 25, kIn2, N, N, N, N, Y, kT, 0.1, 2660.0},
    {405, "Tms_PS", 24, kIn2, N, N, N, N, Y, kT, 0.1, 7.3},
    {406, "Vms_PI", 25, kIn2, N, Y, N, N, Y, kV, 0.1, 2660.0},
    {407, "Vms_TP", 12, kIn2, N, Y, N, N, Y, kV, 95.0, 0.1},
};

struct Cells {
  double q[7] = {};
  PropertyRegion region = kRegionNone;
};

Cells Solve(int pair, double v1, double v2, bool nP, bool nV, bool nS, bool nI, bool meta) {
  Cells c;
  c.q[pair / 10] = v1;
  c.q[pair % 10] = v2;
  SolveState(pair, nP, nV, v1, v2, nS, nI, meta, c.q[1], c.q[2], c.q[3], c.q[4], c.q[5], c.q[6], c.region);
  return c;
}

void ExpectSame(double got, double expected, const std::string& what) {
  EXPECT_TRUE(std::isfinite(expected)) << what;
  EXPECT_NEAR(got, expected, 1e-12 * std::fabs(expected) + 1e-15) << what;
}

TEST(FunctionCatalogue, SingleCallFunctionsMatchTheSolver) {
  for (const auto& r : kSolveRows) {
    const std::string what = std::string("code ") + std::to_string(r.code) + " " + r.name;
    const double v2 = std::isnan(r.fixedX) ? r.in2 : r.fixedX;
    const Cells c = Solve(r.pair, r.in1, v2, r.needP, r.needV, r.needS, r.needI, r.meta);
    // The sample inputs lie where the function is meant to work.
    EXPECT_LT(c.region, kRegionInputRange) << what;
    if (r.code >= 400) {
      EXPECT_EQ(c.region, kRegionMetastable) << what;
    }
    const double expected = c.q[r.result];
    EXPECT_NE(expected, 0.0) << what;
    ExpectSame(EvaluateFunction(r.code, r.in1, r.in2, 123.0), expected, what);
    // The same function with the metastable preference flipped gives a different
    // value at a metastable state, so a wrong preference cannot pass.
    if (r.code >= 400) {
      const Cells eq = Solve(r.pair, r.in1, v2, r.needP, r.needV, r.needS, r.needI, false);
      EXPECT_GT(std::fabs(eq.q[r.result] - expected), 1e-6 * std::fabs(expected)) << what;
    }
  }
}

TEST(FunctionCatalogue, EntriesMatchTheTable) {
  for (const auto& r : kSolveRows) {
    const std::string what = std::string("code ") + std::to_string(r.code);
    const FunctionEntry* f = FindFunction(r.code);
    ASSERT_NE(f, nullptr) << what;
    EXPECT_EQ(f->code, r.code) << what;
    EXPECT_STREQ(f->nameCs, r.name) << what;
    EXPECT_STREQ(f->nameEn, r.name) << what;
    EXPECT_EQ(f->group, r.code / 100) << what;
    EXPECT_EQ(f->index, r.code % 100) << what;
    EXPECT_EQ(f->method, FunctionMethod::kSolve) << what;
    EXPECT_EQ(f->pair, r.pair) << what;
    EXPECT_EQ(f->needP, r.needP) << what;
    EXPECT_EQ(f->needV, r.needV) << what;
    EXPECT_EQ(f->needS, r.needS) << what;
    EXPECT_EQ(f->needI, r.needI) << what;
    EXPECT_EQ(f->preferMetastable, r.meta) << what;
    EXPECT_EQ(f->resultCell, r.result) << what;
    EXPECT_EQ(f->resultQuantity, r.result) << what;
    EXPECT_EQ(f->hasFixedValue2, !std::isnan(r.fixedX)) << what;
    if (f->hasFixedValue2) {
      EXPECT_EQ(f->fixedValue2, r.fixedX) << what;
    }
    EXPECT_EQ(f->inputCount, r.code < 200 ? 1 : 2) << what;
  }
}

int QuantityOfLetter(char c) {
  const std::string letters = "TPVSIX";
  const auto k = letters.find(c);
  return k == std::string::npos ? 0 : static_cast<int>(k) + 1;
}

// A mnemonic reads result_inputs: the first letter is the result quantity, the
// letters after the underscore the inputs in order; they must agree with the
// entry's quantities, which the window uses for captions and units.
TEST(FunctionCatalogue, MnemonicsAgreeWithQuantities) {
  int mnemonics = 0;
  for (const auto& f : FunctionCatalogue()) {
    if (f.group == 5) continue;
    ++mnemonics;
    const std::string name = f.nameEn;
    const auto us = name.find('_');
    ASSERT_NE(us, std::string::npos) << name;
    EXPECT_EQ(QuantityOfLetter(name[0]), f.resultQuantity) << name;
    const std::string ins = name.substr(us + 1);
    ASSERT_EQ(static_cast<int>(ins.size()), f.inputCount) << name;
    for (int k = 0; k < f.inputCount; ++k) EXPECT_EQ(QuantityOfLetter(ins[k]), f.inputs[k]) << name;
    // Value1 belongs to the lower-numbered quantity of the pair.
    const int second = f.hasFixedValue2 ? kX : f.inputs[1];
    EXPECT_EQ(f.pair, MakePairCode(f.inputs[0], second)) << name;
    EXPECT_LT(f.inputs[0], second) << name;
  }
  EXPECT_EQ(mnemonics, 53);
}

TEST(FunctionCatalogue, GroupsCodesAndLookup) {
  const int sizes[] = {8, 16, 21, 8, 7};
  std::set<int> codes;
  int total = 0;
  for (int g = 1; g <= 5; ++g) {
    const auto group = FunctionsOfGroup(g);
    ASSERT_EQ(static_cast<int>(group.size()), sizes[g - 1]) << "group " << g;
    for (std::size_t k = 0; k < group.size(); ++k) {
      EXPECT_EQ(group[k].code, g * 100 + static_cast<int>(k)) << "group " << g << " item " << k;
      EXPECT_EQ(FindFunction(group[k].code), &group[k]);
      EXPECT_EQ(FindFunctionByName(group[k].nameEn), &group[k]) << group[k].nameEn;
      EXPECT_EQ(FindFunctionByName(group[k].nameCs), &group[k]) << group[k].nameCs;
      codes.insert(group[k].code);
    }
    total += static_cast<int>(group.size());
  }
  EXPECT_EQ(total, 60);
  EXPECT_EQ(codes.size(), 60u);
  EXPECT_EQ(FunctionCatalogue().size(), 60u);
  EXPECT_TRUE(FunctionsOfGroup(0).empty());
  EXPECT_TRUE(FunctionsOfGroup(6).empty());
  for (int bad : {0, 99, 108, 216, 321, 408, 507, -100}) EXPECT_EQ(FindFunction(bad), nullptr) << bad;
  EXPECT_EQ(FindFunctionByName("v_tp"), FindFunction(310));
  EXPECT_EQ(FindFunctionByName("Dynamická viskozita"), FindFunction(502));
  EXPECT_EQ(FindFunctionByName("thermal conductivity"), FindFunction(503));
  EXPECT_EQ(FindFunctionByName("Isentropic Exponent"), FindFunction(504));
  EXPECT_EQ(FindFunctionByName("Vlhkost"), FindFunction(501));
  EXPECT_EQ(FindFunctionByName("Moisture"), FindFunction(501));
  EXPECT_EQ(FindFunctionByName("V_T"), nullptr);
  EXPECT_EQ(FindFunctionByName(""), nullptr);
  EXPECT_STREQ(FunctionGroupName(2, 0), "Mokrá pára");
  EXPECT_STREQ(FunctionGroupName(3, 1), "Multi regional functions");
  EXPECT_EQ(FunctionGroupName(6, 1), nullptr);
  EXPECT_EQ(FunctionGroupName(1, 2), nullptr);
}

TEST(FunctionCatalogue, SupplementaryEntries) {
  struct Row {
    int code;
    const char *cs, *en;
    int count, in1, in2, in3, result;
  };
  const Row rows[] = {
      {500, "Suchost", "Dryness", 2, kP, kI, 0, kX},
      {501, "Vlhkost", "Moisture", 2, kP, kI, 0, kX},
      {502, "Dynamická viskozita", "Dynamic Viscosity", 2, kT, kP, 0, 0},
      {503, "Tepelná vodivost", "Thermal Conductivity", 2, kT, kP, 0, 0},
      {504, "KAPA", "Isentropic Exponent", 2, kP, kI, 0, kX},
      {505, "HISO", "HISO", 3, kP, kI, kP, kI},
      {506, "PumpISO", "PumpISO", 3, kP, kT, kP, kI},
  };
  for (const auto& r : rows) {
    const FunctionEntry* f = FindFunction(r.code);
    ASSERT_NE(f, nullptr) << r.code;
    EXPECT_STREQ(f->nameCs, r.cs);
    EXPECT_STREQ(f->nameEn, r.en);
    EXPECT_EQ(f->inputCount, r.count) << r.code;
    EXPECT_EQ(f->inputs[0], r.in1) << r.code;
    EXPECT_EQ(f->inputs[1], r.in2) << r.code;
    EXPECT_EQ(f->inputs[2], r.in3) << r.code;
    EXPECT_EQ(f->resultQuantity, r.result) << r.code;
  }
}

// ---------------------------------------------------------------------------
// Group 5, against values computed here from SolveState.

TEST(SupplementaryFunctions, DrynessAndMoistureByRegion) {
  struct Row {
    double P, I;
    double dryness;  // NaN: the X cell of the wet-steam state
  };
  const Row rows[] = {
      {10.0, 500.0, 0.0},    // compressed water
      {1.0, 3000.0, 1.0},    // superheated steam
      {25.0, 2000.0, 1.0},   // near-critical single phase
      {1.0, 1500.0, kIn2},   // wet steam below 350 °C
      {20.0, 2000.0, kIn2},  // wet steam above 350 °C
  };
  for (const auto& r : rows) {
    const Cells c = Solve(kPairPI, r.P, r.I, false, false, false, false, false);
    const double expected = std::isnan(r.dryness) ? c.q[kX] : r.dryness;
    if (std::isnan(r.dryness)) {
      EXPECT_TRUE(c.region == kRegionWet || c.region == kRegionWetCritical) << r.P << " " << r.I;
      EXPECT_GT(expected, 0.0);
      EXPECT_LT(expected, 1.0);
    }
    EXPECT_NEAR(EvaluateFunction(500, r.P, r.I, 0), expected, 1e-12) << r.P << " " << r.I;
    EXPECT_NEAR(EvaluateFunction(501, r.P, r.I, 0), 1.0 - expected, 1e-12) << r.P << " " << r.I;
  }
}

TEST(SupplementaryFunctions, UnclassifiableStateGivesMinusOneAndTwo) {
  // Above the pressure limit, below the lowest pressure, and a NaN input.
  const double cases[][2] = {{150.0, 2000.0}, {1e-6, 2500.0}, {std::nan(""), 2000.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(EvaluateFunction(500, c[0], c[1], 0), -1.0) << c[0];
    EXPECT_EQ(EvaluateFunction(501, c[0], c[1], 0), 2.0) << c[0];
  }
}

TEST(SupplementaryFunctions, DrynessDoesNotPreferMetastable) {
  // Only reachable through the (P,I) classifier with the preference set; the
  // dryness function does not set it, so a state just inside the wet region is wet.
  const Cells c = Solve(kPairPI, 0.1, 2660.0, false, false, false, false, false);
  EXPECT_EQ(c.region, kRegionWet);
  EXPECT_NEAR(EvaluateFunction(500, 0.1, 2660.0, 0), c.q[kX], 1e-12);
}

TEST(SupplementaryFunctions, TransportPropertiesOfTheTPState) {
  const double states[][2] = {{25.0, 0.1}, {400.0, 10.0}, {600.0, 1.0}, {200.0, 30.0}};
  for (const auto& s : states) {
    const Cells c = Solve(kPairTP, s[0], s[1], false, true, false, false, false);
    ASSERT_LT(c.region, kRegionInputRange);
    ExpectSame(EvaluateFunction(502, s[0], s[1], 0), DynamicViscosity(s[0], c.q[kV]), "viscosity");
    ExpectSame(EvaluateFunction(503, s[0], s[1], 0), ThermalConductivity(s[0], c.q[kV]), "conductivity");
  }
  // Water at 25 °C and 0.1 MPa: about 890 µPa·s and 607 mW/(m K).
  EXPECT_NEAR(EvaluateFunction(502, 25.0, 0.1, 0), 890.0, 2.0);
  EXPECT_NEAR(EvaluateFunction(503, 25.0, 0.1, 0), 607.0, 3.0);
  // Out of range: no volume, no property.
  EXPECT_EQ(EvaluateFunction(502, 2000.0, 1.0, 0), -1.0);
  EXPECT_EQ(EvaluateFunction(503, 25.0, 200.0, 0), -1.0);
}

TEST(SupplementaryFunctions, IsentropicExponent) {
  const double P = 1.0, I = 3000.0;
  const double s = Solve(kPairPI, P, I, false, true, true, false, false).q[kS];
  const double P1 = 1.000001 * P, P2 = 0.999999 * P;
  const double V1 = Solve(kPairPS, P1, s, false, true, false, false, false).q[kV];
  const double V2 = Solve(kPairPS, P2, s, false, true, false, false, false).q[kV];
  const double expected = -(V1 / P1) * (P1 - P2) / (V1 - V2);
  EXPECT_NEAR(EvaluateFunction(504, P, I, 0), expected, 1e-9);
  // Superheated steam around 1.3 (1.29 … 1.31 for steam at 1 MPa, 250 °C).
  EXPECT_NEAR(EvaluateFunction(504, P, I, 0), 1.3, 0.03);
  // Low-pressure steam, nearly an ideal gas of its heat-capacity ratio (~1.32).
  EXPECT_NEAR(EvaluateFunction(504, 0.01, 3000.0, 0), 1.32, 0.03);
  // Out of range: an error, not a value built from zeros.
  EXPECT_EQ(EvaluateFunction(504, 150.0, 3000.0, 0), -1.0);
  EXPECT_EQ(EvaluateFunction(504, 0.0, 3000.0, 0), -1.0);
}

TEST(SupplementaryFunctions, IsentropicHeatDrop) {
  const double P1 = 10.0, I1 = 3400.0, P2 = 0.1;
  const Cells start = Solve(kPairPI, P1, I1, false, false, true, false, false);
  const double h2 = Solve(kPairPS, P2, start.q[kS], false, false, false, true, false).q[kI];
  ExpectSame(EvaluateFunction(505, P1, I1, P2), I1 - h2, "HISO");
  EXPECT_GT(EvaluateFunction(505, P1, I1, P2), 800.0);
  // No expansion: end pressure at or above the start.
  EXPECT_EQ(EvaluateFunction(505, P1, I1, P1), 0.0);
  EXPECT_EQ(EvaluateFunction(505, P1, I1, 20.0), 0.0);
  // End pressure below the lowest pressure of the range: the end state is out of range.
  EXPECT_EQ(EvaluateFunction(505, P1, I1, 1e-6), -1.0);
  // Start state out of range.
  EXPECT_EQ(EvaluateFunction(505, 150.0, I1, P2), -1.0);
}

TEST(SupplementaryFunctions, IsentropicPumpWork) {
  const double P1 = 0.1, T1 = 20.0, P2 = 10.0;
  const Cells start = Solve(kPairTP, T1, P1, false, true, true, true, false);
  const double h2 = Solve(kPairPS, P2, start.q[kS], false, false, false, true, false).q[kI];
  ExpectSame(EvaluateFunction(506, P1, T1, P2), h2 - start.q[kI], "PumpISO");
  // For nearly incompressible water the work is v·Δp: 0.001002 m3/kg × 9.9 MPa.
  EXPECT_NEAR(EvaluateFunction(506, P1, T1, P2), start.q[kV] * (P2 - P1) * 1000.0, 0.05);
  // A "compression" to a lower pressure gives 0, not a negative work.
  EXPECT_EQ(EvaluateFunction(506, P2, T1, P1), 0.0);
  EXPECT_EQ(EvaluateFunction(506, P1, 2000.0, P2), -1.0);
}

TEST(EvaluateFunction, UnknownCodesAndRegionReport) {
  for (int bad : {0, 108, 216, 321, 408, 507, 600, -1}) EXPECT_EQ(EvaluateFunction(bad, 1, 1, 1), -1.0) << bad;
  PropertyRegion region = 123;
  EXPECT_EQ(EvaluateFunction(108, 1, 1, 1, region), -1.0);
  EXPECT_EQ(region, kRegionNone);
  // A single-call function does not examine the region: out of range gives the
  // solver's zero, and the region code tells why.
  EXPECT_EQ(EvaluateFunction(310, 2000.0, 10.0, 0, region), 0.0);
  EXPECT_EQ(region, kRegionInputRange);
  EvaluateFunction(310, 400.0, 10.0, 0, region);
  EXPECT_EQ(region, kRegionSteam);
  // The first failed call is reported even when a later one succeeds.
  EXPECT_EQ(EvaluateFunction(505, 10.0, 3400.0, 1e-6, region), -1.0);
  EXPECT_EQ(region, kRegionInputRange);
  // A wet-steam function outside the wet region.
  EXPECT_EQ(EvaluateFunction(211, 150.0, 3000.0, 0, region), 0.0);
  EXPECT_EQ(region, kRegionInputRange);
}

TEST(EvaluateFunction, NonFiniteInputsNeverLeakOut) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {std::nan(""), inf, -inf, 0.0, -5.0, 1e300};
  for (const auto& f : FunctionCatalogue())
    for (double a : values)
      for (double b : {values[0], values[1], 1.0}) {
        const double r = EvaluateFunction(f.code, a, b, b);
        EXPECT_TRUE(std::isfinite(r)) << f.code << " " << a << " " << b;
      }
}

}  // namespace
}  // namespace if97
