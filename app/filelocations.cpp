#include "app/filelocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/platform.h"
#include "app/charthost.h"

namespace tab97 {

QString ResourceDirFor(const QString& programDir) {
  const QString own = WithTrailingSeparator(programDir);
  if (QFileInfo::exists(own + QString::fromLatin1(kChartFileName))) return own;
  const QString installed = QDir::cleanPath(own + QStringLiteral("../share/tab97"));
  if (QFileInfo(installed).isDir()) return WithTrailingSeparator(installed);
  return own;
}

QString ConfigDirFor(const QString& programDir, const QString& userConfigDir) {
  // The write bits count, not only the right to write: an administrator running
  // an installed copy must not write into a folder installed read-only.
  const QFileInfo own(programDir);
  const bool writeBits = own.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
  if (own.isDir() && own.isWritable() && writeBits) return WithTrailingSeparator(programDir);
  return WithTrailingSeparator(userConfigDir);
}

QString UserConfigDir() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (dir.isEmpty()) dir = QDir::homePath() + QStringLiteral("/.config");
  return dir + QStringLiteral("/tab97");
}

}  // namespace tab97
