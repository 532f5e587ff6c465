#include "report/io/paperformats.h"

#include <algorithm>

#include "report/io/inifile.h"
#include "report/model/reportlimits.h"
#include "report/io/templaterecord.h"

namespace report {
namespace {

const QString kSection = QStringLiteral("FormatyPapiru");
const QString kCountKey = QStringLiteral("PocetFormatu");
QString FormatKey(int n) { return QStringLiteral("Format") + QString::number(n); }

// Each name is the resource text followed, without anything between, by the literal.
QList<TFormatPapiru> BuiltinFormats() {
  return {
      {QStringLiteral("Uživat. (210 x 297 mm)"), 826, 1169},
      {QStringLiteral("Skládaný (8.5 x 12\")"), 850, 1200},
      {QStringLiteral("Skládaný (15 x 12\")"), 1500, 1200},
      {QStringLiteral("Letter (8.5 x 11\")"), 850, 1100},
      {QStringLiteral("Legal (8.5 x 14\")"), 850, 1400},
      {QStringLiteral("Executive (7.25 x 10.5\")"), 725, 1050},
      {QStringLiteral("A2 (420 x 594 mm)"), 1652, 2338},
      {QStringLiteral("A3 (297 x 420 mm)"), 1169, 1652},
      {QStringLiteral("A4 (210 x 297 mm)"), 826, 1169},
      {QStringLiteral("A5 (148.5 x 210 mm)"), 584, 826},
      {QStringLiteral("A6 (105 x 148.5mm)"), 413, 584},
      {QStringLiteral("B5 (182 x 257 mm)"), 716, 1011},
      {QStringLiteral("Obálka (162 x 114 mm)"), 637, 433},
      {QStringLiteral("Obálka (220 x 110 mm)"), 866, 433},
      {QStringLiteral("Obálka (228 x 162 mm)"), 896, 637},
      {QStringLiteral("Obálka otoč.(114 x 162 mm)"), 433, 637},
      {QStringLiteral("Obálka otoč.(110 x 220 mm)"), 433, 866},
      {QStringLiteral("Obálka otoč.(162 x 228 mm)"), 637, 896},
  };
}

// Name of a user format as the ini file keeps it: quoted only when it would
// otherwise be split or trimmed differently.
QString IniName(const QString& name) {
  if (name != name.trimmed()) return QuotedField(name);
  return PlainField(name);
}

}  // namespace

TListFormatu::TListFormatu() : formats_(BuiltinFormats()) {}

void TListFormatu::setOwnFormatSize(int width, int height) {
  formats_[0].width = std::clamp(width, 1, kMaxPaperLength);
  formats_[0].height = std::clamp(height, 1, kMaxPaperLength);
}

void TListFormatu::addUserFormat(TFormatPapiru format) {
  format.name = format.name.left(kMaxFormatNameLength);
  format.width = std::clamp(format.width, 1, kMaxPaperLength);
  format.height = std::clamp(format.height, 1, kMaxPaperLength);
  formats_.append(format);
}

bool TListFormatu::removeUserFormat(int i) {
  if (i < 0 || kBuiltinCount + i >= formats_.size()) return false;
  formats_.removeAt(kBuiltinCount + i);
  return true;
}

int TListFormatu::indexOfSize(int width, int height) const {
  for (int i = 0; i < count(); ++i)
    if (formats_.at(i).width == width && formats_.at(i).height == height) return i;
  return -1;
}

LoadResult TListFormatu::loadIni(const QString& path) {
  formats_ = BuiltinFormats();
  IniFile ini;
  LoadResult result = ini.load(path);
  if (!result.ok) return result;
  return readFormats(ini);
}

LoadResult TListFormatu::loadIniText(const QString& text) {
  IniFile ini;
  ini.parse(text);
  return readFormats(ini);
}

LoadResult TListFormatu::readFormats(const IniFile& ini) {
  formats_ = BuiltinFormats();
  LoadResult result;
  const std::optional<IniFile::Value> countValue = ini.value(kSection, kCountKey);
  if (!countValue) return result;
  int n = 0;
  if (const std::optional<int> v = ParseRecordInt(countValue->text)) {
    n = *v;
    if (n < 0 || n > kMaxUserFormats) {
      n = std::clamp(n, 0, kMaxUserFormats);
      result.add(countValue->line, 1, loadmsg::OutOfRange());
    }
  } else {
    result.add(countValue->line, 1, loadmsg::BadInteger());
  }
  for (int k = 1; k <= n; ++k) {
    const std::optional<IniFile::Value> v = ini.value(kSection, FormatKey(k));
    if (!v) continue;
    TemplateRecord record(v->text);
    const bool quoted = v->text.startsWith(u'"');
    QString name = record.takeField();
    if (!quoted) name = name.trimmed();
    if (name.size() > kMaxFormatNameLength) result.add(v->line, 1, loadmsg::NameTooLong());
    bool bad = false;
    const int width = record.takeInt(0, &bad);
    const int height = record.takeInt(0, &bad);
    if (bad || width <= 0 || height <= 0) {
      result.add(v->line, 0, loadmsg::BadFormat());
      continue;
    }
    if (width > kMaxPaperLength || height > kMaxPaperLength) result.add(v->line, 2, loadmsg::OutOfRange());
    addUserFormat({name, width, height});
  }
  return result;
}

bool TListFormatu::saveIni(const QString& path) const {
  IniFile ini;
  if (!ini.load(path).ok) return false;
  for (const QString& key : ini.keys(kSection))
    if (key.startsWith(QStringLiteral("Format"), Qt::CaseInsensitive) &&
        key.compare(kCountKey, Qt::CaseInsensitive) != 0)
      ini.removeKey(kSection, key);
  const QList<TFormatPapiru> user = userFormats();
  ini.setValue(kSection, kCountKey, QString::number(user.size()));
  for (int k = 0; k < user.size(); ++k) {
    const TFormatPapiru& f = user.at(k);
    ini.setValue(kSection, FormatKey(k + 1),
                 IniName(f.name) + u',' + QString::number(f.width) + u',' + QString::number(f.height));
  }
  return ini.save(path);
}

}  // namespace report
