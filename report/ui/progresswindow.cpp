#include "report/ui/progresswindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace report {

TFormProgress::TFormProgress(QWidget* parent) : QDialog(parent) {
  setWindowTitle(u"Tisková sestava"_s);
  setWindowModality(Qt::ApplicationModal);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowCloseButtonHint, false);

  label_ = new QLabel(this);
  label_->setObjectName(u"progressText"_s);
  label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(u"Připravuji tisk položky číslo: 1000000"_s) + 24);
  cancelButton_ = new QPushButton(u"Přerušit"_s, this);
  cancelButton_->setObjectName(u"cancelButton"_s);
  connect(cancelButton_, &QPushButton::clicked, this, &TFormProgress::cancel);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(14);
  layout->addWidget(label_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFormProgress::~TFormProgress() = default;

void TFormProgress::setTimings(int showDelayMs, int eventIntervalMs) {
  showDelayMs_ = std::max(0, showDelayMs);
  eventIntervalMs_ = std::max(0, eventIntervalMs);
}

QString TFormProgress::text() const {
  // The generator's caption ends with a blank, the printer's with "...".
  const bool blank = caption_.isEmpty() || caption_.back().isSpace();
  return caption_ + (blank ? QString() : u" "_s) + QString::number(row_);
}

void TFormProgress::begin(const QString& caption, int row) {
  if (depth_++ > 0) return;  // a run is going on: this one only nests in it
  caption_ = caption;
  row_ = row;
  cancelled_ = false;
  cancelButton_->setEnabled(true);
  label_->setText(text());
  started_.start();
  lastEvents_.start();
}

void TFormProgress::update(int row) {
  if (depth_ == 0 || inEvents_) return;
  row_ = row;
  if (lastEvents_.elapsed() < eventIntervalMs_) return;
  inEvents_ = true;
  label_->setText(text());
  if (!isVisible() && started_.elapsed() >= showDelayMs_) {
    show();
    raise();
  }
  QCoreApplication::processEvents();
  lastEvents_.start();
  inEvents_ = false;
}

void TFormProgress::end() {
  if (depth_ == 0 || --depth_ > 0) return;
  hide();
}

void TFormProgress::cancel() {
  cancelled_ = true;
  cancelButton_->setEnabled(false);
}

void TFormProgress::reject() { cancel(); }

void TFormProgress::closeEvent(QCloseEvent* event) {
  if (running()) {
    cancel();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace report
