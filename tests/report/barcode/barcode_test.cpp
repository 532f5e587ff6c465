// Barcode encoders without an outside encoder: type names; check digits of the
// symbologies' own published examples, module dumps worked out by hand and the
// input rules (cleaning, padding, cutting, dropping), all in data/cases.txt;
// widths, bar layout and hostile input. barcode_zint_test.cpp compares whole
// patterns with zint.
#include "report/barcode/barcode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace report::barcode;

BarcodePattern Enc(BarcodeType type, std::string_view text, bool check = false) {
  return EncodeBarcode(static_cast<int>(type), text, check);
}

TEST(BarcodeTypes, NamesOrderAndDefaults) {
  const char* const names[] = {"2/5 interleaved", "2/5 industrial", "2/5 matrix", "Code 39", "Code 39 Full",
                               "Code 128A", "Code 128B", "Code 128C", "Code 93", "Code 93 Full",
                               "MSI", "PostNet", "Codebar", "EAN 8", "EAN 13",
                               "UPC-A", "UPC-E0", "UPC-E1", "UPC Supp2", "UPC Supp5"};
  const std::string digitsOnly = "11100001001101111111";  // per type
  const std::string optionalCheck = "11111000001010000000";
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(BarcodeTypeName(t), names[t]);
    EXPECT_EQ(IsDigitsOnly(t), digitsOnly[t] == '1');
    EXPECT_EQ(HasOptionalCheckDigit(t), optionalCheck[t] == '1');
  }
  for (int t : {-1, 20, INT_MIN, INT_MAX}) {
    EXPECT_EQ(BarcodeTypeName(t), "");
    EXPECT_TRUE(EncodeBarcode(t, "123", true).elements.empty());
  }
  EXPECT_EQ(kDefaultBarcodeType, 14);
  EXPECT_EQ(BarcodeOptions{}.type, static_cast<int>(BarcodeType::Ean13));
  EXPECT_EQ(static_cast<int>(BarcodeType::UpcSupp5), 19);
}

// The cases of data/cases.txt, with their C escapes.
std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out.push_back(s[i]);
    } else if (s[++i] == 'x') {
      out.push_back(static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(s[i] == 't' ? '\t' : s[i] == 'r' ? '\r' : s[i] == 'n' ? '\n' : s[i]);
    }
  }
  return out;
}

TEST(BarcodeCases, WorkedByHand) {
  std::ifstream file(BARCODE_TEST_DATA "/cases.txt");
  ASSERT_TRUE(file) << BARCODE_TEST_DATA "/cases.txt";
  int cases = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    std::vector<std::string> f;  // type name, text, check, what is compared, expected
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '|');) {
      field.erase(field.find_last_not_of(' ') + 1);
      f.push_back(field.substr(field.find_first_not_of(' ')));
    }
    ASSERT_EQ(f.size(), 5u);
    int type = 0;
    while (type < kBarcodeTypeCount && BarcodeTypeName(type) != f[0]) ++type;
    const BarcodePattern p = EncodeBarcode(type, Unescape(f[1]), f[2] == "1");
    ASSERT_FALSE(p.elements.empty());
    if (f[3] == "text") {
      EXPECT_EQ(p.encodedText, Unescape(f[4]));
    } else if (f[3] == "same") {
      EXPECT_EQ(p.elements, EncodeBarcode(type, Unescape(f[4]), f[2] == "1").elements);
    } else {
      ASSERT_EQ(f[3].substr(0, 8), "modules ");
      std::erase(f[4], ' ');
      EXPECT_EQ(PatternToModules(p, std::stod(f[3].substr(8))), f[4]);
    }
    ++cases;
  }
  EXPECT_GT(cases, 40);
}

TEST(BarcodeText, MandatoryChecksIgnoreTheOptionOptionalOnesFollowIt) {
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    SCOPED_TRACE(BarcodeTypeName(t));
    EXPECT_EQ(EncodeBarcode(t, "1234", false).elements != EncodeBarcode(t, "1234", true).elements,
              HasOptionalCheckDigit(t));
  }
}

TEST(BarcodePattern, WidthsRatioAndLayout) {
  const BarcodePattern p = Enc(BarcodeType::Code39, "AB");
  int narrow = 0, wide = 0;
  for (const PatternElement& e : p.elements) (e.wide ? wide : narrow) += 1;
  ASSERT_EQ(wide, 4 * 3);  // start, two characters, stop; three wide each
  // The ratio as given, at least 1 (NaN too), at most 10; modules round it.
  for (const auto& [ratio, used] : {std::pair{2.5, 2.5}, {0.0, 1.0}, {std::nan(""), 1.0}, {1e9, 10.0}})
    EXPECT_DOUBLE_EQ(PatternWidthModules(p, ratio), narrow + used * wide) << ratio;
  EXPECT_EQ(PatternToModules(p, 2.5).size(), static_cast<std::size_t>(narrow + 3 * wide));
  // Multi-width symbologies ignore the ratio.
  EXPECT_DOUBLE_EQ(PatternWidthModules(Enc(BarcodeType::Ean13, "400638133393"), 3), 95);

  // PostNet "1": two frames and two digits of five bars, each bar and space 3 units.
  const BarcodePattern postnet = Enc(BarcodeType::PostNet, "1");
  const std::vector<BarRect> bars = LayoutBars(postnet, 3, 2, 50);
  ASSERT_EQ(bars.size(), 12u);
  EXPECT_EQ((std::vector<double>{bars[0].x, bars[0].y, bars[0].height, bars[1].x, bars[1].y, bars[1].height}),
            (std::vector<double>{0, 0, 50, 6, 30, 20}));  // a tall bar, then a short one: two fifths at the bottom
  EXPECT_EQ(bars.back().x + bars.back().width, PatternWidthModules(postnet, 2) * 3);
  const BarcodePattern i25 = Enc(BarcodeType::Interleaved2of5, "00");  // n n n n, nnwwn / nnwwn, W n n
  const std::vector<BarRect> b = LayoutBars(i25, 2, 2.5, 10);
  EXPECT_EQ(b.back().x + b.back().width, PatternWidthModules(i25, 2.5) * 2);
  EXPECT_EQ(b[4].width, 5);  // the first wide bar: 2 × 2.5
}

TEST(BarcodeModuleWidth, RemembersThePreviousWidthPerElement) {
  // Requested and used widths in turn: 1 … 49 taken, anything else keeps the last.
  const std::pair<int, int> steps[] = {{0, 1}, {60, 1}, {1, 1}, {49, 49}, {50, 49}, {-5, 49}, {7, 7}};
  ModuleWidthMemory first, second;
  for (const auto& [requested, used] : steps) {
    EXPECT_EQ(first.accept(requested), used) << requested;
    EXPECT_EQ(first.width(), used) << requested;
  }
  EXPECT_EQ(second.width(), 1);  // untouched by the first element
  EXPECT_EQ(second.accept(12), 12);
  EXPECT_EQ(first.width(), 7);
  EXPECT_EQ(BarcodeTextPointSize(7), 21);
  EXPECT_EQ(kBarcodeTextFont, "Arial");
}

// Whatever the bytes, every type gives an empty pattern or a well-formed one.
TEST(BarcodeHostile, AnyBytesGiveAWellFormedPattern) {
  std::mt19937 rng(12345);
  std::string random(10000, '\0');
  for (char& c : random) c = static_cast<char>(rng() & 0xFF);
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string inputs[] = {"", "   ", std::string(3, '\0'), random, all, std::string(10000, '9')};
  const std::string twoWidth = "11111000001010000000";
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    for (const std::string& in : inputs) {
      SCOPED_TRACE(testing::Message() << BarcodeTypeName(t) << ", " << in.size() << " bytes");
      const BarcodePattern p = EncodeBarcode(t, in, true);
      const bool blank = in.find_first_not_of(" \t") == std::string::npos;
      if (in.empty() || (blank && IsDigitsOnly(t))) {
        EXPECT_TRUE(p.elements.empty());
        EXPECT_TRUE(p.encodedText.empty());
        continue;
      }
      ASSERT_EQ(p.elements.empty(), p.encodedText.empty());
      if (IsDigitsOnly(t)) {
        ASSERT_FALSE(p.elements.empty());
      }
      if (p.elements.empty()) continue;  // nothing encodable (Codabar of blanks)
      EXPECT_NE(p.elements.front().kind, ElementKind::Space);
      EXPECT_NE(p.elements.back().kind, ElementKind::Space);
      for (std::size_t i = 0; i < p.elements.size(); ++i) {
        const PatternElement& e = p.elements[i];
        ASSERT_GE(e.modules, 1);
        ASSERT_LE(e.modules, 4);
        ASSERT_TRUE(!e.wide || (twoWidth[t] == '1' && e.modules == 1));
        ASSERT_TRUE(e.kind != ElementKind::ShortBar || t == static_cast<int>(BarcodeType::PostNet));
        if (i) {
          ASSERT_NE(e.kind == ElementKind::Space, p.elements[i - 1].kind == ElementKind::Space) << i;
        }
      }
    }
  }
}

}  // namespace
