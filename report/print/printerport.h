// The printer as the report engine sees it: the list of installed printers, the
// choice of one of them (or of a PDF file), its device metrics, the page-by-page
// graphics job through a QPainter, and the plain-text job for text-only printers.
//
// Units: lengths in hundredths of an inch, painter coordinates in device pixels
// of resolution() dots per inch. The painter's origin is the top-left corner of
// the paper (not of the printable area): a point x hundredths of an inch from the
// paper's left edge is at x * resolution() / 100 pixels. Where the device cannot
// print is given by unprintableHundredths(), measured from the paper's edges in
// the same orientation as the painter.
//
// Settings (orientation, paper, copies, output file) may be given before or after
// select(); they apply to the selected device and are kept across selections.
// A job runs from begin() to end() or abort(); settings changed during a job
// apply to the next job.
#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QStringView>

class QPainter;

namespace report {

class PrinterPort {
 public:
  // The port that sends the job into a PDF file (name given by setOutputFile).
  static constexpr QStringView kFilePort = u"FILE:";

  PrinterPort() = default;
  PrinterPort(const PrinterPort&) = delete;
  PrinterPort& operator=(const PrinterPort&) = delete;
  virtual ~PrinterPort() = default;

  // Names of the installed printers; empty when none is installed. The indices
  // used by defaultPrinter() and select() refer to this list.
  virtual QStringList printerNames() const = 0;
  // Index of the system's default printer; the first printer when printers are
  // installed but none is marked default; -1 when no printer is installed.
  virtual int defaultPrinter() const = 0;
  // Chooses the device of the following jobs. An index below 0 or past the end
  // of printerNames() means the default printer. The port kFilePort (any case)
  // means a PDF file instead of a printer, whatever the index, and works with no
  // printer installed; other port names are ignored (jobs go to the printer's
  // own queue). False when no printer could be chosen (none installed); the
  // previous choice is then dropped.
  virtual bool select(int index, const QString& port = {}) = 0;
  // Index of the chosen printer, -1 when the PDF file or nothing is chosen.
  virtual int selectedPrinter() const = 0;
  // The file written when the port kFilePort is chosen.
  virtual void setOutputFile(const QString& path) = 0;

  // Make and model of the chosen printer's driver ("PDF" for the file port).
  virtual QString driverName() const = 0;
  // True for printers that take plain text only: print them with printText().
  virtual bool isTextOnly() const = 0;

  // 0 portrait, 1 landscape (other values count as portrait).
  virtual void setOrientation(int orientation) = 0;
  // Paper of the following jobs as its portrait width and height, hundredths of
  // an inch; an empty size keeps the device's default paper, and so does a size
  // the device does not offer: paperSizeHundredths() tells the paper in use.
  virtual void setPaperSizeHundredths(const QSizeF& portraitSize) = 0;
  // Number of copies. Honoured by the device only where driverKeepsCopies() is
  // true; otherwise the caller prints the copies itself.
  virtual void setCopies(int copies) = 0;
  virtual bool driverKeepsCopies() const = 0;

  // Device metrics of the chosen device in the current orientation; 0, an empty
  // size and zero margins when nothing is chosen.
  virtual int resolution() const = 0;                 // dots per inch
  virtual QSizeF paperSizeHundredths() const = 0;     // paper as oriented
  virtual QMarginsF unprintableHundredths() const = 0;  // from the paper's edges

  // Graphics job. begin() opens the first page; newPage() closes the current page
  // and opens another; end() closes the last page and hands the job to the
  // device; abort() drops the job. Each returns false on failure (see lastError()).
  virtual bool begin(const QString& jobTitle) = 0;
  virtual bool newPage() = 0;
  virtual bool end() = 0;
  virtual void abort() = 0;
  // The painter of the current page between begin() and end(), else nullptr.
  virtual QPainter* painter() = 0;
  // True once the job was aborted, by abort() or by the device or spooler.
  virtual bool aborted() const = 0;
  virtual QString lastError() const = 0;

  // Text job for text-only printers: the bytes go to the printer unchanged (lines
  // ended by CR LF, already in the printer's code page). With the file port they
  // are written into the output file. Not while a graphics job runs.
  virtual bool printText(const QByteArray& bytes, const QString& jobTitle) = 0;

  // The printer that select(index) chooses among count printers whose default is
  // defaultIndex: index itself when valid, else the default, else the first;
  // -1 when count is 0.
  static int fallbackIndex(int index, int count, int defaultIndex);
  // The unprintable edges of landscape pages from those of portrait pages: the
  // page is turned by 90 degrees counter-clockwise, so the landscape top is the
  // portrait left edge, its left the portrait bottom, and so on.
  static QMarginsF landscapeFromPortrait(const QMarginsF& portrait);
  static bool isFilePort(const QString& port);
};

}  // namespace report
