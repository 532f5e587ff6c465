#include "report/ui/designer/functiondialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "report/model/reportlimits.h"
#include "report/ui/designer/expressiondialog.h"
#include "report/ui/messages.h"

namespace report {

TFunctionDlg::TFunctionDlg(const TRadekFunkce& function, const QStringList& otherNames, int groupCount,
                           QWidget* parent)
    : QDialog(parent), function_(function), otherNames_(otherNames) {
  setWindowTitle(QStringLiteral("Uživatelská funkce"));
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(function.name, this);
  name_->setObjectName(QStringLiteral("name"));
  name_->setMaxLength(kMaxElementNameLength);
  form->addRow(QStringLiteral("Název:"), name_);
  description_ = new QLineEdit(function.description, this);
  description_->setObjectName(QStringLiteral("description"));
  form->addRow(QStringLiteral("Popis:"), description_);
  type_ = new QComboBox(this);
  type_->addItems({QStringLiteral("Číselná"), QStringLiteral("Textová")});
  type_->setCurrentIndex(function.type == kFunctionText ? 1 : 0);
  form->addRow(QStringLiteral("Typ:"), type_);
  initial_ = new QLineEdit(function.initialValue, this);
  initial_->setObjectName(QStringLiteral("initialValue"));
  form->addRow(QStringLiteral("Počáteční hodnota:"), initial_);
  reset_ = new QComboBox(this);
  reset_->addItems({QStringLiteral("Na začátku sestavy"), QStringLiteral("Na začátku stránky")});
  for (int g = 0; g < groupCount; ++g) reset_->addItem(QStringLiteral("Na začátku skupiny ") + QString::number(g));
  reset_->setCurrentIndex(std::clamp(function.resetScope, 0, static_cast<int>(reset_->count()) - 1));
  form->addRow(QStringLiteral("Nulovat:"), reset_);
  expression_ = new QLineEdit(function.expression, this);
  expression_->setObjectName(QStringLiteral("expression"));
  expression_->setMaxLength(kMaxExpressionLength);
  build_ = new QToolButton(this);
  build_->setObjectName(QStringLiteral("buildExpression"));
  build_->setText(QStringLiteral("..."));
  build_->setToolTip(QStringLiteral("Tvorba výrazu pro výpočet funkce"));
  connect(build_, &QToolButton::clicked, this, &TFunctionDlg::buildExpression);
  auto* expressionRow = new QHBoxLayout;
  expressionRow->addWidget(expression_, 1);
  expressionRow->addWidget(build_);
  form->addRow(QStringLiteral("Výraz:"), expressionRow);
  aggregation_ = new QComboBox(this);
  aggregation_->addItems({QStringLiteral("Žádná"), QStringLiteral("Počet"), QStringLiteral("Součet"),
                          QStringLiteral("Průměr"), QStringLiteral("Minimum"), QStringLiteral("Maximum"),
                          QStringLiteral("Směrodatná odchylka"), QStringLiteral("Relativní směrodatná odchylka")});
  aggregation_->setCurrentIndex(std::clamp(function.aggregation, 0, kAggregationCount - 1));
  form->addRow(QStringLiteral("Agregace:"), aggregation_);
  format_ = new QComboBox(this);
  format_->addItems({QStringLiteral("Obecný"), QStringLiteral("Exponenciální"), QStringLiteral("Pevný"),
                     QStringLiteral("Číslo"), QStringLiteral("Měna")});
  format_->setCurrentIndex(std::clamp(function.format, 0, kNumberFormatCount - 1));
  form->addRow(QStringLiteral("Formát:"), format_);
  precision_ = new QSpinBox(this);
  precision_->setRange(0, kMaxDecimals);
  precision_->setValue(std::clamp(function.precision, 0, kMaxDecimals));
  form->addRow(QStringLiteral("Počet znaků:"), precision_);
  decimals_ = new QSpinBox(this);
  decimals_->setRange(0, kMaxDecimals);
  decimals_->setValue(std::clamp(function.decimals, 0, kMaxDecimals));
  form->addRow(QStringLiteral("Desetinná místa:"), decimals_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

TRadekFunkce TFunctionDlg::function() const {
  TRadekFunkce f = function_;
  f.name = name_->text().trimmed();
  f.description = description_->text();
  f.type = type_->currentIndex();
  f.initialValue = initial_->text();
  f.resetScope = reset_->currentIndex();
  f.expression = expression_->text();
  f.aggregation = aggregation_->currentIndex();
  f.format = format_->currentIndex();
  f.precision = precision_->value();
  f.decimals = decimals_->value();
  return f;
}

void TFunctionDlg::setExpressionSources(const QStringList& fieldNames, const QStringList& parameters,
                                        const QStringList& functionNames) {
  fieldNames_ = fieldNames;
  parameters_ = parameters;
  functionNames_ = functionNames;
}

void TFunctionDlg::buildExpression() {
  TExpressionDlg builder(expression_->text(), fieldNames_, parameters_, functionNames_, this);
  const int result = dialogRunner ? dialogRunner(builder) : builder.exec();
  if (result == QDialog::Accepted) expression_->setText(builder.expression());
}

void TFunctionDlg::done(int result) {
  if (result == QDialog::Accepted) {
    const QString name = name_->text().trimmed();
    if (name.isEmpty()) {
      ReportMessages::Error(this, QStringLiteral("Funkce musí mít název."));
      return;
    }
    for (const QString& other : otherNames_)
      if (other.compare(name, Qt::CaseInsensitive) == 0) {
        ReportMessages::Error(this, QStringLiteral("Funkce tohoto názvu už existuje."));
        return;
      }
  }
  QDialog::done(result);
}

}  // namespace report
