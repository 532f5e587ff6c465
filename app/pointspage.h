// The points page (page index 1): a table of up to twelve state points for the
// known pair of the calculator page. The two known values of a point are typed
// in SGBody1; a row is solved when the user leaves it, or presses Enter in it,
// and its four computed values appear in SGBody2 beside it. The solved points
// are kept in the shared PointTable for the printout and the diagram window.
#pragma once

#include <QTableWidget>
#include <QWidget>

#include <array>

#include "app/mainstate.h"
#include "app/pointtable.h"
#include "app/solverport.h"

class QLabel;

namespace tab97 {

// A string grid: fixed column width and row height, no headers. The input grid
// keeps its editor open on the current cell and reports every move to another
// cell after the cell left has handed its text to the grid.
class PointGrid : public QTableWidget {
  Q_OBJECT
 public:
  PointGrid(int columns, int rows, QWidget* parent = nullptr);

  // Closes the editor of the current cell without handing its text to the cell.
  void DiscardEditor();

  // Hands the text of the open editor to its cell; the editor stays open.
  void CommitEditor();

 signals:
  void cellSelected(int column, int row);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

class PointsPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kColumnWidth = 76;
  static constexpr int kRowHeight = 16;

  PointsPage(MainState& state, SolveFunction solve, QWidget* parent = nullptr);

  void ApplyLanguageTexts();

  // Entering from the menu: captions arranged after the current order, both
  // grids emptied, every point unsolved, cell (0, 0) selected and focused.
  void PreparePointsPage();

  // The cell (column, row) of SGBody1 is about to be selected: the row left, if
  // any, is solved.
  void SGBody1SelectCell(int column, int row);

  // Enter in a cell of SGBody1: the row is solved and the next row's first cell
  // selected; the last row, having no next one, is solved where it is.
  void SGBody1Enter();

  // The Up (−1) or Down (+1) arrow in a cell of SGBody1: to the same column of
  // the row above or below (leaving the row solves it); nothing at the edges.
  void SGBody1Arrow(int step);

  // Ctrl+C: the solved points as a table for a spreadsheet.
  void CopyPoints();

  int CurrentPointRow() const { return cursor_.CurrentPointRow(); }
  void SetCurrentPointRow(int row);

 private:
  void SolveRow(int row);

  MainState& state_;
  SolveFunction solve_;
  PointRowCursor cursor_;
  bool preparing_ = false;  // selections made by the page itself solve nothing
  std::array<QLabel*, 7> L_{};  // L_[q] is the caption of quantity q
  PointGrid* SGBody1_ = nullptr;
  PointGrid* SGBody2_ = nullptr;
};

}  // namespace tab97
