// State of QtPrinterPort.
#pragma once

#include <memory>

#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

namespace report {

class QtPrinterPortPrivate {
 public:
  // Printers as read by refresh(): names, make and model, default index.
  QStringList names;
  QStringList makeAndModels;
  int defaultIndex = -1;

  // The choice of select(): a printer (selected >= 0) or the PDF file (toFile).
  std::unique_ptr<QPrinter> printer;
  int selected = -1;
  bool toFile = false;
  QString outputFile;
  QPageSize devicePageSize;  // the device's own paper, as chosen
  // Device's unprintable edges of the portrait page, hundredths of an inch.
  QMarginsF portraitUnprintable;

  // Settings, kept across selections.
  int orientation = 0;
  QSizeF paper;  // portrait, hundredths of an inch; empty = the device's default
  int copies = 1;

  // The running job.
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<QTemporaryFile> spoolFile;  // rendered pages for the spooler
  QString jobTitle;
  bool aborted = false;
  QString error;

  bool active() const { return painter != nullptr; }
  // Orientation, paper and copies into the printer; measures the unprintable
  // edges again.
  void applySettings();
};

}  // namespace report
