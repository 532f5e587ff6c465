#include "report/ui/designer/environmentdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "report/ui/designer/undohistory.h"

namespace report {

TEnvironmentDlg::TEnvironmentDlg(const DesignerSettings& settings, bool showRaster, bool snapToRaster, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle(QStringLiteral("Nastavit prostředí"));
  auto* form = new QFormLayout(this);
  undo_ = new QSpinBox(this);
  undo_->setObjectName(QStringLiteral("undoCapacity"));
  undo_->setRange(1, UndoHistory::kMaxCapacity);
  undo_->setValue(settings.undoCapacity);
  form->addRow(QStringLiteral("Počet kroků zpět:"), undo_);
  zoom_ = new QComboBox(this);
  zoom_->setObjectName(QStringLiteral("zoom"));
  for (int z : DesignerSettings::kZoomPercents) zoom_->addItem(QString::number(z) + QStringLiteral(" %"), z);
  const int at = zoom_->findData(settings.zoomPercent);
  zoom_->setCurrentIndex(at >= 0 ? at : zoom_->findData(100));
  form->addRow(QStringLiteral("Měřítko:"), zoom_);
  show_ = new QCheckBox(QStringLiteral("Zobrazovat rastr"), this);
  show_->setChecked(showRaster);
  snap_ = new QCheckBox(QStringLiteral("Zarovnávat do rastru"), this);
  snap_->setChecked(snapToRaster);
  form->addRow(show_);
  form->addRow(snap_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

DesignerSettings TEnvironmentDlg::settings() const {
  DesignerSettings s = settings_;
  s.undoCapacity = undo_->value();
  s.zoomPercent = zoom_->currentData().toInt();
  return s;
}

bool TEnvironmentDlg::showRaster() const { return show_->isChecked(); }
bool TEnvironmentDlg::snapToRaster() const { return snap_->isChecked(); }

}  // namespace report
