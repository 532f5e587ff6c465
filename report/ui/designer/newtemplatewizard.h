// The new-template wizard ("Nová předloha"): the user ticks the columns the new
// report shows (all ticked at first) and whether the parameters head it; the
// designer then builds the automatic layout of the component (BuildDefaultLayout)
// from them. Without a ticked column the designer refuses to build.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;

namespace report {

class TNewTemplateWizard : public QDialog {
  Q_OBJECT
 public:
  TNewTemplateWizard(const QStringList& fieldNames, int parameterCount, QWidget* parent = nullptr);

  QStringList chosenColumns() const;
  bool withParameters() const;
  QListWidget* columnList() const { return list_; }

 private:
  void setAll(bool on);

  QListWidget* list_ = nullptr;
  QCheckBox* parameters_ = nullptr;
};

}  // namespace report
