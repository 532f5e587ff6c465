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

TEST(CsvRows, StepProtocol) {
  struct Step {
    int dir, result;
    qsizetype row;
  };
  const struct {
    const char* csv;
    std::vector<Step> steps;
  } cases[] = {
      {"a\n", {{sdFirst, srBofEof, 0}, {sdNext, srEof, 0}, {sdPrior, srBof, 0}, {sdLast, srBofEof, 0}}},
      {"a\n1\n2\n3\n",
       {{sdFirst, srBof, 0}, {sdNext, srOk, 1}, {sdNext, srOk, 2}, {sdNext, srEof, 2}, {sdPrior, srOk, 1},
        {sdPrior, srOk, 0}, {sdPrior, srBof, 0}, {sdLast, srEof, 2}, {sdFirst, srBof, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csv);
    const CsvTable table = Table(c.csv);
    CsvRowSource rows(table);
    for (const Step& s : c.steps) {
      EXPECT_EQ(rows.step(s.dir), s.result) << "direction " << s.dir;
      EXPECT_EQ(rows.row(), s.row) << "direction " << s.dir;
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

// Console events at given times (ms since it was made) and the text standard error receives.
TEST(SestavaConsole, ProgressLine) {
  enum Kind { Progress, Error, Notice, End };
  struct Event {
    qint64 at;
    Kind kind;
    qint64 n = 0;
  };
  const struct {
    const char* name;
    bool quiet;
    std::vector<Event> events;
    const char* expected;
  } cases[] = {
      {"short run: no progress", false, {{10, Progress, 1}, {999, Progress, 2}, {999, End}}, ""},
      {"after a second, every 200 ms",
       false,
       {{1000, Progress, 100}, {1100, Progress, 110}, {1199, Progress, 120}, {1200, Progress, 130}, {1450, Progress, 9},
        {1500, End}},
       "\rrow 100\rrow 130\rrow 9  \n"},
      {"an error ends the line", false, {{1000, Progress, 5}, {1001, Error}, {1300, Progress, 6}, {1400, End}},
       "\rrow 5\nsestava: bad\n\rrow 6\n"},
      {"quiet: errors only", true, {{1000, Progress, 5}, {1001, Notice}, {1002, Error}, {1003, End}}, "sestava: bad\n"},
      {"notices shown", false, {{0, Notice}}, "sestava: note\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    qint64 now = 0;
    QBuffer err;
    err.open(QIODevice::WriteOnly);
    Console console(err, c.quiet, [&now] { return now; });
    for (const Event& e : c.events) {
      now = e.at;
      switch (e.kind) {
        case Progress: console.progress(u"row"_s, e.n); break;
        case Error: console.error(u"bad"_s); break;
        case Notice: console.notice(u"note"_s); break;
        case End: console.endProgress(); break;
      }
    }
    EXPECT_EQ(err.data().toStdString(), c.expected);
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

TEST(SestavaRun, StatusesAndMessages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pts = kData + u"/steam.pts"_s, csv = kData + u"/steam.csv"_s;
  const QString percentCsv = dir.filePath(u"100%2.csv"_s);
  ASSERT_TRUE(QFile::copy(kData + u"/bad_row.csv"_s, percentCsv));
  ASSERT_TRUE(QFile::copy(kData + u"/steam.csv"_s, dir.filePath(u"file"_s)));
  const struct {
    const char* name;
    QStringList args;
    int status;
    const char16_t* message;  // a part of standard error; empty: nothing there
  } cases[] = {
      {"no data at all", {u"run"_s, pts, u"--pdf"_s, dir.filePath(u"o.pdf"_s)}, 0, u""},
      {"missing CSV", {u"run"_s, pts, u"--data"_s, dir.filePath(u"none.csv"_s)}, 1, u"none.csv: no such file"},
      {"CSV is a directory", {u"run"_s, pts, u"--data"_s, dir.path()}, 1, u"not a regular file"},
      {"bad CSV row, '%' in the name", {u"run"_s, pts, u"--data"_s, percentCsv}, 1, u"100%2.csv, line 4: the row"},
      {"text into a missing directory",
       {u"run"_s, pts, u"--data"_s, csv, u"--text"_s, dir.filePath(u"no/such/dir/t.txt"_s)}, 8, u"t.txt"},
      {"PNG directory under a file",
       {u"run"_s, pts, u"--png"_s, dir.filePath(u"file/png"_s)}, 8, u"cannot create the directory"},
      {"missing database", {u"run"_s, pts, u"--sqlite"_s, dir.filePath(u"none.db"_s), u"--query"_s, u"select 1"_s}, 1,
       u"none.db: no such file"},
      {"barcode of nothing", {u"barcode"_s, u"--type"_s, u"3"_s, u"--text"_s, u"abc"_s}, 1, u"nothing in the text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run(c.args);
    EXPECT_EQ(run.status, c.status);
    const QString message = QString::fromUtf16(c.message);
    if (message.isEmpty()) {
      EXPECT_EQ(run.errText(), QString());
    } else {
      EXPECT_TRUE(run.errText().contains(message)) << run.errText().toStdString();
    }
    EXPECT_LE(run.err.data().count('\n'), 1);  // every message is one line
  }
  EXPECT_FALSE(QFile::exists(dir.filePath(u"none.db"_s))) << "the database must not be created";
}

// Body lines of text output: those starting with a row number.
int BodyLines(const QByteArray& text) {
  int n = 0;
  for (const QByteArray& line : text.split('\n'))
    if (!line.trimmed().isEmpty() && line.trimmed().front() >= '0' && line.trimmed().front() <= '9') ++n;
  return n;
}

TEST(SestavaRun, RowOptions) {
  const QString pts = kData + u"/steam.pts"_s, csv = kData + u"/steam.csv"_s;
  const struct {
    QStringList extra;
    int bodies;
  } cases[] = {
      {{u"--one-record"_s}, 1},
      {{u"--pages"_s, u"1-1"_s}, 48},
      {{u"--pages"_s, u"3-9"_s}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extra.join(u' ').toStdString());
    const ToolRun run(QStringList{u"run"_s, pts, u"--data"_s, csv} + c.extra);
    EXPECT_EQ(run.status, 0) << run.errText().toStdString();
    EXPECT_EQ(BodyLines(run.out.data()), c.bodies);
  }
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
