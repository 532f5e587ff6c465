#include "report/ui/printdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "report/print/reportprinter.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

constexpr int kMaxPage = 9999;
constexpr int kMaxCopies = 999;

QSpinBox* NumberBox(int maximum, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, maximum);
  box->setValue(value);
  box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  return box;
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TSestPrintDlg::TSestPrintDlg(PrinterPort& port, TPrintDialogTyp& data, QWidget* parent)
    : QDialog(parent), port_(port), data_(data) {
  setWindowTitle(u"Tisk"_s);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // The printer.
  auto* printerGroup = new QGroupBox(u"Tiskárna"_s, this);
  printer_ = new QComboBox(printerGroup);
  printer_->setObjectName(u"printer"_s);
  printer_->addItems(port_.printerNames());
  printer_->setMinimumContentsLength(28);
  printer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  if (printer_->count() > 0)
    printer_->setCurrentIndex(PrinterPort::fallbackIndex(data_.printerIndex, printer_->count(), port_.defaultPrinter()));
  driver_ = new QLabel(printerGroup);
  driver_->setObjectName(u"driver"_s);
  where_ = new QLabel(printerGroup);
  where_->setObjectName(u"where"_s);
  properties_ = new QPushButton(u"&Vlastnosti..."_s, printerGroup);
  properties_->setAutoDefault(false);
  toFile_ = new QCheckBox(u"Tisknout do &souboru"_s, printerGroup);
  toFile_->setChecked(data_.toFile);
  auto* printerGrid = new QGridLayout(printerGroup);
  printerGrid->addWidget(Buddy(u"Název:"_s, printer_, printerGroup), 0, 0);
  printerGrid->addWidget(printer_, 0, 1);
  printerGrid->addWidget(properties_, 0, 2);
  printerGrid->addWidget(new QLabel(u"Typ"_s, printerGroup), 1, 0);
  printerGrid->addWidget(driver_, 1, 1, 1, 2);
  printerGrid->addWidget(new QLabel(u"Kde"_s, printerGroup), 2, 0);
  printerGrid->addWidget(where_, 2, 1);
  printerGrid->addWidget(toFile_, 2, 2);
  printerGrid->setColumnStretch(1, 1);

  // Pages and copies.
  auto* rangeGroup = new QGroupBox(u"Rozsah tisku"_s, this);
  currentPage_ = new QCheckBox(u"&Tisknout &aktuální stránku"_s, rangeGroup);
  currentPage_->setChecked(data_.currentPageOnly);
  from_ = NumberBox(kMaxPage, data_.firstPage, rangeGroup);
  from_->setObjectName(u"firstPage"_s);
  to_ = NumberBox(kMaxPage, data_.lastPage, rangeGroup);
  to_->setObjectName(u"lastPage"_s);
  oneRecord_ = new QCheckBox(u"Tisknout pouze &jeden záznam"_s, rangeGroup);
  oneRecord_->setChecked(data_.oneRecordOnly);
  auto* rangeGrid = new QGridLayout(rangeGroup);
  rangeGrid->addWidget(currentPage_, 0, 0, 1, 4);
  rangeGrid->addWidget(Buddy(u"&Od stránky:"_s, from_, rangeGroup), 1, 0);
  rangeGrid->addWidget(from_, 1, 1);
  rangeGrid->addWidget(Buddy(u"&Do stránky:"_s, to_, rangeGroup), 1, 2);
  rangeGrid->addWidget(to_, 1, 3);
  rangeGrid->addWidget(oneRecord_, 2, 0, 1, 4);

  auto* copiesGroup = new QGroupBox(u"Kopie"_s, this);
  copies_ = NumberBox(kMaxCopies, data_.copies, copiesGroup);
  copies_->setObjectName(u"copies"_s);
  auto* copiesGrid = new QGridLayout(copiesGroup);
  copiesGrid->addWidget(Buddy(u"&Počet kopií:"_s, copies_, copiesGroup), 0, 0);
  copiesGrid->addWidget(copies_, 0, 1);
  copiesGrid->setRowStretch(1, 1);

  // The template.
  templateGroup_ = new QGroupBox(u"Předloha"_s, this);
  templateName_ = new QLineEdit(data_.templateName, templateGroup_);
  templateName_->setObjectName(u"templateName"_s);
  auto* edit = new QPushButton(u"&Upravit..."_s, templateGroup_);
  edit->setAutoDefault(false);
  defaultTemplate_ = new QCheckBox(u"Nastavit jako výchozí &formulář"_s, templateGroup_);
  defaultTemplate_->setChecked(data_.defaultTemplate);
  auto* templateGrid = new QGridLayout(templateGroup_);
  templateGrid->addWidget(Buddy(u"Náz&ev:"_s, templateName_, templateGroup_), 0, 0);
  templateGrid->addWidget(templateName_, 0, 1);
  templateGrid->addWidget(edit, 0, 2);
  templateGrid->addWidget(defaultTemplate_, 1, 1, 1, 2);
  templateGrid->setColumnStretch(1, 1);

  background_ = new QCheckBox(u"Tisknout pozadí"_s, this);
  background_->setChecked(data_.printBackground);

  // The buttons.
  print_ = new QPushButton(u"&Tisk"_s, this);
  print_->setDefault(true);
  auto* preview = new QPushButton(u"&Náhled"_s, this);
  auto* cancel = new QPushButton(u"Storno"_s, this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(background_);
  buttons->addStretch();
  buttons->addWidget(print_);
  buttons->addWidget(preview);
  buttons->addWidget(cancel);

  auto* middle = new QHBoxLayout;
  middle->addWidget(rangeGroup, 2);
  middle->addWidget(copiesGroup, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(printerGroup);
  layout->addLayout(middle);
  layout->addWidget(templateGroup_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  templateGroup_->setVisible(data_.showTemplate);
  oneRecord_->setVisible(data_.showOneRecord);
  background_->setVisible(data_.showBackground);
  currentPage_->setVisible(data_.showCurrentPage);

  connect(printer_, &QComboBox::currentIndexChanged, this, &TSestPrintDlg::printerChanged);
  connect(toFile_, &QCheckBox::toggled, this, &TSestPrintDlg::printerChanged);
  connect(currentPage_, &QCheckBox::toggled, this, &TSestPrintDlg::updateState);
  connect(properties_, &QPushButton::clicked, this, &TSestPrintDlg::showProperties);
  connect(print_, &QPushButton::clicked, this, [this] { done(kPrint); });
  connect(preview, &QPushButton::clicked, this, [this] { done(kPreview); });
  connect(edit, &QPushButton::clicked, this, [this] { done(kEditTemplate); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  printerChanged();
}

TSestPrintDlg::~TSestPrintDlg() = default;

int TSestPrintDlg::Execute(QWidget* parent, PrinterPort& port, TPrintDialogTyp& data) {
  TSestPrintDlg dialog(port, data, parent);
  return dialog.exec();
}

bool TSestPrintDlg::selectDevice() const {
  return port_.select(printer_->currentIndex(), toFile_->isChecked() ? PrinterPort::kFilePort.toString() : QString());
}

void TSestPrintDlg::printerChanged() {
  const bool printer = printer_->count() > 0;
  // The driver of the printer itself; the file port writes a PDF file whichever printer is chosen.
  if (toFile_->isChecked()) {
    driver_->setText(selectDevice() ? port_.driverName() : QString());
    where_->setText(PrinterPort::kFilePort.toString());
  } else {
    driver_->setText(printer && selectDevice() ? port_.driverName() : QString());
    where_->setText(printer_->currentText());  // a CUPS queue carries the printer's name
  }
  updateState();
}

void TSestPrintDlg::updateState() {
  const bool printer = printer_->count() > 0;
  print_->setEnabled(printer || toFile_->isChecked());
  properties_->setEnabled(printer || toFile_->isChecked());
  // Printing the current page leaves no range to choose.
  const bool range = !(data_.showCurrentPage && currentPage_->isChecked());
  from_->setEnabled(range);
  to_->setEnabled(range);
}

QString TSestPrintDlg::propertiesText() const {
  if (!selectDevice()) return NoPrinterMessage();
  const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
  const auto mm = [&](double hundredths) { return czech.toString(hundredths * 0.254, 'f', 1); };
  const auto inch = [&](double hundredths) { return czech.toString(hundredths / 100.0, 'f', 2); };
  const QSizeF paper = port_.paperSizeHundredths();
  const QMarginsF edge = port_.unprintableHundredths();
  QStringList lines;
  lines << u"Tiskárna: "_s + (toFile_->isChecked() ? PrinterPort::kFilePort.toString() : printer_->currentText());
  lines << u"Ovladač: "_s + port_.driverName();
  lines << u"Rozlišení: %1 dpi"_s.arg(port_.resolution());
  lines << u"Papír: %1 × %2 mm (%3 × %4 palce)"_s.arg(mm(paper.width()), mm(paper.height()), inch(paper.width()),
                                                     inch(paper.height()));
  lines << u"Nepotisknutelné okraje: vlevo %1 mm, nahoře %2 mm, vpravo %3 mm, dole %4 mm"_s.arg(
               mm(edge.left()), mm(edge.top()), mm(edge.right()), mm(edge.bottom()));
  if (port_.isTextOnly()) lines << u"Tiskárna tiskne pouze text."_s;
  return lines.join(u'\n');
}

void TSestPrintDlg::showProperties() {
  if (!propertiesBox_) {
    propertiesBox_ = new QDialog(this);
    propertiesBox_->setWindowTitle(u"Vlastnosti tiskárny"_s);
    propertiesBox_->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* text = new QLabel(propertiesBox_);
    text->setObjectName(u"propertiesText"_s);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(propertiesBox_);
    buttons->addButton(u"Zavřít"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, propertiesBox_, &QDialog::reject);
    auto* layout = new QVBoxLayout(propertiesBox_);
    layout->addWidget(text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }
  propertiesBox_->findChild<QLabel*>(u"propertiesText"_s)->setText(propertiesText());
  propertiesBox_->open();  // window-modal over this dialog, without a nested event loop
}

void TSestPrintDlg::done(int result) {
  if (result != kCancel) {
    data_.printerIndex = printer_->currentIndex();
    data_.firstPage = from_->value();
    data_.lastPage = to_->value();
    data_.copies = copies_->value();
    data_.toFile = toFile_->isChecked();
    data_.currentPageOnly = currentPage_->isChecked();
    data_.oneRecordOnly = oneRecord_->isChecked();
    data_.printBackground = background_->isChecked();
    data_.templateName = templateName_->text();
    data_.defaultTemplate = defaultTemplate_->isChecked();
  }
  if (propertiesBox_) propertiesBox_->hide();
  QDialog::done(result);
}

}  // namespace report
