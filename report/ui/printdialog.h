// The print dialog of the report engine: the printer (installed printers, its
// driver and queue, its properties, printing into a file), the page range, the
// copies, the current page only, one record only, the template with "Upravit..."
// and "Nastavit jako výchozí formulář", and the background picture.
//
// exec() returns what the user chose: 2 print ("Tisk"), 1 preview ("Náhled"),
// 3 edit the template ("Upravit..."), 0 cancel ("Storno", Esc, closing). For
// every result other than 0 the dialog's values are copied back into the
// TPrintDialogTyp it was given; a cancel leaves it as it was.
//
// With no printer installed the printer list is empty and "Tisk" works only with
// "Tisknout do souboru" on.
//
// "Vlastnosti..." shows the chosen device's metrics as the printer port reports
// them (resolution, paper, unprintable edges) in a small read-only box: the
// driver's own settings dialog is not reachable through the port on every system.
#pragma once

#include <QDialog>

#include "report/print/printerport.h"
#include "report/ui/printdialogtyp.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace report {

class TSestPrintDlg : public QDialog {
  Q_OBJECT
 public:
  enum Result { kCancel = 0, kPreview = 1, kPrint = 2, kEditTemplate = 3 };

  TSestPrintDlg(PrinterPort& port, TPrintDialogTyp& data, QWidget* parent = nullptr);
  ~TSestPrintDlg() override;

  // Shows the dialog modally; the result as exec() gives it.
  static int Execute(QWidget* parent, PrinterPort& port, TPrintDialogTyp& data);

  // The box "Vlastnosti..." opened last (nullptr before).
  QDialog* propertiesBox() const { return propertiesBox_; }
  // The text of that box for the printer chosen now.
  QString propertiesText() const;

  void done(int result) override;

 private:
  void printerChanged();
  void updateState();
  void showProperties();
  bool selectDevice() const;

  PrinterPort& port_;
  TPrintDialogTyp& data_;
  QComboBox* printer_ = nullptr;
  QLabel* driver_ = nullptr;
  QLabel* where_ = nullptr;
  QPushButton* properties_ = nullptr;
  QCheckBox* toFile_ = nullptr;
  QCheckBox* currentPage_ = nullptr;
  QSpinBox* from_ = nullptr;
  QSpinBox* to_ = nullptr;
  QSpinBox* copies_ = nullptr;
  QCheckBox* oneRecord_ = nullptr;
  QGroupBox* templateGroup_ = nullptr;
  QLineEdit* templateName_ = nullptr;
  QCheckBox* defaultTemplate_ = nullptr;
  QCheckBox* background_ = nullptr;
  QPushButton* print_ = nullptr;
  QDialog* propertiesBox_ = nullptr;
};

}  // namespace report
