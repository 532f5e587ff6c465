// The command line of the sestava tool: what each command line gives, and the
// reason of every wrong one.
#include <gtest/gtest.h>

#include <functional>

#include "report/sestava/arguments.h"
#include "tests/report/testing.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

QStringList Args(const char* line) {
  // Words separated by blanks; '~' stands for a blank inside a word.
  QStringList args = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
  for (QString& a : args) a.replace(u'~', u' ');
  return args;
}

struct Good {
  const char* line;
  Command command;
  std::function<void(const Arguments&)> check;
};

TEST(SestavaArguments, GoodLines) {
  const Good cases[] = {
      {"--help", Command::Help, {}},
      {"run t.pts --help", Command::Help, {}},
      {"run t.pts", Command::Run,
       [](const Arguments& a) {
         EXPECT_EQ(a.run.templatePath, u"t.pts");
         EXPECT_TRUE(a.run.textToStdout());
         EXPECT_EQ(a.run.startPage, 1);
         EXPECT_EQ(a.run.endPage, 9999);
         EXPECT_EQ(a.run.codepage, slUndefined);
         EXPECT_EQ(a.run.dpi, 96);
       }},
      {"run --data d.csv t.pts --param A --param= --param=x=y --param -5", Command::Run,
       [](const Arguments& a) {
         EXPECT_EQ(a.run.dataPath, u"d.csv");
         EXPECT_EQ(a.run.parameters, (QStringList{u"A"_s, QString(), u"x=y"_s, u"-5"_s}));
       }},
      {"run t.pts --sqlite s.db --query select~*~from~t", Command::Run,
       [](const Arguments& a) {
         EXPECT_EQ(a.run.sqlitePath, u"s.db");
         EXPECT_EQ(a.run.query, u"select * from t");
       }},
      {"run t.pts --pdf o.pdf --png dir --dpi 150 --emf e --wmf w", Command::Run,
       [](const Arguments& a) {
         EXPECT_FALSE(a.run.textToStdout());
         EXPECT_EQ(a.run.pdfPath, u"o.pdf");
         EXPECT_EQ(a.run.pngDir, u"dir");
         EXPECT_EQ(a.run.dpi, 150);
         EXPECT_EQ(a.run.emfBase, u"e");
         EXPECT_EQ(a.run.wmfBase, u"w");
       }},
      {"run t.pts --pdf o.pdf --text -", Command::Run, [](const Arguments& a) { EXPECT_TRUE(a.run.textToStdout()); }},
      {"run t.pts --pages 2-5 --max-records 7 --one-record --quiet --codepage 852", Command::Run,
       [](const Arguments& a) {
         EXPECT_EQ(a.run.startPage, 2);
         EXPECT_EQ(a.run.endPage, 5);
         EXPECT_EQ(a.run.maxRecords, 7);
         EXPECT_TRUE(a.run.oneRecord);
         EXPECT_TRUE(a.run.quiet);
         EXPECT_EQ(a.run.codepage, slCP852);
       }},
      {"run t.pts --pages 3 --codepage ascii", Command::Run,
       [](const Arguments& a) {
         EXPECT_EQ(a.run.startPage, 3);
         EXPECT_EQ(a.run.endPage, 3);
         EXPECT_EQ(a.run.codepage, slASCII);
       }},
      {"run -- -odd.pts", Command::Run, [](const Arguments& a) { EXPECT_EQ(a.run.templatePath, u"-odd.pts"); }},
      {"barcode --type 14 --text 400638133393 --modules --ratio 3", Command::Barcode,
       [](const Arguments& a) {
         EXPECT_EQ(a.barcode.type, 14);
         EXPECT_EQ(a.barcode.text, u"400638133393");
         EXPECT_TRUE(a.barcode.modules);
         EXPECT_FALSE(a.barcode.checkDigit);
         EXPECT_EQ(a.barcode.ratio, 3.0);
       }},
      {"barcode --type=0 --text= --check", Command::Barcode,
       [](const Arguments& a) {
         EXPECT_EQ(a.barcode.type, 0);
         EXPECT_TRUE(a.barcode.text.isEmpty());
         EXPECT_TRUE(a.barcode.checkDigit);
         EXPECT_EQ(a.barcode.ratio, 2.0);
       }},
      {"check t.pts", Command::Check, [](const Arguments& a) { EXPECT_FALSE(a.check.fieldsGiven); }},
      {"check t.pts --fields a,b,,c", Command::Check,
       [](const Arguments& a) {
         EXPECT_TRUE(a.check.fieldsGiven);
         EXPECT_EQ(a.check.fields, (QStringList{u"a"_s, u"b"_s, u"c"_s}));
       }},
  };
  for (const Good& c : cases) {
    SCOPED_TRACE(c.line);
    Arguments parsed;
    QString error;
    ASSERT_TRUE(ParseArguments(Args(c.line), &parsed, &error)) << error.toStdString();
    EXPECT_EQ(parsed.command, c.command);
    if (c.check) c.check(parsed);
  }
}

TEST(SestavaArguments, WrongLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "no command"},
      {"print t.pts", "unknown command 'print'"},
      {"run", "the template file is missing"},
      {"run a.pts b.pts", "more than one template"},
      {"run t.pts --bogus", "unknown option '--bogus'"},
      {"run t.pts --data", "--data needs a value"},
      {"run t.pts --data=", "--data needs a non-empty value"},
      {"run t.pts --quiet=1", "--quiet takes no value"},
      {"run t.pts --pdf a --pdf b", "--pdf given twice"},
      {"run t.pts --data d.csv --sqlite s.db --query q", "exclude each other"},
      {"run t.pts --sqlite s.db", "go together"},
      {"run t.pts --query q", "go together"},
      {"run t.pts --pages 3-2", "--pages must be"},
      {"run t.pts --pages 0-2", "--pages must be"},
      {"run t.pts --pages 1-65536", "--pages must be"},
      {"run t.pts --pages 1-", "--pages must be"},
      {"run t.pts --pages x", "--pages must be"},
      {"run t.pts --max-records -1", "--max-records must be"},
      {"run t.pts --max-records 2147483648", "--max-records must be"},
      {"run t.pts --codepage utf8", "--codepage must be"},
      {"run t.pts --dpi 5", "--dpi must be"},
      {"barcode --type 20 --text 1", "--type must be a type number from 0 to 19"},
      {"barcode --type -1 --text 1", "--type must be"},
      {"barcode --type 14", "--type and --text are required"},
      {"barcode --text 1", "--type and --text are required"},
      {"barcode --type 14 --text 1 --ratio 0.5", "--ratio must be"},
      {"barcode --type 14 --text 1 --ratio nan", "--ratio must be"},
      {"barcode --type 14 --text 1 extra", "unexpected argument 'extra'"},
      {"check t.pts --data d.csv --fields a", "exclude each other"},
      {"check", "the template file is missing"},
  };
  for (const auto& [line, reason] : cases) {
    SCOPED_TRACE(line);
    Arguments parsed;
    QString error;
    EXPECT_FALSE(ParseArguments(Args(line), &parsed, &error));
    EXPECT_TRUE(error.startsWith(u"sestava")) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(reason))) << error.toStdString();
  }
}

}  // namespace
}  // namespace report::tool
