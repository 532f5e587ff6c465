// Printing the pages of an output document on a printer: graphics printing
// through the page renderer, and text printing (the character grid's lines as
// plain text) for printers whose driver takes text only.
//
// Graphics printing draws each page 1:1 at its place on the paper: the printable
// area starts at the paper's margins (plus the program-wide adjustment), converted
// with the printer's resolution; the printer port's painter already has its origin
// at the paper's corner, so the printer's unprintable edges need no correction.
// Copies are printed as passes, each its own job, when the driver keeps the copy
// count at 1.
#pragma once

#include <QPointF>
#include <QString>

#include "report/io/codepage.h"
#include "report/layout/generator.h"
#include "report/layout/outputdocument.h"
#include "report/print/printerport.h"
#include "report/render/pagerenderer.h"

namespace report {

// Result codes of printing, as the component's operations return them.
constexpr int kPrintOk = 0;
constexpr int kPrintCancelled = 3;
// The printer could not be chosen or its job failed (a code of our own: the
// engine's other codes are 0, 3, 4 and 7).
constexpr int kPrintFailed = 8;

struct PrintJob {
  int printer = -1;      // index into the port's printers; below 0 or out of range: the default
  QString port;          // "FILE:" prints into `outputFile` as PDF
  QString outputFile;
  int from = 1, to = 9999;  // pages, from 1; clamped to the document
  int copies = 1;           // 0 counts as 1
  QString title;            // the job's title
  bool printBackground = false;
  QPointF adjustment;       // program-wide shift of the printable area, hundredths of an inch
  TSestLanguage textCodePage = slCP852;  // code page of text-only printers
};

// The message shown when no printer is installed.
QString NoPrinterMessage();

// Prints; kPrintOk, kPrintCancelled (the progress window's cancel: the job is
// aborted) or kPrintFailed with the reason in *error. An empty document prints
// nothing and succeeds. The progress hook shows "Odesílám data do tiskárny ...".
int PrintDocument(const TSestVystup& doc, PrinterPort& printer, const PrintJob& job, ProgressHook* progress = nullptr,
                  const RenderHooks& hooks = {}, QString* error = nullptr);

}  // namespace report
