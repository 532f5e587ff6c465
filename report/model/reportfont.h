// Font of a text-like element.
#pragma once

#include <functional>

#include <QString>

#include "report/model/reportlimits.h"

namespace report {

enum FontStyleBit : int {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};
constexpr int kFontStyleMask = 15;

constexpr int kCharsetAnsi = 0;
constexpr int kCharsetEastEurope = 238;

struct TReportFont {
  QString name = QStringLiteral("Arial");
  int size = kDefaultFontSize;        // points, 1 … kMaxFontSize
  int color = 0;                      // index into the colour table
  int style = 0;                      // FontStyleBit set
  int charset = kCharsetAnsi;         // character set 0 … 255

  bool operator==(const TReportFont&) const = default;
};

// Font name and character set actually used for drawing. When the named font is
// not installed and its name ends in a script suffix (" CE" 238, " Greek" 161,
// " TUR" 162, " Baltic" 186, " CYR" 204), the suffix is removed and the character
// set is taken from it; otherwise the font is returned unchanged.
struct ResolvedFont {
  QString name;
  int charset = kCharsetAnsi;
};
ResolvedFont ResolveFontName(const QString& name, int charset,
                             const std::function<bool(const QString&)>& isInstalled);

}  // namespace report
