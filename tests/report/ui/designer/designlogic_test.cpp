// The designer's logic without widgets, from tables in data/designlogic.txt: the
// raster, the selection's handles and rubber band, the margin check, the paper
// formats written back to the ini file, the template lines keeping line breaks
// and quotes, the clipboard's element lines, and the settings taken back.
#include <QtTest>

#include "designertestsupport.h"
#include "report/io/templatetext.h"
#include "report/print/fakeprinterport.h"
#include "report/ui/designer/designraster.h"
#include "report/ui/designer/margincheck.h"
#include "report/ui/designer/paperformateditor.h"
#include "report/ui/designer/reportsettings.h"
#include "report/ui/designer/selectiongeometry.h"
#include "report/ui/designer/templatedocument.h"
#include "report/ui/designer/templatelines.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;

namespace {
const QString kTable = u"designlogic.txt"_s;
QMargins Margins(const QRect& r) { return QMargins(r.x(), r.y(), r.width(), r.height()); }
using designertest::IniValue;
}  // namespace

class DesignLogicTest : public QObject {
  Q_OBJECT
 private slots:
  void snapValue_data() { uitest::Table(kTable); }
  void snapValue() {
    const uitest::Row r = uitest::FetchRow();
    QCOMPARE(DesignRaster::SnapValue(r.num(u"value"_s), r.num(u"step"_s)), r.num(u"snapped"_s));
  }

  void moveDelta_data() { uitest::Table(kTable); }
  void moveDelta() {
    const uitest::Row r = uitest::FetchRow();
    QCOMPARE(DesignRaster(8, 8, r.flag(u"snap"_s)).moveDelta(r.point(u"anchor"_s), r.point(u"delta"_s)),
             r.point(u"result"_s));
  }

  void resized_data() { uitest::Table(kTable); }
  void resized() {
    const uitest::Row r = uitest::FetchRow();
    const auto handle = static_cast<DesignHandle>(r.num(u"handle"_s));
    QCOMPARE(DesignRaster(8, 8, r.flag(u"snap"_s)).resized(QRect(40, 16, 100, 20), handle, r.point(u"delta"_s), 1, 1),
             r.rect(u"result"_s));
  }

  void keyStep_data() { uitest::Table(kTable); }
  void keyStep() {
    const uitest::Row r = uitest::FetchRow();
    const QPoint step = r.point(u"step"_s);
    for (bool snap : {false, true})
      QCOMPARE(DesignRaster(8, 10, snap).keyStep(QRect(40, 16, 100, 20), step.x(), step.y(), r.flag(u"resize"_s), 1, 1),
               r.rect(u"result"_s));
  }

  void alignedAndHeight() {
    const DesignRaster r(8, 8, true);
    QCOMPARE(r.aligned(QRect(43, 13, 97, 0)), QRect(40, 16, 96, 0));  // a line stays a line
    QCOMPARE(r.aligned(QRect(3, 3, 2, 2)), QRect(0, 0, 8, 8));        // a size stays at least one step
    QCOMPARE(r.sectionHeight(20, 7), 24);
    QCOMPARE(r.sectionHeight(20, -40), 0);
    QCOMPARE(DesignRaster(8, 8, false).sectionHeight(20, 7), 27);
  }

  void handleAt_data() { uitest::Table(kTable); }
  void handleAt() {
    const uitest::Row r = uitest::FetchRow();
    QCOMPARE(SelectionGeometry::HandleAt(QRect(4, 4, 100, 20), r.point(u"point"_s)),
             static_cast<DesignHandle>(r.num(u"handle"_s)));
  }

  void rubberBand() {
    const QList<QRect> elements = {QRect(0, 0, 50, 20), QRect(100, 0, 50, 20), QRect(0, 40, 200, 0)};
    QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(QPoint(120, 30), QPoint(10, 10))), (QList<int>{0, 1}));
    QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(60, 30, 10, 20)), (QList<int>{2}));  // the line
    QCOMPARE(SelectionGeometry::ElementsInBand(elements, QRect(60, 25, 10, 5)), QList<int>{});
    QCOMPARE(SelectionGeometry::ToHundredths(SelectionGeometry::ToPixels(250, 1.5), 1.5), 250);
  }

  void minimumMargins_data() { uitest::Table(kTable); }
  void minimumMargins() {
    const uitest::Row r = uitest::FetchRow();
    PrinterPageMetrics m;
    m.dpi = r.num(u"dpi"_s);
    m.physicalWidth = r.point(u"physical"_s).x();
    m.physicalHeight = r.point(u"physical"_s).y();
    m.printableWidth = r.point(u"printable"_s).x();
    m.printableHeight = r.point(u"printable"_s).y();
    m.offsetLeft = r.point(u"offset"_s).x();
    m.offsetTop = r.point(u"offset"_s).y();
    QCOMPARE(MarginCheck::Minimum(m), Margins(r.rect(u"minimum"_s)));
  }

  void measureFakePrinter_data() { uitest::Table(kTable); }
  void measureFakePrinter() {
    const uitest::Row r = uitest::FetchRow();
    FakePrinterPort::Printer printer;
    printer.name = u"Laser"_s;
    printer.dpi = r.num(u"dpi"_s);
    printer.unprintable = QMarginsF(Margins(r.rect(u"unprintable"_s)));
    FakePrinterPort port({printer});
    QVERIFY(port.select(0));
    QCOMPARE(MarginCheck::Minimum(MarginCheck::Measure(port, r.flag(u"landscape"_s) ? 1 : 0)),
             Margins(r.rect(u"minimum"_s)));
  }

  void raiseMargins() {
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

  void formatWriteBack() {
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
    const QByteArray before = uitest::ReadAll(path);
    QVERIFY(!editor.remove(5));
    QCOMPARE(uitest::ReadAll(path), before);
    QCOMPARE(formats.count(), TListFormatu::kBuiltinCount + 1);
    // The file was replaced whole: nothing of the write is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"SestDLL.ini"_s});

    QCOMPARE(editor.indexFor(826, 1169), 8);  // "A4 (210 x 297 mm)", not the user's own entry
    QCOMPARE(editor.indexFor(123, 456), 0);
    QCOMPARE(formats.at(0).width, 123);
  }

  void lineBreaksAndQuotes_data() { uitest::Table(kTable); }
  void lineBreaksAndQuotes() {
    const uitest::Row r = uitest::FetchRow();
    const QString typed = r.str(u"typed"_s), back = r.str(u"back"_s);
    ReportDefinition report;
    TReportElement e;
    e.text = typed;
    report.sections[kSectionBody].elements.append(e);
    TRadekFunkce f;
    f.name = u"F"_s;
    f.description = typed;
    report.functions.add(f);
    const TPredloha lines = TemplateLines::Format(report);
    QCOMPARE(report.sections[kSectionBody].elements.at(0).text, typed);  // the model stays as typed
    for (const QString& line : lines) {
      QVERIFY(!line.contains(u'\n'));
      QVERIFY(!line.contains(u'\r'));
    }
    ReportDefinition read;
    TemplateLines::Parse(read, lines, {});
    QCOMPARE(read.sections[kSectionBody].elements.value(0).text, back);
    QCOMPARE(read.functions[0].description, back);
  }

  void elementText_data() { uitest::Table(kTable); }
  void elementText() {
    const uitest::Row r = uitest::FetchRow();
    QCOMPARE(TemplateDocument::IsElementText(r.str(u"text"_s)), r.flag(u"elements"_s));
  }

  void copyPasteLines() {
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

  void settingsRoundTrip() {
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
};

QTEST_MAIN(DesignLogicTest)
#include "designlogic_test.moc"
