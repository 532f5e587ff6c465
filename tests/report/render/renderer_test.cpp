// The page renderer by pixels of pages at 100 dpi (a pixel a hundredth of an inch), and the
// showcase report through every export. The main of the metafile and text output tests too.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "report/layout/qttextmeasurer.h"
#include "report/render/pagerenderer.h"
#include "report/render/metafileexport.h"
#include "report/render/pdfexport.h"
#include "metafilereader.h"
#include "showcase.h"

namespace report {
namespace {

bool Dark(QRgb c) { return qGray(c) < 100; }

TVystPrvek Placed(int kind, int left, int top, int width, int height) {
  TVystPrvek e;
  e.look.kind = kind;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  return e;
}

TSestVystup OnePage(std::initializer_list<TVystPrvek> elements) {
  TSestVystup doc;
  doc.paper.width = 400;
  doc.paper.height = 300;
  doc.paper.marginLeft = 20;
  doc.paper.marginTop = 10;
  doc.pages.append(TStranaPrvku{});
  for (const TVystPrvek& e : elements) doc.pages[0].elements.append(e);
  return doc;
}

TEST(PageRenderer, ShapesAtTheirPlaces) {
  TVystPrvek line = Placed(kElementLine, 10, 50, 200, 0);
  line.look.penWidth = 3;
  TVystPrvek box = Placed(kElementRectangle, 10, 100, 100, 60);
  box.look.fillColor = 9;  // red
  TVystPrvek clear = Placed(kElementEllipse, 200, 100, 100, 60);
  clear.look.fillStyle = 1;
  clear.look.penWidth = 2;
  const QImage page = PageRenderer().pageImage(OnePage({line, box, clear}), 0, 100);
  ASSERT_EQ(page.size(), QSize(400, 300));
  // Colours: 'k' dark (a line), 'w' white, 'r' red.
  const auto colour = [](QRgb c) {
    if (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60) return 'r';
    return Dark(c) ? 'k' : qGray(c) > 240 ? 'w' : '?';
  };
  struct Probe {
    const char* what;
    int x, y;  // on the paper: the printable area starts at (20, 10)
    char expected;
  } probes[] = {
      {"on the rule", 20 + 100, 10 + 50, 'k'},
      {"above the rule", 20 + 100, 10 + 45, 'w'},
      {"margin left of the rule", 15, 10 + 50, 'w'},
      {"inside the red box", 20 + 60, 10 + 130, 'r'},
      {"box outline", 20 + 10, 10 + 130, 'k'},
      {"inside the clear ellipse", 20 + 250, 10 + 130, 'w'},
      {"ellipse outline at its top", 20 + 250, 10 + 100, 'k'},
  };
  for (const Probe& p : probes) EXPECT_EQ(colour(page.pixel(p.x, p.y)), p.expected) << p.what;
}

TEST(PageRenderer, BarcodeModulesWhereThePatternPutsThem) {
  TVystPrvek code = Placed(kElementBarcode, 0, 0, 300, 50);
  code.barcode = std::make_shared<barcode::BarcodePattern>(barcode::EncodeBarcode(14, "400638133393", false));
  code.moduleWidth = 2;
  code.look.fillColor = 15;
  const QImage page = PageRenderer().pageImage(OnePage({code}), 0, 100);
  const std::string modules = barcode::PatternToModules(*code.barcode, 2.0);
  ASSERT_EQ(modules.size(), 95u);  // EAN-13
  for (std::size_t m = 0; m < modules.size(); ++m) {
    const int x = 20 + static_cast<int>(m) * 2 + 1;  // the middle of module m
    EXPECT_EQ(Dark(page.pixel(x, 10 + 25)), modules[m] == '1') << "module " << m;
  }
  // Rotated a quarter turn about its top-left corner: the bars run across.
  code.look.extra = {0, 90, 0};
  code.top = 150;
  const QImage turned = PageRenderer().pageImage(OnePage({code}), 0, 100);
  for (std::size_t m = 0; m < 10; ++m)
    EXPECT_EQ(Dark(turned.pixel(20 + 25, 10 + 150 - static_cast<int>(m) * 2 - 1)), modules[m] == '1') << m;
}

// The showcase's two pages, also left in render_pages/ to look at: as images drawn in the
// printable area only, as metafiles whole with a text record for each text, as a PDF (read
// with poppler where installed) of A4 pages with the texts and embedded fonts.
TEST(Showcase, PagesPdfAndMetafiles) {
  const QString dir = QDir::current().absoluteFilePath(QStringLiteral("render_pages"));
  QDir().mkpath(dir);
  const QString picture = dir + QStringLiteral("/obrazek.png");
  ASSERT_TRUE(ShowcasePicture().save(picture));
  ReportDefinition r;
  BuildShowcase(r, picture);
  TableData data = ShowcaseData(70);
  QtTextMeasurer measurer;
  TSestVystup doc;
  ASSERT_EQ(ReportGenerator(measurer).Generate(r, data, {}, doc), 0);
  ASSERT_EQ(doc.pageCount(), 2);

  for (int p = 0; p < doc.pageCount(); ++p) {
    const QImage image = PageRenderer().pageImage(doc, p, 96);
    EXPECT_TRUE(image.save(dir + QStringLiteral("/showcase-%1.png").arg(p + 1)));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) dark += Dark(image.pixel(x, y));
      EXPECT_FALSE(Dark(image.pixel(20, y))) << "page " << p + 1 << " y " << y;
    }
    EXPECT_GT(dark, 1000) << "page " << p + 1;
  }

  QString error;
  for (const auto format : {MetafileDevice::Format::Enhanced, MetafileDevice::Format::Placeable}) {
    const bool emf = format == MetafileDevice::Format::Enhanced;
    ASSERT_TRUE(ExportMetafiles(doc, dir + QStringLiteral("/showcase.xyz"), format, &error)) << error.toStdString();
    for (int page = 1; page <= doc.pageCount(); ++page) {
      const QString name = MetafilePageName(dir + QStringLiteral("/showcase.xyz"), page, format);
      EXPECT_TRUE(name.endsWith(QStringLiteral("/showcase%1.%2").arg(page).arg(emf ? u"emf" : u"wmf")));
      QFile file(name);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
      const QByteArray bytes = file.readAll();
      const metafiletest::Walk walk = metafiletest::WalkMetafile(bytes, emf);
      EXPECT_TRUE(walk.error.empty()) << walk.error;
      int texts = 0;
      for (const metafiletest::Record& rec : walk.records) texts += rec.type == (emf ? 84u : 0x0A32u);
      int drawn = 0;  // texts, lines of laid-out texts, and barcode labels of the page
      for (const TVystPrvek& e : doc.pages[page - 1].elements)
        drawn += e.lines.isEmpty() ? (IsTextKind(e.look.kind) && !e.text.isEmpty()) || (e.look.frame & kBarcodeShowText && e.barcode) : 0;
      EXPECT_GE(texts, drawn) << "page " << page;
    }
  }

  const QString pdf = dir + QStringLiteral("/showcase.pdf");
  ASSERT_TRUE(ExportPdf(doc, pdf, QStringLiteral("Ukázka"), &error)) << error.toStdString();
  const auto run = [](const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "no pdfinfo";
  const QString info = run(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts"))) << info.toStdString();  // A4, to the point
  // Compared without blanks: poppler guesses word gaps from the glyph positions.
  const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).remove(u' ');
  for (const char16_t* expected : {u"Ukázkavšechprvkůsestavy", u"Teplota°C", u"172.50", u"Strana1", u"z2", u"Strana2",
                                   u"Otočenýtext"})
    EXPECT_TRUE(text.contains(QString::fromUtf16(expected))) << QString::fromUtf16(expected).toStdString();
  const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
  EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
  EXPECT_FALSE(fonts.contains(QRegularExpression(QStringLiteral("\\bno\\s+(yes|no)\\s+(yes|no)\\s+\\d")))) << fonts.toStdString();
  run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                                   QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, dir + QStringLiteral("/showcase-pdf")});
}

}  // namespace
}  // namespace report

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
