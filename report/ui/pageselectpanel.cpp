#include "report/ui/pageselectpanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace report {

TPageSelectPanel::TPageSelectPanel(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setWindowTitle(u"Výběr stránky"_s);
  setObjectName(u"pageSelectPanel"_s);
  number_ = new QLineEdit(this);
  number_->setObjectName(u"pageNumber"_s);
  number_->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,9}"_s), number_));
  number_->setMaximumWidth(number_->fontMetrics().horizontalAdvance(u"0000000"_s) + 12);
  auto* label = new QLabel(u"Stránka číslo:"_s, this);
  label->setBuddy(number_);
  auto* show = new QPushButton(u"Zobrazit"_s, this);
  show->setDefault(true);
  connect(show, &QPushButton::clicked, this, &TPageSelectPanel::choose);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(number_);
  layout->addWidget(show);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TPageSelectPanel::~TPageSelectPanel() = default;

void TPageSelectPanel::setPage(int page) {
  number_->setText(QString::number(page));
  number_->selectAll();
  number_->setFocus();
}

void TPageSelectPanel::choose() {
  bool ok = false;
  const int page = number_->text().toInt(&ok);
  if (ok) emit pageChosen(page);
  number_->selectAll();
  number_->setFocus();
}

}  // namespace report
