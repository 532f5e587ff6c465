// POSTNET: each digit is five bars, two tall and three short, with a tall frame
// bar at either end; bars and the spaces between them are one module each. The
// check digit, always present, brings the digit sum to a multiple of ten. The
// postal service prints 5, 9 or 11 digits; other lengths are drawn as given.
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Tall bars of each digit, the first bar in bit 4.
constexpr unsigned kTall[10] = {0b11000, 0b00011, 0b00101, 0b00110, 0b01001,
                                0b01010, 0b01100, 0b10001, 0b10010, 0b10100};

}  // namespace

void EncodePostNet(std::string_view digits, BarcodePattern& out) {
  std::string s(digits);
  int sum = 0;
  for (char c : s) sum += c - '0';
  s.push_back(static_cast<char>('0' + (10 - sum % 10) % 10));

  PatternWriter w(out);
  w.Reserve(s.size() * 10 + 3);
  w.Bar();
  for (char c : s) {
    const unsigned tall = kTall[c - '0'];
    for (int k = 4; k >= 0; --k) {
      w.Space();
      if ((tall >> k) & 1u) w.Bar(); else w.ShortBar();
    }
  }
  w.Space();
  w.Bar();
  out.encodedText = std::move(s);
}

}  // namespace report::barcode::detail
