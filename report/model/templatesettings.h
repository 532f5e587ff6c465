// Settings a template stores besides its sections and functions: its version,
// the layout raster and the background picture. Lengths in hundredths of an inch.
#pragma once

#include <QString>

namespace report {

struct TemplateVersion {
  int major = 4, minor = 0, build = 120;  // the version this program writes
  bool operator==(const TemplateVersion&) const = default;
};

enum RasterType : int { kRasterGraphic = 0, kRasterCharacter = 1 };

struct TemplateRaster {
  int type = kRasterGraphic;
  int gridX = 8, gridY = 8;  // hundredths of an inch, at least 1
  int linePitch = 0;         // choice: 1 four lines per inch, 2 three, other six
  int charPitch = 1;         // choice: 1 twelve characters per inch, 2 seventeen, other ten
  int designerFlag1 = 0, designerFlag2 = 0;  // "Zobrazovat rastr", "Zarovnávat do rastru"

  // Character raster: width of one character and height of one line, hundredths of
  // an inch (0 with the graphic raster).
  double charWidth() const;
  double lineHeight() const;
  // Lines per inch of text output for the line pitch choice (4, 3 or 6).
  int linesPerInch() const;
  // With the character raster the grid becomes the character width and the line
  // height rounded to whole units (8, 6 or 10; 25, 33 or 17).
  void applyCharacterGrid();

  bool operator==(const TemplateRaster&) const = default;
};

struct TemplateBackground {
  bool own = false;    // use these settings instead of the component's
  bool print = false;  // print the background picture
  int flag = 0;        // kept as read
  int left = 0, top = 0;
  int width = 0, height = 0;  // 0: the paper width or height
  QString picture;

  bool operator==(const TemplateBackground&) const = default;
};

}  // namespace report
