// The ranges page (page index 3): the definition limits as text and one spin
// editor per quantity for the number of decimal places it is shown with.
#pragma once

#include <QWidget>

#include <array>

#include "app/mainstate.h"

class QLabel;
class QSpinBox;

namespace tab97 {

class RangesPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDecimalsMin = 0;
  static constexpr int kDecimalsMax = 8;

  explicit RangesPage(MainState& state, QWidget* parent = nullptr);
  void ApplyLanguageTexts();
  // Entering from the menu: each spin editor shows the decimal places of its
  // quantity (within its bounds 0..8); focus on SpinEdit1.
  void EnterPage();
  // A spin editor changed by the user: the decimal places of its quantity,
  // announced at once so that every page shows its values with them.
  void SpinEditChange(QSpinBox* editor);

 signals:
  void decimalPlacesChanged();

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
