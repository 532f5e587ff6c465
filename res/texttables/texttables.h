// The two-language texts that both the window and the command-line tool show:
// result captions, units, region names, headings and the function-page texts of
// group 5. Plain C++ (no Qt) in UTF-8, so that the tool builds without Qt and
// both programs read the same bytes. Every table is indexed [language][index]:
// row 0 Czech, row 1 English; the index counts from 0 (quantity 1 is index 0).
#pragma once

#include <cstddef>

namespace if97::texttables {

inline constexpr int kCzech = 0;
inline constexpr int kEnglish = 1;

inline constexpr std::size_t kLanguageCount = 2;
inline constexpr std::size_t kQuantityCount = 6;          // T, P, V, S, I, X
inline constexpr std::size_t kRegionCount = 11;           // region codes 1..11
inline constexpr std::size_t kHeadingCount = 12;          // heading positions 1..12
inline constexpr std::size_t kSupplementaryCount = 7;     // functions of group 5
inline constexpr std::size_t kExpansionCaptionCount = 6;  // 3 inputs of 505, then 3 of 506

// The heading position of the region caption ("Oblast" / "Region").
inline constexpr int kRegionHeadingPosition = 5;

extern const char* const kResultCaptions[kLanguageCount][kQuantityCount];     // "Teplota = " …
extern const char* const kUnits[kLanguageCount][kQuantityCount];              // "°C" …; " " for X
extern const char* const kRegionNames[kLanguageCount][kRegionCount];
extern const char* const kHeadings[kLanguageCount][kHeadingCount];            // '\r' breaks a line
extern const char* const kSupplementaryResultCaptions[kLanguageCount][kSupplementaryCount];
extern const char* const kSupplementaryResultUnits[kLanguageCount][kSupplementaryCount];
extern const char* const kExpansionCaptions[kLanguageCount][kExpansionCaptionCount];

// The text at [language][index], or nullptr for a language or index outside the
// table, so that a stray number never reads past an array.
template <std::size_t N>
constexpr const char* At(const char* const (&table)[kLanguageCount][N], int language, int index) {
  if (language < 0 || language >= static_cast<int>(kLanguageCount)) return nullptr;
  if (index < 0 || index >= static_cast<int>(N)) return nullptr;
  return table[language][index];
}

}  // namespace if97::texttables
