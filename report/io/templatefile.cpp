#include "report/io/templatefile.h"

#include <QFile>
#include <QFileInfo>

#include "fileio/qtfile.h"
#include "report/io/codepage.h"

namespace report {

QStringList DecodeTemplateText(const QByteArray& bytes) {
  const QString text = DecodeCp1250(bytes);
  QStringList lines = text.split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

QByteArray EncodeTemplateText(const QStringList& lines) {
  QByteArray out;
  for (QString line : lines) {
    line.replace(QChar(u'\r'), QChar(u' '));
    line.replace(QChar(u'\n'), QChar(u' '));
    out += EncodeCp1250(line);
    out += "\r\n";
  }
  return out;
}

QString TemplateBackupPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
  return base + QStringLiteral(".BAK");
}

LoadResult ReadTemplateFile(const QString& path, QStringList* lines) {
  LoadResult result;
  lines->clear();
  QByteArray bytes;
  switch (fileio::ReadRegularFile(path, kMaxTemplateFileBytes, &bytes)) {
    case fileio::ReadStatus::kOk: break;
    case fileio::ReadStatus::kMissing:
      result.fail(0, QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"") + path + u'"');
      return result;
    case fileio::ReadStatus::kTooLarge: result.fail(0, loadmsg::FileTooLarge()); return result;
    case fileio::ReadStatus::kNotRegular:
    case fileio::ReadStatus::kFailed: result.fail(0, loadmsg::CannotOpen()); return result;
  }
  *lines = DecodeTemplateText(bytes);
  return result;
}

bool WriteTemplateFile(const QString& path, const QStringList& lines, QString* error) {
  fileio::SaveOptions options;
  options.backupPath = fileio::NativePath(TemplateBackupPath(path));
  QString reason;
  if (fileio::SaveFile(path, EncodeTemplateText(lines), options, &reason)) return true;
  if (error) *error = QStringLiteral("Soubor s předlohou se nepodařilo uložit.") + u'\n' + reason;
  return false;
}

}  // namespace report
