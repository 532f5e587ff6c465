// The texts of the command-line tool in both languages (UTF-8): the captions,
// units and region names the window shows, so that a terminal user reads the
// same words: the tables are the ones the window uses (res/texttables). Lookups
// outside a table give an empty string.
#pragma once

namespace if97::cli {

enum class Language : int { kCzech = 0, kEnglish = 1 };

const char* QuantityLetter(int quantity);                     // "T" … "X" for 1 … 6
const char* ResultCaption(int quantity, Language language);   // "Temperature = " …
const char* Unit(int quantity);                               // "°C" …; " " for X
const char* RegionName(int region, Language language);        // codes 1 … 11
const char* RegionCaption(Language language);                 // "Region" / "Oblast"

// Function page texts of group 5 by the index within the group (0 … 6).
const char* SupplementaryResultCaption(int index, Language language);
const char* SupplementaryResultUnit(int index);

// Input caption of input k (0 … 2) of a function: the result caption of the
// input's quantity, except for the expansion (505) and compression (506) inputs.
const char* FunctionInputCaption(int code, int k, int quantity, Language language);

}  // namespace if97::cli
