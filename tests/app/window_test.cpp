// The main window: the configuration file, start page, menu, dragging, diagram window,
// the ranges page and the shipped template's printout.
#include <QtTest>

#include <QComboBox>
#include <QSpinBox>
#include <QToolButton>

#include "app/diagr.h"
#include "report/component/sestava.h"
#include "report/ui/messages.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::ThlavniForm;

namespace {

// Every menu label of the window that is bold.
QString BoldLabels(const ThlavniForm& form) {
  QStringList bold;
  for (QLabel* l : form.findChildren<QLabel*>())
    if (l->property("tag").toInt() > 0 && l->font().bold()) bold.append(l->objectName());
  bold.sort();
  return bold.join(u' ');
}
const QString kCalculatorBold = u"menuVypocet1 menuVypocet2 menuVypocet3 menuVypocet4"_s;

// The decimal places of T, P, V, S, I, X of the ranges tests.
constexpr char kRangesConfig[] = "1\r\n2\r\n5\r\n3\r\n4\r\n6\r\n";

QSpinBox* Spin(const TestWindow& w, int q) { return w.Find<QSpinBox>(qPrintable(u"SpinEdit%1"_s.arg(q))); }

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT
 private slots:
  // Three contact boxes, a background that does not drag; a flag sets every page's language.
  void startPage() {
    TestWindow w(u',', kDefaultConfig, -1);
    const ThlavniForm& form = *w.form;
    QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageStart));
    QCOMPARE(w.Find("lblNazevOblasti")->height(), 0);
    QCOMPARE(BoldLabels(form), kCalculatorBold);
    for (const char* picture : {"Image10", "Image11", "Image12"}) Click(w.Find(picture));
    QCOMPARE(QSet<QString>(w.messages.texts.begin(), w.messages.texts.end()).size(), 3);
    for (const QString& text : w.messages.texts) QVERIFY(text.count(u'\n') >= 2);
    w.form->move(100, 80);
    SendMouse(w.Find("Image9"), QEvent::MouseButtonPress, QPoint(200, 150));
    SendMouse(w.Find("Image9"), QEvent::MouseMove, QPoint(260, 190));
    QCOMPARE(w.form->pos(), QPoint(100, 80));
    QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageStart));
    for (const QStringList& row : ReadRows("window.txt", "languages")) {
      Click(w.Find(qPrintable(row[0])));
      QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageCalculator));
      QCOMPARE((QStringList{row[0], w.Text("menuDiagram"), w.Text("menuDiagram4"), w.Text("Label1"),
                            w.Text("lblMetastab"), w.Text("L3"), w.Find<QComboBox>("ComboSkupiny")->itemText(0)}),
               row);
    }
  }

  // The places read at the start (a bad file: a message, what was read kept, nothing created), and written
  // on closing unless the file could not be read (a link would have its target overwritten).
  void startupConfig_data() {
    AddRows("window.txt", "startup", {"content", "message", "places", "edit1", "edit2", "closed"});
  }
  void startupConfig() {
    TestWindow w(u',', F("content") == u"-"_s ? QByteArray() : F("content").toLatin1());
    const QString message =
        u"Chyba při otevírání konfiguračního souboru - "_s + QDir::toNativeSeparators(w.ConfigPath());
    QCOMPARE(w.messages.texts, F("message") == u"1"_s ? QStringList{message} : QStringList());
    QCOMPARE(QList<int>(w.State().DecimalPlaces.begin() + 1, w.State().DecimalPlaces.end()), Ints(F("places")));
    QCOMPARE(QFile::exists(w.ConfigPath()), F("content") != u"-"_s);
    QCOMPARE(w.Edit("Edit1")->text(), F("edit1"));
    QCOMPARE(w.Edit("Edit2")->text(), F("edit2"));
    Click(w.Find("Image5"));
    QCOMPARE(ReadFile(w.ConfigPath()), F("closed").toLatin1());
  }

  // A close other than by a close picture writes nothing; a folder that cannot be made only warns.
  void closing() {
    TestWindow w(u',', QByteArray(), -1);
    w.form->close();
    QVERIFY(!QFile::exists(w.ConfigPath()));
    w.form->show();
    WriteFile(w.dir.filePath(u"file"_s), "x");
    w.State().ConfigDir = w.dir.filePath(u"file/tab97/"_s);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"configuration file cannot be written"_s));
    Click(w.Find("Image15"));
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.messages.texts.size(), 1);  // only the start-up message
  }

  // An entry opens its page, bold (no diagram nor print on two pages); without a chart the diagram entry
  // does nothing, print keeps the page and, without a template, asks the engine.
  void menuSelection() {
    TestWindow w(u',', kDefaultConfig);
    for (const char* name : {"menuDiagram3", "menuTisk3", "menuDiagram4", "menuTisk4"})
      QVERIFY2(!w.Find(name)->isEnabled(), name);
    for (const char* name : {"menuDiagram", "menuTisk1", "menuDiagram2", "menuTisk2", "MenuFunkce3"})
      QVERIFY2(w.Find(name)->isEnabled(), name);
    w.Menu("menuFunkce1");
    QCOMPARE(w.form->CurrentPageIndex(), 2);
    QCOMPARE(BoldLabels(*w.form), u"MenuFunkce3 menuFunkce1 menuFunkce2 menuFunkce4"_s);
    w.Menu("menuBody3");
    QVERIFY(w.form->CurrentPageIndex() == 1 && w.State().PointsMode);
    w.Menu("menuRozsahy2");
    QVERIFY(w.form->CurrentPageIndex() == 3 && !w.State().PointsMode);
    Click(w.Find("menuVypocet4"));  // through the real mouse events
    QCOMPARE(w.form->CurrentPageIndex(), 0);
    QCOMPARE(w.form->focusWidget(), w.Edit("Edit1"));
    report::ScriptedMessages engine({report::Answer::No});
    Click(w.Find("menuDiagram"));
    Click(w.Find("menuTisk1"));
    QCOMPARE(w.form->CurrentPageIndex(), 0);
    QCOMPARE(BoldLabels(*w.form), kCalculatorBold);
    QCOMPARE(w.messages.texts, QStringList());
    QCOMPARE(engine.texts.size(), 1);
    QVERIFY(engine.texts[0].startsWith(u"Nebyl nalezen soubor s předlohou tiskové sestavy"_s));
  }

  // A hovered entry turns bold; the background or leaving the entry (also the window) ends it. The background
  // drags the window while pressed, moving along, so that a screen point keeps its place on it.
  void hover() {
    TestWindow w(u',', kDefaultConfig);
    QLabel* body = w.Find("menuBody1");
    QLabel* funkce = w.Find("menuFunkce1");
    SendMouse(body, QEvent::MouseMove, QPoint(5, 5));
    QVERIFY(body->font().bold() && w.State().HoverActive);
    SendMouse(funkce, QEvent::MouseMove, QPoint(5, 5));
    QVERIFY(!body->font().bold() && funkce->font().bold());
    SendMouse(w.Find("menuVypocet1"), QEvent::MouseMove, QPoint(5, 5));
    QVERIFY(!funkce->font().bold() && !w.State().HoverActive);
    SendMouse(body, QEvent::MouseMove, QPoint(5, 5));
    w.form->move(100, 80);
    QLabel* background = w.Find("Image1");
    SendMouse(background, QEvent::MouseButtonPress, QPoint(200, 150));
    SendMouse(background, QEvent::MouseMove, QPoint(230, 170));
    QVERIFY(!w.State().HoverActive);
    QCOMPARE(BoldLabels(*w.form), kCalculatorBold);
    QCOMPARE(w.form->pos(), QPoint(130, 100));
    SendMouse(background, QEvent::MouseMove, QPoint(190, 150));  // the point pressed is at (200, 150) again
    QCOMPARE(w.form->pos(), QPoint(120, 100));
    SendMouse(background, QEvent::MouseButtonRelease, QPoint(190, 150));
    SendMouse(background, QEvent::MouseMove, QPoint(250, 250));
    QCOMPARE(w.form->pos(), QPoint(120, 100));
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    const std::pair<const char*, QPoint> leaves[] = {
        {"menuBody1", QPoint(120, -20)}, {"menuTisk1", QPoint(600, 15)}, {"menuTisk1", QPoint(495, 14)}};
    for (const auto& [label, to] : leaves) {
      QTest::mouseMove(w.Find(label), QPoint(10, 5));
      QVERIFY(w.Find(label)->font().bold());
      QTest::mouseMove(w.form.get(), to);
      QVERIFY2(!w.State().HoverActive, label);
      QCOMPARE(BoldLabels(*w.form), kCalculatorBold);
    }
  }

  // Activation loads the chart until it succeeds, with a message per failure; the entry then opens the
  // diagram modally with the state marked, and its close button ends it with OK.
  void diagramWindow() {
    TestWindow w(u',', kDefaultConfig);
    w.form->activateWindow();
    QCoreApplication::processEvents();
    w.form->FormActivate();  // no diagram window yet: nothing happens
    tab97::TDiagramForm diagram(w.State());
    diagram.SetScreenSize(QSize(1280, 1024));
    w.form->SetChartHost(&diagram);
    w.form->FormActivate();
    const QString chart = w.dir.filePath(u"DiagrTS.bmp"_s);
    QCOMPARE(w.messages.texts, QStringList{u"Chyba při otevírání TS diagramu - "_s + QDir::toNativeSeparators(chart)});
    w.Menu("menuDiagram");
    QVERIFY(QFile::copy(QStringLiteral(TAB97_CHART_DIR "/DiagrTS.bmp"), chart));
    w.form->FormActivate();
    QVERIFY(QFile::remove(chart));
    w.form->FormActivate();  // loaded once: not again
    QCOMPARE(w.messages.texts.size(), 1);
    w.State().StateValues = {0, 100, 0.101418, 1.6718, 7.3545, 2675.6, 1};
    bool shown = false;
    QPoint marker;
    QTimer::singleShot(0, &diagram, [&] {
      shown = diagram.isVisible() && diagram.isModal();
      marker = diagram.Marker(1)->pos() - diagram.ChartGeometry().topLeft();
      diagram.findChild<QToolButton*>(u"BitBtn3"_s)->click();
    });
    w.Menu("menuDiagram");
    QVERIFY(shown);
    QCOMPARE(marker, QPoint(770 - 6, 1474 - 6));
    QCOMPARE(diagram.result(), int(QDialog::Accepted));
    QVERIFY(!diagram.isVisible());
    w.form->SetChartHost(nullptr);
  }

  // Each picture comes from the program directory, in the size of its place.
  void picturesLoadFromProgramDir_data() { AddRows("window.txt", "pictures", {"size"}); }
  void picturesLoadFromProgramDir() {
    MessageRecorder messages;
    const FakePlatform platform(u'.', QStringLiteral(TAB97_PICTURE_DIR));
    ThlavniForm form(platform, &RecordingSolve);
    const QSize size = FindIn(form, QTest::currentDataTag())->pixmap().size();
    QCOMPARE((QList<int>{size.width(), size.height()}), Ints(F("size")));
  }

  // A value beyond the editors' bounds 0 and 8 shows clamped, in force until edited; arrows stop there.
  void rangesEditors() {
    TestWindow w(u',', "12\r\n2\r\n5\r\n3\r\n4\r\n6\r\n");
    QCOMPARE(w.Edit("Edit1")->text(), u"0,000000000000"_s);
    w.Menu("menuRozsahy1");
    QList<int> shown;
    for (int q = 1; q <= 6; ++q) shown << Spin(w, q)->value();
    QCOMPARE(shown, (QList<int>{8, 2, 5, 3, 4, 6}));
    QCOMPARE(w.State().DecimalPlaces[1], 12);
    QCOMPARE(w.form->focusWidget(), Spin(w, 1));
    QTest::keyClick(Spin(w, 1), Qt::Key_Down);
    QCOMPARE(w.State().DecimalPlaces[1], 7);
    w.Menu("menuVypocet4");
    w.State().DecimalPlaces[2] = 7;
    w.Menu("menuRozsahy1");
    QCOMPARE(Spin(w, 2)->value(), 7);
    const QList<int> bounds[] = {{1, Qt::Key_Up, 12, 8}, {6, Qt::Key_Down, 10, 0}, {3, Qt::Key_PageUp, 3, 8}};
    for (const QList<int>& b : bounds) {
      for (int i = 0; i < b[2]; ++i) QTest::keyClick(Spin(w, b[0]), Qt::Key(b[1]));
      QVERIFY(Spin(w, b[0])->value() == b[3] && w.State().DecimalPlaces[b[0]] == b[3]);
    }
  }

  // New places show at once, without a calculation or a roll; units follow their values' widths.
  void rangesChangeShowsAtOnce_data() { AddRows("window.txt", "rangesChange", {"quantity", "key", "label", "shown"}); }
  void rangesChangeShowsAtOnce() {
    TestWindow w(u',', kRangesConfig);
    w.Edit("Edit1")->setText(u"150"_s);
    w.Edit("Edit2")->setText(u"1"_s);
    w.Enter("Edit2");
    w.RollRegion();
    Calls().clear();
    w.Menu("menuRozsahy1");
    QTest::keyClick(Spin(w, F("quantity").toInt()), F("key") == u"up"_s ? Qt::Key_Up : Qt::Key_Down);
    w.Menu("menuVypocet4");
    const auto* edit = w.form->findChild<QLineEdit*>(F("label"));
    QCOMPARE(edit != nullptr ? edit->text() : w.Text(qPrintable(F("label"))), F("shown"));
    QVERIFY(Calls().empty() && w.RollRegion().isEmpty());
    QCOMPARE(w.Find("lblNazevOblasti")->height(), 18);
    for (const auto& [value, unit] : {std::pair{"LabelV11", "LabelV111"}, std::pair{"LabelV33", "LabelV333"}}) {
      QCOMPARE(w.Find(value)->width(), w.Find(value)->sizeHint().width());
      QCOMPARE(w.Find(unit)->x(), w.Find(value)->x() + w.Find(value)->width() + 8);
    }
  }

  // The letter-spaced limits, one quantity a line, and the headings fit their labels in both languages.
  void rangesLimits() {
    for (const int language : {0, 1}) {
      TestWindow w(u',', kRangesConfig, language);
      w.Menu("menuRozsahy1");
      const QStringList lines = w.Text("LabelMin").split(u'\n');
      QCOMPARE(lines.size(), 6);
      QCOMPARE(lines[1], u"0 , 0 0 0 6 1 1 2   < =   P  [ M P a ]   < =   1 0 0"_s);
      QCOMPARE(w.Find("LabelMin")->textFormat(), Qt::PlainText);
      for (const char* name : {"lblMezni", "lblNastaveni", "lblMinim", "lblMaxim", "LabelMin"}) {
        QLabel* label = w.Find(name);
        QVERIFY2(
            label->heightForWidth(label->width()) <= label->height() || label->sizeHint().height() <= label->height(),
            name);
      }
    }
  }

  // The shipped template previews the heading, captions and the calculator's row or the solved points in order.
  void printPreview_data() { AddRows("window.txt", "printPreview", {"page", "print", "shown", "absent"}); }
  void printPreview() {
    TestWindow w(u',', kDefaultConfig);
    QVERIFY(QFile::copy(QStringLiteral(TAB97_SOURCE_DIR "/res/report/zostava.pts"), w.dir.filePath(u"zostava.pts"_s)));
    w.State().StateValues = {0, 284.15, 16.257, 0.00134, 3.0775, 1255.5, 0};
    w.Menu(qPrintable(F("page")));
    w.State().PointTable[0] = {1.0, {0, 150, 1.5, 0.0011, 1.84, 632.25, 0}};
    w.State().PointTable[1] = {0.0, {0, 99, 1, 0.0011, 1.84, 632.25, 0}};
    w.State().PointTable[4] = {1.0, {0, 20.5, 3, 0.0011, 1.84, 632.25, 0}};
    QStringList texts;
    int pages = 0;
    w.form->Sestava1().previewer = [&](report::TSestavaTyp& r, QRect, QPoint, int, int) {
      pages = r.document().pageCount();
      for (const report::TVystPrvek& e : r.document().pages[0].elements) texts.append(e.text);
      return 1;
    };
    w.Menu(qPrintable(F("print")));
    QCOMPARE(pages, 1);
    const QStringList shown = F("shown").split(u';');
    for (const QString& text : shown)
      QVERIFY2(texts.contains(text), qPrintable(text + u" not in "_s + texts.join(u'|')));
    for (const QString& text : F("absent").split(u';')) QVERIFY2(!texts.contains(text), qPrintable(text));
    QVERIFY(texts.indexOf(shown[0]) < texts.indexOf(shown[1]));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
