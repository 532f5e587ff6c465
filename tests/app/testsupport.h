// Shared helpers of the window tests: tables read from the data files, a
// platform with a chosen separator and directory, a recorder of message boxes,
// a recording solver, mouse events sent straight to a widget, and a shown main
// window over its own program directory.
#pragma once

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/hlavniform.h"
#include "app/messages.h"
#include "app/platform.h"

namespace testsupport {

// A file of tests/app/data holds sections "[name]" of rows "tag | field | …";
// '#' starts a comment. Fields are trimmed; \s, \t, \r, \n and \xHH stand for a
// blank, tab, CR, LF and the character HH.
inline QList<QStringList> ReadRows(const char* file, const char* section) {
  QFile f(QStringLiteral(TAB97_TEST_DATA "/") + QLatin1String(file));
  if (!f.open(QIODevice::ReadOnly)) qFatal("no data file %s", file);
  QList<QStringList> rows;
  bool inside = false;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
    const QString t = line.trimmed();
    if (t.startsWith(u'[')) inside = t == u'[' + QLatin1String(section) + u']';
    if (!inside || t.isEmpty() || t.startsWith(u'#') || t.startsWith(u'[')) continue;
    rows.append(QStringList());
    for (const QString& field : t.split(u'|')) {
      const QString raw = field.trimmed();
      QString& out = rows.last().emplace_back();
      for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i] == u'\\' && i + 1 < raw.size() ? raw[++i].toLatin1() : 0;
        if (c == 'x')
          out += QChar(raw.mid(i + 1, 2).toUShort(nullptr, 16)), i += 2;
        else
          out += c == 's'   ? QChar(u' ')
                 : c == 't' ? QChar(u'\t')
                 : c == 'r' ? QChar(u'\r')
                 : c == 'n' ? QChar(u'\n')
                            : raw[i];
      }
    }
  }
  if (rows.isEmpty()) qFatal("no rows in [%s] of %s", section, file);
  return rows;
}

// The rows of a section as QTest data: the first field tags the row, the others
// fill QString columns of the given names, read back with F().
inline void AddRows(const char* file, const char* section, std::initializer_list<const char*> columns) {
  for (const char* column : columns) QTest::addColumn<QString>(column);
  for (const QStringList& row : ReadRows(file, section)) {
    QTestData& data = QTest::newRow(qPrintable(row[0]));
    for (int i = 1; i <= int(columns.size()); ++i) data << row.value(i);
  }
}
inline QString F(const char* column) { return *static_cast<QString*>(QTest::qData(column, qMetaTypeId<QString>())); }

// Whole numbers separated by blanks, as the data files write lists.
inline QList<int> Ints(const QString& text) {
  QList<int> out;
  for (const QString& n : text.split(u' ', Qt::SkipEmptyParts)) out << n.toInt();
  return out;
}

struct FakePlatform final : tab97::Platform {
  FakePlatform(QChar separator, QString dir) : separator(separator), dir(tab97::WithTrailingSeparator(dir)) {}
  QChar DecimalSeparator() const override { return separator; }
  QString ProgramDir() const override { return dir; }
  QChar separator;
  QString dir;
};

// Collects the texts of every message box while it lives.
struct MessageRecorder {
  MessageRecorder() {
    tab97::MessageBoxes::SetSink([this](const QString&, const QString& text) { texts << text; });
  }
  ~MessageRecorder() { tab97::MessageBoxes::SetSink({}); }
  QStringList texts;
};

// The arguments of the solver calls.
struct SolveCall {
  int pairCode;
  bool needP, needV, needS, needI;
  double value1, value2;
  bool preferMetastable;
};
inline std::vector<SolveCall>& Calls() {
  static std::vector<SolveCall> calls;
  return calls;
}

// Records each call and answers with a region-1 state for (T, P), metastable
// when that is preferred, and wet steam for (T, X), so that every value a page
// writes can be traced; other pairs are not available, the outputs untouched.
inline void RecordingSolve(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2, bool NeedS,
                           bool NeedI, bool PreferMetastable, double& T, double& P, double& V, double& S, double& I,
                           double& X, if97::PropertyRegion& Region) {
  Calls().push_back({PairCode, NeedP, NeedV, NeedS, NeedI, Value1, Value2, PreferMetastable});
  Region = if97::kRegionPairInvalid;
  if (PairCode == if97::kPairTP)
    T = Value1, P = Value2, V = 0.00133981, S = 3.07754, I = 1255.4987, X = 0, Region = PreferMetastable ? 8 : 1;
  if (PairCode == if97::kPairTX) T = Value1, P = 0.4761, V = 0.137, S = 3.84, I = 1358.5, X = Value2, Region = 6;
}

// A mouse event; the left button is down from the press on, and during a move
// that is `held`.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, bool held = false) {
  const bool down = type == QEvent::MouseButtonPress || (held && type == QEvent::MouseMove);
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}
inline void Click(QWidget* widget, QPoint pos = QPoint(3, 3)) {
  SendMouse(widget, QEvent::MouseButtonPress, pos);
  SendMouse(widget, QEvent::MouseButtonRelease, pos);
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline void WriteFile(const QString& path, const QByteArray& content) {
  QFile file(path);
  QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
  file.write(content);
}

// The child `name` of `root`; a missing one ends the test program.
template <typename T = QLabel>
T* FindIn(const QObject& root, const char* name) {
  T* widget = root.findChild<T*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

// The default decimal places as the configuration file holds them.
inline constexpr char kDefaultConfig[] = "2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n";

// A shown main window whose program directory holds `config` as "Tab97.cfg"
// (none for a null one), with its message boxes recorded. A flag is clicked for
// `language` 0 or 1 (which opens the calculator page); −1 stays on the start
// page. The solver calls made so far are forgotten.
struct TestWindow {
  TestWindow(QChar separator, const QByteArray& config, int language = 0, tab97::SolveFunction solve = &RecordingSolve)
      : platform(separator, dir.path()) {
    if (!config.isNull()) WriteFile(ConfigPath(), config);
    form = std::make_unique<tab97::ThlavniForm>(platform, solve);
    form->show();
    if (language == 0) form->Image13Click();
    if (language == 1) form->Image14Click();
    Calls().clear();
  }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return FindIn<T>(*form, name);
  }
  QString Text(const char* label) const { return Find(label)->text(); }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QString ConfigPath() const { return dir.filePath(QStringLiteral("Tab97.cfg")); }
  tab97::MainState& State() const { return form->State(); }
  void Menu(const char* label) const { form->menuMouseUp(Find(label)); }
  void Type(const char* edit, const QString& text) const {
    Edit(edit)->clear();
    QTest::keyClicks(Edit(edit), text);
  }
  void Enter(const char* edit) const { QTest::keyClick(Edit(edit), Qt::Key_Return); }
  // Keys and focus moves reach only an active window.
  bool Activate() const {
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get());
  }

  MessageRecorder messages;
  QTemporaryDir dir;
  FakePlatform platform;
  std::unique_ptr<tab97::ThlavniForm> form;
};

}  // namespace testsupport
