#include "app/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace tab97 {

QChar SystemPlatform::DecimalSeparator() const {
  const QString separator = QLocale::system().decimalPoint();
  return separator.isEmpty() ? QLatin1Char('.') : separator.front();
}

QString SystemPlatform::ProgramDir() const {
  return WithTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString WithTrailingSeparator(const QString& dir) {
  if (dir.isEmpty() || dir.endsWith(QLatin1Char('/'))) return dir;
  return dir + QLatin1Char('/');
}

}  // namespace tab97
