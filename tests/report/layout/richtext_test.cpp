// The rich-text reader of text elements: paragraphs, runs and their formatting,
// code pages and Unicode, skipped destinations, and hostile input.
#include <string_view>

#include <gtest/gtest.h>

#include "../testing.h"
#include "report/layout/richtext.h"

using namespace Qt::StringLiterals;
using namespace std::literals;

namespace report {
namespace {

QStringView View(std::u16string_view s) { return QStringView(s.data(), static_cast<qsizetype>(s.size())); }

// The parse result as one line: paragraphs joined by '¶', each with "<r>", "<c>"
// or "<j>" when not left-aligned; runs joined by '|', each with its formatting as
// "{b,i,u,<size>pt,f=<font>,#RRGGBB}" when it has any.
QString Describe(const RichText& t) {
  static const char16_t* const kAlign[] = {u"", u"<r>", u"<c>", u"<j>"};
  QString out;
  for (qsizetype p = 0; p < t.paragraphs.size(); ++p) {
    const RichParagraph& para = t.paragraphs[p];
    if (p > 0) out += u'¶';
    out += para.alignment >= 0 && para.alignment <= 3 ? QString::fromUtf16(kAlign[para.alignment]) : u"<?>"_s;
    for (qsizetype r = 0; r < para.runs.size(); ++r) {
      const RichRun& run = para.runs[r];
      if (r > 0) out += u'|';
      QStringList f;
      if (run.bold) f << u"b"_s;
      if (run.italic) f << u"i"_s;
      if (run.underline) f << u"u"_s;
      if (run.pointSize != 0) f << QString::number(run.pointSize) + u"pt"_s;
      if (!run.fontName.isEmpty()) f << u"f="_s + run.fontName;
      if (run.hasColor) f << u"#"_s + QString::number(run.rgb, 16).rightJustified(6, u'0').toUpper();
      if (!f.isEmpty()) out += u'{' + f.join(u',') + u'}';
      out += run.text;
    }
  }
  return out;
}

struct ParseCase {
  const char* name;
  std::u16string_view rtf;
  std::u16string_view expected;  // Describe() of the result
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

const ParseCase kParseCases[] = {
    // Paragraphs.
    {"OneParagraphWithoutPar", u"{\\rtf1 text}", u"text"},
    {"Paragraphs", u"{\\rtf1 one\\par two\\par three}", u"one¶two¶three"},
    {"FinalParStartsNoParagraph", u"{\\rtf1 one\\par}", u"one"},
    {"EmptyParagraphsKept", u"{\\rtf1 one\\par\\par two\\par\\par}", u"one¶¶two¶"},
    {"BackslashLineEndIsPar", u"{\\rtf1 one\\\r\ntwo}", u"one¶two"},
    {"LineEndsIgnored", u"{\\rtf1 on\r\ne\ntwo}", u"onetwo"},
    {"LineAndTab", u"{\\rtf1 a\\line b\\tab c}", u"a\nb\tc"},
    {"TableCellsAndRows", u"{\\rtf1 a\\cell b\\cell\\row c}", u"a\tb\t¶c"},
    {"TextAfterFinalBraceIgnored", u"{\\rtf1 a}b{c}", u"a"},
    {"LeadingBlanks", u" \r\n\t{\\rtf1 a}", u"a"},
    // Control words: delimiters, parameters, unknown words.
    {"SpaceDelimiterConsumed", u"{\\rtf1 \\b  a}", u"{b} a"},
    {"DigitsEndTheWord", u"{\\rtf1 \\b1x\\b0 y}", u"{b}x|y"},
    {"UnknownWordsIgnored", u"{\\rtf1 a\\parb b\\foo-12 c\\lang1029 d}", u"abcd"},
    // Character formatting.
    {"BoldToggle", u"{\\rtf1 a\\b b\\b0 c}", u"a|{b}b|c"},
    {"GroupRestores", u"{\\rtf1 a{\\b\\i b{\\ul c}d}e}", u"a|{b,i}b|{b,i,u}c|{b,i}d|e"},
    {"EqualRunsMerged", u"{\\rtf1 a{\\b0 b}{c}\\i0 d}", u"abcd"},
    {"UnderlineOffForms", u"{\\rtf1 \\ul a\\ulnone b\\ul c\\ul0 d\\uldb e\\ulc1 f}", u"{u}a|b|{u}c|d|{u}ef"},
    {"Italic", u"{\\rtf1 \\i a\\i0 b}", u"{i}a|b"},
    {"FontSizeHalfPoints", u"{\\rtf1 \\fs21 a\\fs24 b\\fs0 c\\fs-8 d\\fs e}", u"{10.5pt}a|{12pt}b|cde"},
    {"Plain", u"{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\b\\i\\ul\\fs30\\cf1 a\\plain b}",
     u"{b,i,u,15pt,#010203}a|b"},
    {"HiddenTextDropped", u"{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", u"abd"},
    // Colour and font tables.
    {"ColorTable",
     u"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}\\cf1 r\\cf2 g\\cf0 d\\cf3 x\\cf-1 y}",
     u"{#FF0000}r|{#0080FF}g|dxy"},
    {"ColorComponentsClamped", u"{\\rtf1{\\colortbl;\\red300\\green-5\\blue7}\\cf1 x}", u"{#FF0007}x"},
    {"ColorEntryWithoutComponentsIsAuto", u"{\\rtf1{\\colortbl\\red9;;\\blue9;}\\cf1 a\\cf2 b}", u"a|{#000009}b"},
    {"FontTable",
     u"{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman Times New Roman;}}\\f1 a\\f0 b\\f7 c}",
     u"{f=Times New Roman}a|{f=Arial}b|c"},
    {"FontTableWithoutEntryGroups", u"{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Courier New ;}\\f1 a}", u"{f=Courier New}a"},
    {"FontEntrySubgroupsSkipped",
     u"{\\rtf1{\\fonttbl{\\f2\\fnil{\\*\\panose 020b0604}Calibri{\\*\\falt Arial};}}\\f2 a}", u"{f=Calibri}a"},
    {"FontNameWithoutSemicolon", u"{\\rtf1{\\fonttbl{\\f3 Tahoma}}\\f3 a}", u"{f=Tahoma}a"},
    {"PlainDropsFont", u"{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}}a\\f0 b\\plain c}", u"a|{f=Arial}b|c"},
    // Code pages and Unicode.
    {"HexByteCp1250", u"{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9c\\'8a}", u"čśŠ"},
    {"HexByteDefaultCp1250", u"{\\rtf1 \\'E8\\'e1}", u"čá"},
    {"HexByteCp1252", u"{\\rtf1\\ansi\\ansicpg1252 \\'e8\\'9c\\'80}", u"èœ€"},
    {"OtherCodePageKeeps1250", u"{\\rtf1\\ansicpg1251 \\'e8}", u"č"},
    {"TruncatedHexByte", u"{\\rtf1 a\\'4x\\'}", u"ax"},
    {"UnicodeSkipsReplacement", u"{\\rtf1 \\u269?\\u268 ?x}", u"čČx"},
    {"UnicodeSkipsHexByte", u"{\\rtf1 \\u269\\'e8x}", u"čx"},
    {"UnicodeNegativeSurrogates", u"{\\rtf1 \\u-10179?\\u-8704?}", u"😀"},
    {"Uc0SkipsNothing", u"{\\rtf1\\uc0 \\u269?}", u"č?"},
    {"Uc2", u"{\\rtf1\\uc2\\u269\\'e8\\'e8x}", u"čx"},
    {"UcScopedToGroup", u"{\\rtf1{\\uc0\\u269 a}\\u269?b}", u"čačb"},
    {"BraceEndsSkipping", u"{\\rtf1\\uc5\\u269{a}b}", u"čab"},
    {"UnicodeOutOfRange", u"{\\rtf1 \\u70000?\\u-40000?}", u"\uFFFD\uFFFD"},
    // Control symbols.
    {"EscapedBracesAndBackslash", u"{\\rtf1 \\{a\\}\\\\}", u"{a}\\"},
    {"SpecialSymbols", u"{\\rtf1 a\\~b\\-c\\_d\\|e}", u"a\u00A0bc-de"},
    {"NamedCharacters", u"{\\rtf1 \\ldblquote a\\rdblquote\\emdash\\bullet}", u"“a”—•"},
    // Destinations.
    {"GeneratorSkipped", u"{\\rtf1{\\*\\generator Riched20 10.0;}a}", u"a"},
    {"UnknownIgnorableSkipped", u"{\\rtf1 a{\\*\\unknownword {nested} text}b}", u"ab"},
    {"StylesheetSkipped", u"{\\rtf1{\\stylesheet{\\s0\\b Normal;}{\\s1 heading 1;}}a}", u"a"},
    {"InfoSkipped", u"{\\rtf1{\\info{\\title T}{\\author A}}a}", u"a"},
    {"PictSkipped", u"{\\rtf1 a{\\pict\\pngblip\\picw10 89504e470d0a}b}", u"ab"},
    {"BinaryDataSkipped", u"{\\rtf1{\\pict\\bin4 {}}x}y}", u"y"},
    {"HeaderFooterSkipped", u"{\\rtf1{\\header h}{\\footer f}a}", u"a"},
    {"FieldResultKept", u"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt{\\ul link}}}}", u"{u}link"},
    {"ParInSkippedGroupIgnored", u"{\\rtf1 a{\\info b\\par c}d}", u"ad"},
    // Alignment.
    {"Alignment", u"{\\rtf1\\qc a\\par\\pard b\\par\\qr c\\par\\qj d\\par\\qd e\\par\\ql f}",
     u"<c>a¶b¶<r>c¶<j>d¶<j>e¶f"},
    {"AlignmentAtPar", u"{\\rtf1 a\\qr\\par b\\par\\pard c}", u"<r>a¶<r>b¶c"},
    {"AlignmentRestoredByGroup", u"{\\rtf1{\\qc a\\par}b\\par{\\qr c}}", u"<c>a¶b¶<r>c"},
    {"PardKeepsCharacterFormat", u"{\\rtf1\\b\\qc a\\par\\pard b}", u"<c>{b}a¶{b}b"},
    // Hostile input.
    {"Empty", u"", u""},
    {"EmptyDocument", u"{\\rtf1}", u""},
    {"UnbalancedOpenBraces", u"{\\rtf1 {{{{a", u"a"},
    {"ExtraClosingBraces", u"{\\rtf1 a}}}}b", u"a"},
    {"StrayClosingBraceFirst", u"}a{\\rtf1 b}c", u"ab"},
    {"HugeFontSize", u"{\\rtf1\\fs99999999999999 x}", u"{1638pt}x"},
    {"HugeParameters", u"{\\rtf1{\\uc99999999999\\u269abc}\\cf99999999999 d\\f-99999999999 e}", u"čde"},
    {"LoneBackslashAtEnd", u"{\\rtf1 a\\", u"a"},
    {"TruncatedControlWord", u"{\\rtf1 a\\b", u"a"},
    {"NulCharacters", u"{\\rtf1 a\0b\\'00c\\u0?d}"sv, u"abcd"},
    {"BinBeyondEnd", u"{\\rtf1 a\\bin99999999999 b}", u"a"},
    {"NotRtfReadAsBody", u"plain {\\b text} more", u"plain |{b}text"},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, Result) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(Describe(ParseRichText(View(c.rtf))), View(c.expected).toString());
}

INSTANTIATE_TEST_SUITE_P(RichText, ParseTest, ::testing::ValuesIn(kParseCases),
                         [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(RichText, DocumentsGiveAtLeastOneParagraph) {
  for (std::u16string_view rtf : {u""sv, u"{\\rtf1}"sv, u"{\\rtf1\\par}"sv, u"{\\rtf1{\\*\\generator x}}"sv}) {
    SCOPED_TRACE(View(rtf).toString().toStdString());
    const RichText t = ParseRichText(View(rtf));
    ASSERT_EQ(t.paragraphs.size(), 1);
    EXPECT_TRUE(t.paragraphs[0].runs.isEmpty());
  }
}

TEST(RichText, RunValues) {
  const RichText t = ParseRichText(
      u"{\\rtf1{\\fonttbl{\\f1 Arial;}}{\\colortbl;\\red18\\green52\\blue86;}\\qc\\f1\\fs19\\cf1\\b\\i\\ul x}");
  ASSERT_EQ(t.paragraphs.size(), 1);
  EXPECT_EQ(t.paragraphs[0].alignment, kRichAlignCenter);
  RichRun expected;
  expected.text = u"x"_s;
  expected.bold = expected.italic = expected.underline = true;
  expected.pointSize = 9.5;
  expected.fontName = u"Arial"_s;
  expected.hasColor = true;
  expected.rgb = 0x123456;
  EXPECT_EQ(t.paragraphs[0].runs, QList<RichRun>{expected});
}

TEST(RichText, PlainTextJoinsParagraphs) {
  EXPECT_EQ(ParseRichText(u"{\\rtf1 a{\\b b}\\line c\\par\\par d}").plainText(), u"ab\nc\n\nd"_s);
  EXPECT_EQ(RichText{}.plainText(), QString());
}

TEST(RichText, IsRichText) {
  const struct {
    std::u16string_view text;
    bool rich;
  } cases[] = {
      {u"{\\rtf1\\ansi x}", true}, {u" \r\n\t{\\rtf", true}, {u"{\\rtf", true},     {u"{\\rt", false},
      {u"{\\RTF1 x}", false},      {u"{ \\rtf1", false},     {u"x{\\rtf1}", false}, {u"", false},
      {u"\\rtf1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsRichText(View(c.text)), c.rich) << View(c.text).toString().toStdString();
}

// Deeper than 64 levels the groups save nothing: the formatting they set holds
// until the level-64 group closes, which restores the outer state.
TEST(RichText, DeepNesting) {
  constexpr int kDepth = 10000;
  const QString rtf = u"{\\rtf1 "_s + u"{\\b "_s.repeated(kDepth) + u"x\\i0"_s + u"}"_s.repeated(kDepth) + u"y}"_s;
  EXPECT_EQ(Describe(ParseRichText(rtf)), u"{b}x|y"_s);

  // Level 1 is the document; levels 2 … 64 save; the groups at 65 and 66 do not.
  const QString leak = u"{\\rtf1 "_s + u"{"_s.repeated(63) + u"{\\b a}{\\i b}"_s + u"}"_s.repeated(63) + u"c}"_s;
  EXPECT_EQ(Describe(ParseRichText(leak)), u"{b}a|{b,i}b|c"_s);
  const QString kept = u"{\\rtf1 "_s + u"{"_s.repeated(62) + u"{\\b a}{\\i b}"_s + u"}"_s.repeated(62) + u"c}"_s;
  EXPECT_EQ(Describe(ParseRichText(kept)), u"{b}a|{i}b|c"_s);

  const QString open = u"{\\rtf1 "_s + u"{"_s.repeated(kDepth) + u"z"_s;
  EXPECT_EQ(ParseRichText(open).plainText(), u"z"_s);
}

TEST(RichText, LargeInput) {
  // About 1 MB of alternating runs, and one control word of 1 MB letters.
  const QString body = u"\\b x\\b0 y\\u269?{\\i z}\\par"_s.repeated(40000);
  const RichText t = ParseRichText(u"{\\rtf1 "_s + body + u"}"_s);
  ASSERT_EQ(t.paragraphs.size(), 40000);
  EXPECT_EQ(Describe(RichText{{t.paragraphs.constLast()}}), u"{b}x|yč|{i}z"_s);
  EXPECT_EQ(ParseRichText(u"{\\rtf1 a\\"_s + QString(1 << 20, u'q') + u" b}"_s).plainText(), u"ab"_s);
}

}  // namespace
}  // namespace report
