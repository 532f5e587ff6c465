// The expression builder of a user function ("Tvorba výrazu pro výpočet
// funkce"), opened from the function dialog: the expression as a line of text,
// the lists of what it can refer to and use - the columns (#name), the
// parameters (&n), the user functions (@name) and the built-in functions - and
// the operators as buttons; a double click or Enter on a list entry, or a
// button, puts it in at the cursor. "Kontrola" evaluates the expression with the
// report's evaluator over a sample row (every column 1) and tells whether it is
// right, or the error and its position.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace report {

class TExpressionDlg : public QDialog {
  Q_OBJECT
 public:
  // The built-in functions as they are put in: "ABS()", "MAX(,)", …, in this order.
  static const QStringList& BuiltinForms();

  TExpressionDlg(const QString& expression, const QStringList& fieldNames, const QStringList& parameters,
                 const QStringList& functionNames, QWidget* parent = nullptr);
  QString expression() const;
  // Puts `text` in at the cursor (over a selection); the cursor ends `back`
  // characters before its end (inside a function's parentheses).
  void insert(const QString& text, int back = 0);
  // "Kontrola": the check's text ("Výraz je v pořádku." or the error), also shown
  // in a message box.
  QString check();

 private:
  QListWidget* list(const QString& name, const QString& caption, QWidget* box);
  void put(QListWidgetItem* item);

  QStringList fieldNames_, parameters_, functionNames_;
  QLineEdit* expression_ = nullptr;
};

}  // namespace report
