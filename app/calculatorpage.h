// The calculator page (page index 0): two known quantities in, the four others
// and the name of the state's region out. The page works on the window's shared
// state; its own state is the region-name animation and its timer.
#pragma once

#include <QWidget>

#include <array>

#include "app/calculatorlogic.h"
#include "app/mainstate.h"
#include "app/solverport.h"

class QLabel;
class QTimer;

namespace tab97 {

class ClickArea;
class EnterEdit;
class MouseLabel;

class CalculatorPage : public QWidget {
  Q_OBJECT
 public:
  CalculatorPage(MainState& state, SolveFunction solve, QWidget* parent = nullptr);

  // Redraws captions, values and units from the shared state, recomputes the
  // pair and starts the region-name animation.
  void RefreshCalculatorPage();

  // Redraws captions, values and units only: the decimal places changed.
  void ShowValues();

  // Ctrl+C: the shown state as a table for a spreadsheet.
  void CopyState();

  // A key typed in Edit1 or Edit2 (or Enter simulated by another sender). Enter
  // (character 13) calculates and returns true; any other key returns false
  // and is left to the edit. An input that cannot be read, or a negative one,
  // calculates nothing and clears the results and the region.
  bool Edit1KeyPress(QObject* Sender, QChar Key);

  // Mouse up on the click area of result row 1..4: the clicked quantity becomes
  // the first input.
  void ShapeVMouseUp(int row);
  void ShapeV1MouseUp() { ShapeVMouseUp(1); }
  void ShapeV2MouseUp() { ShapeVMouseUp(2); }
  void ShapeV3MouseUp() { ShapeVMouseUp(3); }
  void ShapeV4MouseUp() { ShapeVMouseUp(4); }

  // Toggles the metastable preference and recomputes.
  void lblMetastabClick();

  // One 50 ms tick of the region-name animation.
  void Timer2Timer();

  // The page's language-dependent headings and the metastable note.
  void ApplyLanguageTexts();

  // Closes the region-name label and forgets the animation (program start).
  void ResetRegionLabel();

  void FocusEdit1();

  const RegionRoll& Roll() const { return roll_; }

 private:
  void BuildInputs();
  void BuildResults();
  void BuildRegionAndNote();
  void ShowRow(int row);
  void ClearComputed();
  void FocusEdit(QWidget* edit);

  MainState& state_;
  SolveFunction solve_;
  RegionRoll roll_;

  QLabel* lblVstupniVeliciny_ = nullptr;
  QLabel* lblVypocteneVeliciny_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  EnterEdit* Edit1_ = nullptr;
  EnterEdit* Edit2_ = nullptr;
  struct ResultRow {
    QLabel* caption = nullptr;
    QLabel* value = nullptr;
    QLabel* unit = nullptr;
    ClickArea* area = nullptr;
  };
  std::array<ResultRow, 4> rows_{};
  QLabel* lblNazevOblasti_ = nullptr;
  MouseLabel* lblMetastab_ = nullptr;
  QTimer* Timer2_ = nullptr;
};

}  // namespace tab97
