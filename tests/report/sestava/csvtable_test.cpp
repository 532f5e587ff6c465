// The CSV reader of the sestava tool: what each text of data/csv-cases.txt
// gives (names, rows, or the line and reason of the first rule broken), the
// limits and the UTF-8 check.
#include <gtest/gtest.h>

#include <QFile>

#include <string>

#include "report/sestava/csvtable.h"
#include "tests/report/testing.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

QByteArray Unescape(const QString& text) {
  const QByteArray s = text.toUtf8();
  QByteArray out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out.append(s[i]);
    } else if (s[++i] == 'x') {
      out.append(char(s.mid(i + 1, 2).toInt(nullptr, 16)));
      i += 2;
    } else {
      out.append(s[i] == 't' ? '\t' : s[i] == 'r' ? '\r' : s[i] == 'n' ? '\n' : s[i]);
    }
  }
  return out;
}

// The names, then each row: every value in [ ], line breaks escaped.
QString Contents(const CsvTable& table) {
  const auto row = [](const QStringList& values) {
    QString out;
    for (const QString& v : values) out += u'[' + QString(v).replace(u"\r"_s, u"\\r"_s).replace(u"\n"_s, u"\\n"_s) + u']';
    return out;
  };
  QStringList rows{row(table.fieldNames())};
  for (qsizetype r = 0; r < table.rowCount(); ++r) rows.append(row(table.row(r)));
  return rows.join(u' ');
}

TEST(CsvRead, Cases) {
  QFile file(QStringLiteral(SESTAVA_TEST_DATA "/csv-cases.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
  CsvLimits tight;
  tight.maxFieldBytes = 16;
  tight.maxFields = 6;
  tight.maxColumns = 4;
  int cases = 0;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    QStringList f = line.split(u'|');
    for (QString& field : f) field = field.trimmed();
    SCOPED_TRACE(line.toStdString());
    ASSERT_EQ(f.size(), 4);
    const QString& kind = f[0];
    const QByteArray text = Unescape(f[2]);
    ++cases;
    if (kind == u"utf8") {
      EXPECT_EQ(IsValidUtf8(text.constData(), std::size_t(text.size())), f[3] == u"valid");
      continue;
    }
    CsvTable table;
    CsvError error;
    const bool ok = ParseCsv(text, &table, &error, kind == u"good" ? CsvLimits{} : tight);
    if (kind == u"bad") {
      ASSERT_FALSE(ok);
      EXPECT_EQ(error.line, f[3].section(u':', 0, 0).toLongLong());
      EXPECT_TRUE(error.message.contains(f[3].section(u": "_s, 1))) << error.message.toStdString();
      EXPECT_EQ(table.rowCount(), 0);
      EXPECT_TRUE(table.fieldNames().isEmpty());
    } else {
      ASSERT_TRUE(ok) << error.message.toStdString();
      EXPECT_EQ(Contents(table), f[3]);
    }
  }
  EXPECT_GT(cases, 45);
}

TEST(CsvRead, ValuesOutsideTheTableAreEmpty) {
  CsvTable table;
  CsvError error;
  ASSERT_TRUE(ParseCsv("a,b\n1,2\n", &table, &error));
  EXPECT_EQ(table.value(0, 1), u"2");
  for (const auto& [row, column] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 2}}) EXPECT_TRUE(table.value(row, column).isEmpty());
  EXPECT_TRUE(table.row(1).isEmpty());
}

}  // namespace
}  // namespace report::tool
