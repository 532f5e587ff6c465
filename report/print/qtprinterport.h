// The printer port over Qt's QPrinter and QPrinterInfo (CUPS on Linux).
//
// The installed printers are read when the port is made and by refresh(); the
// indices of printerNames() stay valid until then. "No printer installed" is an
// ordinary state: printerNames() is empty, defaultPrinter() is -1, select()
// fails for printers and works for the file port.
//
// Graphics jobs are rendered by QPrinter for the chosen printer, with the origin
// of the painter at the paper's top-left corner (QPrinter::setFullPage). Where the
// spooler needs it (CUPS), the pages go into a temporary PDF file that end() hands
// to the spooler, so that abort() drops the job before anything is printed and a
// refusal of the spooler shows in end() and lastError().
//
// The unprintable edges are the device's minimum page margins (QPageLayout::
// minimumMargins, taken from the printer driver's imageable area) of the portrait
// page; for landscape pages they are turned as PrinterPort::landscapeFromPortrait
// says.
#pragma once

#include <memory>

#include "report/print/printerport.h"

namespace report {

class QtPrinterPortPrivate;

class QtPrinterPort : public PrinterPort {
 public:
  QtPrinterPort();
  ~QtPrinterPort() override;

  // Reads the installed printers again; drops the choice of select(). Not
  // while a job runs (then false).
  bool refresh();

  // True for drivers that print text only: make and model of Windows' and CUPS's
  // generic text drivers, and raw queues (no driver: empty make and model,
  // "Local Raw Printer", "Raw Queue"). Case and surrounding spaces are ignored.
  static bool isTextOnlyDriver(const QString& makeAndModel);

  QStringList printerNames() const override;
  int defaultPrinter() const override;
  bool select(int index, const QString& port = {}) override;
  int selectedPrinter() const override;
  void setOutputFile(const QString& path) override;
  QString driverName() const override;
  bool isTextOnly() const override;
  void setOrientation(int orientation) override;
  void setPaperSizeHundredths(const QSizeF& portraitSize) override;
  void setCopies(int copies) override;
  bool driverKeepsCopies() const override;
  int resolution() const override;
  QSizeF paperSizeHundredths() const override;
  QMarginsF unprintableHundredths() const override;
  bool begin(const QString& jobTitle) override;
  bool newPage() override;
  bool end() override;
  void abort() override;
  QPainter* painter() override;
  bool aborted() const override;
  QString lastError() const override;
  bool printText(const QByteArray& bytes, const QString& jobTitle) override;

 private:
  std::unique_ptr<QtPrinterPortPrivate> d_;
};

}  // namespace report
