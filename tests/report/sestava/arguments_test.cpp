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

// The command and every setting that differs from its default.
QString Settings(const Arguments& a) {
  QStringList out;
  const auto put = [&out](const char* key, const QVariant& value, const QVariant& byDefault) {
    if (value == byDefault) return;
    out.append(QString::fromLatin1(key) + (value.typeId() == QMetaType::Bool ? QString() : u'=' + value.toString()));
  };
  const RunArguments run;
  const BarcodeArguments barcode;
  switch (a.command) {
    case Command::Help: return u"help"_s;
    case Command::Run:
      out = QStringList{u"run"_s};
      put("template", a.run.templatePath, run.templatePath);
      put("data", a.run.dataPath, run.dataPath);
      put("sqlite", a.run.sqlitePath, run.sqlitePath);
      put("query", a.run.query, run.query);
      for (const QString& p : a.run.parameters) out.append(u"param="_s + p);
      put("text", a.run.textPath, run.textPath);
      put("codepage", int(a.run.codepage), int(run.codepage));
      put("pdf", a.run.pdfPath, run.pdfPath);
      put("png", a.run.pngDir, run.pngDir);
      put("emf", a.run.emfBase, run.emfBase);
      put("wmf", a.run.wmfBase, run.wmfBase);
      put("dpi", a.run.dpi, run.dpi);
      put("from", a.run.startPage, run.startPage);
      put("to", a.run.endPage, run.endPage);
      put("max-records", a.run.maxRecords, run.maxRecords);
      put("one-record", a.run.oneRecord, run.oneRecord);
      put("quiet", a.run.quiet, run.quiet);
      put("stdout", a.run.textToStdout(), false);
      break;
    case Command::Barcode:
      out = QStringList{u"barcode"_s};
      put("type", a.barcode.type, barcode.type);
      put("text", a.barcode.text, barcode.text);
      put("check", a.barcode.checkDigit, barcode.checkDigit);
      put("ratio", a.barcode.ratio, barcode.ratio);
      put("modules", a.barcode.modules, barcode.modules);
      break;
    case Command::Check:
      out = QStringList{u"check"_s, u"template="_s + a.check.templatePath};
      put("data", a.check.dataPath, QString());
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
