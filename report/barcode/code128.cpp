// Code 128 in one code set for the whole symbol, the set the type names:
// A holds ASCII 0 … 95 (lower-case letters are made capitals first), B holds
// ASCII 32 … 127, C holds digit pairs 00 … 99 (an odd count gets a leading zero).
// Each symbol character is three bars and three spaces of 1 … 4 modules, eleven
// modules in all; the stop character has a final two-module bar. The check
// character, always present, is the start value plus each character value times
// its position, mod 103.
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Element widths of the values 0 … 105 (bar first), then the stop character.
constexpr std::string_view kWidths[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};
constexpr int kStartA = 103, kStartB = 104, kStartC = 105, kStop = 106;

// The value of a byte in set A or B, or -1 where the set has no such character.
int ValueA(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  if (c < 32) return c + 64;
  if (c < 96) return c - 32;
  return -1;
}
int ValueB(unsigned char c) { return c >= 32 && c < 128 ? c - 32 : -1; }

}  // namespace

void EncodeCode128(std::string_view text, char set, BarcodePattern& out) {
  const int start = set == 'A' ? kStartA : set == 'B' ? kStartB : kStartC;
  std::string printed;
  PatternWriter w(out);
  w.Reserve(((set == 'C' ? text.size() / 2 + 1 : text.size()) + 3) * 6 + 1);
  w.Runs(kWidths[start], ElementKind::Bar);
  int sum = start;
  int position = 1;  // weight of the next character, mod 103
  auto put = [&](int value) {
    w.Runs(kWidths[value], ElementKind::Bar);
    sum = (sum + position * value) % 103;
    position = position == 102 ? 0 : position + 1;
  };
  if (set == 'C') {
    if (text.size() % 2) printed.push_back('0');
    printed.append(text);
    for (std::size_t i = 0; i < printed.size(); i += 2) put((printed[i] - '0') * 10 + (printed[i + 1] - '0'));
  } else {
    printed.reserve(text.size());
    for (char ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      const int v = set == 'A' ? ValueA(c) : ValueB(c);
      if (v < 0) continue;
      put(v);
      // What set A draws for a lower-case letter is its capital.
      printed.push_back(set == 'A' && v < 64 ? static_cast<char>(v + 32) : ch);
    }
  }
  if (printed.empty()) {
    out.elements.clear();
    return;
  }
  w.Runs(kWidths[sum], ElementKind::Bar);
  w.Runs(kWidths[kStop], ElementKind::Bar);
  out.encodedText = std::move(printed);
}

}  // namespace report::barcode::detail
