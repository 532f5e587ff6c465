// The points, function and ranges pages as far as the window frame needs them:
// their language-dependent captions and what entering them from the menu does.
// The points table and the function evaluation are built on these pages.
#pragma once

#include <QWidget>

#include <array>

#include "app/mainstate.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace tab97 {

// Page index 1: the points table. Its column captions L1..L6 follow the known pair.
class PointsPage : public QWidget {
  Q_OBJECT
 public:
  explicit PointsPage(MainState& state, QWidget* parent = nullptr);
  void ApplyLanguageTexts();
  // Entering from the menu: arranges the captions after the current order.
  void PreparePointsPage();

 private:
  MainState& state_;
  std::array<QLabel*, 7> L_{};  // L_[q] is the caption of quantity q
};

// Page index 2: the function page with its group list and function lists.
class FunctionPage : public QWidget {
  Q_OBJECT
 public:
  explicit FunctionPage(MainState& state, QWidget* parent = nullptr);
  void ApplyLanguageTexts();
  // Entering from the menu: every list to its first item, then the group change.
  void EnterPage();
  // The group list changed: only the function list of the chosen group is shown.
  void ComboSkupinyChange();

 private:
  MainState& state_;
  QLabel* lblVyberFunkce_ = nullptr;
  QLabel* lblFunSkup_ = nullptr;
  QLabel* Label27_ = nullptr;
  QLabel* lblVstupniVelFunkce_ = nullptr;
  QLabel* lblVysledekFunkce_ = nullptr;
  QComboBox* ComboSkupiny_ = nullptr;
  std::array<QComboBox*, 6> Combo_{};  // Combo_[g] lists group g (1..5)
};

// Page index 3: the definition limits and the decimal places per quantity.
class RangesPage : public QWidget {
  Q_OBJECT
 public:
  explicit RangesPage(MainState& state, QWidget* parent = nullptr);
  void ApplyLanguageTexts();
  // Entering from the menu: each spin editor shows the decimal places of its
  // quantity (within its bounds 0..8); focus on SpinEdit1.
  void EnterPage();
  // A spin editor changed by the user: the decimal places of its quantity.
  void SpinEditChange(QSpinBox* editor);

 private:
  MainState& state_;
  QLabel* lblMezni_ = nullptr;
  QLabel* lblNastaveni_ = nullptr;
  QLabel* lblMinim_ = nullptr;
  QLabel* lblMaxim_ = nullptr;
  QLabel* LabelMin_ = nullptr;
  std::array<QSpinBox*, 7> SpinEdit_{};  // SpinEdit_[q], tag q
};

}  // namespace tab97
