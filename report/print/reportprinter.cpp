#include "report/print/reportprinter.h"

#include <QPainter>
#include <algorithm>

#include "report/render/textgrid.h"

namespace report {
namespace {

int Fail(QString* error, const QString& why) {
  if (error) *error = why;
  return kPrintFailed;
}

}  // namespace

QString NoPrinterMessage() { return QStringLiteral("Není vybrána žádná předvolená tiskárna."); }

int PrintDocument(const TSestVystup& doc, PrinterPort& printer, const PrintJob& job, ProgressHook* progress,
                  const RenderHooks& hooks, QString* error) {
  const int from = std::max(job.from, 1);
  const int to = std::min(job.to, doc.pageCount());
  if (!printer.select(job.printer, job.port)) return Fail(error, NoPrinterMessage());
  if (PrinterPort::isFilePort(job.port)) printer.setOutputFile(job.outputFile);
  if (from > to) return kPrintOk;
  const int copies = std::max(job.copies, 1);

  if (printer.isTextOnly()) {
    const QByteArray text = TextOutput(doc, from, to, copies, job.textCodePage);
    if (!printer.printText(text, job.title)) return Fail(error, printer.lastError());
    return kPrintOk;
  }

  printer.setOrientation(doc.paper.orientation);
  printer.setPaperSizeHundredths(QSizeF(doc.paper.width, doc.paper.height));
  printer.setCopies(copies);
  const int passes = printer.driverKeepsCopies() ? 1 : copies;
  const PageRenderer renderer(hooks);
  if (progress) progress->begin(QStringLiteral("Odesílám data do tiskárny ..."), from);
  int result = kPrintOk;
  for (int pass = 0; pass < passes && result == kPrintOk; ++pass) {
    if (!printer.begin(job.title)) {
      result = Fail(error, printer.lastError());
      break;
    }
    const double scale = printer.resolution() / 100.0;
    const QPointF origin((doc.paper.marginLeft + job.adjustment.x()) * scale,
                         (doc.paper.marginTop + job.adjustment.y()) * scale);
    for (int page = from; page <= to; ++page) {
      if (page > from && !printer.newPage()) {
        result = printer.aborted() ? kPrintCancelled : Fail(error, printer.lastError());
        break;
      }
      QPainter* painter = printer.painter();
      if (!painter) {
        result = Fail(error, printer.lastError());
        break;
      }
      if (job.printBackground) renderer.renderBackground(*painter, doc, scale, QPointF(0, 0));
      renderer.renderPage(*painter, doc, page - 1, scale, origin);
      if (progress) progress->update(page);
      if (progress && progress->cancelled()) {
        result = kPrintCancelled;
        break;
      }
    }
    if (result != kPrintOk) {
      printer.abort();
      break;
    }
    if (!printer.end()) result = printer.aborted() ? kPrintCancelled : Fail(error, printer.lastError());
    if (printer.aborted()) break;
  }
  if (progress) progress->end();
  return result;
}

}  // namespace report
