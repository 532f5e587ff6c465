// The main window frame: start-up with the configuration file and its failure
// message, the start page with language choice and contact boxes, the label
// menu with hover and selection, window dragging, the chart load on activation,
// and closing through the close pictures.
#include <QtTest>

#include <sys/stat.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>

#include <memory>

#include "app/charthost.h"
#include "app/hlavniform.h"
#include "report/ui/messages.h"
#include "res/texts.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::ThlavniForm;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

class FakeChart final : public tab97::ChartHost {
 public:
  bool LoadChart(const QString& path) override {
    loads.append(path);
    return succeed;
  }
  void ShowModal() override { ++shown; }
  bool succeed = false;
  QStringList loads;
  int shown = 0;
};

}  // namespace

class HlavniFormTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void windowFrame();
  void startupConfig_data();
  void startupConfig();
  void largeConfigValueIsUsedForDisplay();
  void closePictureWritesConfig_data();
  void closePictureWritesConfig();
  void otherCloseWritesNothing();
  void unwritableDirectoryDoesNotBlock();
  void unreadableConfigIsKept_data();
  void unreadableConfigIsKept();
  void startsOnStartPageInCzech();
  void languageChoice_data();
  void languageChoice();
  void contactBoxes();
  void menuSelection();
  void menuOfShownPageDoesNothing();
  void menuDiagramAndPrintKeepThePage();
  void disabledMenuLabels();
  void hoverMakesBold();
  void hoverEndsWhenMouseLeaves_data();
  void hoverEndsWhenMouseLeaves();
  void draggingMovesWindow();
  void startPageDoesNotDrag();
  void activationWithoutDiagramWindowIsSilent();
  void activationLoadsChartOnce();
  void picturesLoadFromProgramDir();

 private:
  std::unique_ptr<ThlavniForm> Make(QChar separator = QLatin1Char(',')) {
    platform_ = std::make_unique<FakePlatform>(separator, dir_->path());
    return std::make_unique<ThlavniForm>(*platform_, &RecordingSolve);
  }
  QString ConfigPath() const { return dir_->filePath(u"Tab97.cfg"_s); }
  template <typename T = QLabel>
  static T* Find(const ThlavniForm& form, const char* name) {
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) qWarning("no control %s", name);
    return w;
  }
  // Every menu label of the window that is bold.
  static QStringList BoldLabels(const ThlavniForm& form) {
    QStringList bold;
    for (QLabel* l : form.findChildren<QLabel*>())
      if (l->property("tag").toInt() > 0 && l->font().bold()) bold.append(l->objectName());
    bold.sort();
    return bold;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<FakePlatform> platform_;
  std::unique_ptr<MessageRecorder> messages_;
};

void HlavniFormTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  messages_ = std::make_unique<MessageRecorder>();
  Calls().clear();
  Script() = nullptr;
}

void HlavniFormTest::cleanup() {
  messages_.reset();
  platform_.reset();
  dir_.reset();
}

void HlavniFormTest::windowFrame() {
  WriteFile(ConfigPath(), "2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
  auto form = Make();
  QVERIFY(form->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(form->size(), QSize(514, 366));
  QCOMPARE(form->minimumSize(), form->maximumSize());
  QCOMPARE(form->font().pointSize(), 8);
  QCOMPARE(form->font().family(), u"Arial"_s);
  auto* pages = form->findChild<QStackedWidget*>(u"PageControl1"_s);
  QVERIFY(pages);
  QCOMPARE(pages->count(), 5);
  QCOMPARE(form->palette().color(QPalette::Window).blue() > form->palette().color(QPalette::Window).red(), true);
}

void HlavniFormTest::startupConfig_data() {
  QTest::addColumn<QByteArray>("content");  // null: no file
  QTest::addColumn<bool>("message");
  QTest::addColumn<std::vector<int>>("places");
  QTest::addColumn<QString>("edit1");  // the calculator's inputs of 0 with the places of T and P
  QTest::addColumn<QString>("edit2");
  QTest::newRow("missing: defaults") << QByteArray() << true << std::vector<int>{2, 3, 6, 4, 3, 4} << u"0,00"_s
                                     << u"0,000"_s;
  QTest::newRow("short: keeps what was read")
      << QByteArray("1\r\n1\r\n1\r\n") << true << std::vector<int>{1, 1, 1, 4, 3, 4} << u"0,0"_s << u"0,0"_s;
  QTest::newRow("malformed third line") << QByteArray("5\r\n5\r\nx\r\n5\r\n5\r\n5\r\n") << true
                                        << std::vector<int>{5, 5, 6, 4, 3, 4} << u"0,00000"_s << u"0,00000"_s;
  QTest::newRow("good file is used") << QByteArray("1\r\n0\r\n6\r\n4\r\n3\r\n4\r\n") << false
                                     << std::vector<int>{1, 0, 6, 4, 3, 4} << u"0,0"_s << u"0"_s;
}

void HlavniFormTest::startupConfig() {
  QFETCH(QByteArray, content);
  QFETCH(bool, message);
  QFETCH(std::vector<int>, places);
  if (!content.isNull()) WriteFile(ConfigPath(), content);
  auto form = Make();
  if (message)
    QCOMPARE(messages_->texts, QStringList{u"Chyba při otevírání konfiguračního souboru - "_s +
                                           QDir::toNativeSeparators(ConfigPath())});
  else
    QVERIFY(messages_->texts.isEmpty());
  const auto& d = form->State().DecimalPlaces;
  QCOMPARE((std::vector<int>{d[1], d[2], d[3], d[4], d[5], d[6]}), places);
  QCOMPARE(QFile::exists(ConfigPath()), !content.isNull());  // reading creates nothing
  form->Image13Click();
  QTEST(Find<QLineEdit>(*form, "Edit1")->text(), "edit1");
  QTEST(Find<QLineEdit>(*form, "Edit2")->text(), "edit2");
}

void HlavniFormTest::largeConfigValueIsUsedForDisplay() {
  WriteFile(ConfigPath(), "12\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
  auto form = Make();
  QVERIFY(messages_->texts.isEmpty());
  form->Image13Click();
  QCOMPARE(Find<QLineEdit>(*form, "Edit1")->text(), u"0,000000000000"_s);
  // The ranges page shows it within the editor's bounds; the value stays.
  form->menuMouseUp(Find(*form, "menuRozsahy1"));
  QCOMPARE(Find<QSpinBox>(*form, "SpinEdit1")->value(), 8);
  QCOMPARE(form->State().DecimalPlaces[1], 12);
  // A change by the user takes effect, from the value shown.
  QTest::keyClick(Find<QSpinBox>(*form, "SpinEdit1"), Qt::Key_Down);
  QCOMPARE(form->State().DecimalPlaces[1], 7);
}

void HlavniFormTest::closePictureWritesConfig_data() {
  QTest::addColumn<QByteArray>("picture");
  QTest::addColumn<int>("page");
  QTest::newRow("calculator") << QByteArray("Image5") << 0;
  QTest::newRow("points") << QByteArray("Image6") << 1;
  QTest::newRow("functions") << QByteArray("Image7") << 2;
  QTest::newRow("ranges") << QByteArray("Image8") << 3;
  QTest::newRow("start") << QByteArray("Image15") << 4;
}

void HlavniFormTest::closePictureWritesConfig() {
  QFETCH(QByteArray, picture);
  QFETCH(int, page);
  auto form = Make();
  form->show();
  if (page != ThlavniForm::kPageStart) {
    form->Image14Click();
    const char* menus[4] = {"menuVypocet1", "menuBody1", "menuFunkce1", "menuRozsahy1"};
    if (page != 0) form->menuMouseUp(Find(*form, menus[page]));
  }
  QCOMPARE(form->CurrentPageIndex(), page);
  form->State().DecimalPlaces[4] = 7;
  auto* close = Find(*form, picture.constData());
  QVERIFY(close);
  Click(close);
  QCOMPARE(ReadFile(ConfigPath()), QByteArray("2\r\n3\r\n6\r\n7\r\n3\r\n4\r\n"));
  QVERIFY(!form->isVisible());
}

void HlavniFormTest::otherCloseWritesNothing() {
  auto form = Make();
  form->show();
  form->close();
  QVERIFY(!QFile::exists(ConfigPath()));
}

void HlavniFormTest::unwritableDirectoryDoesNotBlock() {
  auto form = Make();
  form->show();
  // A configuration folder that cannot be made: a file stands where it would be.
  WriteFile(dir_->filePath(u"file"_s), "x");
  form->State().ConfigDir = dir_->filePath(u"file/tab97/"_s);
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"configuration file cannot be written"_s));
  form->konecClick();
  QVERIFY(!form->isVisible());
  QVERIFY(messages_->texts.size() == 1);  // only the start-up message, none for the write
}

void HlavniFormTest::unreadableConfigIsKept_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("FIFO") << u"fifo"_s;
  QTest::newRow("link to a file that is no configuration") << u"link"_s;
}

// A FIFO would block the start in open() and a link would have its target
// overwritten: both start with the message and are left as they were on closing.
// (The test's time limit in CMake catches a start that blocks.)
void HlavniFormTest::unreadableConfigIsKept() {
  QFETCH(QString, kind);
  const QString other = dir_->filePath(u"other.txt"_s);
  if (kind == u"fifo") {
    QCOMPARE(::mkfifo(QFile::encodeName(ConfigPath()).constData(), 0644), 0);
  } else {
    WriteFile(other, "secret\n");
    QVERIFY(QFile::link(other, ConfigPath()));
  }
  auto form = Make();
  QCOMPARE(messages_->texts.size(), 1);
  form->show();
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be read and is kept"_s));
  Click(Find(*form, "Image15"));
  QVERIFY(!form->isVisible());
  if (kind == u"fifo") {
    QVERIFY(QFileInfo(ConfigPath()).exists() && !QFileInfo(ConfigPath()).isFile());
  } else {
    QVERIFY(QFileInfo(ConfigPath()).isSymLink());
    QCOMPARE(ReadFile(other), QByteArray("secret\n"));
  }
}

void HlavniFormTest::startsOnStartPageInCzech() {
  auto form = Make();
  QCOMPARE(form->CurrentPageIndex(), int(ThlavniForm::kPageStart));
  QCOMPARE(form->State().ActiveMenuTag, 1);
  QCOMPARE(form->State().LanguageIndex, 0);
  QCOMPARE(form->State().DecimalSeparator, QLatin1Char(','));
  QCOMPARE(Find(*form, "menuVypocet1")->text(), u"Výpočet"_s);
  QCOMPARE(Find(*form, "lblNazevOblasti")->height(), 0);
  QCOMPARE(BoldLabels(*form), (QStringList{u"menuVypocet1"_s, u"menuVypocet2"_s, u"menuVypocet3"_s,
                                           u"menuVypocet4"_s}));
}

void HlavniFormTest::languageChoice_data() {
  QTest::addColumn<QByteArray>("flag");
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("menu5");
  QTest::addColumn<QString>("label1");
  QTest::addColumn<QString>("note");
  QTest::addColumn<QString>("column3");
  QTest::newRow("Czech flag") << QByteArray("Image13") << 0 << u"Diagram"_s << u"Teplota  [°C] :"_s
                              << u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s << u"Měr. objem\nm3/kg"_s;
  QTest::newRow("English flag") << QByteArray("Image14") << 1 << u"T-S chart"_s << u"Temperature [°C] :"_s
                                << u"Metastable-steam region is not included"_s << u"S.volume\nm3/kg"_s;
}

// The flag sets the language of every page and opens the calculator.
void HlavniFormTest::languageChoice() {
  QFETCH(QByteArray, flag);
  QFETCH(int, language);
  auto form = Make();
  form->show();
  Click(Find(*form, flag.constData()));
  QCOMPARE(form->State().LanguageIndex, language);
  QCOMPARE(form->CurrentPageIndex(), int(ThlavniForm::kPageCalculator));
  QCOMPARE(form->State().ActiveMenuTag, 1);
  QTEST(Find(*form, "menuDiagram")->text(), "menu5");
  QTEST(Find(*form, "menuDiagram4")->text(), "menu5");
  QTEST(Find(*form, "Label1")->text(), "label1");
  QTEST(Find(*form, "lblMetastab")->text(), "note");
  QTEST(Find(*form, "L3")->text(), "column3");
  QCOMPARE(Find<QComboBox>(*form, "ComboSkupiny")->itemText(0), tab97::texts::GroupName(language, 1));
  QCOMPARE(Find<QComboBox>(*form, "ComboSkupiny")->count(), 5);
  QCOMPARE(Find<QComboBox>(*form, "Combo5")->count(), 7);
  QVERIFY(Find(*form, "LabelMin")->text().startsWith(u"0   < =   T  [ ° C ]   < =   8 0 0\n"_s));
}

void HlavniFormTest::contactBoxes() {
  auto form = Make();
  form->show();
  messages_->texts.clear();
  Click(Find(*form, "Image10"));
  Click(Find(*form, "Image11"));
  Click(Find(*form, "Image12"));
  QCOMPARE(messages_->texts.size(), 3);
  for (const QString& text : messages_->texts) QVERIFY(text.count(QLatin1Char('\n')) >= 2);
  QCOMPARE(QSet<QString>(messages_->texts.begin(), messages_->texts.end()).size(), 3);
  QCOMPARE(form->CurrentPageIndex(), int(ThlavniForm::kPageStart));
  for (const char* name : {"Image10", "Image11", "Image12", "Image13", "Image14"})
    QCOMPARE(Find(*form, name)->cursor().shape(), Qt::PointingHandCursor);
}

void HlavniFormTest::menuSelection() {
  auto form = Make();
  form->show();
  form->Image13Click();
  form->menuMouseUp(Find(*form, "menuFunkce1"));
  QCOMPARE(form->CurrentPageIndex(), 2);
  QCOMPARE(form->State().ActiveMenuTag, 3);
  QCOMPARE(BoldLabels(*form), (QStringList{u"MenuFunkce3"_s, u"menuFunkce1"_s, u"menuFunkce2"_s,
                                           u"menuFunkce4"_s}));
  QVERIFY(Find<QComboBox>(*form, "Combo1")->isVisibleTo(form.get()));
  QVERIFY(!form->State().PointsMode);

  form->menuMouseUp(Find(*form, "menuBody3"));
  QCOMPARE(form->CurrentPageIndex(), 1);
  QVERIFY(form->State().PointsMode);

  form->menuMouseUp(Find(*form, "menuRozsahy2"));
  QCOMPARE(form->CurrentPageIndex(), 3);
  QVERIFY(!form->State().PointsMode);
  QCOMPARE(Find<QSpinBox>(*form, "SpinEdit3")->value(), 6);

  Click(Find(*form, "menuVypocet4"));  // through the real mouse events
  QCOMPARE(form->CurrentPageIndex(), 0);
  QCOMPARE(form->State().ActiveMenuTag, 1);
  QCOMPARE(form->focusWidget(), Find<QWidget>(*form, "Edit1"));
}

void HlavniFormTest::menuOfShownPageDoesNothing() {
  auto form = Make();
  form->show();
  form->Image14Click();
  form->menuMouseUp(Find(*form, "menuFunkce1"));
  auto* groups = Find<QComboBox>(*form, "ComboSkupiny");
  groups->setCurrentIndex(3);
  form->menuMouseUp(Find(*form, "MenuFunkce3"));
  QCOMPARE(groups->currentIndex(), 3);
  // Entering the page anew resets the lists.
  form->menuMouseUp(Find(*form, "menuVypocet3"));
  form->menuMouseUp(Find(*form, "menuFunkce1"));
  QCOMPARE(groups->currentIndex(), 0);
}

// Without a loaded chart the diagram entry does nothing; the print entry keeps the
// page and, without a template beside the program, asks the report engine's question.
void HlavniFormTest::menuDiagramAndPrintKeepThePage() {
  auto form = Make();
  form->show();
  form->Image13Click();
  messages_->texts.clear();
  report::ScriptedMessages engine({report::Answer::No});
  Click(Find(*form, "menuDiagram"));
  Click(Find(*form, "menuTisk1"));
  QCOMPARE(form->CurrentPageIndex(), 0);
  QCOMPARE(form->State().ActiveMenuTag, 1);
  QVERIFY(messages_->texts.isEmpty());
  QCOMPARE(engine.texts.size(), 1);
  QVERIFY(engine.texts[0].startsWith(u"Nebyl nalezen soubor s předlohou tiskové sestavy"_s));
}

void HlavniFormTest::disabledMenuLabels() {
  auto form = Make();
  for (const char* name : {"menuDiagram3", "menuTisk3", "menuDiagram4", "menuTisk4"})
    QVERIFY2(!Find(*form, name)->isEnabled(), name);
  for (const char* name : {"menuDiagram", "menuTisk1", "menuDiagram2", "menuTisk2", "MenuFunkce3"})
    QVERIFY2(Find(*form, name)->isEnabled(), name);
  // Every page but the start page has six tagged labels.
  int tagged = 0;
  for (QLabel* l : form->findChildren<QLabel*>()) tagged += l->property("tag").toInt() > 0;
  QCOMPARE(tagged, 24);
}

void HlavniFormTest::hoverMakesBold() {
  auto form = Make();
  form->show();
  form->Image13Click();
  QLabel* body = Find(*form, "menuBody1");
  QLabel* funkce = Find(*form, "menuFunkce1");
  SendMouse(body, QEvent::MouseMove, QPoint(5, 5));
  QVERIFY(body->font().bold());
  QVERIFY(form->State().HoverActive);
  QCOMPARE(form->State().HoverTag, 2);
  SendMouse(funkce, QEvent::MouseMove, QPoint(5, 5));
  QVERIFY(!body->font().bold());
  QVERIFY(funkce->font().bold());
  QCOMPARE(form->State().HoverTag, 3);
  // Over the active entry nothing is highlighted in addition.
  SendMouse(Find(*form, "menuVypocet1"), QEvent::MouseMove, QPoint(5, 5));
  QVERIFY(!funkce->font().bold());
  QVERIFY(!form->State().HoverActive);
  QCOMPARE(form->State().HoverTag, 1);
  SendMouse(body, QEvent::MouseMove, QPoint(5, 5));
  SendMouse(Find(*form, "Image1"), QEvent::MouseMove, QPoint(200, 200));
  QVERIFY(!form->State().HoverActive);
  QCOMPARE(form->State().HoverTag, 0);
  QCOMPARE(BoldLabels(*form), (QStringList{u"menuVypocet1"_s, u"menuVypocet2"_s, u"menuVypocet3"_s,
                                           u"menuVypocet4"_s}));
}

void HlavniFormTest::hoverEndsWhenMouseLeaves_data() {
  QTest::addColumn<QByteArray>("label");
  QTest::addColumn<QPoint>("to");  // where the mouse goes, in the window
  QTest::newRow("up out of the window") << QByteArray("menuBody1") << QPoint(120, -20);
  QTest::newRow("right out of the window") << QByteArray("menuTisk1") << QPoint(600, 15);
  QTest::newRow("onto the close picture") << QByteArray("menuTisk1") << QPoint(495, 14);
}

// A highlighted menu entry goes back to normal as the mouse leaves it, also
// where no background lies between the entry and the window's edge.
void HlavniFormTest::hoverEndsWhenMouseLeaves() {
  QFETCH(QByteArray, label);
  QFETCH(QPoint, to);
  auto form = Make();
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  form->Image13Click();
  QLabel* entry = Find(*form, label.constData());
  QTest::mouseMove(entry, QPoint(10, 5));
  QVERIFY(entry->font().bold());
  QVERIFY(form->State().HoverActive);
  QTest::mouseMove(form.get(), to);
  QVERIFY(!entry->font().bold());
  QVERIFY(!form->State().HoverActive);
  QCOMPARE(form->State().HoverTag, 0);
  QCOMPARE(BoldLabels(*form), (QStringList{u"menuVypocet1"_s, u"menuVypocet2"_s, u"menuVypocet3"_s,
                                           u"menuVypocet4"_s}));
}

void HlavniFormTest::draggingMovesWindow() {
  auto form = Make();
  form->show();
  form->Image13Click();
  form->move(100, 80);
  QLabel* background = Find(*form, "Image1");
  SendMouse(background, QEvent::MouseButtonPress, QPoint(200, 150));
  QVERIFY(form->State().DragActive);
  QCOMPARE(form->State().DragOriginX, 200);
  SendMouse(background, QEvent::MouseMove, QPoint(230, 170));
  QCOMPARE(form->pos(), QPoint(130, 100));
  // The picture moved with the window: the same screen point is now (200, 150) again.
  SendMouse(background, QEvent::MouseMove, QPoint(190, 150));
  QCOMPARE(form->pos(), QPoint(120, 100));
  SendMouse(background, QEvent::MouseButtonRelease, QPoint(190, 150));
  QVERIFY(!form->State().DragActive);
  SendMouse(background, QEvent::MouseMove, QPoint(250, 250));
  QCOMPARE(form->pos(), QPoint(120, 100));
}

void HlavniFormTest::startPageDoesNotDrag() {
  auto form = Make();
  form->show();
  form->move(100, 80);
  QLabel* background = Find(*form, "Image9");
  SendMouse(background, QEvent::MouseButtonPress, QPoint(200, 150));
  SendMouse(background, QEvent::MouseMove, QPoint(260, 190));
  SendMouse(background, QEvent::MouseButtonRelease, QPoint(260, 190));
  QCOMPARE(form->pos(), QPoint(100, 80));
  QVERIFY(!form->State().DragActive);
}

void HlavniFormTest::activationWithoutDiagramWindowIsSilent() {
  WriteFile(ConfigPath(), "2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
  auto form = Make();
  form->show();
  form->activateWindow();
  QCoreApplication::processEvents();
  form->FormActivate();
  QVERIFY(messages_->texts.isEmpty());
  QVERIFY(!form->State().DiagramLoaded);
}

void HlavniFormTest::activationLoadsChartOnce() {
  WriteFile(ConfigPath(), "2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
  auto form = Make();
  FakeChart chart;
  form->SetChartHost(&chart);
  form->FormActivate();
  QCOMPARE(messages_->texts, QStringList{u"Chyba při otevírání TS diagramu - "_s +
                                         QDir::toNativeSeparators(dir_->filePath(u"DiagrTS.bmp"_s))});
  QVERIFY(!form->State().DiagramLoaded);
  form->Image13Click();
  form->menuMouseUp(Find(*form, "menuDiagram"));
  QCOMPARE(chart.shown, 0);  // nothing to show yet
  form->FormActivate();      // tries again
  QCOMPARE(messages_->texts.size(), 2);
  chart.succeed = true;
  form->FormActivate();
  QVERIFY(form->State().DiagramLoaded);
  form->FormActivate();
  QCOMPARE(chart.loads.size(), 3);
  QCOMPARE(messages_->texts.size(), 2);
  form->menuMouseUp(Find(*form, "menuDiagram"));
  QCOMPARE(chart.shown, 1);
  form->SetChartHost(nullptr);
}

void HlavniFormTest::picturesLoadFromProgramDir() {
  const QString pictures = QString::fromUtf8(TAB97_PICTURE_DIR);
  const FakePlatform platform(QLatin1Char('.'), pictures);
  ThlavniForm form(platform, &RecordingSolve);
  for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image9"}) {
    QLabel* background = Find(form, name);
    QVERIFY2(!background->pixmap().isNull(), name);
    QCOMPARE(background->pixmap().size(), QSize(514, 366));
  }
  for (const char* name : {"Image5", "Image6", "Image7", "Image8", "Image15"}) {
    QCOMPARE(Find(form, name)->pixmap().size(), QSize(20, 20));
    QCOMPARE(Find(form, name)->geometry().right(), 506);
  }
  for (const char* name : {"Image10", "Image11", "Image12", "Image13", "Image14"})
    QVERIFY2(!Find(form, name)->pixmap().isNull(), name);
}

QTEST_MAIN(HlavniFormTest)
#include "hlavniform_test.moc"
