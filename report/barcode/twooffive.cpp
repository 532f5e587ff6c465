// The 2 of 5 family. Every digit is five elements of which two are wide:
//   0 nnwwn  1 wnnnw  2 nwnnw  3 wwnnn  4 nnwnw  5 wnwnn  6 nwwnn  7 nnnww  8 wnnwn  9 nwnwn
// Industrial puts the five in bars, each followed by a narrow space; Matrix puts
// them in bar-space-bar-space-bar with a narrow space after each digit;
// Interleaved takes digits in pairs, the first in the bars and the second in the
// spaces between them. The optional check digit is mod 10, weights 3 and 1 from
// the right.
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Bit 4 is the first element.
constexpr unsigned kWide[10] = {0b00110, 0b10001, 0b01001, 0b11000, 0b00101,
                                0b10100, 0b01100, 0b00011, 0b10010, 0b01010};

unsigned Wide(char digit) { return kWide[digit - '0']; }

// The digits with their check digit, when asked for.
std::string WithCheck(std::string_view digits, bool check) {
  std::string s(digits);
  if (check) s.push_back(static_cast<char>('0' + Mod10Weight31(digits)));
  return s;
}

}  // namespace

int Mod10Weight31(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += weight * (*it - '0');
    weight = 4 - weight;
  }
  return (10 - sum % 10) % 10;
}

void EncodeInterleaved2of5(std::string_view digits, bool check, BarcodePattern& out) {
  std::string s = WithCheck(digits, check);
  // Digits go in pairs: an odd count gets a leading zero, which leaves the check
  // digit as it was.
  if (s.size() % 2) s.insert(s.begin(), '0');
  PatternWriter w(out);
  w.Reserve(s.size() * 5 + 7);
  w.TwoWidth(0b0000, 4, ElementKind::Bar);  // start: narrow bar, space, bar, space
  for (std::size_t i = 0; i < s.size(); i += 2) {
    const unsigned bars = Wide(s[i]), spaces = Wide(s[i + 1]);
    for (int k = 4; k >= 0; --k) {
      if ((bars >> k) & 1u) w.WideBar(); else w.Bar();
      if ((spaces >> k) & 1u) w.WideSpace(); else w.Space();
    }
  }
  w.TwoWidth(0b100, 3, ElementKind::Bar);  // stop: wide bar, narrow space, narrow bar
  out.encodedText = std::move(s);
}

void EncodeIndustrial2of5(std::string_view digits, bool check, BarcodePattern& out) {
  std::string s = WithCheck(digits, check);
  PatternWriter w(out);
  w.Reserve(s.size() * 10 + 11);
  w.TwoWidth(0b101000, 6, ElementKind::Bar);  // start: bars wide, wide, narrow
  for (char d : s) {
    const unsigned bars = Wide(d);
    for (int k = 4; k >= 0; --k) {
      if ((bars >> k) & 1u) w.WideBar(); else w.Bar();
      w.Space();
    }
  }
  w.TwoWidth(0b10001, 5, ElementKind::Bar);  // stop: bars wide, narrow, wide
  out.encodedText = std::move(s);
}

void EncodeMatrix2of5(std::string_view digits, bool check, BarcodePattern& out) {
  std::string s = WithCheck(digits, check);
  PatternWriter w(out);
  w.Reserve(s.size() * 6 + 11);
  w.TwoWidth(0b100000, 6, ElementKind::Bar);  // start: wide bar, then narrow, and the gap
  for (char d : s) w.TwoWidth(Wide(d) << 1, 6, ElementKind::Bar);  // five elements and the gap
  w.TwoWidth(0b10000, 5, ElementKind::Bar);  // stop: as the start, without the gap
  out.encodedText = std::move(s);
}

}  // namespace report::barcode::detail
