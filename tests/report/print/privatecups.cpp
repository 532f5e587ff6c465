#include "privatecups.h"

#include <arpa/inet.h>
#include <grp.h>
#include <pwd.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

namespace report::test {

namespace {

const QStringList kSbin = {u"/usr/sbin"_s, u"/sbin"_s, u"/usr/local/sbin"_s};

QString findTool(const QString& name) {
  QString path = QStandardPaths::findExecutable(name);
  if (path.isEmpty()) path = QStandardPaths::findExecutable(name, kSbin);
  return path;
}

// A port of 127.0.0.1 that nothing listens on right now.
int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  ::close(fd);
  return port;
}

bool writeFile(const QString& path, const QByteArray& text) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

}  // namespace

PrivateCups::PrivateCups()
    : root_(QDir::tempPath() + u"/report-print-cups-XXXXXX"_s),
      clientRoot_(QDir::tempPath() + u"/report-print-cups-client-XXXXXX"_s) {
  // For a look at the logs after a run: PRIVATE_CUPS_KEEP=1 keeps the directory.
  if (qEnvironmentVariableIntValue("PRIVATE_CUPS_KEEP") == 1) {
    root_.setAutoRemove(false);
    std::fprintf(stderr, "Private CUPS directory: %s\n", qPrintable(root_.path()));
  }
}

PrivateCups::~PrivateCups() { stop(); }

QString PrivateCups::server() const { return u"127.0.0.1:%1"_s.arg(port_); }

bool PrivateCups::writeConfig(QString* why) {
  const QString d = root_.path();
  for (const char* sub : {"etc", "spool", "tmp", "cache", "state", "log"}) {
    if (!QDir(d).mkpath(QString::fromLatin1(sub))) {
      *why = u"cannot make %1/%2"_s.arg(d, QString::fromLatin1(sub));
      return false;
    }
  }
  // As root the backends run as user lp and read the spooled files below this
  // directory.
  QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                               QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                               QFileDevice::ExeOther);
  const QByteArray cupsd = u"# Private scheduler of a test: loopback only, no browsing, no sharing.\n"
                           "Listen 127.0.0.1:%1\n"
                           "ServerName 127.0.0.1\n"
                           "Browsing No\n"
                           "BrowseLocalProtocols none\n"
                           "DefaultShared No\n"
                           "WebInterface No\n"
                           "LogLevel debug\n"
                           "MaxLogSize 0\n"
                           "DefaultAuthType None\n"
                           "<Location />\n"
                           "  Order allow,deny\n"
                           "  Allow from 127.0.0.1\n"
                           "</Location>\n"
                           "<Policy default>\n"
                           "  JobPrivateAccess all\n"
                           "  JobPrivateValues none\n"
                           "  SubscriptionPrivateAccess all\n"
                           "  SubscriptionPrivateValues none\n"
                           "  <Limit All>\n"
                           "    Order deny,allow\n"
                           "  </Limit>\n"
                           "</Policy>\n"_s.arg(port_)
                               .toUtf8();
  const QByteArray files = u"ServerRoot %1/etc\n"
                           "RequestRoot %1/spool\n"
                           "TempDir %1/tmp\n"
                           "CacheDir %1/cache\n"
                           "StateDir %1/state\n"
                           "ServerKeychain %1/etc/ssl\n"
                           "ErrorLog %1/log/error_log\n"
                           "AccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\n"
                           "Printcap %1/state/printcap\n"
                           "FileDevice No\n"_s.arg(d)
                               .toUtf8();
  // As root the daemon runs backends as user lp (the default); otherwise it
  // cannot change users and runs everything as the one running the test.
  QByteArray account = "SystemGroup root\n";
  if (::geteuid() != 0) {
    const passwd* user = ::getpwuid(::geteuid());
    const group* grp = ::getgrgid(::getegid());
    if (!user || !grp) {
      *why = u"no name for the user or group running the test"_s;
      return false;
    }
    account = "User " + QByteArray(user->pw_name) + "\nGroup " + QByteArray(grp->gr_name) +
              "\nSystemGroup " + QByteArray(grp->gr_name) + '\n';
  }
  if (!writeFile(d + u"/etc/cupsd.conf"_s, cupsd) || !writeFile(d + u"/etc/cups-files.conf"_s, files + account)) {
    *why = u"cannot write the configuration into %1/etc"_s.arg(d);
    return false;
  }
  return true;
}

bool PrivateCups::start(int timeoutMs, QString* why) {
  if (!root_.isValid() || !clientRoot_.isValid()) {
    *why = u"no temporary directory"_s;
    return false;
  }
  const QString cupsd = findTool(u"cupsd"_s);
  if (cupsd.isEmpty()) {
    *why = u"cupsd not found (Debian package cups-daemon)"_s;
    return false;
  }
  // The client of this process, and of the tools it starts, uses this scheduler
  // and no client.conf or lpoptions of the machine.
  qunsetenv("LPDEST");
  qunsetenv("PRINTER");
  qputenv("CUPS_SERVERROOT", QFile::encodeName(clientRoot_.path()));
  const QDeadlineTimer deadline(timeoutMs);
  for (int attempt = 0; attempt < 3 && !deadline.hasExpired(); ++attempt) {
    port_ = freePort();
    if (port_ == 0 || !writeConfig(why)) return false;
    const QByteArray address = server().toLatin1();
    qputenv("CUPS_SERVER", address);
    cupsSetServer(address.constData());
    daemon_ = std::make_unique<QProcess>();
    daemon_->setProcessChannelMode(QProcess::MergedChannels);
    // The daemon goes when this process goes, however it ends.
    daemon_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    const QString etc = root_.path() + u"/etc/"_s;
    daemon_->start(cupsd, {u"-f"_s, u"-c"_s, etc + u"cupsd.conf"_s, u"-s"_s, etc + u"cups-files.conf"_s});
    if (!daemon_->waitForStarted(5000)) {
      *why = u"cupsd did not start: "_s + daemon_->errorString();
      daemon_.reset();
      return false;
    }
    while (!deadline.hasExpired() && daemon_->state() == QProcess::Running && !answers())
      QThread::msleep(100);
    if (daemon_->state() == QProcess::Running && answers()) return true;
    const bool exited = daemon_->state() != QProcess::Running;
    const QString output = QString::fromLocal8Bit(daemon_->readAll());
    stop();
    *why = exited ? u"cupsd exited at once: "_s + output + u'\n' + logTail(10)
                  : u"cupsd did not answer within %1 ms\n"_s.arg(timeoutMs) + logTail(10);
    // Someone else may have taken the port in between: try another one.
    if (!exited || !why->contains(u"already in use"_s, Qt::CaseInsensitive)) return false;
  }
  return false;
}

void PrivateCups::stop() {
  if (!daemon_) return;
  if (daemon_->state() != QProcess::NotRunning) {
    daemon_->terminate();
    if (!daemon_->waitForFinished(10000)) {
      daemon_->kill();
      daemon_->waitForFinished(5000);
    }
  }
  daemon_.reset();
}

bool PrivateCups::answers() const {
  http_t* http = httpConnect2("127.0.0.1", port_, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                              1000, nullptr);
  if (!http) return false;
  ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
  const bool ok = response != nullptr;
  ippDelete(response);
  httpClose(http);
  return ok;
}

bool PrivateCups::runTool(const QString& tool, const QStringList& args, QString* why) {
  const QString path = findTool(tool);
  if (path.isEmpty()) {
    *why = tool + u" not found (Debian package cups-client)"_s;
    return false;
  }
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(path, QStringList{u"-h"_s, server()} + args);
  if (!p.waitForFinished(10000)) {
    p.kill();
    p.waitForFinished(2000);
    *why = tool + u" did not finish within 10 s"_s;
    return false;
  }
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    *why = tool + u' ' + args.join(u' ') + u": "_s + QString::fromLocal8Bit(p.readAll());
    return false;
  }
  return true;
}

bool PrivateCups::addQueue(const QString& name, const QString& deviceUri, const QString& ppdPath,
                           QString* why) {
  QStringList args{u"-p"_s, name, u"-E"_s, u"-v"_s, deviceUri};
  if (ppdPath.isEmpty())
    args << u"-m"_s << u"raw"_s;
  else
    args << u"-P"_s << ppdPath;
  return runTool(u"lpadmin"_s, args, why);
}

bool PrivateCups::rejectJobs(const QString& name, QString* why) {
  return runTool(u"cupsreject"_s, {name}, why);
}

bool PrivateCups::setDefault(const QString& name, QString* why) {
  return runTool(u"lpadmin"_s, {u"-d"_s, name}, why);
}

namespace {

// Jobs of the queue (all queues: empty name), finished ones too when all is set.
template <typename F>
bool withJobs(int port, const QString& queue, bool all, F&& f) {
  http_t* http = httpConnect2("127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                              5000, nullptr);
  if (!http) return false;
  cups_job_t* jobs = nullptr;
  const QByteArray name = queue.toUtf8();
  const int n = cupsGetJobs2(http, &jobs, queue.isEmpty() ? nullptr : name.constData(), 0,
                             all ? CUPS_WHICHJOBS_ALL : CUPS_WHICHJOBS_ACTIVE);
  if (n >= 0) f(jobs, n);
  cupsFreeJobs(n, jobs);
  httpClose(http);
  return n >= 0;
}

}  // namespace

bool PrivateCups::waitIdle(int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  do {
    int active = -1;
    withJobs(port_, {}, false, [&active](cups_job_t*, int n) { active = n; });
    if (active == 0) return true;
    QThread::msleep(100);
  } while (!deadline.hasExpired());
  return false;
}

QString PrivateCups::lastJobTitle(const QString& queue) {
  QString title;
  withJobs(port_, queue, true, [&title](cups_job_t* jobs, int n) {
    int newest = -1;
    for (int i = 0; i < n; ++i)
      if (newest < 0 || jobs[i].id > jobs[newest].id) newest = i;
    if (newest >= 0) title = QString::fromUtf8(jobs[newest].title);
  });
  return title;
}

int PrivateCups::jobCount(const QString& queue) {
  int count = -1;
  withJobs(port_, queue, true, [&count](cups_job_t*, int n) { count = n; });
  return count;
}

QString PrivateCups::logTail(int lines) const {
  QFile f(root_.path() + u"/log/error_log"_s);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QStringList all = QString::fromUtf8(f.readAll()).split(u'\n');
  return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(u'\n');
}

}  // namespace report::test
