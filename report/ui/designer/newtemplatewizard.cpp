#include "report/ui/designer/newtemplatewizard.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace report {

TNewTemplateWizard::TNewTemplateWizard(const QStringList& fieldNames, int parameterCount, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Nová předloha"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Položky sestavy:"), this));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("columns"));
  for (const QString& name : fieldNames) {
    auto* item = new QListWidgetItem(name, list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Checked);
  }
  layout->addWidget(list_);
  auto* row = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("Vybrat vše"), this);
  auto* none = new QPushButton(QStringLiteral("Zrušit výběr"), this);
  connect(all, &QPushButton::clicked, this, [this] { setAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { setAll(false); });
  row->addWidget(all);
  row->addWidget(none);
  row->addStretch(1);
  layout->addLayout(row);
  parameters_ = new QCheckBox(QStringLiteral("Parametry v záhlaví sestavy (%1)").arg(parameterCount), this);
  parameters_->setChecked(parameterCount > 0);
  parameters_->setEnabled(parameterCount > 0);
  layout->addWidget(parameters_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Vytvořit"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void TNewTemplateWizard::setAll(bool on) {
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

QStringList TNewTemplateWizard::chosenColumns() const {
  QStringList out;
  for (int i = 0; i < list_->count(); ++i)
    if (list_->item(i)->checkState() == Qt::Checked) out.append(list_->item(i)->text());
  return out;
}

bool TNewTemplateWizard::withParameters() const { return parameters_->isChecked(); }

}  // namespace report
