// Template files (".pts"): 8-bit text in Windows code page 1250, one record per
// line. Reading accepts LF and CR LF line ends; writing uses CR LF.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "report/loadresult.h"

namespace if97 {

QStringList DecodeTemplateText(const QByteArray& bytes);
QByteArray EncodeTemplateText(const QStringList& lines);

// The backup of a template: the same name with the extension ".BAK".
QString TemplateBackupPath(const QString& path);

// Reads the lines of a template file. A missing file gives ok false with the
// message "Nebyl nalezen soubor s předlohou tiskové sestavy" followed by the path
// in double quotes.
LoadResult ReadTemplateFile(const QString& path, QStringList* lines);

// Writes a template file. The new text is written completely into a temporary
// file first; only then is an existing file copied to its ".BAK" name (replacing
// an older backup) and the new file moved into place, so a failed write leaves the
// old template as it was. On failure *error (when given) is "Soubor s předlohou se
// nepodařilo uložit.".
bool WriteTemplateFile(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace if97
