// Code 93: 47 characters (the 43 of Code 39 and the four shift characters
// ($) (%) (/) (+), values 43 … 46), each nine modules in three bars and three
// spaces, between start and stop characters; the stop has a final one-module
// bar. Two check characters always follow the data: C, the values weighted 1 … 20
// from the right (repeating) mod 47, then K, the values with C weighted 1 … 15
// mod 47. The Full type writes every ASCII character with the pairs of Code 39
// Full, using the Code 93 shift characters in place of '$', '%', '/' and '+';
// those four are data characters of Code 93 and stand for themselves.
#include <array>
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

constexpr std::string_view kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr int kShiftDollar = 43, kShiftPercent = 44, kShiftSlash = 45, kShiftPlus = 46, kStartStop = 47;

// Modules of values 0 … 46 and of the start/stop character, the first in bit 8.
constexpr unsigned kModules[48] = {
    0b100010100, 0b101001000, 0b101000100, 0b101000010, 0b100101000,  // 0-4
    0b100100100, 0b100100010, 0b101010000, 0b100010010, 0b100001010,  // 5-9
    0b110101000, 0b110100100, 0b110100010, 0b110010100, 0b110010010,  // A-E
    0b110001010, 0b101101000, 0b101100100, 0b101100010, 0b100110100,  // F-J
    0b100011010, 0b101011000, 0b101001100, 0b101000110, 0b100101100,  // K-O
    0b100010110, 0b110110100, 0b110110010, 0b110101100, 0b110100110,  // P-T
    0b110010110, 0b110011010, 0b101101100, 0b101100110, 0b100110110,  // U-Y
    0b100111010, 0b100101110, 0b111010100, 0b111010010, 0b111001010,  // Z - . space $
    0b101101110, 0b101110110, 0b110101110, 0b100100110, 0b111011010,  // / + % ($) (%)
    0b111010110, 0b100110010, 0b101011110};                           // (/) (+) start/stop

// The same as six element widths, bar first.
struct Runs {
  char widths[7] = {};
};
constexpr std::array<Runs, 48> MakeRuns() {
  std::array<Runs, 48> table{};
  for (int v = 0; v < 48; ++v) {
    int n = 0, run = 0;
    unsigned last = 1;
    for (int bit = 8; bit >= 0; --bit) {
      const unsigned m = (kModules[v] >> bit) & 1u;
      if (m != last && run > 0) {
        table[v].widths[n++] = static_cast<char>('0' + run);
        run = 0;
      }
      last = m;
      ++run;
    }
    table[v].widths[n] = static_cast<char>('0' + run);
  }
  return table;
}
constexpr std::array<Runs, 48> kRuns = MakeRuns();

int Value(char c) {
  const std::size_t pos = kChars.find(c);
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int ShiftValue(char shift) {
  switch (shift) {
    case '$': return kShiftDollar;
    case '%': return kShiftPercent;
    case '/': return kShiftSlash;
    default: return kShiftPlus;
  }
}

// The check character over values, weights 1 … maxWeight from the right.
int CheckValue(const std::string& values, int maxWeight) {
  int sum = 0, weight = 1;
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    sum += weight * static_cast<unsigned char>(*it);
    weight = weight == maxWeight ? 1 : weight + 1;
  }
  return sum % 47;
}

}  // namespace

void EncodeCode93(std::string_view text, bool fullAscii, BarcodePattern& out) {
  std::string values;  // one byte per symbol character value
  std::string printed;
  values.reserve(fullAscii ? text.size() * 2 + 2 : text.size() + 2);
  printed.reserve(text.size());
  for (char c : text) {
    if (fullAscii && Value(c) < 0) {
      char pair[2];
      const int n = FullAsciiPair(static_cast<unsigned char>(c), pair);
      if (n == 0) continue;
      if (n == 2) {
        values.push_back(static_cast<char>(ShiftValue(pair[0])));
        values.push_back(static_cast<char>(Value(pair[1])));
      } else {
        values.push_back(static_cast<char>(Value(pair[0])));
      }
    } else {
      const int v = Value(c);
      if (v < 0) continue;
      values.push_back(static_cast<char>(v));
    }
    printed.push_back(c);
  }
  if (values.empty()) return;
  values.push_back(static_cast<char>(CheckValue(values, 20)));
  values.push_back(static_cast<char>(CheckValue(values, 15)));

  PatternWriter w(out);
  w.Reserve((values.size() + 2) * 6 + 1);
  w.Runs(kRuns[kStartStop].widths, ElementKind::Bar);
  for (char v : values) w.Runs(kRuns[static_cast<unsigned char>(v)].widths, ElementKind::Bar);
  w.Runs(kRuns[kStartStop].widths, ElementKind::Bar);
  w.Bar();
  out.encodedText = std::move(printed);
}

}  // namespace report::barcode::detail
