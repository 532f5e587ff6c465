// Internal to the barcode library: the encoders behind EncodeBarcode and the small
// writer they share. Not for use outside report/barcode.
#pragma once

#include <cstdint>
#include <string_view>

#include "report/barcode/barcode.h"

namespace report::barcode::detail {

// Appends elements, alternating bar and space from whatever kind comes next.
class PatternWriter {
 public:
  explicit PatternWriter(BarcodePattern& pattern) : out_(pattern.elements) {}

  void Bar(int modules = 1) { Put(ElementKind::Bar, modules, false); }
  void Space(int modules = 1) { Put(ElementKind::Space, modules, false); }
  void ShortBar() { Put(ElementKind::ShortBar, 1, false); }
  void WideBar() { Put(ElementKind::Bar, 1, true); }
  void WideSpace() { Put(ElementKind::Space, 1, true); }
  // Two-width elements: `count` of them, the most significant of the low `count`
  // bits first, a set bit meaning wide; bars and spaces alternate from `first`.
  void TwoWidth(unsigned wideBits, int count, ElementKind first) {
    ElementKind kind = first;
    for (int i = count - 1; i >= 0; --i) {
      Put(kind, 1, (wideBits >> i) & 1u);
      kind = Other(kind);
    }
  }
  // Multi-width elements from a string of digits 1 … 4, alternating from `first`.
  void Runs(std::string_view widths, ElementKind first) {
    ElementKind kind = first;
    for (char w : widths) {
      Put(kind, w - '0', false);
      kind = Other(kind);
    }
  }
  void Reserve(std::size_t n) { out_.reserve(n); }

 private:
  static ElementKind Other(ElementKind k) { return k == ElementKind::Space ? ElementKind::Bar : ElementKind::Space; }
  void Put(ElementKind kind, int modules, bool wide) {
    out_.push_back(PatternElement{kind, static_cast<uint8_t>(modules), wide});
  }
  std::vector<PatternElement>& out_;
};

constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Mod 10 with weights 3, 1, 3, … from the rightmost digit: the check digit of
// the 2 of 5 family and of EAN/UPC.
int Mod10Weight31(std::string_view digits);

// Full-ASCII expansion shared by Code 39 Full and Code 93 Full: writes the one or
// two base characters of an ASCII byte into out and gives their count (0 for bytes
// 128 … 255). The shift characters are '$', '%', '/' and '+', as in Code 39.
int FullAsciiPair(unsigned char c, char out[2]);

// Each encoder gets text already cleaned for digits-only types (non-empty) and
// fills the pattern; an encoder left with nothing encodable leaves it empty.
void EncodeInterleaved2of5(std::string_view digits, bool check, BarcodePattern& out);
void EncodeIndustrial2of5(std::string_view digits, bool check, BarcodePattern& out);
void EncodeMatrix2of5(std::string_view digits, bool check, BarcodePattern& out);
void EncodeCode39(std::string_view text, bool fullAscii, bool check, BarcodePattern& out);
void EncodeCode128(std::string_view text, char set, BarcodePattern& out);  // set 'A', 'B' or 'C'
void EncodeCode93(std::string_view text, bool fullAscii, BarcodePattern& out);
void EncodeMsi(std::string_view digits, bool check, BarcodePattern& out);
void EncodePostNet(std::string_view digits, BarcodePattern& out);
void EncodeCodabar(std::string_view text, bool check, BarcodePattern& out);
void EncodeEan13(std::string_view digits, BarcodePattern& out);
void EncodeEan8(std::string_view digits, BarcodePattern& out);
void EncodeUpcA(std::string_view digits, BarcodePattern& out);
void EncodeUpcE(std::string_view digits, int numberSystem, BarcodePattern& out);
void EncodeUpcSupplement(std::string_view digits, int length, BarcodePattern& out);  // length 2 or 5

}  // namespace report::barcode::detail
