// The command line of the sestava tool: what each command line of
// data/arguments.txt gives, and the reason of every wrong one.
#include <gtest/gtest.h>

#include <QFile>
#include <QVariant>

#include "report/sestava/arguments.h"
#include "tests/report/testing.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

// Appends "key=value" (a flag: "key") for each member given that differs from its default.
template <typename S>
void Put(QStringList&, const S&) {}
template <typename S, typename M, typename... Rest>
void Put(QStringList& out, const S& s, const char* key, M S::*member, Rest... rest) {
  if (s.*member != S{}.*member) {
    const QString k = QString::fromLatin1(key);
    if constexpr (std::is_same_v<M, bool>) out.append(k);
    else if constexpr (std::is_enum_v<M>) out.append(k + u'=' + QString::number(int(s.*member)));
    else out.append(k + u'=' + QVariant(s.*member).toString());
  }
  Put(out, s, rest...);
}

// The command and every setting that differs from its default.
QString Settings(const Arguments& a) {
  using R = RunArguments;
  using B = BarcodeArguments;
  QStringList out;
  switch (a.command) {
    case Command::Help: return u"help"_s;
    case Command::Run:
      out = {u"run"_s};
      Put(out, a.run, "template", &R::templatePath, "data", &R::dataPath, "sqlite", &R::sqlitePath, "query", &R::query);
      for (const QString& p : a.run.parameters) out.append(u"param="_s + p);
      Put(out, a.run, "text", &R::textPath, "codepage", &R::codepage, "pdf", &R::pdfPath, "png", &R::pngDir, "emf",
          &R::emfBase, "wmf", &R::wmfBase, "dpi", &R::dpi, "from", &R::startPage, "to", &R::endPage, "max-records",
          &R::maxRecords, "one-record", &R::oneRecord, "quiet", &R::quiet);
      if (a.run.textToStdout()) out.append(u"stdout"_s);
      break;
    case Command::Barcode:
      out = {u"barcode"_s};
      Put(out, a.barcode, "type", &B::type, "text", &B::text, "check", &B::checkDigit, "ratio", &B::ratio, "modules",
          &B::modules);
      break;
    case Command::Check:
      out = {u"check"_s, u"template="_s + a.check.templatePath};
      Put(out, a.check, "data", &CheckArguments::dataPath);
      if (a.check.fieldsGiven) out.append(u"fields="_s + a.check.fields.join(u','));
      break;
  }
  return out.join(u' ');
}

TEST(SestavaArguments, CommandLines) {
  QFile file(QStringLiteral(SESTAVA_TEST_DATA "/arguments.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
  int lines = 0;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    SCOPED_TRACE(line.toStdString());
    const QString words = line.section(u"=>"_s, 0, 0), expected = line.section(u"=>"_s, 1).trimmed();
    QStringList args = words.split(u' ', Qt::SkipEmptyParts);
    for (QString& a : args) a.replace(u'~', u' ');
    Arguments parsed;
    QString error;
    const bool ok = ParseArguments(args, &parsed, &error);
    if (expected.startsWith(u"error: ")) {
      EXPECT_FALSE(ok);
      EXPECT_TRUE(error.startsWith(u"sestava") && error.contains(expected.mid(7))) << error.toStdString();
    } else {
      ASSERT_TRUE(ok) << error.toStdString();
      EXPECT_EQ(Settings(parsed), expected);
    }
    ++lines;
  }
  EXPECT_GT(lines, 40);
}

}  // namespace
}  // namespace report::tool
