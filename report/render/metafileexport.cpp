#include "report/render/metafileexport.h"

#include <QFileInfo>
#include <QPainter>

#include "fileio/qtfile.h"

namespace report {

QByteArray PageMetafile(const TSestVystup& doc, int page, MetafileDevice::Format format, const RenderHooks& hooks) {
  const QSize paper(doc.paper.pageWidth(), doc.paper.pageHeight());
  const PageRenderer renderer(hooks);
  return RenderToMetafile(paper, format, [&](QPainter& painter) {
    // The painter is in hundredths of an inch already.
    renderer.renderBackground(painter, doc, 1.0, QPointF(0, 0));
    renderer.renderPage(painter, doc, page, 1.0, QPointF(doc.paper.marginLeft, doc.paper.marginTop));
  });
}

QString MetafilePageName(const QString& baseName, int page, MetafileDevice::Format format) {
  const QFileInfo info(baseName);
  QString base = baseName;
  if (!info.suffix().isEmpty()) base.chop(info.suffix().size() + 1);
  return base + QString::number(page) +
         (format == MetafileDevice::Format::Enhanced ? QStringLiteral(".emf") : QStringLiteral(".wmf"));
}

bool ExportMetafiles(const TSestVystup& doc, const QString& baseName, MetafileDevice::Format format, QString* error,
                     const RenderHooks& hooks) {
  for (int page = 0; page < doc.pageCount(); ++page)
    if (!fileio::SaveFile(MetafilePageName(baseName, page + 1, format), PageMetafile(doc, page, format, hooks), {},
                          error))
      return false;
  return true;
}

}  // namespace report
