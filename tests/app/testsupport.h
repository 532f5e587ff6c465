// Shared helpers of the window tests: tables read from the data files, a
// platform with a chosen separator and directory, a recorder of message boxes,
// a recording solver, file and widget look-ups, a main window over its own
// program directory and mouse events sent straight to a widget.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/hlavniform.h"
#include "app/messages.h"
#include "app/platform.h"
#include "props/state.h"

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

class FakePlatform final : public tab97::Platform {
 public:
  FakePlatform(QChar separator, QString dir) : separator_(separator), dir_(tab97::WithTrailingSeparator(dir)) {}
  QChar DecimalSeparator() const override { return separator_; }
  QString ProgramDir() const override { return dir_; }

 private:
  QChar separator_;
  QString dir_;
};

// Collects the texts of every message box while it lives.
class MessageRecorder {
 public:
  MessageRecorder() {
    tab97::MessageBoxes::SetSink([this](const QString&, const QString& text) { texts.append(text); });
  }
  ~MessageRecorder() { tab97::MessageBoxes::SetSink({}); }
  QStringList texts;
};

struct SolveCall {
  std::int32_t pairCode;
  bool needP, needV;
  double value1, value2;
  bool needS, needI, preferMetastable;
};

// What the recording solver writes: T, P, V, S, I, X and the region code.
struct SolveAnswer {
  double T, P, V, S, I, X;
  if97::PropertyRegion region;
};

inline std::vector<SolveCall>& Calls() {
  static std::vector<SolveCall> calls;
  return calls;
}

// Decides the answer of the recording solver; by default region 11, outputs untouched.
inline std::function<bool(const SolveCall&, SolveAnswer&)>& Script() {
  static std::function<bool(const SolveCall&, SolveAnswer&)> script;
  return script;
}

inline void RecordingSolve(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2, bool NeedS,
                           bool NeedI, bool PreferMetastable, double& T, double& P, double& V, double& S, double& I,
                           double& X, if97::PropertyRegion& Region) {
  const SolveCall call{PairCode, NeedP, NeedV, Value1, Value2, NeedS, NeedI, PreferMetastable};
  Calls().push_back(call);
  SolveAnswer a{T, P, V, S, I, X, if97::kRegionPairInvalid};
  if (Script() && Script()(call, a)) {
    T = a.T, P = a.P, V = a.V, S = a.S, I = a.I, X = a.X;
  }
  Region = a.region;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                    type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
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

// A shown main window whose program directory holds `config` as "Tab97.cfg".
struct TestWindow {
  TestWindow(QChar separator, const QByteArray& config, tab97::SolveFunction solve = &RecordingSolve)
      : platform(separator, dir.path()) {
    WriteFile(dir.filePath(QStringLiteral("Tab97.cfg")), config);
    form = std::make_unique<tab97::ThlavniForm>(platform, solve);
    form->show();
  }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return FindIn<T>(*form, name);
  }
  QString Text(const char* label) const { return Find(label)->text(); }
  QString ConfigPath() const { return dir.filePath(QStringLiteral("Tab97.cfg")); }

  QTemporaryDir dir;
  FakePlatform platform;
  std::unique_ptr<tab97::ThlavniForm> form;
};

}  // namespace testsupport
