// The small dialog "Formát papíru": a paper format's "Název formátu:", "Šířka
// papíru:" and "Výška papíru:" (hundredths of an inch). "Ukaž" shows a format
// read-only; "Přidej" lets the user name and size a new one.
#pragma once

#include <QDialog>

#include "report/io/paperformats.h"

class QLineEdit;
class QSpinBox;

namespace report {

class TPaperFormatDlg : public QDialog {
  Q_OBJECT
 public:
  TPaperFormatDlg(const TFormatPapiru& format, bool editable, QWidget* parent = nullptr);
  TFormatPapiru format() const;

 private:
  QLineEdit* name_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
};

}  // namespace report
