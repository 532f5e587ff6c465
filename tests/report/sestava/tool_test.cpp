// The sestava tool in-process: CSV rows, the console, barcodes, and runs over CSV
// and SQLite data with their exit statuses.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "report/sestava/commands.h"
#include "report/ui/messages.h"
#include "tests/report/testing.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

const QString kData = QStringLiteral(SESTAVA_TEST_DATA);

CsvTable Table(const char* text) {
  CsvTable table;
  CsvError error;
  EXPECT_TRUE(ParseCsv(text, &table, &error)) << error.message.toStdString();
  return table;
}

// The case lines of a file in data/: no blank lines, no comments.
QStringList CaseLines(const QString& name) {
  QFile file(kData + u'/' + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name.toStdString();
  QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  lines.removeIf([](const QString& l) { return l.startsWith(u'#'); });
  return lines;
}

// The cases of data/csv-rows.txt.
TEST(CsvRows, StepProtocol) {
  const QStringList cases = CaseLines(u"csv-rows.txt"_s);
  EXPECT_EQ(cases.size(), 2);
  for (const QString& line : cases) {
    SCOPED_TRACE(line.toStdString());
    const CsvTable table = Table(line.section(u'|', 0, 0).trimmed().replace(u"\\n"_s, u"\n"_s).toUtf8().constData());
    CsvRowSource rows(table);
    // In the order of the values of TStepDir and TStepResult.
    const QStringList directions{u"first"_s, u"prior"_s, u"next"_s, u"last"_s};
    const QStringList results{u"ok"_s, u"bof"_s, u"eof"_s, u"bofeof"_s};
    for (const QString& step : line.section(u'|', 1).split(u' ', Qt::SkipEmptyParts)) {
      const QStringList s = step.split(u':');
      EXPECT_EQ(rows.step(directions.indexOf(s[0])), results.indexOf(s[1])) << step.toStdString();
      EXPECT_EQ(rows.row(), s[2].toLongLong()) << step.toStdString();
    }
  }
}

TEST(CsvRows, AttachedToTheComponent) {
  const CsvTable table = Table("bod,nazev\n1,voda\n2,pára\n");
  CsvRowSource rows(table);
  TSestava report;
  rows.attach(report);
  EXPECT_EQ(report.FieldNames, (QStringList{u"bod"_s, u"nazev"_s}));
  EXPECT_EQ(report.FieldLabels, report.FieldNames);
  EXPECT_EQ(report.StepRow(sdFirst), srBof);
  EXPECT_EQ(report.RowValues, (QStringList{u"1"_s, u"voda"_s}));
  EXPECT_EQ(report.StepRow(sdNext), srOk);
  EXPECT_EQ(report.RowValues, (QStringList{u"2"_s, u"pára"_s}));

  // A header without rows: one row of empty texts, as wide as the header.
  const CsvTable empty = Table("a,b,c\n");
  CsvRowSource none(empty);
  none.attach(report);
  EXPECT_EQ(report.StepRow(sdFirst), srBofEof);
  EXPECT_EQ(report.RowValues, QStringList(3, QString()));
}

// The cases of data/console.txt.
TEST(SestavaConsole, ProgressLine) {
  const QStringList cases = CaseLines(u"console.txt"_s);
  EXPECT_EQ(cases.size(), 5);
  for (const QString& line : cases) {
    SCOPED_TRACE(line.toStdString());
    QStringList f = line.split(u'|');
    ASSERT_EQ(f.size(), 4);
    for (QString& field : f) field = field.trimmed();
    qint64 now = 0;
    QBuffer err;
    err.open(QIODevice::WriteOnly);
    Console console(err, f[1] == u"quiet", [&now] { return now; });
    for (const QString& event : f[2].split(u' ')) {
      const QStringList e = event.split(u':');
      now = e[0].toLongLong();
      if (e[1] == u"p") console.progress(u"row"_s, e.value(2).toLongLong());
      if (e[1] == u"e") console.error(u"bad"_s);
      if (e[1] == u"n") console.notice(u"note"_s);
      if (e[1] == u"end") console.endProgress();
    }
    EXPECT_EQ(QString::fromUtf8(err.data()), QString(f[3]).replace(u"\\r"_s, u"\r"_s).replace(u"\\n"_s, u"\n"_s));
  }
}

TEST(SestavaConsole, MessageBoxesBecomeLines) {
  QBuffer err;
  err.open(QIODevice::WriteOnly);
  Console console(err, false);
  {
    const ConsoleMessages sink(console);
    EXPECT_EQ(ReportMessages::Ask(nullptr, u"Vytvořit?\rAno"_s, true), Answer::No);
    ReportMessages::Error(nullptr, u"chyba\r\nřádek"_s);
    ReportMessages::Warning(nullptr, u"pozor"_s);
  }
  EXPECT_EQ(QString::fromUtf8(err.data()), u"sestava: Vytvořit? Ano\nsestava: chyba řádek\nsestava: pozor\n"_s);
  EXPECT_EQ(console.errorCount(), 2);
}

// Code 39 "*A*" with a ratio of 3: a wide element counts three modules.
TEST(SestavaBarcode, ReadableForm) {
  BarcodeArguments a;
  a.type = 3;
  a.text = u"A"_s;
  a.ratio = 3;
  EXPECT_EQ(DescribeBarcode(a).toStdString(),
            "type: 3 Code 39\ntext: A\nmodules: 47\nelements: "
            "B1 Sw B1 S1 Bw S1 Bw S1 B1 S1 Bw S1 B1 S1 B1 Sw B1 S1 Bw S1 B1 Sw B1 S1 Bw S1 Bw S1 B1\n");
  // Texts are put in as they are: a '%' is no place holder.
  a.type = 6;
  a.text = u"a%4%1"_s;
  EXPECT_TRUE(DescribeBarcode(a).startsWith(u"type: 6 Code 128B\ntext: a%4%1\nmodules: "_s)) << DescribeBarcode(a).toStdString();
}

// One run of the whole tool; standard output and error kept.
struct ToolRun {
  explicit ToolRun(const QStringList& args) {
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    status = RunTool(args, out, err);
  }
  QBuffer out, err;
  int status = -1;
  QString errText() const { return QString::fromUtf8(err.data()); }
};

// Body lines of text output: those starting with a row number.
int BodyLines(const QByteArray& text) {
  int n = 0;
  for (const QByteArray& line : text.split('\n'))
    if (!line.trimmed().isEmpty() && line.trimmed().front() >= '0' && line.trimmed().front() <= '9') ++n;
  return n;
}

// The runs of data/tool-runs.txt.
TEST(SestavaRun, StatusesAndMessages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QFile::copy(kData + u"/bad_row.csv"_s, dir.filePath(u"100%2.csv"_s)));
  ASSERT_TRUE(QFile::copy(kData + u"/steam.csv"_s, dir.filePath(u"file"_s)));
  const QStringList cases = CaseLines(u"tool-runs.txt"_s);
  EXPECT_EQ(cases.size(), 11);
  for (const QString& line : cases) {
    SCOPED_TRACE(line.toStdString());
    QStringList args = line.section(u"=>"_s, 0, 0).split(u' ', Qt::SkipEmptyParts);
    for (QString& a : args) a.replace(u"@DATA@"_s, kData).replace(u"@DIR@"_s, dir.path()).replace(u'~', u' ');
    const QStringList want = line.section(u"=>"_s, 1).split(u'|');
    const ToolRun run(args);
    EXPECT_EQ(run.status, want[0].toInt());
    const QString part = want.value(1).trimmed();
    EXPECT_TRUE(part.isEmpty() ? run.errText().isEmpty() : run.errText().contains(part)) << run.errText().toStdString();
    EXPECT_LE(run.err.data().count('\n'), 1);
    if (want.size() > 2) {
      EXPECT_EQ(BodyLines(run.out.data()), want[2].toInt());
    }
  }
  EXPECT_FALSE(QFile::exists(dir.filePath(u"none.db"_s))) << "the database must not be created";
}

TEST(SestavaRun, SqliteGivesWhatTheCsvGives) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString db = dir.filePath(u"steam.db"_s);
  {
    QSqlDatabase c = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"make"_s);
    c.setDatabaseName(db);
    ASSERT_TRUE(c.open());
    QSqlQuery q(c);
    ASSERT_TRUE(q.exec(u"create table pts(bod integer, nazev text, t integer, p text)"_s));
    ASSERT_TRUE(q.exec(u"insert into pts values (1, 'sytá pára', 25, '0.1'), (2, 'přehřátá, suchá', 30, '0.2')"_s));
    c.close();
  }
  QSqlDatabase::removeDatabase(u"make"_s);
  const QString pts = kData + u"/steam.pts"_s, csv = dir.filePath(u"steam.csv"_s);
  QFile f(csv);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("bod,nazev,t,p\n1,sytá pára,25,0.1\n2,\"přehřátá, suchá\",30,0.2\n");
  f.close();
  const auto sql = [&](const QString& query) { return ToolRun({u"run"_s, pts, u"--sqlite"_s, db, u"--query"_s, query}); };

  const ToolRun fromCsv({u"run"_s, pts, u"--data"_s, csv}), fromDb = sql(u"select * from pts order by bod"_s);
  EXPECT_EQ(fromDb.status, 0) << fromDb.errText().toStdString();
  EXPECT_EQ(BodyLines(fromDb.out.data()), 2);
  EXPECT_EQ(fromDb.out.data(), fromCsv.out.data());
  const ToolRun badQuery = sql(u"select * from missing_table"_s);
  EXPECT_EQ(badQuery.status, seDataNotReady);
  EXPECT_TRUE(badQuery.errText().contains(u"no such table"_s)) << badQuery.errText().toStdString();
  // Read-only: a query that writes fails and the rows stay.
  EXPECT_EQ(sql(u"delete from pts"_s).status, seDataNotReady);
  EXPECT_EQ(BodyLines(sql(u"select * from pts"_s).out.data()), 2);
}

}  // namespace
}  // namespace report::tool

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
