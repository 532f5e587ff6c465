// EAN-13, EAN-8, UPC-A, UPC-E and the two- and five-digit supplements.
//
// A digit is seven modules in two bars and two spaces, in one of three sets:
// A (odd parity, space first), B (even parity: set C read backwards, space first)
// and C (set A with bars and spaces swapped, bar first). Guards: 101 at the ends,
// 01010 in the middle; UPC-E ends with 010101; a supplement starts with 1011 and
// has 01 between its digits.
//
// * EAN-13: 12 digits and the check digit; the first digit is drawn by nothing but
//   the A/B choice of the next six (the right half is set C).
// * EAN-8: 7 digits and the check digit, four in set A, four in set C.
// * UPC-A: 11 digits and the check digit, drawn as EAN-13 with a first digit 0.
// * UPC-E: the six message digits of a zero-suppressed UPC-A number, number system
//   0 (UPC-E0) or 1 (UPC-E1). The check digit is that of the UPC-A number the six
//   digits stand for (see ExpandUpcE); it is drawn only by the A/B choice of the
//   six digits. The printed text is the number system, the six digits and the
//   check digit. Any six digits are drawn, also those that are not the form to
//   which the suppression rules would reduce their UPC-A number.
// * Supplements: two digits choose their A/B sets by their value mod 4; five
//   digits by (3 × (d1 + d3 + d5) + 9 × (d2 + d4)) mod 10.
// The check digit of EAN/UPC is mod 10, weights 3 and 1 from the right.
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Set A element widths, space first. Set B is each string reversed (space first
// again); set C is set A's widths starting with a bar.
constexpr std::string_view kSetA[10] = {"3211", "2221", "2122", "1411", "1132",
                                        "1231", "1114", "1312", "1213", "3112"};
constexpr std::string_view kSetB[10] = {"1123", "1222", "2212", "1141", "2311",
                                        "1321", "4111", "2131", "3121", "2113"};

// Set B positions among six digits, the first digit in bit 5: EAN-13 by its
// first digit, UPC-E with number system 0 by its check digit (number system 1
// takes the opposite sets).
constexpr unsigned kEan13Parity[10] = {0b000000, 0b001011, 0b001101, 0b001110, 0b010011,
                                       0b011001, 0b011100, 0b010101, 0b010110, 0b011010};
constexpr unsigned kUpcEParity[10] = {0b111000, 0b110100, 0b110010, 0b110001, 0b101100,
                                      0b100110, 0b100011, 0b101010, 0b101001, 0b100101};
// Five-digit supplement, the first digit in bit 4, by its checksum.
constexpr unsigned kSupp5Parity[10] = {0b11000, 0b10100, 0b10010, 0b10001, 0b01100,
                                       0b00110, 0b00011, 0b01010, 0b01001, 0b00101};

// The text padded with leading zeros, or cut after its first n digits.
std::string Fixed(std::string_view digits, std::size_t n) {
  if (digits.size() >= n) return std::string(digits.substr(0, n));
  std::string s(n - digits.size(), '0');
  s.append(digits);
  return s;
}

void Digit(PatternWriter& w, char d, bool setB) {
  w.Runs(setB ? kSetB[d - '0'] : kSetA[d - '0'], ElementKind::Space);
}
void RightDigit(PatternWriter& w, char d) { w.Runs(kSetA[d - '0'], ElementKind::Bar); }

// 101, the left half with the given set-B positions, 01010, the right half, 101.
void TwoHalves(std::string_view left, unsigned parity, std::string_view right, BarcodePattern& out) {
  PatternWriter w(out);
  w.Reserve((left.size() + right.size()) * 4 + 11);
  w.Runs("111", ElementKind::Bar);
  const int n = static_cast<int>(left.size());
  for (int i = 0; i < n; ++i) Digit(w, left[i], (parity >> (n - 1 - i)) & 1u);
  w.Runs("11111", ElementKind::Space);
  for (char d : right) RightDigit(w, d);
  w.Runs("111", ElementKind::Bar);
}

std::string WithCheck(std::string s) {
  s.push_back(static_cast<char>('0' + Mod10Weight31(s)));
  return s;
}

// The eleven UPC-A digits (without the check digit) that six UPC-E message
// digits d1 … d6 stand for, by the last of them:
//   0, 1, 2:  d1 d2 d6 0 0 | 0 0 d3 d4 d5
//   3:        d1 d2 d3 0 0 | 0 0 0 d4 d5
//   4:        d1 d2 d3 d4 0 | 0 0 0 0 d5
//   5 … 9:    d1 d2 d3 d4 d5 | 0 0 0 0 d6
// after the number system digit.
std::string ExpandUpcE(std::string_view m, int numberSystem) {
  std::string a(11, '0');
  a[0] = static_cast<char>('0' + numberSystem);
  a[1] = m[0];
  a[2] = m[1];
  switch (m[5]) {
    case '0': case '1': case '2':
      a[3] = m[5];
      a[8] = m[2]; a[9] = m[3]; a[10] = m[4];
      break;
    case '3':
      a[3] = m[2];
      a[9] = m[3]; a[10] = m[4];
      break;
    case '4':
      a[3] = m[2]; a[4] = m[3];
      a[10] = m[4];
      break;
    default:
      a[3] = m[2]; a[4] = m[3]; a[5] = m[4];
      a[10] = m[5];
      break;
  }
  return a;
}

}  // namespace

void EncodeEan13(std::string_view digits, BarcodePattern& out) {
  std::string s = WithCheck(Fixed(digits, 12));
  const std::string_view v = s;
  TwoHalves(v.substr(1, 6), kEan13Parity[s[0] - '0'], v.substr(7, 6), out);
  out.encodedText = std::move(s);
}

void EncodeEan8(std::string_view digits, BarcodePattern& out) {
  std::string s = WithCheck(Fixed(digits, 7));
  const std::string_view v = s;
  TwoHalves(v.substr(0, 4), 0, v.substr(4, 4), out);
  out.encodedText = std::move(s);
}

void EncodeUpcA(std::string_view digits, BarcodePattern& out) {
  std::string s = WithCheck(Fixed(digits, 11));
  const std::string_view v = s;
  TwoHalves(v.substr(0, 6), 0, v.substr(6, 6), out);
  out.encodedText = std::move(s);
}

void EncodeUpcE(std::string_view digits, int numberSystem, BarcodePattern& out) {
  const std::string message = Fixed(digits, 6);
  const int check = Mod10Weight31(ExpandUpcE(message, numberSystem));
  const unsigned parity = numberSystem == 0 ? kUpcEParity[check] : kUpcEParity[check] ^ 0b111111u;

  PatternWriter w(out);
  w.Reserve(6 * 4 + 9);
  w.Runs("111", ElementKind::Bar);
  for (int i = 0; i < 6; ++i) Digit(w, message[i], (parity >> (5 - i)) & 1u);
  w.Runs("111111", ElementKind::Space);
  out.encodedText.reserve(8);
  out.encodedText.push_back(static_cast<char>('0' + numberSystem));
  out.encodedText.append(message);
  out.encodedText.push_back(static_cast<char>('0' + check));
}

void EncodeUpcSupplement(std::string_view digits, int length, BarcodePattern& out) {
  const std::string s = Fixed(digits, static_cast<std::size_t>(length));
  unsigned parity;
  if (length == 2) {
    parity = static_cast<unsigned>(((s[0] - '0') * 10 + (s[1] - '0')) % 4);
  } else {
    const int odd = (s[0] - '0') + (s[2] - '0') + (s[4] - '0');
    const int even = (s[1] - '0') + (s[3] - '0');
    parity = kSupp5Parity[(3 * odd + 9 * even) % 10];
  }
  PatternWriter w(out);
  w.Reserve(static_cast<std::size_t>(length) * 6 + 3);
  w.Runs("112", ElementKind::Bar);
  for (int i = 0; i < length; ++i) {
    if (i) w.Runs("11", ElementKind::Space);
    Digit(w, s[i], (parity >> (length - 1 - i)) & 1u);
  }
  out.encodedText = s;
}

}  // namespace report::barcode::detail
