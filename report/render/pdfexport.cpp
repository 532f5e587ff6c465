#include "report/render/pdfexport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "fileio/qtfile.h"

namespace report {
namespace {

constexpr int kPdfDotsPerInch = 1200;

QPageLayout PaperLayout(const ReportPaper& paper) {
  // The page size in points (1/72 inch) from hundredths of an inch.
  const QSizeF size(std::max(1, paper.pageWidth()) * 0.72, std::max(1, paper.pageHeight()) * 0.72);
  return QPageLayout(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

}  // namespace

QByteArray PdfOfPages(const TSestVystup& doc, int from, int to, const QString& title, const RenderHooks& hooks) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(PaperLayout(doc.paper));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("IF97 Tab97"));
    QPainter painter(&writer);
    const PageRenderer renderer(hooks);
    const double scale = kPdfDotsPerInch / 100.0;
    const QPointF origin(doc.paper.marginLeft * scale, doc.paper.marginTop * scale);
    from = std::max(from, 1);
    to = std::min(to, doc.pageCount());
    for (int page = from; page <= to; ++page) {
      if (page > from) writer.newPage();
      renderer.renderBackground(painter, doc, scale, QPointF(0, 0));
      renderer.renderPage(painter, doc, page - 1, scale, origin);
    }
    painter.end();
  }
  return bytes;
}

bool ExportPdf(const TSestVystup& doc, const QString& path, const QString& title, QString* error,
               const RenderHooks& hooks) {
  const QByteArray pdf = PdfOfPages(doc, 1, doc.pageCount(), title, hooks);
  if (pdf.isEmpty()) {
    if (error) *error = path + QStringLiteral(": the PDF could not be made");
    return false;
  }
  return fileio::SaveFile(path, pdf, {}, error);
}

}  // namespace report
