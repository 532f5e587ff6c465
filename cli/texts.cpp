#include "cli/texts.h"

namespace if97::cli {

namespace {

int Row(Language language) { return language == Language::kCzech ? 0 : 1; }

const char* const kLetters[6] = {"T", "P", "V", "S", "I", "X"};

const char* const kResultCaptions[2][6] = {
    {"Teplota = ", "Tlak = ", "Měrný objem = ", "Entropie = ", "Entalpie = ", "Suchost pary = "},
    {"Temperature = ", "Pressure = ", "Specific volume = ", "Specific entropy = ", "Specific enthalpy = ",
     "Dryness = "},
};

const char* const kUnits[6] = {"°C", "MPa", "m3/kg", "kJ/kgK", "kJ/kg", " "};

const char* const kRegionNames[2][11] = {
    {"Oblast tlakové vody", "Oblast přehřáté páry", "Kritická oblast", "Mimo funkční oblast",
     "Mokrá pára - kritická oblast", "Mokrá pára - subkritická oblast", "Mez sytosti", "Metastabilní oblast",
     "Hodnoty mimo funkční oblast", "Kombinace proměnných není odladěna", "Chybná kombinace zadání proměnných"},
    {"Pressure water", "Superheated steam", "Critical region", "Out of range", "Wet steam - critical region",
     "Wet steam - subcritical region", "Saturation line", "Metastable-steam region",
     "Input parameters are out of range", "This combination of parameters is not tuned",
     "This combination of parameters is not available"},
};

const char* const kSupplementaryCaptions[2][7] = {
    {"Suchost = ", "Vlhkost = ", "Dynamická viskozita = ", "Tepelná vodivost = ", "Isoentropický exponent = ",
     "Isoentropický spád = ", "Isoentropická práce čerp. = "},
    {"Dryness = ", "Moisture = ", "Dynamic Viscosity = ", "Thermal Conductivity = ", "Isentropic Exponent = ",
     "Isentropic heat drop = ", "Isentropic heat increasing = "},
};

const char* const kSupplementaryUnits[7] = {" ", " ", "E-6 kg/m.s", "E-3 W/m.K", " ", "kJ/kg", "kJ/kg"};

// Inputs of the expansion (505) and the compression (506), in input order.
const char* const kExpansionCaptions[2][6] = {
    {"Tlak poč. expanze = ", "Entalpie poč. expanze = ", "Tlak konce expanze = ", "Tlak poč.komprese = ",
     "Teplota poč. komprese = ", "Tlak konce komprese = "},
    {"Pressure-before expansion = ", "Enthalpy-before expansion = ", "Pressure-after expansion = ",
     "Pressure-before compression = ", "Temperature-before compression = ", "Pressure-after compression = "},
};

}  // namespace

const char* QuantityLetter(int quantity) { return quantity >= 1 && quantity <= 6 ? kLetters[quantity - 1] : ""; }

const char* ResultCaption(int quantity, Language language) {
  return quantity >= 1 && quantity <= 6 ? kResultCaptions[Row(language)][quantity - 1] : "";
}

const char* Unit(int quantity) { return quantity >= 1 && quantity <= 6 ? kUnits[quantity - 1] : ""; }

const char* RegionName(int region, Language language) {
  return region >= 1 && region <= 11 ? kRegionNames[Row(language)][region - 1] : "";
}

const char* RegionCaption(Language language) { return language == Language::kCzech ? "Oblast" : "Region"; }

const char* SupplementaryResultCaption(int index, Language language) {
  return index >= 0 && index <= 6 ? kSupplementaryCaptions[Row(language)][index] : "";
}

const char* SupplementaryResultUnit(int index) { return index >= 0 && index <= 6 ? kSupplementaryUnits[index] : ""; }

const char* FunctionInputCaption(int code, int k, int quantity, Language language) {
  if ((code == 505 || code == 506) && k >= 0 && k <= 2) return kExpansionCaptions[Row(language)][(code - 505) * 3 + k];
  return ResultCaption(quantity, language);
}

}  // namespace if97::cli
