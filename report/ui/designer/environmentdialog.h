// The designer settings dialog "Nastavit prostředí": "Počet kroků zpět:" (how
// many changes can be undone), "Měřítko:" (the zoom of the paper), and the
// template's "Zobrazovat rastr" and "Zarovnávat do rastru".
#pragma once

#include <QDialog>

#include "report/ui/designer/designersettings.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace report {

class TEnvironmentDlg : public QDialog {
  Q_OBJECT
 public:
  TEnvironmentDlg(const DesignerSettings& settings, bool showRaster, bool snapToRaster, QWidget* parent = nullptr);
  DesignerSettings settings() const;
  bool showRaster() const;
  bool snapToRaster() const;

 private:
  DesignerSettings settings_;
  QSpinBox* undo_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QCheckBox* show_ = nullptr;
  QCheckBox* snap_ = nullptr;
};

}  // namespace report
