// A printer port without a printer, for tests of the report engine. The test
// sets up the installed printers, their metrics and the failures to expect; each
// page of a graphics job is painted into a QImage of the page's size in device
// pixels (white at first), with the origin at the paper's top-left corner as on
// real printers; text jobs, job titles and the calls of a job are recorded.
#pragma once

#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "report/print/printerport.h"

namespace report {

class FakePrinterPort : public PrinterPort {
 public:
  struct Printer {
    QString name;
    QString driver = QStringLiteral("Fake Printer");  // make and model
    bool textOnly = false;
    int dpi = 100;
    QSizeF paper{826, 1169};  // portrait, hundredths of an inch
    QMarginsF unprintable;    // portrait, hundredths of an inch
    bool keepsCopies = true;
  };

  // No printer installed.
  FakePrinterPort();
  // These printers; defaultIndex out of range means the first one is default.
  explicit FakePrinterPort(const QList<Printer>& printers, int defaultIndex = 0);
  ~FakePrinterPort() override;

  // The device chosen by the file port (at first: driver "PDF", 100 dpi, A4, no
  // unprintable edges, no copies of its own).
  void setFileDevice(const Printer& device);
  // With a message, begin() fails with it; empty: begin() works.
  void setBeginError(const QString& message);
  // With a message, printText() fails with it; empty: printText() works.
  void setTextError(const QString& message);
  // The spooler aborts the job when it is to go past this many pages: newPage()
  // after that many finished pages fails and aborted() turns true. -1: never.
  void setAbortAfterPages(int pages);

  // Calls of jobs in order: "begin <title>", "newPage", "end", "abort",
  // "text <title>"; failed calls too.
  const QStringList& log() const { return log_; }
  // Titles given to begin() and printText(), in order.
  const QStringList& jobTitles() const { return titles_; }
  // Pages of the last graphics job, painted so far.
  const QList<QImage>& pages() const { return pages_; }
  // Bytes of each printText() that succeeded.
  const QList<QByteArray>& texts() const { return texts_; }
  int copies() const { return copies_; }
  int orientation() const { return orientation_; }
  QString port() const { return port_; }
  QString outputFile() const { return outputFile_; }

  QStringList printerNames() const override;
  int defaultPrinter() const override;
  bool select(int index, const QString& port = {}) override;
  int selectedPrinter() const override { return selected_; }
  void setOutputFile(const QString& path) override { outputFile_ = path; }
  QString driverName() const override;
  bool isTextOnly() const override;
  void setOrientation(int orientation) override { orientation_ = orientation == 1 ? 1 : 0; }
  void setPaperSizeHundredths(const QSizeF& portraitSize) override { paper_ = portraitSize; }
  void setCopies(int copies) override { copies_ = copies < 1 ? 1 : copies; }
  bool driverKeepsCopies() const override;
  int resolution() const override;
  QSizeF paperSizeHundredths() const override;
  QMarginsF unprintableHundredths() const override;
  bool begin(const QString& jobTitle) override;
  bool newPage() override;
  bool end() override;
  void abort() override;
  QPainter* painter() override { return active_ ? &painter_ : nullptr; }
  bool aborted() const override { return aborted_; }
  QString lastError() const override { return error_; }
  bool printText(const QByteArray& bytes, const QString& jobTitle) override;

 private:
  const Printer* device() const;
  QImage blankPage() const;
  bool fail(const QString& message);

  QList<Printer> printers_;
  int default_ = -1;
  Printer fileDevice_;
  QString beginError_, textError_;
  int abortAfterPages_ = -1;

  int selected_ = -1;
  bool toFile_ = false;
  QString port_, outputFile_;
  int orientation_ = 0;
  QSizeF paper_;  // portrait, hundredths of an inch; empty = the device's own
  int copies_ = 1;

  bool active_ = false, aborted_ = false;
  int finishedPages_ = 0;
  QPainter painter_;
  QImage scratch_;  // painted on once the spooler has aborted the job
  QString error_;
  QStringList log_, titles_;
  QList<QImage> pages_;
  QList<QByteArray> texts_;
};

}  // namespace report
