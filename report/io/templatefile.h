// Template files (".pts"): 8-bit text in Windows code page 1250, one record per
// line. Reading accepts LF and CR LF line ends; writing uses CR LF.
#pragma once

#include <cstddef>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "report/io/loadresult.h"

namespace report {

QStringList DecodeTemplateText(const QByteArray& bytes);
QByteArray EncodeTemplateText(const QStringList& lines);

// The backup of a template: the same name with the extension ".BAK".
QString TemplateBackupPath(const QString& path);

// Templates are small; a larger file is refused unread.
inline constexpr std::size_t kMaxTemplateFileBytes = 16u << 20;

// Reads the lines of a template file (a regular file only: a FIFO or device is
// refused at once). A missing file gives ok false with the
// message "Nebyl nalezen soubor s předlohou tiskové sestavy" followed by the path
// in double quotes.
LoadResult ReadTemplateFile(const QString& path, QStringList* lines);

// Writes a template file through the safe save: the new text is complete on the
// disk before an existing file is copied to its ".BAK" name (replacing an older
// backup) and the new file moved into place, so a failed write leaves the old
// template as it was. A template whose own name ends in ".BAK" is refused (its
// backup would be itself). On failure *error (when given) is "Soubor s předlohou
// se nepodařilo uložit." followed by a line with the reason.
bool WriteTemplateFile(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace report
