// The settings of the print dialog of one report component: what it starts with,
// what the user chose (copied back unless the dialog was cancelled), and which
// of its optional controls the dialog shows.
#pragma once

#include <QString>

namespace report {

struct TPrintDialogTyp {
  int printerIndex = -1;       // into PrinterPort::printerNames(); -1 or out of range: the default printer
  int firstPage = 1, lastPage = 9999, copies = 1;
  bool toFile = false;           // "Tisknout do souboru": the job goes into a file
  bool currentPageOnly = false;  // "Tisknout aktuální stránku" (from the preview)
  bool oneRecordOnly = false;    // "Tisknout pouze jeden záznam"
  bool printBackground = false;  // "Tisknout pozadí"
  QString templateName;          // the template ("Název")
  bool defaultTemplate = false;  // "Nastavit jako výchozí formulář"
  // Which of the optional controls are shown.
  bool showTemplate = true, showOneRecord = true, showBackground = true, showCurrentPage = true;
};

}  // namespace report
