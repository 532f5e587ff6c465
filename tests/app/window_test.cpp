// The main window: start-up with the configuration file and its failure
// message, closing through the close pictures, the start page with language
// choice and contact boxes, the label menu with hover and selection, window
// dragging, the diagram window loaded on activation and opened from the menu;
// the ranges page's decimal places and limits; the shipped template's printout.
#include <QtTest>

#include <sys/stat.h>

#include <QComboBox>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "app/calculatorpage.h"
#include "app/diagr.h"
#include "report/component/sestava.h"
#include "report/ui/messages.h"
#include "res/texts.h"
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
  // The window starts on the start page, whose contact pictures show three
  // boxes; each flag sets the language of every page and opens the calculator.
  void startPage() {
    TestWindow w(u',', kDefaultConfig, -1);
    const ThlavniForm& form = *w.form;
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.size(), QSize(514, 366));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageStart));
    QCOMPARE(w.Find("lblNazevOblasti")->height(), 0);
    QCOMPARE(BoldLabels(form), kCalculatorBold);
    for (const char* picture : {"Image10", "Image11", "Image12"}) Click(w.Find(picture));
    QCOMPARE(QSet<QString>(w.messages.texts.begin(), w.messages.texts.end()).size(), 3);
    for (const QString& text : w.messages.texts) QVERIFY(text.count(u'\n') >= 2);
    QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageStart));
    for (const QStringList& row : ReadRows("window.txt", "languages")) {
      Click(w.Find(qPrintable(row[0])));
      QCOMPARE(form.CurrentPageIndex(), int(ThlavniForm::kPageCalculator));
      const int language = form.State().LanguageIndex;
      QCOMPARE((QStringList{row[0], w.Text("menuDiagram"), w.Text("menuDiagram4"), w.Text("Label1"),
                            w.Text("lblMetastab"), w.Text("L3")}),
               row);
      auto* groups = w.Find<QComboBox>("ComboSkupiny");
      QCOMPARE(groups->count(), 5);
      QCOMPARE(groups->itemText(0), tab97::texts::GroupName(language, 1));
      QCOMPARE(w.Find<QComboBox>("Combo5")->count(), 7);
      QVERIFY(w.Text("LabelMin").startsWith(u"0   < =   T  [ ° C ]   < =   8 0 0\n"_s));
    }
  }

  // The file read at the start gives the decimal places shown; a missing or
  // malformed one costs a message and keeps what was read; reading creates nothing.
  void startupConfig_data() { AddRows("window.txt", "startup", {"content", "message", "places", "edit1", "edit2"}); }
  void startupConfig() {
    TestWindow w(u',', F("content") == u"-"_s ? QByteArray() : F("content").toLatin1());
    const QString message =
        u"Chyba při otevírání konfiguračního souboru - "_s + QDir::toNativeSeparators(w.ConfigPath());
    QCOMPARE(w.messages.texts, F("message") == u"1"_s ? QStringList{message} : QStringList());
    QCOMPARE(QList<int>(w.State().DecimalPlaces.begin() + 1, w.State().DecimalPlaces.end()), Ints(F("places")));
    QCOMPARE(QFile::exists(w.ConfigPath()), F("content") != u"-"_s);
    QCOMPARE(w.Edit("Edit1")->text(), F("edit1"));
    QCOMPARE(w.Edit("Edit2")->text(), F("edit2"));
  }

  // Each page's close picture writes the decimal places, another close nothing;
  // a folder that cannot be made (a file stands there) costs only a warning.
  void closing() {
    const char* menus[4] = {"menuVypocet1", "menuBody1", "menuFunkce1", "menuRozsahy1"};
    const char* pictures[5] = {"Image5", "Image6", "Image7", "Image8", "Image15"};
    for (int page = 0; page < 5; ++page) {
      TestWindow w(u',', QByteArray(), page == ThlavniForm::kPageStart ? -1 : 1);
      if (page > 0 && page < 4) w.Menu(menus[page]);
      QCOMPARE(w.form->CurrentPageIndex(), page);
      w.State().DecimalPlaces[4] = 7;
      Click(w.Find(pictures[page]));
      QCOMPARE(ReadFile(w.ConfigPath()), QByteArray("2\r\n3\r\n6\r\n7\r\n3\r\n4\r\n"));
      QVERIFY(!w.form->isVisible());
    }
    TestWindow w(u',', QByteArray(), -1);
    w.form->close();
    QVERIFY(!QFile::exists(w.ConfigPath()));
    w.form->show();
    WriteFile(w.dir.filePath(u"file"_s), "x");
    w.State().ConfigDir = w.dir.filePath(u"file/tab97/"_s);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"configuration file cannot be written"_s));
    w.form->konecClick();
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.messages.texts.size(), 1);  // only the start-up message
  }

  // A FIFO would block the start in open() and a link would have its target
  // overwritten: both start with the message and are left as they were on
  // closing. (The test's time limit in CMake catches a start that blocks.)
  void unreadableConfigIsKept() {
    for (const bool fifo : {true, false}) {
      QTemporaryDir dir;
      const QString path = dir.filePath(u"Tab97.cfg"_s), other = dir.filePath(u"other.txt"_s);
      if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
      else
        WriteFile(other, "secret\n");
      QVERIFY(fifo || QFile::link(other, path));
      MessageRecorder messages;
      const FakePlatform platform(u',', dir.path());
      ThlavniForm form(platform, &RecordingSolve);
      form.show();
      QCOMPARE(messages.texts.size(), 1);
      QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be read and is kept"_s));
      Click(FindIn(form, "Image15"));
      QVERIFY(!form.isVisible());
      QVERIFY(fifo ? QFileInfo(path).exists() && !QFileInfo(path).isFile() : QFileInfo(path).isSymLink());
      QCOMPARE(ReadFile(other), fifo ? QByteArray() : QByteArray("secret\n"));
    }
  }

  // A menu entry opens its page and makes its entries bold (the functions and
  // ranges pages have no diagram and print). Without a chart the diagram entry
  // does nothing; print keeps the page and, without a template, asks the engine.
  void menuSelection() {
    TestWindow w(u',', kDefaultConfig);
    for (const char* name : {"menuDiagram3", "menuTisk3", "menuDiagram4", "menuTisk4"})
      QVERIFY2(!w.Find(name)->isEnabled(), name);
    for (const char* name : {"menuDiagram", "menuTisk1", "menuDiagram2", "menuTisk2", "MenuFunkce3"})
      QVERIFY2(w.Find(name)->isEnabled(), name);
    w.Menu("menuFunkce1");
    QCOMPARE(w.form->CurrentPageIndex(), 2);
    QCOMPARE(BoldLabels(*w.form), u"MenuFunkce3 menuFunkce1 menuFunkce2 menuFunkce4"_s);
    QVERIFY(!w.State().PointsMode);
    w.Menu("menuBody3");
    QCOMPARE(w.form->CurrentPageIndex(), 1);
    QVERIFY(w.State().PointsMode);
    w.Menu("menuRozsahy2");
    QCOMPARE(w.form->CurrentPageIndex(), 3);
    QVERIFY(!w.State().PointsMode);
    Click(w.Find("menuVypocet4"));  // through the real mouse events
    QCOMPARE(w.form->CurrentPageIndex(), 0);
    QCOMPARE(BoldLabels(*w.form), kCalculatorBold);
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

  // A hovered entry turns bold, the active one stays; the background ends the
  // hover, and so does the mouse leaving the entry, also out of the window.
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
    SendMouse(w.Find("Image1"), QEvent::MouseMove, QPoint(200, 200));
    QVERIFY(!w.State().HoverActive);
    QCOMPARE(BoldLabels(*w.form), kCalculatorBold);
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

  // The backgrounds drag the window, but for the start page's.
  void dragging() {
    TestWindow w(u',', kDefaultConfig, -1);
    w.form->move(100, 80);
    QLabel* start = w.Find("Image9");
    SendMouse(start, QEvent::MouseButtonPress, QPoint(200, 150));
    SendMouse(start, QEvent::MouseMove, QPoint(260, 190));
    SendMouse(start, QEvent::MouseButtonRelease, QPoint(260, 190));
    QCOMPARE(w.form->pos(), QPoint(100, 80));
    w.form->Image13Click();
    QLabel* background = w.Find("Image1");
    SendMouse(background, QEvent::MouseButtonPress, QPoint(200, 150));
    SendMouse(background, QEvent::MouseMove, QPoint(230, 170));
    QCOMPARE(w.form->pos(), QPoint(130, 100));
    // The picture moved with the window: the same screen point is (200, 150) again.
    SendMouse(background, QEvent::MouseMove, QPoint(190, 150));
    QCOMPARE(w.form->pos(), QPoint(120, 100));
    SendMouse(background, QEvent::MouseButtonRelease, QPoint(190, 150));
    SendMouse(background, QEvent::MouseMove, QPoint(250, 250));
    QCOMPARE(w.form->pos(), QPoint(120, 100));
  }

  // Activation loads the chart until it succeeds once, with a message for each
  // failure; then the menu entry opens the diagram window modally at full size
  // with the calculator's state marked, and its close button ends it with OK.
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

  void picturesLoadFromProgramDir() {
    MessageRecorder messages;
    const FakePlatform platform(u'.', QStringLiteral(TAB97_PICTURE_DIR));
    ThlavniForm form(platform, &RecordingSolve);
    for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image9"})
      QVERIFY2(FindIn(form, name)->pixmap().size() == QSize(514, 366), name);
    for (const char* name : {"Image5", "Image6", "Image7", "Image8", "Image15"})
      QVERIFY2(FindIn(form, name)->pixmap().size() == QSize(20, 20) && FindIn(form, name)->geometry().right() == 506,
               name);
    for (const char* name : {"Image10", "Image11", "Image12", "Image13", "Image14"})
      QVERIFY2(!FindIn(form, name)->pixmap().isNull(), name);
  }

  // Entering loads the editors, a value beyond their bounds shown clamped but in
  // force until the user edits it; arrows stop at the bounds 0 and 8.
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
    const struct {
      int q;
      Qt::Key key;
      int presses, expected;
    } bounds[] = {{1, Qt::Key_Up, 12, 8}, {6, Qt::Key_Down, 10, 0}, {3, Qt::Key_PageUp, 3, 8}};
    for (const auto& b : bounds) {
      for (int i = 0; i < b.presses; ++i) QTest::keyClick(Spin(w, b.q), b.key);
      QCOMPARE(Spin(w, b.q)->value(), b.expected);
      QCOMPARE(w.State().DecimalPlaces[b.q], b.expected);
    }
  }

  // New decimal places show at once, without a new calculation or roll of the
  // region name; each unit follows its value's new width.
  void rangesChangeShowsAtOnce_data() { AddRows("window.txt", "rangesChange", {"quantity", "key", "label", "shown"}); }
  void rangesChangeShowsAtOnce() {
    TestWindow w(u',', kRangesConfig);
    w.Edit("Edit1")->setText(u"150"_s);
    w.Edit("Edit2")->setText(u"1"_s);
    w.Enter("Edit2");
    auto* timer = w.Find<QTimer>("Timer2");
    for (int tick = 0; tick < 40 && timer->isActive(); ++tick) w.form->Calculator()->Timer2Timer();
    Calls().clear();
    w.Menu("menuRozsahy1");
    QTest::keyClick(Spin(w, F("quantity").toInt()), F("key") == u"up"_s ? Qt::Key_Up : Qt::Key_Down);
    w.Menu("menuVypocet4");
    const auto* edit = w.form->findChild<QLineEdit*>(F("label"));
    QCOMPARE(edit != nullptr ? edit->text() : w.Text(qPrintable(F("label"))), F("shown"));
    QVERIFY(Calls().empty() && !timer->isActive());
    QCOMPARE(w.Find("lblNazevOblasti")->height(), 18);
    for (const auto& [value, unit] : {std::pair{"LabelV11", "LabelV111"}, std::pair{"LabelV33", "LabelV333"}}) {
      QCOMPARE(w.Find(value)->width(), w.Find(value)->sizeHint().width());
      QCOMPARE(w.Find(unit)->x(), w.Find(value)->x() + w.Find(value)->width() + 8);
    }
  }

  // The limits text keeps the blanks between its letters, one quantity a line,
  // and the headings and the limits fit their labels in both languages.
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

  // The shipped template in the preview: the heading, the captions of the
  // display order and the calculator's row, or the solved points in order.
  void printPreview() {
    for (const bool points : {false, true}) {
      TestWindow w(u',', kDefaultConfig);
      QVERIFY(
          QFile::copy(QStringLiteral(TAB97_SOURCE_DIR "/res/report/zostava.pts"), w.dir.filePath(u"zostava.pts"_s)));
      w.State().StateValues = {0, 284.15, 16.257, 0.00134, 3.0775, 1255.5, 0};
      if (points) w.Menu("menuBody1");
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
      w.Menu(points ? "menuTisk2" : "menuTisk1");
      QCOMPARE(pages, 1);
      const QStringList shown = points ? QStringList{u"150,00"_s, u"20,50"_s, u"3,000"_s}
                                       : QStringList{u"284,15"_s, u"16,257"_s, u"Strana 1"_s};
      for (const QString& text :
           shown + QStringList{u"Teplota = "_s, u"Termofyzikální vlastnosti vody a vodní páry podle IAPWS IF97"_s})
        QVERIFY2(texts.contains(text), qPrintable(text + u" not in "_s + texts.join(u'|')));
      for (const QString& text : {u"99,00"_s, points ? u"284,15"_s : u"150,00"_s})
        QVERIFY2(!texts.contains(text), qPrintable(text));
      QVERIFY(texts.indexOf(shown[0]) < texts.indexOf(shown[1]));
    }
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
