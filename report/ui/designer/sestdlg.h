// The report settings dialog `TSestDlg` ("Nastavení parametrů sestavy"), opened
// by the designer's "Nastavit předlohu". Five tabs:
//   "Sestava"  "Soubor:" (file name and directory), "Počet tištěných kopií:",
//              "Tištěné stránky:" … "až", "Maximální počet záznamů:", "Popis:"
//   "Papír"    "Formát papíru:" with "Ukaž", "Přidej", "Vynech"; "Orientace:";
//              "Okraje papíru:"; "Dělení papíru:" with "Rozměr štítku:"; the paper drawn
//   "Rastr"    "Pozadí:" and "Umístění:"; "Rastr:" type, grid, character pitch (and
//              line pitch), "Zobrazovat rastr", "Zarovnávat do rastru"
//   "Oddíly"   each fixed section shown or not with its "Výška:"; "Stránkování:"
//   "Skupiny"  the groups with "Ins" and "Del", the grouping column, "Začátek" and
//              "Konec" with their "Výška oddílu:", "Novou skupinu na novou stránku"
// "&Konec" takes the settings (after the margin check), "Storno" drops them.
//
// Margin check: with a printer installed, margins smaller than the printer can
// print (MarginCheck) bring the question "Nastavené okraje tisku jsou menší, než
// umožňuje připojená tiskárna. Upravit velikost okrajů podle možností tiskárny?":
// Yes raises them and closes, No closes as they are, Cancel stays.
//
// User paper formats are written back to the ini file at once (PaperFormatEditor).
// Nested dialogs ("Formát papíru", the picture's file) run through `dialogRunner`.
#pragma once

#include <QDialog>
#include <QList>
#include <array>
#include <functional>

#include "report/io/paperformats.h"
#include "report/ui/designer/reportsettings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace report {

class PrinterPort;
class TPaperPreview;

class TSestDlg : public QDialog {
  Q_OBJECT
 public:
  TSestDlg(ReportSettings& data, const QStringList& fieldNames, TListFormatu& formats, const QString& iniPath,
           PrinterPort* port, QWidget* parent = nullptr);
  ~TSestDlg() override;

  // Runs a nested modal dialog; the default is exec().
  std::function<int(QDialog&)> dialogRunner;

  // The settings as the fields show them now.
  ReportSettings current() const;
  QTabWidget* tabs() const { return tabs_; }
  QComboBox* formatList() const { return format_; }

  void done(int result) override;

 private:
  QWidget* buildReportTab();
  QWidget* buildPaperTab();
  QWidget* buildRasterTab();
  QWidget* buildSectionsTab();
  QWidget* buildGroupsTab();
  void load();
  void fillFormats(int select);
  void formatChosen(int index);
  void showFormat();
  void addFormat();
  void removeFormat();
  void paperChanged();
  void rasterChanged();
  void backgroundChanged();
  void fillGroupList(int select);
  void groupChosen(int row);
  void groupEdited();
  void insertGroup();
  void deleteGroup();
  void choosePicture();
  int runDialog(QDialog& dialog);

  ReportSettings& data_;
  QStringList fieldNames_;
  TListFormatu& formats_;
  QString iniPath_;
  PrinterPort* port_;
  ReportSettings edit_;  // what the fields hold
  bool loading_ = false;

  QTabWidget* tabs_ = nullptr;
  // "Sestava"
  QLineEdit* reportName_ = nullptr;
  QLineEdit* reportDir_ = nullptr;
  QSpinBox* copies_ = nullptr;
  QSpinBox* fromPage_ = nullptr;
  QSpinBox* toPage_ = nullptr;
  QSpinBox* maxRecords_ = nullptr;
  QLineEdit* popis_ = nullptr;
  // "Papír"
  QComboBox* format_ = nullptr;
  QPushButton* show_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QRadioButton* portrait_ = nullptr;
  QRadioButton* landscape_ = nullptr;
  QSpinBox* marginLeft_ = nullptr;
  QSpinBox* marginRight_ = nullptr;
  QSpinBox* marginTop_ = nullptr;
  QSpinBox* marginBottom_ = nullptr;
  QSpinBox* columns_ = nullptr;
  QSpinBox* columnGap_ = nullptr;
  QLabel* labelSize_ = nullptr;
  TPaperPreview* preview_ = nullptr;
  // "Rastr"
  QCheckBox* defaultBackground_ = nullptr;
  QCheckBox* printBackground_ = nullptr;
  QLineEdit* picture_ = nullptr;
  QPushButton* pictureButton_ = nullptr;
  QSpinBox* bgLeft_ = nullptr;
  QSpinBox* bgTop_ = nullptr;
  QSpinBox* bgWidth_ = nullptr;
  QSpinBox* bgHeight_ = nullptr;
  QCheckBox* wholePaper_ = nullptr;
  QRadioButton* graphic_ = nullptr;
  QRadioButton* character_ = nullptr;
  QSpinBox* gridX_ = nullptr;
  QSpinBox* gridY_ = nullptr;
  QButtonGroup* charPitch_ = nullptr;
  QButtonGroup* linePitch_ = nullptr;
  QCheckBox* showRaster_ = nullptr;
  QCheckBox* snapRaster_ = nullptr;
  // "Oddíly"
  std::array<QCheckBox*, kFixedSectionCount> visible_{};
  std::array<QSpinBox*, kFixedSectionCount> height_{};
  QList<QCheckBox*> pagination_;
  // "Skupiny"
  QListWidget* groupList_ = nullptr;
  QPushButton* insertGroup_ = nullptr;
  QPushButton* deleteGroup_ = nullptr;
  QComboBox* groupColumn_ = nullptr;
  QCheckBox* byName_ = nullptr;
  QCheckBox* startVisible_ = nullptr;
  QSpinBox* startHeight_ = nullptr;
  QCheckBox* endVisible_ = nullptr;
  QSpinBox* endHeight_ = nullptr;
  QCheckBox* newPage_ = nullptr;
};

}  // namespace report
