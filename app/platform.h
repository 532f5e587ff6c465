// What the window needs from the operating system: the user's decimal separator
// and the directory of the running program. One small interface; the program uses
// SystemPlatform, tests pass their own.
#pragma once

#include <QChar>
#include <QString>

namespace tab97 {

class Platform {
 public:
  virtual ~Platform() = default;
  // First character of the user locale's decimal separator.
  virtual QChar DecimalSeparator() const = 0;
  // Directory of the executable, ending with the path separator.
  virtual QString ProgramDir() const = 0;
};

// Reads both from the system through Qt (the user locale; the application's
// directory). Needs a QCoreApplication for ProgramDir.
class SystemPlatform final : public Platform {
 public:
  QChar DecimalSeparator() const override;
  QString ProgramDir() const override;
};

// Adds the trailing separator when missing.
QString WithTrailingSeparator(const QString& dir);

}  // namespace tab97
