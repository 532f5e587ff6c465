// The element configuration dialog "Nastavit prvek": everything of one element
// on one page. What it refers to (the column, parameter, variable, function,
// drawing area or detail), its place and size, and by its kind: the text or
// format text (line breaks allowed), font, colour, alignment, rotation, frame
// lines and text options; or pen and fill; the picture and its options; the
// barcode's type, text and options; the drawing area's zoom.
// The font dialog runs through `dialogRunner`.
#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "report/model/reportelement.h"
#include "report/model/userfunction.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace report {

class TElementDlg : public QDialog {
  Q_OBJECT
 public:
  struct Choices {
    QStringList fieldNames;
    int parameterCount = 0;
    int groupCount = 0;
    TListFunkci functions;
  };

  TElementDlg(const TReportElement& element, const Choices& choices, QWidget* parent = nullptr);

  std::function<int(QDialog&)> dialogRunner;

  // The element as the dialog's fields give it.
  TReportElement element() const;

 private:
  void buildReference(QFormLayout* form);
  void chooseFont();
  QSpinBox* spin(const QString& name, int min, int max, int value);

  TReportElement element_;
  Choices choices_;
  QComboBox* reference_ = nullptr;  // column, variable or function
  int originalReference_ = -1;
  QSpinBox* index_ = nullptr;       // parameter, drawing area or detail
  QSpinBox* left_ = nullptr;
  QSpinBox* top_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QLineEdit* lineText_ = nullptr;  // picture name or barcode text
  QLabel* font_ = nullptr;
  QComboBox* fontColour_ = nullptr;
  QComboBox* alignment_ = nullptr;
  QSpinBox* rotation_ = nullptr;
  QList<QCheckBox*> frame_;
  QList<QCheckBox*> flags_;
  QSpinBox* penWidth_ = nullptr;
  QComboBox* penStyle_ = nullptr;
  QComboBox* penColour_ = nullptr;
  QComboBox* fillStyle_ = nullptr;
  QComboBox* fillColour_ = nullptr;
  QComboBox* barcodeType_ = nullptr;
  QSpinBox* zoom_ = nullptr;
  QList<QCheckBox*> options_;  // picture or barcode options
};

}  // namespace report
