#include "res/texttables/texttables.h"

namespace if97::texttables {

const char* const kResultCaptions[kLanguageCount][kQuantityCount] = {
    {"Teplota = ", "Tlak = ", "Měrný objem = ", "Entropie = ", "Entalpie = ", "Suchost pary = "},
    {"Temperature = ", "Pressure = ", "Specific volume = ", "Specific entropy = ", "Specific enthalpy = ",
     "Dryness = "},
};

const char* const kUnits[kLanguageCount][kQuantityCount] = {
    {"°C", "MPa", "m3/kg", "kJ/kgK", "kJ/kg", " "},
    {"°C", "MPa", "m3/kg", "kJ/kgK", "kJ/kg", " "},
};

const char* const kRegionNames[kLanguageCount][kRegionCount] = {
    {"Oblast tlakové vody", "Oblast přehřáté páry", "Kritická oblast", "Mimo funkční oblast",
     "Mokrá pára - kritická oblast", "Mokrá pára - subkritická oblast", "Mez sytosti", "Metastabilní oblast",
     "Hodnoty mimo funkční oblast", "Kombinace proměnných není odladěna", "Chybná kombinace zadání proměnných"},
    {"Pressure water", "Superheated steam", "Critical region", "Out of range", "Wet steam - critical region",
     "Wet steam - subcritical region", "Saturation line", "Metastable-steam region",
     "Input parameters are out of range", "This combination of parameters is not tuned",
     "This combination of parameters is not available"},
};

const char* const kHeadings[kLanguageCount][kHeadingCount] = {
    {"V s t u p n í  v e l i č i n y", "V y p o č t e n é  v e l i č i n y", "V ý b ě r   f u n k c e",
     "V y p o č t e n á  h o d n o t a", "Oblast",
     "Mezní hodnoty teploty tlaku, měrného objemu, entropie, entalpie a suchosti páry:",
     "Nastavení počtu desetinných míst pro jednotlivé veličiny:", "Minimální hodnoty:", "Maximální hodnoty:",
     "Termofyzikální vlastnosti vody a vodní páry podle IAPWS IF97", "Výstupní tisková sestava spočtených veličin",
     "Bod číslo:"},
    {"I n p u t  p a r a m e t e r s", "C a l c u l a t e d  v a l u e s", "F u n c t i o n  s e l e c t i o n",
     "R e s u l t", "Region", "\rDefinition range:", "Setting of decimal points :", "Minimum:", "Maximum:",
     "IAPWS IF97 software - calculated values", "(Report)", "Point number:"},
};

const char* const kSupplementaryResultCaptions[kLanguageCount][kSupplementaryCount] = {
    {"Suchost = ", "Vlhkost = ", "Dynamická viskozita = ", "Tepelná vodivost = ", "Isoentropický exponent = ",
     "Isoentropický spád = ", "Isoentropická práce čerp. = "},
    {"Dryness = ", "Moisture = ", "Dynamic Viscosity = ", "Thermal Conductivity = ", "Isentropic Exponent = ",
     "Isentropic heat drop = ", "Isentropic heat increasing = "},
};

const char* const kSupplementaryResultUnits[kLanguageCount][kSupplementaryCount] = {
    {" ", " ", "E-6 kg/m.s", "E-3 W/m.K", " ", "kJ/kg", "kJ/kg"},
    {" ", " ", "E-6 kg/m.s", "E-3 W/m.K", " ", "kJ/kg", "kJ/kg"},
};

// Inputs of the expansion (505) and the compression (506), in input order.
const char* const kExpansionCaptions[kLanguageCount][kExpansionCaptionCount] = {
    {"Tlak poč. expanze = ", "Entalpie poč. expanze = ", "Tlak konce expanze = ", "Tlak poč.komprese = ",
     "Teplota poč. komprese = ", "Tlak konce komprese = "},
    {"Pressure-before expansion = ", "Enthalpy-before expansion = ", "Pressure-after expansion = ",
     "Pressure-before compression = ", "Temperature-before compression = ", "Pressure-after compression = "},
};

}  // namespace if97::texttables
