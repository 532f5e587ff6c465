// PDF of a report's pages: every page through QPdfWriter at the paper's size,
// fonts embedded, texts kept as text (searchable, copyable). Written through the
// safe save, so a failure leaves an existing file as it was.
#pragma once

#include <QByteArray>
#include <QString>

#include "report/layout/outputdocument.h"
#include "report/render/pagerenderer.h"

namespace report {

// The PDF of pages `from` … `to` (from 1, clamped to the document) with the given
// title; an empty document gives one blank page of the paper's size.
QByteArray PdfOfPages(const TSestVystup& doc, int from, int to, const QString& title,
                      const RenderHooks& hooks = {});

// Writes all pages to `path`; false with the reason in *error.
bool ExportPdf(const TSestVystup& doc, const QString& path, const QString& title, QString* error = nullptr,
               const RenderHooks& hooks = {});

}  // namespace report
