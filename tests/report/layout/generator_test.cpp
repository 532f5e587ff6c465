// The record loop: pagination, groups, print columns, the page count, the print
// range, the row protocol's edge cases, detail reports, growing sections and the
// guards that end every run.
#include <gtest/gtest.h>

#include <functional>

#include "report/io/systemvariables.h"
#include "report/layout/generator.h"
#include "tabledata.h"
#include "../testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

// A report on a page whose printable area is 800 × `printable`, the body
// showing column 0, the given header and footer heights (0: invisible).
void Basic(ReportDefinition& r, int body, int printable = 1000, int header = 0, int footer = 0) {
  r.paper.width = 800;
  r.paper.height = printable;
  r.sections[kSectionBody].height = body;
  r.sections[kSectionBody].elements = {MakeElement(kElementColumn, 0, 0, 0, 100, std::max(body, 1))};
  for (int s : {kSectionStart, kSectionEnd}) r.sections[s].visible = false;
  r.sections[kSectionHeader].visible = header > 0;
  r.sections[kSectionHeader].height = header;
  r.sections[kSectionHeader].elements = {MakeElement(kElementText, 0, 0, 0, 100, 10, u"hlava"_s)};
  r.sections[kSectionFooter].visible = footer > 0;
  r.sections[kSectionFooter].height = footer;
  r.sections[kSectionFooter].elements = {MakeElement(kElementVariable, kVarPage, 0, 0, 100, 10)};
}

struct Result {
  TSestVystup doc;
  int result = -1;
  FixedPitchMeasurer measurer;
};

Result Generate(ReportDefinition& r, ReportData& data, GenerateOptions options = {}, GenerateEvents* events = nullptr,
             ProgressHook* progress = nullptr) {
  Result run;
  options.now = QDateTime(QDate(2026, 12, 7), QTime(8, 30));
  ReportGenerator g(run.measurer, events, progress);
  run.result = g.Generate(r, data, options, run.doc);
  return run;
}

// Texts of the elements of one section on each page.
QList<QStringList> Texts(const TSestVystup& doc, int section) {
  QList<QStringList> pages;
  for (const TStranaPrvku& p : doc.pages) {
    QStringList texts;
    for (const TVystPrvek& e : p.elements)
      if (e.section == section) texts.append(e.text);
    pages.append(texts);
  }
  return pages;
}

QStringList All(const TSestVystup& doc, int section) {
  QStringList all;
  for (const QStringList& page : Texts(doc, section)) all += page;
  return all;
}

GenerateOptions Options(const std::function<void(GenerateOptions&)>& set) {
  GenerateOptions o;
  set(o);
  return o;
}

QStringList Numbers(int from, int to) {
  QStringList l;
  for (int i = from; i <= to; ++i) l.append(QString::number(i));
  return l;
}

TEST(Generate, Pagination) {
  struct Case {
    const char* name;
    int rows, body, printable, header, footer;
    QList<int> perPage;
  } cases[] = {
      {"ten and two", 12, 100, 1000, 0, 0, {10, 2}},
      {"header and footer take their room", 12, 100, 1000, 150, 150, {7, 5}},
      {"exactly full", 20, 100, 1000, 0, 0, {10, 10}},
      {"one row", 1, 100, 1000, 0, 0, {1}},
      {"body taller than the page: one per page, no empty pages", 3, 1500, 1000, 0, 0, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    ReportDefinition r;
    Basic(r, c.body, c.printable, c.header, c.footer);
    TableData data({u"x"_s}, NumberRows(c.rows));
    const Result run = Generate(r, data);
    EXPECT_EQ(run.result, 0) << c.name;
    QList<int> perPage;
    for (const QStringList& texts : Texts(run.doc, kSectionBody)) perPage.append(static_cast<int>(texts.size()));
    EXPECT_EQ(perPage, c.perPage) << c.name;
    EXPECT_EQ(All(run.doc, kSectionBody), Numbers(1, c.rows)) << c.name;
    // Every page has its header at the top and its footer at the bottom.
    for (int p = 0; p < run.doc.pageCount(); ++p) {
      const auto& els = run.doc.pages[p].elements;
      const int headerTop = c.header > 0 ? els.first().top : 0;
      const QString footer = c.footer > 0 ? els.last().text + u'@' + QString::number(els.last().top) : QString();
      EXPECT_EQ(headerTop, 0) << c.name;
      EXPECT_EQ(footer, c.footer > 0 ? QString::number(p + 1) + u'@' + QString::number(c.printable - c.footer)
                                     : QString()) << c.name;
      for (const TVystPrvek& e : els) EXPECT_GE(e.top, e.section == kSectionBody ? c.header : 0) << c.name;
    }
  }
}

TEST(Generate, GroupsBreakBetweenRowsAndRestartInnerGroups) {
  ReportDefinition r;
  Basic(r, 10);
  for (int g = 0; g < 2; ++g) {
    TPolSkup group;
    group.index = g;
    group.columnIndex = g;
    group.startBand.index = kFirstGroupSection + 2 * g;
    group.endBand.index = kFirstGroupSection + 2 * g + 1;
    group.startBand.height = group.endBand.height = 10;
    // Start band: "S<g>:" group number and row within the group.
    group.startBand.elements = {MakeElement(kElementVariable, kVarFirstGroup + 1 + 2 * g, 0, 0, 50, 10)};
    group.endBand.elements = {MakeElement(kElementText, 0, 0, 0, 50, 10, u"U"_s + QString::number(g))};
    r.groups.set(group);
  }
  // Outer key a, a, b; inner key changes on every row.
  TableData data({u"outer"_s, u"inner"_s}, {{u"a"_s, u"1"_s}, {u"a"_s, u"2"_s}, {u"b"_s, u"2"_s}});
  r.sections[kSectionBody].elements = {MakeElement(kElementVariable, kVarFirstGroup + 2, 0, 0, 50, 10)};
  const Result run = Generate(r, data);
  QStringList sequence;
  for (const TVystPrvek& e : run.doc.pages[0].elements)
    sequence.append(QString::number(e.section) + u':' + e.text);
  // Group numbers: outer 1, 1, 2; inner 1, 2, then 1 again after the outer change.
  EXPECT_EQ(sequence, (QStringList{u"5:1"_s, u"7:1"_s, u"2:1"_s,              // both groups start
                                   u"8:U1"_s, u"7:2"_s, u"2:1"_s,              // inner change
                                   u"8:U1"_s, u"6:U0"_s, u"5:2"_s, u"7:1"_s, u"2:1"_s,  // outer change restarts inner
                                   u"8:U1"_s, u"6:U0"_s}));
}

TEST(Generate, PageCountAndPageNumbers) {
  ReportDefinition r;
  Basic(r, 100, 1000, 100, 0);
  r.sections[kSectionHeader].elements = {MakeElement(kElementVariable, kVarPageCount, 0, 0, 100, 10, u"z %d"_s),
                                         MakeElement(kElementVariable, kVarPage, 200, 0, 100, 10)};
  TableData data({u"x"_s}, NumberRows(25));
  const Result run = Generate(r, data);
  ASSERT_EQ(run.doc.pageCount(), 3);
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(run.doc.pages[p].elements[0].text, u"z 3"_s);
    EXPECT_EQ(run.doc.pages[p].elements[1].text, QString::number(p + 1));
  }
}

TEST(Generate, PrintColumnsMoveRightThenDown) {
  ReportDefinition r;
  Basic(r, 100);
  r.paper.columns = 3;
  r.paper.columnGap = 10;
  r.applyColumnLayout();
  TableData data({u"x"_s}, NumberRows(5));
  const Result run = Generate(r, data);
  QList<QPair<int, int>> at;
  for (const TVystPrvek& e : run.doc.pages[0].elements) at.append({e.left, e.top});
  const int step = (800 + 10) / 3;
  EXPECT_EQ(at, (QList<QPair<int, int>>{{0, 0}, {step, 0}, {2 * step, 0}, {0, 100}, {step, 100}}));
}

TEST(Generate, RowProtocolAndLimits) {
  struct Case {
    const char* name;
    int rows;
    GenerateOptions options;
    int firstAnswer;
    int bodies, steps, fetches;
  } cases[] = {
      {"all rows: the last step answers the end", 12, {}, -1, 12, 13, 13},
      {"MaxRecords 3 of 12", 12, Options([](GenerateOptions& o) { o.MaxRecords = 3; }), -1, 3, 3, 3},
      {"MaxRecords 0 is no limit", 12, Options([](GenerateOptions& o) { o.MaxRecords = 0; }), -1, 12, 13, 13},
      {"one record: fetched once, never stepped", 12, Options([](GenerateOptions& o) { o.TiskJedenZaznam = true; }), -1, 1, 0, 1},
      {"sdFirst answering no rows still gives one body", 0, {}, srEof, 1, 2, 2},
      {"sdFirst answering 3 as well", 0, {}, srBofEof, 1, 2, 2},
  };
  for (const Case& c : cases) {
    ReportDefinition r;
    Basic(r, 10);
    TableData data({u"x"_s}, NumberRows(c.rows));
    data.firstAnswer = c.firstAnswer;
    const Result run = Generate(r, data, c.options);
    EXPECT_EQ(All(run.doc, kSectionBody).size(), c.bodies) << c.name;
    EXPECT_EQ(data.steps, c.steps) << c.name;
    EXPECT_EQ(data.fetches, c.fetches) << c.name;
  }
}

TEST(Generate, EndPageStopsWithoutMakingAnotherPage) {
  ReportDefinition r;
  Basic(r, 100, 1000, 0, 100);
  TableData data({u"x"_s}, NumberRows(45));  // five pages of nine rows
  EXPECT_EQ(Generate(r, data).doc.pageCount(), 5);
  TableData again({u"x"_s}, NumberRows(45));
  const Result run = Generate(r, again, Options([](GenerateOptions& o) { o.EndPage = 2; }));
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.doc.pageCount(), 2);
  EXPECT_EQ(All(run.doc, kSectionBody), Numbers(1, 18));
  EXPECT_LT(again.steps, 45);
  EXPECT_EQ(run.doc.EndPage, 2);
}

// A detail placed in the body generates its own rows there, below which the body
// goes on; a detail without rows outputs nothing.
TEST(Generate, DetailReportsInTheBody) {
  ReportDefinition r;
  Basic(r, 20);
  r.sections[kSectionBody].elements.append(MakeElement(kElementDetail, 0, 0, 10, 100, 10));
  ReportDefinition* detail = r.ensureDetail(0);
  detail->sections[kSectionBody].height = 10;
  detail->sections[kSectionBody].elements = {MakeElement(kElementColumn, 0, 20, 0, 50, 10)};
  for (int s : {kSectionStart, kSectionEnd}) detail->sections[s].visible = false;
  TableData data({u"x"_s}, NumberRows(2));
  data.details.push_back(std::make_unique<TableData>(QStringList{u"d"_s}, QList<QStringList>{{u"a"_s}, {u"b"_s}}));
  const Result run = Generate(r, data);
  QStringList placed;
  for (const TVystPrvek& e : run.doc.pages[0].elements) placed.append(e.text + u'@' + QString::number(e.top));
  // Row 1 at 0, its detail rows at 10 and 20; the body ends below them, so row 2
  // stands at 30 and its detail rows at 40 and 50.
  EXPECT_EQ(placed, (QStringList{u"1@0"_s, u"a@10"_s, u"b@20"_s, u"2@30"_s, u"a@40"_s, u"b@50"_s}));

  TableData empty({u"x"_s}, NumberRows(1));
  empty.details.push_back(std::make_unique<TableData>(QStringList{u"d"_s}, QList<QStringList>{}));
  empty.details[0]->firstAnswer = srBofEof;
  EXPECT_EQ(Generate(r, empty).doc.elementCount(), 1);
}

TEST(Generate, VariableHeightTextGrowsAndContinuesBelowTheHeader) {
  ReportDefinition r;
  Basic(r, 20, 200, 50, 0);
  TReportElement text = MakeElement(kElementText, 0, 0, 0, 100, 20, QString(150, u'x'));  // ten characters a line: 15 lines
  text.flags = kFlagVariableHeight;
  r.sections[kSectionBody].elements = {text, MakeElement(kElementText, 0, 0, 20, 100, 20, u"pod"_s)};
  TableData data({u"x"_s}, NumberRows(1));
  const Result run = Generate(r, data);
  ASSERT_EQ(run.doc.pageCount(), 3);
  // Page 1: header, 7 lines (50 + 7 × 20 = 190); page 2: 7 more below its header;
  // page 3: the last line, then the element below it.
  QList<QList<int>> tops;
  for (const TStranaPrvku& p : run.doc.pages) {
    QList<int> t;
    for (const TVystPrvek& e : p.elements) t.append(e.top);
    tops.append(t);
  }
  EXPECT_EQ(tops, (QList<QList<int>>{{0, 50}, {0, 50}, {0, 50, 70}}));
  EXPECT_EQ(run.doc.pages[0].elements[1].lines.size(), 7);
  EXPECT_EQ(run.doc.pages[2].elements[1].lines.size(), 1);
  EXPECT_EQ(run.doc.pages[2].elements[2].text, u"pod"_s);
}

class Cancelling : public ProgressHook {
 public:
  explicit Cancelling(int after) : after_(after) {}
  void update(int row) override { rows = row; }
  bool cancelled() override { return rows > after_; }
  int rows = 0;

 private:
  int after_;
};

TEST(Generate, RunsAlwaysEnd) {
  {  // An endless host and a body of height 0: stopped by the row bound.
    ReportDefinition r;
    Basic(r, 0);
    r.sections[kSectionBody].elements.clear();
    TableData data({u"x"_s}, NumberRows(1));
    data.endless = true;
    const Result run = Generate(r, data);
    EXPECT_EQ(run.result, 3);
    EXPECT_EQ(data.steps, kMaxGeneratedRows + 1);  // the first step and one after each row
  }
  {  // Cancelled while row 6 is being fetched: the loop stops after row 5, no report end.
    ReportDefinition r;
    Basic(r, 10);
    r.sections[kSectionEnd].visible = true;
    r.sections[kSectionEnd].elements = {MakeElement(kElementText, 0, 0, 0, 10, 10, u"konec"_s)};
    TableData data({u"x"_s}, NumberRows(100));
    Cancelling progress(5);
    const Result run = Generate(r, data, {}, nullptr, &progress);
    EXPECT_EQ(run.result, 3);
    EXPECT_EQ(All(run.doc, kSectionBody), Numbers(1, 5));
    EXPECT_TRUE(All(run.doc, kSectionEnd).isEmpty());
  }
  {  // A report end that does not fit goes to a new page even without a last footer.
    ReportDefinition r;
    Basic(r, 100, 1000, 0, 100);
    r.pagination.NoLastFooter = true;
    r.sections[kSectionEnd].visible = true;
    r.sections[kSectionEnd].height = 150;
    r.sections[kSectionEnd].elements = {MakeElement(kElementText, 0, 0, 0, 10, 10, u"konec"_s)};
    TableData data({u"x"_s}, NumberRows(9));
    const Result run = Generate(r, data);
    ASSERT_EQ(run.doc.pageCount(), 2);
    EXPECT_EQ(run.doc.pages[1].elements.first().text, u"konec"_s);
    EXPECT_EQ(run.doc.pages[1].elements.first().top, 0);
    EXPECT_EQ(run.doc.pages[1].elements.size(), 1);  // no footer on the last page
  }
}

TEST(Generate, BarcodesKeepTheirOwnModuleWidth) {
  ReportDefinition r;
  Basic(r, 50);
  TReportElement a = MakeElement(kElementBarcode, 0, 0, 0, 300, 40, u"400638133393"_s);
  a.penStyle = 14;
  a.penWidth = 3;
  TReportElement b = a;
  b.penWidth = 60;  // out of range: keeps its own previous width, 1
  r.sections[kSectionBody].elements = {a, b};
  TableData data({u"x"_s}, NumberRows(1));
  const Result run = Generate(r, data);
  ASSERT_EQ(run.doc.elementCount(), 2);
  EXPECT_EQ(run.doc.pages[0].elements[0].moduleWidth, 3);
  EXPECT_EQ(run.doc.pages[0].elements[1].moduleWidth, 1);
  EXPECT_EQ(run.doc.pages[0].elements[0].text, u"4006381333931"_s);
  EXPECT_FALSE(run.doc.pages[0].elements[0].barcode->elements.empty());
}

}  // namespace
}  // namespace report
