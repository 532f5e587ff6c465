#include "report/io/inifile.h"

#include "fileio/qtfile.h"
#include "report/io/codepage.h"

namespace report {

LoadResult IniFile::load(const QString& path) {
  LoadResult result;
  lines_.clear();
  QByteArray bytes;
  switch (fileio::ReadRegularFile(path, kMaxIniFileBytes, &bytes)) {
    case fileio::ReadStatus::kOk: parse(DecodeCp1250(bytes)); break;
    case fileio::ReadStatus::kMissing: break;
    case fileio::ReadStatus::kTooLarge: result.fail(0, loadmsg::FileTooLarge()); break;
    case fileio::ReadStatus::kNotRegular:
    case fileio::ReadStatus::kFailed: result.fail(0, loadmsg::CannotOpen()); break;
  }
  return result;
}

void IniFile::parse(const QString& text) {
  lines_.clear();
  QList<QStringView> parts = QStringView(text).split(u'\n');
  if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
  QString section;
  for (QStringView part : parts) {
    if (part.endsWith(u'\r')) part.chop(1);
    Line line;
    line.raw = part.toString();
    const QStringView t = part.trimmed();
    if (t.startsWith(u'[')) {
      const qsizetype close = t.indexOf(u']');
      section = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed().toString();
    } else if (!t.isEmpty() && !t.startsWith(u';')) {
      const qsizetype eq = t.indexOf(u'=');
      if (eq > 0) {
        line.key = t.left(eq).trimmed().toString();
        line.value = t.mid(eq + 1).trimmed().toString();
      }
    }
    line.section = section;
    lines_.append(line);
  }
}

qsizetype IniFile::find(const QString& section, const QString& key) const {
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_.at(i);
    if (!l.key.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) == 0 &&
        l.key.compare(key, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

std::optional<IniFile::Value> IniFile::value(const QString& section, const QString& key) const {
  const qsizetype i = find(section, key);
  if (i < 0) return std::nullopt;
  return Value{lines_.at(i).value, static_cast<int>(i + 1)};
}

QList<QString> IniFile::keys(const QString& section) const {
  QList<QString> out;
  for (const Line& l : lines_)
    if (!l.key.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) == 0) out.append(l.key);
  return out;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& text) {
  QString clean = text;
  clean.replace(QChar(u'\r'), QChar(u' '));
  clean.replace(QChar(u'\n'), QChar(u' '));
  Line line{key + u'=' + clean, section, key, clean.trimmed()};
  const qsizetype at = find(section, key);
  if (at >= 0) {
    line.section = lines_.at(at).section;
    lines_[at] = line;
    return;
  }
  // After the last line of the section, or a new section at the end.
  qsizetype last = -1;
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_.at(i);
    if (l.section.compare(section, Qt::CaseInsensitive) != 0) continue;
    if (!l.key.isEmpty() || l.raw.trimmed().startsWith(u'[')) last = i;
  }
  if (last < 0) {
    if (!lines_.isEmpty() && !lines_.last().raw.trimmed().isEmpty())
      lines_.append(Line{QString(), lines_.last().section, {}, {}});
    lines_.append(Line{u'[' + section + u']', section, {}, {}});
    lines_.append(line);
    return;
  }
  lines_.insert(last + 1, line);
}

void IniFile::removeKey(const QString& section, const QString& key) {
  for (qsizetype i = find(section, key); i >= 0; i = find(section, key)) lines_.removeAt(i);
}

QString IniFile::text() const {
  QString out;
  for (const Line& l : lines_) out += l.raw + QStringLiteral("\r\n");
  return out;
}

bool IniFile::save(const QString& path) const {
  return fileio::SaveFile(path, EncodeCp1250(text()));
}

}  // namespace report
