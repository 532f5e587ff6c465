// Shared helpers of the window tests: a platform with a chosen separator and
// directory, a recorder of message boxes, a recording solver and mouse events
// sent straight to a widget.
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

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

}  // namespace testsupport
