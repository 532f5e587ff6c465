#include "report/ui/designer/sestdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <climits>

#include "report/model/reportlimits.h"
#include "report/print/printerport.h"
#include "report/ui/designer/margincheck.h"
#include "report/ui/designer/paperformatdialog.h"
#include "report/ui/designer/paperformateditor.h"
#include "report/ui/designer/paperpreview.h"
#include "report/ui/messages.h"

namespace report {
namespace {

QSpinBox* Spin(QWidget* parent, const QString& name, int min, int max) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(min, max);
  return s;
}

QCheckBox* Check(QWidget* parent, const QString& text, const QString& name) {
  auto* c = new QCheckBox(text, parent);
  c->setObjectName(name);
  return c;
}

// Pagination flags in the order of their check boxes.
constexpr bool PaginationFlags::*kPaginationFields[] = {
    &PaginationFlags::NewBodyNewPage, &PaginationFlags::BreakAfterStart, &PaginationFlags::BreakBeforeEnd,
    &PaginationFlags::EndToFooter,    &PaginationFlags::NoFirstHeader,   &PaginationFlags::NoLastFooter,
};

}  // namespace

TSestDlg::TSestDlg(ReportSettings& data, const QStringList& fieldNames, TListFormatu& formats, const QString& iniPath,
                   PrinterPort* port, QWidget* parent)
    : QDialog(parent), data_(data), fieldNames_(fieldNames), formats_(formats), iniPath_(iniPath), port_(port),
      edit_(data) {
  setWindowTitle(QStringLiteral("Nastavení parametrů sestavy"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(buildReportTab(), QStringLiteral("Sestava"));
  tabs_->addTab(buildPaperTab(), QStringLiteral("Papír"));
  tabs_->addTab(buildRasterTab(), QStringLiteral("Rastr"));
  tabs_->addTab(buildSectionsTab(), QStringLiteral("Oddíly"));
  tabs_->addTab(buildGroupsTab(), QStringLiteral("Skupiny"));
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("&Konec"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  load();
}

TSestDlg::~TSestDlg() = default;

int TSestDlg::runDialog(QDialog& dialog) { return dialogRunner ? dialogRunner(dialog) : dialog.exec(); }

// ---- "Sestava"

QWidget* TSestDlg::buildReportTab() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  reportName_ = new QLineEdit(page);
  reportName_->setObjectName(QStringLiteral("reportName"));
  reportDir_ = new QLineEdit(page);
  reportDir_->setObjectName(QStringLiteral("reportDir"));
  reportDir_->setPlaceholderText(QStringLiteral("adresář"));
  auto* file = new QHBoxLayout;
  file->addWidget(reportName_, 1);
  file->addWidget(reportDir_, 2);
  form->addRow(QStringLiteral("Soubor:"), file);
  copies_ = Spin(page, QStringLiteral("printCopies"), 1, 65535);
  form->addRow(QStringLiteral("Počet tištěných kopií:"), copies_);
  fromPage_ = Spin(page, QStringLiteral("startPage"), 1, 65535);
  toPage_ = Spin(page, QStringLiteral("endPage"), 1, 65535);
  auto* pages = new QHBoxLayout;
  pages->addWidget(fromPage_);
  pages->addWidget(new QLabel(QStringLiteral("až"), page));
  pages->addWidget(toPage_);
  pages->addStretch(1);
  form->addRow(QStringLiteral("Tištěné stránky:"), pages);
  maxRecords_ = Spin(page, QStringLiteral("maxRecords"), 0, INT_MAX);
  form->addRow(QStringLiteral("Maximální počet záznamů:"), maxRecords_);
  popis_ = new QLineEdit(page);
  popis_->setObjectName(QStringLiteral("popis"));
  form->addRow(QStringLiteral("Popis:"), popis_);
  return page;
}

// ---- "Papír"

QWidget* TSestDlg::buildPaperTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  auto* formatBox = new QGroupBox(QStringLiteral("Formát papíru:"), page);
  auto* formatLayout = new QVBoxLayout(formatBox);
  format_ = new QComboBox(formatBox);
  format_->setObjectName(QStringLiteral("paperFormat"));
  formatLayout->addWidget(format_);
  auto* formatButtons = new QHBoxLayout;
  show_ = new QPushButton(QStringLiteral("Ukaž"), formatBox);
  add_ = new QPushButton(QStringLiteral("Přidej"), formatBox);
  remove_ = new QPushButton(QStringLiteral("Vynech"), formatBox);
  for (QPushButton* b : {show_, add_, remove_}) formatButtons->addWidget(b);
  formatLayout->addLayout(formatButtons);
  connect(format_, &QComboBox::currentIndexChanged, this, &TSestDlg::formatChosen);
  connect(show_, &QPushButton::clicked, this, &TSestDlg::showFormat);
  connect(add_, &QPushButton::clicked, this, &TSestDlg::addFormat);
  connect(remove_, &QPushButton::clicked, this, &TSestDlg::removeFormat);
  grid->addWidget(formatBox, 0, 0);

  auto* orientation = new QGroupBox(QStringLiteral("Orientace:"), page);
  auto* orientationLayout = new QHBoxLayout(orientation);
  portrait_ = new QRadioButton(QStringLiteral("na výšku"), orientation);
  landscape_ = new QRadioButton(QStringLiteral("na šířku"), orientation);
  orientationLayout->addWidget(portrait_);
  orientationLayout->addWidget(landscape_);
  connect(portrait_, &QRadioButton::toggled, this, &TSestDlg::paperChanged);
  grid->addWidget(orientation, 1, 0);

  auto* margins = new QGroupBox(QStringLiteral("Okraje papíru:"), page);
  auto* marginForm = new QFormLayout(margins);
  marginLeft_ = Spin(margins, QStringLiteral("marginLeft"), 0, kMaxPaperLength);
  marginRight_ = Spin(margins, QStringLiteral("marginRight"), 0, kMaxPaperLength);
  marginTop_ = Spin(margins, QStringLiteral("marginTop"), 0, kMaxPaperLength);
  marginBottom_ = Spin(margins, QStringLiteral("marginBottom"), 0, kMaxPaperLength);
  marginForm->addRow(QStringLiteral("Levý:"), marginLeft_);
  marginForm->addRow(QStringLiteral("Pravý:"), marginRight_);
  marginForm->addRow(QStringLiteral("Horní:"), marginTop_);
  marginForm->addRow(QStringLiteral("Dolní:"), marginBottom_);
  grid->addWidget(margins, 2, 0);

  auto* division = new QGroupBox(QStringLiteral("Dělení papíru:"), page);
  auto* divisionForm = new QFormLayout(division);
  columns_ = Spin(division, QStringLiteral("printColumns"), 1, kMaxPrintColumns);
  columnGap_ = Spin(division, QStringLiteral("columnGap"), 0, kMaxPaperLength);
  labelSize_ = new QLabel(division);
  labelSize_->setObjectName(QStringLiteral("labelSize"));
  divisionForm->addRow(QStringLiteral("Počet sloupců tisku:"), columns_);
  divisionForm->addRow(QStringLiteral("Mezera mezi sloupci:"), columnGap_);
  divisionForm->addRow(QStringLiteral("Rozměr štítku:"), labelSize_);
  grid->addWidget(division, 3, 0);
  for (QSpinBox* s : {marginLeft_, marginRight_, marginTop_, marginBottom_, columns_, columnGap_})
    connect(s, &QSpinBox::valueChanged, this, &TSestDlg::paperChanged);

  preview_ = new TPaperPreview(page);
  grid->addWidget(preview_, 0, 1, 4, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

void TSestDlg::fillFormats(int select) {
  const QSignalBlocker block(format_);
  format_->clear();
  for (const TFormatPapiru& f : formats_.formats()) format_->addItem(f.name);
  format_->setCurrentIndex(select);
  remove_->setEnabled(PaperFormatEditor::IsUserFormat(select));
}

void TSestDlg::formatChosen(int index) {
  if (index < 0 || index >= formats_.count()) return;
  edit_.paper.width = formats_.at(index).width;
  edit_.paper.height = formats_.at(index).height;
  remove_->setEnabled(PaperFormatEditor::IsUserFormat(index));
  paperChanged();
}

void TSestDlg::showFormat() {
  const int i = format_->currentIndex();
  if (i < 0) return;
  TPaperFormatDlg dialog(formats_.at(i), false, this);
  runDialog(dialog);
}

void TSestDlg::addFormat() {
  const int i = std::max(0, format_->currentIndex());
  TFormatPapiru proposal{QStringLiteral("uživ. formát"), formats_.at(i).width, formats_.at(i).height};
  TPaperFormatDlg dialog(proposal, true, this);
  if (runDialog(dialog) != QDialog::Accepted) return;
  PaperFormatEditor editor(formats_, iniPath_);
  bool written = false;
  const int added = editor.add(dialog.format(), &written);
  fillFormats(added);
  formatChosen(added);
  if (!written) ReportMessages::Error(this, QStringLiteral("Seznam formátů papíru se nepodařilo uložit."));
}

void TSestDlg::removeFormat() {
  const int i = format_->currentIndex();
  if (!PaperFormatEditor::IsUserFormat(i)) return;
  if (ReportMessages::Ask(this, QStringLiteral("Zrušit vybraný uživatelský formát?")) != Answer::Yes) return;
  PaperFormatEditor editor(formats_, iniPath_);
  if (!editor.remove(i)) ReportMessages::Error(this, QStringLiteral("Seznam formátů papíru se nepodařilo uložit."));
  fillFormats(PaperFormatEditor(formats_, iniPath_).indexFor(edit_.paper.width, edit_.paper.height));
}

void TSestDlg::paperChanged() {
  if (loading_) return;
  ReportPaper& p = edit_.paper;
  p.orientation = landscape_->isChecked() ? kLandscape : kPortrait;
  p.marginLeft = marginLeft_->value();
  p.marginRight = marginRight_->value();
  p.marginTop = marginTop_->value();
  p.marginBottom = marginBottom_->value();
  p.columns = columns_->value();
  p.columnGap = columnGap_->value();
  const int labelWidth = p.columnWidth() - p.columnGap;
  labelSize_->setText(QStringLiteral("%1 x %2").arg(labelWidth).arg(p.printableHeight()));
  preview_->setPaper(p);
}

// ---- "Rastr"

QWidget* TSestDlg::buildRasterTab() {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);

  auto* background = new QGroupBox(QStringLiteral("Pozadí:"), page);
  auto* bgForm = new QFormLayout(background);
  defaultBackground_ = Check(background, QStringLiteral("Výchozí nastavení"), QStringLiteral("defaultBackground"));
  printBackground_ = Check(background, QStringLiteral("Tisknout pozadí"), QStringLiteral("printBackground"));
  bgForm->addRow(defaultBackground_);
  bgForm->addRow(printBackground_);
  picture_ = new QLineEdit(background);
  picture_->setObjectName(QStringLiteral("backgroundPicture"));
  pictureButton_ = new QPushButton(QStringLiteral("..."), background);
  pictureButton_->setFixedWidth(30);
  auto* pictureRow = new QHBoxLayout;
  pictureRow->addWidget(picture_, 1);
  pictureRow->addWidget(pictureButton_);
  bgForm->addRow(QStringLiteral("Obrázek:"), pictureRow);
  connect(pictureButton_, &QPushButton::clicked, this, &TSestDlg::choosePicture);
  auto* place = new QGroupBox(QStringLiteral("Umístění:"), background);
  auto* placeForm = new QFormLayout(place);
  bgLeft_ = Spin(place, QStringLiteral("backgroundLeft"), 0, kMaxPaperLength);
  bgTop_ = Spin(place, QStringLiteral("backgroundTop"), 0, kMaxPaperLength);
  bgWidth_ = Spin(place, QStringLiteral("backgroundWidth"), 0, kMaxPaperLength);
  bgHeight_ = Spin(place, QStringLiteral("backgroundHeight"), 0, kMaxPaperLength);
  placeForm->addRow(QStringLiteral("Levý:"), bgLeft_);
  placeForm->addRow(QStringLiteral("Horní:"), bgTop_);
  placeForm->addRow(QStringLiteral("Šířka:"), bgWidth_);
  placeForm->addRow(QStringLiteral("Výška:"), bgHeight_);
  wholePaper_ = Check(place, QStringLiteral("Celý papír"), QStringLiteral("wholePaper"));
  placeForm->addRow(wholePaper_);
  bgForm->addRow(place);
  for (QCheckBox* c : {defaultBackground_, printBackground_, wholePaper_})
    connect(c, &QCheckBox::toggled, this, &TSestDlg::backgroundChanged);
  connect(picture_, &QLineEdit::textChanged, this, &TSestDlg::backgroundChanged);
  for (QSpinBox* s : {bgLeft_, bgTop_, bgWidth_, bgHeight_})
    connect(s, &QSpinBox::valueChanged, this, &TSestDlg::backgroundChanged);
  layout->addWidget(background);

  auto* raster = new QGroupBox(QStringLiteral("Rastr:"), page);
  auto* rasterForm = new QFormLayout(raster);
  graphic_ = new QRadioButton(QStringLiteral("Grafický"), raster);
  character_ = new QRadioButton(QStringLiteral("Znakový"), raster);
  auto* type = new QHBoxLayout;
  type->addWidget(graphic_);
  type->addWidget(character_);
  rasterForm->addRow(QStringLiteral("Typ rastru:"), type);
  gridX_ = Spin(raster, QStringLiteral("gridX"), 1, 1000);
  gridY_ = Spin(raster, QStringLiteral("gridY"), 1, 1000);
  rasterForm->addRow(QStringLiteral("Rastr X:"), gridX_);
  rasterForm->addRow(QStringLiteral("Rastr Y:"), gridY_);
  auto* chars = new QGroupBox(QStringLiteral("Rozteč znaků"), raster);
  auto* charsLayout = new QVBoxLayout(chars);
  charPitch_ = new QButtonGroup(this);
  // Choice 0 is ten characters per inch, 1 twelve, 2 seventeen.
  const QString charNames[] = {QStringLiteral("10 znaků/palec"), QStringLiteral("12 znaků/palec"),
                               QStringLiteral("17 znaků/palec")};
  for (int c = 0; c < 3; ++c) {
    auto* b = new QRadioButton(charNames[c], chars);
    charPitch_->addButton(b, c);
    charsLayout->addWidget(b);
  }
  rasterForm->addRow(chars);
  auto* lines = new QGroupBox(QStringLiteral("Rozteč řádků"), raster);
  auto* linesLayout = new QVBoxLayout(lines);
  linePitch_ = new QButtonGroup(this);
  // Choice 0 is six lines per inch, 1 four, 2 three.
  const QString lineNames[] = {QStringLiteral("6 řádků/palec"), QStringLiteral("4 řádky/palec"),
                               QStringLiteral("3 řádky/palec")};
  for (int c = 0; c < 3; ++c) {
    auto* b = new QRadioButton(lineNames[c], lines);
    linePitch_->addButton(b, c);
    linesLayout->addWidget(b);
  }
  rasterForm->addRow(lines);
  showRaster_ = Check(raster, QStringLiteral("Zobrazovat rastr"), QStringLiteral("showRaster"));
  snapRaster_ = Check(raster, QStringLiteral("Zarovnávat do rastru"), QStringLiteral("snapRaster"));
  rasterForm->addRow(showRaster_);
  rasterForm->addRow(snapRaster_);
  connect(graphic_, &QRadioButton::toggled, this, &TSestDlg::rasterChanged);
  connect(charPitch_, &QButtonGroup::idToggled, this, &TSestDlg::rasterChanged);
  connect(linePitch_, &QButtonGroup::idToggled, this, &TSestDlg::rasterChanged);
  layout->addWidget(raster);
  return page;
}

void TSestDlg::rasterChanged() {
  if (loading_) return;
  const bool characterRaster = character_->isChecked();
  gridX_->setEnabled(!characterRaster);
  gridY_->setEnabled(!characterRaster);
  for (QAbstractButton* b : charPitch_->buttons()) b->setEnabled(characterRaster);
  for (QAbstractButton* b : linePitch_->buttons()) b->setEnabled(characterRaster);
  if (characterRaster) {
    // The grid of a character raster is one character by one line.
    TemplateRaster r;
    r.type = kRasterCharacter;
    r.charPitch = std::max(0, charPitch_->checkedId());
    r.linePitch = std::max(0, linePitch_->checkedId());
    r.applyCharacterGrid();
    const QSignalBlocker bx(gridX_), by(gridY_);
    gridX_->setValue(r.gridX);
    gridY_->setValue(r.gridY);
  }
}

void TSestDlg::backgroundChanged() {
  if (loading_) return;
  const bool own = !defaultBackground_->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{printBackground_, picture_, pictureButton_, wholePaper_})
    w->setEnabled(own);
  const bool whole = wholePaper_->isChecked();
  if (whole) {
    const QSignalBlocker b1(bgLeft_), b2(bgTop_), b3(bgWidth_), b4(bgHeight_);
    for (QSpinBox* s : {bgLeft_, bgTop_, bgWidth_, bgHeight_}) s->setValue(0);
  }
  for (QSpinBox* s : {bgLeft_, bgTop_, bgWidth_, bgHeight_}) s->setEnabled(own && !whole);
}

void TSestDlg::choosePicture() {
  QFileDialog dialog(this, QStringLiteral("Obrázek pozadí"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QStringLiteral("Obrázky (*.bmp *.png *.jpg *.jpeg *.gif);;Všechny soubory (*)"));
  if (runDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  picture_->setText(dialog.selectedFiles().first());
}

// ---- "Oddíly"

QWidget* TSestDlg::buildSectionsTab() {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  auto* sections = new QGroupBox(QStringLiteral("Oddíly:"), page);
  auto* grid = new QGridLayout(sections);
  for (int s = 0; s < kFixedSectionCount; ++s) {
    const auto i = static_cast<std::size_t>(s);
    visible_[i] = Check(sections, SectionName(s), QStringLiteral("visible%1").arg(s));
    height_[i] = Spin(sections, QStringLiteral("height%1").arg(s), 0, kMaxLength);
    grid->addWidget(visible_[i], s, 0);
    grid->addWidget(new QLabel(QStringLiteral("Výška:"), sections), s, 1);
    grid->addWidget(height_[i], s, 2);
  }
  grid->setRowStretch(kFixedSectionCount, 1);
  layout->addWidget(sections);
  auto* paging = new QGroupBox(QStringLiteral("Stránkování:"), page);
  auto* pagingLayout = new QVBoxLayout(paging);
  const QString captions[] = {
      QStringLiteral("Nové tělo na novou stránku"),       QStringLiteral("Odstránkovat po začátku sestavy"),
      QStringLiteral("Odstránkovat před koncem sestavy"), QStringLiteral("Konec sestavy zarovnat k patě"),
      QStringLiteral("Na první stránce netisknout hlavu"), QStringLiteral("Na poslední stránce netisknout patu"),
  };
  for (const QString& c : captions) {
    auto* box = new QCheckBox(c, paging);
    pagination_.append(box);
    pagingLayout->addWidget(box);
  }
  pagingLayout->addStretch(1);
  layout->addWidget(paging);
  return page;
}

// ---- "Skupiny"

QWidget* TSestDlg::buildGroupsTab() {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  groupList_ = new QListWidget(page);
  groupList_->setObjectName(QStringLiteral("groups"));
  left->addWidget(groupList_);
  auto* listButtons = new QHBoxLayout;
  insertGroup_ = new QPushButton(QStringLiteral("Ins"), page);
  deleteGroup_ = new QPushButton(QStringLiteral("Del"), page);
  listButtons->addWidget(insertGroup_);
  listButtons->addWidget(deleteGroup_);
  left->addLayout(listButtons);
  layout->addLayout(left);
  connect(groupList_, &QListWidget::currentRowChanged, this, &TSestDlg::groupChosen);
  connect(insertGroup_, &QPushButton::clicked, this, &TSestDlg::insertGroup);
  connect(deleteGroup_, &QPushButton::clicked, this, &TSestDlg::deleteGroup);

  auto* right = new QVBoxLayout;
  auto* columnRow = new QHBoxLayout;
  auto* labels = new QVBoxLayout;
  labels->addWidget(new QLabel(QStringLiteral("Skupinová"), page));
  labels->addWidget(new QLabel(QStringLiteral("položka:"), page));
  columnRow->addLayout(labels);
  groupColumn_ = new QComboBox(page);
  groupColumn_->setObjectName(QStringLiteral("groupColumn"));
  groupColumn_->addItems(fieldNames_);
  columnRow->addWidget(groupColumn_, 1);
  right->addLayout(columnRow);
  byName_ = Check(page, QStringLiteral("Skupinová položka podle názvu"), QStringLiteral("groupByName"));
  right->addWidget(byName_);
  const auto band = [page](const QString& title, QCheckBox** visible, QSpinBox** height, const QString& name) {
    auto* box = new QGroupBox(page);
    auto* row = new QHBoxLayout(box);
    *visible = Check(box, title, name + QStringLiteral("Visible"));
    *height = Spin(box, name + QStringLiteral("Height"), 0, kMaxLength);
    row->addWidget(*visible);
    row->addWidget(new QLabel(QStringLiteral("Výška oddílu:"), box));
    row->addWidget(*height);
    return box;
  };
  right->addWidget(band(QStringLiteral("Začátek"), &startVisible_, &startHeight_, QStringLiteral("groupStart")));
  right->addWidget(band(QStringLiteral("Konec"), &endVisible_, &endHeight_, QStringLiteral("groupEnd")));
  newPage_ = Check(page, QStringLiteral("Novou skupinu na novou stránku"), QStringLiteral("groupNewPage"));
  right->addWidget(newPage_);
  right->addStretch(1);
  layout->addLayout(right, 1);
  connect(groupColumn_, &QComboBox::currentIndexChanged, this, &TSestDlg::groupEdited);
  for (QCheckBox* c : {byName_, startVisible_, endVisible_, newPage_})
    connect(c, &QCheckBox::toggled, this, &TSestDlg::groupEdited);
  for (QSpinBox* s : {startHeight_, endHeight_}) connect(s, &QSpinBox::valueChanged, this, &TSestDlg::groupEdited);
  return page;
}

void TSestDlg::fillGroupList(int select) {
  {
    const QSignalBlocker block(groupList_);
    groupList_->clear();
    for (int g = 0; g < edit_.groups.size(); ++g) groupList_->addItem(QStringLiteral("Skupina ") + QString::number(g));
  }
  insertGroup_->setEnabled(edit_.groups.size() < kMaxGroups);
  groupList_->setCurrentRow(std::min(select, static_cast<int>(edit_.groups.size()) - 1));
  groupChosen(groupList_->currentRow());
}

void TSestDlg::groupChosen(int row) {
  const bool has = row >= 0 && row < edit_.groups.size();
  for (QWidget* w : std::initializer_list<QWidget*>{groupColumn_, byName_, startVisible_, startHeight_, endVisible_,
                                                    endHeight_, newPage_, deleteGroup_})
    w->setEnabled(has);
  if (!has) return;
  const TPolSkup& g = edit_.groups.at(row);
  loading_ = true;
  int column = g.columnName.isEmpty() ? g.columnIndex : FindColumn(fieldNames_, g.columnName);
  if (!g.columnName.isEmpty() && column < 0) {
    // A column this report's data does not have is kept as it is.
    groupColumn_->addItem(g.columnName);
    column = groupColumn_->count() - 1;
  }
  groupColumn_->setCurrentIndex(column);
  byName_->setChecked(!g.columnName.isEmpty());
  startVisible_->setChecked(g.startBand.visible);
  startHeight_->setValue(g.startBand.height);
  endVisible_->setChecked(g.endBand.visible);
  endHeight_->setValue(g.endBand.height);
  newPage_->setChecked(g.newPage);
  loading_ = false;
}

void TSestDlg::groupEdited() {
  const int row = groupList_->currentRow();
  if (loading_ || row < 0 || row >= edit_.groups.size()) return;
  TPolSkup& g = edit_.groups[row];
  const int column = groupColumn_->currentIndex();
  g.columnIndex = std::max(0, column);
  g.columnName = byName_->isChecked() && column >= 0 ? groupColumn_->currentText() : QString();
  g.startBand.visible = startVisible_->isChecked();
  g.startBand.height = startHeight_->value();
  g.endBand.visible = endVisible_->isChecked();
  g.endBand.height = endHeight_->value();
  g.newPage = newPage_->isChecked();
}

void TSestDlg::insertGroup() {
  if (edit_.groups.size() >= kMaxGroups) return;
  const int row = groupList_->currentRow() < 0 ? static_cast<int>(edit_.groups.size()) : groupList_->currentRow();
  TPolSkup g;
  g.columnName = fieldNames_.value(0);
  g.startBand.height = g.endBand.height = 20;
  edit_.groups.insert(row, g);
  fillGroupList(row);
}

void TSestDlg::deleteGroup() {
  const int row = groupList_->currentRow();
  if (row < 0 || row >= edit_.groups.size()) return;
  edit_.groups.removeAt(row);
  fillGroupList(std::max(0, row - 1));
}

// ---- All tabs.

void TSestDlg::load() {
  loading_ = true;
  const ReportSettings& d = edit_;
  reportName_->setText(d.reportName);
  reportDir_->setText(d.reportDir);
  copies_->setValue(d.printCopies);
  fromPage_->setValue(d.startPage);
  toPage_->setValue(d.endPage);
  maxRecords_->setValue(std::max(0, d.maxRecords));
  popis_->setText(d.popis);
  fillFormats(PaperFormatEditor(formats_, iniPath_).indexFor(d.paper.width, d.paper.height));
  (d.paper.orientation == kLandscape ? landscape_ : portrait_)->setChecked(true);
  marginLeft_->setValue(d.paper.marginLeft);
  marginRight_->setValue(d.paper.marginRight);
  marginTop_->setValue(d.paper.marginTop);
  marginBottom_->setValue(d.paper.marginBottom);
  columns_->setValue(d.paper.columns);
  columnGap_->setValue(d.paper.columnGap);
  defaultBackground_->setChecked(!d.background.own);
  printBackground_->setChecked(d.background.print);
  picture_->setText(d.background.picture);
  bgLeft_->setValue(d.background.left);
  bgTop_->setValue(d.background.top);
  bgWidth_->setValue(d.background.width);
  bgHeight_->setValue(d.background.height);
  wholePaper_->setChecked(d.background.left == 0 && d.background.top == 0 && d.background.width == 0 &&
                          d.background.height == 0);
  (d.raster.type == kRasterCharacter ? character_ : graphic_)->setChecked(true);
  gridX_->setValue(d.raster.gridX);
  gridY_->setValue(d.raster.gridY);
  if (QAbstractButton* b = charPitch_->button(d.raster.charPitch == 1 || d.raster.charPitch == 2 ? d.raster.charPitch : 0))
    b->setChecked(true);
  if (QAbstractButton* b = linePitch_->button(d.raster.linePitch == 1 || d.raster.linePitch == 2 ? d.raster.linePitch : 0))
    b->setChecked(true);
  showRaster_->setChecked(d.raster.designerFlag1 != 0);
  snapRaster_->setChecked(d.raster.designerFlag2 != 0);
  for (int s = 0; s < kFixedSectionCount; ++s) {
    visible_[static_cast<std::size_t>(s)]->setChecked(d.visible[static_cast<std::size_t>(s)]);
    height_[static_cast<std::size_t>(s)]->setValue(d.height[static_cast<std::size_t>(s)]);
  }
  for (int f = 0; f < pagination_.size(); ++f) pagination_[f]->setChecked(d.pagination.*kPaginationFields[f]);
  loading_ = false;
  paperChanged();
  rasterChanged();
  backgroundChanged();
  fillGroupList(0);
}

ReportSettings TSestDlg::current() const {
  ReportSettings d = edit_;
  d.reportName = reportName_->text().trimmed();
  d.reportDir = reportDir_->text().trimmed();
  d.printCopies = copies_->value();
  d.startPage = fromPage_->value();
  d.endPage = toPage_->value();
  d.maxRecords = maxRecords_->value();
  d.popis = popis_->text();
  d.background.own = !defaultBackground_->isChecked();
  d.background.print = printBackground_->isChecked();
  d.background.picture = picture_->text();
  d.background.left = bgLeft_->value();
  d.background.top = bgTop_->value();
  d.background.width = bgWidth_->value();
  d.background.height = bgHeight_->value();
  d.raster.type = character_->isChecked() ? kRasterCharacter : kRasterGraphic;
  d.raster.gridX = gridX_->value();
  d.raster.gridY = gridY_->value();
  d.raster.charPitch = std::max(0, charPitch_->checkedId());
  d.raster.linePitch = std::max(0, linePitch_->checkedId());
  d.raster.designerFlag1 = showRaster_->isChecked() ? 1 : 0;
  d.raster.designerFlag2 = snapRaster_->isChecked() ? 1 : 0;
  for (int s = 0; s < kFixedSectionCount; ++s) {
    d.visible[static_cast<std::size_t>(s)] = visible_[static_cast<std::size_t>(s)]->isChecked();
    d.height[static_cast<std::size_t>(s)] = height_[static_cast<std::size_t>(s)]->value();
  }
  for (int f = 0; f < pagination_.size(); ++f) d.pagination.*kPaginationFields[f] = pagination_[f]->isChecked();
  return d;
}

void TSestDlg::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(result);
    return;
  }
  ReportSettings d = current();
  if (port_ && !port_->printerNames().isEmpty()) {
    if (port_->selectedPrinter() < 0) port_->select(-1);
    port_->setPaperSizeHundredths(QSizeF(d.paper.width, d.paper.height));
    const QMargins minimum = MarginCheck::Minimum(MarginCheck::Measure(*port_, d.paper.orientation));
    if (MarginCheck::Below(d.paper, minimum)) {
      switch (ReportMessages::Ask(this,
                                  QStringLiteral("Nastavené okraje tisku jsou menší, než umožňuje připojená "
                                                 "tiskárna. Upravit velikost okrajů podle možností tiskárny?"),
                                  true)) {
        case Answer::Cancel: return;
        case Answer::Yes: MarginCheck::Raise(d.paper, minimum); break;
        default: break;
      }
    }
  }
  data_ = d;
  QDialog::done(result);
}

}  // namespace report
