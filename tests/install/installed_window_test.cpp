// The window of an installed copy: its program folder read-only, its pictures and
// chart in share/tab97, a fresh configuration folder. The first start shows the
// configuration message and closing through the close picture creates
// "Tab97.cfg" in the user's configuration folder; the second start is silent.
#include <QtTest>

#include "app/hlavniform.h"
#include "tests/app/testsupport.h"

using namespace Qt::Literals::StringLiterals;

class InstalledWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void firstAndSecondStart();
};

void InstalledWindowTest::firstAndSecondStart() {
  const QString prefix = qEnvironmentVariable("TAB97_INSTALLED_PREFIX");
  if (prefix.isEmpty()) QSKIP("run by the install test, which sets TAB97_INSTALLED_PREFIX");
  const QString bin = prefix + u"/bin"_s;
  QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::ExeOther));
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/tab97/Tab97.cfg"_s;
  for (int start = 1; start <= 2; ++start) {
    testsupport::MessageRecorder messages;
    testsupport::FakePlatform platform(u'.', bin);
    tab97::ThlavniForm form(platform, nullptr);
    form.show();
    QCOMPARE(messages.texts.size(), start == 1 ? 1 : 0);
    QVERIFY(!form.findChild<QLabel*>(u"Image15"_s)->pixmap().isNull());  // pictures from share/tab97
    testsupport::Click(form.findChild<QLabel*>(u"Image15"_s));
    QVERIFY(QFile::exists(config));
    QVERIFY(!QFile::exists(bin + u"/Tab97.cfg"_s));
  }
}

QTEST_MAIN(InstalledWindowTest)
#include "installed_window_test.moc"
