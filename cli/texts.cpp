#include "cli/texts.h"

#include <cstddef>

#include "res/texttables/texttables.h"

namespace if97::cli {

namespace {

namespace shared = if97::texttables;

int Row(Language language) { return language == Language::kCzech ? shared::kCzech : shared::kEnglish; }

// The text of a shared table, or an empty string outside it.
template <std::size_t N>
const char* Pick(const char* const (&table)[shared::kLanguageCount][N], Language language, int index) {
  const char* text = shared::At(table, Row(language), index);
  return text != nullptr ? text : "";
}

const char* const kLetters[6] = {"T", "P", "V", "S", "I", "X"};

}  // namespace

const char* QuantityLetter(int quantity) { return quantity >= 1 && quantity <= 6 ? kLetters[quantity - 1] : ""; }

const char* ResultCaption(int quantity, Language language) {
  return Pick(shared::kResultCaptions, language, quantity - 1);
}

// The units are the same in both languages.
const char* Unit(int quantity) { return Pick(shared::kUnits, Language::kEnglish, quantity - 1); }

const char* RegionName(int region, Language language) { return Pick(shared::kRegionNames, language, region - 1); }

const char* RegionCaption(Language language) {
  return Pick(shared::kHeadings, language, shared::kRegionHeadingPosition - 1);
}

const char* SupplementaryResultCaption(int index, Language language) {
  return Pick(shared::kSupplementaryResultCaptions, language, index);
}

const char* SupplementaryResultUnit(int index) {
  return Pick(shared::kSupplementaryResultUnits, Language::kEnglish, index);
}

// The expansion (505) has its three inputs at 0..2 of the expansion captions, the
// compression (506) at 3..5.
const char* FunctionInputCaption(int code, int k, int quantity, Language language) {
  if ((code == 505 || code == 506) && k >= 0 && k <= 2) {
    return Pick(shared::kExpansionCaptions, language, (code - 505) * 3 + k);
  }
  return ResultCaption(quantity, language);
}

}  // namespace if97::cli
