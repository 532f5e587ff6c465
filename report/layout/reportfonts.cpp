#include "report/layout/reportfonts.h"

#include <QFontDatabase>
#include <QHash>

namespace report {
namespace {

bool IsInstalled(const QString& family) { return QFontDatabase::hasFamily(family); }

}  // namespace

QString DrawingFamily(const QString& templateName) {
  // Asking the font database is slow; the answers of a run are kept (pages are
  // drawn on the user-interface thread only).
  static QHash<QString, QString> known;
  if (const auto it = known.constFind(templateName); it != known.constEnd()) return *it;
  QString name = ResolveFontName(templateName, kCharsetAnsi, IsInstalled).name;
  if (name.compare(u"Arial", Qt::CaseInsensitive) == 0) name = QStringLiteral("Liberation Sans");
  else if (name.compare(u"Times New Roman", Qt::CaseInsensitive) == 0) name = QStringLiteral("Liberation Serif");
  else if (name.compare(u"Courier New", Qt::CaseInsensitive) == 0) name = QStringLiteral("Liberation Mono");
  if (known.size() < 1000) known.insert(templateName, name);
  return name;
}

QFont ReportQFont(const TReportFont& font) {
  QFont f(DrawingFamily(font.name));
  f.setPointSizeF(std::max(1, font.size));
  f.setBold(font.style & kFontBold);
  f.setItalic(font.style & kFontItalic);
  f.setUnderline(font.style & kFontUnderline);
  f.setStrikeOut(font.style & kFontStrikeOut);
  f.setKerning(false);
  f.setStyleStrategy(QFont::PreferDefault);
  return f;
}

}  // namespace report
