// The designer's property area: what the selected element is and its settings.
//   "L:", "H:", "Š:", "V:"  left, top, width and height (hundredths of an inch)
//   text elements: "Text:" (the text, or the format text of kinds 2 to 6), "Písmo...",
//     the font colour, alignment, "Otočení:", the four frame lines (SBCarR1 to
//     SBCarR4), "RTF", "Zarovnávat do bloku", "Proměnná výška"
//   lines and shapes: pen width, style and colour, fill style and colour
//   pictures: the picture's name, "Podle okna", "Zachovat poměr stran"
//   barcodes: type, text, module width, check digit, printed text, rotation
//   drawing areas: "Index:" and "Zoom:" (the zoom, 1 to 6, is kept in the fill
//     style field of the element)
// The first selected element is shown; a change applies to every selected
// element. Each change is handed to the window as the undo action it is
// (position 7, text 6, font 2, alignment 8, the rest 14) with the change to make.
#pragma once

#include <QList>
#include <QWidget>
#include <functional>

#include "report/model/reportelement.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QToolButton;

namespace report {

class TPropertyPanel : public QWidget {
  Q_OBJECT
 public:
  using Change = std::function<void(TReportElement&)>;

  explicit TPropertyPanel(QWidget* parent = nullptr);

  // Shows an element (nullptr: nothing selected) with its one-line description.
  void showElement(const TReportElement* e, const QString& description);
  // Commits a text being typed (the window calls it before other commands).
  void commitText();

 signals:
  void changeRequested(int code, const report::TPropertyPanel::Change& change);
  void fontRequested();

 private:
  QSpinBox* spin(const QString& name, int min, int max);
  QCheckBox* check(const QString& text, int bit, bool frameField);
  QComboBox* colourCombo(const QString& name);
  void buildPosition();
  void buildText();
  void buildLines();
  void buildPicture();
  void buildBarcode();
  void buildPaintBox();
  void request(int code, const Change& change);

  bool updating_ = false;
  bool hasElement_ = false;
  TReportElement shown_;
  QLabel* kind_ = nullptr;
  QGroupBox* position_ = nullptr;
  QSpinBox* left_ = nullptr;
  QSpinBox* top_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QGroupBox* text_ = nullptr;
  QPlainTextEdit* textEdit_ = nullptr;
  QComboBox* fontColour_ = nullptr;
  QList<QToolButton*> align_;
  QSpinBox* rotation_ = nullptr;
  QList<QToolButton*> frame_;
  QList<QCheckBox*> textFlags_;
  QGroupBox* lines_ = nullptr;
  QSpinBox* penWidth_ = nullptr;
  QComboBox* penStyle_ = nullptr;
  QComboBox* penColour_ = nullptr;
  QComboBox* fillStyle_ = nullptr;
  QComboBox* fillColour_ = nullptr;
  QGroupBox* picture_ = nullptr;
  QLineEdit* pictureName_ = nullptr;
  QList<QCheckBox*> pictureFlags_;
  QGroupBox* barcode_ = nullptr;
  QComboBox* barcodeType_ = nullptr;
  QLineEdit* barcodeText_ = nullptr;
  QSpinBox* barWidth_ = nullptr;
  QSpinBox* barcodeRotation_ = nullptr;
  QList<QCheckBox*> barcodeFlags_;
  QGroupBox* paintBox_ = nullptr;
  QSpinBox* paintIndex_ = nullptr;
  QSpinBox* paintZoom_ = nullptr;
};

}  // namespace report
