#include "report/ui/designer/paperformatdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "report/model/reportlimits.h"

namespace report {

TPaperFormatDlg::TPaperFormatDlg(const TFormatPapiru& format, bool editable, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Formát papíru"));
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(format.name, this);
  name_->setObjectName(QStringLiteral("formatName"));
  name_->setMaxLength(kMaxFormatNameLength);
  name_->setReadOnly(!editable);
  width_ = new QSpinBox(this);
  width_->setObjectName(QStringLiteral("formatWidth"));
  height_ = new QSpinBox(this);
  height_->setObjectName(QStringLiteral("formatHeight"));
  for (QSpinBox* s : {width_, height_}) {
    s->setRange(1, kMaxPaperLength);
    s->setSuffix(QStringLiteral(" (1/100\")"));
    s->setReadOnly(!editable);
    s->setButtonSymbols(editable ? QSpinBox::UpDownArrows : QSpinBox::NoButtons);
  }
  width_->setValue(format.width);
  height_->setValue(format.height);
  form->addRow(QStringLiteral("Název formátu:"), name_);
  form->addRow(QStringLiteral("Šířka papíru:"), width_);
  form->addRow(QStringLiteral("Výška papíru:"), height_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  if (editable) buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

TFormatPapiru TPaperFormatDlg::format() const {
  return {name_->text().trimmed(), width_->value(), height_->value()};
}

}  // namespace report
