// Paper, paper formats and the ini file, colours, fonts, code pages, number and
// format patterns, system variables.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include "report/io/codepage.h"
#include "report/model/colortable.h"
#include "report/io/formatpattern.h"
#include "report/io/inifile.h"
#include "report/io/paperformats.h"
#include "report/model/reportdefinition.h"
#include "report/run/reportdata.h"
#include "report/model/reportfont.h"
#include "report/model/reportlimits.h"
#include "report/model/reportpaper.h"
#include "report/io/systemvariables.h"
#include "testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

TEST(Paper, SizesAndColumns) {
  ReportPaper p{kLandscape, 826, 1169, 50, 30, 20, 10, 3, 12};
  EXPECT_EQ((QList<int>{p.pageWidth(), p.pageHeight(), p.printableWidth(), p.printableHeight(), p.columnWidth()}),
            (QList<int>{1169, 826, 1089, 796, (1089 + 12) / 3}));
  EXPECT_FALSE(p.clamp());
}

TEST(Paper, ClampKeepsEveryDivisionSafe) {
  ReportPaper p{5, 0, -3, -1, 99999, 2000, 2000, 0, -4};
  EXPECT_TRUE(p.clamp());
  EXPECT_EQ((QList<int>{p.orientation, p.width, p.height, p.columns, p.columnGap}),
            (QList<int>{kPortrait, 1, 1, 1, 0}));
  EXPECT_GE(p.printableWidth(), 1);
  EXPECT_GE(p.printableHeight(), 1);
  ReportPaper many{kPortrait, 826, 1169, 0, 0, 0, 0, 100000, 0};
  many.clamp();
  EXPECT_EQ(many.columns, kMaxPrintColumns);
  EXPECT_GE(many.columnWidth(), 1);
}

TEST(PaperFormats, BuiltinNamesAreJoinedAsWritten) {
  const TListFormatu list;
  ASSERT_EQ(list.count(), 18);
  EXPECT_EQ(list.at(1), (TFormatPapiru{u"Skládaný (8.5 x 12\")"_s, 850, 1200}));
  EXPECT_EQ(list.at(10), (TFormatPapiru{u"A6 (105 x 148.5mm)"_s, 413, 584}));
  EXPECT_EQ(list.at(17), (TFormatPapiru{u"Obálka otoč.(162 x 228 mm)"_s, 637, 896}));
  EXPECT_TRUE(list.userFormats().isEmpty());
}

class IniTest : public ::testing::Test {
 protected:
  // Writes the ini file and reads it into list.
  LoadResult load(const QByteArray& bytes) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    return list.loadIni(path);
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(u"SestDLL.ini"_s);
  TListFormatu list;
};

TEST_F(IniTest, FormatsFromTheIniFile) {
  const LoadResult r = load(EncodeCp1250(
      u"[Jine]\r\nFormat1=nic,1,1\r\n[FormatyPapiru]\r\nPocetFormatu=4\r\nFormat1=Štítek,400,200\r\n"
      "Format2=\"Role, široká\",1500,3000\r\nformat3= Mezery ,100,100\r\nFormat4=Špatný,x,100\r\n"_s));
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(list.userFormats(), (QList<TFormatPapiru>{{u"Štítek"_s, 400, 200},
                                                      {u"Role, široká"_s, 1500, 3000},
                                                      {u"Mezery"_s, 100, 100}}));
  ASSERT_EQ(r.issues.size(), 1);
  EXPECT_EQ(r.error(), (LoadIssue{8, 0, loadmsg::BadFormat()}));
}

TEST_F(IniTest, HugeCountIsCapped) {
  const LoadResult r = load("[FormatyPapiru]\nPocetFormatu=2000000000\nFormat1=A,1,2\nFormat300=B,3,4\n");
  ASSERT_EQ(list.userFormats().size(), 1);
  EXPECT_EQ(r.error(), (LoadIssue{2, 1, loadmsg::OutOfRange()}));
}

TEST_F(IniTest, LongNamesAndSizesAreClamped) {
  const LoadResult r = load("[FormatyPapiru]\nPocetFormatu=1\nFormat1=" + QByteArray(40, 'n') + ",99999,5\n");
  ASSERT_EQ(list.userFormats().size(), 1);
  const TFormatPapiru f = list.userFormats()[0];
  EXPECT_EQ((QList<qsizetype>{f.name.size(), f.width, r.issues.size()}),
            (QList<qsizetype>{kMaxFormatNameLength, kMaxPaperLength, 2}));
}

TEST_F(IniTest, MissingFileAddsNothing) {
  EXPECT_TRUE(list.loadIni(dir.filePath(u"nic.ini"_s)).ok);
  EXPECT_EQ(list.count(), TListFormatu::kBuiltinCount);
}

TEST_F(IniTest, WritingBackKeepsTheRestOfTheFile) {
  load("; poznamka\r\n[Jine]\r\nKlic=a,b\r\n[FormatyPapiru]\r\nPocetFormatu=2\r\n"
       "Format1=X,1,2\r\nFormat2=Y,3,4\r\n[Konec]\r\nK=1\r\n");
  ASSERT_TRUE(list.removeUserFormat(0));
  list.addUserFormat({u"uživ. \"formát\", nový"_s, 500, 600});
  ASSERT_TRUE(list.saveIni(path));
  IniFile ini;
  ASSERT_TRUE(ini.load(path).ok);
  const QStringList values{ini.value(u"Jine"_s, u"Klic"_s)->text, ini.value(u"Konec"_s, u"K"_s)->text,
                           ini.value(u"FormatyPapiru"_s, u"PocetFormatu"_s)->text,
                           ini.value(u"FormatyPapiru"_s, u"Format1"_s)->text};
  EXPECT_EQ(values, (QStringList{u"a,b"_s, u"1"_s, u"2"_s, u"Y,3,4"_s}));
  EXPECT_TRUE(ini.text().startsWith(u"; poznamka\r\n"_s));
  TListFormatu again;
  again.loadIni(path);
  EXPECT_EQ(again.userFormats(), list.userFormats());
}

TEST(Colors, TableAndRules) {
  EXPECT_EQ(ColorOfIndex(9), (ReportRgb{255, 0, 0}));
  EXPECT_EQ((QList<ReportRgb>{ColorOfIndex(16), ColorOfIndex(-1)}), (QList<ReportRgb>(2, ReportRgb{0, 0, 0})));
  for (int i = 0; i < kColorCount; ++i) EXPECT_EQ(IndexOfColor(ColorOfIndex(i)), i);
  EXPECT_EQ((QList<int>{IndexOfColor({1, 2, 3}), ClampColorIndex(15), ClampColorIndex(16)}), (QList<int>{0, 15, 0}));
}

TEST(Fonts, ScriptSuffix) {
  auto onlyArial = [](const QString& n) { return n == u"Arial"_s; };
  struct Case {
    const char16_t* name;
    const char16_t* result;
    int charset;
  };
  const Case cases[] = {
      {u"Arial CE", u"Arial", 238},       {u"Times Greek", u"Times", 161}, {u"Courier TUR", u"Courier", 162},
      {u"Arial Baltic", u"Arial", 186},   {u"Arial CYR", u"Arial", 204},   {u"Arial", u"Arial", 0},
      {u"Neznámé písmo", u"Neznámé písmo", 0},
  };
  for (const Case& c : cases) {
    const ResolvedFont f = ResolveFontName(U(c.name), 0, onlyArial);
    EXPECT_EQ(f.name, U(c.result)) << S(c.name);
    EXPECT_EQ(f.charset, c.charset) << S(c.name);
  }
  // An installed font keeps its name.
  const ResolvedFont installed = ResolveFontName(u"Arial CE"_s, 0, [](const QString&) { return true; });
  EXPECT_TRUE(installed.name == u"Arial CE"_s && installed.charset == 0) << installed.name.toStdString();
}

TEST(CodePage, AgreesWithTheSystemDecoder) {
  QStringDecoder icu("windows-1250");
  if (!icu.isValid()) GTEST_SKIP() << "no windows-1250 decoder on this system";
  for (int b = 0; b < 256; ++b) {
    const QByteArray one(1, static_cast<char>(b));
    const QString expected = icu(one);
    EXPECT_EQ(DecodeCp1250(one), expected) << "byte " << b;
    EXPECT_EQ(EncodeCp1250(expected), one) << "byte " << b;
  }
}

TEST(CodePage, ExportConversion) {
  const QString czech = u"Žluťoučký kůň úpěl ďábelské ódy"_s;
  EXPECT_EQ(ConvertExportText(czech, slASCII), QByteArray("Zlutoucky kun upel dabelske ody"));
  EXPECT_EQ(ConvertExportText(czech, slCP1250), EncodeCp1250(czech));
  EXPECT_EQ(ConvertExportText(czech, slUndefined), EncodeCp1250(czech));
  // Kamenický: the letter at list position k becomes 128 + k.
  EXPECT_EQ(ConvertExportText(u"Čüé"_s, slCP867), QByteArray("\x80\x81\x82"));
  EXPECT_EQ(ConvertExportText(u"Ŕ"_s, slCP867), QByteArray("\xAB"));
  // Characters outside the list: as the target has them, else '?'. The degree sign
  // is 0xF8 in code page 852 and in Kamenický (from code page 437), never a block.
  const struct {
    const char16_t* text;
    TSestLanguage language;
    QByteArray bytes;
  } others[] = {
      {u"20 °C", slCP852, "20 \xF8" "C"}, {u"20 °C", slCP867, "20 \xF8" "C"}, {u"20 °C", slASCII, "20 ?C"},
      {u"€ ß", slASCII, "? ?"},          {u"ő ę", slASCII, "o e"},             {u"ő Ł", slCP852, "\x8B \x9D"},
      {u"¼ ½ ┼ ≥", slCP867, "\xAC ? \xC5 \xF2"}, {u"ä ┼", slCP867, "\x84 \xC5"},  {u"€", slCP867, "?"},
  };
  for (const auto& o : others) EXPECT_EQ(ConvertExportText(U(o.text), o.language), o.bytes) << S(o.text);
  QStringDecoder dos("IBM852");
  if (dos.isValid()) {
    const QString letters = u"ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ°§÷"_s;
    EXPECT_EQ(QString(dos(ConvertExportText(letters, slCP852))), letters);
  }
}

TEST(NumberFormatting, Formats) {
  const ReportLocale c = ReportLocale::c();
  struct Case {
    double v;
    int format, precision, digits;
    const char16_t* text;
  };
  const Case cases[] = {
      {1234.5678, kFormatFixed, 15, 2, u"1234.57"},       {-0.125, kFormatFixed, 15, 1, u"-0.1"},
      {2, kFormatFixed, 15, 0, u"2"},                     {1.0 / 3, kFormatFixed, 3, 5, u"0.33300"},
      {1234567.891, kFormatNumber, 15, 2, u"1,234,567.89"}, {-1234.5, kFormatCurrency, 15, 2, u"$ -1,234.50"},
      {1234.5, kFormatExponent, 4, 2, u"1.235E+03"},      {0.00012, kFormatExponent, 3, 0, u"1.20E-4"},
      {123.456, kFormatGeneral, 15, 0, u"123.456"},       {0.5, kFormatGeneral, 15, 0, u"0.5"},
      {1e20, kFormatGeneral, 15, 0, u"1E20"},             {1.5e-7, kFormatGeneral, 15, 0, u"1.5E-7"},
      {0, kFormatGeneral, 15, 0, u"0"},                   {1e20, kFormatFixed, 15, 2, u"1.00000000000000E+20"},
      {5, 9, 15, 1, u"5.0"},             // unknown format: fixed
      {7, kFormatFixed, 0, 1, u"7.0"},   // precision below 1: 15
      {std::numeric_limits<double>::infinity(), kFormatFixed, 15, 2, u"INF"},
      {std::nan(""), kFormatFixed, 15, 2, u"NAN"},
  };
  for (const Case& k : cases) EXPECT_EQ(FormatFloat(k.v, k.format, k.precision, k.digits, c), U(k.text)) << k.v;
  ReportLocale cz;
  EXPECT_EQ(FormatFloat(1234.5, kFormatNumber, 15, 2, cz), u"1\u00A0234,50"_s);
  EXPECT_EQ(FormatFloat(12, kFormatCurrency, 15, 2, cz), u"12,00 Kč"_s);
}

TEST(FormatPatterns, ValuePatternsAndLiterals) {
  const ReportLocale c = ReportLocale::c();
  struct Case {
    const char16_t* pattern;
    FormatArgument arg;
    const char16_t* text;
  };
  const Case cases[] = {
      {u"%d", FormatArgument::ofInteger(42), u"42"}, {u"Strana %d", FormatArgument::ofInteger(3), u"Strana 3"},
      {u"%5d|", FormatArgument::ofInteger(42), u"   42|"}, {u"%-5d|", FormatArgument::ofInteger(42), u"42   |"},
      {u"%05d", FormatArgument::ofInteger(-42), u"-0042"}, {u"%.3d", FormatArgument::ofInteger(7), u"007"},
      {u"%x", FormatArgument::ofInteger(255), u"ff"}, {u"%s kg", FormatArgument::ofText(u"1,5"_s), u"1,5 kg"},
      {u"%.2s", FormatArgument::ofText(u"abc"_s), u"ab"}, {u"%.2f", FormatArgument::ofFloat(3.14159), u"3.14"},
      {u"%f", FormatArgument::ofFloat(2), u"2.00"}, {u"%.2f", FormatArgument::ofText(u"2,5"_s), u"2.50"},
      {u"%n", FormatArgument::ofFloat(12345.678), u"12,345.68"}, {u"100 %%", FormatArgument::ofInteger(1), u"100 %"},
      // Anything else as it stands: never a crash, never a read past the argument.
      {u"%d %d %s", FormatArgument::ofInteger(1), u"1 %d %s"}, {u"%", FormatArgument::ofInteger(1), u"%"},
      {u"%q%n", FormatArgument::ofText(u"abc"_s), u"%q%n"}, {u"%*d", FormatArgument::ofInteger(1), u"%*d"},
      {u"%99999999999d", FormatArgument::ofInteger(1), u"%99999999999d"},
      {u"%d", FormatArgument::ofText(u"text"_s), u"%d"}, {u"%ls", FormatArgument::ofInteger(1), u"%ls"},
  };
  for (const Case& k : cases) EXPECT_EQ(FormatValue(U(k.pattern), k.arg, c), U(k.text)) << S(k.pattern);
}

TEST(FormatPatterns, DateTimePatterns) {
  const ReportLocale c = ReportLocale::c();
  const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9, 30));
  struct Case {
    const char16_t* pattern;
    const char16_t* text;
  };
  const Case cases[] = {
      {u"dd.mm.yyyy", u"07.03.2024"}, {u"d.m.yy", u"7.3.24"},       {u"hh:nn", u"14:05"},
      {u"hh:mm:ss", u"14:05:09"},     {u"h:n:s.zzz", u"14:5:9.030"}, {u"hh:nn am/pm", u"02:05 pm"},
      {u"'Dne' dd.mm.", u"Dne 07.03."}, {u"\"mm\" mm", u"mm 03"},     {u"yyyy-mm-dd!%", u"2024-03-07!%"},
      {u"mmmm", u"March"},            {u"dddd", u"Thursday"},       {u"q", u"q"},
  };
  for (const Case& k : cases) EXPECT_EQ(FormatDateTime(U(k.pattern), when, c), U(k.text)) << S(k.pattern);
}

TEST(SystemVariables, NamesAndTexts) {
  EXPECT_EQ(SystemVariableName(5), u"Číslo ř. ve sk.1"_s);
  EXPECT_EQ(SystemVariableName(8), u"Číslo skupiny 2"_s);
  const ReportLocale c = ReportLocale::c();
  EXPECT_EQ(SystemVariableText(kVarPage, 3, QString(), c), u"3"_s);
  EXPECT_EQ(SystemVariableText(kVarPageCount, 12, u"z %d stran"_s, c), u"z 12 stran"_s);
  const QDateTime when(QDate(2024, 3, 7), QTime(14, 5));
  const double v = DateTimeToVariable(when);
  EXPECT_DOUBLE_EQ(std::floor(v), 45358);  // days since 30 December 1899
  EXPECT_EQ(VariableToDateTime(v), when);
  EXPECT_EQ(SystemVariableText(kVarPrintDate, v, u"dd.mm.yyyy"_s, c), u"07.03.2024"_s);
  EXPECT_EQ(SystemVariableText(kVarPrintTime, v, u"hh:nn"_s, c), u"14:05"_s);
  EXPECT_EQ(SystemVariableText(kVarPrintDate, 1e300, QString(), c).isEmpty(), false);
}

TEST(ReportModel, ColumnAccessors) {
  ReportData r;
  r.FieldNames = {u"Vel1"_s, u"Vel2"_s};
  r.FieldLabels = {u"Teplota"_s};
  r.RowValues = {u"284,15"_s, u"x"_s};
  EXPECT_EQ((QList<int>{r.columnCount(), r.columnIndex(u"vel2"_s), r.columnIndex(u"Vel9"_s)}), (QList<int>{2, 1, -1}));
  EXPECT_EQ((QList<double>{r.columnValue(0), r.columnValue(1), r.columnValue(5)}), (QList<double>{284.15, 0, 0}));
  EXPECT_EQ((QStringList{r.columnText(1), r.columnText(2), r.columnName(7), r.columnCaption(0), r.columnCaption(1),
                         r.parameterText(0)}),
            (QStringList{u"x"_s, u"Položka ?"_s, u"7"_s, u"Teplota"_s, u""_s, u""_s}));
}

TEST(ReportModel, ElementKindNames) {
  EXPECT_EQ((QStringList{ElementKindName(kElementPaintBox), ElementKindName(14), ElementKindName(kElementDetail)}),
            (QStringList{u"Kreslicí plocha"_s, u"Neznámý"_s, u"Neznámý"_s}));
}

TEST(ReportModel, MemoFlagCountsForMemoColumns) {
  TReportElement e;
  e.kind = kElementColumn;
  e.flags = kFlagJustify;
  const int column[] = {e.effectiveFlags(true), e.effectiveFlags(false)};
  e.kind = kElementText;
  EXPECT_EQ((QList<int>{column[0], column[1], e.effectiveFlags(true)}),
            (QList<int>{kFlagJustify | kFlagMemo, kFlagJustify, kFlagJustify}));
}

}  // namespace
}  // namespace report
