// Region classifiers: the region each rule gives at and around its boundaries and the scratch fields each path
// leaves for the evaluator (data/classifier-paths.csv), the ends of the wet ranges, and the wet-steam lines.
#include "props/classifiers.h"

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

#define IF97_FIELD(f) {#f, &SolverScratch::f}
// Every field of the scratch record, in declaration order.
const std::pair<std::string, double SolverScratch::*> kFields[] = {
    IF97_FIELD(Ts),      IF97_FIELD(ps),      IF97_FIELD(vLiq),    IF97_FIELD(vVap),    IF97_FIELD(sLiq),
    IF97_FIELD(sVap),    IF97_FIELD(hLiq),    IF97_FIELD(hVap),    IF97_FIELD(TB23),    IF97_FIELD(pB23),
    IF97_FIELD(vB23),    IF97_FIELD(sB23),    IF97_FIELD(hB23),    IF97_FIELD(v100MPa), IF97_FIELD(s100MPa),
    IF97_FIELD(T100MPa), IF97_FIELD(h100MPa), IF97_FIELD(p800C),   IF97_FIELD(s800C),   IF97_FIELD(h800C),
    IF97_FIELD(vPmin),   IF97_FIELD(sPmin),   IF97_FIELD(sWet0),   IF97_FIELD(hWet0),   IF97_FIELD(sWet350),
    IF97_FIELD(hWet350), IF97_FIELD(hWet170),
};
#undef IF97_FIELD
static_assert(std::size(kFields) == sizeof(SolverScratch) / sizeof(double), "every scratch field is listed");

TEST(Classifiers, RegionsAndScratchOfEveryPath) {
  for (const Row& r : Table("classifier-paths.csv")) {
    SCOPED_TRACE(::testing::Message() << "line " << r.line << ": " << r["case"]);
    State q;
    const PropertyRegion region = ClassifyPair(PairOf(r["pair"]), r("value1"), r("value2"), q, r["meta"] == "1");
    EXPECT_TRUE(r["region"] == "*" || region == r("region")) << "region " << region;
    std::string written;
    for (const auto& [name, member] : kFields)
      if (gScratch.*member != 0.0) written += (written.empty() ? "" : " ") + name;
    EXPECT_TRUE(r["fields"] == "*" || written == r["fields"]) << "fields " << written;
    std::istringstream values(r["values"]);
    for (std::string v; values >> v;) {
      const auto eq = v.find('='), tilde = v.find('~');
      const std::string name = v.substr(0, eq), expected = v.substr(eq + 1, tilde - eq - 1);
      const auto field = std::find_if(std::begin(kFields), std::end(kFields), [&](auto& f) { return f.first == name; });
      ASSERT_NE(field, std::end(kFields)) << name;
      const double tol = tilde == std::string::npos ? HalfLastDigit(expected.c_str()) : Value(v.substr(tilde + 1));
      EXPECT_NEAR(gScratch.*field->second, Value(expected), tol) << name;
    }
  }
}

// The saturated values themselves belong to the wet range; their next doubles do not.
TEST(Classifiers, SaturatedValuesEndTheWetRange) {
  using S = SolverScratch;
  const double ts1 = SatTemperature(1);
  const struct {
    std::function<PropertyRegion(double)> classify;
    double wet;               // a value inside the wet range
    double S::*lo, S::*hi;    // its ends as the scratch holds them, or
    double loValue, hiValue;  // computed here
    PropertyRegion inside, below, above;
  } rows[] = {
      {[](double h) { return ClassifyTI(100, h); }, 1000, &S::hLiq, &S::hVap, 0, 0, 6, 9, 9},
      {[](double v) { return ClassifyPV(20, v); }, 0.005, &S::vLiq, &S::vVap, 0, 0, 5, 9, 9},
      {[](double s) { return ClassifyPS(1, s, false); }, 5.0, nullptr, nullptr, Region1S(ts1, 1), Region2S(ts1, 1), 6,
       1, 2},
  };
  for (const auto& r : rows) {
    ClearScratch();
    EXPECT_EQ(r.classify(r.wet), r.inside) << r.wet;
    const double lo = r.lo ? gScratch.*r.lo : r.loValue, hi = r.hi ? gScratch.*r.hi : r.hiValue;
    EXPECT_EQ(r.classify(lo), r.inside) << r.wet;
    EXPECT_EQ(r.classify(hi), r.inside) << r.wet;
    EXPECT_EQ(r.classify(Down(lo)), r.below) << r.wet;
    EXPECT_EQ(r.classify(Up(hi)), r.above) << r.wet;
  }
  // (S,X) on the 350 °C line: region 5; beside it on the wet-steam side region 6.
  for (double X : {0.9, 0.2}) {
    ClearScratch();
    ClassifySX(X, 5.0);
    const double line = gScratch.sWet350;
    EXPECT_EQ(ClassifySX(X, line), kRegionWetCritical) << X;
    EXPECT_EQ(ClassifySX(X, X > 0.5 ? Up(line) : Down(line)), kRegionWet) << X;
  }
}

// The wet-steam lines of (S,X), (I,X), (V,S) and (V,I) are the lever rule between the saturated states at 0 °C,
// 170 °C and 350 °C: in dryness, or along the isochore (the 350 °C line where the dew point lies above 350 °C).
TEST(Classifiers, WetLinesAreTheLeverRule) {
  const auto lever = [](double t, double p, double x, bool byVolume, bool enthalpy) {
    const double yl = enthalpy ? Region1I(t, p) : Region1S(t, p), yv = enthalpy ? Region2I(t, p) : Region2S(t, p);
    const double w = byVolume ? (x - Region1V(t, p)) / (Region2V(t, p) - Region1V(t, p)) : x;
    return yl + w * (yv - yl);
  };
  for (double x : {0.0, 0.25, 0.8, 1.0}) {
    ClearScratch();
    ClassifySX(x, 5.0);
    EXPECT_NEAR(gScratch.sWet0, lever(0, kPmin, x, false, false), 2e-7) << x;
    EXPECT_NEAR(gScratch.sWet350, lever(350, kP350, x, false, false), 2e-7) << x;
    ClearScratch();
    ClassifyIX(x, 100.0);
    EXPECT_NEAR(gScratch.hWet0, lever(0, kPmin, x, false, true), 2e-5) << x;
    EXPECT_NEAR(gScratch.hWet170, lever(170, SatPressure(170), x, false, true), 2e-5) << x;
  }
  for (double v : {0.004, 0.005, 0.008, 0.0088, 1.0, 100.0}) {
    for (bool enthalpy : {false, true}) {
      ClearScratch();
      (enthalpy ? ClassifyVI : ClassifyVS)(v, 0.001);  // below every line: both lines evaluated where they apply
      const double at0 = lever(0, kPmin, v, true, enthalpy);
      if (v >= 0.005) {
        EXPECT_NEAR(enthalpy ? gScratch.hWet0 : gScratch.sWet0, at0, 1e-6 * std::max(1.0, at0)) << v;
      }
      if (v <= 0.008) {
        EXPECT_NEAR(enthalpy ? gScratch.hWet350 : gScratch.sWet350, lever(350, kP350, v, true, enthalpy),
                    enthalpy ? 1e-4 : 1e-7) << v;
      }
    }
  }
}

}  // namespace
}  // namespace if97
