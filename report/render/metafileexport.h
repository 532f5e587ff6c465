// Pages as metafiles: one page in an enhanced metafile (EMF) or a plain Windows
// metafile with the placeable header (WMF), drawn by the page renderer at 6
// metafile units per hundredth of an inch; and every page into its own file named
// by the base name without its extension, the page number and ".emf" or ".wmf".
// Files are written by the safe save.
#pragma once

#include <QByteArray>
#include <QString>

#include "report/render/metafiledevice.h"
#include "report/render/pagerenderer.h"

namespace report {

// The metafile of page `page` (from 0) of `doc`; the paper's size, the page drawn
// 1:1 into its printable area.
QByteArray PageMetafile(const TSestVystup& doc, int page, MetafileDevice::Format format, const RenderHooks& hooks = {});

// The file name of page n (from 1): "base" without its extension, n, ".emf"/".wmf".
QString MetafilePageName(const QString& baseName, int page, MetafileDevice::Format format);

// Writes every page; false with the reason when a file could not be written (the
// pages written before it stay).
bool ExportMetafiles(const TSestVystup& doc, const QString& baseName, MetafileDevice::Format format,
                     QString* error = nullptr, const RenderHooks& hooks = {});

}  // namespace report
