// The commands run in-process on string streams. Reference values are the
// verification values of the published IAPWS-IF97 standard: region 1 at 300 K
// and 3 MPa (v = 0.00100215168 m3/kg, h = 115.331273 kJ/kg, s = 0.392294792
// kJ/(kg K)) and the saturation temperature 372.755919 K at 0.1 MPa.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/io.h"

namespace if97::cli {
namespace {

using Args = std::vector<std::string>;

struct CliRun {
  int rc;
  std::string out, err;
};

CliRun RunWith(const Args& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int rc = RunCli(args, in, out, err);
  return {rc, out.str(), err.str()};
}

std::string Joined(const Args& args) {
  std::string s;
  for (const auto& a : args) s += a + " ";
  return s;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream s(text);
  for (std::string part; std::getline(s, part, separator);) parts.push_back(part);
  if (separator == ',' && !text.empty() && text.back() == ',') parts.push_back("");
  return parts;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StateCommand, CompressedWaterInEnglish) {
  const CliRun r = RunWith({"state", "TP", "26.85", "3"});
  EXPECT_EQ(r.rc, 0) << r.err;
  const auto lines = Split(r.out, '\n');
  ASSERT_EQ(lines.size(), 7u) << r.out;
  EXPECT_EQ(lines[0], "Temperature = 26.85 °C");
  EXPECT_EQ(lines[1], "Pressure = 3 MPa");
  EXPECT_EQ(lines[2].rfind("Specific volume = 0.0010021516", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("Specific entropy = 0.39229", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("Specific enthalpy = 115.331", 0), 0u) << lines[4];
  EXPECT_EQ(lines[5], "Dryness = 0");
  EXPECT_EQ(lines[6], "Region = 1 (Pressure water)");
  EXPECT_TRUE(r.err.empty());
  // Letter order, case, a decimal comma and the default language change nothing.
  for (const Args& same : {Args{"state", "PT", "3", "26.85"}, Args{"state", "pt", "3", "26,85"},
                           Args{"state", "--lang", "en", "TP", "26.85", "3"}})
    EXPECT_EQ(RunWith(same).out, r.out) << Joined(same);
  EXPECT_EQ(RunWith({"state", "TX", "100", "0.5", "--lang=cs"}).out,
            RunWith({"state", "TX", "100", "0.5", "--lang", "cs"}).out);
}

// A rejected state (region 9, 10 or 11) prints its seven lines like any other,
// exits with 1 and names its region on standard error in the chosen language.
TEST(StateCommand, RegionsWetSteamAndRejectedStates) {
  const struct {
    Args args;
    std::vector<std::string> parts;
    const char* err;  // nullptr: status 0 and nothing on standard error
  } cases[] = {
      {{"state", "XT", "0.5", "100"},
       {"Pressure = 0.101", "Dryness = 0.5\n", "Region = 6 (Wet steam - subcritical region)"}, nullptr},
      {{"state", "TP", "2000", "1"}, {"Region = 9 (Input parameters are out of range)"},
       "if97 state: the state is outside the supported range (Region 9: Input parameters are out of range)\n"},
      {{"state", "TP", "-5", "1"}, {"Region = 9"}, "(Region 9: "},
      {{"state", "VX", "1", "0.5"}, {"Region = 10 (This combination of parameters is not tuned)"},
       "(Region 10: This combination of parameters is not tuned)"},
      {{"state", "VX", "1", "0.5", "--lang", "cs"}, {"Oblast = 10 "}, "(Oblast 10: Kombinace"},
      // 95 °C at 0.1 MPa is below the saturation temperature: water, or subcooled steam.
      {{"state", "TP", "95", "0.1"}, {"Region = 1 "}, nullptr},
      {{"state", "TP", "95", "0.1", "--metastable"}, {"Region = 8 "}, nullptr},
  };
  for (const auto& c : cases) {
    const CliRun r = RunWith(c.args);
    EXPECT_EQ(r.rc, c.err ? 1 : 0) << Joined(c.args);
    EXPECT_EQ(Split(r.out, '\n').size(), 7u) << Joined(c.args);
    for (const auto& part : c.parts) EXPECT_TRUE(Contains(r.out, part)) << Joined(c.args) << "\n" << r.out;
    EXPECT_TRUE(c.err ? Contains(r.err, c.err) : r.err.empty()) << Joined(c.args) << "\n" << r.err;
  }
}

TEST(Usage, WrongUsageGivesStatusTwo) {
  const Args bad[] = {
      {}, {"nosuch"}, {"state"}, {"state", "TP", "1"}, {"state", "TP", "1", "2", "3"}, {"state", "TQ", "1", "2"},
      {"state", "TT", "1", "2"}, {"state", "TP", "abc", "2"}, {"state", "TP", "1", "nan"},
      {"state", "TP", "1", "2", "--lang"}, {"state", "TP", "1", "2", "--lang", "de"},
      {"state", "TP", "1", "2", "--bogus"}, {"batch", "extra"}, {"batch", "--lang", "cs"}, {"function"},
      {"function", "Nope", "1"}, {"function", "Ts_P"}, {"function", "Ts_P", "1", "2"}, {"function", "HISO", "1", "2"},
      {"function", "V_TP", "1", "x"}, {"function", "999", "1"}, {"function", "--list", "extra"},
      {"function", "Ts_P", "1", "--metastable"},
  };
  for (const auto& args : bad) {
    const CliRun r = RunWith(args);
    EXPECT_EQ(r.rc, 2) << Joined(args);
    EXPECT_FALSE(r.err.empty()) << Joined(args);
    EXPECT_TRUE(r.out.empty()) << Joined(args);
  }
}

TEST(Usage, HelpForEachCommand) {
  const std::pair<Args, const char*> cases[] = {
      {{"--help"}, "Usage"}, {{"state", "--help"}, "if97 state PAIR VALUE1 VALUE2"}, {{"state", "-h"}, "Usage"},
      {{"batch", "--help"}, "pair,value1,value2,T,P,V,S,I,X,region"}, {{"function", "--help"}, "Usage"}};
  for (const auto& [args, part] : cases) {
    const CliRun r = RunWith(args);
    EXPECT_EQ(r.rc, 0) << Joined(args);
    EXPECT_TRUE(Contains(r.out, "Usage") && Contains(r.out, part)) << Joined(args);
    EXPECT_TRUE(r.err.empty()) << Joined(args);
  }
}

TEST(FunctionCommand, ByMnemonicCodeAndName) {
  // Each row: the arguments, the start of the one output line, its end; the
  // other spellings of the same function give the same line.
  const struct {
    Args args;
    const char *start, *end;
    std::vector<Args> same;
  } cases[] = {
      {{"function", "V_TP", "26.85", "3"}, "Specific volume = 0.0010021516", " m3/kg\n",
       {{"function", "310", "26.85", "3"}, {"function", "v_tp", "26,85", "3"}}},
      {{"function", "Ts_P", "0.1"}, "Temperature = 99.60", "\n", {}},
      {{"function", "Ts_P", "0.1", "--lang", "cs"}, "Teplota = 99.60", "\n", {}},
      {{"function", "Dynamic Viscosity", "25", "0.1"}, "Dynamic Viscosity = 89", " E-6 kg/m.s\n",
       {{"function", "Dynamická viskozita", "25", "0.1"}}},
      {{"function", "502", "25", "0.1", "--lang", "cs"}, "Dynamická viskozita = 89", "\n", {}},
      {{"function", "HISO", "10", "3400", "0.1"}, "Isentropic heat drop = ", " kJ/kg\n", {}},
      {{"function", "Dryness", "1", "1500"}, "Dryness = 0.", "\n", {}},
  };
  for (const auto& c : cases) {
    const CliRun r = RunWith(c.args);
    EXPECT_EQ(r.rc, 0) << Joined(c.args) << r.err;
    EXPECT_EQ(r.out.rfind(c.start, 0), 0u) << Joined(c.args) << r.out;
    EXPECT_TRUE(r.out.ends_with(c.end)) << Joined(c.args) << r.out;
    for (const Args& same : c.same) EXPECT_EQ(RunWith(same).out, r.out) << Joined(same);
  }
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

// Inputs out of range are reported before the rule that no expansion gives 0.
// Valid values against textbook steam tables: steam at 10 MPa and 500 °C (3373.7
// kJ/kg) expanded to 0.1 MPa leaves x = 0.874, h = 2391.1 kJ/kg; pumping water of
// 20 °C from 0.1 to 10 MPa takes about v·Δp = 0.001002 m3/kg × 9.9 MPa.
TEST(FunctionCommand, HeatDropAndPumpWorkCheckTheRangeFirst) {
  const struct {
    Args args;
    double value, tolerance;  // value -1: out of range, status 1
  } cases[] = {
      {{"function", "HISO", "1e308", "1e308", "1e308"}, -1.0, 0.0},
      {{"function", "HISO", "-1", "-1", "-1"}, -1.0, 0.0},
      {{"function", "HISO", "5", "99999", "10"}, -1.0, 0.0},
      {{"function", "HISO", "200", "3000", "300"}, -1.0, 0.0},
      {{"function", "HISO", "10", "3373.7", "20"}, 0.0, 0.0},
      {{"function", "HISO", "10", "3373.7", "0.1"}, 3373.7 - 2391.1, 1.0},
      {{"function", "PumpISO", "0.1", "20", "10"}, 0.001002 * 9.9e3, 0.05},
  };
  for (const auto& c : cases) {
    const CliRun r = RunWith(c.args);
    const bool rejected = c.value == -1.0;
    EXPECT_EQ(r.rc, rejected ? 1 : 0) << Joined(c.args);
    EXPECT_EQ(Contains(r.err, "outside the supported range (Region 9: "), rejected) << Joined(c.args) << r.err;
    const auto eq = r.out.find(" = ");
    ASSERT_NE(eq, std::string::npos) << r.out;
    EXPECT_NEAR(std::stod(r.out.substr(eq + 3)), c.value, c.tolerance) << Joined(c.args);
  }
}

TEST(FunctionCommand, ListPrintsTheCatalogue) {
  const CliRun r = RunWith({"function", "--list"});
  EXPECT_EQ(r.rc, 0);
  int functionLines = 0;
  for (const auto& line : Split(r.out, '\n'))
    if (line.size() > 6 && line.rfind("  ", 0) == 0 && line[2] >= '1' && line[2] <= '5') ++functionLines;
  EXPECT_EQ(functionLines, 60) << r.out;
  EXPECT_TRUE(Contains(r.out, "Dynamic Viscosity"));
  const CliRun cs = RunWith({"function", "--list", "--lang", "cs"});
  EXPECT_TRUE(Contains(cs.out, "1 Mez sytosti\n"));
  EXPECT_TRUE(Contains(cs.out, "Tepelná vodivost"));
}

// A bad field as the output echoes it: bytes outside printable ASCII as \xNN, a
// backslash doubled, at most kEchoLimit characters without splitting an escape;
// then the same text as a CSV field.
TEST(BatchCommand, EchoOfABadFieldIsEscapedAndCut) {
  const std::string a199(199, 'a'), a200(200, 'a');
  const struct {
    std::string text, echo, csv;
  } cases[] = {
      {"TP", "TP", "TP"},
      {std::string("T\0P\x1B[2J\x7F", 8), "T\\x00P\\x1B[2J\\x7F", "T\\x00P\\x1B[2J\\x7F"},
      {"25\xC2\xB0 \xFF\\", "25\\xC2\\xB0 \\xFF\\\\", "25\\xC2\\xB0 \\xFF\\\\"},
      {"say \"1\"", "say \"1\"", "\"say \"\"1\"\"\""},
      {a200, a200, a200},
      {a200 + "b", a200 + "…", a200 + "…"},
      {a199 + "\n", a199 + "…", a199 + "…"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EchoText(c.text), c.echo);
    EXPECT_EQ(CsvField(EchoText(c.text)), c.csv);
  }
}

// Lines end at LF, CR LF or a lone CR, also where a block of the reader ends
// between CR and LF; a byte-order mark counts only at the very start.
TEST(BatchCommand, LineEndsAndByteOrderMark) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"\xEF\xBB\xBFTP\r\nab\rc\n\rd", {"TP", "ab", "c", "", "d"}},
      {"\r\n\r\n\n", {"", "", ""}},
      {"abc\r\r\n", {"abc", ""}},
      {"x\xEF\xBB\xBF", {"x\xEF\xBB\xBF"}},
      {"", {}},
  };
  for (const std::size_t block : {std::size_t{4}, std::size_t{1} << 16})
    for (const auto& [text, expected] : cases) {
      std::istringstream in(text);
      LineReader reader(in, block);
      std::vector<std::string> lines;
      std::string line;
      bool cut = true;
      while (reader.Next(line, cut)) lines.push_back(line);
      EXPECT_EQ(lines, expected) << "block " << block << ": " << text;
      EXPECT_FALSE(reader.Error().failed);
    }
  // An overlong line is read to its end but kept only in part: a bad row with a
  // short echo, and the next line is the next row.
  const CliRun r = RunWith({"batch"}, "TP," + std::string(LineReader::kMaxLineBytes, '7') + ",3\nTP,1\n");
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(Split(r.out, '\n').size(), 3u);
  EXPECT_LT(r.out.size() + r.err.size(), 600u);
  EXPECT_TRUE(Contains(r.err, "line 1: line longer than 1048576 bytes\nif97 batch: line 2: expected 3")) << r.err;
}

// The good rows and their values: the cli_run_batch_good run of the executable.
TEST(BatchCommand, EmptyInputAndMetastablePreference) {
  EXPECT_EQ(RunWith({"batch"}, "").out, std::string(kBatchHeader) + "\n");
  EXPECT_EQ(Split(RunWith({"batch"}, "TP,95,0.1\n").out, ',').back(), "1\n");
  EXPECT_EQ(Split(RunWith({"batch", "--metastable"}, "TP,95,0.1\n").out, ',').back(), "8\n");
}

TEST(BatchCommand, BadRowInTheMiddleKeepsTheRowCount) {
  // Each bad row: its text, its output row and the message that names its line.
  const std::pair<const char*, const char*> bad[] = {
      {"TP,abc,3", "if97 batch: line 2: 'abc' is not a number"}, {"TQ,1,2", "line 4: unknown pair 'TQ'"},
      {"TP,1", "line 5: expected 3 fields"},                    {"TP,1,2,3", "line 6: expected 3 fields"},
      {"17,1,2", "line 7: unknown pair '17'"},                  {"TP,nan,3", "line 8: 'nan' is not a number"},
  };
  const char* rows[] = {"TP,abc,3,,,,,,,error", "TQ,1,2,,,,,,,error", "TP,1,,,,,,,,error",
                        "TP,1,2,,,,,,,error",   "17,1,2,,,,,,,error", "TP,nan,3,,,,,,,error"};
  std::string input = "TP,26.85,3\n";
  for (int k = 0; k < 6; ++k) input += std::string(bad[k].first) + (k == 0 ? "\n# skipped\n" : "\n");
  const CliRun r = RunWith({"batch"}, input + "TP,26.85,3\n");
  EXPECT_EQ(r.rc, 1);
  const auto lines = Split(r.out, '\n');
  const auto messages = Split(r.err, '\n');
  ASSERT_EQ(lines.size(), 9u) << r.out;  // header + 8 rows
  ASSERT_EQ(messages.size(), 6u) << r.err;
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(lines[2 + k], rows[k]);
    EXPECT_EQ(Split(lines[2 + k], ',').size(), 10u) << lines[2 + k];
    EXPECT_TRUE(k == 0 ? messages[0] == bad[0].second : Contains(messages[k], bad[k].second)) << messages[k];
  }
  EXPECT_EQ(lines[1], lines[8]);
  EXPECT_EQ(Split(lines[8], ',').back(), "1");
}

}  // namespace
}  // namespace if97::cli
