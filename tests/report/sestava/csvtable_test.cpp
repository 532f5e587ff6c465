// The CSV reader of the sestava tool: what each text gives (names, rows, or the
// line and reason of the first rule broken), the limits and the UTF-8 check.
#include <gtest/gtest.h>

#include <string>

#include "report/sestava/csvtable.h"
#include "tests/report/testing.h"

namespace report::tool {
namespace {

QStringList L(std::initializer_list<const char16_t*> items) {
  QStringList list;
  for (const char16_t* s : items) list.append(QString::fromUtf16(s));
  return list;
}

struct Good {
  const char* name;
  std::string text;
  QStringList names;
  QList<QStringList> rows;
};

TEST(CsvRead, GoodTexts) {
  const Good cases[] = {
      {"plain LF", "a,b\n1,2\n3,4\n", L({u"a", u"b"}), {L({u"1", u"2"}), L({u"3", u"4"})}},
      {"CR LF, no final line end", "a,b\r\n1,2\r\n3,4", L({u"a", u"b"}), {L({u"1", u"2"}), L({u"3", u"4"})}},
      {"lone CR", "a\r1\r2", L({u"a"}), {L({u"1"}), L({u"2"})}},
      {"BOM skipped", "\xEF\xBB\xBF" "a,b\n1,2\n", L({u"a", u"b"}), {L({u"1", u"2"})}},
      {"header only", "x,y,z\n", L({u"x", u"y", u"z"}), {}},
      {"quoted comma", "a,b\n\"1,5\",2\n", L({u"a", u"b"}), {L({u"1,5", u"2"})}},
      {"doubled quote", "a\n\"say \"\"hi\"\"\"\n", L({u"a"}), {L({u"say \"hi\""})}},
      {"line breaks in quotes", "a,b\n\"x\ny\",\"p\r\nq\"\n", L({u"a", u"b"}), {L({u"x\ny", u"p\r\nq"})}},
      {"empty fields", "a,b,c\n,,\n\"\",x,\n", L({u"a", u"b", u"c"}), {L({u"", u"", u""}), L({u"", u"x", u""})}},
      {"blank lines skipped", "\n\na\n\n1\r\n\r\n2\n\n", L({u"a"}), {L({u"1"}), L({u"2"})}},
      {"blanks kept", "a, b\n 1 ,2\n", L({u"a", u" b"}), {L({u" 1 ", u"2"})}},
      {"quoted header", "\"a,b\",\"c\"\"\"\n1,2\n", L({u"a,b", u"c\""}), {L({u"1", u"2"})}},
      {"UTF-8", "název,t\nsytá pára,€ 𝄞\n", L({u"název", u"t"}), {L({u"sytá pára", u"€ 𝄞"})}},
      {"empty quoted at end", "a,b\n1,\"\"", L({u"a", u"b"}), {L({u"1", u""})}},
  };
  for (const Good& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table;
    CsvError error;
    ASSERT_TRUE(ParseCsv(QByteArrayView(c.text.data(), c.text.size()), &table, &error)) << error.message.toStdString();
    EXPECT_EQ(table.fieldNames(), c.names);
    ASSERT_EQ(table.rowCount(), c.rows.size());
    for (qsizetype r = 0; r < table.rowCount(); ++r) EXPECT_EQ(table.row(r), c.rows[r]);
  }
}

struct Bad {
  const char* name;
  std::string text;
  long long line;
  const char* message;  // a part of it
};

TEST(CsvRead, BadTexts) {
  const std::string big(1025, 'x');
  const Bad cases[] = {
      {"empty", "", 1, "no header"},
      {"BOM and blank lines only", "\xEF\xBB\xBF\n\r\n", 3, "no header"},
      {"short row", "a,b\n1,2\n3\n", 3, "the row has 1 field, the header 2"},
      {"long row", "a,b\n1,2,3\n", 2, "more fields than the header's 2"},
      {"row after quoted line breaks", "a,b\n\"x\ny\",1\n\"p\r\nq\"\n", 4, "the row has 1 field"},
      {"blank line in a two-column row", "a,b\n1\n\n", 2, "the row has 1 field"},
      {"unclosed quote", "a\n1\n\"open\nstill\n", 3, "not closed"},
      {"text after closing quote", "a,b\n\"x\"y,1\n", 2, "after the closing quote"},
      {"quote inside unquoted field", "a\n5\" pipe\n", 2, "quote inside an unquoted field"},
      {"invalid UTF-8 in a row", "a,b\n1,2\nok,\xC3\x28\n", 3, "field 2 is not valid UTF-8"},
      {"invalid UTF-8 in the header", "\xFF\n", 1, "field 1 is not valid UTF-8"},
      {"overlong encoding", "a\n\xC0\xAF\n", 2, "not valid UTF-8"},
      {"field too long", "a\n" + big + "\n", 2, "field 1 is longer than 1024 bytes"},
      {"quoted field too long", "a\n\"" + big + "\"\n", 2, "longer than 1024 bytes"},
      {"too many fields", "a,b\n1,2\n3,4\n5,6\n", 4, "more than 6 fields"},
      {"too many columns", "a,b,c,d,e\n", 1, "more than 4 columns"},
      {"unnamed column", "a,,c\n", 1, "column 2 has no name"},
      {"duplicate column", "Tlak,x,tlak\n", 1, "\"tlak\" appears twice"},
  };
  CsvLimits limits;
  limits.maxFieldBytes = 1024;
  limits.maxFields = 6;
  limits.maxColumns = 4;
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table;
    CsvError error;
    ASSERT_FALSE(ParseCsv(QByteArrayView(c.text.data(), c.text.size()), &table, &error, limits));
    EXPECT_EQ(error.line, c.line);
    EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.message))) << error.message.toStdString();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_TRUE(table.fieldNames().isEmpty());
  }
}

TEST(CsvRead, FieldAtTheLimitIsAccepted) {
  CsvLimits limits;
  limits.maxFieldBytes = 8;
  for (const std::string text : {"a\n12345678\n", "a\n\"1234\"\"678\"\n"}) {
    CsvTable table;
    CsvError error;
    EXPECT_TRUE(ParseCsv(QByteArrayView(text.data(), text.size()), &table, &error, limits)) << text;
  }
}

TEST(CsvRead, ValuesOutsideTheTableAreEmpty) {
  CsvTable table;
  CsvError error;
  ASSERT_TRUE(ParseCsv("a,b\n1,2\n", &table, &error));
  EXPECT_EQ(table.value(0, 1), u"2");
  for (const auto& [row, column] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 2}}) EXPECT_TRUE(table.value(row, column).isEmpty());
  EXPECT_TRUE(table.row(1).isEmpty());
}

TEST(CsvRead, Utf8Validation) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"plain", true},
      {"\xC2\xA0", true},              // U+00A0
      {"\xED\x9F\xBF", true},          // U+D7FF
      {"\xF4\x8F\xBF\xBF", true},      // U+10FFFF
      {"\xC1\xBF", false},             // overlong
      {"\xE0\x9F\xBF", false},         // overlong
      {"\xED\xA0\x80", false},         // surrogate
      {"\xF4\x90\x80\x80", false},     // above U+10FFFF
      {"\xF0\x8F\xBF\xBF", false},     // overlong
      {"\xC3", false},                 // cut short
      {"\xE2\x82", false},             // cut short
      {"\x80", false},                 // lone continuation
      {"\xE2\x28\xA1", false},         // bad continuation
      {"\xF5\x80\x80\x80", false},     // no such lead byte
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidUtf8(text.data(), text.size()), valid) << testing::PrintToString(text);
}

}  // namespace
}  // namespace report::tool
