// Shared helpers of the window tests: a platform with a chosen separator and
// directory, a recorder of message boxes, a recording solver, file and widget
// look-ups, a main window over its own program directory and mouse events sent
// straight to a widget.
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
#include <memory>
#include <vector>

#include "app/hlavniform.h"
#include "app/messages.h"
#include "app/platform.h"
#include "props/state.h"

namespace testsupport {

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
