// The system's print spooler as the Qt printer port needs it beyond QPrinter:
// raw jobs for text-only printers, and handing over graphics jobs that were
// rendered into a file, so that a job can be dropped before it reaches the
// spooler and a refusal is reported. Each platform has its own implementation
// file (with CUPS: cupsspooler.cpp); the build picks one.
#pragma once

#include <QByteArray>
#include <QString>

namespace report::detail {

struct SpoolOptions {
  QString media;           // the spooler's name of the paper ("A4", "Letter"), may be empty
  int copies = 1;
  bool landscape = false;
};

// True where graphics jobs are rendered by QPrinter into a file and handed over
// by sendDocumentJob(); false where QPrinter hands them to the spooler itself.
bool spoolsRenderedFiles();

// Sends the PDF file as one job of the given title. False with the spooler's
// reason in *error when the job could not be handed over.
bool sendDocumentJob(const QString& printerName, const QString& jobTitle, const QString& pdfPath,
                     const SpoolOptions& options, QString* error);

// Sends the bytes unchanged as one job of the given title (no filter, no driver).
bool sendRawJob(const QString& printerName, const QString& jobTitle, const QByteArray& bytes,
                QString* error);

}  // namespace report::detail
