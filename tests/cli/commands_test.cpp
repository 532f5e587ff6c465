// The commands run in-process on string streams. Reference values are the
// verification values of the published IAPWS-IF97 standard: region 1 at 300 K
// and 3 MPa (v = 0.00100215168 m3/kg, h = 115.331273 kJ/kg, s = 0.392294792
// kJ/(kg K)) and the saturation temperature 372.755919 K at 0.1 MPa.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/commands.h"

namespace if97::cli {
namespace {

struct CliRun {
  int rc;
  std::string out, err;
};

CliRun RunWith(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int rc = RunCli(args, in, out, err);
  return {rc, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream s(text);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> f;
  std::string cur;
  for (char c : row) {
    if (c == ',') {
      f.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  f.push_back(cur);
  return f;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StateCommand, CompressedWaterInEnglish) {
  const CliRun r = RunWith({"state", "TP", "26.85", "3"});
  EXPECT_EQ(r.rc, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 7u) << r.out;
  EXPECT_EQ(lines[0], "Temperature = 26.85 °C");
  EXPECT_EQ(lines[1], "Pressure = 3 MPa");
  EXPECT_EQ(lines[2].rfind("Specific volume = 0.0010021516", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("Specific entropy = 0.39229", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("Specific enthalpy = 115.331", 0), 0u) << lines[4];
  EXPECT_EQ(lines[5], "Dryness = 0");
  EXPECT_EQ(lines[6], "Region = 1 (Pressure water)");
  EXPECT_TRUE(r.err.empty());
}

TEST(StateCommand, LetterOrderCaseAndCommaDoNotMatter) {
  const CliRun a = RunWith({"state", "TP", "26.85", "3"});
  EXPECT_EQ(RunWith({"state", "PT", "3", "26.85"}).out, a.out);
  EXPECT_EQ(RunWith({"state", "pt", "3", "26,85"}).out, a.out);
  EXPECT_EQ(RunWith({"state", "--lang", "en", "TP", "26.85", "3"}).out, a.out);
}

TEST(StateCommand, CzechCaptionsAndRegionNames) {
  const CliRun r = RunWith({"state", "TP", "26.85", "3", "--lang", "cs"});
  EXPECT_EQ(r.rc, 0);
  EXPECT_TRUE(Contains(r.out, "Teplota = 26.85 °C\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Měrný objem = 0.0010021516")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Oblast = 1 (Oblast tlakové vody)\n")) << r.out;
  const CliRun wet = RunWith({"state", "TX", "100", "0.5", "--lang=cs"});
  EXPECT_TRUE(Contains(wet.out, "Oblast = 6 (Mokrá pára - subkritická oblast)")) << wet.out;
}

TEST(StateCommand, WetSteamAndRejectedStatesAreResults) {
  const CliRun wet = RunWith({"state", "XT", "0.5", "100"});
  EXPECT_EQ(wet.rc, 0);
  EXPECT_TRUE(Contains(wet.out, "Pressure = 0.101")) << wet.out;
  EXPECT_TRUE(Contains(wet.out, "Dryness = 0.5\n")) << wet.out;
  EXPECT_TRUE(Contains(wet.out, "Region = 6 (Wet steam - subcritical region)")) << wet.out;
  const CliRun out = RunWith({"state", "TP", "2000", "1"});
  EXPECT_EQ(out.rc, 0);
  EXPECT_TRUE(Contains(out.out, "Region = 9 (Input parameters are out of range)")) << out.out;
  const CliRun neg = RunWith({"state", "TP", "-5", "1"});
  EXPECT_EQ(neg.rc, 0);
  EXPECT_TRUE(Contains(neg.out, "Region = 9")) << neg.out;
  const CliRun vx = RunWith({"state", "VX", "1", "0.5"});
  EXPECT_TRUE(Contains(vx.out, "Region = 10 (This combination of parameters is not tuned)")) << vx.out;
}

TEST(StateCommand, MetastableSwitch) {
  // 95 °C at 0.1 MPa is below the saturation temperature: water, or subcooled steam.
  EXPECT_TRUE(Contains(RunWith({"state", "TP", "95", "0.1"}).out, "Region = 1 "));
  EXPECT_TRUE(Contains(RunWith({"state", "TP", "95", "0.1", "--metastable"}).out, "Region = 8 "));
}

TEST(Usage, WrongUsageGivesStatusTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"nosuch"},
      {"state"},
      {"state", "TP", "1"},
      {"state", "TP", "1", "2", "3"},
      {"state", "TQ", "1", "2"},
      {"state", "TT", "1", "2"},
      {"state", "TP", "abc", "2"},
      {"state", "TP", "1", "nan"},
      {"state", "TP", "1", "2", "--lang"},
      {"state", "TP", "1", "2", "--lang", "de"},
      {"state", "TP", "1", "2", "--bogus"},
      {"batch", "extra"},
      {"batch", "--lang", "cs"},
      {"function"},
      {"function", "Nope", "1"},
      {"function", "Ts_P"},
      {"function", "Ts_P", "1", "2"},
      {"function", "HISO", "1", "2"},
      {"function", "V_TP", "1", "x"},
      {"function", "999", "1"},
      {"function", "--list", "extra"},
      {"function", "Ts_P", "1", "--metastable"},
  };
  for (const auto& args : bad) {
    const CliRun r = RunWith(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(r.rc, 2) << joined;
    EXPECT_FALSE(r.err.empty()) << joined;
    EXPECT_TRUE(r.out.empty()) << joined;
  }
}

TEST(Usage, HelpForEachCommand) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"state", "--help"}, {"batch", "--help"}, {"function", "--help"}, {"state", "-h"}}) {
    const CliRun r = RunWith(args);
    EXPECT_EQ(r.rc, 0) << args[0];
    EXPECT_TRUE(Contains(r.out, "Usage")) << args[0];
    EXPECT_TRUE(r.err.empty());
  }
  EXPECT_TRUE(Contains(RunWith({"state", "--help"}).out, "if97 state PAIR VALUE1 VALUE2"));
  EXPECT_TRUE(Contains(RunWith({"batch", "--help"}).out, "pair,value1,value2,T,P,V,S,I,X,region"));
}

TEST(FunctionCommand, ByMnemonicCodeAndName) {
  const CliRun v = RunWith({"function", "V_TP", "26.85", "3"});
  EXPECT_EQ(v.rc, 0) << v.err;
  EXPECT_EQ(v.out.rfind("Specific volume = 0.0010021516", 0), 0u) << v.out;
  EXPECT_TRUE(Contains(v.out, " m3/kg\n"));
  EXPECT_EQ(RunWith({"function", "310", "26.85", "3"}).out, v.out);
  EXPECT_EQ(RunWith({"function", "v_tp", "26,85", "3"}).out, v.out);

  const CliRun ts = RunWith({"function", "Ts_P", "0.1"});
  EXPECT_EQ(ts.out.rfind("Temperature = 99.60", 0), 0u) << ts.out;
  const CliRun tsCs = RunWith({"function", "Ts_P", "0.1", "--lang", "cs"});
  EXPECT_EQ(tsCs.out.rfind("Teplota = 99.60", 0), 0u) << tsCs.out;

  const CliRun mu = RunWith({"function", "Dynamic Viscosity", "25", "0.1"});
  EXPECT_EQ(mu.rc, 0);
  EXPECT_EQ(mu.out.rfind("Dynamic Viscosity = 89", 0), 0u) << mu.out;
  EXPECT_TRUE(Contains(mu.out, " E-6 kg/m.s\n")) << mu.out;
  EXPECT_EQ(RunWith({"function", "Dynamická viskozita", "25", "0.1"}).out, mu.out);
  EXPECT_TRUE(Contains(RunWith({"function", "502", "25", "0.1", "--lang", "cs"}).out, "Dynamická viskozita = 89"));

  const CliRun hiso = RunWith({"function", "HISO", "10", "3400", "0.1"});
  EXPECT_EQ(hiso.rc, 0);
  EXPECT_EQ(hiso.out.rfind("Isentropic heat drop = ", 0), 0u) << hiso.out;
  EXPECT_TRUE(Contains(hiso.out, " kJ/kg\n"));
  const CliRun dry = RunWith({"function", "Dryness", "1", "1500"});
  EXPECT_EQ(dry.out.rfind("Dryness = 0.", 0), 0u) << dry.out;
}

TEST(FunctionCommand, OutOfRangeIsReported) {
  const CliRun r = RunWith({"function", "V_TP", "2000", "1"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(r.out, "Specific volume = 0 m3/kg\n");
  EXPECT_TRUE(Contains(r.err, "outside the supported range")) << r.err;
  const CliRun m = RunWith({"function", "Moisture", "150", "2000"});
  EXPECT_EQ(m.rc, 1);
  EXPECT_EQ(m.out, "Moisture = 2\n");
}

TEST(FunctionCommand, ListPrintsTheCatalogue) {
  const CliRun r = RunWith({"function", "--list"});
  EXPECT_EQ(r.rc, 0);
  int functionLines = 0;
  for (const auto& line : Lines(r.out))
    if (line.size() > 6 && line.rfind("  ", 0) == 0 && line[2] >= '1' && line[2] <= '5') ++functionLines;
  EXPECT_EQ(functionLines, 60) << r.out;
  EXPECT_TRUE(Contains(r.out, "1 Saturation line\n"));
  EXPECT_TRUE(Contains(r.out, "  100  Ts_P"));
  EXPECT_TRUE(Contains(r.out, "  506  PumpISO"));
  EXPECT_TRUE(Contains(r.out, "Dynamic Viscosity"));
  const CliRun cs = RunWith({"function", "--list", "--lang", "cs"});
  EXPECT_TRUE(Contains(cs.out, "1 Mez sytosti\n"));
  EXPECT_TRUE(Contains(cs.out, "Tepelná vodivost"));
}

TEST(BatchCommand, GoodRowsKeepTheirOrderAndValues) {
  const std::string input =
      "# comment\n"
      "TP,26.85,3\n"
      "\n"
      "PT,3,26.85\r\n"
      "12,26.85,3\n"
      "  TX , 100 , 0.5 \n"
      "TP,2000,1\n";
  const CliRun r = RunWith({"batch"}, input);
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u) << r.out;
  EXPECT_EQ(lines[0], kBatchHeader);
  for (int k = 1; k <= 3; ++k) {
    const auto f = Fields(lines[k]);
    ASSERT_EQ(f.size(), 10u) << lines[k];
    EXPECT_DOUBLE_EQ(std::strtod(f[3].c_str(), nullptr), 26.85) << lines[k];
    EXPECT_DOUBLE_EQ(std::strtod(f[4].c_str(), nullptr), 3.0) << lines[k];
    EXPECT_NEAR(std::strtod(f[5].c_str(), nullptr), 0.00100215168, 2e-12) << lines[k];
    EXPECT_NEAR(std::strtod(f[6].c_str(), nullptr), 0.392294792, 2e-6) << lines[k];
    EXPECT_NEAR(std::strtod(f[7].c_str(), nullptr), 115.331273, 2e-4) << lines[k];
    EXPECT_EQ(f[8], "0");
    EXPECT_EQ(f[9], "1");
  }
  EXPECT_EQ(lines[1].rfind("TP,26.85,3,26.85,3,", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("PT,3,26.85,26.85,3,", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("12,26.85,3,", 0), 0u) << lines[3];
  // The rows of one state are identical apart from the echoed input.
  EXPECT_EQ(lines[1].substr(11), lines[3].substr(11));
  EXPECT_EQ(Fields(lines[4]).front(), "TX");
  EXPECT_EQ(Fields(lines[4]).back(), "6");
  EXPECT_EQ(Fields(lines[5]).back(), "9");  // out of range is a result, not an error
}

TEST(BatchCommand, BadRowInTheMiddleKeepsTheRowCount) {
  const std::string input =
      "TP,26.85,3\n"
      "TP,abc,3\n"
      "# skipped\n"
      "TQ,1,2\n"
      "TP,1\n"
      "TP,1,2,3\n"
      "17,1,2\n"
      "TP,nan,3\n"
      "TP,26.85,3\n";
  const CliRun r = RunWith({"batch"}, input);
  EXPECT_EQ(r.rc, 1);
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 9u) << r.out;  // header + 8 rows
  EXPECT_EQ(lines[2], "TP,abc,3,,,,,,,error");
  EXPECT_EQ(lines[3], "TQ,1,2,,,,,,,error");
  EXPECT_EQ(lines[4], "TP,1,,,,,,,,error");
  EXPECT_EQ(lines[5], "TP,1,2,,,,,,,error");
  EXPECT_EQ(lines[6], "17,1,2,,,,,,,error");
  EXPECT_EQ(lines[7], "TP,nan,3,,,,,,,error");
  for (int k : {2, 3, 4, 5, 6, 7}) EXPECT_EQ(Fields(lines[k]).size(), 10u) << lines[k];
  EXPECT_EQ(lines[1], lines[8]);
  EXPECT_EQ(Fields(lines[8]).back(), "1");
  const auto messages = Lines(r.err);
  ASSERT_EQ(messages.size(), 6u) << r.err;
  EXPECT_EQ(messages[0], "if97 batch: line 2: 'abc' is not a number");
  EXPECT_TRUE(Contains(messages[1], "line 4: unknown pair 'TQ'")) << messages[1];
  EXPECT_TRUE(Contains(messages[2], "line 5: expected 3 fields")) << messages[2];
  EXPECT_TRUE(Contains(messages[3], "line 6: expected 3 fields")) << messages[3];
  EXPECT_TRUE(Contains(messages[4], "line 7: unknown pair '17'")) << messages[4];
  EXPECT_TRUE(Contains(messages[5], "line 8: 'nan' is not a number")) << messages[5];
}

TEST(BatchCommand, EmptyInputGivesTheHeader) {
  const CliRun r = RunWith({"batch"}, "");
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.out, std::string(kBatchHeader) + "\n");
}

TEST(BatchCommand, MetastablePreference) {
  const CliRun plain = RunWith({"batch"}, "TP,95,0.1\n");
  const CliRun meta = RunWith({"batch", "--metastable"}, "TP,95,0.1\n");
  EXPECT_EQ(Fields(Lines(plain.out)[1]).back(), "1");
  EXPECT_EQ(Fields(Lines(meta.out)[1]).back(), "8");
}

}  // namespace
}  // namespace if97::cli
