#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <string>

#include "cli/parse.h"
#include "cli/texts.h"
#include "res/texttables/texttables.h"

namespace if97::cli {
namespace {

TEST(ParsePair, LettersInAnyOrderAndCase) {
  struct Row {
    const char* text;
    int code;
    bool swapped;
  };
  const Row rows[] = {
      {"TP", 12, false}, {"PT", 12, true}, {"tp", 12, false}, {"SX", 46, false}, {"XS", 46, true},
      {"IX", 56, false}, {"VI", 35, false}, {"iv", 35, true},  {" TV ", 13, false}, {"VX", 36, false},
      {"SI", 45, false}, {"XT", 16, true},
  };
  for (const auto& r : rows) {
    const auto p = ParsePairLetters(r.text);
    ASSERT_TRUE(p.has_value()) << r.text;
    EXPECT_EQ(p->code, r.code) << r.text;
    EXPECT_EQ(p->swapped, r.swapped) << r.text;
  }
  for (const char* bad : {"", "T", "TT", "TPX", "TQ", "12", "T P", "Tp1"})
    EXPECT_FALSE(ParsePairLetters(bad).has_value()) << bad;
}

TEST(ParsePair, FieldTakesLettersOrPairCodes) {
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      const std::string code = std::to_string(10 * i + j);
      const auto p = ParsePairField(code);
      EXPECT_EQ(p.has_value(), i < j) << code;
      if (p) {
        EXPECT_EQ(p->code, 10 * i + j);
        EXPECT_FALSE(p->swapped);
      }
    }
  for (const char* bad : {"17", "70", "07", "0", "123", "1", "-12", "1.2"})
    EXPECT_FALSE(ParsePairField(bad).has_value()) << bad;
  EXPECT_EQ(ParsePairField("PT")->code, 12);
  EXPECT_TRUE(ParsePairField("PT")->swapped);
}

TEST(ParseNumber, AcceptsDecimalNumbersOnly) {
  struct Row {
    const char* text;
    double value;
  };
  const Row good[] = {{"284.15", 284.15}, {" 16.257 ", 16.257}, {"-5", -5.0}, {"+5", 5.0},  {"1e-5", 1e-5},
                      {"2E3", 2000.0},    {".5", 0.5},          {"5.", 5.0},  {"0", 0.0},   {"1e300", 1e300},
                      {"\t7\r", 7.0}};
  for (const auto& r : good) {
    const auto v = ParseNumber(r.text);
    ASSERT_TRUE(v.has_value()) << r.text;
    EXPECT_EQ(*v, r.value) << r.text;
  }
  for (const char* bad : {"", " ", "abc", "1,5", "1.5x", "x1", "nan", "NaN", "inf", "-inf", "infinity", "0x10",
                          "1e400", "--5", "+-5", "++5", "1 2", "1e", "e5", ".", "-"})
    EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
}

TEST(Format, RoundTripIsShortestAndExact) {
  const double values[] = {284.15, 16.257, 0.1, 1e-5, 0.0010021516796866943, 2.0 / 3.0, 1e300, -0.0, 0.0,
                           4.9e-324, 123456789012345678.0};
  for (double v : values) {
    const std::string s = FormatRoundTrip(v);
    EXPECT_EQ(std::strtod(s.c_str(), nullptr), v) << s;
    // Never longer than the 17 significant digits that always suffice.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    EXPECT_LE(s.size(), std::string(buffer).size()) << s;
  }
  EXPECT_EQ(FormatRoundTrip(284.15), "284.15");
  EXPECT_EQ(FormatRoundTrip(0.0), "0");
  EXPECT_EQ(FormatRoundTrip(1e-5), "1e-05");
  EXPECT_EQ(FormatReadable(2.0 / 3.0), "0.6666666667");
  EXPECT_EQ(FormatReadable(0.0), "0");
}

// Outside a table the lookups give an empty text; a function's input caption
// is the caption of the quantity it takes.
TEST(Texts, OutsideTheTablesAndInputCaptions) {
  EXPECT_STREQ(RegionName(0, Language::kEnglish), "");
  EXPECT_STREQ(RegionName(12, Language::kEnglish), "");
  EXPECT_STREQ(ResultCaption(7, Language::kEnglish), "");
  EXPECT_STREQ(FunctionInputCaption(505, 2, 2, Language::kEnglish), "Pressure-after expansion = ");
  EXPECT_STREQ(FunctionInputCaption(500, 1, 5, Language::kCzech), "Entalpie = ");
  namespace shared = if97::texttables;
  EXPECT_EQ(shared::At(shared::kRegionNames, 0, -1), nullptr);
  EXPECT_EQ(shared::At(shared::kRegionNames, 0, 11), nullptr);
  EXPECT_EQ(shared::At(shared::kRegionNames, 2, 0), nullptr);
  EXPECT_EQ(shared::At(shared::kRegionNames, -1, 0), nullptr);
  EXPECT_STREQ(shared::At(shared::kRegionNames, 1, 10), "This combination of parameters is not available");
}

// The tool hands out the entries of the tables the window reads, not copies, so
// the two programs cannot show different words.
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
}

}  // namespace
}  // namespace if97::cli
