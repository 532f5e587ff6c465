#include "report/ui/designer/undohistory.h"

#include <algorithm>

namespace report {

QString UndoHistory::ActionName(int code) {
  switch (code) {
    case kUndoInsertElement: return QStringLiteral("vložení prvku");
    case kUndoFont: return QStringLiteral("změna písma");
    case kUndoDeleteElement: return QStringLiteral("zrušení prvku");
    case kUndoSections: return QStringLiteral("nastavení oddílů a skupin");
    case kUndoSectionHeight: return QStringLiteral("změna výšky oddílu");
    case kUndoText: return QStringLiteral("změna textu");
    case kUndoMove: return QStringLiteral("posun prvku");
    case kUndoAlignment: return QStringLiteral("změna zarovnávání");
    case kUndoEditFunction: return QStringLiteral("oprava funkce");
    case kUndoAddFunction: return QStringLiteral("přidání funkce");
    case kUndoDeleteFunction: return QStringLiteral("zrušení funkce");
    case kUndoCut: return QStringLiteral("vystřižení do úschovy");
    case kUndoPaste: return QStringLiteral("vložení z úschovy");
    case kUndoElementSettings: return QStringLiteral("nastavení prvku");
    case kUndoDetail: return QStringLiteral("změna detailu");
    default: return {};
  }
}

UndoHistory::UndoHistory(int capacity) : capacity_(std::clamp(capacity, 1, kMaxCapacity)) {}

void UndoHistory::reset(const TPredloha& opened) {
  steps_ = {Step{QString(), opened}};
  position_ = 0;
}

void UndoHistory::clear() {
  steps_.clear();
  position_ = -1;
}

void UndoHistory::record(int code, const TPredloha& snapshot) { record(ActionName(code), snapshot); }

void UndoHistory::record(const QString& name, const TPredloha& snapshot) {
  steps_.resize(position_ + 1);  // the redo steps go
  steps_.append(Step{name.left(kMaxNameLength), snapshot});
  position_ = steps_.size() - 1;
  fit();
}

const TPredloha& UndoHistory::undo() {
  if (canUndo()) --position_;
  return steps_.at(position_).lines;
}

const TPredloha& UndoHistory::redo() {
  if (canRedo()) ++position_;
  return steps_.at(position_).lines;
}

QString UndoHistory::undoHint() const {
  if (!canUndo()) return QStringLiteral("Zrušit změny");
  return QStringLiteral("Zrušit ") + steps_.at(position_).name;
}

QString UndoHistory::redoHint() const {
  if (!canRedo()) return QStringLiteral("Znovu změny");
  return QStringLiteral("Znovu ") + steps_.at(position_ + 1).name;
}

void UndoHistory::setCapacity(int capacity) {
  capacity_ = std::clamp(capacity, 1, kMaxCapacity);
  fit();
}

void UndoHistory::fit() {
  // One snapshot more than the steps that can be undone: the one they go back to.
  while (steps_.size() > capacity_ + 1) {
    if (position_ > 0) {
      steps_.removeFirst();
      --position_;
    } else {
      steps_.removeLast();
    }
  }
}

}  // namespace report
