// The port's rules, QtPrinterPort with no printer and with the file port, and the
// FakePrinterPort the engine's tests rely on. Real printers: cups_test.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <array>
#include <tuple>

#include "report/print/fakeprinterport.h"
#include "report/print/qtprinterport.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

TEST(PrinterPortRules, FallbackIndexLandscapeAndFilePort) {
  // index, count, default -> chosen: the index when valid, else the default, else the first.
  for (const auto& [index, count, defaultIndex, expected] :
       std::initializer_list<std::array<int, 4>>{{1, 3, 2, 1}, {0, 3, 2, 0}, {-1, 3, 2, 2}, {3, 3, 2, 2},
                                                 {-5, 3, -1, 0}, {5, 3, 7, 0}, {0, 0, -1, -1}, {-1, 0, 0, -1}})
    EXPECT_EQ(PrinterPort::fallbackIndex(index, count, defaultIndex), expected) << index << ' ' << count << ' ' << defaultIndex;
  // QMarginsF(left, top, right, bottom): the page turned counter-clockwise.
  EXPECT_EQ(PrinterPort::landscapeFromPortrait(QMarginsF(10, 20, 30, 40)), QMarginsF(40, 10, 20, 30));
  for (const QString& port : {u"FILE:"_s, u"file:"_s})
    EXPECT_TRUE(PrinterPort::isFilePort(port)) << port.toStdString();
  for (const QString& port : {u""_s, u"FILE"_s, u"LPT1:"_s, u"FILE:x"_s})
    EXPECT_FALSE(PrinterPort::isFilePort(port)) << port.toStdString();
}

TEST(PrinterPortRules, TextOnlyDrivers) {
  const std::pair<const char16_t*, bool> cases[] = {
      {u"Generic / Text Only", true},        {u"OBECNÁ NEBO JEN TEXTOVÁ", true},  // case ignored
      {u"  Generic Text-Only Printer  ", true},  // blanks around ignored
      {u"Generic Text-Only Printer Foomatic/textonly", true}, {u"Generic Text-Only Printer, 1.0", true},
      {u"Local Raw Printer", true},          {u"Raw Queue", true},
      {u"", true},  // no driver at all: a raw queue
      {u"Generic Text-Only Printers", false}, {u"Generic PostScript Printer", false}, {u"Generic/Text Only", false},
  };
  for (const auto& [makeAndModel, textOnly] : cases)
    EXPECT_EQ(QtPrinterPort::isTextOnlyDriver(U(makeAndModel)), textOnly) << S(makeAndModel);
}

TEST(QtPrinterPortWithoutPrinters, IsAnOrdinaryState) {
  QtPrinterPort port;
  EXPECT_TRUE(port.printerNames().isEmpty());
  for (const int index : {-1, 0, 1}) {
    EXPECT_FALSE(port.select(index)) << index;
    EXPECT_FALSE(port.lastError().isEmpty());
  }
  EXPECT_EQ(std::tuple(port.defaultPrinter(), port.selectedPrinter(), port.resolution(), port.driverName(), port.isTextOnly()),
            std::tuple(-1, -1, 0, QString(), false));
  EXPECT_TRUE(port.paperSizeHundredths().isEmpty());
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.newPage());
  EXPECT_FALSE(port.end());
  EXPECT_FALSE(port.printText("x\r\n", u"x"_s));
  EXPECT_TRUE(port.refresh());
}

class QtPrinterPortFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(port.select(-1, u"file:"_s));  // works with no printer installed
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(u"out.pdf"_s);
  QtPrinterPort port;
};

TEST_F(QtPrinterPortFile, Metrics) {
  EXPECT_EQ(std::tuple(port.selectedPrinter(), port.driverName(), port.isTextOnly(), port.driverKeepsCopies(),
                       port.resolution(), port.unprintableHundredths()),
            std::tuple(-1, u"PDF"_s, false, false, 1200, QMarginsF()));
  const QSizeF devicePaper = port.paperSizeHundredths();
  ASSERT_FALSE(devicePaper.isEmpty());
  struct Case {
    QSizeF paperSet;  // portrait; empty: the device's paper
    int orientation;
    QSizeF paper;     // as oriented
  };
  const Case cases[] = {
      {{850, 1100}, 1, {1100, 850}},                   // Letter
      {{826, 1169}, 0, {59500 / 72.0, 84200 / 72.0}},  // A4: 595 x 842 points
      {{500, 700}, 1, {700, 500}},                     // no standard size
      {{}, 0, devicePaper},
  };
  for (const Case& c : cases) {
    port.setPaperSizeHundredths(c.paperSet);
    port.setOrientation(c.orientation);
    EXPECT_NEAR(port.paperSizeHundredths().width(), c.paper.width(), 0.01) << c.paperSet.width();
    EXPECT_NEAR(port.paperSizeHundredths().height(), c.paper.height(), 0.01) << c.paperSet.width();
  }
}

TEST_F(QtPrinterPortFile, JobsNeedTheFileNameAndAbortDropsTheFile) {
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_FALSE(port.lastError().isEmpty());
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.printText("x", u"x"_s));
  port.setOutputFile(path);
  ASSERT_TRUE(port.begin(u"Sestava"_s));
  port.abort();
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(port.newPage());
  ASSERT_TRUE(port.begin(u"Znovu"_s));  // the next job starts afresh
  EXPECT_FALSE(port.aborted());
  EXPECT_TRUE(port.end());
}

TEST_F(QtPrinterPortFile, TextGoesIntoTheFileUnchanged) {
  port.setOutputFile(path);
  const QByteArray text("\xD8\xE1" "dek\r\n\x00\x0c", 9);
  ASSERT_TRUE(port.printText(text, u"Text"_s)) << port.lastError().toStdString();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), text);
}

// FakePrinterPort: Laser 120 dpi with unprintable edges, a text printer, and a
// wide one of 50 dpi; the last is the default.
QList<FakePrinterPort::Printer> threePrinters() {
  QList<FakePrinterPort::Printer> printers(3);
  printers[0].name = u"Laser"_s;
  printers[0].dpi = 120;
  printers[0].unprintable = {10, 20, 30, 40};
  printers[1].name = u"Jehličková"_s;
  printers[1].driver = u"Generic / Text Only"_s;
  printers[1].textOnly = true;
  printers[1].keepsCopies = false;
  printers[2].name = u"Široká"_s;
  printers[2].paper = {1400, 1100};
  printers[2].dpi = 50;
  return printers;
}

TEST(FakePrinterPort, SelectFollowsThePortRules) {
  struct Case {
    int index;
    QString port;
    int selected;
    QString driver;
    bool keepsCopies;
  };
  const Case cases[] = {
      {1, {}, 1, u"Generic / Text Only"_s, false}, {-1, {}, 2, u"Fake Printer"_s, true},  // the default
      {1, u"FILE:"_s, -1, u"PDF"_s, false},        {1, u"LPT1:"_s, 1, u"Generic / Text Only"_s, false},
  };
  FakePrinterPort port(threePrinters(), 2);
  EXPECT_EQ(port.printerNames(), (QStringList{u"Laser"_s, u"Jehličková"_s, u"Široká"_s}));
  for (const Case& c : cases) {
    ASSERT_TRUE(port.select(c.index, c.port)) << c.index;
    EXPECT_EQ(port.selectedPrinter(), c.selected) << c.index;
    EXPECT_EQ(port.driverName(), c.driver) << c.index;
    EXPECT_EQ(port.driverKeepsCopies(), c.keepsCopies) << c.index;
    EXPECT_EQ(port.port(), c.port);
  }
  port.setCopies(0);
  EXPECT_EQ(port.copies(), 1);
  FakePrinterPort none;
  EXPECT_EQ(none.defaultPrinter(), -1);
  EXPECT_FALSE(none.select(0));
  ASSERT_TRUE(none.select(0, u"FILE:"_s));
  EXPECT_FALSE(none.begin(u"x"_s));  // no output file yet
  none.setOutputFile(u"/tmp/x.pdf"_s);
  EXPECT_TRUE(none.begin(u"y"_s));
}

TEST(FakePrinterPort, PagesInDevicePixelsFromThePaperCorner) {
  struct Case {
    int printer, orientation;
    QSizeF paperSet, paper;
    QMarginsF unprintable;
    QSize pixels;
  };
  const Case cases[] = {
      {0, 1, {}, {1169, 826}, {40, 10, 20, 30}, {1403, 991}},
      {0, 0, {850, 1100}, {850, 1100}, {10, 20, 30, 40}, {1020, 1320}},
      {2, 1, {}, {1100, 1400}, {}, {550, 700}},
  };
  for (const Case& c : cases) {
    FakePrinterPort port(threePrinters());
    port.setOrientation(c.orientation);
    port.setPaperSizeHundredths(c.paperSet);
    ASSERT_TRUE(port.select(c.printer));
    EXPECT_EQ(port.paperSizeHundredths(), c.paper);
    EXPECT_EQ(port.unprintableHundredths(), c.unprintable);
    ASSERT_TRUE(port.begin(u"x"_s));
    port.painter()->fillRect(QRect(120, 240, 1, 1), Qt::red);
    ASSERT_TRUE(port.newPage());
    port.painter()->fillRect(QRect(10, 10, 1, 1), Qt::blue);
    ASSERT_TRUE(port.end());
    ASSERT_EQ(port.pages().size(), 2);
    EXPECT_EQ(port.pages().at(0).size(), c.pixels);
    EXPECT_EQ(port.pages().at(0).pixelColor(120, 240), QColor(Qt::red));
    EXPECT_EQ(port.pages().at(0).pixelColor(10, 10), QColor(Qt::white));  // page 2 was painted apart
    EXPECT_EQ(port.pages().at(1).pixelColor(10, 10), QColor(Qt::blue));
  }
}

TEST(FakePrinterPort, LogsCallsTitlesTextsAndFailures) {
  FakePrinterPort port(threePrinters());
  ASSERT_TRUE(port.select(0));
  ASSERT_TRUE(port.begin(u"Sestava 1"_s));
  EXPECT_FALSE(port.printText("x", u"během úlohy"_s));
  ASSERT_TRUE(port.end());
  EXPECT_FALSE(port.end());
  ASSERT_TRUE(port.select(1));
  ASSERT_TRUE(port.printText("A\r\n\xD8\r\n", u"Textová"_s));
  port.setTextError(u"Papír došel."_s);
  EXPECT_FALSE(port.printText("x", u"t"_s));
  EXPECT_EQ(port.lastError(), u"Papír došel."_s);
  ASSERT_TRUE(port.begin(u"Sestava 2"_s));
  port.abort();
  EXPECT_EQ(port.log(), (QStringList{u"begin Sestava 1"_s, u"text během úlohy"_s, u"end"_s, u"end"_s,
                                     u"text Textová"_s, u"text t"_s, u"begin Sestava 2"_s, u"abort"_s}));
  EXPECT_EQ(port.jobTitles(), (QStringList{u"Sestava 1"_s, u"během úlohy"_s, u"Textová"_s, u"t"_s, u"Sestava 2"_s}));
  EXPECT_EQ(port.texts(), (QList<QByteArray>{"A\r\n\xD8\r\n"}));
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(port.painter(), nullptr);
}

// The spooler gives up after the pages allowed; a job of no more pages ends well.
TEST(FakePrinterPort, SpoolerAbortsAfterPages) {
  for (const auto& [after, wanted] : {std::pair{1, 5}, {2, 5}, {2, 2}}) {
    FakePrinterPort port(threePrinters());
    port.setAbortAfterPages(after);
    ASSERT_TRUE(port.select(2));
    ASSERT_TRUE(port.begin(u"x"_s));
    int started = 1;
    while (started < wanted && port.newPage()) ++started;
    const bool aborted = wanted > after;
    EXPECT_EQ(started, std::min(after, wanted));
    EXPECT_EQ(port.aborted(), aborted);
    ASSERT_NE(port.painter(), nullptr);  // when aborted, still there to paint on in vain
    port.painter()->fillRect(QRect(0, 0, 5, 5), Qt::black);
    EXPECT_EQ(port.end(), !aborted);
    EXPECT_EQ(port.pages().size(), started);
    EXPECT_EQ(port.pages().last().pixelColor(0, 0), QColor(aborted ? Qt::white : Qt::black));
  }
}

}  // namespace
}  // namespace report

// A CUPS client with no settings and a scheduler socket that does not exist: no
// printer is installed on any machine.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const QTemporaryDir clientRoot;  // no client.conf, no lpoptions
  qputenv("CUPS_SERVER", QFile::encodeName(clientRoot.filePath(u"no-scheduler.sock"_s)));
  qputenv("CUPS_SERVERROOT", QFile::encodeName(clientRoot.path()));
  qunsetenv("LPDEST");
  qunsetenv("PRINTER");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
