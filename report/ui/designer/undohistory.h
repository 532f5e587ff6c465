// The designer's undo history: snapshots of the whole template text, each under
// the name of the action that produced it.
//
// Snapshot 0 is the template as it was opened (no action name); it is never
// undone past, so the first change of a session can be undone. Position p means
// snapshot p is what the designer shows: undo is possible while p is 1 or more
// (it goes back to snapshot p - 1), redo while a snapshot after p exists.
//
// Recording a change discards the snapshots after the current position, drops
// the oldest snapshot when the history is full, appends the new snapshot under
// the action's name and makes it current. The capacity is the number of changes
// that can be undone (at least 1); the history keeps that many snapshots plus the
// one they are undone back to.
#pragma once

#include <QList>
#include <QString>

#include "report/model/reportdefinition.h"

namespace report {

// Codes of the designer's actions; the history names each step by its code.
enum UndoAction : int {
  kUndoInsertElement = 1,   // "vložení prvku"
  kUndoFont = 2,            // "změna písma"
  kUndoDeleteElement = 3,   // "zrušení prvku"
  kUndoSections = 4,        // "nastavení oddílů a skupin"
  kUndoSectionHeight = 5,   // "změna výšky oddílu"
  kUndoText = 6,            // "změna textu"
  kUndoMove = 7,            // "posun prvku"
  kUndoAlignment = 8,       // "změna zarovnávání"
  kUndoEditFunction = 9,    // "oprava funkce"
  kUndoAddFunction = 10,    // "přidání funkce"
  kUndoDeleteFunction = 11, // "zrušení funkce"
  kUndoCut = 12,            // "vystřižení do úschovy"
  kUndoPaste = 13,          // "vložení z úschovy"
  kUndoElementSettings = 14,  // "nastavení prvku"
  kUndoDetail = 15,         // "změna detailu"
};

class UndoHistory {
 public:
  static constexpr int kMaxNameLength = 32;
  static constexpr int kDefaultCapacity = 20;
  static constexpr int kMaxCapacity = 1000;

  // The name of an action by its code 1 … 15; empty for any other code.
  static QString ActionName(int code);

  explicit UndoHistory(int capacity = kDefaultCapacity);

  // Starts the history with the template as opened: one snapshot without a name.
  void reset(const TPredloha& opened);
  // Forgets every snapshot.
  void clear();

  // Records a change of action `code` (its name) with the template after it.
  void record(int code, const TPredloha& snapshot);
  void record(const QString& name, const TPredloha& snapshot);

  bool canUndo() const { return position_ >= 1; }
  bool canRedo() const { return position_ + 1 < steps_.size(); }
  // Moves back (forward) by one and returns the snapshot to rebuild the template
  // from; the current snapshot when there is nothing to undo (redo).
  const TPredloha& undo();
  const TPredloha& redo();

  // "Zrušit" and the name of the step that undo would take back, or "Zrušit změny".
  QString undoHint() const;
  // "Znovu" and the name of the step that redo would repeat, or "Znovu změny".
  QString redoHint() const;

  int capacity() const { return capacity_; }
  // At least 1 (at most kMaxCapacity); a smaller capacity drops the oldest
  // snapshots (never the current one; redo steps go when nothing older is left).
  void setCapacity(int capacity);

  int count() const { return static_cast<int>(steps_.size()); }
  int position() const { return static_cast<int>(position_); }
  QString name(int i) const { return steps_.at(i).name; }
  const TPredloha& snapshot(int i) const { return steps_.at(i).lines; }

 private:
  struct Step {
    QString name;
    TPredloha lines;
  };
  void fit();

  QList<Step> steps_;
  qsizetype position_ = -1;
  int capacity_;
};

}  // namespace report
