// The function page (page index 2): sixty named single-value property functions
// in five groups. The user picks a group and a function, types one to three
// inputs and presses Enter; the page shows one result with its caption and unit.
// The functions themselves are the property library's catalogue
// (props/functions.h); the page holds its captions, units and result decimals.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

#include "app/mainstate.h"
#include "props/state.h"

class QComboBox;
class QLabel;

namespace tab97 {

class EnterEdit;

// The evaluation the page calls: code and three inputs in, the value and the
// region of the state out (if97::EvaluateFunction; a test may pass a recorder).
using FunctionEvaluator = double (*)(std::int32_t code, double in1, double in2, double in3,
                                     if97::PropertyRegion& region);

class FunctionPage : public QWidget {
  Q_OBJECT
 public:
  explicit FunctionPage(MainState& state, QWidget* parent = nullptr);

  void SetEvaluator(FunctionEvaluator evaluator) { evaluate_ = evaluator; }

  void ApplyLanguageTexts();

  // Entering from the menu: every list to its first item, then the group change.
  void EnterPage();

  // The group list changed: only the function list of the chosen group is
  // shown, and its selected function becomes the page's function.
  void ComboSkupinyChange();

  // Function list 1..5 changed.
  void ComboChange(int list);
  void Combo1Change() { ComboChange(1); }
  void Combo2Change() { ComboChange(2); }
  void Combo3Change() { ComboChange(3); }
  void Combo4Change() { ComboChange(4); }
  void Combo5Change() { ComboChange(5); }

  // Inputs and result back to the empty-text, the rows the function needs
  // shown, its labels set, focus on the first input.
  void ResetFunctionPage();

  // Input and result captions, units and result decimals of the function.
  void SetFunctionLabels(const QString& name, std::int32_t code);

  // A key typed in one of the three input edits. Enter (character 13)
  // evaluates (unless an input still shows the empty-text), moves the focus and
  // returns true; any other key returns false and is left to the edit. A state
  // without a value (outside the range, or a dryness of no region) shows the
  // empty-text with the region's name under the result, never a number.
  bool EditVstupKeyPress(QObject* Sender, QChar Key);

  // "0", the decimal separator, "0": what an input shows before it is typed.
  QString EmptyText() const;

  std::int32_t FunctionCode() const { return FunctionCode_; }
  const QString& FunctionName() const { return FunctionName_; }
  int FunctionInputCount() const { return FunctionInputCount_; }
  int FunctionDecimals() const { return FunctionDecimals_; }
  const std::array<double, 3>& FunctionInputs() const { return FunctionInputs_; }

 private:
  void BuildSelection();
  void BuildInputs();
  void BuildResult();
  void PlaceResultUnit();
  void ShowResultText(const QString& text, if97::PropertyRegion region);
  void FocusInput(int k);

  MainState& state_;
  FunctionEvaluator evaluate_;

  std::int32_t FunctionCode_ = 100;
  QString FunctionName_;
  int FunctionInputCount_ = 1;
  int FunctionDecimals_ = 0;
  std::array<double, 3> FunctionInputs_{};

  QLabel* lblVyberFunkce_ = nullptr;
  QLabel* lblFunSkup_ = nullptr;
  QLabel* Label27_ = nullptr;
  QLabel* lblVstupniVelFunkce_ = nullptr;
  QLabel* lblVysledekFunkce_ = nullptr;
  QComboBox* ComboSkupiny_ = nullptr;
  std::array<QComboBox*, 6> Combo_{};  // Combo_[g] lists group g (1..5)
  struct InputRow {
    QLabel* caption = nullptr;  // Lvstup1..3
    EnterEdit* edit = nullptr;  // EditVstup1..3
    QLabel* unit = nullptr;     // Ljedn1..3
  };
  std::array<InputRow, 3> inputs_{};
  QLabel* Lvystup_ = nullptr;
  QLabel* Lhodnota_ = nullptr;
  QLabel* LjednV_ = nullptr;
  QLabel* lblOblastFunkce_ = nullptr;  // the region of a state without a value
};

}  // namespace tab97
