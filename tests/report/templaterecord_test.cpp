// The field tokenizer of template records and the quoting of the writer.
#include <gtest/gtest.h>

#include "testing.h"
#include "report/io/templaterecord.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

QStringList Fields(const QString& line, int count) {
  TemplateRecord r(line);
  QStringList out;
  for (int i = 0; i < count; ++i) out << r.takeField();
  return out;
}

TEST(TemplateRecord, QuoteCases) {
  struct Case {
    const char16_t* line;
    QStringList fields;
  };
  const Case cases[] = {
      {u"\"a\"\"b\"", {u"a\"b"_s, u""_s}},                  // doubled quote
      {u"\"x\",y", {u"x"_s, u"y"_s}},                         // quoted x, then y
      {u"\"a,b\",c", {u"a,b"_s, u"c"_s}},                     // comma inside quotes
      {u"\"ab\"cd,e", {u"abcd"_s, u"e"_s}},                   // after the closing quote up to the comma
      {u"ab\"c,d", {u"ab\"c"_s, u"d"_s}},                     // quote inside an unquoted field
      {u"\"open,still", {u"open,still"_s, u""_s}},            // unterminated: to the end
      {u"a,,b", {u"a"_s, u""_s, u"b"_s}},                     // empty field
      {u"a,", {u"a"_s, u""_s, u""_s}},                        // missing fields are empty
      {u"\"\"", {u""_s, u""_s}},                              // empty quoted field
      {u"\"\"\"\"", {u"\""_s, u""_s}},                        // one quote
      {u" \"x\",y", {u" \"x\""_s, u"y"_s}},                   // a blank first: not quoted
  };
  for (const Case& c : cases) EXPECT_EQ(Fields(U(c.line), static_cast<int>(c.fields.size())), c.fields) << S(c.line);
}

TEST(TemplateRecord, Integers) {
  TemplateRecord r(u"12,-3, 7 ,,x1,99999999999,+5"_s);
  // Per field: the default, the value taken, whether the field is malformed. An
  // empty or missing field gives the default and is not malformed.
  const int cases[][3] = {{0, 12, 0}, {0, -3, 0}, {0, 7, 0}, {4, 4, 0}, {5, 5, 1}, {6, 6, 1}, {0, 5, 0}, {9, 9, 0}};
  for (const auto& c : cases) {
    bool bad = false;
    EXPECT_EQ(r.takeInt(c[0], &bad), c[1]) << "field " << (&c - cases) + 1;
    EXPECT_EQ(bad, c[2] != 0) << "field " << (&c - cases) + 1;
  }
}

TEST(TemplateRecord, RemainderAndFieldNumbers) {
  TemplateRecord r(u"D0,T,2,\"a,b\""_s);
  EXPECT_EQ(r.nextFieldNumber(), 1);
  EXPECT_EQ(r.takeField(), u"D0"_s);
  EXPECT_EQ(r.nextFieldNumber(), 2);
  EXPECT_EQ(r.remainder(), u"T,2,\"a,b\""_s);
}

TEST(TemplateRecord, WriterQuoting) {
  EXPECT_EQ(QuotedField(u"a\"b"_s), u"\"a\"\"b\""_s);
  EXPECT_EQ(QuotedField(u"line\r\nbreak\nend"_s), u"\"line\vbreak\vend\""_s);  // kept, one record
  TemplateRecord quoted(u"\"a\vb\",c"_s);
  EXPECT_EQ(quoted.takeField(), u"a\nb"_s);
  EXPECT_EQ(PlainField(u"Arial CE"_s), u"Arial CE"_s);
  EXPECT_EQ(PlainField(u"a,b"_s), u"\"a,b\""_s);
  EXPECT_EQ(PlainField(u"\"q"_s), u"\"\"\"q\""_s);
  EXPECT_EQ(PlainField(u"x\ny"_s), u"x y"_s);
  // Whatever is written reads back as it was.
  for (const QString& t : {u"a\"b"_s, u"a,b"_s, u"\""_s, u"\"\","_s, u""_s, u"ok"_s}) {
    TemplateRecord q(QuotedField(t) + u",next"_s);
    EXPECT_EQ(q.takeField(), t);
    EXPECT_EQ(q.takeField(), u"next"_s);
    TemplateRecord p(PlainField(t) + u",next"_s);
    EXPECT_EQ(p.takeField(), t);
    EXPECT_EQ(p.takeField(), u"next"_s);
  }
}

}  // namespace
}  // namespace report
