// MSI (modified Plessey): each digit is its four bits, most significant first; a
// one bit is a wide bar and a narrow space, a zero bit a narrow bar and a wide
// space. The start is a wide bar and a narrow space, the stop a narrow bar, a wide
// space and a narrow bar. The optional check digit is mod 10 with every other
// digit doubled, starting from the rightmost (products above 9 count their digit
// sum).
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

int MsiCheck(std::string_view digits) {
  int sum = 0;
  bool doubled = true;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    int d = *it - '0';
    if (doubled) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
    sum += d;
    doubled = !doubled;
  }
  return (10 - sum % 10) % 10;
}

}  // namespace

void EncodeMsi(std::string_view digits, bool check, BarcodePattern& out) {
  std::string s(digits);
  if (check) s.push_back(static_cast<char>('0' + MsiCheck(digits)));
  PatternWriter w(out);
  w.Reserve(s.size() * 8 + 5);
  w.TwoWidth(0b10, 2, ElementKind::Bar);
  for (char c : s) {
    const int d = c - '0';
    for (int bit = 3; bit >= 0; --bit) w.TwoWidth((d >> bit) & 1 ? 0b10 : 0b01, 2, ElementKind::Bar);
  }
  w.TwoWidth(0b010, 3, ElementKind::Bar);
  out.encodedText = std::move(s);
}

}  // namespace report::barcode::detail
