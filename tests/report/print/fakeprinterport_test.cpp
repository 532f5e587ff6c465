// The contract of FakePrinterPort that the engine's tests rely on.
#include <gtest/gtest.h>

#include <QPainter>

#include "report/print/fakeprinterport.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

QList<FakePrinterPort::Printer> threePrinters() {
  FakePrinterPort::Printer laser;
  laser.name = u"Laser"_s;
  laser.dpi = 120;
  laser.unprintable = {10, 20, 30, 40};
  FakePrinterPort::Printer text;
  text.name = u"Jehličková"_s;
  text.driver = u"Generic / Text Only"_s;
  text.textOnly = true;
  text.keepsCopies = false;
  FakePrinterPort::Printer wide;
  wide.name = u"Široká"_s;
  wide.paper = {1400, 1100};
  wide.dpi = 50;
  return {laser, text, wide};
}

TEST(FakePrinterPort, SelectFollowsThePortRules) {
  struct Case {
    int index;
    QString port;
    int selected;
    QString driver;
  };
  const Case cases[] = {
      {0, {}, 0, u"Fake Printer"_s},
      {1, {}, 1, u"Generic / Text Only"_s},
      {-1, {}, 2, u"Fake Printer"_s},  // the default
      {3, {}, 2, u"Fake Printer"_s},
      {1, u"FILE:"_s, -1, u"PDF"_s},
      {1, u"LPT1:"_s, 1, u"Generic / Text Only"_s},
  };
  FakePrinterPort port(threePrinters(), 2);
  EXPECT_EQ(port.printerNames(), (QStringList{u"Laser"_s, u"Jehličková"_s, u"Široká"_s}));
  EXPECT_EQ(port.defaultPrinter(), 2);
  for (const Case& c : cases) {
    ASSERT_TRUE(port.select(c.index, c.port)) << c.index;
    EXPECT_EQ(port.selectedPrinter(), c.selected) << c.index;
    EXPECT_EQ(port.driverName(), c.driver) << c.index;
    EXPECT_EQ(port.port(), c.port);
  }
}

TEST(FakePrinterPort, WithoutPrintersOnlyTheFilePortWorks) {
  FakePrinterPort port;
  EXPECT_TRUE(port.printerNames().isEmpty());
  EXPECT_EQ(port.defaultPrinter(), -1);
  EXPECT_FALSE(port.select(0));
  EXPECT_FALSE(port.lastError().isEmpty());
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_EQ(port.resolution(), 0);
  ASSERT_TRUE(port.select(0, u"FILE:"_s));
  EXPECT_FALSE(port.begin(u"x"_s));  // no output file yet
  port.setOutputFile(u"/tmp/x.pdf"_s);
  EXPECT_TRUE(port.begin(u"y"_s));
  EXPECT_EQ(port.outputFile(), u"/tmp/x.pdf"_s);
}

TEST(FakePrinterPort, MetricsTurnWithTheOrientation) {
  struct Case {
    int printer, orientation;
    QSizeF paperSet;
    QSizeF paper;
    QMarginsF unprintable;
    QSize pixels;
  };
  const Case cases[] = {
      {0, 0, {}, {826, 1169}, {10, 20, 30, 40}, {991, 1403}},
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
    ASSERT_TRUE(port.end());
    ASSERT_EQ(port.pages().size(), 1);
    EXPECT_EQ(port.pages().at(0).size(), c.pixels);
  }
}

TEST(FakePrinterPort, PainterOriginIsThePaperCorner) {
  FakePrinterPort port(threePrinters());  // Laser: 120 dpi, unprintable edges
  ASSERT_TRUE(port.select(0));
  ASSERT_TRUE(port.begin(u"x"_s));
  port.painter()->fillRect(QRect(0, 0, 3, 3), Qt::black);
  port.painter()->fillRect(QRect(120, 240, 1, 1), Qt::red);  // 1 inch right, 2 inches down
  ASSERT_TRUE(port.newPage());
  port.painter()->fillRect(QRect(10, 10, 1, 1), Qt::blue);
  ASSERT_TRUE(port.end());
  ASSERT_EQ(port.pages().size(), 2);
  const QImage& first = port.pages().at(0);
  EXPECT_EQ(first.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(first.pixelColor(120, 240), QColor(Qt::red));
  EXPECT_EQ(first.pixelColor(121, 240), QColor(Qt::white));
  EXPECT_EQ(first.pixelColor(10, 10), QColor(Qt::white));  // page 2 was painted apart
  EXPECT_EQ(port.pages().at(1).pixelColor(10, 10), QColor(Qt::blue));
  EXPECT_EQ(port.pages().at(1).pixelColor(0, 0), QColor(Qt::white));
}

TEST(FakePrinterPort, LogsCallsTitlesAndText) {
  FakePrinterPort port(threePrinters());
  ASSERT_TRUE(port.select(0));
  ASSERT_TRUE(port.begin(u"Sestava 1"_s));
  EXPECT_FALSE(port.printText("x", u"během úlohy"_s));
  ASSERT_TRUE(port.newPage());
  ASSERT_TRUE(port.end());
  EXPECT_FALSE(port.end());
  ASSERT_TRUE(port.select(1));
  EXPECT_TRUE(port.isTextOnly());
  ASSERT_TRUE(port.printText("A\r\n\xD8\r\n", u"Textová"_s));
  ASSERT_TRUE(port.begin(u"Sestava 2"_s));
  port.abort();
  EXPECT_EQ(port.log(), (QStringList{u"begin Sestava 1"_s, u"text během úlohy"_s, u"newPage"_s, u"end"_s, u"end"_s,
                                     u"text Textová"_s, u"begin Sestava 2"_s, u"abort"_s}));
  EXPECT_EQ(port.jobTitles(), (QStringList{u"Sestava 1"_s, u"během úlohy"_s, u"Textová"_s, u"Sestava 2"_s}));
  EXPECT_EQ(port.texts(), (QList<QByteArray>{"A\r\n\xD8\r\n"}));
  EXPECT_TRUE(port.aborted());
  EXPECT_EQ(port.painter(), nullptr);
}

TEST(FakePrinterPort, FailuresOnRequest) {
  FakePrinterPort port(threePrinters());
  ASSERT_TRUE(port.select(0));
  port.setBeginError(u"Tiskárna je vypnutá."_s);
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_EQ(port.lastError(), u"Tiskárna je vypnutá."_s);
  EXPECT_EQ(port.painter(), nullptr);
  port.setBeginError({});
  port.setTextError(u"Papír došel."_s);
  EXPECT_FALSE(port.printText("x", u"t"_s));
  EXPECT_EQ(port.lastError(), u"Papír došel."_s);
  EXPECT_TRUE(port.texts().isEmpty());
}

TEST(FakePrinterPort, SpoolerAbortsAfterPages) {
  for (const int after : {1, 2, 3}) {
    FakePrinterPort port(threePrinters());
    port.setAbortAfterPages(after);
    ASSERT_TRUE(port.select(2));
    ASSERT_TRUE(port.begin(u"x"_s));
    int started = 1;
    while (started < 5 && port.newPage()) ++started;
    EXPECT_EQ(started, after) << after;
    EXPECT_TRUE(port.aborted());
    ASSERT_NE(port.painter(), nullptr);  // still there to paint on, in vain
    port.painter()->fillRect(QRect(0, 0, 5, 5), Qt::black);
    EXPECT_FALSE(port.end());
    EXPECT_EQ(port.pages().size(), after);
    EXPECT_EQ(port.pages().last().pixelColor(0, 0), QColor(Qt::white));
  }
  FakePrinterPort port(threePrinters());
  port.setAbortAfterPages(2);
  ASSERT_TRUE(port.select(2));
  ASSERT_TRUE(port.begin(u"exactly two pages"_s));
  ASSERT_TRUE(port.newPage());
  EXPECT_TRUE(port.end());
  EXPECT_FALSE(port.aborted());
}

TEST(FakePrinterPort, Copies) {
  struct Case {
    int printer;
    QString port;
    bool keeps;
  };
  for (const Case& c : {Case{0, {}, true}, Case{1, {}, false}, Case{0, u"FILE:"_s, false}}) {
    FakePrinterPort port(threePrinters());
    ASSERT_TRUE(port.select(c.printer, c.port));
    EXPECT_EQ(port.driverKeepsCopies(), c.keeps) << c.printer;
  }
  FakePrinterPort port(threePrinters());
  port.setCopies(3);
  EXPECT_EQ(port.copies(), 3);
  port.setCopies(0);
  EXPECT_EQ(port.copies(), 1);
}

}  // namespace
}  // namespace report
