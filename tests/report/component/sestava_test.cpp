// The report component as a host drives it: the property setters, the run's
// edge cases (no rows, MaxRecords, one record, the page range), every message of
// the template and data-source checks with pre-answered boxes, the codes 3, 4
// and 7 with OnError raised once, the order of the Before/After events, stored
// templates, saving with a backup, and data-set mode over a real SQLite database.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTemporaryDir>

#include "report/component/sestava.h"
#include "report/io/defaulttemplate.h"
#include "report/io/templatefile.h"
#include "report/print/fakeprinterport.h"
#include "report/ui/messages.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

// A host keeping rows 1..N as the main window does, with a log of its events.
struct Host {
  explicit Host(TSestava& s, int rows) : rows(rows) {
    s.OnStepData = [this](TSestavaD&, int dir) {
      log.append(u"step"_s + QString::number(dir));
      if (firstAnswer >= 0 && dir == sdFirst) return firstAnswer;
      switch (dir) {
        case sdFirst: row = 1; return int(srBof);
        case sdPrior: if (row < 2) return int(srBof); --row; return int(srOk);
        case sdNext: if (row >= this->rows) return int(srEof); ++row; return int(srOk);
        case sdLast: row = this->rows; return int(srEof);
        default: return int(srOk);
      }
    };
    s.OnGetData = [this](TSestavaD& d) {
      log.append(u"get"_s);
      d.RowValues = {u"r"_s + QString::number(row)};
    };
  }
  int rows, row = 0, firstAnswer = -1;
  QStringList log;
};

class Component : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    s.setProgramDirectory(dir_.path());
    s.setReportName(u"zostava"_s);
    s.FieldNames = {u"x"_s};
    s.setTextMeasurer(std::make_unique<FixedPitchMeasurer>());
    s.setPrinterPort(std::make_unique<FakePrinterPort>());
  }
  // A template whose body prints column 0 on a line of its own.
  void WriteTemplate() {
    ASSERT_TRUE(WriteTemplateFile(dir_.filePath(u"zostava.pts"_s), DefaultTemplate(s.FieldNames, 0)));
  }
  QStringList Bodies() {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    code = s.PrintToStream(out);
    QStringList lines;
    for (const QByteArray& l : out.data().split('\n'))
      if (l.trimmed().startsWith('r')) lines.append(QString::fromLatin1(l.trimmed()));
    return lines;
  }
  QTemporaryDir dir_;
  TSestava s;
  int code = -1;
};

TEST(ComponentProperties, Setters) {
  TSestava s;
  const struct {
    const char* in;
    const char* out;
  } names[] = {{"zostava", "zostava.pts"}, {"a.txt", "a.pts"}, {"b.pts", "b.pts"}, {"", ""}};
  for (const auto& n : names) {
    s.setReportName(QString::fromLatin1(n.in));
    EXPECT_EQ(s.ReportName(), QString::fromLatin1(n.out));
  }
  s.setReportAlias(u"ALIAS"_s);
  s.setReportDir(u"C:\\sestavy"_s);
  EXPECT_EQ(s.ReportDir(), u"C:/sestavy/"_s);
  EXPECT_TRUE(s.ReportAlias().isEmpty());
  s.setReportAlias(u"ALIAS"_s);
  EXPECT_TRUE(s.ReportDir().isEmpty());
  EXPECT_EQ(s.Popis, u"Tisková úloha IF97"_s);
  EXPECT_EQ(s.IniFileName, u"SestDLL.ini"_s);
  EXPECT_EQ((QList<int>{s.PrintCopies, s.StartPage, s.EndPage, s.MaxRecords}), (QList<int>{1, 1, 9999, 0}));
  EXPECT_TRUE(s.ReportDirIgnore);
}

TEST_F(Component, RunEdgeCases) {
  WriteTemplate();
  struct Case {
    const char* name;
    int rows, firstAnswer, maxRecords;
    bool oneRecord;
    int bodies;
  } cases[] = {
      {"all twelve", 12, -1, 0, false, 12},
      {"MaxRecords 3 of 12", 12, -1, 3, false, 3},
      {"sdFirst answering 2: one body", 0, srEof, 0, false, 1},
      {"sdFirst answering 3: one body", 0, srBofEof, 0, false, 1},
  };
  for (const Case& c : cases) {
    Host host(s, c.rows);
    host.firstAnswer = c.firstAnswer;
    s.MaxRecords = c.maxRecords;
    EXPECT_EQ(Bodies().size(), c.bodies) << c.name;
    EXPECT_EQ(code, seOk) << c.name;
  }
  Host one(s, 12);
  s.MaxRecords = 0;
  s.TiskJedenZaznam = true;
  one.row = 7;
  EXPECT_EQ(Bodies(), QStringList{u"r7"_s});
  EXPECT_EQ(one.log, QStringList{u"get"_s});  // fetched once, never stepped
}

TEST_F(Component, MissingTemplateQuestionWritesADefaultTemplate) {
  Host host(s, 2);
  int errors = 0;
  s.OnError = [&](TSestava&, int e) {
    EXPECT_EQ(e, seTemplateNotLoaded);
    return ++errors > 0;
  };
  const QString path = dir_.filePath(u"zostava.pts"_s);
  {
    ScriptedMessages boxes({Answer::No});
    EXPECT_TRUE(Bodies().isEmpty());
    EXPECT_EQ(code, seTemplateNotLoaded);
    EXPECT_EQ(boxes.texts, QStringList{u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + path + u'"'});
    EXPECT_FALSE(QFile::exists(path));
  }
  {
    ScriptedMessages boxes({Answer::Yes});
    EXPECT_TRUE(Bodies().isEmpty());  // this run still fails
    EXPECT_EQ(code, seTemplateNotLoaded);
    EXPECT_TRUE(QFile::exists(path));
  }
  EXPECT_EQ(errors, 2);  // once per failed run
  EXPECT_EQ(Bodies(), (QStringList{u"r1"_s, u"r2"_s}));  // the next run prints a real report
  EXPECT_EQ(code, seOk);
}

TEST_F(Component, MessagesAndCodes) {
  {  // No template at all.
    ScriptedMessages boxes;
    s.setReportName(QString());
    Host host(s, 1);
    Bodies();
    EXPECT_EQ(code, seTemplateNotLoaded);
    EXPECT_EQ(boxes.texts, QStringList{u"Není definována cesta a název souboru s předlohou."_s});
  }
  TSestava d;  // data-set mode: no OnGetData
  d.setProgramDirectory(dir_.path());
  d.Predloha = DefaultTemplate({u"x"_s}, 0);
  d.IsStored = true;
  d.setTextMeasurer(std::make_unique<FixedPitchMeasurer>());
  QSqlQueryModel model;
  TDataSource noTable;
  bool opens = false;
  TDataSource inactive;
  inactive.DataSet = &model;
  inactive.isActive = [&] { return opens; };
  inactive.open = [&] { return false; };
  const struct {
    const char* name;
    TDataSource* source;
    QList<Answer> answers;
    QStringList texts;
  } cases[] = {
      {"no source", nullptr, {}, {u"Není definován zdroj dat."_s}},
      {"no table", &noTable, {}, {u"Ke zdroji dat není připojena žádná tabulka."_s}},
      {"inactive, No", &inactive, {Answer::No}, {u"Připojená tabulka není aktivní. Zkusit otevřít?"_s}},
      {"inactive, Yes, still inactive", &inactive, {Answer::Yes},
       {u"Připojená tabulka není aktivní. Zkusit otevřít?"_s, u"Připojenou tabulku se nepodařilo otevřít."_s}},
  };
  for (const auto& c : cases) {
    ScriptedMessages boxes(c.answers);
    d.DataSource = c.source;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_EQ(d.PrintToStream(out), seDataNotReady) << c.name;
    EXPECT_EQ(boxes.texts, c.texts) << c.name;
  }
}

TEST_F(Component, EventOrderCancelAndPageRange) {
  WriteTemplate();
  Host host(s, 200);
  QStringList events;
  s.BeforePrint = [&](TSestava&) { events.append(u"BeforePrint"_s); };
  s.AfterPrint = [&](TSestava&) { events.append(u"AfterPrint"_s); };
  s.OnVypoctiFunkce = [&](TSestava&) {
    if (events.isEmpty() || events.last() != u"compute") events.append(u"compute"_s);
  };
  s.OnError = [&](TSestava&, int e) {
    events.append(u"OnError "_s + QString::number(e));
    return true;
  };
  class Cancel : public ProgressHook {
    bool cancelled() override { return true; }
  };
  s.progressFactory = [] { return std::make_unique<Cancel>(); };
  Bodies();
  EXPECT_EQ(code, seCancelled);
  EXPECT_EQ(events, (QStringList{u"BeforePrint"_s, u"compute"_s, u"AfterPrint"_s, u"OnError 3"_s}));

  s.progressFactory = nullptr;
  FakePrinterPort::Printer device;
  device.name = u"p"_s;
  auto* printer = new FakePrinterPort({device});
  s.setPrinterPort(std::unique_ptr<PrinterPort>(printer));
  s.EndPage = 500;  // beyond the page count: up to the last page
  EXPECT_EQ(s.Print(), seOk);
  EXPECT_EQ(printer->pages().size(), s.document().pageCount());
  EXPECT_GT(s.document().pageCount(), 1);
  EXPECT_EQ(printer->jobTitles(), QStringList{s.Popis});
}

TEST_F(Component, SaveKeepsABackup) {
  WriteTemplate();
  Host host(s, 1);
  ASSERT_TRUE(s.LoadTemplate(true));
  s.definition().sections[kSectionBody].height = 77;
  ASSERT_TRUE(s.SaveTemplate());
  QStringList lines;
  ASSERT_TRUE(ReadTemplateFile(dir_.filePath(u"zostava.BAK"_s), &lines).ok);
  EXPECT_EQ(lines, DefaultTemplate(s.FieldNames, 0));
  TSestava again;
  again.setProgramDirectory(dir_.path());
  again.setReportName(u"zostava.pts"_s);
  ASSERT_TRUE(again.LoadTemplate(true));
  EXPECT_EQ(again.definition().sections[kSectionBody].height, 77);
  // A failing save (the template's folder is gone) keeps nothing half-written.
  s.setProgramDirectory(dir_.filePath(u"chybi"_s));
  ScriptedMessages boxes;
  EXPECT_FALSE(s.SaveTemplate());
  EXPECT_EQ(boxes.texts, QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
}

// Data-set mode over SQLite: column names and captions from the query, the rows
// in order, the inactive query opened after Yes and closed again afterwards.
TEST_F(Component, SqliteDataSet) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"report"_s);
    db.setDatabaseName(dir_.filePath(u"body.db"_s));
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(u"CREATE TABLE body (bod INTEGER, teplota REAL)"_s));
    for (int i = 1; i <= 5; ++i)
      ASSERT_TRUE(q.exec(u"INSERT INTO body VALUES (%1, %2)"_s.arg(i).arg(100 + i * 0.5)));
  }
  QSqlQueryModel model;
  TDataSource source = SqlQuerySource(&model, u"SELECT bod, teplota FROM body ORDER BY bod"_s, u"report"_s);
  TSestava d;
  d.setProgramDirectory(dir_.path());
  d.setTextMeasurer(std::make_unique<FixedPitchMeasurer>());
  d.IsStored = true;
  d.Predloha = DefaultTemplate({u"bod"_s, u"teplota"_s}, 0);
  d.DataSource = &source;
  ScriptedMessages boxes({Answer::Yes});
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  ASSERT_EQ(d.PrintToStream(out), seOk);
  EXPECT_EQ(boxes.texts, QStringList{u"Připojená tabulka není aktivní. Zkusit otevřít?"_s});
  EXPECT_EQ(d.FieldNames, (QStringList{u"bod"_s, u"teplota"_s}));
  const QString text = QString::fromLatin1(out.data());
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(text.contains(QString::number(100 + i * 0.5))) << i;
  EXPECT_LT(text.indexOf(u"100.5"_s), text.indexOf(u"102.5"_s));
  EXPECT_FALSE(source.active());  // opened by the run, so closed by it
  QSqlDatabase::removeDatabase(u"report"_s);
}

}  // namespace
}  // namespace report

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
