#include "cli/parse.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "props/state.h"

namespace if97::cli {

namespace {

int QuantityOfLetter(char c) {
  switch (c) {
    case 'T': case 't': return kT;
    case 'P': case 'p': return kP;
    case 'V': case 'v': return kV;
    case 'S': case 's': return kS;
    case 'I': case 'i': return kI;
    case 'X': case 'x': return kX;
    default: return 0;
  }
}

}  // namespace

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\n";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::optional<PairSpec> ParsePairLetters(std::string_view text) {
  text = Trim(text);
  if (text.size() != 2) return std::nullopt;
  const int a = QuantityOfLetter(text[0]);
  const int b = QuantityOfLetter(text[1]);
  if (a == 0 || b == 0 || a == b) return std::nullopt;
  return PairSpec{MakePairCode(a, b), a > b};
}

std::optional<PairSpec> ParsePairField(std::string_view text) {
  text = Trim(text);
  if (text.size() == 2 && text[0] >= '1' && text[0] <= '6' && text[1] >= '1' && text[1] <= '6') {
    const int a = text[0] - '0';
    const int b = text[1] - '0';
    if (a >= b) return std::nullopt;
    return PairSpec{10 * a + b, false};
  }
  return ParsePairLetters(text);
}

std::optional<double> ParseNumber(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  // Only digits, a point, a sign and an exponent mark: no "nan", "inf" or "0x".
  for (char c : text) {
    const bool ok = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!ok) return std::nullopt;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

void AppendRoundTrip(std::string& out, double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec == std::errc()) out.append(buffer, end);
}

std::string FormatRoundTrip(double value) {
  std::string s;
  AppendRoundTrip(s, value);
  return s;
}

std::string FormatReadable(double value) {
  char buffer[40];
  const int n = std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace if97::cli
