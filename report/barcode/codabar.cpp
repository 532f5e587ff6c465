// Codabar: data characters 0-9 - $ : / . + between a start and a stop character
// A, B, C or D, each character seven elements (four bars, three spaces) of two
// widths, with a narrow space between characters. Of the encodable characters,
// a first A/B/C/D is the start and a last one the stop; where the text has none
// the start or stop is 'A', and A/B/C/D elsewhere are dropped.
// The optional check character, placed before the stop, brings the sum of all
// character values (start and stop included) to a multiple of 16.
#include <string>

#include "report/barcode/encoders.h"

namespace report::barcode::detail {

namespace {

// Values 0 … 19 in this order.
constexpr std::string_view kChars = "0123456789-$:/.+ABCD";

// Wide elements, the first in bit 6.
constexpr unsigned kWide[20] = {
    0b0000011, 0b0000110, 0b0001001, 0b1100000, 0b0010010,  // 0-4
    0b1000010, 0b0100001, 0b0100100, 0b0110000, 0b1001000,  // 5-9
    0b0001100, 0b0011000, 0b1000101, 0b1010001, 0b1010100,  // - $ : / .
    0b0010101, 0b0011010, 0b0101001, 0b0001011, 0b0001110};  // + A B C D

int Value(char c) {
  const std::size_t pos = kChars.find(c);
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}
bool IsStartStop(char c) { return c >= 'A' && c <= 'D'; }

}  // namespace

void EncodeCodabar(std::string_view text, bool check, BarcodePattern& out) {
  // The encodable characters, in s between the start and the stop letter: a
  // letter A … D first among them is the start, last among them the stop.
  std::string kept;
  kept.reserve(text.size());
  for (char c : text)
    if (Value(c) >= 0) kept.push_back(c);
  if (kept.empty()) return;
  std::string_view data = kept;
  const char start = IsStartStop(data.front()) ? data.front() : 'A';
  if (IsStartStop(data.front())) data.remove_prefix(1);
  const char stop = !data.empty() && IsStartStop(data.back()) ? data.back() : 'A';
  if (!data.empty() && IsStartStop(data.back())) data.remove_suffix(1);
  std::string s;
  s.reserve(data.size() + 3);
  s.push_back(start);
  for (char c : data)
    if (!IsStartStop(c)) s.push_back(c);
  s.push_back(stop);
  if (check) {
    int sum = 0;
    for (char c : s) sum += Value(c);
    s.insert(s.end() - 1, kChars[(16 - sum % 16) % 16]);
  }

  PatternWriter w(out);
  w.Reserve(s.size() * 8);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (i) w.Space();
    w.TwoWidth(kWide[Value(s[i])], 7, ElementKind::Bar);
  }
  out.encodedText = std::move(s);
}

}  // namespace report::barcode::detail
