#include "report/ui/designer/expressiondialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/expr/expression.h"
#include "report/model/reportdefinition.h"
#include "report/model/reportlimits.h"
#include "report/ui/messages.h"

namespace report {
namespace {

// What the check evaluates against: every column of the sample row holds 1, the
// parameters their texts, every user function the value 1.
class SampleContext : public ExpressionContext {
 public:
  SampleContext(const QStringList& fields, const QStringList& parameters, const QStringList& functions)
      : fields_(fields), parameters_(parameters), functions_(functions) {}
  int columnCount() const override { return static_cast<int>(fields_.size()); }
  int columnIndex(const QString& name) const override { return FindColumn(fields_, name); }
  QString columnText(int) const override { return QStringLiteral("1"); }
  int parameterCount() const override { return static_cast<int>(parameters_.size()); }
  QString parameterText(int index) const override { return parameters_.value(index); }
  int functionCount() const override { return static_cast<int>(functions_.size()); }
  int functionIndex(const QString& name) const override {
    for (qsizetype i = 0; i < functions_.size(); ++i)
      if (functions_.at(i).compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
  }
  ExprValue functionValue(int) const override { return ExprValue::number(1); }

 private:
  const QStringList& fields_;
  const QStringList& parameters_;
  const QStringList& functions_;
};

constexpr int kInsertRole = Qt::UserRole;      // the text put in
constexpr int kBackRole = Qt::UserRole + 1;    // where the cursor ends, from the end

}  // namespace

const QStringList& TExpressionDlg::BuiltinForms() {
  static const QStringList forms = {
      QStringLiteral("ABS()"),   QStringLiteral("INT()"),     QStringLiteral("SGN()"),    QStringLiteral("MAX(,)"),
      QStringLiteral("MIN(,)"),  QStringLiteral("IIF(,,)"),   QStringLiteral("LEFT(,)"),  QStringLiteral("RIGHT(,)"),
      QStringLiteral("SUBSTR(,,)"), QStringLiteral("UPPER()"), QStringLiteral("LOWER()"), QStringLiteral("LTRIM()"),
      QStringLiteral("RTRIM()"), QStringLiteral("ALLTRIM()"), QStringLiteral("FORMAT(,)"), QStringLiteral("SIN()"),
      QStringLiteral("COS()"),   QStringLiteral("TAN()"),     QStringLiteral("COTG()"),   QStringLiteral("EXP()"),
      QStringLiteral("LOG()"),   QStringLiteral("ASIN()"),    QStringLiteral("ACOS()"),   QStringLiteral("ATAN()"),
      QStringLiteral("ACOTG()"), QStringLiteral("CHR()"),     QStringLiteral("ORD()")};
  return forms;
}

TExpressionDlg::TExpressionDlg(const QString& expression, const QStringList& fieldNames, const QStringList& parameters,
                               const QStringList& functionNames, QWidget* parent)
    : QDialog(parent), fieldNames_(fieldNames), parameters_(parameters), functionNames_(functionNames) {
  setWindowTitle(QStringLiteral("Tvorba výrazu pro výpočet funkce"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Výraz:"), this));
  expression_ = new QLineEdit(expression, this);
  expression_->setObjectName(QStringLiteral("expression"));
  expression_->setMaxLength(kMaxExpressionLength);
  layout->addWidget(expression_);

  auto* lists = new QGridLayout;
  QListWidget* columns = list(QStringLiteral("columns"), QStringLiteral("Položky:"), this);
  for (const QString& name : fieldNames_) {
    auto* item = new QListWidgetItem(name, columns);
    item->setData(kInsertRole, u'#' + name);
  }
  QListWidget* params = list(QStringLiteral("parameters"), QStringLiteral("Parametry:"), this);
  for (qsizetype i = 0; i < parameters_.size(); ++i) {
    const QString reference = u'&' + QString::number(i + 1);
    auto* item = new QListWidgetItem(reference + QStringLiteral("  ") + parameters_.at(i), params);
    item->setData(kInsertRole, reference);
  }
  QListWidget* functions = list(QStringLiteral("functions"), QStringLiteral("Funkce:"), this);
  for (const QString& name : functionNames_) {
    auto* item = new QListWidgetItem(name, functions);
    item->setData(kInsertRole, u'@' + name);
  }
  QListWidget* builtins = list(QStringLiteral("builtins"), QStringLiteral("Vestavěné funkce:"), this);
  for (const QString& form : BuiltinForms()) {
    auto* item = new QListWidgetItem(form, builtins);
    item->setData(kInsertRole, form);
    // The cursor goes inside the parentheses, before the first comma.
    item->setData(kBackRole, static_cast<int>(form.size() - form.indexOf(u'(') - 1));
  }
  int column = 0;
  for (QListWidget* w : {columns, params, functions, builtins}) {
    lists->addWidget(new QLabel(w->accessibleName(), this), 0, column);
    lists->addWidget(w, 1, column);
    ++column;
  }
  layout->addLayout(lists, 1);

  auto* operators = new QHBoxLayout;
  operators->setSpacing(2);
  const QStringList ops = {QStringLiteral("+"),  QStringLiteral("-"),  QStringLiteral("*"),   QStringLiteral("/"),
                           QStringLiteral("^"),  QStringLiteral("="),  QStringLiteral("<>"),  QStringLiteral("<"),
                           QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),  QStringLiteral("("),
                           QStringLiteral(")"),  QStringLiteral("NOT"), QStringLiteral("AND"), QStringLiteral("OR"),
                           QStringLiteral("IN")};
  for (const QString& op : ops) {
    auto* b = new QToolButton(this);
    b->setText(op);
    b->setObjectName(QStringLiteral("operator ") + op);
    const bool word = op.front().isLetter();
    connect(b, &QToolButton::clicked, this, [this, op, word] { insert(word ? u' ' + op + u' ' : op); });
    operators->addWidget(b);
  }
  operators->addStretch(1);
  layout->addLayout(operators);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* checkButton = buttons->addButton(QStringLiteral("Kontrola"), QDialogButtonBox::ActionRole);
  checkButton->setAutoDefault(false);
  connect(checkButton, &QPushButton::clicked, this, [this] { (void)check(); });
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 380);
  expression_->setFocus();
}

QListWidget* TExpressionDlg::list(const QString& name, const QString& caption, QWidget* box) {
  auto* w = new QListWidget(box);
  w->setObjectName(name);
  w->setAccessibleName(caption);
  connect(w, &QListWidget::itemActivated, this, &TExpressionDlg::put);
  return w;
}

void TExpressionDlg::put(QListWidgetItem* item) {
  if (item) insert(item->data(kInsertRole).toString(), item->data(kBackRole).toInt());
}

QString TExpressionDlg::expression() const { return expression_->text(); }

void TExpressionDlg::insert(const QString& text, int back) {
  expression_->insert(text);
  expression_->setCursorPosition(std::max(0, expression_->cursorPosition() - back));
  expression_->setFocus();
}

QString TExpressionDlg::check() {
  const SampleContext context(fieldNames_, parameters_, functionNames_);
  const QString text = CheckExpression(expression_->text(), context);
  ReportMessages::Inform(this, text);
  return text;
}

}  // namespace report
