// File names of the window's pictures. They lie in the program's own directory;
// the picture generator writes them and the window loads them from there.
#pragma once

namespace tab97::pictures {

// Page backgrounds (JPEG), 514 × 366 pixels, one per page.
inline constexpr char kCalculatorBackground[] = "PozadiVypocet.jpg";
inline constexpr char kPointsBackground[] = "PozadiBody.jpg";
inline constexpr char kFunctionsBackground[] = "PozadiFunkce.jpg";
inline constexpr char kRangesBackground[] = "PozadiRozsahy.jpg";
inline constexpr char kStartBackground[] = "PozadiVstup.jpg";

// The close picture, 20 × 20 pixels (PNG).
inline constexpr char kClose[] = "Zavrit.png";

// Start page: three contact pictures and two flags.
inline constexpr char kContactCustomer[] = "KontaktZadavatel.png";
inline constexpr char kContactLibraries[] = "KontaktKnihovny.png";
inline constexpr char kContactProgram[] = "KontaktProgram.png";
inline constexpr char kFlagCzech[] = "VlajkaCZ.png";
inline constexpr char kFlagEnglish[] = "VlajkaEN.jpg";

inline constexpr int kBackgroundWidth = 514;
inline constexpr int kBackgroundHeight = 366;
inline constexpr int kCloseSize = 20;
inline constexpr int kContactSize = 44;
inline constexpr int kFlagWidth = 54;
inline constexpr int kFlagHeight = 34;

}  // namespace tab97::pictures
