// Code 39: 43 characters, each nine elements (five bars, four spaces) of which
// three are wide, between '*' start and stop characters, with a narrow space
// between characters. The optional check character is the sum of the character
// values mod 43. The Full type writes every ASCII character as one or two of
// the 43 ('$', '%', '/' and '+' shifting the next one).
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Character values 0 … 42 in this order; '*' (start and stop) last.
constexpr std::string_view kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// Wide elements, the first element in bit 8.
constexpr unsigned kWide[44] = {
    0b000110100, 0b100100001, 0b001100001, 0b101100000, 0b000110001,  // 0-4
    0b100110000, 0b001110000, 0b000100101, 0b100100100, 0b001100100,  // 5-9
    0b100001001, 0b001001001, 0b101001000, 0b000011001, 0b100011000,  // A-E
    0b001011000, 0b000001101, 0b100001100, 0b001001100, 0b000011100,  // F-J
    0b100000011, 0b001000011, 0b101000010, 0b000010011, 0b100010010,  // K-O
    0b001010010, 0b000000111, 0b100000110, 0b001000110, 0b000010110,  // P-T
    0b110000001, 0b011000001, 0b111000000, 0b010010001, 0b110010000,  // U-Y
    0b011010000, 0b010000101, 0b110000100, 0b011000100, 0b010101000,  // Z - . space $
    0b010100010, 0b010001010, 0b000101010, 0b010010100};              // / + % *
constexpr int kStar = 43;

// The value of a Code 39 character, or -1 (for '*' as well: it is no data).
int Value(char c) {
  const std::size_t pos = kChars.find(c);
  return pos == std::string_view::npos || pos == kStar ? -1 : static_cast<int>(pos);
}

}  // namespace

int FullAsciiPair(unsigned char c, char out[2]) {
  auto pair = [out](char shift, char base) {
    out[0] = shift;
    out[1] = base;
    return 2;
  };
  if (c >= 128) return 0;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '.') {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c == 0) return pair('%', 'U');
  if (c <= 26) return pair('$', static_cast<char>('A' + c - 1));           // SOH … SUB
  if (c <= 31) return pair('%', static_cast<char>('A' + c - 27));          // ESC … US
  if (c <= ',') return pair('/', static_cast<char>('A' + c - '!'));        // ! … ,
  if (c == '/') return pair('/', 'O');
  if (c == ':') return pair('/', 'Z');
  if (c <= '?') return pair('%', static_cast<char>('F' + c - ';'));        // ; … ?
  if (c == '@') return pair('%', 'V');
  if (c <= '_') return pair('%', static_cast<char>('K' + c - '['));        // [ … _
  if (c == '`') return pair('%', 'W');
  if (c <= 'z') return pair('+', static_cast<char>('A' + c - 'a'));        // a … z
  return pair('%', static_cast<char>('P' + c - '{'));                      // { … DEL
}

void EncodeCode39(std::string_view text, bool fullAscii, bool check, BarcodePattern& out) {
  // The Code 39 characters to draw, and what is printed.
  std::string symbols;
  std::string printed;
  symbols.reserve(fullAscii ? text.size() * 2 + 1 : text.size() + 1);
  for (char c : text) {
    if (fullAscii) {
      char pair[2];
      const int n = FullAsciiPair(static_cast<unsigned char>(c), pair);
      if (n == 0) continue;
      symbols.append(pair, static_cast<std::size_t>(n));
      printed.push_back(c);
    } else if (Value(c) >= 0) {
      symbols.push_back(c);
    }
  }
  if (symbols.empty()) return;
  if (check) {
    int sum = 0;
    for (char c : symbols) sum += Value(c);
    symbols.push_back(kChars[sum % 43]);
    if (fullAscii) printed.push_back(symbols.back());
  }

  PatternWriter w(out);
  w.Reserve((symbols.size() + 2) * 10);
  w.TwoWidth(kWide[kStar], 9, ElementKind::Bar);
  for (char c : symbols) {
    w.Space();
    w.TwoWidth(kWide[Value(c)], 9, ElementKind::Bar);
  }
  w.Space();
  w.TwoWidth(kWide[kStar], 9, ElementKind::Bar);
  out.encodedText = fullAscii ? std::move(printed) : std::move(symbols);
}

}  // namespace report::barcode::detail
