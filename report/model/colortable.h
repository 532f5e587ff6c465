// The engine's table of 16 colours. Pen, fill and font colours of the model are
// indices into it; the model never stores a colour value itself.
#pragma once

#include <cstdint>

namespace report {

struct ReportRgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const ReportRgb&) const = default;
};

constexpr int kColorCount = 16;

// Colour of table index i; an index outside 0 … 15 gives colour 0 (black).
ReportRgb ColorOfIndex(int index);

// Index of a colour in the table. A colour that is not in the table is stored as
// index 0; should a colour occur twice, the higher index is taken.
int IndexOfColor(ReportRgb color);

// An index read from a file, made valid: outside 0 … 15 it becomes 0.
constexpr int ClampColorIndex(int index) { return index >= 0 && index < kColorCount ? index : 0; }

}  // namespace report
