// The function catalogue (data/functions.csv), the single-call functions against SolveState, the supplementary
// functions of group 5 against values computed here from SolveState, and the error and region reports.
#include "props/functions.h"

#include "props/transport.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

TEST(FunctionCatalogue, CodesNamesInputsAndLookup) {
  const std::vector<Row> rows = Table("functions.csv");
  const auto catalogue = FunctionCatalogue();
  ASSERT_EQ(catalogue.size(), rows.size());
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const Row& r = rows[n];
    const FunctionEntry& f = catalogue[n];
    const int code = static_cast<int>(r("code"));
    SCOPED_TRACE(r["name_en"]);
    ASSERT_EQ(f.code, code);
    EXPECT_TRUE(f.group == code / 100 && f.index == code % 100 && &FunctionsOfGroup(f.group)[f.index] == &f);
    EXPECT_TRUE(r["name_en"] == f.nameEn && r["name_cs"] == f.nameCs);
    EXPECT_EQ(f.inputCount, static_cast<int>(r["inputs"].size()));
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(f.inputs[k], k < f.inputCount ? QuantityOfLetter(r["inputs"][k]) : 0) << "input " << k;
    EXPECT_EQ(f.resultQuantity, QuantityOfLetter(r["result"][0]));
    EXPECT_TRUE(FindFunction(code) == &f && FindFunctionByName(f.nameEn) == &f && FindFunctionByName(f.nameCs) == &f);
  }
  EXPECT_EQ(static_cast<int>(catalogue.size()), kFunctionCount);
  EXPECT_TRUE(FunctionsOfGroup(0).empty() && FunctionsOfGroup(6).empty());
  for (int bad : {0, 99, 108, 216, 321, 408, 507, -100}) EXPECT_EQ(FindFunction(bad), nullptr) << bad;
  // Names ignoring the case of ASCII letters; nothing for a near miss or nothing.
  EXPECT_EQ(FindFunctionByName("v_tp"), FindFunction(310));
  EXPECT_EQ(FindFunctionByName("thermal conductivity"), FindFunction(503));
  EXPECT_TRUE(FindFunctionByName("V_T") == nullptr && FindFunctionByName("") == nullptr);
  EXPECT_STREQ(FunctionGroupName(2, 0), "Mokrá pára");
  EXPECT_STREQ(FunctionGroupName(3, 1), "Multi regional functions");
  EXPECT_TRUE(FunctionGroupName(6, 1) == nullptr && FunctionGroupName(1, 2) == nullptr);
}

// Groups 1–4: one SolveState call each, named result_inputs; "ms" asks for metastable steam (at the sample state
// the other preference gives another value); a saturation-line function takes the dryness 1 if named "23", else 0.
TEST(FunctionCatalogue, SingleCallFunctionsMatchTheSolver) {
  for (const Row& r : Table("functions.csv")) {
    if (r("code") >= 500) continue;
    const std::string name = r["name_en"], inputs = r["inputs"];
    SCOPED_TRACE(name);
    const bool meta = name.find("ms") != std::string::npos, fixed = inputs.size() == 1;
    const std::int32_t pair = MakePairCode(QuantityOfLetter(inputs[0]), fixed ? kX : QuantityOfLetter(inputs[1]));
    const double v2 = fixed ? (name.find("23") != std::string::npos ? 1.0 : 0.0) : r("in2");
    const Result c = SolveAll(pair, r("in1"), v2, meta);
    ASSERT_EQ(c.region, meta ? kRegionMetastable : c.region);
    ASSERT_LT(c.region, kRegionInputRange);
    const double expected = c.q[QuantityOfLetter(name[0])];
    EXPECT_NE(expected, 0.0);
    EXPECT_NEAR(EvaluateFunction(static_cast<int>(r("code")), r("in1"), r("in2"), 123.0), expected,
                1e-12 * std::fabs(expected));
    if (meta) {
      const double equilibrium = SolveAll(pair, r("in1"), v2, false).q[QuantityOfLetter(name[0])];
      EXPECT_GT(std::fabs(equilibrium - expected), 1e-6 * std::fabs(expected));
    }
  }
}

// Dryness (500) and moisture (501) by the region of the (P, I) state: 0 for water, 1 for steam and region 3, the
// X of wet steam (never metastable); −1 and 2 out of range.
TEST(SupplementaryFunctions, DrynessAndMoisture) {
  const double rows[][3] = {{10, 500, 0}, {1, 3000, 1}, {25, 2000, 1}, {1, 1500, kNaN}, {20, 2000, kNaN},
                            {0.1, 2660, kNaN}, {150, 2000, -1}, {1e-6, 2500, -1}, {kNaN, 2000, -1}};
  for (const auto& r : rows) {
    const Result c = SolveAll(kPairPI, r[0], r[1]);
    const double x = std::isnan(r[2]) ? c.q[kX] : r[2];
    EXPECT_TRUE(!std::isnan(r[2]) || (c.region == kRegionWet || c.region == kRegionWetCritical)) << r[0];
    EXPECT_NEAR(EvaluateFunction(500, r[0], r[1], 0), x, 1e-12) << r[0] << " " << r[1];
    EXPECT_NEAR(EvaluateFunction(501, r[0], r[1], 0), x == -1 ? 2.0 : 1 - x, 1e-12) << r[0] << " " << r[1];
  }
}

TEST(SupplementaryFunctions, TransportKapaHeatDropAndPumpWork) {
  for (auto [T, P] : {std::pair{25.0, 0.1}, {400.0, 10.0}, {600.0, 1.0}, {200.0, 30.0}}) {
    const double V = SolveAll(kPairTP, T, P).q[kV];
    EXPECT_NEAR(EvaluateFunction(502, T, P, 0), DynamicViscosity(T, V), 1e-12 * DynamicViscosity(T, V)) << T;
    EXPECT_NEAR(EvaluateFunction(503, T, P, 0), ThermalConductivity(T, V), 1e-12 * ThermalConductivity(T, V)) << T;
  }
  // Steam near 1.3, and at low pressure nearly the ideal gas's ratio of heat capacities.
  EXPECT_NEAR(EvaluateFunction(504, 1.0, 3000.0, 0), 1.3, 0.03);
  EXPECT_NEAR(EvaluateFunction(504, 0.01, 3000.0, 0), 1.32, 0.03);
  // HISO: h(P1, I1) − h(P2, s1); PumpISO: h(P2, s1) − h(T1, P1), about v·Δp for water.
  const Result hiso = SolveAll(kPairPI, 10, 3400);
  EXPECT_NEAR(EvaluateFunction(505, 10, 3400, 0.1), 3400 - SolveAll(kPairPS, 0.1, hiso.q[kS]).q[kI], 1e-9);
  const Result pump = SolveAll(kPairTP, 20, 0.1);
  const double work = SolveAll(kPairPS, 10, pump.q[kS]).q[kI] - pump.q[kI];
  EXPECT_NEAR(EvaluateFunction(506, 0.1, 20, 10), work, 1e-9);
  EXPECT_NEAR(work, pump.q[kV] * 9.9 * 1000.0, 0.05);
}

// Values and regions at the edges (data/function-edges.csv); unknown codes give -1; no NaN or infinity comes out.
TEST(EvaluateFunction, ValuesAndRegionsAtTheEdges) {
  for (const Row& r : Table("function-edges.csv")) {
    PropertyRegion region = 123;
    EXPECT_EQ(EvaluateFunction(static_cast<int>(r("code")), r("in1"), r("in2"), r("in3"), region), r("value"))
        << "line " << r.line;
    EXPECT_EQ(region, r("region")) << "line " << r.line;
  }
  for (int bad : {0, 216, 321, 408, 507, 600, -1}) EXPECT_EQ(EvaluateFunction(bad, 1, 1, 1), -1.0) << bad;
  for (const auto& f : FunctionCatalogue())
    for (double a : {kNaN, kInf, -kInf, 0.0, -5.0, 1e300})
      for (double b : {kNaN, kInf, 1.0}) EXPECT_TRUE(std::isfinite(EvaluateFunction(f.code, a, b, b))) << f.code;
}

}  // namespace
}  // namespace if97
