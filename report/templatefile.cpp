#include "report/templatefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "report/codepage.h"

namespace if97 {

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
  QFile file(path);
  if (!file.exists()) {
    result.fail(0, QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"") + path + u'"');
    return result;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    result.fail(0, loadmsg::CannotOpen());
    return result;
  }
  *lines = DecodeTemplateText(file.readAll());
  return result;
}

bool WriteTemplateFile(const QString& path, const QStringList& lines, QString* error) {
  auto failed = [error] {
    if (error) *error = QStringLiteral("Soubor s předlohou se nepodařilo uložit.");
    return false;
  };
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return failed();
  const QByteArray bytes = EncodeTemplateText(lines);
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return failed();
  }
  // The new text is complete in the temporary file: now keep the old one as backup.
  if (QFile::exists(path)) {
    const QString backup = TemplateBackupPath(path);
    QFile::remove(backup);
    if (!QFile::copy(path, backup)) {
      file.cancelWriting();
      return failed();
    }
  }
  if (!file.commit()) return failed();
  return true;
}

}  // namespace if97
