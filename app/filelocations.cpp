#include "app/filelocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/platform.h"
#include "app/charthost.h"

namespace tab97 {

QString ResourceDirFor(const QString& programDir) {
  const QString own = WithTrailingSeparator(programDir);
  if (QFileInfo::exists(own + QString::fromLatin1(chart::kChartFile))) return own;
  const QString installed = QDir::cleanPath(own + QStringLiteral("../share/tab97"));
  if (QFileInfo(installed).isDir()) return WithTrailingSeparator(installed);
  return own;
}

QString ConfigDirFor(const QString& programDir, const QString& userConfigDir) {
  // Only a copy that keeps its files beside the program (a build folder, a
  // portable copy) keeps its configuration there; an installed copy never writes
  // into its program folder, even for an administrator who could. The write bits
  // count too, not only the right to write.
  const QFileInfo own(programDir);
  const bool beside = ResourceDirFor(programDir) == WithTrailingSeparator(programDir);
  const bool writeBits = own.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
  if (beside && own.isDir() && own.isWritable() && writeBits) return WithTrailingSeparator(programDir);
  return WithTrailingSeparator(userConfigDir);
}

QString UserConfigDir() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (dir.isEmpty()) dir = QDir::homePath() + QStringLiteral("/.config");
  return dir + QStringLiteral("/tab97");
}

}  // namespace tab97
