// sestava: the report component from the command line. Everything but the
// application and the standard streams lives in report/sestava/commands.h.
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

#include "report/sestava/commands.h"

namespace {

// Qt's own notes (a missing runtime directory, font fallbacks) are not the
// tool's output; only its critical and fatal messages reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    const QByteArray line = (QStringLiteral("sestava: qt: ") + QString(text).replace(u'\n', u' ') + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments before the application sees them: it takes some of its own
  // ("-platform", "-reverse", …) out of argv, and those may be values here.
  QStringList args;
  for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
  // Fonts need a GUI application; no window is ever shown.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QtMessages);
  QGuiApplication app(argc, argv);
  QFile out, err;
  out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
  err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
  return report::tool::RunTool(args, out, err);
}
