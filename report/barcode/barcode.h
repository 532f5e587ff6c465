// Barcode encoders of the report engine: the text of a barcode element (kind 12)
// becomes a pattern of bars, spaces and short bars, which the renderer draws.
//
// Plain C++, no Qt. The texts are Latin-1 (or ASCII) bytes.
//
// Type numbers are the stored ones: the position in the list of BarcodeType.
// What every symbology does with its input:
//
// * Digits-only types (2 of 5 family, Code 128C, MSI, PostNet, EAN/UPC and the
//   supplements): surrounding blanks are trimmed, every other non-digit becomes '0'.
// * Other types drop each character they cannot encode. Code 128A first turns
//   lower-case letters into capitals; Code 39, Code 93 and Codabar do not, so their
//   lower-case letters are dropped (the "Full" types of Code 39 and 93 encode them;
//   Code 93 Full draws '$', '%', '/' and '+' as themselves, not as shift pairs).
// * An empty text (after trimming), or one with nothing encodable left, gives an
//   empty pattern.
// * Fixed-length types take exactly their number of digits: a shorter text gets
//   leading zeros, a longer one keeps its first digits. EAN-13 takes 12, EAN-8 7,
//   UPC-A 11, UPC-E0/E1 6 (the six message digits: the type fixes the number
//   system, 0 or 1, and the check digit is always computed), the supplements 2 and 5.
//   Their check digit is always added; a check digit typed by the user is cut off
//   with the rest and computed anew.
// * The check-digit option acts only where the check is optional: 2 of 5 (mod 10,
//   weights 3-1), Code 39 (mod 43), MSI (mod 10, doubling every other digit) and
//   Codabar (mod 16). Code 128 (mod 103), Code 93 (C and K), PostNet (mod 10) and
//   EAN/UPC always carry theirs; the supplements have none (their parity carries it).
// * Interleaved 2 of 5 and Code 128C need an even number of digits: an odd count
//   (counting the check digit, if any) gets one leading zero.
// * Codabar: of the characters it can encode, a leading A/B/C/D is the start
//   character and a trailing one the stop character; a missing one is 'A' (a
//   plain "123" is drawn as A123A). A/B/C/D anywhere else cannot be data and are
//   dropped; so are the other notations of start/stop (T, N, *, E) and lower case.
// * Patterns hold no quiet zones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace report::barcode {

enum class BarcodeType : int {
  Interleaved2of5 = 0,
  Industrial2of5 = 1,
  Matrix2of5 = 2,
  Code39 = 3,
  Code39Full = 4,
  Code128A = 5,
  Code128B = 6,
  Code128C = 7,
  Code93 = 8,
  Code93Full = 9,
  Msi = 10,
  PostNet = 11,
  Codabar = 12,
  Ean8 = 13,
  Ean13 = 14,
  UpcA = 15,
  UpcE0 = 16,
  UpcE1 = 17,
  UpcSupp2 = 18,
  UpcSupp5 = 19,
};

constexpr int kBarcodeTypeCount = 20;
constexpr int kDefaultBarcodeType = 14;  // "EAN 13"

// The designer's name of a type ("EAN 13", …); empty for a type outside 0 … 19.
std::string_view BarcodeTypeName(int type);
// True for the types whose text is reduced to decimal digits.
bool IsDigitsOnly(int type);
// True where the check-digit option changes the symbol (2 of 5, Code 39, MSI, Codabar).
bool HasOptionalCheckDigit(int type);

enum class ElementKind : uint8_t { Bar, Space, ShortBar };

// One bar or space. Two-width symbologies (2 of 5, Code 39, Codabar, MSI) give
// narrow (modules 1) and wide (wide = true, modules 1, drawn ratio times as wide)
// elements; the others give 1 … 4 modules and never wide. PostNet gives tall bars
// (Bar), short bars (ShortBar) and spaces, each one module.
struct PatternElement {
  ElementKind kind = ElementKind::Bar;
  uint8_t modules = 1;
  bool wide = false;

  friend bool operator==(const PatternElement&, const PatternElement&) = default;
};

struct BarcodePattern {
  std::vector<PatternElement> elements;  // left to right, starting with a bar
  // The characters the symbol carries, for printing under it: the cleaned and
  // padded text with the check digits people print (2 of 5, Code 39, MSI,
  // PostNet, Codabar with its start and stop letters, EAN/UPC). Code 128's symbol
  // check and Code 93's C and K are not printed and not part of it; neither are
  // Code 39's '*' nor, for the "Full" types, the shift pairs.
  std::string encodedText;
};

// The pattern of a text. An out-of-range type gives an empty pattern.
BarcodePattern EncodeBarcode(int type, std::string_view text, bool addCheckDigit);

// Ratio of wide to narrow elements as the functions below use it: values below 1
// (and NaN) count as 1, values above 10 as 10.
double EffectiveRatio(double ratio);
// Width of the pattern in narrow modules, a wide element counting `ratio`.
double PatternWidthModules(const BarcodePattern& pattern, double ratio);
// One character per module: '1' bar, '0' space, 's' short bar. A wide element
// gets the ratio rounded to whole modules (2 by default, 3 for the usual dumps).
std::string PatternToModules(const BarcodePattern& pattern, double ratio);

// The module width of one barcode element, in device units. A requested width of
// 1 … 49 is taken and remembered; any other keeps the previous one (1 at first).
// Each barcode element keeps its own.
class ModuleWidthMemory {
 public:
  static constexpr int kMinWidth = 1;
  static constexpr int kMaxWidth = 49;

  int accept(int requested) {
    if (requested >= kMinWidth && requested <= kMaxWidth) width_ = requested;
    return width_;
  }
  int width() const { return width_; }

 private:
  int width_ = 1;
};

// What a barcode drawing is given. The renderer rotates about the top-left corner
// of the rectangle by `angle` degrees.
struct BarcodeRect {
  int left = 0, top = 0, width = 0, height = 0;
};
struct BarcodeOptions {
  std::string text;
  BarcodeRect rect;
  int type = kDefaultBarcodeType;
  int moduleWidth = 1;  // device units, as returned by the element's ModuleWidthMemory
  double ratio = 2.0;   // wide : narrow
  double angle = 0.0;   // degrees
  bool addCheckDigit = false;
  bool printText = false;
};

// The printed text: this font at 3 × module width points.
constexpr std::string_view kBarcodeTextFont = "Arial";
constexpr int BarcodeTextPointSize(int moduleWidth) { return 3 * moduleWidth; }

// A filled bar of the drawing, relative to the top-left corner of the unrotated
// symbol, in device units. A short bar is two fifths of the height, at the bottom.
struct BarRect {
  double x = 0, y = 0, width = 0, height = 0;
};
std::vector<BarRect> LayoutBars(const BarcodePattern& pattern, double moduleWidth, double ratio,
                                double height);

}  // namespace report::barcode
