// Names the designer's lists offer: the 16 colours of the engine's table, the
// pen and fill styles as the page renderer draws them, the barcode types, and
// a combo box of colours with their swatches.
#pragma once

#include <QStringList>

class QComboBox;
class QWidget;

namespace report {

class DesignNames {
 public:
  static QStringList Colours();     // index 0 … 15 of the colour table
  static QStringList PenStyles();   // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none
  static QStringList FillStyles();  // 0 solid, 1 none, 2 … 7 hatches
  static QStringList BarcodeTypes();  // 0 … 19
  // A combo box of the colours, each with its swatch.
  static QComboBox* ColourCombo(QWidget* parent);
};

}  // namespace report
