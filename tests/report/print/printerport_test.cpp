// The port's rules (printer fallback, landscape edges, file port, text-only
// drivers) and QtPrinterPort where no printer is installed and with the file
// port; real printers: cups_test.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "report/print/qtprinterport.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

TEST(PrinterPortRules, FallbackIndex) {
  struct Case {
    int index, count, defaultIndex, expected;
  };
  const Case cases[] = {
      {1, 3, 2, 1},     // valid index
      {0, 3, 2, 0},     // first printer is a valid index too
      {-1, 3, 2, 2},    // below 0: the default
      {3, 3, 2, 2},     // past the end: the default
      {99, 3, 0, 0},
      {-5, 3, -1, 0},   // no default marked: the first
      {5, 3, 7, 0},     // default out of range: the first
      {0, 0, -1, -1},   // nothing installed
      {-1, 0, 0, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrinterPort::fallbackIndex(c.index, c.count, c.defaultIndex), c.expected)
        << c.index << ' ' << c.count << ' ' << c.defaultIndex;
}

TEST(PrinterPortRules, LandscapeTurnsTheEdgesCounterClockwise) {
  const QMarginsF portrait(10, 20, 30, 40);  // left, top, right, bottom
  const QMarginsF landscape = PrinterPort::landscapeFromPortrait(portrait);
  EXPECT_EQ(landscape, QMarginsF(40, 10, 20, 30));
  // Turned twice: upside down.
  EXPECT_EQ(PrinterPort::landscapeFromPortrait(landscape), QMarginsF(30, 40, 10, 20));
}

TEST(PrinterPortRules, FilePort) {
  for (const QString& port : {u"FILE:"_s, u"file:"_s, u"File:"_s})
    EXPECT_TRUE(PrinterPort::isFilePort(port)) << port.toStdString();
  for (const QString& port : {u""_s, u"FILE"_s, u"LPT1:"_s, u"FILE:x"_s})
    EXPECT_FALSE(PrinterPort::isFilePort(port)) << port.toStdString();
}

TEST(PrinterPortRules, TextOnlyDrivers) {
  struct Case {
    const char16_t* makeAndModel;
    bool textOnly;
  };
  const Case cases[] = {
      {u"Generic / Text Only", true},
      {u"Obecná nebo jen textová", true},
      {u"OBECNÁ NEBO JEN TEXTOVÁ", true},
      {u"Generic Text-Only Printer", true},
      {u"generic text-only printer", true},
      {u"  Generic Text-Only Printer  ", true},
      {u"Generic Text-Only Printer Foomatic/textonly", true},
      {u"Generic Text-Only Printer, 1.0", true},
      {u"Local Raw Printer", true},
      {u"Raw Queue", true},
      {u"", true},  // no driver at all: a raw queue
      {u"   ", true},
      {u"Generic Text-Only Printers", false},
      {u"Generic PostScript Printer", false},
      {u"Generic/Text Only", false},
      {u"HP LaserJet 4 Plus Postscript", false},
      {u"Local Raw Printer2", false},
      {u"Report Test PDF Printer", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(QtPrinterPort::isTextOnlyDriver(U(c.makeAndModel)), c.textOnly) << S(c.makeAndModel);
}

TEST(QtPrinterPortWithoutPrinters, IsAnOrdinaryState) {
  QtPrinterPort port;
  EXPECT_TRUE(port.printerNames().isEmpty());
  EXPECT_EQ(port.defaultPrinter(), -1);
  for (const int index : {-1, 0, 1}) {
    EXPECT_FALSE(port.select(index)) << index;
    EXPECT_FALSE(port.lastError().isEmpty());
  }
  EXPECT_EQ(port.selectedPrinter(), -1);
  EXPECT_EQ(port.resolution(), 0);
  EXPECT_TRUE(port.paperSizeHundredths().isEmpty());
  EXPECT_TRUE(port.driverName().isEmpty());
  EXPECT_FALSE(port.isTextOnly());
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.newPage());
  EXPECT_FALSE(port.end());
  EXPECT_FALSE(port.printText("x\r\n", u"x"_s));
  EXPECT_TRUE(port.refresh());
  EXPECT_EQ(port.defaultPrinter(), -1);
}

class QtPrinterPortFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(port.select(-1, u"file:"_s));  // works with no printer installed
  }
  QByteArray written() const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(u"out.pdf"_s);
  QtPrinterPort port;
};

TEST_F(QtPrinterPortFile, Metrics) {
  EXPECT_EQ(port.selectedPrinter(), -1);
  EXPECT_EQ(port.driverName(), u"PDF"_s);
  EXPECT_FALSE(port.isTextOnly());
  EXPECT_FALSE(port.driverKeepsCopies());
  EXPECT_EQ(port.resolution(), 1200);
  EXPECT_EQ(port.unprintableHundredths(), QMarginsF());
  struct Case {
    QSizeF paperSet;  // portrait
    int orientation;
    QSizeF paper;     // as oriented
  };
  const Case cases[] = {
      {{850, 1100}, 0, {850, 1100}},                         // Letter
      {{850, 1100}, 1, {1100, 850}},
      {{826, 1169}, 0, {59500 / 72.0, 84200 / 72.0}},        // A4: 595 x 842 points
      {{500, 700}, 1, {700, 500}},                           // no standard size
      {{}, 0, {}},                                           // back to the device's paper
  };
  port.setOrientation(0);
  const QSizeF devicePaper = port.paperSizeHundredths();
  ASSERT_FALSE(devicePaper.isEmpty());
  for (const Case& c : cases) {
    port.setPaperSizeHundredths(c.paperSet);
    port.setOrientation(c.orientation);
    const QSizeF expected = c.paperSet.isEmpty() ? devicePaper : c.paper;
    EXPECT_NEAR(port.paperSizeHundredths().width(), expected.width(), 0.01) << c.paperSet.width();
    EXPECT_NEAR(port.paperSizeHundredths().height(), expected.height(), 0.01) << c.paperSet.width();
  }
}

TEST_F(QtPrinterPortFile, JobNeedsTheFileName) {
  EXPECT_FALSE(port.begin(u"x"_s));
  EXPECT_FALSE(port.lastError().isEmpty());
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.printText("x", u"x"_s));
}

TEST_F(QtPrinterPortFile, PagesGoIntoThePdfFile) {
  port.setOutputFile(path);
  ASSERT_TRUE(port.begin(u"Sestava"_s)) << port.lastError().toStdString();
  ASSERT_NE(port.painter(), nullptr);
  port.painter()->drawText(QPointF(1200, 1200), u"Tlak"_s);
  EXPECT_FALSE(port.begin(u"again"_s));  // one job at a time
  EXPECT_FALSE(port.select(0, u"FILE:"_s));
  EXPECT_FALSE(port.printText("x", u"x"_s));
  ASSERT_TRUE(port.newPage());
  ASSERT_TRUE(port.end()) << port.lastError().toStdString();
  EXPECT_EQ(port.painter(), nullptr);
  EXPECT_FALSE(port.aborted());
  EXPECT_TRUE(written().startsWith("%PDF-"));
  EXPECT_FALSE(port.end());
}

TEST_F(QtPrinterPortFile, AbortDropsTheFile) {
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
  EXPECT_EQ(written(), text);
}

}  // namespace
}  // namespace report
