// Real printing through QtPrinterPort: a private cupsd (child process, all its
// files in a temporary directory, on 127.0.0.1) with a PDF printer, a raw text
// printer and a queue that refuses jobs, the printers played by sockets of this
// test. Without cupsd those tests skip, and the program exits 77 if none failed.
#include <arpa/inet.h>
#include <cups/cups.h>
#include <grp.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "report/print/qtprinterport.h"
#include "report/print/spooler_p.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report::test {
namespace {

const QString kData = QStringLiteral(PRINT_TEST_DATA);
constexpr int kJobTimeoutMs = 15000;

// A TCP socket on a free port of 127.0.0.1, listening when asked; -1 on failure.
int LoopbackSocket(bool listening, int* port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      (listening && ::listen(fd, 4) != 0) || ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  *port = ntohs(addr.sin_port);
  return fd;
}

// A network printer: the scheduler's socket backend connects and sends a job.
class CaptureSocket {
 public:
  CaptureSocket() : fd_(LoopbackSocket(true, &port_)) {}
  ~CaptureSocket() { if (fd_ >= 0) ::close(fd_); }
  int port() const { return port_; }
  bool listening() const { return fd_ >= 0; }
  // One connection read to its end; false when none came or it did not end in time.
  bool receive(int timeoutMs, QByteArray* bytes) {
    bytes->clear();
    const QDeadlineTimer deadline(timeoutMs);
    pollfd p{fd_, POLLIN, 0};
    if (fd_ < 0 || ::poll(&p, 1, timeoutMs) <= 0) return false;
    const int conn = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    char buffer[16384];
    ssize_t n = -1;
    for (pollfd c{conn, POLLIN, 0}; conn >= 0 && ::poll(&c, 1, int(deadline.remainingTime())) > 0;) {
      if ((n = ::read(conn, buffer, sizeof buffer)) <= 0) break;
      bytes->append(buffer, n);
    }
    if (conn >= 0) ::close(conn);
    return n == 0;
  }

 private:
  int port_ = 0;
  int fd_;
};

bool Fail(QString* why, const QString& reason) {
  *why = reason;
  return false;
}

QString FindTool(const QString& name) {
  const QString path = QStandardPaths::findExecutable(name);
  return path.isEmpty() ? QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/sbin"_s}) : path;
}

class PrivateCups {
 public:
  ~PrivateCups() { stop(); }
  QString dir() const { return root_.path(); }

  // Starts cupsd and points this process's client (libcups, and Qt through it)
  // at it; must come before the first look at the printers, which both keep.
  bool start(int timeoutMs, QString* why) {
    const QString cupsd = FindTool(u"cupsd"_s);
    if (cupsd.isEmpty()) return Fail(why, u"cupsd not found (Debian package cups-daemon)"_s);
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    qputenv("CUPS_SERVERROOT", QFile::encodeName(clientRoot_.path()));
    const QDeadlineTimer deadline(timeoutMs);
    for (int attempt = 0; attempt < 3 && !deadline.hasExpired(); ++attempt) {
      const int fd = LoopbackSocket(false, &port_);  // a port nothing listens on now
      if (fd < 0 || ::close(fd) != 0) return Fail(why, u"no free port on 127.0.0.1"_s);
      if (!writeConfig(why)) return false;
      const QByteArray server = "127.0.0.1:" + QByteArray::number(port_);
      qputenv("CUPS_SERVER", server);
      cupsSetServer(server.constData());
      daemon_ = std::make_unique<QProcess>();
      daemon_->setProcessChannelMode(QProcess::MergedChannels);
      daemon_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });  // goes with this process
      const QString etc = dir() + u"/etc/"_s;
      daemon_->start(cupsd, {u"-f"_s, u"-c"_s, etc + u"cupsd.conf"_s, u"-s"_s, etc + u"cups-files.conf"_s});
      while (daemon_->waitForStarted(5000) && !deadline.hasExpired() && daemon_->state() == QProcess::Running &&
             !jobTitles())
        QThread::msleep(100);
      if (daemon_->state() == QProcess::Running && jobTitles()) return true;
      const bool exited = daemon_->state() != QProcess::Running;
      *why = (exited ? u"cupsd exited at once: "_s + QString::fromLocal8Bit(daemon_->readAll())
                     : u"cupsd did not answer within %1 ms"_s.arg(timeoutMs)) + u'\n' + logTail();
      stop();
      // Someone else may have taken the port in between: try another one.
      if (!exited || !why->contains(u"already in use"_s, Qt::CaseInsensitive)) return false;
    }
    return false;
  }

  void stop() {
    if (!daemon_) return;
    daemon_->terminate();
    if (!daemon_->waitForFinished(10000)) {
      daemon_->kill();
      daemon_->waitForFinished(5000);
    }
    daemon_.reset();
  }

  // An administration tool (lpadmin, cupsreject) against this scheduler.
  bool run(const QString& tool, const QStringList& args, QString* why) const {
    const QString path = FindTool(tool);
    if (path.isEmpty()) return Fail(why, tool + u" not found (Debian package cups-client)"_s);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(path, QStringList{u"-h"_s, u"127.0.0.1:%1"_s.arg(port_)} + args);
    if (p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return true;
    p.kill();
    *why = tool + u' ' + args.join(u' ') + u": "_s + QString::fromLocal8Bit(p.readAll());
    return false;
  }

  // Titles of all jobs of the queue (empty: of all queues), oldest first; none without an answer.
  std::optional<QStringList> jobTitles(const QString& queue = {}) const {
    http_t* http = httpConnect2("127.0.0.1", port_, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 1000, nullptr);
    if (!http) return std::nullopt;
    cups_job_t* jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    const int n = cupsGetJobs2(http, &jobs, queue.isEmpty() ? nullptr : name.constData(), 0, CUPS_WHICHJOBS_ALL);
    std::map<int, QString> byId;
    for (int i = 0; i < n; ++i) byId[jobs[i].id] = QString::fromUtf8(jobs[i].title);
    cupsFreeJobs(n, jobs);
    httpClose(http);
    if (n < 0) return std::nullopt;
    QStringList titles;
    for (const auto& [id, title] : byId) titles.append(title);
    return titles;
  }

  QString lastJobTitle(const QString& queue) const {
    const std::optional<QStringList> titles = jobTitles(queue);
    return titles && !titles->isEmpty() ? titles->last() : QString();
  }

  QString logTail() const {
    QFile f(dir() + u"/log/error_log"_s);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).right(3000) : QString();
  }

 private:
  // The data files' configuration. As root, backends run as lp and must read the spool.
  bool writeConfig(QString* why) const {
    for (const char* sub : {"etc", "spool", "tmp", "cache", "state", "log"}) QDir(dir()).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                     QFileDevice::ExeOther);
    QByteArray account = "SystemGroup root\n";
    if (::geteuid() != 0) {
      const passwd* user = ::getpwuid(::geteuid());
      const group* grp = ::getgrgid(::getegid());
      if (!user || !grp) return Fail(why, u"no name for the user or group running the test"_s);
      account = "User " + QByteArray(user->pw_name) + "\nGroup " + QByteArray(grp->gr_name) + "\nSystemGroup " +
                QByteArray(grp->gr_name) + '\n';
    }
    for (const auto& [name, extra] : {std::pair{u"cupsd.conf"_s, QByteArray()}, {u"cups-files.conf"_s, account}}) {
      QFile in(kData + u'/' + name), out(dir() + u"/etc/"_s + name);
      if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
          out.write(in.readAll().replace("@PORT@", QByteArray::number(port_)).replace("@DIR@", QFile::encodeName(dir())) +
                    extra) < 0)
        return Fail(why, u"cannot write "_s + out.fileName());
    }
    return true;
  }

  QTemporaryDir root_{QDir::tempPath() + u"/report-print-cups-XXXXXX"_s};
  QTemporaryDir clientRoot_{QDir::tempPath() + u"/report-print-cups-client-XXXXXX"_s};
  int port_ = 0;
  std::unique_ptr<QProcess> daemon_;
};

const QString kPdfQueue = u"Report_PDF"_s;
const QString kRawQueue = u"Report_Raw"_s;
const QString kClosedQueue = u"Report_Closed"_s;  // refuses jobs

struct Setup {
  PrivateCups* cups = nullptr;
  CaptureSocket* pdfPrinter = nullptr;
  CaptureSocket* rawPrinter = nullptr;
  QString whyNot;      // the scheduler cannot run here: skip
  QString setupError;  // it ran but its queues could not be set up: fail
};
Setup g;

#define REQUIRE_CUPS()                                                                             \
  if (!g.setupError.isEmpty()) FAIL() << "private CUPS scheduler: " << g.setupError.toStdString(); \
  if (!g.whyNot.isEmpty()) GTEST_SKIP() << "no private CUPS scheduler: " << g.whyNot.toStdString()

// Starts the scheduler (else g.whyNot says why) and adds the queues (else g.setupError).
bool SetUpScheduler() {
  for (const QString& tool : {u"lpadmin"_s, u"cupsreject"_s})
    if (FindTool(tool).isEmpty()) return Fail(&g.whyNot, tool + u" not found (Debian package cups-client)"_s);
  if (!g.cups->start(20000, &g.whyNot)) return false;
  QString* why = &g.setupError;
  if (!g.pdfPrinter->listening() || !g.rawPrinter->listening()) return Fail(why, u"cannot listen on 127.0.0.1"_s);
  const auto queue = [](const QString& name, int port, const QStringList& driver) {
    return QStringList{u"-p"_s, name, u"-E"_s, u"-v"_s, u"socket://127.0.0.1:%1"_s.arg(port)} + driver;
  };
  const QStringList ppd{u"-P"_s, kData + u"/report-test.ppd"_s};
  return g.cups->run(u"lpadmin"_s, queue(kPdfQueue, g.pdfPrinter->port(), ppd), why) &&
         g.cups->run(u"lpadmin"_s, queue(kRawQueue, g.rawPrinter->port(), {u"-m"_s, u"raw"_s}), why) &&
         g.cups->run(u"lpadmin"_s, queue(kClosedQueue, 9, ppd), why) &&
         g.cups->run(u"cupsreject"_s, {kClosedQueue}, why) && g.cups->run(u"lpadmin"_s, {u"-d"_s, kPdfQueue}, why);
}

// pdfinfo's "Key: value" lines of the PDF; empty when it failed.
QMap<QString, QString> PdfInfo(const QByteArray& pdf) {
  QMap<QString, QString> info;
  const QString tool = QStandardPaths::findExecutable(u"pdfinfo"_s);
  EXPECT_FALSE(tool.isEmpty()) << "pdfinfo not found (Debian package poppler-utils)";
  QTemporaryDir dir;
  QFile file(dir.filePath(u"in.pdf"_s));
  if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return info;
  file.close();
  QProcess p;
  p.start(tool, {u"-enc"_s, u"UTF-8"_s, file.fileName()});
  if (tool.isEmpty() || !p.waitForFinished(20000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdfinfo failed: " << p.readAllStandardError().toStdString();
    return info;
  }
  for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
    if (const qsizetype colon = line.indexOf(u':'); colon > 0) info.insert(line.left(colon), line.mid(colon + 1).trimmed());
  return info;
}

// Something on each page: a frame along the paper's edge, a line and a text.
void PaintPage(QPainter* painter, const PrinterPort& port, int page) {
  const QSizeF paper = port.paperSizeHundredths() * (port.resolution() / 100.0);
  painter->drawRect(QRectF(QPointF(0, 0), paper).adjusted(0, 0, -1, -1));
  painter->drawLine(QPointF(0, 0), QPointF(paper.width(), paper.height()));
  painter->drawText(QPointF(port.resolution(), port.resolution()), u"Strana %1 – tlak 1,0 MPa"_s.arg(page));
}

int IndexOf(const PrinterPort& port, const QString& name) { return int(port.printerNames().indexOf(name)); }

TEST(PrivateCups, PrintersAsInstalled) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  QStringList names = port.printerNames();
  names.sort();
  EXPECT_EQ(names, (QStringList{kClosedQueue, kPdfQueue, kRawQueue}));
  EXPECT_EQ(port.defaultPrinter(), IndexOf(port, kPdfQueue));
  struct Case {
    QString queue, driver;
    bool textOnly;
  };
  for (const Case& c : {Case{kPdfQueue, u"Report Test PDF Printer"_s, false},
                        Case{kRawQueue, u"Local Raw Printer"_s, true}}) {
    SCOPED_TRACE(c.queue.toStdString());
    ASSERT_TRUE(port.select(IndexOf(port, c.queue)));
    EXPECT_EQ(port.selectedPrinter(), IndexOf(port, c.queue));
    EXPECT_EQ(port.driverName(), c.driver);
    EXPECT_EQ(port.isTextOnly(), c.textOnly);
    EXPECT_TRUE(port.driverKeepsCopies());
  }
  ASSERT_TRUE(port.select(3));  // past the end: the default
  EXPECT_EQ(port.selectedPrinter(), port.defaultPrinter());
}

TEST(PrivateCups, MetricsFromTheDriver) {
  REQUIRE_CUPS();
  struct Case {
    int orientation;
    QSizeF paperSet;  // portrait, empty = the driver's default (A4)
    QSizeF paper;     // as oriented
    QMarginsF unprintable;
  };
  const QSizeF a4(59500 / 72.0, 84200 / 72.0);  // the driver's 595 x 842 points
  // The PPD's A4 printable area "18 72 559 788" points; Letter's 36 points each side.
  const Case cases[] = {
      {0, {}, a4, {25, 75, 50, 100}},
      {1, {}, a4.transposed(), {100, 25, 75, 50}},
      {0, {850, 1100}, {850, 1100}, {50, 50, 50, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.orientation);
    QtPrinterPort port;
    port.setOrientation(c.orientation);
    port.setPaperSizeHundredths(c.paperSet);
    ASSERT_TRUE(port.select(IndexOf(port, kPdfQueue)));
    EXPECT_EQ(port.resolution(), 1200);
    EXPECT_NEAR(port.paperSizeHundredths().width(), c.paper.width(), 0.01);
    EXPECT_NEAR(port.paperSizeHundredths().height(), c.paper.height(), 0.01);
    const QMarginsF m = port.unprintableHundredths();
    for (const auto& [got, expected] : {std::pair{m.left(), c.unprintable.left()}, {m.top(), c.unprintable.top()},
                                        {m.right(), c.unprintable.right()}, {m.bottom(), c.unprintable.bottom()}})
      EXPECT_NEAR(got, expected, 0.01);
  }
}

TEST(PrivateCups, TwoPagesReachThePrinterAsPdf) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(port.defaultPrinter()));
  const QString title = u"Sestava – ověření tisku"_s;
  ASSERT_TRUE(port.begin(title)) << port.lastError().toStdString();
  PaintPage(port.painter(), port, 1);
  ASSERT_TRUE(port.newPage());
  PaintPage(port.painter(), port, 2);
  ASSERT_TRUE(port.end()) << port.lastError().toStdString();

  QByteArray pdf;
  ASSERT_TRUE(g.pdfPrinter->receive(kJobTimeoutMs, &pdf)) << g.cups->logTail().toStdString();
  const QMap<QString, QString> info = PdfInfo(pdf);
  EXPECT_EQ(info.value(u"Pages"_s), u"2"_s);
  EXPECT_EQ(info.value(u"Title"_s), title);
  EXPECT_TRUE(info.value(u"Page size"_s).startsWith(u"595 x 842 pts"_s)) << info.value(u"Page size"_s).toStdString();
  EXPECT_EQ(g.cups->lastJobTitle(kPdfQueue), title);
}

TEST(PrivateCups, TextReachesTheRawPrinterUnchanged) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(IndexOf(port, kRawQueue)));
  ASSERT_TRUE(port.isTextOnly());
  // Lines in CP1250 ("Tlak", "Řádek" with Ř = D8, á = E1), a NUL, a form feed.
  const QByteArray text("Tlak\t1,0 MPa\r\n\xD8\xE1" "dek 2\r\n\x00\x0c", 24);
  const QString title = u"Textová sestava"_s;
  ASSERT_TRUE(port.printText(text, title)) << port.lastError().toStdString();
  QByteArray received;
  ASSERT_TRUE(g.rawPrinter->receive(kJobTimeoutMs, &received)) << g.cups->logTail().toStdString();
  EXPECT_EQ(received, text);
  EXPECT_EQ(g.cups->lastJobTitle(kRawQueue), title);
}

TEST(PrivateCups, AbortedJobNeverReachesTheScheduler) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(IndexOf(port, kPdfQueue)));
  const std::optional<QStringList> before = g.cups->jobTitles();
  ASSERT_TRUE(before);
  ASSERT_TRUE(port.begin(u"Přerušená"_s));
  PaintPage(port.painter(), port, 1);
  port.abort();
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.end());
  EXPECT_EQ(g.cups->jobTitles(), before);  // that it sees jobs handed over: TextReachesTheRawPrinterUnchanged
}

TEST(PrivateCups, RefusedJobsAreReported) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(IndexOf(port, kClosedQueue)));
  ASSERT_TRUE(port.begin(u"Odmítnutá"_s));
  PaintPage(port.painter(), port, 1);
  EXPECT_FALSE(port.end());
  EXPECT_TRUE(port.lastError().contains(kClosedQueue)) << port.lastError().toStdString();
  EXPECT_FALSE(port.printText("x\r\n", u"Odmítnutý text"_s));
  EXPECT_TRUE(port.lastError().contains(kClosedQueue)) << port.lastError().toStdString();
  QString error;
  EXPECT_FALSE(detail::sendRawJob(u"No_Such_Queue"_s, u"x"_s, "x", &error));
  EXPECT_FALSE(error.isEmpty());
}

// One job at a time into the file, of the paper and orientation chosen; it
// replaces a file there only when it ends well, so an aborted one keeps the old.
TEST(PrintToFile, TwoPagesOfTheChosenPaperAfterAnAbortedJob) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"sestava.pdf"_s);
  const QByteArray old = "the printout of yesterday";
  const auto contents = [&] {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
  }
  QtPrinterPort port;
  ASSERT_TRUE(port.select(0, u"FILE:"_s));
  port.setOutputFile(path);
  port.setPaperSizeHundredths({850, 1100});
  port.setOrientation(1);
  ASSERT_TRUE(port.begin(u"Přerušená"_s)) << port.lastError().toStdString();
  PaintPage(port.painter(), port, 1);
  EXPECT_EQ(contents(), old);  // nothing of the running job reaches the target
  port.abort();
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(contents(), old);
  ASSERT_TRUE(port.begin(u"Do souboru"_s)) << port.lastError().toStdString();
  PaintPage(port.painter(), port, 1);
  EXPECT_FALSE(port.begin(u"again"_s));
  EXPECT_FALSE(port.select(0, u"FILE:"_s));
  EXPECT_FALSE(port.printText("x", u"x"_s));
  ASSERT_TRUE(port.newPage());
  PaintPage(port.painter(), port, 2);
  ASSERT_TRUE(port.end()) << port.lastError().toStdString();
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.aborted());
  EXPECT_FALSE(port.end());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"sestava.pdf"_s});
  const QMap<QString, QString> info = PdfInfo(contents());
  EXPECT_EQ(info.value(u"Pages"_s), u"2"_s);
  EXPECT_EQ(info.value(u"Title"_s), u"Do souboru"_s);
  EXPECT_TRUE(info.value(u"Page size"_s).startsWith(u"792 x 612 pts"_s)) << info.value(u"Page size"_s).toStdString();
}

}  // namespace
}  // namespace report::test

int main(int argc, char** argv) {
  using namespace report::test;
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  PrivateCups cups;
  CaptureSocket pdfPrinter, rawPrinter;
  g = Setup{&cups, &pdfPrinter, &rawPrinter, {}, {}};
  if (!SetUpScheduler()) {
    if (g.whyNot.isEmpty() && g.setupError.isEmpty()) g.setupError = u"unknown failure"_s;
    std::fprintf(stderr, "Private CUPS scheduler: %s%s\n", qPrintable(g.whyNot), qPrintable(g.setupError));
    if (!g.setupError.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(cups.logTail()));
    cups.stop();
  }
  int rc;
  {
    QGuiApplication app(argc, argv);
    rc = RUN_ALL_TESTS();
  }
  cups.stop();
  return rc == 0 && !g.whyNot.isEmpty() ? 77 : rc;
}
