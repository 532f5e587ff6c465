// Every symbology zint shares with us, compared module by module with zint's
// own encoder (linked in-process) over a few hundred seeded random texts each.
//
// zint draws two-width symbologies at fixed ratios: 3 for the 2 of 5 family,
// 2 for Code 39, Codabar and MSI. Its Matrix 2 of 5 start and stop bars are
// four modules where ours are ordinary wide bars, so that one is compared as
// the sequence of narrow and wide elements. zint's Codabar row ends with a
// one-module space after the stop; trailing spaces are not part of a pattern
// and are cut from zint's rows. zint's POSTNET has two rows, tall bars in the
// first and all bars in the second.
#include <zint.h>

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <random>
#include <string>

#include "report/barcode/barcode.h"

namespace {

using namespace report::barcode;

enum class Gen { Digits, DigitPairs, Code39Chars, Ascii, SetA, SetB, Codabar };  // Code 39's are Code 93's too
enum class Compare { Modules, NarrowWide, PostNet };

struct OracleCase {
  BarcodeType type;
  int symbology;
  bool check;  // our option, and zint's option_2 = 1
  Gen gen;
  int minLength, maxLength;
  Compare compare;
  int ratio;              // zint's wide elements, in modules
  const char* zintPrefix; // put before the text for zint only (UPC-E number system)
  bool sameText;          // zint's human-readable text is our encodedText
  int minCompared;        // texts zint must accept (it refuses non-canonical UPC-E)
};

constexpr int kTexts = 300;

const OracleCase kCases[] = {
    {BarcodeType::Interleaved2of5, BARCODE_C25INTER, false, Gen::Digits, 1, 30, Compare::Modules, 3, "", true, kTexts},
    {BarcodeType::Interleaved2of5, BARCODE_C25INTER, true, Gen::Digits, 1, 30, Compare::Modules, 3, "", true, kTexts},
    {BarcodeType::Industrial2of5, BARCODE_C25IND, false, Gen::Digits, 1, 30, Compare::Modules, 3, "", true, kTexts},
    {BarcodeType::Industrial2of5, BARCODE_C25IND, true, Gen::Digits, 1, 30, Compare::Modules, 3, "", true, kTexts},
    {BarcodeType::Matrix2of5, BARCODE_C25STANDARD, false, Gen::Digits, 1, 30, Compare::NarrowWide, 3, "", true, kTexts},
    {BarcodeType::Matrix2of5, BARCODE_C25STANDARD, true, Gen::Digits, 1, 30, Compare::NarrowWide, 3, "", true, kTexts},
    {BarcodeType::Code39, BARCODE_CODE39, false, Gen::Code39Chars, 1, 30, Compare::Modules, 2, "", false, kTexts},
    {BarcodeType::Code39, BARCODE_CODE39, true, Gen::Code39Chars, 1, 30, Compare::Modules, 2, "", false, kTexts},
    {BarcodeType::Code39Full, BARCODE_EXCODE39, false, Gen::Ascii, 1, 30, Compare::Modules, 2, "", false, kTexts},
    {BarcodeType::Code39Full, BARCODE_EXCODE39, true, Gen::Ascii, 1, 30, Compare::Modules, 2, "", false, kTexts},
    // zint picks set A when a control character comes first and all are in it.
    {BarcodeType::Code128A, BARCODE_CODE128, false, Gen::SetA, 1, 30, Compare::Modules, 1, "", false, kTexts},
    {BarcodeType::Code128B, BARCODE_CODE128B, false, Gen::SetB, 1, 30, Compare::Modules, 1, "", false, kTexts},
    // An even count of digits is set C throughout for zint as well.
    {BarcodeType::Code128C, BARCODE_CODE128, false, Gen::DigitPairs, 2, 40, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::Code93, BARCODE_CODE93, false, Gen::Code39Chars, 1, 30, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::Code93Full, BARCODE_CODE93, false, Gen::Ascii, 1, 30, Compare::Modules, 1, "", false, kTexts},
    {BarcodeType::Msi, BARCODE_MSI_PLESSEY, false, Gen::Digits, 1, 30, Compare::Modules, 2, "", true, kTexts},
    {BarcodeType::Msi, BARCODE_MSI_PLESSEY, true, Gen::Digits, 1, 30, Compare::Modules, 2, "", true, kTexts},
    {BarcodeType::PostNet, BARCODE_POSTNET, false, Gen::Digits, 5, 11, Compare::PostNet, 1, "", false, kTexts},
    {BarcodeType::Codabar, BARCODE_CODABAR, false, Gen::Codabar, 1, 30, Compare::Modules, 2, "", true, kTexts},
    {BarcodeType::Codabar, BARCODE_CODABAR, true, Gen::Codabar, 1, 30, Compare::Modules, 2, "", false, kTexts},
    {BarcodeType::Ean8, BARCODE_EANX, false, Gen::Digits, 7, 7, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::Ean13, BARCODE_EANX, false, Gen::Digits, 12, 12, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::UpcA, BARCODE_UPCA, false, Gen::Digits, 11, 11, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::UpcE0, BARCODE_UPCE, false, Gen::Digits, 6, 6, Compare::Modules, 1, "0", true, 200},
    {BarcodeType::UpcE1, BARCODE_UPCE, false, Gen::Digits, 6, 6, Compare::Modules, 1, "1", true, 200},
    {BarcodeType::UpcSupp2, BARCODE_EANX, false, Gen::Digits, 2, 2, Compare::Modules, 1, "", true, kTexts},
    {BarcodeType::UpcSupp5, BARCODE_EANX, false, Gen::Digits, 5, 5, Compare::Modules, 1, "", true, kTexts},
};

std::string RandomText(Gen gen, int length, std::mt19937& rng) {
  auto pick = [&rng](std::string_view from) { return from[rng() % from.size()]; };
  std::string s;
  switch (gen) {
    case Gen::Codabar:
      s.push_back(pick("ABCD"));
      for (int i = 0; i < length; ++i) s.push_back(pick("0123456789-$:/.+"));
      s.push_back(pick("ABCD"));
      return s;
    case Gen::SetA:
      s.push_back(static_cast<char>(rng() % 32));
      break;
    case Gen::DigitPairs:
      length &= ~1;
      break;
    default:
      break;
  }
  while (static_cast<int>(s.size()) < length) {
    switch (gen) {
      case Gen::Digits:
      case Gen::DigitPairs: s.push_back(pick("0123456789")); break;
      case Gen::Code39Chars: s.push_back(pick("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%")); break;
      case Gen::Ascii: s.push_back(static_cast<char>(rng() % 128)); break;
      case Gen::SetA: s.push_back(static_cast<char>(rng() % 96)); break;
      case Gen::SetB: s.push_back(static_cast<char>(32 + rng() % 96)); break;
      case Gen::Codabar: break;
    }
  }
  return s;
}

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

bool Module(const zint_symbol& s, int row, int column) {
  return (s.encoded_data[row][column / 8] >> (column % 8)) & 1;
}

// zint's modules as ours: '1' bar, '0' space, 's' short bar; trailing spaces cut.
std::string ZintModules(const zint_symbol& s, Compare compare) {
  std::string m;
  for (int i = 0; i < s.width; ++i) {
    if (compare == Compare::PostNet)
      m.push_back(Module(s, 0, i) ? '1' : Module(s, 1, i) ? 's' : '0');
    else
      m.push_back(Module(s, 0, i) ? '1' : '0');
  }
  while (!m.empty() && m.back() == '0') m.pop_back();
  return m;
}

// Runs of equal modules as 'n' (one module) and 'w' (more).
std::string NarrowWide(const std::string& modules) {
  std::string runs;
  for (std::size_t i = 0; i < modules.size();) {
    std::size_t j = i;
    while (j < modules.size() && modules[j] == modules[i]) ++j;
    runs.push_back(j - i == 1 ? 'n' : 'w');
    i = j;
  }
  return runs;
}

class BarcodeVersusZint : public testing::TestWithParam<OracleCase> {};

TEST_P(BarcodeVersusZint, SamePatterns) {
  const OracleCase& c = GetParam();
  std::mt19937 rng(static_cast<unsigned>(c.symbology * 100 + static_cast<int>(c.type) * 2 + c.check));
  int compared = 0;
  for (int n = 0; n < kTexts; ++n) {
    const int length = c.minLength + static_cast<int>(rng() % static_cast<unsigned>(c.maxLength - c.minLength + 1));
    const std::string text = RandomText(c.gen, length, rng);
    const std::string zintText = c.zintPrefix + text;

    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    ASSERT_TRUE(symbol);
    symbol->symbology = c.symbology;
    symbol->option_2 = c.check ? 1 : 0;
    const int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(zintText.data()),
                                   static_cast<int>(zintText.size()));
    if (rc >= ZINT_ERROR) continue;  // zint refuses it (UPC-E that is not the canonical form)
    ++compared;

    const BarcodePattern mine = EncodeBarcode(static_cast<int>(c.type), text, c.check);
    const std::string theirs = ZintModules(*symbol, c.compare);
    const std::string ours = PatternToModules(mine, c.ratio);
    SCOPED_TRACE(testing::Message() << "text '" << text << "' (" << text.size() << " bytes)");
    if (c.compare == Compare::NarrowWide) {
      ASSERT_EQ(NarrowWide(ours), NarrowWide(theirs));
    } else {
      ASSERT_EQ(ours, theirs);
    }
    if (c.sameText) {
      ASSERT_EQ(mine.encodedText, reinterpret_cast<const char*>(symbol->text));
    }
  }
  EXPECT_GE(compared, c.minCompared);
}

std::string CaseName(const testing::TestParamInfo<OracleCase>& info) {
  std::string name;
  for (char ch : BarcodeTypeName(static_cast<int>(info.param.type)))
    if (std::isalnum(static_cast<unsigned char>(ch))) name.push_back(ch);
  return name + (info.param.check ? "_check" : "") + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(AllShared, BarcodeVersusZint, testing::ValuesIn(kCases), CaseName);

// Odd digit counts: ours is zint's encoding of the count padded with a zero.
TEST(BarcodeVersusZintPadding, OddCode128CIsTheZeroPaddedEvenOne) {
  for (const char* digits : {"1", "123", "98765", "1234567890123"}) {
    SCOPED_TRACE(digits);
    const std::string padded = std::string("0") + digits;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    symbol->symbology = BARCODE_CODE128;
    ASSERT_LT(ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(padded.data()),
                              static_cast<int>(padded.size())),
              ZINT_ERROR);
    EXPECT_EQ(PatternToModules(EncodeBarcode(static_cast<int>(BarcodeType::Code128C), digits, false), 1),
              ZintModules(*symbol, Compare::Modules));
  }
}

}  // namespace
