#include "report/model/templatesettings.h"

#include <cmath>

namespace report {

double TemplateRaster::charWidth() const {
  if (type != kRasterCharacter) return 0;
  if (charPitch == 1) return 8.333333;  // 12 characters per inch
  if (charPitch == 2) return 6.0;       // 17 characters per inch (6.0, not 5.88)
  return 10.0;                          // 10 characters per inch
}

double TemplateRaster::lineHeight() const {
  if (type != kRasterCharacter) return 0;
  if (linePitch == 1) return 25.0;       // 4 lines per inch
  if (linePitch == 2) return 33.333333;  // 3 lines per inch
  return 16.666666;                      // 6 lines per inch
}

int TemplateRaster::linesPerInch() const { return linePitch == 1 ? 4 : linePitch == 2 ? 3 : 6; }

void TemplateRaster::applyCharacterGrid() {
  if (type != kRasterCharacter) return;
  gridX = static_cast<int>(std::lround(charWidth()));
  gridY = static_cast<int>(std::lround(lineHeight()));
}

}  // namespace report
