// The designer's logic without widgets, in tables: the raster (snapping a value,
// a move, a resize by each handle, arrow keys, lining up, a section's height),
// the selection's handles and rubber band, the margin check's conversion from
// printer pixels, the paper formats written back to the ini file, the template
// lines that keep typed line breaks and quotes, the clipboard's element lines,
// and the settings taken back into the model.
#include <QtTest>

#include "designertestsupport.h"
#include "report/io/inifile.h"
#include "report/io/templatetext.h"
#include "report/print/fakeprinterport.h"
#include "report/ui/designer/designraster.h"
#include "report/ui/designer/margincheck.h"
#include "report/ui/designer/paperformateditor.h"
#include "report/ui/designer/reportsettings.h"
#include "report/ui/designer/selectiongeometry.h"
#include "report/ui/designer/templatedocument.h"
#include "report/ui/designer/templatelines.h"

using namespace Qt::StringLiterals;
using namespace report;

Q_DECLARE_METATYPE(report::DesignHandle)

class DesignLogicTest : public QObject {
  Q_OBJECT
 private slots:
  void snapValue_data();
  void snapValue();
  void moveDelta_data();
  void moveDelta();
  void resized_data();
  void resized();
  void keyStep_data();
  void keyStep();
  void alignedAndHeight();
  void handleAt_data();
  void handleAt();
  void rubberBand();
  void minimumMargins_data();
  void minimumMargins();
  void measureFakePrinter_data();
  void measureFakePrinter();
  void raiseMargins();
  void formatWriteBack();
  void lineBreaksAndQuotes_data();
  void lineBreaksAndQuotes();
  void formatLeavesModelAlone();
  void elementText_data();
  void elementText();
  void copyPasteLines();
  void settingsRoundTrip();
};

void DesignLogicTest::snapValue_data() {
  QTest::addColumn<int>("value");
  QTest::addColumn<int>("step");
  QTest::addColumn<int>("snapped");
  QTest::newRow("on the grid") << 16 << 8 << 16;
  QTest::newRow("below half") << 19 << 8 << 16;
  QTest::newRow("half goes up") << 20 << 8 << 24;
  QTest::newRow("above half") << 23 << 8 << 24;
  QTest::newRow("zero") << 0 << 8 << 0;
  QTest::newRow("negative") << -5 << 8 << -8;
  QTest::newRow("step 25") << 37 << 25 << 25;
  QTest::newRow("step 0 leaves the value") << 37 << 0 << 37;
}

void DesignLogicTest::snapValue() {
  QFETCH(int, value);
  QFETCH(int, step);
  QFETCH(int, snapped);
  QCOMPARE(DesignRaster::SnapValue(value, step), snapped);
}

void DesignLogicTest::moveDelta_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<QPoint>("anchor");
  QTest::addColumn<QPoint>("delta");
  QTest::addColumn<QPoint>("result");
  QTest::newRow("free") << false << QPoint(90, 0) << QPoint(13, 7) << QPoint(13, 7);
  QTest::newRow("snapped to the grid point") << true << QPoint(90, 0) << QPoint(13, 7) << QPoint(14, 8);
  QTest::newRow("snapped, small move back to the grid") << true << QPoint(90, 3) << QPoint(1, 0) << QPoint(-2, -3);
  QTest::newRow("never left of 0") << false << QPoint(10, 10) << QPoint(-30, -5) << QPoint(-10, -5);
  QTest::newRow("snapped, never above 0") << true << QPoint(10, 10) << QPoint(-30, -30) << QPoint(-10, -10);
}

void DesignLogicTest::moveDelta() {
  QFETCH(bool, snap);
  QFETCH(QPoint, anchor);
  QFETCH(QPoint, delta);
  QFETCH(QPoint, result);
  QCOMPARE(DesignRaster(8, 8, snap).moveDelta(anchor, delta), result);
}

void DesignLogicTest::resized_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<DesignHandle>("handle");
  QTest::addColumn<QPoint>("delta");
  QTest::addColumn<QRect>("result");
  const auto row = [](const char* name, bool snap, DesignHandle h, QPoint d, QRect r) {
    QTest::newRow(name) << snap << h << d << r;
  };
  // Start: left 40, top 16, width 100, height 20.
  row("right", false, DesignHandle::Right, {13, 5}, QRect(40, 16, 113, 20));
  row("right snapped", true, DesignHandle::Right, {13, 5}, QRect(40, 16, 112, 20));
  row("bottom snapped", true, DesignHandle::Bottom, {0, 7}, QRect(40, 16, 100, 24));
  row("bottom right", false, DesignHandle::BottomRight, {-20, 10}, QRect(40, 16, 80, 30));
  row("left keeps the right side", false, DesignHandle::Left, {10, 0}, QRect(50, 16, 90, 20));
  row("top left snapped", true, DesignHandle::TopLeft, {-5, -5}, QRect(32, 8, 108, 28));
  row("left not past the right side", false, DesignHandle::Left, {200, 0}, QRect(139, 16, 1, 20));
  row("top not past the bottom", false, DesignHandle::Top, {0, 50}, QRect(40, 35, 100, 1));
  row("right not past the left side", false, DesignHandle::Right, {-300, 0}, QRect(40, 16, 1, 20));
  row("left not beyond 0", false, DesignHandle::Left, {-100, 0}, QRect(0, 16, 140, 20));
  row("top right", false, DesignHandle::TopRight, {4, -4}, QRect(40, 12, 104, 24));
  row("bottom left", false, DesignHandle::BottomLeft, {-4, 4}, QRect(36, 16, 104, 24));
}

void DesignLogicTest::resized() {
  QFETCH(bool, snap);
  QFETCH(DesignHandle, handle);
  QFETCH(QPoint, delta);
  QFETCH(QRect, result);
  QCOMPARE(DesignRaster(8, 8, snap).resized(QRect(40, 16, 100, 20), handle, delta, 1, 1), result);
}

void DesignLogicTest::keyStep_data() {
  QTest::addColumn<int>("dx");
  QTest::addColumn<int>("dy");
  QTest::addColumn<bool>("resize");
  QTest::addColumn<QRect>("result");
  QTest::newRow("right") << 1 << 0 << false << QRect(48, 16, 100, 20);
  QTest::newRow("up") << 0 << -1 << false << QRect(40, 6, 100, 20);
  QTest::newRow("wider") << 1 << 0 << true << QRect(40, 16, 108, 20);
  QTest::newRow("lower") << 0 << -1 << true << QRect(40, 16, 100, 10);
  QTest::newRow("left") << -1 << 0 << false << QRect(32, 16, 100, 20);
}

void DesignLogicTest::keyStep() {
  QFETCH(int, dx);
  QFETCH(int, dy);
  QFETCH(bool, resize);
  QFETCH(QRect, result);
  // One grid step whether snapping is on or off: 8 across, 10 down.
  for (bool snap : {false, true})
    QCOMPARE(DesignRaster(8, 10, snap).keyStep(QRect(40, 16, 100, 20), dx, dy, resize, 1, 1), result);
}

void DesignLogicTest::alignedAndHeight() {
  const DesignRaster r(8, 8, true);
  QCOMPARE(r.aligned(QRect(43, 13, 97, 0)), QRect(40, 16, 96, 0));  // a line stays a line
  QCOMPARE(r.aligned(QRect(3, 3, 2, 2)), QRect(0, 0, 8, 8));        // a size stays at least one step
  QCOMPARE(r.sectionHeight(20, 7), 24);
  QCOMPARE(r.sectionHeight(20, -40), 0);
  QCOMPARE(DesignRaster(8, 8, false).sectionHeight(20, 7), 27);
}

void DesignLogicTest::handleAt_data() {
  QTest::addColumn<QPoint>("point");
  QTest::addColumn<DesignHandle>("handle");
  // An element drawn at (4, 4) with 100 x 20 pixels.
  QTest::newRow("top left") << QPoint(4, 4) << DesignHandle::TopLeft;
  QTest::newRow("bottom right") << QPoint(104, 24) << DesignHandle::BottomRight;
  QTest::newRow("right middle") << QPoint(105, 14) << DesignHandle::Right;
  QTest::newRow("top middle") << QPoint(54, 3) << DesignHandle::Top;
  QTest::newRow("inside") << QPoint(50, 14) << DesignHandle::None;
  QTest::newRow("far away") << QPoint(200, 200) << DesignHandle::None;
}

void DesignLogicTest::handleAt() {
  QFETCH(QPoint, point);
  QFETCH(DesignHandle, handle);
  QCOMPARE(SelectionGeometry::HandleAt(QRect(4, 4, 100, 20), point), handle);
}

void DesignLogicTest::rubberBand() {
  const QList<QRect> elements = {QRect(0, 0, 50, 20), QRect(100, 0, 50, 20), QRect(0, 40, 200, 0)};
  QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(QPoint(120, 30), QPoint(10, 10))), (QList<int>{0, 1}));
  QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(60, 30, 10, 20)), (QList<int>{2}));  // the line
  QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(60, 25, 10, 5)), QList<int>{});
  QCOMPARE(SelectionGeometry::ToHundredths(SelectionGeometry::ToPixels(250, 1.5), 1.5), 250);
}

void DesignLogicTest::minimumMargins_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<QSize>("physical");
  QTest::addColumn<QSize>("printable");
  QTest::addColumn<QPoint>("offset");     // the unprintable left and top edges
  QTest::addColumn<QMargins>("minimum");  // left, top, right, bottom in hundredths of an inch
  QTest::newRow("A4, a quarter inch all round, 600 dpi")
      << 600 << QSize(4956, 7014) << QSize(4656, 6714) << QPoint(150, 150) << QMargins(25, 25, 25, 25);
  QTest::newRow("uneven edges, 300 dpi, cut down")
      << 300 << QSize(2478, 3507) << QSize(2357, 3327) << QPoint(50, 60) << QMargins(16, 20, 23, 40);
  QTest::newRow("96 dpi") << 96 << QSize(793, 1122) << QSize(756, 1112) << QPoint(24, 10) << QMargins(25, 10, 13, 0);
  QTest::newRow("no edges") << 100 << QSize(826, 1169) << QSize(826, 1169) << QPoint(0, 0) << QMargins(0, 0, 0, 0);
  QTest::newRow("no resolution") << 0 << QSize(826, 1169) << QSize(800, 1100) << QPoint(10, 10) << QMargins();
}

void DesignLogicTest::minimumMargins() {
  QFETCH(int, dpi);
  QFETCH(QSize, physical);
  QFETCH(QSize, printable);
  QFETCH(QPoint, offset);
  QFETCH(QMargins, minimum);
  PrinterPageMetrics m;
  m.dpi = dpi;
  m.physicalWidth = physical.width();
  m.physicalHeight = physical.height();
  m.printableWidth = printable.width();
  m.printableHeight = printable.height();
  m.offsetLeft = offset.x();
  m.offsetTop = offset.y();
  QCOMPARE(MarginCheck::Minimum(m), minimum);
}

void DesignLogicTest::measureFakePrinter_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<QMarginsF>("unprintable");  // portrait, hundredths of an inch
  QTest::addColumn<int>("orientation");
  QTest::addColumn<QMargins>("minimum");
  QTest::newRow("quarter inch, 600 dpi") << 600 << QMarginsF(25, 25, 25, 25) << 0 << QMargins(25, 25, 25, 25);
  QTest::newRow("uneven, 300 dpi") << 300 << QMarginsF(17, 20, 24, 40) << 0 << QMargins(17, 20, 24, 40);
  QTest::newRow("landscape turns the edges") << 100 << QMarginsF(10, 20, 30, 40) << 1 << QMargins(40, 10, 20, 30);
}

void DesignLogicTest::measureFakePrinter() {
  QFETCH(int, dpi);
  QFETCH(QMarginsF, unprintable);
  QFETCH(int, orientation);
  QFETCH(QMargins, minimum);
  FakePrinterPort::Printer printer;
  printer.name = u"Laser"_s;
  printer.dpi = dpi;
  printer.unprintable = unprintable;
  FakePrinterPort port({printer});
  QVERIFY(port.select(0));
  QCOMPARE(MarginCheck::Minimum(MarginCheck::Measure(port, orientation)), minimum);
}

void DesignLogicTest::raiseMargins() {
  ReportPaper paper;
  paper.marginLeft = 0;
  paper.marginTop = 60;
  paper.marginRight = 10;
  paper.marginBottom = 25;
  const QMargins minimum(25, 25, 25, 25);
  QVERIFY(MarginCheck::Below(paper, minimum));
  MarginCheck::Raise(paper, minimum);
  QCOMPARE(paper.marginLeft, 25);
  QCOMPARE(paper.marginTop, 60);
  QCOMPARE(paper.marginRight, 25);
  QCOMPARE(paper.marginBottom, 25);
  QVERIFY(!MarginCheck::Below(paper, minimum));
}

namespace {

QString IniValue(const QString& path, const QString& section, const QString& key) {
  IniFile ini;
  if (!ini.load(path).ok) return u"(unreadable)"_s;
  const auto v = ini.value(section, key);
  return v ? v->text : u"(none)"_s;
}

}  // namespace

void DesignLogicTest::formatWriteBack() {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"SestDLL.ini"_s);
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Jine]\r\nKlic=1\r\n[FormatyPapiru]\r\nPocetFormatu=1\r\nFormat1=Muj,500,600\r\n");
  }
  TListFormatu formats;
  QVERIFY(formats.loadIni(path).ok);
  QCOMPARE(formats.count(), TListFormatu::kBuiltinCount + 1);
  PaperFormatEditor editor(formats, path);
  bool written = false;
  const int added = editor.add({u"uživ. formát"_s, 826, 1169}, &written);
  QVERIFY(written);
  QCOMPARE(added, TListFormatu::kBuiltinCount + 1);
  QCOMPARE(IniValue(path, u"FormatyPapiru"_s, u"PocetFormatu"_s), u"2"_s);
  QCOMPARE(IniValue(path, u"FormatyPapiru"_s, u"Format2"_s), u"uživ. formát,826,1169"_s);
  QCOMPARE(IniValue(path, u"Jine"_s, u"Klic"_s), u"1"_s);  // the rest of the file stays

  // Removing the first user format: one format fewer, renumbered from 1.
  QVERIFY(editor.remove(TListFormatu::kBuiltinCount));
  QCOMPARE(IniValue(path, u"FormatyPapiru"_s, u"PocetFormatu"_s), u"1"_s);
  QCOMPARE(IniValue(path, u"FormatyPapiru"_s, u"Format1"_s), u"uživ. formát,826,1169"_s);
  QCOMPARE(IniValue(path, u"FormatyPapiru"_s, u"Format2"_s), u"(none)"_s);
  // A built-in format is no user format: nothing is removed or written.
  const QByteArray before = designertest::ReadAll(path);
  QVERIFY(!editor.remove(5));
  QCOMPARE(designertest::ReadAll(path), before);
  QCOMPARE(formats.count(), TListFormatu::kBuiltinCount + 1);
  // The file was replaced whole: nothing of the write is left beside it.
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"SestDLL.ini"_s});

  QCOMPARE(editor.indexFor(826, 1169), 8);  // "A4 (210 x 297 mm)", not the user's own entry
  QCOMPARE(editor.indexFor(123, 456), 0);
  QCOMPARE(formats.at(0).width, 123);
}

void DesignLogicTest::lineBreaksAndQuotes_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("back");
  QTest::newRow("line break") << u"první\ndruhý"_s << u"první\ndruhý"_s;
  QTest::newRow("CR LF") << u"a\r\nb"_s << u"a\nb"_s;
  QTest::newRow("lone CR") << u"a\rb"_s << u"a\nb"_s;
  QTest::newRow("quotes") << u"\"uvozovky\" a \"\""_s << u"\"uvozovky\" a \"\""_s;
  QTest::newRow("comma and quote") << u"x,\"y\",z"_s << u"x,\"y\",z"_s;
  QTest::newRow("everything") << u"\n\"a\",\n\nb\n"_s << u"\n\"a\",\n\nb\n"_s;
  QTest::newRow("empty") << QString() << QString();
}

void DesignLogicTest::lineBreaksAndQuotes() {
  QFETCH(QString, typed);
  QFETCH(QString, back);
  ReportDefinition report;
  TReportElement e;
  e.text = typed;
  report.sections[kSectionBody].elements.append(e);
  TRadekFunkce f;
  f.name = u"F"_s;
  f.description = typed;
  report.functions.add(f);
  const TPredloha lines = TemplateLines::Format(report);
  for (const QString& line : lines) {
    QVERIFY(!line.contains(u'\n'));
    QVERIFY(!line.contains(u'\r'));
  }
  ReportDefinition read;
  TemplateLines::Parse(read, lines, {});
  QCOMPARE(read.sections[kSectionBody].elements.value(0).text, back);
  QCOMPARE(read.functions[0].description, back);
}

void DesignLogicTest::formatLeavesModelAlone() {
  ReportDefinition report;
  TReportElement e;
  e.text = u"a\r\nb"_s;
  report.sections[kSectionHeader].elements.append(e);
  (void)TemplateLines::Format(report);
  QCOMPARE(report.sections[kSectionHeader].elements.at(0).text, u"a\r\nb"_s);
}

void DesignLogicTest::elementText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("elements");
  QTest::newRow("text element") << u"T,1,0,0,0,100,20,Arial,10,0,0,0,0,0,\"x\",0,0,0"_s << true;
  QTest::newRow("line in a group band") << u"S0,7,0,0,0,100,0,,1,0,0,0,0,0"_s << true;
  QTest::newRow("two with CR LF") << u"H,8,8,0,0,10,10,,1,0,0,0,0,1\r\nP,10,10,0,0,10,10,,1,0,0,0,0,1\r\n"_s << true;
  QTest::newRow("header record") << u"I,0,\"x\""_s << false;
  QTest::newRow("function record") << u"F,0,A,\"\",0,\"\",0,\"1\",0,15,2,2"_s << false;
  QTest::newRow("unknown kind") << u"T,99,0,0,0,1,1"_s << false;
  QTest::newRow("unknown tag") << u"X,1,0"_s << false;
  QTest::newRow("plain words") << u"Hello, world"_s << false;
  QTest::newRow("empty") << QString() << false;
}

void DesignLogicTest::elementText() {
  QFETCH(QString, text);
  QFETCH(bool, elements);
  QCOMPARE(TemplateDocument::IsElementText(text), elements);
}

void DesignLogicTest::copyPasteLines() {
  QTemporaryDir dir;
  auto s = designertest::MakeSestava(dir.path());
  TemplateDocument doc;
  doc.setFieldNames(s->FieldNames);
  doc.open(TemplateLines::Format(s->definition()));
  const ElementRef caption{kSectionHeader, 1}, page{kSectionFooter, 2};
  const TReportElement a = *doc.element(caption), b = *doc.element(page);
  const QString text = doc.copyText({caption, page});
  const QStringList lines = text.split(u"\r\n"_s);
  QCOMPARE(lines.size(), 2);
  QVERIFY(lines.at(0).startsWith(u"H,4,"_s));
  QVERIFY(lines.at(1).startsWith(u"P,5,"_s));
  // To the sections they came from…
  const int header = doc.elements(kSectionHeader).size(), footer = doc.elements(kSectionFooter).size();
  QCOMPARE(doc.paste(text, -1), (QList<ElementRef>{{kSectionHeader, header}, {kSectionFooter, footer}}));
  QCOMPARE(*doc.element({kSectionHeader, header}), a);
  QCOMPARE(*doc.element({kSectionFooter, footer}), b);
  QCOMPARE(doc.history().undoHint(), u"Zrušit vložení z úschovy"_s);
  // …or all into one.
  const int body = doc.elements(kSectionBody).size();
  QCOMPARE(doc.paste(text, kSectionBody).size(), 2);
  QCOMPARE(*doc.element({kSectionBody, body + 1}), b);
  QVERIFY(doc.paste(u"nic"_s, kSectionBody).isEmpty());
}

void DesignLogicTest::settingsRoundTrip() {
  QTemporaryDir dir;
  auto s = designertest::MakeSestava(dir.path());
  ReportDefinition& report = s->definition();
  const TPredloha before = FormatTemplate(report);
  ReportSettings settings = ReportSettings::FromReport(report);
  settings.applyTo(report);
  QCOMPARE(FormatTemplate(report), before);
  // Groups are numbered by their places; their bands keep their elements.
  TPolSkup g;
  g.index = 7;
  g.columnName = u"Vel2"_s;
  g.startBand.elements.append(TReportElement{});
  settings.groups = {g, g};
  settings.height[kSectionBody] = 33;
  settings.visible[kSectionEnd] = true;
  settings.pagination.EndToFooter = true;
  settings.applyTo(report);
  QCOMPARE(report.groups.count(), 2);
  QCOMPARE(report.groups[0].index, 0);
  QCOMPARE(report.groups[1].index, 1);
  QCOMPARE(report.groups[1].startBand.elements.size(), 1);
  QCOMPARE(report.sections[kSectionBody].height, 33);
  QVERIFY(report.sections[kSectionEnd].visible);
  QVERIFY(report.pagination.EndToFooter);
}

QTEST_MAIN(DesignLogicTest)
#include "designlogic_test.moc"
