// The window logic without widgets: numbers, the configuration file and its place, the
// solver request, the region name's roll, printout rows and the diagram's arithmetic.
#include <QtTest>

#include <sys/stat.h>

#include <cmath>

#include "app/calculatorlogic.h"
#include "app/config.h"
#include "app/diagramlogic.h"
#include "app/filelocations.h"
#include "app/functionlogic.h"
#include "app/numberformat.h"
#include "app/printlogic.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace tab97;
using namespace tab97::diagram;
using namespace testsupport;

namespace {

QuantityOrderArray Order(const QString& text) {
  QuantityOrderArray order{};
  const QList<int> q = Ints(text);
  for (int i = 1; i <= 6; ++i) order[i] = q.value(i - 1);
  return order;
}

QList<int> Tail(const auto& array) { return QList<int>(array.begin() + 1, array.end()); }

}  // namespace

class LogicTest : public QObject {
  Q_OBJECT
 private slots:
  void format_data() { AddRows("logic.txt", "format", {"value", "decimals", "separator", "kind", "text"}); }
  void format() {
    const auto format = F("kind") == u"R" ? &FormatResult : &FormatFixed;
    QCOMPARE(format(F("value").toDouble(), F("decimals").toInt(), F("separator")[0]), F("text"));
  }

  // Every text with either separator; a failure leaves the value.
  void parse_data() { AddRows("logic.txt", "parse", {"text", "read", "value"}); }
  void parse() {
    for (const QChar separator : {u',', u'.'}) {
      double parsed = -12345.0;
      QCOMPARE(ParseUserNumber(F("text"), separator, parsed), F("read") == u"1"_s);
      QCOMPARE(parsed, F("read") == u"1"_s ? F("value").toDouble() : -12345.0);
    }
  }

  // A file is read whole or not at all; "@…" stands for no file, a directory, a FIFO (refused without waiting
  // on it), 4 MB, a line of 100 kB, or a link (followed only to a configuration).
  void readConfig_data() { AddRows("logic.txt", "config", {"content", "status", "places"}); }
  void readConfig() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tab97.cfg"_s), other = dir.filePath(u"other"_s), content = F("content");
    if (content == u"@directory") QVERIFY(QDir(dir.path()).mkdir(u"Tab97.cfg"_s));
    if (content == u"@fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    if (content == u"@4 MB") WriteFile(path, QByteArray(4 << 20, '7') + "\r\n5\r\n");
    if (content == u"@100 kB line") WriteFile(path, QByteArray(100 << 10, '7') + "\r\n5\r\n");
    if (content.startsWith(u"@link ")) {
      WriteFile(other, content.mid(6).toLatin1());
      QVERIFY(QFile::link(other, path));
    }
    if (!content.startsWith(u'@')) WriteFile(path, content.toLatin1());
    DecimalPlacesArray read = DefaultDecimalPlaces();
    QCOMPARE(int(ReadConfig(path, read)), F("status").toInt());
    QCOMPARE(Tail(read), Ints(F("places")));
  }

  void writeConfig() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tab97.cfg"_s);
    WriteFile(path, "rubbish that is longer than six short lines\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
    const DecimalPlacesArray places{0, 0, 8, 1, 12, 5, 7};
    QVERIFY(WriteConfig(path, places));
    QCOMPARE(ReadFile(path), QByteArray("0\r\n8\r\n1\r\n12\r\n5\r\n7\r\n"));
    QVERIFY(!WriteConfig(dir.filePath(u"no/such/dir/Tab97.cfg"_s), places));
  }

  // A build folder keeps all beside the program; an installed copy reads share/tab97, configures in the user's folder.
  void fileLocations() {
    QTemporaryDir dir;
    const auto at = [&dir](const char* path) { return dir.filePath(QLatin1String(path)); };
    QVERIFY(QDir().mkpath(at("build")) && QDir().mkpath(at("usr/bin")) && QDir().mkpath(at("usr/share/tab97")) &&
            QDir().mkpath(at("bare")));
    WriteFile(at("build/DiagrTS.bmp"), {});
    const QString user = at("home/.config/tab97");
    QCOMPARE(ResourceDirFor(at("build")), at("build/"));
    QCOMPARE(ResourceDirFor(at("usr/bin/")), at("usr/share/tab97/"));
    QCOMPARE(ResourceDirFor(at("bare")), at("bare/"));
    QCOMPARE(ConfigDirFor(at("build"), user), at("build/"));
    QCOMPARE(ConfigDirFor(at("bare"), user), at("bare/"));
    QCOMPARE(ConfigDirFor(at("usr/bin"), user), user + u'/');
    QCOMPARE(ConfigDirFor(at("missing"), user), user + u'/');
    // Without write bits the own folder is not used, not even by an administrator.
    QVERIFY(QFile::setPermissions(at("bare"), QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(ConfigDirFor(at("bare"), user), user + u'/');
    QFile::setPermissions(at("bare"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  void request_data() { AddRows("logic.txt", "request", {"order", "code", "value1", "value2", "needs"}); }
  void request() {
    for (const bool metastable : {false, true}) {
      const SolveRequest r = MakeSolveRequest(Order(F("order")), 1.5, 2.5, metastable);
      QCOMPARE(QString::asprintf("%d %g %g %d%d%d%d", r.pairCode, r.value1, r.value2, r.needP, r.needV, r.needS,
                                 r.needI),
               u"%1 %2 %3 %4"_s.arg(F("code"), F("value1"), F("value2"), F("needs")));
      QCOMPARE(r.preferMetastable, metastable);
    }
  }

  void rotation_data() { AddRows("logic.txt", "rotation", {"before", "row", "after"}); }
  void rotation() {
    QuantityOrderArray order = Order(F("before"));
    RotatePair(order, F("row").toInt());
    QCOMPARE(Tail(order), Ints(F("after")));
  }

  void roll_data() {
    AddRows("logic.txt", "roll", {"firstRegion", "firstTicks", "region", "language", "heights", "names"});
  }
  void roll() {
    RegionRoll roll;
    const int firstTicks = F("firstTicks").toInt(), region = F("region").toInt();
    for (int i = 0; i < (firstTicks < 0 ? 100 : firstTicks); ++i)
      if (roll.Step(F("firstRegion").toInt(), 0).stopTimer) break;
    QList<int> heights;
    int names = 0;
    for (int i = 0; i < 100; ++i) {
      const RegionRoll::Tick t = roll.Step(region, F("language").toInt());
      if (t.setText) {
        ++names;
        QCOMPARE(roll.Height(), 3);  // the name is set on the tick that leaves 0
        QVERIFY(heights.isEmpty() ? firstTicks == 0 : heights.last() == 0);
      }
      heights << roll.Height();
      if (t.stopTimer) break;
    }
    QCOMPARE(heights, Ints(F("heights")));
    QCOMPARE(names, F("names").toInt());
    QCOMPARE(roll.Shown(), region != 0);
  }

  void noValue_data() { AddRows("logic.txt", "noValue", {"method", "region", "named"}); }
  void noValue() {
    QCOMPARE(RegionInsteadOfResult(if97::FunctionMethod(F("method").toInt()), F("region").toInt()), F("named").toInt());
  }

  void printParameters_data() { AddRows("logic.txt", "printParameters", {"language", "order", "parameters"}); }
  void printParameters() {
    MainState state;
    state.QuantityOrder = Order(F("order"));
    state.LanguageIndex = F("language").toInt();
    QCOMPARE(PrintParameters(state).join(u';'), F("parameters"));
  }

  // The calculator prints one row; the points page its solved points in order, or one empty row.
  void printRows_data() { AddRows("logic.txt", "printRows", {"page", "solved", "rows"}); }
  void printRows() {
    MainState state;
    state.DecimalSeparator = u',';
    state.StateValues[1] = 1.5;
    for (int k = 0; k < kPointCount; ++k) state.PointTable[k].Values[1] = 10.0 * (k + 1);
    for (int k : Ints(F("solved"))) state.PointTable[k].Validity = 1.0;
    PrintRows rows(state, F("page") == u"points"_s);
    QStringList got;
    QCOMPARE(rows.Step(0), 1);
    for (int guard = 0; guard < 20; ++guard) {
      got << rows.RowValues().value(0);  // the column Vel1 of each row
      QCOMPARE(rows.RowValues().size(), 6);
      if (rows.Step(2) != 0) break;
    }
    QCOMPARE(got.join(u' '), F("rows"));
    QCOMPARE(rows.Step(1), got.size() > 1 ? 0 : 1);
    QCOMPARE(rows.Step(3), 2);
    QCOMPARE(rows.ReportRow(), F("page") == u"points"_s ? int(Ints(F("solved")).size()) : 1);
  }

  void roundHalfEven_data() { AddRows("logic.txt", "round", {"x", "n"}); }
  void roundHalfEven() { QCOMPARE(RoundHalfEven(F("x").toDouble()), F("n").toInt()); }

  void markerCorner_data() {
    AddRows("logic.txt", "marker", {"T", "S", "left", "top", "width", "height", "markerLeft", "markerTop"});
  }
  void markerCorner() {
    const Rect chart{F("left").toInt(), F("top").toInt(), F("width").toInt(), F("height").toInt()};
    QCOMPARE(MarkerLeft(F("S").toDouble(), chart), F("markerLeft").toInt());
    QCOMPARE(MarkerTop(F("T").toDouble(), chart), F("markerTop").toInt());
  }

  // Outside points mode the state is marked; in it the points of validity 1.0 with a finite T and S.
  void placeMarkers() {
    MarkerSource source;
    source.StateValues = {0, 100, 0.1, 1.69, 7.36, 2676, 1};
    source.Points[1] = {1.0, {0, 300, 10, 0.0014, 3.25, 1343, 0}};
    source.Points[4] = {1.0, {0, 200, 1, 0.2, 6.7, 2830, 1}};
    source.Points[6] = {0.999999, {0, 200, 1, 0.2, 6.7, 2830, 1}};
    source.Points[8] = {1.0, {0, std::nan(""), 1, 0.2, 6.7, 2830, 1}};
    const Rect chart{0, 0, 1000, 1700};
    for (const bool points : {false, true}) {
      source.PointsMode = points;
      const MarkerSpots spots = PlaceMarkers(source, chart);
      for (int k = 0; k < kMarkerCount; ++k) QCOMPARE(spots[k].Visible, points ? k == 1 || k == 4 : k == 0);
      const QuantityValues& first = points ? source.Points[1].Values : source.StateValues;
      QCOMPARE(spots[points ? 1 : 0].Left, MarkerLeft(first[4], chart));
      QCOMPARE(spots[points ? 1 : 0].Top, MarkerTop(first[1], chart));
      QCOMPARE(spots[points ? 1 : 0].Tooltip, MarkerTooltip(first, source));
    }
  }

  // The frame's rounding with the window off the corner; the fit of a narrow viewport or of no picture.
  void frameAndFit() {
    // N((10 − 17 + 2)·1000 / 98) = N(−51.02), N((53 − 81 + 2)·1700 / 168) = N(−263.1).
    QCOMPARE(ChartFromFrame(Rect{17, 81, 77, 56}, 800, 570, 1000, 1700, Point{0, 0}), (Point{-51, -263}));
    QCOMPARE(ChartFromFrame(Rect{17, 81, 77, 56}, 800, 570, 1000, 1700, Point{5, 7}), (Point{-46, -256}));
    QCOMPARE(FitToHeight(Rect{0, 0, 700, 1050}, 1000, 1700, 1920).Window, (Rect{0, 0, 700, 1050}));
    QCOMPARE(FitToHeight(Rect{0, 0, 1000, 1050}, 0, 0, 1920).Window, (Rect{0, 0, 1000, 1050}));
  }
};

QTEST_APPLESS_MAIN(LogicTest)
#include "logic_test.moc"
