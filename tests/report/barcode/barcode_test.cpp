// Barcode encoders without an outside encoder: type names, check digits of the
// symbologies' own published examples, module dumps worked out by hand, the
// input rules (cleaning, padding, cutting, dropping) and hostile input.
// barcode_zint_test.cpp compares whole patterns with zint.
#include "report/barcode/barcode.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>

namespace {

using namespace report::barcode;

BarcodePattern Enc(BarcodeType type, std::string_view text, bool check = false) {
  return EncodeBarcode(static_cast<int>(type), text, check);
}
std::string Modules(BarcodeType type, std::string_view text, bool check = false, double ratio = 2) {
  return PatternToModules(Enc(type, text, check), ratio);
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

// What is encoded (and printed): check digits of published examples, and the
// cleaning, padding and cutting rules.
struct TextCase {
  BarcodeType type;
  const char* text;
  bool check;
  const char* encoded;
};
const TextCase kTextCases[] = {
    {BarcodeType::Ean13, "400638133393", false, "4006381333931"},
    {BarcodeType::Ean13, "12345678901A", false, "1234567890104"},   // the letter becomes 0
    {BarcodeType::Ean13, "123", true, "0000000001236"},             // padded in front
    {BarcodeType::Ean13, "40063813339317", false, "4006381333931"}, // cut, check computed anew
    {BarcodeType::Ean13, " 400638133393\t", false, "4006381333931"},
    {BarcodeType::UpcA, "03600029145", false, "036000291452"},
    {BarcodeType::Ean8, "7351353", false, "73513537"},
    {BarcodeType::UpcE0, "425261", false, "04252614"},  // stands for UPC-A 04210000526(4)
    {BarcodeType::UpcE0, "1234567", false, "01234565"},
    {BarcodeType::UpcE1, "123456", false, "11234562"},
    {BarcodeType::UpcSupp2, "7", false, "07"},
    {BarcodeType::UpcSupp5, "5249512", true, "52495"},
    {BarcodeType::Interleaved2of5, "1234567", true, "12345670"},
    {BarcodeType::Interleaved2of5, "123", false, "0123"},  // odd count: leading zero
    {BarcodeType::Interleaved2of5, "12", true, "0123"},    // odd with the check digit
    {BarcodeType::Interleaved2of5, " 12a4 ", false, "1204"},
    {BarcodeType::Industrial2of5, "123", true, "1236"},
    {BarcodeType::Matrix2of5, "123", false, "123"},
    {BarcodeType::Msi, "1234567", true, "12345674"},
    {BarcodeType::Msi, "1234", true, "12344"},
    {BarcodeType::Msi, "1234", false, "1234"},
    {BarcodeType::PostNet, "55555-1237", false, "5555501237" "2"},  // '-' becomes 0
    {BarcodeType::PostNet, "555551237", true, "5555512372"},
    {BarcodeType::Code39, "CODE39", true, "CODE39W"},
    {BarcodeType::Code39, "code-39*", false, "-39"},      // lower case and '*' dropped
    {BarcodeType::Code39Full, "ab", true, "abH"},         // +A+B: 41 + 10 + 41 + 11 = 103, mod 43 17 = H
    {BarcodeType::Codabar, "A40156B", true, "A40156+B"},
    {BarcodeType::Codabar, "123", false, "A123A"},
    {BarcodeType::Codabar, "B12", false, "B12A"},
    {BarcodeType::Codabar, "12D", false, "A12D"},
    {BarcodeType::Codabar, "x1C2y", false, "A12A"},        // letters inside dropped
    {BarcodeType::Code128A, "abc\x01", false, "ABC\x01"},
    {BarcodeType::Code128B, "A\x01" "B\xE9" "C~", false, "ABC~"},
    {BarcodeType::Code128C, "123", false, "0123"},
    {BarcodeType::Code93, "Code 93", false, "C 93"},
    {BarcodeType::Code93Full, "Code 93\xE9", false, "Code 93"},
};

TEST(BarcodeText, EncodedTextOfExamplesAndInputRules) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(testing::Message() << BarcodeTypeName(static_cast<int>(c.type)) << " '" << c.text << "'");
    const BarcodePattern p = Enc(c.type, c.text, c.check);
    EXPECT_EQ(p.encodedText, c.encoded);
    EXPECT_FALSE(p.elements.empty());
  }
}

TEST(BarcodeText, ElevenDigitsAndALetterAreTheDigitsAndZero) {
  EXPECT_EQ(Modules(BarcodeType::Ean13, "12345678901A"), Modules(BarcodeType::Ean13, "123456789010"));
  EXPECT_EQ(Modules(BarcodeType::Ean13, "12345678901A"), Modules(BarcodeType::Ean13, "1234567890104"));
}

TEST(BarcodeText, DroppedAndChangedCharactersGiveTheSamePattern) {
  struct Same {
    BarcodeType type;
    const char* a;
    const char* b;
  };
  const Same same[] = {
      {BarcodeType::Code128A, "Hello, world", "HELLO, WORLD"},
      {BarcodeType::Code128A, "a{|}~\x7f\xff" "b", "AB"},
      {BarcodeType::Code128B, "\tx\x80y\n", "xy"},
      {BarcodeType::Code39, "a1b2", "12"},
      {BarcodeType::Code93, "#A%", "A%"},
      {BarcodeType::Codabar, "123", "A123A"},
      {BarcodeType::Code128C, "12a45", "12045"},
  };
  for (const Same& s : same) {
    SCOPED_TRACE(s.a);
    EXPECT_EQ(Modules(s.type, s.a), Modules(s.type, s.b));
  }
}

TEST(BarcodeText, MandatoryChecksIgnoreTheOptionOptionalOnesFollowIt) {
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    SCOPED_TRACE(BarcodeTypeName(t));
    const std::string text = "1234";
    const BarcodePattern off = EncodeBarcode(t, text, false), on = EncodeBarcode(t, text, true);
    EXPECT_EQ(off.elements != on.elements, HasOptionalCheckDigit(t));
  }
}

// Module dumps worked out from the symbology definitions.
TEST(BarcodePattern, HandWorkedDumps) {
  // POSTNET "1", check digit 9: frame, 1 = short short short tall tall,
  // 9 = tall short tall short short, frame; one-module spaces between.
  EXPECT_EQ(Modules(BarcodeType::PostNet, "1"), "1" "0s0s0s0101" "010s010s0s" "01");
  // MSI "1": start (wide bar), 0001 (three narrow-bar bits, one wide-bar bit), stop.
  EXPECT_EQ(Modules(BarcodeType::Msi, "1"), "110" "100100100110" "1001");
  // With the check digit 8 (1 doubled is 2, 10 - 2): 1000.
  EXPECT_EQ(Modules(BarcodeType::Msi, "1", true), "110" "100100100110" "110100100100" "1001");
  // Code 39 "-" at ratio 3: '*' n W n n W n W n n, gap, '-' n W n n n n W n W, gap, '*'.
  EXPECT_EQ(Modules(BarcodeType::Code39, "-", false, 3),
            "100010111011101" "0" "100010101110111" "0" "100010111011101");
  // EAN-2 "00": guard 1011, 0 in set A (0001101), 01, 0 in set A.
  EXPECT_EQ(Modules(BarcodeType::UpcSupp2, "00"), "1011" "0001101" "01" "0001101");
}

TEST(BarcodePattern, WidthsAndRatio) {
  const BarcodePattern p = Enc(BarcodeType::Code39, "AB");
  int narrow = 0, wide = 0;
  for (const PatternElement& e : p.elements) (e.wide ? wide : narrow) += 1;
  ASSERT_EQ(wide, 4 * 3);  // start, two characters, stop; three wide each
  EXPECT_DOUBLE_EQ(PatternWidthModules(p, 2.5), narrow + 2.5 * wide);
  EXPECT_EQ(PatternToModules(p, 2.5).size(), static_cast<std::size_t>(narrow + 3 * wide));  // 2.5 rounds to 3
  EXPECT_EQ(PatternToModules(p, 2).size(), static_cast<std::size_t>(narrow + 2 * wide));
  EXPECT_DOUBLE_EQ(PatternWidthModules(p, 0), narrow + wide);
  EXPECT_DOUBLE_EQ(PatternWidthModules(p, std::nan("")), narrow + wide);
  EXPECT_DOUBLE_EQ(PatternWidthModules(p, 1e9), narrow + 10.0 * wide);
  // Multi-width symbologies ignore the ratio.
  const BarcodePattern ean = Enc(BarcodeType::Ean13, "400638133393");
  EXPECT_DOUBLE_EQ(PatternWidthModules(ean, 3), 95);
  EXPECT_EQ(PatternToModules(ean, 3).size(), 95u);
}

TEST(BarcodePattern, LayoutBarsAndShortBars) {
  const BarcodePattern p = Enc(BarcodeType::PostNet, "1");
  const std::vector<BarRect> bars = LayoutBars(p, 3, 2, 50);
  ASSERT_EQ(bars.size(), 12u);  // two frames and two digits of five
  EXPECT_EQ(bars[0].x, 0);
  EXPECT_EQ(bars[0].height, 50);
  EXPECT_EQ(bars[1].x, 6);  // bar, space, each 3 units
  EXPECT_EQ(bars[1].y, 30);
  EXPECT_EQ(bars[1].height, 20);  // two fifths
  EXPECT_EQ(bars.back().x + bars.back().width, PatternWidthModules(p, 2) * 3);

  const BarcodePattern i25 = Enc(BarcodeType::Interleaved2of5, "00");  // n n n n, nnwwn / nnwwn, W n n
  const std::vector<BarRect> b = LayoutBars(i25, 2, 2.5, 10);
  EXPECT_EQ(b.back().x + b.back().width, PatternWidthModules(i25, 2.5) * 2);
  EXPECT_EQ(b[4].width, 5);  // the first wide bar: 2 × 2.5
}

TEST(BarcodeModuleWidth, RemembersThePreviousWidthPerElement) {
  struct Step {
    int requested, used;
  };
  const Step steps[] = {{0, 1}, {60, 1}, {1, 1}, {49, 49}, {50, 49}, {0, 49}, {-5, 49}, {7, 7}, {60, 7}};
  ModuleWidthMemory first, second;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.requested);
    EXPECT_EQ(first.accept(s.requested), s.used);
    EXPECT_EQ(first.width(), s.used);
  }
  EXPECT_EQ(second.width(), 1);  // untouched by the first element
  EXPECT_EQ(second.accept(0), 1);
  EXPECT_EQ(second.accept(12), 12);
  EXPECT_EQ(first.width(), 7);
  EXPECT_EQ(BarcodeTextPointSize(first.width()), 21);
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
