// Type names, input cleaning and dispatch to the encoders; module dumps and the
// bar layout the renderer draws.
#include "report/barcode/barcode.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "report/barcode/encoders.h"

namespace report::barcode {

namespace {

constexpr std::array<std::string_view, kBarcodeTypeCount> kTypeNames = {
    "2/5 interleaved", "2/5 industrial", "2/5 matrix", "Code 39",  "Code 39 Full",
    "Code 128A",       "Code 128B",      "Code 128C",  "Code 93",  "Code 93 Full",
    "MSI",             "PostNet",        "Codebar",    "EAN 8",    "EAN 13",
    "UPC-A",           "UPC-E0",         "UPC-E1",     "UPC Supp2", "UPC Supp5"};

bool InRange(int type) { return type >= 0 && type < kBarcodeTypeCount; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Step 1 of a digits-only type: trimmed, and every non-digit a '0'.
std::string CleanDigits(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::string digits(text);
  for (char& c : digits)
    if (!detail::IsDigit(static_cast<unsigned char>(c))) c = '0';
  return digits;
}

}  // namespace

std::string_view BarcodeTypeName(int type) { return InRange(type) ? kTypeNames[type] : std::string_view(); }

bool IsDigitsOnly(int type) {
  switch (static_cast<BarcodeType>(type)) {
    case BarcodeType::Interleaved2of5:
    case BarcodeType::Industrial2of5:
    case BarcodeType::Matrix2of5:
    case BarcodeType::Code128C:
    case BarcodeType::Msi:
    case BarcodeType::PostNet:
    case BarcodeType::Ean8:
    case BarcodeType::Ean13:
    case BarcodeType::UpcA:
    case BarcodeType::UpcE0:
    case BarcodeType::UpcE1:
    case BarcodeType::UpcSupp2:
    case BarcodeType::UpcSupp5:
      return true;
    default:
      return false;
  }
}

bool HasOptionalCheckDigit(int type) {
  switch (static_cast<BarcodeType>(type)) {
    case BarcodeType::Interleaved2of5:
    case BarcodeType::Industrial2of5:
    case BarcodeType::Matrix2of5:
    case BarcodeType::Code39:
    case BarcodeType::Code39Full:
    case BarcodeType::Msi:
    case BarcodeType::Codabar:
      return true;
    default:
      return false;
  }
}

BarcodePattern EncodeBarcode(int type, std::string_view text, bool addCheckDigit) {
  BarcodePattern pattern;
  if (!InRange(type)) return pattern;
  std::string digits;
  if (IsDigitsOnly(type)) {
    digits = CleanDigits(text);
    text = digits;
  }
  if (text.empty()) return pattern;

  using namespace detail;
  const bool check = addCheckDigit;
  switch (static_cast<BarcodeType>(type)) {
    case BarcodeType::Interleaved2of5: EncodeInterleaved2of5(text, check, pattern); break;
    case BarcodeType::Industrial2of5: EncodeIndustrial2of5(text, check, pattern); break;
    case BarcodeType::Matrix2of5: EncodeMatrix2of5(text, check, pattern); break;
    case BarcodeType::Code39: EncodeCode39(text, false, check, pattern); break;
    case BarcodeType::Code39Full: EncodeCode39(text, true, check, pattern); break;
    case BarcodeType::Code128A: EncodeCode128(text, 'A', pattern); break;
    case BarcodeType::Code128B: EncodeCode128(text, 'B', pattern); break;
    case BarcodeType::Code128C: EncodeCode128(text, 'C', pattern); break;
    case BarcodeType::Code93: EncodeCode93(text, false, pattern); break;
    case BarcodeType::Code93Full: EncodeCode93(text, true, pattern); break;
    case BarcodeType::Msi: EncodeMsi(text, check, pattern); break;
    case BarcodeType::PostNet: EncodePostNet(text, pattern); break;
    case BarcodeType::Codabar: EncodeCodabar(text, check, pattern); break;
    case BarcodeType::Ean8: EncodeEan8(text, pattern); break;
    case BarcodeType::Ean13: EncodeEan13(text, pattern); break;
    case BarcodeType::UpcA: EncodeUpcA(text, pattern); break;
    case BarcodeType::UpcE0: EncodeUpcE(text, 0, pattern); break;
    case BarcodeType::UpcE1: EncodeUpcE(text, 1, pattern); break;
    case BarcodeType::UpcSupp2: EncodeUpcSupplement(text, 2, pattern); break;
    case BarcodeType::UpcSupp5: EncodeUpcSupplement(text, 5, pattern); break;
  }
  if (pattern.elements.empty()) pattern.encodedText.clear();
  return pattern;
}

double EffectiveRatio(double ratio) {
  if (!(ratio >= 1.0)) return 1.0;  // also NaN
  return std::min(ratio, 10.0);
}

double PatternWidthModules(const BarcodePattern& pattern, double ratio) {
  ratio = EffectiveRatio(ratio);
  double width = 0;
  for (const PatternElement& e : pattern.elements) width += e.wide ? e.modules * ratio : e.modules;
  return width;
}

std::string PatternToModules(const BarcodePattern& pattern, double ratio) {
  const int wide = static_cast<int>(std::lround(EffectiveRatio(ratio)));
  std::string modules;
  modules.reserve(pattern.elements.size() * 2);
  for (const PatternElement& e : pattern.elements) {
    const char c = e.kind == ElementKind::Bar ? '1' : e.kind == ElementKind::Space ? '0' : 's';
    modules.append(static_cast<std::size_t>(e.wide ? e.modules * wide : e.modules), c);
  }
  return modules;
}

std::vector<BarRect> LayoutBars(const BarcodePattern& pattern, double moduleWidth, double ratio,
                                double height) {
  ratio = EffectiveRatio(ratio);
  std::vector<BarRect> bars;
  bars.reserve(pattern.elements.size() / 2 + 1);
  double x = 0;
  for (const PatternElement& e : pattern.elements) {
    const double width = moduleWidth * e.modules * (e.wide ? ratio : 1.0);
    if (e.kind == ElementKind::Bar) bars.push_back({x, 0, width, height});
    if (e.kind == ElementKind::ShortBar) bars.push_back({x, height * 3 / 5, width, height * 2 / 5});
    x += width;
  }
  return bars;
}

}  // namespace report::barcode
