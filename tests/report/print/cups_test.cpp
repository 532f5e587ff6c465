// Real printing through QtPrinterPort: a private CUPS scheduler (see
// privatecups.h) with a PDF printer and a raw text printer, both network
// printers on 127.0.0.1 played by listening sockets of this test; the PDF they
// receive is checked with pdfinfo (poppler-utils), the text byte for byte. The
// file port needs no scheduler and runs always.
//
// When the scheduler cannot start (cupsd or lpadmin missing) the tests that need
// it are skipped with the reason, and the program exits with 77 if nothing
// failed, which CTest counts as skipped.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "capturesocket.h"
#include "privatecups.h"
#include "report/print/qtprinterport.h"
#include "report/print/spooler_p.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report::test {
namespace {

constexpr int kJobTimeoutMs = 15000;

// A PostScript-level driver description that lets PDF through unfiltered, with
// A4 and Letter pages whose printable areas differ on each side. No SNMP queries
// of supply levels: the backend would wait seconds for an answer.
constexpr char kPdfPrinterPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "RPTTEST.PPD"
*Manufacturer: "Report"
*Product: "(Report Test)"
*ModelName: "Report Test PDF Printer"
*ShortNickName: "Report Test PDF Printer"
*NickName: "Report Test PDF Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 -"
*cupsSNMPSupplies: False
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 72 559 788"
*ImageableArea Letter/Letter: "36 36 576 756"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)PPD";

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

#define REQUIRE_CUPS()                                                                    \
  if (!g.setupError.isEmpty()) FAIL() << "private CUPS scheduler: " << g.setupError.toStdString(); \
  if (!g.whyNot.isEmpty()) GTEST_SKIP() << "no private CUPS scheduler: " << g.whyNot.toStdString()

// Starts the scheduler (false with the reason in g.whyNot) and adds the queues
// (false with the reason in g.setupError).
bool setUpScheduler() {
  for (const QString& tool : {u"lpadmin"_s, u"cupsreject"_s}) {
    if (QStandardPaths::findExecutable(tool).isEmpty() &&
        QStandardPaths::findExecutable(tool, {u"/usr/sbin"_s, u"/sbin"_s}).isEmpty()) {
      g.whyNot = tool + u" not found (Debian package cups-client)"_s;
      return false;
    }
  }
  if (!g.cups->start(20000, &g.whyNot)) return false;
  QString* why = &g.setupError;
  if (!g.pdfPrinter->listening() || !g.rawPrinter->listening()) {
    *why = u"cannot listen on 127.0.0.1"_s;
    return false;
  }
  const QString ppd = g.cups->dir() + u"/report-test.ppd"_s;
  QFile f(ppd);
  if (!f.open(QIODevice::WriteOnly) || f.write(kPdfPrinterPpd) < 0) {
    *why = u"cannot write "_s + ppd;
    return false;
  }
  f.close();
  const auto socketUri = [](int port) { return u"socket://127.0.0.1:%1"_s.arg(port); };
  return g.cups->addQueue(kPdfQueue, socketUri(g.pdfPrinter->port()), ppd, why) &&
         g.cups->addQueue(kRawQueue, socketUri(g.rawPrinter->port()), {}, why) &&
         g.cups->addQueue(kClosedQueue, socketUri(9), ppd, why) && g.cups->rejectJobs(kClosedQueue, why) &&
         g.cups->setDefault(kPdfQueue, why);
}

// pdfinfo's "Key: value" lines; empty when it failed.
QMap<QString, QString> pdfInfo(const QString& path) {
  QMap<QString, QString> info;
  const QString tool = QStandardPaths::findExecutable(u"pdfinfo"_s);
  EXPECT_FALSE(tool.isEmpty()) << "pdfinfo not found (Debian package poppler-utils)";
  if (tool.isEmpty()) return info;
  QProcess p;
  p.start(tool, {u"-enc"_s, u"UTF-8"_s, path});
  if (!p.waitForFinished(20000) || p.exitCode() != 0) {
    p.kill();
    ADD_FAILURE() << "pdfinfo failed on " << path.toStdString() << ": " << p.readAllStandardError().toStdString();
    return info;
  }
  for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
    const qsizetype colon = line.indexOf(u':');
    if (colon > 0) info.insert(line.left(colon), line.mid(colon + 1).trimmed());
  }
  return info;
}

// Something on each page: a frame along the paper's edge, a line and a text.
void paintPage(QPainter* painter, const PrinterPort& port, int page) {
  const QSizeF paper = port.paperSizeHundredths() * (port.resolution() / 100.0);
  painter->drawRect(QRectF(QPointF(0, 0), paper).adjusted(0, 0, -1, -1));
  painter->drawLine(QPointF(0, 0), QPointF(paper.width(), paper.height()));
  painter->drawText(QPointF(port.resolution(), port.resolution()), u"Strana %1 – tlak 1,0 MPa"_s.arg(page));
}

int indexOf(const PrinterPort& port, const QString& name) {
  return static_cast<int>(port.printerNames().indexOf(name));
}

TEST(PrivateCups, PrintersAsInstalled) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  QStringList names = port.printerNames();
  names.sort();
  EXPECT_EQ(names, (QStringList{kClosedQueue, kPdfQueue, kRawQueue}));
  EXPECT_EQ(port.defaultPrinter(), indexOf(port, kPdfQueue));

  struct Case {
    QString queue, driver;
    bool textOnly;
  };
  for (const Case& c : {Case{kPdfQueue, u"Report Test PDF Printer"_s, false},
                        Case{kRawQueue, u"Local Raw Printer"_s, true}}) {
    SCOPED_TRACE(c.queue.toStdString());
    ASSERT_TRUE(port.select(indexOf(port, c.queue)));
    EXPECT_EQ(port.selectedPrinter(), indexOf(port, c.queue));
    EXPECT_EQ(port.driverName(), c.driver);
    EXPECT_EQ(port.isTextOnly(), c.textOnly);
    EXPECT_TRUE(port.driverKeepsCopies());
  }
  for (const int index : {-1, 3, 99}) {
    ASSERT_TRUE(port.select(index)) << index;
    EXPECT_EQ(port.selectedPrinter(), port.defaultPrinter()) << index;
  }
}

TEST(PrivateCups, MetricsFromTheDriver) {
  REQUIRE_CUPS();
  struct Case {
    int orientation;
    QSizeF paperSet;     // portrait, empty = the driver's default (A4)
    QSizeF paper;        // as oriented
    QMarginsF unprintable;
  };
  const QSizeF a4(59500 / 72.0, 84200 / 72.0);  // the driver's 595 x 842 points
  // A4's printable area "18 72 559 788" of 595 x 842 points: left 18, top 54,
  // right 36, bottom 72 points. Letter's: 36 points on each side.
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
    ASSERT_TRUE(port.select(indexOf(port, kPdfQueue)));
    EXPECT_EQ(port.resolution(), 1200);
    EXPECT_NEAR(port.paperSizeHundredths().width(), c.paper.width(), 0.01);
    EXPECT_NEAR(port.paperSizeHundredths().height(), c.paper.height(), 0.01);
    const QMarginsF m = port.unprintableHundredths();
    EXPECT_NEAR(m.left(), c.unprintable.left(), 0.01);
    EXPECT_NEAR(m.top(), c.unprintable.top(), 0.01);
    EXPECT_NEAR(m.right(), c.unprintable.right(), 0.01);
    EXPECT_NEAR(m.bottom(), c.unprintable.bottom(), 0.01);
  }
}

TEST(PrivateCups, TwoPagesReachThePrinterAsPdf) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(port.defaultPrinter()));
  const QString title = u"Sestava – ověření tisku"_s;
  ASSERT_TRUE(port.begin(title)) << port.lastError().toStdString();
  paintPage(port.painter(), port, 1);
  ASSERT_TRUE(port.newPage());
  paintPage(port.painter(), port, 2);
  ASSERT_TRUE(port.end()) << port.lastError().toStdString();

  QByteArray pdf;
  ASSERT_TRUE(g.pdfPrinter->receive(kJobTimeoutMs, &pdf)) << g.cups->logTail().toStdString();
  QTemporaryDir dir;
  QFile file(dir.filePath(u"received.pdf"_s));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
  file.close();
  const QMap<QString, QString> info = pdfInfo(file.fileName());
  EXPECT_EQ(info.value(u"Pages"_s), u"2"_s);
  EXPECT_EQ(info.value(u"Title"_s), title);
  EXPECT_TRUE(info.value(u"Page size"_s).startsWith(u"595 x 842 pts"_s)) << info.value(u"Page size"_s).toStdString();
  EXPECT_EQ(g.cups->lastJobTitle(kPdfQueue), title);
}

TEST(PrivateCups, TextReachesTheRawPrinterUnchanged) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(indexOf(port, kRawQueue)));
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
  ASSERT_TRUE(port.select(indexOf(port, kPdfQueue)));
  const int before = g.cups->jobCount({});
  ASSERT_GE(before, 0);
  ASSERT_TRUE(port.begin(u"Přerušená"_s));
  paintPage(port.painter(), port, 1);
  port.abort();
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.end());
  EXPECT_EQ(g.cups->jobCount({}), before);
  // The count does see a job that is handed over.
  ASSERT_TRUE(port.select(indexOf(port, kRawQueue)));
  ASSERT_TRUE(port.printText("x\r\n", u"Počítaná"_s));
  QByteArray received;
  EXPECT_TRUE(g.rawPrinter->receive(kJobTimeoutMs, &received));
  EXPECT_EQ(g.cups->jobCount({}), before + 1);
}

TEST(PrivateCups, RefusedJobsAreReported) {
  REQUIRE_CUPS();
  QtPrinterPort port;
  ASSERT_TRUE(port.select(indexOf(port, kClosedQueue)));
  ASSERT_TRUE(port.begin(u"Odmítnutá"_s));
  paintPage(port.painter(), port, 1);
  EXPECT_FALSE(port.end());
  EXPECT_TRUE(port.lastError().contains(kClosedQueue)) << port.lastError().toStdString();
  EXPECT_FALSE(port.printText("x\r\n", u"Odmítnutý text"_s));
  EXPECT_TRUE(port.lastError().contains(kClosedQueue)) << port.lastError().toStdString();
  QString error;
  EXPECT_FALSE(detail::sendRawJob(u"No_Such_Queue"_s, u"x"_s, "x", &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(PrintToFile, TwoPagesOfTheChosenPaper) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"sestava.pdf"_s);
  QtPrinterPort port;
  ASSERT_TRUE(port.select(0, u"FILE:"_s));
  port.setOutputFile(path);
  port.setPaperSizeHundredths({850, 1100});
  port.setOrientation(1);
  ASSERT_TRUE(port.begin(u"Do souboru"_s)) << port.lastError().toStdString();
  paintPage(port.painter(), port, 1);
  ASSERT_TRUE(port.newPage());
  paintPage(port.painter(), port, 2);
  ASSERT_TRUE(port.end()) << port.lastError().toStdString();
  const QMap<QString, QString> info = pdfInfo(path);
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
  // The scheduler and its queues come before the first look at the printers:
  // the client library and Qt keep what they found first.
  PrivateCups cups;
  CaptureSocket pdfPrinter, rawPrinter;
  g = Setup{&cups, &pdfPrinter, &rawPrinter, {}, {}};
  if (!setUpScheduler()) {
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
