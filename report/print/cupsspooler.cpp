// The spooler through CUPS: Create-Job with the job's options, then one document
// (application/pdf, or application/vnd.cups-raw which CUPS passes to the device
// without any filter), sent in pieces over a connection of our own.
#include <cups/cups.h>

#include <algorithm>
#include <functional>

#include <QFile>

#include "report/print/spooler_p.h"

using namespace Qt::StringLiterals;

namespace report::detail {

namespace {

constexpr qsizetype kChunk = 64 * 1024;
constexpr int kTimeoutMs = 30000;

QString withReason(const QString& what) { return what + u": "_s + QString::fromUtf8(cupsLastErrorString()); }

// One job of one document. next() gives the document's bytes piece by piece (an
// empty piece ends it) and false on a read error, with *error set.
bool submit(const QString& printerName, const QString& jobTitle, const char* format,
            const SpoolOptions& options, const std::function<bool(QByteArray*, QString*)>& next,
            QString* error) {
  // An instance ("queue/instance") is a set of option defaults of the client;
  // the scheduler knows the queue only.
  const QByteArray name = printerName.section(u'/', 0, 0).toUtf8();
  const QByteArray title = jobTitle.toUtf8();
  QString message;
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kTimeoutMs, nullptr);
  if (!http) {
    if (error) *error = u"Nelze se spojit s tiskovým serverem %1"_s.arg(QString::fromUtf8(cupsServer()));
    return false;
  }

  int numOptions = 0;
  cups_option_t* cupsOptions = nullptr;
  const QByteArray media = options.media.toUtf8();
  const QByteArray copies = QByteArray::number(options.copies);
  if (!media.isEmpty()) numOptions = cupsAddOption("media", media.constData(), numOptions, &cupsOptions);
  if (options.copies > 1) {
    numOptions = cupsAddOption("copies", copies.constData(), numOptions, &cupsOptions);
    numOptions = cupsAddOption("Collate", "True", numOptions, &cupsOptions);
  }
  if (options.landscape) numOptions = cupsAddOption("landscape", "", numOptions, &cupsOptions);

  bool ok = false;
  const int job = cupsCreateJob(http, name.constData(), title.constData(), numOptions, cupsOptions);
  cupsFreeOptions(numOptions, cupsOptions);
  if (job <= 0) {
    message = withReason(u"Tiskárna %1 nepřijala úlohu"_s.arg(printerName));
  } else if (cupsStartDocument(http, name.constData(), job, title.constData(), format, 1) !=
             HTTP_STATUS_CONTINUE) {
    message = withReason(u"Úlohu pro tiskárnu %1 nelze zahájit"_s.arg(printerName));
  } else {
    bool sent = true, readOk = true;
    QByteArray piece;
    while (sent && (readOk = next(&piece, &message)) && !piece.isEmpty())
      sent = cupsWriteRequestData(http, piece.constData(), static_cast<size_t>(piece.size())) ==
             HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cupsFinishDocument(http, name.constData());
    if (!readOk)
      ;  // message set by next()
    else if (!sent)
      message = withReason(u"Data pro tiskárnu %1 se nepodařilo odeslat"_s.arg(printerName));
    else if (finished > IPP_STATUS_OK_EVENTS_COMPLETE)
      message = withReason(u"Tiskárna %1 úlohu nedokončila"_s.arg(printerName));
    else
      ok = true;
  }
  if (!ok && job > 0) cupsCancelJob2(http, name.constData(), job, 0);
  httpClose(http);
  if (!ok && error) *error = message;
  return ok;
}

}  // namespace

bool spoolsRenderedFiles() { return true; }

bool sendDocumentJob(const QString& printerName, const QString& jobTitle, const QString& pdfPath,
                     const SpoolOptions& options, QString* error) {
  QFile file(pdfPath);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = u"Soubor tiskové úlohy %1 nelze číst: %2"_s.arg(pdfPath, file.errorString());
    return false;
  }
  const auto next = [&file, &pdfPath](QByteArray* piece, QString* message) {
    *piece = file.read(kChunk);
    if (file.error() == QFileDevice::NoError) return true;
    *message = u"Soubor tiskové úlohy %1 nelze číst: %2"_s.arg(pdfPath, file.errorString());
    return false;
  };
  return submit(printerName, jobTitle, "application/pdf", options, next, error);
}

bool sendRawJob(const QString& printerName, const QString& jobTitle, const QByteArray& bytes,
                QString* error) {
  qsizetype at = 0;
  const auto next = [&bytes, &at](QByteArray* piece, QString*) {
    const qsizetype n = std::min(kChunk, bytes.size() - at);
    *piece = bytes.mid(at, n);
    at += n;
    return true;
  };
  return submit(printerName, jobTitle, CUPS_FORMAT_RAW, SpoolOptions{}, next, error);
}

}  // namespace report::detail
