// Shared helpers of the window tests: data-file tables, a fake platform and solver,
// a message recorder, mouse events, and a shown main window over its own directory.
#pragma once

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "app/calculatorpage.h"
#include "app/hlavniform.h"
#include "app/messages.h"
#include "app/platform.h"

namespace testsupport {

// Sections "[name]" of rows "tag | field | …" ('#' comments); fields are trimmed, and
// \s, \t, \r, \n, \xHH stand for a blank, tab, CR, LF and the character HH.
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
        const auto k = std::string_view("strn").find(c);
        if (c == 'x')
          out += QChar(raw.mid(i + 1, 2).toUShort(nullptr, 16)), i += 2;
        else
          out += k != std::string_view::npos ? QChar(QLatin1Char(" \t\r\n"[k])) : raw[i];
      }
    }
  }
  if (rows.isEmpty()) qFatal("no rows in [%s] of %s", section, file);
  return rows;
}

// A section as QTest data: the first field tags the row, the others fill the named
// QString columns, read back with F().
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

// The arguments of the solver calls, each written "code value1 value2 needs-PVSI metastable".
inline QStringList& Calls() {
  static QStringList calls;
  return calls;
}

// Records each call; answers region 1 (8 when metastable is preferred) for (T, P), wet
// steam for (T, X), and no other pair, so that every value a page writes can be traced.
inline void RecordingSolve(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2, bool NeedS,
                           bool NeedI, bool PreferMetastable, double& T, double& P, double& V, double& S, double& I,
                           double& X, if97::PropertyRegion& Region) {
  Calls() << QString::asprintf("%d %g %g %d%d%d%d %d", PairCode, Value1, Value2, NeedP, NeedV, NeedS, NeedI,
                                PreferMetastable);
  Region = if97::kRegionPairInvalid;
  if (PairCode == if97::kPairTP)
    T = Value1, P = Value2, V = 0.00133981, S = 3.07754, I = 1255.4987, X = 0, Region = PreferMetastable ? 8 : 1;
  if (PairCode == if97::kPairTX) T = Value1, P = 0.4761, V = 0.137, S = 3.84, I = 1358.5, X = Value2, Region = 6;
}

// A mouse event; the left button is down from the press on, and during a `held` move.
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

// A shown main window over a directory holding `config` as "Tab97.cfg" (none when null;
// "->text": a link to another file holding text), its messages recorded; the flag of
// `language` 0 or 1 is clicked (−1: stay on the start page). Solver calls are forgotten.
struct TestWindow {
  TestWindow(QChar separator, const QByteArray& config, int language = 0, tab97::SolveFunction solve = &RecordingSolve)
      : platform(separator, dir.path()) {
    const QString other = dir.filePath(QStringLiteral("other"));
    if (config.startsWith("->")) WriteFile(other, config.mid(2)), QFile::link(other, ConfigPath());
    else if (!config.isNull()) WriteFile(ConfigPath(), config);
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
  // Ticks the region name's roll until it stops: the heights, and the name shown closed.
  QList<int> RollRegion(QString* closedName = nullptr) const {
    QList<int> heights;
    while (Find<QTimer>("Timer2")->isActive() && heights.size() < 100) {
      form->Calculator()->Timer2Timer();
      heights << Find("lblNazevOblasti")->height();
      if (heights.last() == 0 && closedName) *closedName = Text("lblNazevOblasti");
    }
    return heights;
  }
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
