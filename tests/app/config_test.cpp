// The configuration file: six lines of decimal places, the reading rules (stop
// at the first missing or malformed line, keep what was read) and writing with
// CR LF lines.
#include <QtTest>

#include <sys/stat.h>

#include <memory>

#include "app/config.h"
#include "app/filelocations.h"

using namespace Qt::Literals::StringLiterals;
using tab97::ConfigStatus;
using tab97::DecimalPlacesArray;
using tab97::DefaultDecimalPlaces;
using tab97::ReadConfig;
using tab97::WriteConfig;

Q_DECLARE_METATYPE(DecimalPlacesArray)

class ConfigTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
  }
  void read_data();
  void read();
  void unusualFiles_data();
  void unusualFiles();
  void fileLocations();
  void write_data();
  void write();
  void writeFailureIsReported();

 private:
  QString Write(const QByteArray& content) {
    const QString path = dir_->filePath(u"Tab97.cfg"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(content);
    return path;
  }
  std::unique_ptr<QTemporaryDir> dir_;  // a fresh directory for every test
};

void ConfigTest::read_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<bool>("complete");
  QTest::addColumn<DecimalPlacesArray>("expected");
  const DecimalPlacesArray read = {0, 1, 5, 7, 2, 0, 8};
  QTest::newRow("six lines, CR LF") << QByteArray("1\r\n5\r\n7\r\n2\r\n0\r\n8\r\n") << true << read;
  QTest::newRow("no break after the last") << QByteArray("1\r\n5\r\n7\r\n2\r\n0\r\n8") << true << read;
  QTest::newRow("LF lines") << QByteArray("1\n5\n7\n2\n0\n8\n") << true << read;
  QTest::newRow("CR lines") << QByteArray("1\r5\r7\r2\r0\r8\r") << true << read;
  QTest::newRow("blanks around the numbers") << QByteArray(" 1\r\n5 \r\n\t7\r\n2\r\n+0\r\n8\r\n") << true << read;
  QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "1\r\n5\r\n7\r\n2\r\n0\r\n8\r\n") << true << read;
  QTest::newRow("lines after the sixth are ignored")
      << QByteArray("1\r\n5\r\n7\r\n2\r\n0\r\n8\r\nrubbish\r\n99\r\n") << true << read;
  QTest::newRow("no range check")
      << QByteArray("12\r\n-1\r\n0\r\n100\r\n3\r\n4\r\n") << true << DecimalPlacesArray{0, 12, -1, 0, 100, 3, 4};
  QTest::newRow("empty file") << QByteArray() << false << DefaultDecimalPlaces();
  QTest::newRow("short: three lines")
      << QByteArray("1\r\n5\r\n7\r\n") << false << DecimalPlacesArray{0, 1, 5, 7, 4, 3, 4};
  QTest::newRow("third line not numeric")
      << QByteArray("1\r\n5\r\nabc\r\n2\r\n0\r\n8\r\n") << false << DecimalPlacesArray{0, 1, 5, 6, 4, 3, 4};
  QTest::newRow("empty second line")
      << QByteArray("1\r\n\r\n7\r\n2\r\n0\r\n8\r\n") << false << DecimalPlacesArray{0, 1, 3, 6, 4, 3, 4};
  QTest::newRow("decimal point") << QByteArray("1.5\r\n") << false << DefaultDecimalPlaces();
  QTest::newRow("trailing letter") << QByteArray("7\r\n5x\r\n") << false << DecimalPlacesArray{0, 7, 3, 6, 4, 3, 4};
  QTest::newRow("two numbers on a line") << QByteArray("1 2\r\n") << false << DefaultDecimalPlaces();
  QTest::newRow("lone sign") << QByteArray("-\r\n") << false << DefaultDecimalPlaces();
  QTest::newRow("beyond the int range") << QByteArray("99999999999\r\n") << false << DefaultDecimalPlaces();
  QTest::newRow("binary") << QByteArray("\x01\x02\x00\x7f", 4) << false << DefaultDecimalPlaces();
}

void ConfigTest::read() {
  QFETCH(QByteArray, content);
  QFETCH(bool, complete);
  QFETCH(DecimalPlacesArray, expected);
  const QString path = Write(content);
  QVERIFY(!path.isEmpty());
  DecimalPlacesArray places = DefaultDecimalPlaces();
  QCOMPARE(ReadConfig(path, places), complete ? ConfigStatus::kRead : ConfigStatus::kMalformed);
  for (int q = 1; q <= 6; ++q) QCOMPARE(places[q], expected[q]);
}

void ConfigTest::unusualFiles_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<int>("status");
  QTest::addColumn<bool>("mayRewrite");
  QTest::newRow("missing") << u"none"_s << int(ConfigStatus::kMissing) << true;
  QTest::newRow("directory") << u"dir"_s << int(ConfigStatus::kUnreadable) << false;
  QTest::newRow("FIFO: refused without waiting") << u"fifo"_s << int(ConfigStatus::kUnreadable) << false;
  QTest::newRow("4 MB: no configuration") << u"huge"_s << int(ConfigStatus::kUnreadable) << false;
  QTest::newRow("100 kB line: malformed") << u"long"_s << int(ConfigStatus::kMalformed) << true;
  QTest::newRow("link to another file") << u"link-other"_s << int(ConfigStatus::kUnreadable) << false;
  QTest::newRow("link to a configuration") << u"link-good"_s << int(ConfigStatus::kRead) << true;
}

void ConfigTest::unusualFiles() {
  QFETCH(QString, kind);
  const QString path = dir_->filePath(u"Tab97.cfg"_s);
  const QString other = dir_->filePath(u"other"_s);
  if (kind == u"dir") QVERIFY(QDir(dir_->path()).mkdir(u"Tab97.cfg"_s));
  if (kind == u"fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
  if (kind == u"huge") Write(QByteArray(4 * 1024 * 1024, '7') + "\r\n5\r\n");
  if (kind == u"long") Write(QByteArray(100 * 1024, '7') + "\r\n5\r\n");
  if (kind.startsWith(u"link")) {
    QFile f(other);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kind == u"link-good" ? "1\n2\n3\n4\n5\n6\n" : "not ours\n");
    f.close();
    QVERIFY(QFile::link(other, path));
  }
  DecimalPlacesArray places = DefaultDecimalPlaces();
  const ConfigStatus status = ReadConfig(kind == u"none" ? dir_->filePath(u"none.cfg"_s) : path, places);
  QTEST(int(status), "status");
  QTEST(tab97::MayRewriteConfig(status), "mayRewrite");
  if (status != ConfigStatus::kRead) QVERIFY(places == DefaultDecimalPlaces());
}

void ConfigTest::write_data() {
  QTest::addColumn<QByteArray>("before");  // null: no file yet
  QTest::addColumn<DecimalPlacesArray>("places");
  QTest::addColumn<QByteArray>("written");
  QTest::newRow("defaults, CR LF lines") << QByteArray() << DefaultDecimalPlaces()
                                         << QByteArray("2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
  QTest::newRow("replaces a longer file")
      << QByteArray("rubbish that is longer than six short lines\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n")
      << DecimalPlacesArray{0, 0, 8, 1, 12, 5, 7} << QByteArray("0\r\n8\r\n1\r\n12\r\n5\r\n7\r\n");
}

void ConfigTest::write() {
  QFETCH(QByteArray, before);
  QFETCH(DecimalPlacesArray, places);
  QFETCH(QByteArray, written);
  const QString path = before.isNull() ? dir_->filePath(u"Tab97.cfg"_s) : Write(before);
  QVERIFY(WriteConfig(path, places));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), written);
  DecimalPlacesArray read = DefaultDecimalPlaces();
  QCOMPARE(ReadConfig(path, read), ConfigStatus::kRead);  // and reads back
  QVERIFY(read == places);
}

void ConfigTest::writeFailureIsReported() {
  QVERIFY(!WriteConfig(dir_->filePath(u"no/such/dir/Tab97.cfg"_s), DefaultDecimalPlaces()));
}

// A build folder keeps everything beside the program; an installed copy reads its
// files from share/tab97 and keeps its configuration in the user's folder.
void ConfigTest::fileLocations() {
  QDir root(dir_->path());
  QVERIFY(root.mkpath(u"build"_s) && root.mkpath(u"usr/bin"_s) && root.mkpath(u"usr/share/tab97"_s) &&
          root.mkpath(u"bare"_s));
  QFile chart(root.filePath(u"build/DiagrTS.bmp"_s));
  QVERIFY(chart.open(QIODevice::WriteOnly));
  chart.close();
  const QString user = root.filePath(u"home/.config/tab97"_s);
  QCOMPARE(tab97::ResourceDirFor(root.filePath(u"build"_s)), root.filePath(u"build/"_s));
  QCOMPARE(tab97::ResourceDirFor(root.filePath(u"usr/bin/"_s)), root.filePath(u"usr/share/tab97/"_s));
  QCOMPARE(tab97::ResourceDirFor(root.filePath(u"bare"_s)), root.filePath(u"bare/"_s));
  QCOMPARE(tab97::ConfigDirFor(root.filePath(u"build"_s), user), root.filePath(u"build/"_s));
  QCOMPARE(tab97::ConfigDirFor(root.filePath(u"bare"_s), user), root.filePath(u"bare/"_s));
  // An installed copy keeps its configuration in the user's folder even when its
  // program folder could be written (an administrator's run).
  QCOMPARE(tab97::ConfigDirFor(root.filePath(u"usr/bin"_s), user), user + u'/');
  QVERIFY(QFile::setPermissions(root.filePath(u"usr/bin"_s), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                                 QFile::ExeOther));
  QCOMPARE(tab97::ConfigDirFor(root.filePath(u"usr/bin"_s), user), user + u'/');
  QCOMPARE(tab97::ConfigDirFor(root.filePath(u"missing"_s), user), user + u'/');
  QFile::setPermissions(root.filePath(u"usr/bin"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_APPLESS_MAIN(ConfigTest)
#include "config_test.moc"
