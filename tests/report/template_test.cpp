// Reading and writing templates: every record kind, defaults, clamps, the old
// version rule, the character raster, references by name and index, details,
// the exact round trip of a template written by the designer's rules, and files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "report/io/codepage.h"
#include "report/model/colortable.h"
#include "report/io/templatetext.h"
#include "report/model/reportdefinition.h"
#include "report/model/reportlimits.h"
#include "report/io/systemvariables.h"
#include "report/io/templatefile.h"
#include "testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

QStringList Lines(const QString& text) {
  QStringList l = text.split(u'\n');
  while (!l.isEmpty() && l.first().isEmpty()) l.removeFirst();
  while (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
  return l;
}

// A report with the columns Vel1..Vel6 that has read the given lines.
struct Read {
  explicit Read(const QStringList& lines) {
    result = ParseTemplate(r, lines, {u"Vel1"_s, u"Vel2"_s, u"Vel3"_s, u"Vel4"_s, u"Vel5"_s, u"Vel6"_s});
  }
  ReportDefinition r;
  LoadResult result;
};

// A template as the designer writes it: every record kind, in the writer's order.
const QString kHandmade = uR"tpl(
I,0,"Termofyzikální vlastnosti ""IF97"""
I,1,4,0,120
I,2,0,826,1169,50,40,60,70,1,0,0
I,3,0,1,120,1
I,3,1,1,80,0
I,3,2,1,25,0
I,3,3,1,100,3
I,3,4,0,50,1
I,4,0,Vel1,1,30,1,20,1
I,4,1,2,0,0,1,15,0
I,5,7
I,6,1,8,17,0,1,1,0
I,7,1,0,0,10,20,0,0,"pozadí.bmp"
F,0,soucet,"Součet teplot",0,"0",0,"#1",2,15,3,2
F,1,popis,"Text ""s"" uvozovkami",1,"",1,"IIF(#1 > 0, 'kladné', 'záporné')",0,15,2,0
Z,1,0,10,10,500,40,Arial CE,14,0,1,2,0,238,"Termofyzikální vlastnosti, voda",0,0,0
H,4,12,10,0,600,20,Arial,10,4,0,64,15,0,"",0,0,0
H,5,3,500,0,100,20,Arial,10,0,2,1,0,0,"Strana %d",0,0,0
T,2,Vel1,10,0,100,17,Courier New,10,0,0,1,0,0,"%.3f",0,0,0
T,2,3,120,0,100,17,Courier New,10,0,0,1,0,0,"",0,90,0
T,3,Vel2,230,0,100,17,Courier New,10,12,8,32,5,0,"",1,2,3
T,5,2,340,0,40,17,Arial,8,0,0,0,0,0,"",0,0,0
T,6,soucet,400,0,100,17,Arial,8,0,0,1,0,0,"",0,0,0
T,6,1,500,0,100,17,Arial,8,0,0,1,0,0,"",0,0,0
T,7,0,0,20,600,0,,2,9,0,0,0,0
T,15,0,0,30,600,40
K,1,0,0,0,300,20,Arial,10,0,0,0,0,0,"Konec",0,0,0
K,8,8,0,0,600,100,,1,0,2,0,15,1
K,9,9,10,10,50,50,,1,4,0,0,11,0
K,10,10,70,10,50,50,,3,12,0,0,14,6
K,11,0,130,10,80,80,,1,0,0,48,0,0,"logo.bmp;znak.bmp"
K,12,0,220,10,200,60,,2,0,14,48,0,0,"8590000000001",0,0,0
K,13,3,430,10,100,60,,1,0,0,0,0,1
P,5,3,0,0,100,20,Arial,8,0,0,2,0,0,"",0,0,0
S0,2,Vel1,0,0,100,20,Arial,10,0,1,0,0,0,"",0,0,0
U0,6,popis,0,0,200,20,Arial,10,0,0,0,0,0,"",0,0,0
S1,1,0,0,0,100,20,Arial,10,0,0,0,0,0,"Skupina B",0,0,0
D0,I,0,"Tisková úloha IF97"
D0,I,1,4,0,120
D0,I,2,0,826,1169,0,0,0,0,1,0,0
D0,I,3,0,1,0,0
D0,I,3,1,1,0,0
D0,I,3,2,1,17,0
D0,I,3,3,1,0,0
D0,I,3,4,1,0,0
D0,I,5,0
D0,I,6,0,8,8,0,1,0,0
D0,I,7,0,0,0,0,0,0,0,""
D0,T,2,Vel4,20,0,100,17,Arial,9,0,0,0,0,0,"",0,0,0
)tpl"_s;

// Read, written, read again and written again, the template gives its own lines.
TEST(Template, HandmadeTemplateRoundTripsExactly) {
  const QStringList lines = Lines(kHandmade);
  const Read a(lines);
  EXPECT_TRUE(a.result.ok);
  // Only the detail's column is unknown: the detail has no columns of its own here.
  ASSERT_EQ(a.result.issues.size(), 1);
  EXPECT_EQ(a.result.error(), (LoadIssue{49, 4, loadmsg::UnknownColumn()}));
  EXPECT_EQ(FormatTemplate(a.r), lines);
  EXPECT_EQ(FormatTemplate(Read(FormatTemplate(a.r)).r), lines);
}

TEST(Template, HeaderRecords) {
  const Read read(Lines(kHandmade));
  const ReportDefinition& r = read.r;
  EXPECT_EQ(r.Popis, u"Termofyzikální vlastnosti \"IF97\""_s);
  EXPECT_EQ(r.version, (TemplateVersion{4, 0, 120}));
  EXPECT_EQ(r.paper, (ReportPaper{kPortrait, 826, 1169, 50, 40, 60, 70, 1, 0}));
  EXPECT_TRUE(r.sections[kSectionStart].visible);
  EXPECT_EQ(r.sections[kSectionStart].height, 120);
  EXPECT_FALSE(r.sections[kSectionFooter].visible);
  const PaginationFlags& p = r.pagination;
  EXPECT_EQ((QList<bool>{p.BreakAfterStart, p.NoFirstHeader, p.NewBodyNewPage, p.BreakBeforeEnd, p.EndToFooter,
                         p.NoLastFooter}),
            (QList<bool>{true, false, false, true, true, true}));
  ASSERT_EQ(r.groups.count(), 2);
  for (int g = 0; g < 2; ++g) {
    const TPolSkup& group = r.groups[g];
    EXPECT_EQ((QList<int>{group.columnIndex, group.startBand.visible, group.startBand.height, group.endBand.height,
                          group.newPage}),
              (g == 0 ? QList<int>{0, 1, 30, 20, 1} : QList<int>{2, 0, 0, 15, 0}))
        << "group " << g;
  }
  EXPECT_EQ(r.groups[0].columnName, u"Vel1"_s);
  EXPECT_TRUE(r.groups[1].columnName.isEmpty());
  EXPECT_EQ((QList<int>{r.designerValue, r.raster.type, r.raster.designerFlag1}), (QList<int>{7, kRasterCharacter, 1}));
  EXPECT_EQ((QList<int>{r.background.own, r.background.left, r.background.top}), (QList<int>{1, 10, 20}));
  EXPECT_EQ(r.background.picture, u"pozadí.bmp"_s);
}

TEST(Template, FunctionRecords) {
  const Read read(Lines(kHandmade));
  ASSERT_EQ(read.r.functions.count(), 2);
  const TRadekFunkce& s = read.r.functions[0];
  EXPECT_EQ((QStringList{s.name, s.description, s.initialValue, s.expression}),
            (QStringList{u"soucet"_s, u"Součet teplot"_s, u"0"_s, u"#1"_s}));
  EXPECT_EQ((QList<int>{s.type, s.resetScope, s.aggregation, s.precision, s.decimals, s.format}),
            (QList<int>{kFunctionNumeric, kResetReport, kAggSum, 15, 3, kFormatFixed}));
  const TRadekFunkce& p = read.r.functions[1];
  EXPECT_EQ((QStringList{p.description, p.expression}),
            (QStringList{u"Text \"s\" uvozovkami"_s, u"IIF(#1 > 0, 'kladné', 'záporné')"_s}));
  EXPECT_EQ((QList<int>{p.type, p.resetScope, p.format}), (QList<int>{kFunctionText, kResetPage, kFormatGeneral}));
}

TEST(Template, ElementRecords) {
  const Read read(Lines(kHandmade));
  const ReportDefinition& r = read.r;
  const TReportElement& z = r.sections[kSectionStart].elements.at(0);
  EXPECT_EQ((QList<int>{z.kind, z.left, z.top, z.width, z.height, z.alignment}),
            (QList<int>{kElementText, 10, 10, 500, 40, kAlignCenter}));
  EXPECT_EQ(z.font, (TReportFont{u"Arial CE"_s, 14, 0, kFontBold, 238}));
  EXPECT_EQ(z.text, u"Termofyzikální vlastnosti, voda"_s);

  const TReportElement& h = r.sections[kSectionHeader].elements.at(0);
  EXPECT_EQ((QList<int>{h.kind, h.index, h.font.color, h.flags, h.frame}),
            (QList<int>{kElementParameter, 12, 4, kFlagVariableHeight, 15}));
  EXPECT_EQ(r.sections[kSectionHeader].elements.at(1).font.style, kFontItalic);

  const QList<TReportElement>& body = r.sections[kSectionBody].elements;
  ASSERT_EQ(body.size(), 8);
  EXPECT_EQ((QStringList{body[0].name, body[0].text, body[1].name, body[4].name, body[5].name}),
            (QStringList{u"Vel1"_s, u"%.3f"_s, u""_s, u"soucet"_s, u""_s}));
  EXPECT_EQ((QList<int>{body[0].index, body[1].index, body[1].rotation(), body[4].index, body[5].index}),
            (QList<int>{0, 3, 90, 0, 1}));
  const TReportElement& caption = body[2];
  EXPECT_EQ((QList<int>{caption.kind, caption.index, caption.font.color, caption.font.style, caption.flags,
                        caption.frame}),
            (QList<int>{kElementCaption, 1, 12, 8, kFlagJustify, 5}));
  EXPECT_EQ(caption.extra, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ((QList<int>{body[3].kind, body[3].index, body[4].kind}), (QList<int>{kElementVariable, kVarRow, kElementFunction}));
  EXPECT_EQ((QList<int>{body[6].kind, body[6].penWidth, body[6].penColor}), (QList<int>{kElementLine, 2, 9}));
  EXPECT_EQ((QList<int>{body[7].kind, body[7].top, body[7].height}), (QList<int>{kElementDetail, 30, 40}));

  const QList<TReportElement>& end = r.sections[kSectionEnd].elements;
  ASSERT_EQ(end.size(), 7);
  EXPECT_EQ((QList<int>{end[1].index, end[1].penStyle, end[1].fillColor, end[1].fillStyle}),
            (QList<int>{kElementRectangle, 2, 15, 1}));
  EXPECT_EQ((QList<int>{end[2].index, end[3].index}), (QList<int>{kElementRoundRect, kElementEllipse}));
  EXPECT_EQ((QList<int>{end[4].kind, end[4].frame}), (QList<int>{kElementPicture, kPictureStretch | kPictureKeepAspect}));
  EXPECT_EQ(end[4].text, u"logo.bmp;znak.bmp"_s);
  EXPECT_EQ((QList<int>{end[5].kind, end[5].barcodeType(), end[5].barWidth(), end[5].frame}),
            (QList<int>{kElementBarcode, 14, 2, kBarcodeCheckDigit | kBarcodeShowText}));
  EXPECT_EQ(end[5].text, u"8590000000001"_s);
  EXPECT_EQ((QList<int>{end[6].kind, end[6].index, end[6].fillStyle}), (QList<int>{kElementPaintBox, 3, 1}));

  const TReportElement& groupEnd = r.groups[0].endBand.elements.at(0);
  EXPECT_EQ((QStringList{r.groups[0].startBand.elements.at(0).name, groupEnd.name,
                         r.groups[1].startBand.elements.at(0).text}),
            (QStringList{u"Vel1"_s, u"popis"_s, u"Skupina B"_s}));
  EXPECT_EQ(groupEnd.index, 1);
  ASSERT_EQ(r.detailCount(), 1);
  const TOddilSestavy& detailBody = r.detail(0).sections[kSectionBody];
  EXPECT_EQ(r.detail(0).parent(), &r);
  EXPECT_EQ(detailBody.height, 17);
  EXPECT_EQ(detailBody.elements.at(0).index, -1);  // the detail has no columns
  EXPECT_EQ(detailBody.elements.at(0).name, u"Vel4"_s);
}

TEST(Template, EmptyTemplate) {
  const Read read({});
  EXPECT_TRUE(read.result.ok && !read.result.hasIssues());
  for (const TOddilSestavy& s : read.r.sections) EXPECT_TRUE(s.elements.isEmpty());
  EXPECT_EQ(read.r.functions.count() + read.r.groups.count(), 0);
}

TEST(Template, MissingFieldsTakeTheirDefaults) {
  const Read read({u"I,2,1"_s, u"I,6"_s, u"I,3,2"_s, u"F,0,f"_s, u"T,1"_s, u"T,12"_s, u"T,7"_s});
  const ReportDefinition& r = read.r;
  EXPECT_EQ(r.paper.orientation, kLandscape);
  EXPECT_EQ((QList<int>{r.paper.width, r.paper.height, r.paper.columns}), (QList<int>{826, 1169, 1}));
  EXPECT_EQ(r.raster.type, kRasterGraphic);
  const QList<int> raster{r.raster.gridX, r.raster.gridY, r.raster.linePitch, r.raster.charPitch};
  EXPECT_EQ(raster, (QList<int>{8, 8, 0, 1}));
  EXPECT_FALSE(r.sections[kSectionBody].visible);
  ASSERT_EQ(r.functions.count(), 1);
  EXPECT_EQ((QList<int>{r.functions[0].format, r.functions[0].aggregation}), (QList<int>{kFormatFixed, kAggNone}));
  const QList<TReportElement>& body = r.sections[kSectionBody].elements;
  ASSERT_EQ(body.size(), 3);
  EXPECT_EQ((QList<int>{body[0].font.size, body[1].barcodeType(), body[2].penWidth}),
            (QList<int>{kDefaultFontSize, kDefaultBarcodeType, 1}));
  EXPECT_EQ(body[0].text, u""_s);
}

struct ClampCase {
  const char16_t* line;
  const char16_t* written;  // the record as the writer gives it back
  bool noted = true;        // a clamp is noted; a fixed rule of the format is not
};

TEST(Template, OutOfRangeValuesAreClamped) {
  const ClampCase cases[] = {
      // 0 print columns: 1; margins larger than the paper: the page keeps one unit.
      {u"I,2,0,826,1169,900,900,2000,5,0,-5,0", u"I,2,0,826,1169,825,0,1168,0,1,0,0"},
      {u"I,2,7,0,-1,0,0,0,0,500,0,0", u"I,2,0,826,1169,0,0,0,0,100,0,0"},
      {u"I,2,1,826,1169,0,0,0,0,2,5000,0", u"I,2,1,826,1169,0,0,0,0,2,1169,0"},
      {u"I,6,0,0,-4,0,1,0,0", u"I,6,0,8,8,0,1,0,0"},
      {u"F,0,f,\"\",5,\"\",-1,\"\",9,40,-2,7", u"F,0,f,\"\",0,\"\",0,\"\",0,18,0,2"},
      {u"T,1,0,-200000,0,-5,200000,Arial,0,16,99,7,0,300,\"\",0,999,0",
       u"T,1,0,-100000,0,0,100000,Arial,10,0,3,4,0,255,\"\",0,360,0"},
      {u"T,12,0,0,0,10,10,,-3,20,25,0,-1,0,\"1\",0,0,0", u"T,12,0,0,0,10,10,,1,0,19,0,0,0,\"1\",0,0,0"},
      {u"T,7,0,0,0,10,0,,2,0,3,0,0,0", u"T,7,0,0,0,10,0,,2,0,0,0,0,0", false},
      {u"T,13,0,0,0,10,10,,1,0,0,0,0,9", u"T,13,0,0,0,10,10,,1,0,0,0,0,6"},
      {u"T,9,77,0,0,10,10,,1,0,0,0,0,0", u"T,9,9,0,0,10,10,,1,0,0,0,0,0", false},
      {u"T,2,9,0,0,10,10,Arial,10,0,0,0,0,0,\"\",0,0,0", u"T,2,0,0,0,10,10,Arial,10,0,0,0,0,0,\"\",0,0,0"},
  };
  for (const ClampCase& c : cases) {
    const Read read({U(c.line)});
    EXPECT_TRUE(read.result.ok);
    EXPECT_EQ(read.result.hasIssues(), c.noted) << S(c.line);
    EXPECT_TRUE(FormatTemplate(read.r).contains(U(c.written)))
        << S(c.line) << "\n expected " << S(c.written) << "\n in " << FormatTemplate(read.r).join(u"\n"_s).toStdString();
  }
}

TEST(Template, SectionIndexOutsideTheFixedSectionsIsIgnored) {
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, {u"I,3,5,0,99,1"_s, u"I,3,-1,0,99,1"_s});
  ASSERT_EQ(result.issues.size(), 2);
  EXPECT_EQ(result.issues[0], (LoadIssue{1, 3, loadmsg::UnknownSection()}));
  for (const TOddilSestavy& s : r.sections) EXPECT_EQ(s.height, 0);
}

TEST(Template, ErrorRecordNamesLineAndField) {
  const Read read({u"I,1,4,0,120"_s, u"T,1,0,1x,0,10,10"_s, u"T,1,0,0,0,10,10,Arial,10,3"_s});
  EXPECT_TRUE(read.result.ok);
  EXPECT_EQ(read.result.error(), (LoadIssue{2, 4, loadmsg::BadInteger()}));
  EXPECT_EQ(read.r.sections[kSectionBody].elements.at(0).left, 0);
  EXPECT_EQ(read.r.sections[kSectionBody].elements.at(1).font.color, 3);
}

TEST(Template, ColourOutsideTheTableIsBlack) {
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, {u"T,8,0,0,0,10,10,,1,16,0,0,-1,0"_s});
  const TReportElement& e = r.sections[kSectionBody].elements.at(0);
  EXPECT_EQ((QList<int>{e.penColor, e.fillColor}), (QList<int>{0, 0}));
  EXPECT_EQ(result.issues.size(), 2);
}

TEST(Template, UnknownKindsAndTagsAreSkipped) {
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, {u"T,14,0"_s, u"T,0"_s, u"X,1,0"_s, u"S0,1,0"_s, u""_s, u"I"_s});
  EXPECT_TRUE(r.sections[kSectionBody].elements.isEmpty());
  ASSERT_EQ(result.issues.size(), 3);
  EXPECT_EQ(result.issues[0].message, loadmsg::UnknownKind());
  EXPECT_EQ(result.issues[2], (LoadIssue{4, 1, loadmsg::UnknownGroup()}));
}

TEST(Template, OldVersionVariableIndex) {
  struct Case {
    const char16_t* version;
    int read;
  };
  const Case cases[] = {
      {u"I,1,1,0,2", 5}, {u"I,1,0,0,0", 5}, {u"I,1,2,0,2", 4}, {u"I,1,1,0,3", 4}, {nullptr, 4},
  };
  for (const Case& c : cases) {
    ReportDefinition r;
    QStringList lines{u"H,5,4,0,0,10,10,Arial,10,0,0,0,0,0,\"\",0,0,0"_s, u"H,5,3,0,0,10,10"_s};
    if (c.version) lines.prepend(QString::fromUtf16(c.version));
    ParseTemplate(r, lines);
    EXPECT_EQ(r.sections[kSectionHeader].elements.at(0).index, c.read) << (c.version ? "versioned" : "none");
    EXPECT_EQ(r.sections[kSectionHeader].elements.at(1).index, 3);
    // Written in the current version, the index reads back unchanged.
    ReportDefinition again;
    ParseTemplate(again, FormatTemplate(r));
    EXPECT_EQ(again.sections[kSectionHeader].elements.at(0).index, c.read);
  }
}

TEST(Template, TemplateWithoutVersionKeepsTheVersionItHad) {
  ReportDefinition r;
  ParseTemplate(r, {u"I,2,0,1000,1400,1,2,3,4,1,0,0"_s});
  EXPECT_EQ(r.version, (TemplateVersion{4, 0, 120}));
  EXPECT_EQ((QList<int>{r.paper.width, r.paper.height}), (QList<int>{1000, 1400}));
  r.version = {0, 0, 0};  // the old layout has no paper size
  r.paper.width = 850;
  ParseTemplate(r, {u"I,2,0,1,2,3,4,1,0,0"_s});
  EXPECT_EQ((QList<int>{r.paper.width, r.paper.marginLeft, r.paper.marginBottom}), (QList<int>{850, 1, 4}));
}

TEST(Template, VersionAppliesBeforePaperWhateverTheOrder) {
  for (const QStringList& lines : {QStringList{u"I,1,0,0,1"_s, u"I,2,0,10,20,30,40,2,5,0"_s},
                                   QStringList{u"I,2,0,10,20,30,40,2,5,0"_s, u"I,1,0,0,1"_s}}) {
    ReportDefinition r;
    ParseTemplate(r, lines);
    const ReportPaper& p = r.paper;
    EXPECT_EQ((QList<int>{p.width, p.marginLeft, p.marginRight, p.marginTop, p.marginBottom, p.columns, p.columnGap,
                          r.sections[kSectionBody].columns}),
              (QList<int>{826, 10, 20, 30, 40, 2, 5, 2}))
        << lines.first().toStdString();
  }
}

TEST(Template, LaterHeaderRecordsOverrideEarlierOnes) {
  ReportDefinition r;
  ParseTemplate(r, {u"I,3,2,1,10,0"_s, u"I,5,1"_s, u"I,3,2,1,20,1"_s, u"I,5,2"_s, u"I,9,1"_s});
  EXPECT_EQ(r.sections[kSectionBody].height, 20);
  EXPECT_TRUE(r.pagination.NewBodyNewPage);
  EXPECT_EQ(r.designerValue, 2);
}

TEST(Template, CharacterRasterGrid) {
  struct Case {
    int charPitch, linePitch;
    double charWidth, lineHeight;
    int gridX, gridY;
  };
  const Case cases[] = {
      {1, 1, 8.333333, 25.0, 8, 25}, {2, 2, 6.0, 33.333333, 6, 33},
      {0, 0, 10.0, 16.666666, 10, 17}, {3, 7, 10.0, 16.666666, 10, 17},
  };
  for (const Case& c : cases) {
    ReportDefinition r;
    ParseTemplate(r, {u"I,6,1,40,40,"_s + QString::number(c.linePitch) + u',' + QString::number(c.charPitch) + u",0,0"_s});
    EXPECT_DOUBLE_EQ(r.raster.charWidth(), c.charWidth) << c.charPitch;
    EXPECT_DOUBLE_EQ(r.raster.lineHeight(), c.lineHeight) << c.linePitch;
    EXPECT_EQ(r.raster.gridX, c.gridX) << c.charPitch;
    EXPECT_EQ(r.raster.gridY, c.gridY) << c.linePitch;
  }
  ReportDefinition graphic;
  ParseTemplate(graphic, {u"I,6,5,40,30,1,1,0,0"_s});
  EXPECT_EQ(graphic.raster.type, kRasterGraphic);
  EXPECT_EQ((QList<int>{graphic.raster.gridX, graphic.raster.gridY}), (QList<int>{40, 30}));
  EXPECT_EQ(graphic.raster.charWidth() + graphic.raster.lineHeight(), 0);
}

TEST(Template, ColumnReferencesByNameAndIndex) {
  ReportDefinition r;
  ParseTemplate(r, {u"T,2,Vel3,0,0,10,10"_s, u"T,2,2,0,0,10,10"_s, u"T,3,vel1,0,0,10,10"_s},
                {u"Vel5"_s, u"Vel3"_s, u"Vel1"_s});
  const QList<TReportElement>& e = r.sections[kSectionBody].elements;
  EXPECT_EQ((QList<int>{e[0].index, e[1].index, e[2].index}), (QList<int>{1, 2, 2}));
  EXPECT_EQ((QStringList{e[0].name, e[1].name}), (QStringList{u"Vel3"_s, u""_s}));
}

TEST(Template, UnknownNamesStayAndPrintNothing) {
  Read read({u"T,2,Teplota,0,0,10,10,Arial,10,0,0,0,0,0,\"\",0,0,0"_s, u"T,6,nic,0,0,10,10"_s});
  ReportDefinition& r = read.r;
  const LoadResult& result = read.result;
  const QList<TReportElement>& e = r.sections[kSectionBody].elements;
  EXPECT_EQ(e[0].index, -1);
  EXPECT_EQ(e[1].index, -1);
  ASSERT_EQ(result.issues.size(), 2);
  EXPECT_EQ(result.issues[0], (LoadIssue{1, 3, loadmsg::UnknownColumn()}));
  EXPECT_EQ(result.issues[1], (LoadIssue{2, 3, loadmsg::UnknownFunction()}));
  // Saving keeps the names instead of pointing the elements at column 0.
  const QStringList written = FormatTemplate(r);
  EXPECT_TRUE(written.contains(u"T,2,Teplota,0,0,10,10,Arial,10,0,0,0,0,0,\"\",0,0,0"_s));
  // Once the column exists, the name finds it.
  r.resolveReferences({u"Vel1"_s, u"Vel2"_s, u"Vel3"_s, u"Vel4"_s, u"Vel5"_s, u"Vel6"_s, u"Teplota"_s});
  EXPECT_EQ(r.sections[kSectionBody].elements[0].index, 6);
}

TEST(Template, GroupColumnByIndexOrName) {
  const Read read({u"I,4,0,0,1,10,1,10,0"_s, u"I,4,1,Vel4,1,10,1,10,0"_s, u"I,4,2,Nic,0,0,0,0,0"_s});
  const ReportDefinition& r = read.r;
  ASSERT_EQ(r.groups.count(), 3);
  EXPECT_EQ((QList<int>{r.groups[0].columnIndex, r.groups[1].columnIndex, r.groups[2].columnIndex}),
            (QList<int>{0, 3, -1}));
  EXPECT_EQ(r.groups[2].columnName, u"Nic"_s);
  EXPECT_EQ((QList<int>{r.groups[1].startBand.index, r.groups[1].endBand.index}),
            (QList<int>{kFirstGroupSection + 2, kFirstGroupSection + 3}));
}

TEST(Template, GroupsAreCapped) {
  QStringList lines;
  for (int g = 0; g < kMaxGroups + 3; ++g) lines << u"I,4,"_s + QString::number(g) + u",0,1,10,1,10,0"_s;
  lines << u"I,4,2000000000,0,1,10,1,10,0"_s;
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, lines);
  EXPECT_EQ(r.groups.count(), kMaxGroups);
  EXPECT_EQ(result.issues.size(), 4);
}

TEST(Template, FunctionsAreCapped) {
  QStringList lines;
  for (int i = 0; i < kMaxFunctions + 2; ++i) lines << u"F,0,f"_s + QString::number(i) + u",\"\",0,\"\",0,\"#1\",2,15,2,2"_s;
  lines << u"F,0,f0,\"\",0,\"\",0,\"#2\",2,15,2,2"_s;  // an existing name still replaces its definition
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, lines);
  EXPECT_EQ(r.functions.count(), kMaxFunctions);
  EXPECT_EQ(r.functions[0].expression, u"#2"_s);
  ASSERT_EQ(result.issues.size(), 3);
  EXPECT_EQ(result.issues[0], (LoadIssue{kMaxFunctions + 1, 0, loadmsg::TooManyFunctions()}));
  EXPECT_EQ(result.issues[2].message, loadmsg::DuplicateFunction());
}

TEST(Template, NestedDetails) {
  ReportDefinition r;
  ParseTemplate(r, {u"D1,D0,T,1,0,0,0,10,10,Arial,10,0,0,0,0,0,\"hluboko\",0,0,0"_s, u"D0,I,3,2,1,40,0"_s,
                 u"D1,I,2,0,10,10,1,1,1,1,1,0,0"_s});
  ASSERT_EQ(r.detailCount(), 2);
  EXPECT_EQ(r.detail(0).sections[kSectionBody].height, 40);
  ASSERT_EQ(r.detail(1).detailCount(), 1);
  EXPECT_EQ(r.detail(1).detail(0).sections[kSectionBody].elements.at(0).text, u"hluboko"_s);
  EXPECT_EQ(r.detail(1).detail(0).depth(), 2);
  EXPECT_EQ(r.detail(1).paper, ReportPaper{});  // a detail discards its paper record
  ReportDefinition again;
  ParseTemplate(again, FormatTemplate(r));
  EXPECT_EQ(FormatTemplate(again), FormatTemplate(r));
}

TEST(Template, DetailNestingIsBounded) {
  QString line = u"T,1,0,0,0,10,10"_s;
  for (int d = 0; d < kMaxDetailDepth + 5; ++d) line.prepend(u"D0,"_s);
  ReportDefinition r;
  const LoadResult result = ParseTemplate(r, {line, u"D99,T,1"_s});
  EXPECT_EQ(result.issues.size(), 2);
  EXPECT_EQ(result.issues[0].message, loadmsg::TooManyDetails());
  EXPECT_EQ(result.issues[1].message, loadmsg::TooDeep());
  EXPECT_EQ(r.detailCount(), 1);
}

// A file's budget holds over all its detail reports together: lines that would
// build thousands of nested details, or too many elements, or a line far longer
// than any record, are noted and skipped.
TEST(Template, WhatOneFileBuildsIsBounded) {
  QStringList amplifier;  // "Da,Db,Dc,D15,T,…" for every a, b, c of 0 … 15
  for (int n = 0; n < 16 * 16 * 16; ++n)
    amplifier.append(u"D%1,D%2,D%3,D15,T,1,0,0,0,10,10"_s.arg(n / 256).arg(n / 16 % 16).arg(n % 16));
  ReportDefinition r;
  LoadResult result = ParseTemplate(r, amplifier);
  std::function<int(const ReportDefinition&)> details = [&](const ReportDefinition& d) {
    int n = d.detailCount();
    for (int i = 0; i < d.detailCount(); ++i) n += details(d.detail(i));
    return n;
  };
  EXPECT_LE(details(r), kMaxTemplateDetailReports);
  EXPECT_TRUE(std::any_of(result.issues.begin(), result.issues.end(),
                          [](const LoadIssue& i) { return i.message == loadmsg::TooManyDetails(); }));

  ReportDefinition flat;
  result = ParseTemplate(flat, QStringList(kMaxTemplateElements + 5, u"T,1,0,0,0,10,10"_s));
  EXPECT_EQ(flat.sections[kSectionBody].elements.size(), kMaxTemplateElements);
  EXPECT_EQ(result.issues.size(), 5);
  EXPECT_EQ(result.error(), (LoadIssue{kMaxTemplateElements + 1, 0, loadmsg::TooManyElements()}));

  ReportDefinition longLine;
  result = ParseTemplate(longLine, {u"T,1,0,0,0,10,10,Arial,10,0,0,0,0,0,\""_s + QString(kMaxTemplateLineLength, u'x'),
                                 u"T,1,0,0,0,10,10"_s});
  EXPECT_EQ(result.error(), (LoadIssue{1, 0, loadmsg::LineTooLong()}));
  EXPECT_EQ(longLine.sections[kSectionBody].elements.size(), 1);
}

TEST(Template, WriterNeverBreaksARecord) {
  ReportDefinition r;
  TReportElement e;
  e.text = u"dva\r\nřádky, a \"uvozovky\""_s;
  e.font.name = u"Font, s čárkou"_s;
  r.sections[kSectionBody].elements.append(e);
  TRadekFunkce f;
  f.name = u"a,b"_s;
  f.expression = u"'x''y'\n+ 1"_s;
  r.functions.add(f);
  const QStringList lines = FormatTemplate(r);
  for (const QString& l : lines) EXPECT_FALSE(l.contains(u'\n') || l.contains(u'\r')) << l.toStdString();
  const Read back(lines);
  const TReportElement& b = back.r.sections[kSectionBody].elements.at(0);
  ASSERT_EQ(back.r.functions.count(), 1);
  EXPECT_EQ((QStringList{b.text, b.font.name, back.r.functions[0].name, back.r.functions[0].expression}),
            (QStringList{u"dva\nřádky, a \"uvozovky\""_s, u"Font, s čárkou"_s, u"a,b"_s, u"'x''y'\n+ 1"_s}));
  EXPECT_EQ(FormatTemplate(back.r), lines);
}

TEST(TemplateFile, CodePageAndLineEnds) {
  const QByteArray bytes = EncodeCp1250(u"Z,1,0,0,0,10,10,Arial CE,10,0,0,0,0,238,\"Tělo – ř\"\r\nT,1\r\nK,1\n"_s);
  const QStringList lines = DecodeTemplateText(bytes);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], u"Z,1,0,0,0,10,10,Arial CE,10,0,0,0,0,238,\"Tělo – ř\""_s);
  EXPECT_EQ(lines[1], u"T,1"_s);
  EXPECT_EQ(lines[2], u"K,1"_s);
  EXPECT_EQ(static_cast<unsigned char>(bytes.at(bytes.indexOf("\"T") + 2)), 0xEC);
  EXPECT_EQ(EncodeTemplateText(lines), bytes.left(bytes.size() - 1) + "\r\n");
}

TEST(TemplateFile, SavingKeepsTheOldFileAsBackup) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(u"zostava.pts"_s);
  EXPECT_EQ(TemplateBackupPath(path), dir.filePath(u"zostava.BAK"_s));
  ASSERT_TRUE(WriteTemplateFile(path, {u"I,5,1"_s}));
  EXPECT_FALSE(QFile::exists(TemplateBackupPath(path)));
  ASSERT_TRUE(WriteTemplateFile(path, {u"I,5,2"_s, u"Z,1"_s}));
  QStringList lines;
  ASSERT_TRUE(ReadTemplateFile(path, &lines).ok);
  EXPECT_EQ(lines, (QStringList{u"I,5,2"_s, u"Z,1"_s}));
  ASSERT_TRUE(ReadTemplateFile(TemplateBackupPath(path), &lines).ok);
  EXPECT_EQ(lines, QStringList{u"I,5,1"_s});
  ASSERT_TRUE(WriteTemplateFile(path, {u"I,5,3"_s}));
  ASSERT_TRUE(ReadTemplateFile(TemplateBackupPath(path), &lines).ok);
  EXPECT_EQ(lines, (QStringList{u"I,5,2"_s, u"Z,1"_s}));
}

// A save that cannot be made leaves the old template (if any) byte for byte and
// no file of its own; the message's first line is the one the user sees.
TEST(TemplateFile, FailedSaveKeepsWhatWasThere) {
  struct Case {
    const char* name;
    const char* file;  // relative to a fresh directory
    bool oldExists;
  };
  const Case cases[] = {
      {"folder missing", "chybi/zostava.pts", false},
      {"a template named like its own backup", "zostava.BAK", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(c.file));
    if (c.oldExists) {
      QFile old(path);
      ASSERT_TRUE(old.open(QIODevice::WriteOnly));
      old.write("I,5,1\r\n");
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    QString error;
    EXPECT_FALSE(WriteTemplateFile(path, {u"I,5,2"_s}, &error));
    EXPECT_TRUE(error.startsWith(u"Soubor s předlohou se nepodařilo uložit.\n"_s)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), before);
    QStringList lines;
    EXPECT_EQ(ReadTemplateFile(path, &lines).ok, c.oldExists);
    EXPECT_EQ(lines, c.oldExists ? QStringList{u"I,5,1"_s} : QStringList{});
  }
}

TEST(TemplateFile, MissingFile) {
  QStringList lines{u"old"_s};
  const LoadResult r = ReadTemplateFile(u"/nonexistent/x.pts"_s, &lines);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error().message, u"Nebyl nalezen soubor s předlohou tiskové sestavy \"/nonexistent/x.pts\""_s);
  EXPECT_TRUE(lines.isEmpty());
}

}  // namespace
}  // namespace report
