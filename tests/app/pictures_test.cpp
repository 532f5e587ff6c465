// The picture generator: every file is written, readable in its format (the
// backgrounds through the JPEG reader), of the size the window lays out, and
// drawn rather than flat.
#include <QtTest>

#include <QImageReader>
#include <QProcess>

#include <cmath>

#include "res/pictures.h"

using namespace Qt::Literals::StringLiterals;
namespace pictures = tab97::pictures;

class PicturesTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void files_data();
  void files();

 private:
  QTemporaryDir dir_;
};

namespace {
// Spread of the luminance over all pixels and the number of distinct colours.
void Variety(const QImage& image, double& spread, int& colours) {
  double sum = 0, sum2 = 0;
  QSet<QRgb> seen;
  const QImage img = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      const double l = qGray(c);
      sum += l;
      sum2 += l * l;
      seen.insert(c);
    }
  const double n = double(img.width()) * img.height();
  spread = std::sqrt(std::max(0.0, sum2 / n - (sum / n) * (sum / n)));
  colours = static_cast<int>(seen.size());
}
}  // namespace

void PicturesTest::initTestCase() {
  QVERIFY(dir_.isValid());
  QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
  QProcess gen;
  gen.start(QString::fromUtf8(TAB97_PICTUREGEN), {dir_.path()});
  QVERIFY(gen.waitForFinished(60000));
  QCOMPARE(gen.exitStatus(), QProcess::NormalExit);
  QCOMPARE(gen.exitCode(), 0);
}

void PicturesTest::files_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("format");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<int>("minColours");
  const QSize page(pictures::kBackgroundWidth, pictures::kBackgroundHeight);
  const QSize contact(pictures::kContactSize, pictures::kContactSize);
  const QSize flag(pictures::kFlagWidth, pictures::kFlagHeight);
  const auto name = [](const char* n) { return QString::fromLatin1(n); };
  QTest::newRow("calculator") << name(pictures::kCalculatorBackground) << QByteArray("jpeg") << page << 500;
  QTest::newRow("points") << name(pictures::kPointsBackground) << QByteArray("jpeg") << page << 500;
  QTest::newRow("functions") << name(pictures::kFunctionsBackground) << QByteArray("jpeg") << page << 500;
  QTest::newRow("ranges") << name(pictures::kRangesBackground) << QByteArray("jpeg") << page << 500;
  QTest::newRow("start") << name(pictures::kStartBackground) << QByteArray("jpeg") << page << 500;
  QTest::newRow("close") << name(pictures::kClose) << QByteArray("png") << QSize(20, 20) << 20;
  QTest::newRow("customer") << name(pictures::kContactCustomer) << QByteArray("png") << contact << 50;
  QTest::newRow("libraries") << name(pictures::kContactLibraries) << QByteArray("png") << contact << 50;
  QTest::newRow("program") << name(pictures::kContactProgram) << QByteArray("png") << contact << 50;
  QTest::newRow("flag cz") << name(pictures::kFlagCzech) << QByteArray("png") << flag << 20;
  QTest::newRow("flag en") << name(pictures::kFlagEnglish) << QByteArray("jpeg") << flag << 20;
}

void PicturesTest::files() {
  QFETCH(QString, name);
  QFETCH(QByteArray, format);
  QFETCH(QSize, size);
  QFETCH(int, minColours);
  QImageReader reader(QDir(dir_.path()).filePath(name));
  QCOMPARE(reader.format(), format);
  const QImage image = reader.read();
  QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
  QCOMPARE(image.size(), size);
  double spread = 0;
  int colours = 0;
  Variety(image, spread, colours);
  QVERIFY2(colours >= minColours, qPrintable(u"%1 colours"_s.arg(colours)));
  QVERIFY2(spread > 3.0, qPrintable(u"luminance spread %1"_s.arg(spread)));
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
