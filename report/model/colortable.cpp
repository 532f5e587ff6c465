#include "report/model/colortable.h"

#include <array>

namespace report {
namespace {

constexpr std::array<ReportRgb, kColorCount> kColors{{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

}  // namespace

ReportRgb ColorOfIndex(int index) { return kColors[static_cast<std::size_t>(ClampColorIndex(index))]; }

int IndexOfColor(ReportRgb color) {
  for (int i = kColorCount - 1; i >= 0; --i)
    if (kColors[static_cast<std::size_t>(i)] == color) return i;
  return 0;
}

}  // namespace report
