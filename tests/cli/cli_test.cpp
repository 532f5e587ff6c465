// The command-line tool in-process: parsing and formatting (data/parse.txt), whole
// runs of the commands on string streams (data/commands.txt), the escaped echo of a
// bad field, the line reader, and the texts shared with the window.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/io.h"
#include "cli/parse.h"
#include "cli/texts.h"
#include "res/texttables/texttables.h"

namespace if97::cli {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream s(text);
  for (std::string part; std::getline(s, part, separator);) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

// \n, \r, \t and \\ of a data file.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\' || k + 1 == text.size()) {
      out += text[k];
      continue;
    }
    const char c = text[++k];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

// The cases of a tab-separated data file: comment lines start with '#', the first
// other line names the columns.
std::vector<std::vector<std::string>> Cases(const std::string& name, std::size_t columns) {
  std::ifstream in(std::string(IF97_CLI_DATA) + "/" + name);
  EXPECT_TRUE(in) << name;
  std::vector<std::vector<std::string>> cases;
  bool header = false;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (!header) {
      header = true;
      continue;
    }
    cases.push_back(Split(line, '\t'));
    EXPECT_EQ(cases.back().size(), columns) << line;
    cases.back().resize(columns);
  }
  EXPECT_FALSE(cases.empty()) << name;
  return cases;
}

TEST(Parse, PairsNumbersAndFormats) {
  for (const auto& c : Cases("parse.txt", 3)) {
    const std::string input = Unescape(c[1]), what = c[0] + " '" + c[1] + "'";
    if (c[0] == "letters" || c[0] == "field") {
      const auto p = c[0] == "letters" ? ParsePairLetters(input) : ParsePairField(input);
      EXPECT_EQ(p ? std::to_string(p->code) + (p->swapped ? " swapped" : " kept") : "-", c[2]) << what;
    } else if (c[0] == "number") {
      const auto v = ParseNumber(input);
      EXPECT_TRUE(c[2] == "-" ? !v : v && *v == std::strtod(c[2].c_str(), nullptr)) << what;
    } else {
      const double v = std::strtod(input.c_str(), nullptr);
      const std::string text = c[0] == "roundtrip" ? FormatRoundTrip(v) : FormatReadable(v);
      EXPECT_EQ(text, c[2]) << what;
      EXPECT_TRUE(c[0] != "roundtrip" || std::strtod(text.c_str(), nullptr) == v) << what;
    }
  }
  // Of the two-digit codes exactly the fifteen 10·i + j with 1 ≤ i < j ≤ 6.
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(ParsePairField(std::to_string(10 * i + j)).has_value(), i < j) << i << j;
}

TEST(Commands, RunsOfTheTool) {
  std::string previous;
  for (const auto& c : Cases("commands.txt", 5)) {
    std::vector<std::string> args = c[0].empty() ? std::vector<std::string>{} : Split(c[0], '|');
    std::istringstream in(Unescape(c[1]));
    std::ostringstream out, err;
    const int rc = RunCli(args, in, out, err);
    SCOPED_TRACE("if97 " + c[0] + "\n" + out.str() + err.str());
    EXPECT_EQ(rc, std::stoi(c[2]));
    if (c[3] == "=") {
      EXPECT_EQ(out.str(), previous);
    } else {
      EXPECT_TRUE(std::regex_search(out.str(), std::regex(c[3]))) << "stdout should match " << c[3];
    }
    EXPECT_TRUE(std::regex_search(err.str(), std::regex(c[4]))) << "stderr should match " << c[4];
    previous = out.str();
  }
}

// At most kEchoLimit characters of the escaped text, cut before an escape that would
// pass it; then the same text as a CSV field (the other escapes: batch_escapes.csv).
TEST(Batch, EchoOfABadFieldIsCut) {
  const std::string a199(199, 'a'), a200(200, 'a');
  const std::string cases[][3] = {{a200, a200, a200},
                                  {a200 + "b", a200 + "…", a200 + "…"},
                                  {a199 + "\n", a199 + "…", a199 + "…"},
                                  {"say \"1\"", "say \"1\"", "\"say \"\"1\"\"\""}};
  for (const auto& c : cases) {
    EXPECT_EQ(EchoText(c[0]), c[1]);
    EXPECT_EQ(CsvField(EchoText(c[0])), c[2]);
  }
}

// Lines end at LF, CR LF or a lone CR, also where a block of the reader ends between
// CR and LF; a byte-order mark counts only at the very start. An overlong line is read
// to its end but kept only in part: a bad row with a short echo, then the next row.
TEST(Batch, LineEndsByteOrderMarkAndOverlongLines) {
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
  std::istringstream in("TP," + std::string(LineReader::kMaxLineBytes, '7') + ",3\nTP,1\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"batch"}, in, out, err), 1);
  EXPECT_EQ(Split(out.str(), '\n').size(), 4u);  // header, two rows, the end
  EXPECT_LT(out.str().size() + err.str().size(), 600u);
  EXPECT_NE(err.str().find("line 1: line longer than 1048576 bytes\nif97 batch: line 2: expected 3"), std::string::npos);
}

// The tool hands out the entries of the tables the window reads, not copies; outside
// a table the lookups give an empty text.
TEST(Texts, SameTablesAsTheWindow) {
  namespace shared = if97::texttables;
  for (Language language : {Language::kCzech, Language::kEnglish}) {
    const int row = static_cast<int>(language);
    for (int q = 1; q <= 6; ++q) {
      EXPECT_EQ(ResultCaption(q, language), shared::kResultCaptions[row][q - 1]) << "quantity " << q;
      EXPECT_EQ(Unit(q), shared::kUnits[row][q - 1]) << "quantity " << q;
    }
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(RegionName(r, language), shared::kRegionNames[row][r - 1]) << r;
    for (int i = 0; i <= 6; ++i) {
      EXPECT_EQ(SupplementaryResultCaption(i, language), shared::kSupplementaryResultCaptions[row][i]) << i;
      EXPECT_EQ(SupplementaryResultUnit(i), shared::kSupplementaryResultUnits[row][i]) << i;
    }
    for (int k = 0; k <= 2; ++k) {
      EXPECT_EQ(FunctionInputCaption(505, k, 1, language), shared::kExpansionCaptions[row][k]) << k;
      EXPECT_EQ(FunctionInputCaption(506, k, 1, language), shared::kExpansionCaptions[row][3 + k]) << k;
    }
    EXPECT_EQ(RegionCaption(language), shared::kHeadings[row][shared::kRegionHeadingPosition - 1]);
  }
  EXPECT_STREQ(FunctionInputCaption(500, 1, 5, Language::kCzech), "Entalpie = ");
  for (const char* empty : {RegionName(0, Language::kEnglish), RegionName(12, Language::kEnglish),
                            ResultCaption(7, Language::kEnglish)})
    EXPECT_STREQ(empty, "");
  EXPECT_TRUE(shared::At(shared::kRegionNames, 0, -1) == nullptr && shared::At(shared::kRegionNames, 0, 11) == nullptr &&
              shared::At(shared::kRegionNames, 2, 0) == nullptr && shared::At(shared::kRegionNames, -1, 0) == nullptr);
}

}  // namespace
}  // namespace if97::cli
