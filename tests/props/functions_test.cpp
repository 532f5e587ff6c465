#include <map>
#include <set>
#include <vector>

#include "props/functions.h"
#include "props/solver.h"
#include "props/transport.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

constexpr double kIn2 = kNaN;  // the dryness of the wet-steam state

// The single-call functions of groups 1–4 in list order, by their mnemonics. A
// mnemonic reads result_inputs: the result quantity, then the inputs in order; "ms"
// asks for metastable steam; a saturation-line function of group 1 takes the
// dryness 1 if its name has "23" (the vapour line), else 0.
const std::vector<std::vector<std::string>> kMnemonics = {
    {"Ts_P", "Ps_T", "V12_T", "V23_T", "I12_T", "I23_T", "S12_T", "S23_T"},
    {"P_TX", "T_PX", "V_PX", "V_TX", "I_PX", "I_TX", "S_PX", "S_TX", "P_TI", "V_TI", "S_TI", "X_TI", "T_PV", "S_PV",
     "I_PV", "X_PV"},
    {"T_PI", "T_PS", "T_VI", "T_VS", "P_TS", "P_TV", "P_VI", "P_VS", "V_PI", "V_PS", "V_TP", "V_TS", "S_PI", "S_TP",
     "S_TV", "S_VI", "I_PS", "I_TP", "I_TS", "I_TV", "I_VS"},
    {"Ims_PS", "Ims_TP", "Sms_PI", "Sms_TP", "Tms_PI", "Tms_PS", "Vms_PI", "Vms_TP"},
};

// A state inside the domain of the functions of a group with the given inputs:
// saturation at 150 °C / 1 MPa; wet steam X = 0.3, I = 1500 kJ/kg or V = 0.1 m3/kg;
// superheated steam at 10 MPa around 400 °C; metastable steam at 0.1 MPa a few
// kelvin below saturation.
std::pair<double, double> SampleInputs(int group, const std::string& inputs) {
  static const std::map<std::string, std::pair<double, double>> kByInputs[] = {
      {{"T", {150, 0}}, {"P", {1, 0}}},
      {{"TX", {150, 0.3}}, {"PX", {1, 0.3}}, {"TI", {150, 1500}}, {"PV", {1, 0.1}}},
      {{"PI", {10, 3100}}, {"PS", {10, 6.3}}, {"VI", {0.03, 3100}}, {"VS", {0.03, 6.3}}, {"TS", {400, 6.3}},
       {"TV", {400, 0.03}}, {"TP", {400, 10}}},
      {{"PS", {0.1, 7.3}}, {"TP", {95, 0.1}}, {"PI", {0.1, 2660}}},
  };
  return kByInputs[group - 1].at(inputs);
}

void ExpectSame(double got, double expected, const std::string& what) {
  EXPECT_TRUE(std::isfinite(expected)) << what;
  EXPECT_NEAR(got, expected, 1e-12 * std::fabs(expected) + 1e-15) << what;
}

TEST(FunctionCatalogue, SingleCallFunctionsMatchTheSolver) {
  for (int g = 1; g <= 4; ++g) {
    const auto group = FunctionsOfGroup(g);
    const auto& names = kMnemonics[g - 1];
    ASSERT_EQ(group.size(), names.size()) << "group " << g;
    for (std::size_t k = 0; k < names.size(); ++k) {
      const FunctionEntry& f = group[k];
      const std::string& name = names[k];
      const std::string what = "code " + std::to_string(f.code) + " " + name;
      EXPECT_EQ(f.nameEn, name) << what;
      EXPECT_EQ(f.nameCs, name) << what;
      const std::string inputs = name.substr(name.find('_') + 1);
      const bool meta = name.find("ms") != std::string::npos;
      const auto [in1, in2] = SampleInputs(g, inputs);
      const bool fixed = inputs.size() == 1;
      const std::int32_t pair = MakePairCode(QuantityOfLetter(inputs[0]), fixed ? kX : QuantityOfLetter(inputs[1]));
      const double v2 = fixed ? (name.find("23") != std::string::npos ? 1.0 : 0.0) : in2;
      const Result c = SolveAll(pair, in1, v2, meta);
      // The sample inputs lie where the function is meant to work.
      EXPECT_LT(c.region, kRegionInputRange) << what;
      if (meta) {
        EXPECT_EQ(c.region, kRegionMetastable) << what;
      }
      const double expected = c.q[QuantityOfLetter(name[0])];
      EXPECT_NE(expected, 0.0) << what;
      ExpectSame(EvaluateFunction(f.code, in1, in2, 123.0), expected, what);
      // The same function with the metastable preference flipped gives a different
      // value at a metastable state, so a wrong preference cannot pass.
      if (meta) {
        const double equilibrium = SolveAll(pair, in1, v2, false).q[QuantityOfLetter(name[0])];
        EXPECT_GT(std::fabs(equilibrium - expected), 1e-6 * std::fabs(expected)) << what;
      }
    }
  }
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
    const Result c = SolveAll(kPairPI, r.P, r.I);
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
  const Result c = SolveAll(kPairPI, 0.1, 2660.0);
  EXPECT_EQ(c.region, kRegionWet);
  EXPECT_NEAR(EvaluateFunction(500, 0.1, 2660.0, 0), c.q[kX], 1e-12);
}

TEST(SupplementaryFunctions, TransportPropertiesOfTheTPState) {
  const double states[][2] = {{25.0, 0.1}, {400.0, 10.0}, {600.0, 1.0}, {200.0, 30.0}};
  for (const auto& s : states) {
    const Result c = SolveAll(kPairTP, s[0], s[1]);
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
  // Superheated steam around 1.3 (1.29 … 1.31 for steam at 1 MPa, 250 °C).
  EXPECT_NEAR(EvaluateFunction(504, 1.0, 3000.0, 0), 1.3, 0.03);
  // Low-pressure steam, nearly an ideal gas of its heat-capacity ratio (~1.32).
  EXPECT_NEAR(EvaluateFunction(504, 0.01, 3000.0, 0), 1.32, 0.03);
  // Out of range: an error, not a value built from zeros.
  EXPECT_EQ(EvaluateFunction(504, 150.0, 3000.0, 0), -1.0);
  EXPECT_EQ(EvaluateFunction(504, 0.0, 3000.0, 0), -1.0);
}

TEST(SupplementaryFunctions, IsentropicHeatDrop) {
  const double P1 = 10.0, I1 = 3400.0, P2 = 0.1;
  const Result start = SolveAll(kPairPI, P1, I1);
  const double h2 = SolveAll(kPairPS, P2, start.q[kS]).q[kI];
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
  const Result start = SolveAll(kPairTP, T1, P1);
  const double h2 = SolveAll(kPairPS, P2, start.q[kS]).q[kI];
  ExpectSame(EvaluateFunction(506, P1, T1, P2), h2 - start.q[kI], "PumpISO");
  // For nearly incompressible water the work is v·Δp: 0.001002 m3/kg × 9.9 MPa.
  EXPECT_NEAR(EvaluateFunction(506, P1, T1, P2), start.q[kV] * (P2 - P1) * 1000.0, 0.05);
  // A "compression" to a lower pressure gives 0, not a negative work.
  EXPECT_EQ(EvaluateFunction(506, P2, T1, P1), 0.0);
  EXPECT_EQ(EvaluateFunction(506, P1, 2000.0, P2), -1.0);
}

// The range of the inputs is checked before the rules that answer 0 (no
// expansion for HISO, a negative work for PumpISO): nonsense is out of range
// (−1, region 9); a valid start with no expansion or compression gives 0.
TEST(SupplementaryFunctions, RangeCheckedBeforeTheZeroRules) {
  const struct {
    int code;
    double in1, in2, in3, value;
    PropertyRegion region;
  } rows[] = {
      {505, 5.0, 99999.0, 10.0, -1.0, kRegionInputRange},   // enthalpy far above the range
      {505, 200.0, 3000.0, 300.0, -1.0, kRegionInputRange},  // start above 100 MPa
      {505, 10.0, 3400.0, 150.0, -1.0, kRegionInputRange},   // valid start, end above 100 MPa
      {505, 10.0, 3400.0, kNaN, -1.0, kRegionInputRange},
      {505, 10.0, 3400.0, 100.0, 0.0, kRegionSteam},         // valid, no expansion
      {506, -1.0, -1.0, -1.0, -1.0, kRegionInputRange},
      {506, 0.1, 20.0, 150.0, -1.0, kRegionInputRange},      // end above 100 MPa
      {506, 10.0, 20.0, 0.1, 0.0, kRegionWater},             // valid, no compression
  };
  for (const auto& r : rows) {
    PropertyRegion region = kRegionNone;
    EXPECT_EQ(EvaluateFunction(r.code, r.in1, r.in2, r.in3, region), r.value) << r.code << " " << r.in1;
    EXPECT_EQ(region, r.region) << r.code << " " << r.in1 << " " << r.in3;
  }
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
