// The scales of the T-s chart bitmap "DiagrTS.bmp" and the colours of its curve
// families. The diagram window places its markers by the same scales, so the
// chart must be drawn to them exactly: 1000 × 1700 pixels, x = 100·s + 35 with s
// in kJ/(kg K), y = 1674 − 2·t with t in °C (s from −0.35 to 9.65, t from −13 to
// 837 °C). Pixel (x, y) means the centre of the pixel of column x, row y.
#pragma once

#include <cstdint>

namespace tab97::chart {

inline constexpr int kWidth = 1000;
inline constexpr int kHeight = 1700;
inline constexpr int kNavigatorWidth = 100;
inline constexpr int kNavigatorHeight = 170;

inline constexpr char kChartFile[] = "DiagrTS.bmp";
inline constexpr char kNavigatorFile[] = "DiagrTSNahled.bmp";

inline constexpr double kPixelsPerEntropy = 100.0;  // per kJ/(kg K)
inline constexpr double kEntropyOrigin = 35.0;      // x of s = 0
inline constexpr double kPixelsPerKelvin = 2.0;
inline constexpr double kTemperatureOrigin = 1674.0;  // y of t = 0 °C

constexpr double PixelX(double s) { return kPixelsPerEntropy * s + kEntropyOrigin; }
constexpr double PixelY(double t) { return kTemperatureOrigin - kPixelsPerKelvin * t; }
constexpr double EntropyAt(double x) { return (x - kEntropyOrigin) / kPixelsPerEntropy; }
constexpr double TemperatureAt(double y) { return (kTemperatureOrigin - y) / kPixelsPerKelvin; }

// Where the chart's own texts stand, in bitmap pixels. The title band holds the
// two-line title, the unit captions "t [°C]" and "s [kJ/(kg K)]" and the upper
// row of entropy numbers; the temperature numbers run down the left margin and
// the right edge; the lower row of entropy numbers closes the bottom; the legend
// box stands under the title. Curve labels keep clear of them, and a window
// showing the chart must not cover them with its controls.
struct TextBand {
  int left, top, width, height;
};
inline constexpr TextBand kTitleBand{0, 0, kWidth, 72};
inline constexpr TextBand kLeftTemperatures{0, 0, 34, kHeight};
inline constexpr TextBand kRightTemperatures{kWidth - 34, 0, 34, kHeight};
inline constexpr TextBand kBottomEntropies{0, kHeight - 24, kWidth, 24};
inline constexpr TextBand kLegend{166, 92, 262, 132};
inline constexpr TextBand kTextBands[] = {kTitleBand, kLeftTemperatures, kRightTemperatures, kBottomEntropies,
                                          kLegend};

// Colours as 0xRRGGBB. Each family has a hue of its own.
inline constexpr std::uint32_t kBackgroundColour = 0xFFFFFF;
inline constexpr std::uint32_t kGridMinorColour = 0xEDEDED;
inline constexpr std::uint32_t kGridMajorColour = 0xC4C4C4;
inline constexpr std::uint32_t kAxisTextColour = 0x202020;
inline constexpr std::uint32_t kDomeColour = 0x000000;       // saturation line, black
inline constexpr std::uint32_t kIsobarColour = 0x0A5AC8;     // blue
inline constexpr std::uint32_t kIsenthalpColour = 0xD26E00;  // orange
inline constexpr std::uint32_t kIsochoreColour = 0xB4006E;   // crimson
inline constexpr std::uint32_t kDrynessColour = 0x00873C;    // green

}  // namespace tab97::chart
