// The dialog of a user function ("Uživatelská funkce"), opened by "Oprav" and
// "Přidej" of the palette: name, description, type, initial value, reset, the
// expression, aggregation and number format. A name must be given and must not
// be another function's.
#pragma once

#include <QDialog>
#include <QStringList>

#include "report/model/userfunction.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace report {

class TFunctionDlg : public QDialog {
  Q_OBJECT
 public:
  // `otherNames`: the names of the other functions; `groupCount`: groups a reset may follow.
  TFunctionDlg(const TRadekFunkce& function, const QStringList& otherNames, int groupCount, QWidget* parent = nullptr);
  TRadekFunkce function() const;
  void done(int result) override;

 private:
  TRadekFunkce function_;
  QStringList otherNames_;
  QLineEdit* name_ = nullptr;
  QLineEdit* description_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* initial_ = nullptr;
  QComboBox* reset_ = nullptr;
  QLineEdit* expression_ = nullptr;
  QComboBox* aggregation_ = nullptr;
  QComboBox* format_ = nullptr;
  QSpinBox* precision_ = nullptr;
  QSpinBox* decimals_ = nullptr;
};

}  // namespace report
