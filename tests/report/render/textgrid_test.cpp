// Text output as exact bytes: lines per page, places, alignment, page range, copies, code pages.
#include <gtest/gtest.h>

#include "report/render/textgrid.h"

namespace report {
namespace {

// A4, no margins, 6 lines and 10 characters per inch: a line 16.67 hundredths of an inch, a character 10.
TSestVystup Doc(int pages) {
  TSestVystup doc;
  doc.paper.width = 826;
  doc.paper.height = 1169;
  doc.raster.linePitch = 0;
  doc.raster.charPitch = 0;
  for (int p = 0; p < pages; ++p) doc.pages.append(TStranaPrvku{});
  return doc;
}

TVystPrvek Text(int left, int top, int width, const QString& text, int alignment = kAlignLeft, int style = 0) {
  TVystPrvek e;
  e.look.kind = kElementText;
  e.look.alignment = alignment;
  e.look.font.style = style;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = 17;
  e.text = text;
  return e;
}

QByteArray Lines(int count) { return QByteArray("\r\n").repeated(count); }

TEST(TextOutput, LinesPerPage) {
  for (const auto& [linePitch, lines] : {std::pair{0, 70}, {1, 46}, {2, 35}}) {
    TSestVystup doc = Doc(1);
    doc.raster.linePitch = linePitch;
    EXPECT_EQ(TextLinesPerPage(doc), lines);
    EXPECT_EQ(TextOutput(doc, 1, 1, 1, slUndefined), Lines(lines));
  }
}

TEST(TextOutput, PlacesTextsAndKeepsTheFirst) {
  TSestVystup doc = Doc(1);
  doc.pages[0].elements = {
      Text(0, 0, 200, QStringLiteral("ABCDEF")),
      Text(20, 0, 200, QStringLiteral("xxxxxxx  q")),      // over C…F: only the blanks after F are filled
      Text(0, 34, 100, QStringLiteral("42"), kAlignRight),  // line 2, right in ten columns
      Text(0, 51, 100, QStringLiteral("mid"), kAlignCenter, kFontBold),
  };
  const QByteArray expected = QByteArray("ABCDEFxxx  q\r\n\r\n        42\r\n   mid\r\n") + Lines(66);
  EXPECT_EQ(TextOutput(doc, 1, 1, 1, slUndefined), expected);
}

TEST(TextOutput, RangeCopiesAndEmpty) {
  TSestVystup doc = Doc(3);
  doc.paper.height = 50;  // three lines a page
  for (int p = 0; p < 3; ++p) doc.pages[p].elements = {Text(0, 0, 100, QString::number(p + 1))};
  const QByteArray page2 = "2\r\n\r\n\r\n", page3 = "3\r\n\r\n\r\n";
  EXPECT_EQ(TextOutput(doc, 2, 9, 1, slUndefined), page2 + page3);  // beyond the end: up to the last page
  EXPECT_EQ(TextOutput(doc, 0, 1, 2, slUndefined), "1\r\n\r\n\r\n1\r\n\r\n\r\n");  // from page 1, twice
  EXPECT_EQ(TextOutput(doc, 3, 3, 0, slUndefined), page3);                          // copies 0: once
  EXPECT_EQ(TextOutput(Doc(0), 1, 9999, 1, slUndefined), QByteArray());
}

TEST(TextOutput, CodePages) {
  TSestVystup doc = Doc(1);
  doc.paper.height = 17;  // one line
  doc.pages[0].elements = {Text(0, 0, 300, QStringLiteral("Žár 20 °C"))};
  // The conversions themselves: the code page tests of the model.
  EXPECT_EQ(TextOutput(doc, 1, 1, 1, slUndefined), "\x8E\xE1r 20 \xB0" "C\r\n");
  EXPECT_EQ(TextOutput(doc, 1, 1, 1, slCP852), "\xA6\xA0r 20 \xF8" "C\r\n");
}

TEST(TextGrid, LayersByPitchAndStyle) {
  EXPECT_EQ(TextLayer(10, 0), 0);
  EXPECT_EQ(TextLayer(12, kFontBold), 9);
  EXPECT_EQ(TextLayer(17, kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut), 23);
  TZnakovyRadek line;
  line.put(TextLayer(12, kFontBold), 2, u"ab");
  line.put(0, 0, u"xyzw");
  EXPECT_EQ(line.layer(9), QStringLiteral("  ab"));
  EXPECT_EQ(line.layer(0), QStringLiteral("xy"));
  EXPECT_EQ(line.merged(), QStringLiteral("xyab"));
  line.put(0, kMaxTextColumns - 1, u"hostile");  // cut at the widest line
  EXPECT_EQ(line.merged().size(), kMaxTextColumns);
}

}  // namespace
}  // namespace report
