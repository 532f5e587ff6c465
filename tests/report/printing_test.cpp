// Printing a document through a fake printer: the page drawn 1:1 at its margins
// converted with the printer's resolution, the page range clamped, copies as
// passes when the driver keeps the count at 1, cancel and a failing spooler,
// text-only printers, and no printer at all.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "report/print/fakeprinterport.h"
#include "report/print/reportprinter.h"

namespace report {
namespace {

// A document of `pages` pages, each with a black box filling the printable area.
TSestVystup Boxes(int pages) {
  TSestVystup doc;
  doc.paper.width = 400;
  doc.paper.height = 300;
  doc.paper.marginLeft = 50;
  doc.paper.marginTop = 30;
  doc.paper.marginRight = doc.paper.marginBottom = 0;
  for (int p = 0; p < pages; ++p) {
    TVystPrvek box;
    box.look.kind = kElementRectangle;
    box.look.fillColor = 0;
    box.width = 350;
    box.height = 270;
    TVystPrvek text;
    text.look.kind = kElementText;
    text.text = QStringLiteral("strana %1").arg(p + 1);
    text.top = 280;
    doc.pages.append(TStranaPrvku{{box, text}});
  }
  return doc;
}

FakePrinterPort::Printer Device(int dpi, bool keepsCopies = true, bool textOnly = false) {
  FakePrinterPort::Printer p;
  p.name = QStringLiteral("tiskarna");
  p.dpi = dpi;
  p.paper = QSizeF(400, 300);
  p.unprintable = QMarginsF(25, 25, 25, 25);
  p.keepsCopies = keepsCopies;
  p.textOnly = textOnly;
  return p;
}

class Cancel : public ProgressHook {
 public:
  void update(int page) override { last = page; }
  bool cancelled() override { return last >= 2; }
  int last = 0;
};

TEST(PrintDocument, PageDrawnOneToOneAtTheMargins) {
  for (int dpi : {100, 300}) {
    FakePrinterPort printer({Device(dpi)});
    PrintJob job;
    job.adjustment = QPointF(10, 5);
    ASSERT_EQ(PrintDocument(Boxes(1), printer, job), kPrintOk);
    ASSERT_EQ(printer.pages().size(), 1);
    const QImage& page = printer.pages()[0];
    const double s = dpi / 100.0;
    // The box's corner at (50 + 10, 30 + 5) hundredths of an inch, its size kept.
    const auto dark = [&](double x, double y) { return qGray(page.pixel(int(x * s), int(y * s))) < 128; };
    EXPECT_FALSE(dark(58, 100)) << dpi;
    EXPECT_TRUE(dark(62, 100)) << dpi;
    EXPECT_FALSE(dark(100, 33)) << dpi;
    EXPECT_TRUE(dark(100, 37)) << dpi;
    EXPECT_TRUE(dark(60 + 348, 200)) << dpi;  // the far side of a full-width box: not shrunk
  }
}

TEST(PrintDocument, RangesCopiesAndFailures) {
  struct Case {
    const char* name;
    int pages, from, to, copies;
    bool keepsCopies;
    QStringList log;
    int result;
  } cases[] = {
      {"whole range, copies by the driver", 3, 0, 9999, 3, true,
       {"begin Tisk", "newPage", "newPage", "end"}, kPrintOk},
      {"copies as passes", 2, 1, 2, 3, false,
       {"begin Tisk", "newPage", "end", "begin Tisk", "newPage", "end", "begin Tisk", "newPage", "end"}, kPrintOk},
      {"copies 0 print one", 1, 1, 1, 0, false, {"begin Tisk", "end"}, kPrintOk},
      {"range beyond the end", 3, 3, 9, 1, true, {"begin Tisk", "end"}, kPrintOk},
      {"empty document prints nothing", 0, 1, 9999, 1, true, {}, kPrintOk},
  };
  for (const Case& c : cases) {
    FakePrinterPort printer({Device(100, c.keepsCopies)});
    PrintJob job;
    job.from = c.from;
    job.to = c.to;
    job.copies = c.copies;
    job.title = QStringLiteral("Tisk");
    EXPECT_EQ(PrintDocument(Boxes(c.pages), printer, job), c.result) << c.name;
    EXPECT_EQ(printer.log(), c.log) << c.name;
  }
}

TEST(PrintDocument, CancelAbortAndNoPrinter) {
  {
    FakePrinterPort printer({Device(100)});
    Cancel cancel;
    EXPECT_EQ(PrintDocument(Boxes(5), printer, {}, &cancel), kPrintCancelled);
    EXPECT_EQ(printer.log().last(), QStringLiteral("abort"));
  }
  {
    FakePrinterPort printer({Device(100)});
    printer.setAbortAfterPages(1);
    EXPECT_EQ(PrintDocument(Boxes(3), printer, {}), kPrintCancelled);
  }
  {
    FakePrinterPort printer({Device(100)});
    printer.setBeginError(QStringLiteral("fronta stojí"));
    QString error;
    EXPECT_EQ(PrintDocument(Boxes(1), printer, {}, nullptr, {}, &error), kPrintFailed);
    EXPECT_EQ(error, QStringLiteral("fronta stojí"));
  }
  {
    FakePrinterPort none;
    QString error;
    EXPECT_EQ(PrintDocument(Boxes(1), none, {}, nullptr, {}, &error), kPrintFailed);
    EXPECT_EQ(error, NoPrinterMessage());
  }
}

TEST(PrintDocument, TextOnlyPrinterGetsTheGridAsText) {
  FakePrinterPort printer({Device(100, true, true)});
  PrintJob job;
  job.copies = 2;
  TSestVystup doc = Boxes(1);
  doc.paper.height = 50;  // three lines of 1/6 inch
  doc.pages[0].elements[1].top = 0;
  doc.pages[0].elements[1].text = QStringLiteral("č");
  ASSERT_EQ(PrintDocument(doc, printer, job), kPrintOk);
  ASSERT_EQ(printer.texts().size(), 1);
  // Twelve characters per inch (the raster's default pitch): the left margin of
  // 0.5 in is six columns, the top margin of 0.3 in falls on the second line;
  // code page 852 for the text printer: 'č' is 0x9F.
  const QByteArray page = "\r\n      \x9F\r\n\r\n";
  EXPECT_EQ(printer.texts()[0], page + page);
}

}  // namespace
}  // namespace report

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
