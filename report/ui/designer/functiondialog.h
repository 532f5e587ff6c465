// The dialog of a user function ("Uživatelská funkce"), opened by "Oprav" and
// "Přidej" of the palette: name, description, type, initial value, reset, the
// expression, aggregation and number format. A name must be given and must not
// be another function's. The button beside the expression opens the expression
// builder (TExpressionDlg) over the columns, parameters and functions given.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "report/model/userfunction.h"

class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace report {

class TFunctionDlg : public QDialog {
  Q_OBJECT
 public:
  // `otherNames`: the names of the other functions; `groupCount`: groups a reset may follow.
  TFunctionDlg(const TRadekFunkce& function, const QStringList& otherNames, int groupCount, QWidget* parent = nullptr);
  TRadekFunkce function() const;
  void done(int result) override;

  // What the expression builder offers: column names, parameter texts, user functions.
  void setExpressionSources(const QStringList& fieldNames, const QStringList& parameters,
                            const QStringList& functionNames);
  // Runs the expression builder; the default is exec().
  std::function<int(QDialog&)> dialogRunner;
  // The expression builder over the expression typed so far; on OK its text
  // becomes the expression.
  void buildExpression();

 private:
  TRadekFunkce function_;
  QStringList otherNames_;
  QLineEdit* name_ = nullptr;
  QLineEdit* description_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* initial_ = nullptr;
  QComboBox* reset_ = nullptr;
  QLineEdit* expression_ = nullptr;
  QToolButton* build_ = nullptr;
  QStringList fieldNames_, parameters_, functionNames_;
  QComboBox* aggregation_ = nullptr;
  QComboBox* format_ = nullptr;
  QSpinBox* precision_ = nullptr;
  QSpinBox* decimals_ = nullptr;
};

}  // namespace report
