#include "report/layout/reportfonts.h"

#include <QFontDatabase>

namespace report {
namespace {

bool IsInstalled(const QString& family) { return QFontDatabase::hasFamily(family); }

}  // namespace

QString DrawingFamily(const QString& templateName) {
  const QString name = ResolveFontName(templateName, kCharsetAnsi, IsInstalled).name;
  if (name.compare(u"Arial", Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Sans");
  if (name.compare(u"Times New Roman", Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Serif");
  if (name.compare(u"Courier New", Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Mono");
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
