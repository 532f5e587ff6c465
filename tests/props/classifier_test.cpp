// Region classifiers: the region each rule gives at and around its boundaries, the
// scratch fields each path leaves for the evaluator, and the fixed boundary
// constants checked against the equations they were taken from.
#include "props/classifiers.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

struct Field {
  const char* name;
  double SolverScratch::*member;
};

#define IF97_FIELD(f) {#f, &SolverScratch::f}
// Every field of the scratch record, in declaration order.
constexpr Field kFields[] = {
    IF97_FIELD(Ts),      IF97_FIELD(ps),      IF97_FIELD(vLiq),    IF97_FIELD(vVap),    IF97_FIELD(sLiq),
    IF97_FIELD(sVap),    IF97_FIELD(hLiq),    IF97_FIELD(hVap),    IF97_FIELD(TB23),    IF97_FIELD(pB23),
    IF97_FIELD(vB23),    IF97_FIELD(sB23),    IF97_FIELD(hB23),    IF97_FIELD(v100MPa), IF97_FIELD(s100MPa),
    IF97_FIELD(T100MPa), IF97_FIELD(h100MPa), IF97_FIELD(p800C),   IF97_FIELD(s800C),   IF97_FIELD(h800C),
    IF97_FIELD(vPmin),   IF97_FIELD(sPmin),   IF97_FIELD(sWet0),   IF97_FIELD(hWet0),   IF97_FIELD(sWet350),
    IF97_FIELD(hWet350), IF97_FIELD(hWet170),
};
#undef IF97_FIELD
static_assert(std::size(kFields) == sizeof(SolverScratch) / sizeof(double), "every scratch field is listed");

// Names of the non-zero fields, space separated, in declaration order.
std::string WrittenFields() {
  std::string out;
  for (const Field& f : kFields) {
    if (gScratch.*f.member == 0.0) continue;
    if (!out.empty()) out += ' ';
    out += f.name;
  }
  return out;
}

// --- Region and scratch fields of every classifier path ---------------------------

struct PathCase {
  const char* what;
  std::function<PropertyRegion()> classify;
  PropertyRegion region;
  const char* fields;  // the scratch fields the path writes, in declaration order
};

void CheckPaths(const std::vector<PathCase>& cases) {
  for (const PathCase& c : cases) {
    ClearScratch();
    const PropertyRegion r = c.classify();
    EXPECT_EQ(r, c.region) << c.what;
    EXPECT_EQ(WrittenFields(), c.fields) << c.what;
  }
}

TEST(ClassifyTP, PathsAndFields) {
  CheckPaths({
      {"compressed water below P350", [] { return ClassifyTP(50, 1, false); }, 1, "Ts"},
      {"steam below P350", [] { return ClassifyTP(250, 1, false); }, 2, "Ts"},
      {"exactly at Ts(P): superheated steam", [] { return ClassifyTP(100, 0.101417977921, false); }, 2, "Ts"},
      {"water above P350", [] { return ClassifyTP(349.9, 50, false); }, 1, ""},
      {"region 3 above B23", [] { return ClassifyTP(400, 25, false); }, 3, "pB23"},
      {"region 2 below B23", [] { return ClassifyTP(400, 24, false); }, 2, "pB23"},
      {"above 590 °C no B23", [] { return ClassifyTP(590.5, 99, false); }, 2, ""},
      {"590 °C still on B23 branch", [] { return ClassifyTP(590, 100, false); }, 2, "pB23"},
      {"just below 590 °C at 100 MPa", [] { return ClassifyTP(589.9, 100, false); }, 3, "pB23"},
      {"metastable state", [] { return ClassifyTP(30, 0.005, true); }, 8, "Ts hLiq hVap"},
      {"metastable off", [] { return ClassifyTP(30, 0.005, false); }, 1, "Ts"},
      {"above 10 MPa never metastable", [] { return ClassifyTP(300, 10.5, true); }, 1, "Ts"},
      {"T < 0", [] { return ClassifyTP(-1e-9, 1, false); }, 9, ""},
      {"T > 800", [] { return ClassifyTP(Up(800), 1, false); }, 9, ""},
      {"P < Pmin", [] { return ClassifyTP(500, Down(kPmin), false); }, 9, ""},
      {"P > Pmax", [] { return ClassifyTP(500, Up(kPmax), false); }, 9, ""},
      {"corner 0 °C, Pmax", [] { return ClassifyTP(0, kPmax, false); }, 1, ""},
      {"corner 800 °C, low P", [] { return ClassifyTP(800, 0.001, false); }, 2, "Ts"},
  });
}

TEST(ClassifyTP, P350TakesTheSaturationBranch) {
  // At exactly P350 the saturation temperature lies a hair below 350 °C.
  ClearScratch();
  EXPECT_EQ(ClassifyTP(350, kP350, false), 2);
  EXPECT_NE(gScratch.Ts, 0.0);
  EXPECT_EQ(gScratch.pB23, 0.0);
  EXPECT_EQ(ClassifyTP(349.99, kP350, false), 1);
  // Just above it the B23 branch decides. The B23 pressure at 350 °C lies a
  // fraction of a ppb above the rounded P350, so region 3 starts only there.
  ClearScratch();
  EXPECT_EQ(ClassifyTP(350, Up(kP350), false), 2);
  EXPECT_EQ(gScratch.Ts, 0.0);
  EXPECT_NEAR(gScratch.pB23, kP350, 1e-9);
  EXPECT_EQ(ClassifyTP(350, B23Pressure(350), false), 3);
  EXPECT_EQ(ClassifyTP(Down(350), Up(kP350), false), 1);
}

TEST(ClassifyTP, MetastableLimitDecidesWithoutTheEquation) {
  for (double p : {0.1, 1.0, 5.0}) {
    const double limit = MetastableLimitTemperature(p);
    ClearScratch();
    EXPECT_EQ(ClassifyTP(limit + 0.999, p, true), 1) << p;
    EXPECT_EQ(WrittenFields(), "Ts") << p << ": the metastable equation is not evaluated";
    ClearScratch();
    ClassifyTP(limit + 1.001, p, true);
    EXPECT_EQ(WrittenFields(), "Ts hLiq hVap") << p;
  }
}

TEST(ClassifyTV, PathsAndFields) {
  CheckPaths({
      {"compressed water", [] { return ClassifyTV(20, 0.001); }, 1, "ps vLiq v100MPa"},
      {"beyond 100 MPa", [] { return ClassifyTV(20, 0.00095); }, 9, "ps vLiq v100MPa"},
      {"wet", [] { return ClassifyTV(100, 1.0); }, 6, "ps vLiq vVap"},
      {"steam", [] { return ClassifyTV(100, 10.0); }, 2, "ps vLiq vVap vPmin"},
      {"below Pmin", [] { return ClassifyTV(100, 300.0); }, 9, "ps vLiq vVap vPmin"},
      {"steam above B23 volume", [] { return ClassifyTV(400, 0.02); }, 2, "pB23 vB23 vPmin"},
      {"critical wet", [] { return ClassifyTV(360, 0.005); }, 5, "ps vLiq vVap pB23 vB23"},
      {"region 3 liquid side", [] { return ClassifyTV(360, 0.0016); }, 3, "ps vLiq pB23 vB23"},
      {"region 3 vapour side", [] { return ClassifyTV(365, 0.0075); }, 3, "ps vLiq vVap pB23 vB23"},
      {"region 3 above Tc", [] { return ClassifyTV(400, 0.002); }, 3, "pB23 vB23"},
      {"at Vmin3 not evaluated", [] { return ClassifyTV(400, kVmin3); }, 9, "pB23 vB23"},
      {"region 3 beyond 100 MPa", [] { return ClassifyTV(500, 0.0014); }, 9, "pB23 vB23"},
      {"590 °C: region 2 rule", [] { return ClassifyTV(590, 0.01); }, 2, "v100MPa vPmin"},
      {"590 °C below 100 MPa volume", [] { return ClassifyTV(590, 0.002); }, 9, "v100MPa"},
      {"just below 590 °C: B23 rule", [] { return ClassifyTV(Down(590), 0.01); }, 2, "pB23 vB23 vPmin"},
      {"T < 0", [] { return ClassifyTV(-0.001, 1.0); }, 9, ""},
      {"T > 800", [] { return ClassifyTV(800.001, 1.0); }, 9, ""},
  });
}

TEST(ClassifyTV, At350CTheNearCriticalRulesApply) {
  ClearScratch();
  EXPECT_EQ(ClassifyTV(350, 0.005), 5);
  EXPECT_NEAR(gScratch.pB23, kP350, 1e-8);
  EXPECT_NEAR(gScratch.vB23, kSatVapourVolume350, 1e-9);
  ClearScratch();
  EXPECT_EQ(ClassifyTV(Down(350), 0.005), 6);
  EXPECT_EQ(gScratch.pB23, 0.0);
}

TEST(ClassifyTS, PathsAndFields) {
  CheckPaths({
      {"compressed water", [] { return ClassifyTS(20, 0.28); }, 1, "ps sLiq s100MPa"},
      {"beyond 100 MPa", [] { return ClassifyTS(100, 1.2); }, 9, "ps sLiq s100MPa"},
      {"wet", [] { return ClassifyTS(100, 3.0); }, 6, "ps sLiq sVap"},
      {"steam", [] { return ClassifyTS(100, 8.0); }, 2, "ps sLiq sVap sPmin"},
      {"steam near Smax", [] { return ClassifyTS(300, 9.1); }, 2, "ps sLiq sVap sPmin"},
      {"steam above B23", [] { return ClassifyTS(400, 7.0); }, 2, "pB23 sB23 sPmin"},
      {"critical wet", [] { return ClassifyTS(360, 4.0); }, 5, "ps vLiq vVap sLiq sVap pB23 sB23"},
      {"region 3 liquid side", [] { return ClassifyTS(360, 3.9); }, 3, "ps vLiq sLiq pB23 sB23 v100MPa s100MPa"},
      {"region 3 vapour side", [] { return ClassifyTS(365, 5.05); }, 3, "ps vLiq vVap sLiq sVap pB23 sB23"},
      {"region 3 above Tc", [] { return ClassifyTS(400, 4.0); }, 3, "pB23 sB23 v100MPa s100MPa"},
      {"region 3 beyond 100 MPa", [] { return ClassifyTS(400, 3.5); }, 9, "pB23 sB23 v100MPa s100MPa"},
      {"590 °C region 2 rule", [] { return ClassifyTS(590, 7.0); }, 2, "s100MPa sPmin"},
      {"590 °C below 100 MPa entropy", [] { return ClassifyTS(590, 5.0); }, 9, "s100MPa"},
      {"S < 0", [] { return ClassifyTS(100, -1e-12); }, 9, ""},
      {"S > Smax", [] { return ClassifyTS(100, Up(kSmax)); }, 9, ""},
  });
}

TEST(ClassifyTS, At350CTheNearCriticalRulesApply) {
  ClearScratch();
  EXPECT_EQ(ClassifyTS(350, 4.5), 5);
  EXPECT_EQ(ClassifyTS(Down(350), 4.5), 6);
}

TEST(ClassifyTI, PathsAndFields) {
  CheckPaths({
      {"wet", [] { return ClassifyTI(100, 1000); }, 6, "Ts ps hLiq hVap"},
      {"below liquid", [] { return ClassifyTI(100, 400); }, 9, "Ts ps hLiq hVap"},
      {"critical wet", [] { return ClassifyTI(360, 2000); }, 5, "Ts ps vLiq vVap hLiq hVap"},
      {"T > Tc", [] { return ClassifyTI(Up(kCriticalTemperatureC), 2000); }, 9, ""},
      {"T < 0", [] { return ClassifyTI(-1, 100); }, 9, ""},
  });
}

TEST(ClassifyTX, Paths) {
  CheckPaths({
      {"wet", [] { return ClassifyTX(0.5, 100); }, 6, "Ts ps"},
      {"exactly 350 °C is region 6", [] { return ClassifyTX(0.5, 350); }, 6, "Ts ps"},
      {"just above 350 °C", [] { return ClassifyTX(0.5, Up(350)); }, 5, "Ts ps"},
      {"Tc accepted", [] { return ClassifyTX(1, kCriticalTemperatureC); }, 5, "Ts ps"},
      {"above Tc", [] { return ClassifyTX(1, Up(kCriticalTemperatureC)); }, 9, ""},
      {"0 °C, X 0", [] { return ClassifyTX(0, 0); }, 6, "ps"},
      {"X > 1", [] { return ClassifyTX(Up(1), 100); }, 9, ""},
      {"X < 0", [] { return ClassifyTX(-1e-300, 100); }, 9, ""},
      {"T < 0", [] { return ClassifyTX(0.5, -1e-300); }, 9, ""},
  });
}

TEST(ClassifyPX, Paths) {
  CheckPaths({
      {"wet", [] { return ClassifyPX(0.5, 1); }, 6, "Ts ps"},
      {"exactly P350 is region 6", [] { return ClassifyPX(0.5, 16.529164252); }, 6, "Ts ps"},
      {"16.6 MPa", [] { return ClassifyPX(0.5, 16.6); }, 5, "Ts ps"},
      {"Pc accepted", [] { return ClassifyPX(0, kCriticalPressure); }, 5, "Ts ps"},
      {"above Pc", [] { return ClassifyPX(0, Up(kCriticalPressure)); }, 9, ""},
      {"Pmin accepted", [] { return ClassifyPX(1, kPmin); }, 6, "Ts ps"},
      {"below Pmin", [] { return ClassifyPX(1, Down(kPmin)); }, 9, ""},
      {"X > 1", [] { return ClassifyPX(1.5, 1); }, 9, ""},
  });
}

TEST(ClassifyPV, PathsAndFields) {
  CheckPaths({
      {"wet", [] { return ClassifyPV(1, 0.1); }, 6, "Ts vLiq vVap"},
      {"beyond vapour", [] { return ClassifyPV(1, 0.2); }, 9, "Ts vLiq vVap"},
      {"critical wet", [] { return ClassifyPV(20, 0.005); }, 5, "Ts vLiq vVap"},
      {"above Pc", [] { return ClassifyPV(Up(kCriticalPressure), 0.0031); }, 9, ""},
      {"below Pmin", [] { return ClassifyPV(Down(kPmin), 100); }, 9, ""},
  });
}

TEST(ClassifyPS, PathsAndFields) {
  CheckPaths({
      {"steam", [] { return ClassifyPS(1, 7.5, false); }, 2, "Ts sVap s800C"},
      {"beyond 800 °C", [] { return ClassifyPS(1, 9.0, false); }, 9, "Ts sVap s800C"},
      {"wet", [] { return ClassifyPS(1, 5.0, false); }, 6, "Ts sLiq sVap"},
      {"water", [] { return ClassifyPS(1, 1.0, false); }, 1, "Ts sLiq sVap"},
      {"lowest entropy", [] { return ClassifyPS(1, 0.0, false); }, 1, "Ts sLiq sVap"},
      {"equilibrium dryness above 0.95, preference off", [] { return ClassifyPS(0.005, 8.0, false); }, 6,
       "Ts sLiq sVap"},
      {"equilibrium dryness above 0.95, preference on", [] { return ClassifyPS(0.005, 8.0, true); }, 8,
       "Ts sLiq sVap"},
      {"dryness below 0.95 stays wet", [] { return ClassifyPS(0.005, 6.0, true); }, 6, "Ts sLiq sVap"},
      {"steam above B23", [] { return ClassifyPS(20, 6.0, false); }, 2, "TB23 sB23 s800C"},
      {"beyond 800 °C above B23", [] { return ClassifyPS(20, 7.5, false); }, 9, "TB23 sB23 s800C"},
      {"water above P350", [] { return ClassifyPS(20, 1.0, false); }, 1, "TB23 sB23"},
      {"region 3 above Pc", [] { return ClassifyPS(30, 4.0, false); }, 3, "TB23 sB23"},
      {"critical wet", [] { return ClassifyPS(20, 4.4, false); }, 5, "Ts vLiq vVap sLiq sVap TB23 sB23"},
      {"region 3 liquid side", [] { return ClassifyPS(20, 3.8, false); }, 3, "Ts vLiq sLiq TB23 sB23"},
      {"region 3 vapour side", [] { return ClassifyPS(20, 5.0, false); }, 3, "Ts vLiq vVap sLiq sVap TB23 sB23"},
      {"P above Pmax", [] { return ClassifyPS(Up(kPmax), 5.0, false); }, 9, ""},
      {"S above Smax", [] { return ClassifyPS(kPmin, Up(kSmax), false); }, 9, ""},
  });
}

TEST(ClassifyPS, P350TakesTheSaturationBranch) {
  ClearScratch();
  EXPECT_EQ(ClassifyPS(kP350, 5.0, false), 6);
  EXPECT_EQ(gScratch.TB23, 0.0);
  ClearScratch();
  EXPECT_EQ(ClassifyPS(Up(kP350), 5.0, false), 5);
  EXPECT_NEAR(gScratch.TB23, 350.0, 1e-6);
}

TEST(ClassifyPS, MetastableOnlyUpTo10MPa) {
  const double ts = SatTemperature(10);
  const double s = Region1S(ts, 10) + 0.98 * (Region2S(ts, 10) - Region1S(ts, 10));
  EXPECT_EQ(ClassifyPS(10, s, true), 8);
  EXPECT_EQ(ClassifyPS(Up(10), s, true), 6);
  const double s90 = Region1S(ts, 10) + 0.90 * (Region2S(ts, 10) - Region1S(ts, 10));
  EXPECT_EQ(ClassifyPS(10, s90, true), 6);
}

TEST(ClassifyPI, PathsAndFields) {
  CheckPaths({
      {"steam", [] { return ClassifyPI(1, 3000, false); }, 2, "Ts ps hVap h800C"},
      {"wet", [] { return ClassifyPI(1, 2000, false); }, 6, "Ts ps hLiq hVap"},
      {"metastable", [] { return ClassifyPI(1, 2700, true); }, 8, "Ts ps hLiq hVap"},
      {"water", [] { return ClassifyPI(1, 500, false); }, 1, "Ts ps hLiq hVap"},
      {"below 0 °C", [] { return ClassifyPI(1, 0.5, false); }, 9, "Ts ps hLiq hVap"},
      {"steam above B23", [] { return ClassifyPI(20, 3000, false); }, 2, "TB23 hB23 h800C"},
      {"beyond 800 °C", [] { return ClassifyPI(20, 4150, false); }, 9, "TB23 hB23 h800C"},
      {"critical wet", [] { return ClassifyPI(20, 2000, false); }, 5, "Ts vLiq vVap hLiq hVap TB23 hB23"},
      {"region 3 above Pc", [] { return ClassifyPI(50, 2000, false); }, 3, "TB23 hB23"},
      {"I above Imax", [] { return ClassifyPI(1, Up(kImax), false); }, 9, ""},
      {"I below 0", [] { return ClassifyPI(1, -1e-9, false); }, 9, ""},
  });
}

TEST(ClassifyVS, PathsAndFields) {
  const double v4 = 0.004;  // dry isochore that reaches 100 MPa before 800 °C
  const double s4 = 0.5 * (Entropy3(B23TemperatureFromVolume(v4), v4) +
                           Region2S(Temperature100MPaFromVolume(v4), kPmax));
  const double v6 = 0.006;  // dry isochore between VB100 and VB350
  const double s6 = 0.5 * (Entropy3(B23TemperatureFromVolume(v6), v6) +
                           Region2S(kTmax, Pressure800CFromVolume(v6)));
  CheckPaths({
      {"steam", [] { return ClassifyVS(1.0, 8.0); }, 2, "Ts ps sVap p800C s800C"},
      {"beyond 800 °C", [] { return ClassifyVS(1.0, 9.0); }, 9, "Ts ps sVap p800C s800C"},
      {"region 3", [] { return ClassifyVS(0.005, 4.85438792); }, 3, "Ts ps sVap TB23 pB23 sB23"},
      {"steam up to 100 MPa", [=] { return ClassifyVS(v4, s4); }, 2, "Ts ps sVap TB23 pB23 sB23 s100MPa T100MPa"},
      {"steam up to 800 °C", [=] { return ClassifyVS(v6, s6); }, 2, "Ts ps sVap TB23 pB23 sB23 p800C s800C"},
      {"wet", [] { return ClassifyVS(1.0, 5.0); }, 6, "Ts ps sVap sWet0"},
      {"below 0 °C wet line", [] { return ClassifyVS(1.0, 0.01); }, 9, "Ts ps sVap sWet0"},
      {"critical wet", [] { return ClassifyVS(0.005, 4.5); }, 5, "Ts ps sVap sWet350"},
      {"wet below 350 °C", [] { return ClassifyVS(0.005, 4.4); }, 6, "Ts ps sVap sWet0 sWet350"},
      {"V < Vc", [] { return ClassifyVS(Down(kCriticalVolume), 4.4); }, 9, ""},
      {"V > Vmax", [] { return ClassifyVS(Up(kVmax), 9.0); }, 9, ""},
  });
}

TEST(ClassifyVS, ZeroDegreeWetLineIsExcluded) {
  const double v = 100;
  const double sWet0 = 0.044416275205 * v - 0.00019897506062;
  ClearScratch();
  EXPECT_EQ(ClassifyVS(v, sWet0), 9);
  EXPECT_EQ(gScratch.sWet0, sWet0);
  EXPECT_EQ(ClassifyVS(v, Up(sWet0)), 6);
}

TEST(ClassifyVI, PathsAndFields) {
  CheckPaths({
      {"steam", [] { return ClassifyVI(1.0, 2900); }, 2, "Ts ps hVap p800C h800C"},
      {"region 3", [] { return ClassifyVI(0.005, 2375.12401); }, 3, "Ts ps hVap TB23 pB23 hB23"},
      {"wet", [] { return ClassifyVI(1.0, 1500); }, 6, "Ts ps hVap hWet0"},
      // Near 0 °C the saturated-vapour enthalpy lies below its 350 °C value, so the
      // 350 °C line is evaluated too; it lies far above and does not decide.
      {"wet, cold isochore", [] { return ClassifyVI(50.0, 1500); }, 6, "Ts ps hVap hWet0 hWet350"},
      {"critical wet", [] { return ClassifyVI(0.005, 2100); }, 5, "Ts ps hVap hWet350"},
      {"wet below 350 °C", [] { return ClassifyVI(0.005, 2000); }, 6, "Ts ps hVap hWet0 hWet350"},
      {"I > Imax", [] { return ClassifyVI(1.0, Up(kImax)); }, 9, ""},
  });
}

TEST(ClassifySX, DrynessBands) {
  CheckPaths({
      {"X 0.5 unsupported", [] { return ClassifySX(0.5, 4.0); }, 9, "sWet0 sWet350"},
      {"X 0.7001 wet", [] { return ClassifySX(0.7001, 5.0); }, 6, "sWet0 sWet350"},
      {"X 0.7001 critical", [] { return ClassifySX(0.7001, 4.5); }, 5, "sWet0 sWet350"},
      {"X just below 0.7001", [] { return ClassifySX(0.7, 5.0); }, 9, "sWet0 sWet350"},
      {"X 0.3001 wet", [] { return ClassifySX(0.3001, 3.0); }, 6, "sWet0 sWet350"},
      {"X 0.3001 critical", [] { return ClassifySX(0.3001, 4.3); }, 5, "sWet0 sWet350"},
      {"X just above 0.3001", [] { return ClassifySX(0.3002, 3.0); }, 9, "sWet0 sWet350"},
      {"reference state", [] { return ClassifySX(0.8, 4.6); }, 5, "sWet0 sWet350"},
      {"dry side below critical entropy", [] { return ClassifySX(0.8, 4.4); }, 9, "sWet0 sWet350"},
      {"dry side at critical entropy", [] { return ClassifySX(0.8, kCriticalEntropy); }, 5, "sWet0 sWet350"},
      {"dry side above 0 °C line", [] { return ClassifySX(0.8, 7.4); }, 9, "sWet0 sWet350"},
      {"wet side at critical entropy", [] { return ClassifySX(0.2, kCriticalEntropy); }, 5, "sWet0 sWet350"},
      {"wet side above critical entropy", [] { return ClassifySX(0.2, Up(kCriticalEntropy)); }, 9, "sWet0 sWet350"},
      {"X 1 saturated vapour", [] { return ClassifySX(1, 6.0); }, 6, "sWet0 sWet350"},
      {"X > 1", [] { return ClassifySX(Up(1), 6.0); }, 9, ""},
  });
}

TEST(ClassifySX, OnThe350CLine) {
  // Dry band: above the 350 °C line is wet steam below 350 °C, on it region 5.
  ClearScratch();
  ClassifySX(0.9, 5.0);
  const double dry = gScratch.sWet350;
  EXPECT_EQ(ClassifySX(0.9, dry), 5);
  EXPECT_EQ(ClassifySX(0.9, Up(dry)), 6);
  // Wet band: below the line is region 6, on it region 5.
  ClearScratch();
  ClassifySX(0.2, 3.0);
  const double wet = gScratch.sWet350;
  EXPECT_EQ(ClassifySX(0.2, wet), 5);
  EXPECT_EQ(ClassifySX(0.2, Down(wet)), 6);
}

TEST(ClassifyIX, The170CBand) {
  CheckPaths({
      {"X 0 lowest", [] { return ClassifyIX(0, -0.04158783); }, 6, "hWet0 hWet170"},
      {"X 0 highest", [] { return ClassifyIX(0, 719.2063979); }, 6, "hWet0 hWet170"},
      {"X 0 above 170 °C", [] { return ClassifyIX(0, Up(719.2063979)); }, 9, "hWet0 hWet170"},
      {"X 0 below 0 °C", [] { return ClassifyIX(0, Down(-0.04158783)); }, 9, "hWet0 hWet170"},
      {"X 1", [] { return ClassifyIX(1, 2600); }, 6, "hWet0 hWet170"},
      {"X 1 above 170 °C", [] { return ClassifyIX(1, 2768); }, 9, "hWet0 hWet170"},
      {"reference reject", [] { return ClassifyIX(0.5, 500); }, 9, "hWet0 hWet170"},
      {"X < 0", [] { return ClassifyIX(-0.1, 100); }, 9, ""},
  });
}

// --- Values the classifiers leave in the scratch ----------------------------------

TEST(Classifiers, ScratchValues) {
  const double ts005 = SatTemperature(0.005);
  struct Row {
    const char* what;
    std::function<PropertyRegion()> classify;
    PropertyRegion region;
    double SolverScratch::*field;
    double expected, tol;  // tol -1: equal to four units in the last place
  };
  const Row rows[] = {
      {"TP B23 pressure at 400 °C", [] { return ClassifyTP(400, 25, false); }, 3, &SolverScratch::pB23, 24.2356, 1e-4},
      {"TP metastable Ts", [] { return ClassifyTP(30, 0.005, true); }, 8, &SolverScratch::Ts, 32.9, 0.05},
      {"TP metastable h'", [] { return ClassifyTP(30, 0.005, true); }, 8, &SolverScratch::hLiq,
       Region1I(ts005, 0.005), -1},
      {"TP metastable h''", [] { return ClassifyTP(30, 0.005, true); }, 8, &SolverScratch::hVap,
       Region2I(ts005, 0.005), -1},
      {"TV ps at 360 °C", [] { return ClassifyTV(360, 0.005); }, 5, &SolverScratch::ps, 18.6664034, 1e-6},
      {"TV v' at 360 °C", [] { return ClassifyTV(360, 0.005); }, 5, &SolverScratch::vLiq, 0.0018945130, 2e-8},
      {"TV v'' at 360 °C", [] { return ClassifyTV(360, 0.005); }, 5, &SolverScratch::vVap, 0.0069449400, 7e-8},
      {"TS ps at 360 °C", [] { return ClassifyTS(360, 4.0); }, 5, &SolverScratch::ps, 18.6664, 1e-4},
      {"TS s' at 360 °C", [] { return ClassifyTS(360, 4.0); }, 5, &SolverScratch::sLiq, 3.9164, 1e-4},
      {"TS s'' at 360 °C", [] { return ClassifyTS(360, 4.0); }, 5, &SolverScratch::sVap, 5.0527, 1e-4},
      {"TI h' at 373.9 °C", [] { return ClassifyTI(373.9, 2100); }, 5, &SolverScratch::hLiq, 2055.86, 0.05},
      {"TI h'' at 373.9 °C", [] { return ClassifyTI(373.9, 2100); }, 5, &SolverScratch::hVap, 2121.78, 0.05},
      {"PV Ts at 20 MPa", [] { return ClassifyPV(20, 0.005); }, 5, &SolverScratch::Ts, 365.7459, 1e-4},
      // At P350 cut to nine decimals the saturation temperature lies just below 350 °C.
      {"PX Ts at P350", [] { return ClassifyPX(0.5, 16.529164252); }, 6, &SolverScratch::Ts, 350.0 - 5e-9, 4.99e-9},
  };
  for (const Row& r : rows) {
    ClearScratch();
    EXPECT_EQ(r.classify(), r.region) << r.what;
    if (r.tol < 0) {
      EXPECT_DOUBLE_EQ(gScratch.*r.field, r.expected) << r.what;
    } else {
      EXPECT_NEAR(gScratch.*r.field, r.expected, r.tol) << r.what;
    }
  }
}

// The saturated values themselves belong to the wet range; their next doubles do not.
TEST(Classifiers, SaturatedValuesEndTheWetRange) {
  struct Row {
    const char* what;
    std::function<PropertyRegion(double)> classify;
    double wet;  // a value inside the wet range
    double SolverScratch::*lo, SolverScratch::*hi;  // the ends as the scratch holds them, or
    double loValue, hiValue;                         // computed here
    PropertyRegion inside, below, above;
  };
  using S = SolverScratch;
  const double ts1 = SatTemperature(1);
  const Row rows[] = {
      {"TI at 100 °C", [](double h) { return ClassifyTI(100, h); }, 1000, &S::hLiq, &S::hVap, 0, 0, 6, 9, 9},
      {"PV at 20 MPa", [](double v) { return ClassifyPV(20, v); }, 0.005, &S::vLiq, &S::vVap, 0, 0, 5, 9, 9},
      {"PS at 1 MPa", [](double s) { return ClassifyPS(1, s, false); }, 5.0, nullptr, nullptr, Region1S(ts1, 1),
       Region2S(ts1, 1), 6, 1, 2},
  };
  for (const Row& r : rows) {
    ClearScratch();
    EXPECT_EQ(r.classify(r.wet), r.inside) << r.what;
    const double lo = r.lo ? gScratch.*r.lo : r.loValue, hi = r.hi ? gScratch.*r.hi : r.hiValue;
    EXPECT_EQ(r.classify(lo), r.inside) << r.what;
    EXPECT_EQ(r.classify(hi), r.inside) << r.what;
    EXPECT_EQ(r.classify(Down(lo)), r.below) << r.what;
    EXPECT_EQ(r.classify(Up(hi)), r.above) << r.what;
  }
}

// --- Fixed constants against the equations they come from ---------------------------

// Each named constant against the equation it was taken from.
TEST(Constants, AgreeWithTheirEquations) {
  const struct {
    const char* name;
    double constant, fromEquation, tolerance;
  } kCases[] = {
      {"Pmin", kPmin, SatPressure(kTmin), 1e-12},
      {"P350 on the saturation line", kP350, SatPressure(kT350), 1e-9},
      {"P350 on B23", kP350, B23Pressure(kT350), 1e-9},
      {"B23 reaches Pmax at 590 °C", kPmax, B23Pressure(kT590), 1e-6},
      {"Smax", kSmax, Region2S(kTmin, kPmin), 1e-8},
      {"Imax", kImax, Region2I(kTmax, kPmin), 0.01},
      {"Vmax", kVmax, Region2V(kTmin, kPmin), 1e-6},
      {"v'' at 350 °C", kSatVapourVolume350, Region2V(kT350, kP350), 1e-12},
      {"v' at 350 °C", kSatLiquidVolume350, Region1V(kT350, kP350), 1e-12},
      {"v2 on B23 at 590 °C", kB23Volume590, Region2V(kT590, kPmax), 1e-12},
      {"v2 at 800 °C, 100 MPa", kVB100, Region2V(kTmax, kPmax), 1e-12},
      {"Tc in °C", kCriticalTemperatureC, kCriticalTemperatureK - kKelvin, 1e-12},
      {"vc", kCriticalVolume, 1 / kCriticalDensity, 1e-18},
      {"pc", kCriticalPressure, Pressure3(kCriticalTemperatureC, kCriticalVolume), 1e-6},
      {"sc", kCriticalEntropy, Entropy3(kCriticalTemperatureC, kCriticalVolume), 1e-4},
      {"hc", kCriticalEnthalpy, Enthalpy3(kCriticalTemperatureC, kCriticalVolume), 1e-6},
      {"pc on the saturation line", kCriticalPressure, SatPressure(kCriticalTemperatureC), 1e-6},
  };
  for (const auto& c : kCases) EXPECT_NEAR(c.constant, c.fromEquation, c.tolerance) << c.name;
  EXPECT_LT(kVmin3, Region1V(kT350, kPmax));
  EXPECT_NEAR(Region1V(kT350, kPmax), kVmin3, 1e-5);
}

// The wet-steam lines are the lever rule between the saturated states at 0 °C,
// 170 °C and 350 °C.
TEST(ClassifierConstants, WetLinesInDryness) {
  const double p170 = SatPressure(170);
  for (double x : {0.0, 0.25, 0.8, 1.0}) {
    ClearScratch();
    ClassifySX(x, 5.0);
    EXPECT_NEAR(gScratch.sWet0, (1 - x) * Region1S(0, kPmin) + x * Region2S(0, kPmin), 2e-7) << x;
    EXPECT_NEAR(gScratch.sWet350, (1 - x) * Region1S(350, kP350) + x * Region2S(350, kP350), 2e-7) << x;
    ClearScratch();
    ClassifyIX(x, 100.0);
    EXPECT_NEAR(gScratch.hWet0, (1 - x) * Region1I(0, kPmin) + x * Region2I(0, kPmin), 2e-5) << x;
    EXPECT_NEAR(gScratch.hWet170, (1 - x) * Region1I(170, p170) + x * Region2I(170, p170), 2e-5) << x;
  }
}

// In volume the lines are the lever rule along the isochore between the saturated
// states at 0 °C and 350 °C; the 350 °C line only on the isochores whose vapour line
// lies above 350 °C.
TEST(ClassifierConstants, WetLinesInVolume) {
  auto lever = [](double t, double p, double v, bool enthalpy) {
    const double vl = Region1V(t, p), vv = Region2V(t, p);
    const double yl = enthalpy ? Region1I(t, p) : Region1S(t, p), yv = enthalpy ? Region2I(t, p) : Region2S(t, p);
    return yl + (v - vl) * (yv - yl) / (vv - vl);
  };
  for (double v : {0.004, 0.005, 0.008, 0.0088, 1.0, 100.0}) {
    ClearScratch();
    ClassifyVS(v, 0.001);  // far below every line: the wet side, both lines evaluated where asked
    const double s0 = lever(0, kPmin, v, false), h0 = lever(0, kPmin, v, true);
    if (v >= 0.005) {
      EXPECT_NEAR(gScratch.sWet0, s0, 1e-6 * std::max(1.0, s0)) << v;
    }
    if (v <= 0.008) {
      EXPECT_NEAR(gScratch.sWet350, lever(350, kP350, v, false), 1e-7) << v;
    }
    ClearScratch();
    ClassifyVI(v, 0.001);
    if (v >= 0.005) {
      EXPECT_NEAR(gScratch.hWet0, h0, 1e-6 * std::max(1.0, h0)) << v;
    }
    if (v <= 0.008) {
      EXPECT_NEAR(gScratch.hWet350, lever(350, kP350, v, true), 1e-4) << v;
    }
  }
  EXPECT_NEAR(Region2S(350, kP350), 5.210887825, 1e-8);
  EXPECT_NEAR(Region2I(350, kP350), 2563.5920039, 1e-6);
}

}  // namespace
}  // namespace if97
