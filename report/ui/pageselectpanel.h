// The small floating panel "Výběr stránky" of the preview: "Stránka číslo:" and
// "Zobrazit". It stays open beside the preview until closed (Esc or its close
// button), so that one can jump from page to page; Enter is "Zobrazit".
//
// The edit takes digits only; the number typed goes out as it is and the
// preview keeps it within its pages.
#pragma once

#include <QDialog>

class QLineEdit;

namespace report {

class TPageSelectPanel : public QDialog {
  Q_OBJECT
 public:
  explicit TPageSelectPanel(QWidget* parent = nullptr);
  ~TPageSelectPanel() override;

  // Puts `page` into the edit, selected, ready to be typed over.
  void setPage(int page);

 signals:
  // "Zobrazit" with a number in the edit.
  void pageChosen(int page);

 private:
  void choose();

  QLineEdit* number_ = nullptr;
};

}  // namespace report
