#include "report/ui/designer/formseste.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "report/component/sestava.h"
#include "report/io/templatetext.h"
#include "report/layout/reportfonts.h"
#include "report/model/reportlimits.h"
#include "report/ui/designer/designericons.h"
#include "report/ui/designer/designersettings.h"
#include "report/ui/designer/elementdialog.h"
#include "report/ui/designer/environmentdialog.h"
#include "report/ui/designer/functiondialog.h"
#include "report/ui/designer/newtemplatewizard.h"
#include "report/ui/designer/paleta.h"
#include "report/ui/designer/papir.h"
#include "report/ui/designer/propertypanel.h"
#include "report/ui/designer/sestdlg.h"
#include "report/ui/designer/templatelines.h"
#include "report/ui/messages.h"

namespace report {
namespace {

constexpr int kNoIcon = -1;

bool SameFormats(const TListFormatu& a, const TListFormatu& b) { return a.formats() == b.formats(); }

}  // namespace

TFormSestE::TFormSestE(TSestava& sestava, QWidget* parent) : QMainWindow(parent), sestava_(sestava) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  document_.setFieldNames(sestava.FieldNames);
  document_.history().setCapacity(DesignerSettings::Current().undoCapacity);
  document_.open(TemplateLines::Format(sestava.definition()));
  zoomPercent_ = DesignerSettings::Current().zoomPercent;
  buildWindow();
  buildCommands();
  connectPaper();
  refresh();
  fitWindow();
}

TFormSestE::~TFormSestE() = default;

// ---- Building.

void TFormSestE::buildWindow() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  palette_ = new TPaleta(central);
  palette_->setColumns(sestava_.FieldNames, sestava_.FieldLabels);
  palette_->setParameters(sestava_.Parametry);
  layout->addWidget(palette_);
  split_ = new QSplitter(Qt::Horizontal, central);
  QSplitter* split = split_;
  scroll_ = new QScrollArea(split);
  scroll_->setObjectName(QStringLiteral("paperArea"));
  scroll_->setBackgroundRole(QPalette::Dark);
  paper_ = new TPapir;
  paper_->setDocument(&document_);
  ElementLook::Context context;
  context.fieldNames = sestava_.FieldNames;
  context.fieldLabels = sestava_.FieldLabels;
  context.parameters = sestava_.Parametry;
  paper_->setContext(context);
  RenderHooks hooks = sestava_.renderHooks();
  hooks.paintBox = nullptr;
  paper_->setRenderHooks(hooks);
  paper_->setZoom(zoomPercent_ / 100.0);
  scroll_->setWidget(paper_);
  side_ = new QScrollArea(split);
  side_->setObjectName(QStringLiteral("propertyArea"));
  side_->setWidgetResizable(true);
  properties_ = new TPropertyPanel;
  side_->setWidget(properties_);
  side_->setMinimumWidth(260);
  split->addWidget(scroll_);
  split->addWidget(side_);
  split->setStretchFactor(0, 1);
  layout->addWidget(split, 1);
  setCentralWidget(central);
  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);

  connect(properties_, &TPropertyPanel::changeRequested, this,
          [this](int code, const TPropertyPanel::Change& change) { changeSelected(code, change); });
  connect(properties_, &TPropertyPanel::fontRequested, this, &TFormSestE::chooseFont);
  connect(palette_, &TPaleta::choiceChanged, paper_, &TPapir::setPlacing);
  connect(palette_, &TPaleta::addFunctionRequested, this, &TFormSestE::addFunction);
  connect(palette_, &TPaleta::editFunctionRequested, this, &TFormSestE::editFunction);
  connect(palette_, &TPaleta::removeFunctionRequested, this, &TFormSestE::removeFunction);
}

QAction* TFormSestE::addCommand(const QString& text, int icon, const std::function<void()>& run,
                                const QKeySequence& key) {
  auto* a = new QAction(text, this);
  a->setToolTip(text);
  a->setStatusTip(text);
  if (icon != kNoIcon) a->setIcon(DesignerIcons::Of(static_cast<DesignerIcons::Command>(icon)));
  if (!key.isEmpty()) a->setShortcut(key);
  connect(a, &QAction::triggered, this, run);
  commands_.append(a);
  return a;
}

void TFormSestE::buildCommands() {
  using I = DesignerIcons;
  QAction* newT = addCommand(QStringLiteral("Nová předloha"), I::kNew, [this] { newTemplate(); });
  QAction* save = addCommand(QStringLiteral("Uložit předlohu"), I::kSave, [this] { saveTemplate(); },
                             QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAs = addCommand(QStringLiteral("Uložit předlohu jako..."), kNoIcon, [this] { saveTemplateAs(); });
  QAction* del = addCommand(QStringLiteral("Vymazat prvek"), I::kDelete, [this] { deleteSelected(); },
                            QKeySequence(Qt::Key_Delete));
  undo_ = addCommand(QStringLiteral("Zrušit"), I::kUndo, [this] { undo(); }, QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = addCommand(QStringLiteral("Zpět"), I::kRedo, [this] { redo(); }, QKeySequence(Qt::CTRL | Qt::Key_Y));
  QAction* prev = addCommand(QStringLiteral("Ukázka před tiskem"), I::kPreview, [this] { preview(); });
  QAction* prn = addCommand(QStringLiteral("Tisknout sestavu"), I::kPrint, [this] { print(); });
  QAction* cutA = addCommand(QStringLiteral("Vystřihnout"), I::kCut, [this] { cut(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
  QAction* copyA = addCommand(QStringLiteral("Kopírovat"), I::kCopy, [this] { copy(); }, QKeySequence(Qt::CTRL | Qt::Key_C));
  paste_ = addCommand(QStringLiteral("Vložit"), I::kPaste, [this] { paste(); }, QKeySequence(Qt::CTRL | Qt::Key_V));
  QAction* element = addCommand(QStringLiteral("Nastavit prvek"), I::kElementSettings, [this] { configureElement(); });
  QAction* settings = addCommand(QStringLiteral("Nastavit předlohu"), I::kTemplateSettings, [this] { templateSettings(); });
  QAction* env = addCommand(QStringLiteral("Nastavit prostředí"), I::kEnvironment, [this] { environmentSettings(); });
  QAction* close = addCommand(QStringLiteral("Ukončit opravu předlohy"), I::kClose, [this] { QMainWindow::close(); });
  QAction* back = addCommand(QStringLiteral("Přesunout dozadu"), I::kSendBack, [this] { sendToBack(); });
  QAction* front = addCommand(QStringLiteral("Přenést dopředu"), I::kBringFront, [this] { bringToFront(); });
  QAction* alignAllA = addCommand(QStringLiteral("Vyrovnat vše do rastru"), I::kAlignAll, [this] { alignAll(); });
  QAction* alignSel = addCommand(QStringLiteral("Vyrovnat vybrané"), I::kAlignSelected, [this] { alignSelected(); });
  needSelection_ = {del, cutA, copyA, element, back, front, alignSel};

  QToolBar* bar = addToolBar(QStringLiteral("Předloha"));
  bar->setObjectName(QStringLiteral("designerToolbar"));
  bar->setIconSize(QSize(24, 24));
  bar->setMovable(false);
  for (QAction* a : {newT, save}) bar->addAction(a);
  bar->addSeparator();
  for (QAction* a : {del, undo_, redo_}) bar->addAction(a);
  bar->addSeparator();
  for (QAction* a : {prev, prn}) bar->addAction(a);
  bar->addSeparator();
  for (QAction* a : {cutA, copyA, paste_}) bar->addAction(a);
  bar->addSeparator();
  for (QAction* a : {element, settings, env}) bar->addAction(a);
  bar->addSeparator();
  for (QAction* a : {back, front}) bar->addAction(a);
  bar->addSeparator();
  bar->addWidget(new QLabel(QStringLiteral(" Měřítko: "), bar));
  zoom_ = new QComboBox(bar);
  zoom_->setObjectName(QStringLiteral("zoom"));
  for (int z : DesignerSettings::kZoomPercents) zoom_->addItem(QString::number(z) + QStringLiteral(" %"), z);
  zoom_->setCurrentIndex(std::max(0, zoom_->findData(zoomPercent_)));
  connect(zoom_, &QComboBox::currentIndexChanged, this, [this](int i) { setZoomPercent(zoom_->itemData(i).toInt()); });
  bar->addWidget(zoom_);
  bar->addSeparator();
  bar->addAction(close);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Předloha"));
  for (QAction* a : {newT, save, saveAs}) file->addAction(a);
  file->addSeparator();
  for (QAction* a : {prev, prn}) file->addAction(a);
  file->addSeparator();
  file->addAction(close);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Ú&pravy"));
  for (QAction* a : {undo_, redo_}) edit->addAction(a);
  edit->addSeparator();
  for (QAction* a : {cutA, copyA, paste_, del}) edit->addAction(a);
  edit->addSeparator();
  for (QAction* a : {element, back, front}) edit->addAction(a);
  edit->addSeparator();
  for (QAction* a : {alignAllA, alignSel}) edit->addAction(a);
  QMenu* setup = menuBar()->addMenu(QStringLiteral("&Nastavení"));
  for (QAction* a : {settings, env}) setup->addAction(a);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TFormSestE::updateCommands);
}

void TFormSestE::connectPaper() {
  connect(paper_, &TPapir::elementClicked, this, &TFormSestE::elementClicked);
  connect(paper_, &TPapir::elementDoubleClicked, this, [this](ElementRef ref) {
    setSelection({ref});
    configureElement();
  });
  connect(paper_, &TPapir::sectionClicked, this, [this](int section) { currentSection_ = section; });
  connect(paper_, &TPapir::rectsChanged, this, [this](const QList<ElementRef>& refs, const QList<QRect>& rects) {
    document_.setRects(refs, rects);
    refresh();
  });
  connect(paper_, &TPapir::sectionHeightChanged, this, [this](int section, int height) {
    document_.setSectionHeight(section, height);
    refresh();
  });
  connect(paper_, &TPapir::placeRequested, this, &TFormSestE::place);
  connect(paper_, &TPapir::bandSelected, this, &TFormSestE::bandSelected);
  connect(paper_, &TPapir::arrowPressed, this, &TFormSestE::arrowKey);
  connect(paper_, &TPapir::zoomStepRequested, this, [this](int steps) {
    const auto& z = DesignerSettings::kZoomPercents;
    int i = std::max(0, zoom_->findData(zoomPercent_));
    i = std::clamp(i + steps, 0, static_cast<int>(z.size()) - 1);
    setZoomPercent(z[static_cast<std::size_t>(i)]);
  });
}

// ---- State shown.

void TFormSestE::refresh() {
  paper_->rebuild();
  QList<ElementRef> kept;
  for (const ElementRef& ref : selection_)
    if (document_.element(ref)) kept.append(ref);
  selection_ = kept;
  paper_->setSelection(selection_);
  palette_->setFunctions(document_.report().functions);
  palette_->setGroupCount(document_.report().groups.count());
  updateProperties();
  updateCommands();
  updateTitle();
}

void TFormSestE::updateCommands() {
  const UndoHistory& h = document_.history();
  undo_->setEnabled(h.canUndo());
  undo_->setToolTip(h.undoHint());
  undo_->setStatusTip(h.undoHint());
  redo_->setEnabled(h.canRedo());
  redo_->setToolTip(h.redoHint());
  redo_->setStatusTip(h.redoHint());
  for (QAction* a : needSelection_) a->setEnabled(!selection_.isEmpty());
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  paste_->setEnabled(mime && (mime->hasFormat(QString::fromLatin1(kClipboardMime)) ||
                              TemplateDocument::IsElementText(mime->text())));
}

void TFormSestE::updateProperties() {
  const TReportElement* e = selection_.isEmpty() ? nullptr : document_.element(selection_.first());
  const QString description = e ? paper_->describe(*e) : QString();
  properties_->showElement(e, description);
  fitPropertyArea();
  if (!e) {
    status_->setText(QString());
    return;
  }
  QString text = description + QStringLiteral("   L: %1  H: %2  Š: %3  V: %4")
                                   .arg(e->left).arg(e->top).arg(e->width).arg(e->height);
  if (selection_.size() > 1) text += QStringLiteral("   (vybráno prvků: %1)").arg(selection_.size());
  status_->setText(text);
}

void TFormSestE::fitWindow() {
  // The property area as wide as the widest settings of any element, then a
  // window in which the paper at its zoom and that area both fit side by side
  // (never smaller than 1000 x 720, nor wider than the screen when it has room
  // for that).
  for (int kind : {kElementText, kElementLine, kElementPicture, kElementBarcode, kElementPaintBox}) {
    TReportElement sample;
    sample.kind = kind;
    properties_->showElement(&sample, QString());
    fitPropertyArea();
  }
  updateProperties();
  const int paperWidth =
      paper_->width() + 2 * scroll_->frameWidth() + scroll_->verticalScrollBar()->sizeHint().width() + 2;
  int width = std::max(1000, paperWidth + split_->handleWidth() + side_->minimumWidth());
  if (const QScreen* s = screen(); s && s->availableGeometry().width() >= 1000)
    width = std::min(width, s->availableGeometry().width());
  resize(width, 720);
  split_->setSizes({paperWidth, width - paperWidth - split_->handleWidth()});
}

void TFormSestE::fitPropertyArea() {
  // The area grows to the widest settings shown so far, so that none of them is
  // cut at the right edge behind a horizontal scroll bar.
  const int needed = properties_->minimumSizeHint().width() + side_->verticalScrollBar()->sizeHint().width() +
                     2 * side_->frameWidth();
  if (needed > side_->minimumWidth()) side_->setMinimumWidth(needed);
}

void TFormSestE::updateTitle() {
  const QString file = QFileInfo(sestava_.ReportName()).fileName();
  setWindowTitle(QStringLiteral("Oprava předlohy sestavy") + (file.isEmpty() ? QString() : QStringLiteral(" - ") + file) +
                 (document_.changed() ? QStringLiteral(" *") : QString()));
}

void TFormSestE::setSelection(const QList<ElementRef>& selection) {
  selection_.clear();
  for (const ElementRef& ref : selection)
    if (document_.element(ref) && !selection_.contains(ref)) selection_.append(ref);
  paper_->setSelection(selection_);
  updateProperties();
  updateCommands();
}

void TFormSestE::setZoomPercent(int percent) {
  zoomPercent_ = std::clamp(percent, 10, 1000);
  DesignerSettings::Current().zoomPercent = zoomPercent_;
  paper_->setZoom(zoomPercent_ / 100.0);
  paper_->setSelection(selection_);
  const int i = zoom_->findData(zoomPercent_);
  if (i >= 0 && i != zoom_->currentIndex()) {
    const QSignalBlocker block(zoom_);
    zoom_->setCurrentIndex(i);
  }
}

QAction* TFormSestE::command(const QString& text) const {
  for (QAction* a : commands_)
    if (a->text() == text || a->toolTip() == text) return a;
  return nullptr;
}

int TFormSestE::runDialog(QDialog& dialog) { return dialogRunner ? dialogRunner(dialog) : dialog.exec(); }

// ---- The mouse and the keys.

void TFormSestE::elementClicked(ElementRef ref, Qt::KeyboardModifiers modifiers) {
  properties_->commitText();
  QList<ElementRef> s = selection_;
  if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
    if (s.contains(ref)) s.removeOne(ref);
    else s.append(ref);
  } else if (!s.contains(ref)) {
    s = {ref};
  }
  setSelection(s);
}

void TFormSestE::bandSelected(const QList<ElementRef>& caught, Qt::KeyboardModifiers modifiers) {
  properties_->commitText();
  QList<ElementRef> s = (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) ? selection_ : QList<ElementRef>{};
  for (const ElementRef& ref : caught)
    if (!s.contains(ref)) s.append(ref);
  setSelection(s);
}

void TFormSestE::place(int section, QPoint at) {
  std::optional<TReportElement> chosen = palette_->chosen();
  if (!chosen) return;
  TReportElement e = *chosen;
  const DesignRaster raster = paper_->raster();
  e.left = std::max(0, raster.snaps() ? DesignRaster::SnapValue(at.x(), raster.gridX()) : at.x());
  e.top = std::max(0, raster.snaps() ? DesignRaster::SnapValue(at.y(), raster.gridY()) : at.y());
  // A click near the band's lower or right edge places the element inside the
  // band where it fits (on the raster with snapping), not sticking out of it.
  const auto inside = [&raster](int v, int size, int room, int grid) {
    int limit = room - size;
    if (limit < 0) return 0;
    if (raster.snaps() && grid > 0) limit = limit / grid * grid;
    return std::min(v, limit);
  };
  if (const TOddilSestavy* band = document_.section(section))
    e.top = inside(e.top, e.height, band->height, raster.gridY());
  e.left = inside(e.left, e.width, document_.report().paper.columnWidth(), raster.gridX());
  if (e.kind == kElementDetail) {
    if (section != kSectionBody) {
      ReportMessages::Inform(this, QStringLiteral("Detail lze umístit jen do těla sestavy."));
      return;
    }
    // A new detail report gets the first number no placement uses yet.
    int n = 0;
    for (const ElementRef& ref : document_.allElements())
      if (document_.element(ref)->kind == kElementDetail) n = std::max(n, document_.element(ref)->index + 1);
    if (n >= kMaxDetails) return;
    e.index = n;
    e.left = 0;
    e.width = document_.report().paper.columnWidth();
  }
  palette_->clearChoice();
  const ElementRef ref = document_.insertElement(section, e);
  currentSection_ = section;
  refresh();
  setSelection({ref});
}

void TFormSestE::arrowKey(int dx, int dy, bool resize) {
  if (selection_.isEmpty()) return;
  const DesignRaster raster = paper_->raster();
  QList<QRect> rects;
  for (const ElementRef& ref : selection_) {
    const TReportElement* e = document_.element(ref);
    const int min = e->kind == kElementLine ? 0 : 1;
    rects.append(raster.keyStep(QRect(e->left, e->top, e->width, e->height), dx, dy, resize, min, min));
  }
  if (document_.setRects(selection_, rects)) refresh();
}

void TFormSestE::changeSelected(int code, const std::function<void(TReportElement&)>& change) {
  if (selection_.isEmpty()) return;
  if (document_.modifyElements(selection_, code, change)) refresh();
}

// ---- Commands.

void TFormSestE::newTemplate() {
  properties_->commitText();
  if (document_.hasElements() &&
      ReportMessages::Ask(this, QStringLiteral("Zrušit všechny prvky a začít s návrhem nové předlohy?")) != Answer::Yes)
    return;
  // The old template and its history stay until the wizard has built the new one.
  TNewTemplateWizard wizard(sestava_.FieldNames, static_cast<int>(sestava_.Parametry.size()), this);
  if (runDialog(wizard) != QDialog::Accepted) return;
  const QStringList columns = wizard.chosenColumns();
  if (columns.isEmpty()) {
    ReportMessages::Error(this, QStringLiteral("Nebyly vybrány žádné položky. Návrh nemůže být proveden!"));
    return;
  }
  document_.buildNewTemplate(columns, wizard.withParameters() ? static_cast<int>(sestava_.Parametry.size()) : 0);
  selection_.clear();
  refresh();
}

void TFormSestE::pushToComponent() {
  TemplateLines::Parse(sestava_.definition(), document_.lines(), sestava_.FieldNames);
}

bool TFormSestE::saveTemplate() {
  properties_->commitText();
  pushToComponent();
  const QString userCopy = userCopyPath();
  if (sestava_.IsStored && !sestava_.OnUlozPredlohu) {
    sestava_.Predloha = FormatTemplate(sestava_.definition());
  } else if (!userCopy.isEmpty()) {
    // The template's folder cannot be written (an installed copy's data folder):
    // the save makes the user's own copy, which the next printout reads. The
    // component tells the user when that fails too.
    if (!sestava_.SaveTemplateAs(userCopy)) return false;
    adoptTemplateFile(userCopy);
  } else if (!sestava_.SaveTemplate()) {
    // The component has told the user when its own file could not be written;
    // a host's OnUlozPredlohu tells nothing. One box either way.
    if (sestava_.OnUlozPredlohu) ReportMessages::Error(this, QStringLiteral("Předlohou se nepodařilo uložit."));
    return false;
  }
  document_.setChanged(false);
  updateTitle();
  return true;
}

QString TFormSestE::SaveAsStartPath(const QString& templateFile, bool folderWritable, const QString& userFolder) {
  const QFileInfo current(templateFile);
  // A template kept where the user cannot write (an installed copy's data
  // folder) becomes the user's own copy in the program's configuration folder.
  if (folderWritable || userFolder.isEmpty()) return current.absoluteFilePath();
  const QString name = current.fileName().isEmpty() ? QStringLiteral("zostava.pts") : current.fileName();
  return QDir(userFolder).filePath(name);
}

bool TFormSestE::templateFolderWritable() const {
  const QString folder = QFileInfo(sestava_.GetTemplateFileName()).absolutePath();
  if (folderWritable) return folderWritable(folder);
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable();
}

QString TFormSestE::saveAsStartPath() const {
  const QString file = sestava_.GetTemplateFileName();
  const bool writable = templateFolderWritable();
  QString own;
  if (!writable) {
    own = userFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : userFolder;
    if (!own.isEmpty() && !QDir().mkpath(own)) own.clear();
  }
  return SaveAsStartPath(file, writable, own);
}

void TFormSestE::saveTemplateAs() {
  properties_->commitText();
  QFileDialog dialog(this, QStringLiteral("Uložit předlohu jako"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("Předlohy tiskových sestav (*.pts *.PTS)"));
  dialog.setDefaultSuffix(QStringLiteral("pts"));
  const QFileInfo start(saveAsStartPath());
  dialog.setDirectory(start.absolutePath());
  dialog.selectFile(start.fileName());
  if (runDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().first();
  pushToComponent();
  if (!sestava_.SaveTemplateAs(file)) {
    // As with saving: the component has reported a failure of its own.
    if (sestava_.OnUlozPredlohuJako) ReportMessages::Error(this, QStringLiteral("Předlohou se nepodařilo uložit."));
    return;
  }
  // A stored template stays in the component, and a host that saves under new
  // names itself keeps its files; otherwise a template file (*.pts) is where the
  // template now lives: saving goes there, and the next run reads it.
  if (sestava_.IsStored || sestava_.OnUlozPredlohuJako || QFileInfo(file).suffix() != QStringLiteral("pts")) return;
  adoptTemplateFile(file);
}

QString TFormSestE::userCopyPath() const {
  if (sestava_.IsStored || sestava_.OnUlozPredlohu || sestava_.OnUlozPredlohuJako) return {};
  // A folder that is not there is a fault to report, not a reason to move.
  if (!QFileInfo(QFileInfo(sestava_.GetTemplateFileName()).absolutePath()).isDir() || templateFolderWritable()) return {};
  const QString own = saveAsStartPath();
  const QString current = QFileInfo(sestava_.GetTemplateFileName()).absoluteFilePath();
  return own == current ? QString() : own;
}

void TFormSestE::adoptTemplateFile(const QString& file) {
  const QFileInfo saved(file);
  const QString dir = saved.absolutePath();
  const QString currentDir = QFileInfo(sestava_.GetTemplateFileName()).absolutePath();
  sestava_.setReportName(saved.fileName());
  if (QFileInfo(dir).canonicalFilePath() != QFileInfo(currentDir).canonicalFilePath()) {
    sestava_.ReportDirIgnore = false;
    sestava_.setReportDir(dir);
  }
  document_.setChanged(false);
  updateTitle();
}

void TFormSestE::deleteSelected() {
  if (selection_.isEmpty()) return;
  const QString question = selection_.size() == 1 ? QStringLiteral("Smazat vybraný prvek?")
                                                  : QStringLiteral("Smazat všechny vybrané prvky?");
  if (ReportMessages::Ask(this, question) != Answer::Yes) return;
  document_.removeElements(selection_);
  selection_.clear();
  refresh();
}

void TFormSestE::undo() {
  properties_->commitText();
  if (!document_.undo()) return;
  selection_.clear();
  refresh();
}

void TFormSestE::redo() {
  properties_->commitText();
  if (!document_.redo()) return;
  selection_.clear();
  refresh();
}

void TFormSestE::runWithDesignedTemplate(const std::function<void()>& run) {
  // The component runs the template as designed, given to it as a stored
  // template for this one run; its own settings come back afterwards.
  pushToComponent();
  const bool stored = sestava_.IsStored, allowEdit = sestava_.AllowTemplateEdit,
             fromDesigner = sestava_.PreviewFromDesigner;
  const TPredloha predloha = sestava_.Predloha;
  const auto loader = sestava_.OnNactiPredlohu;
  sestava_.IsStored = true;
  sestava_.Predloha = FormatTemplate(sestava_.definition());
  sestava_.OnNactiPredlohu = nullptr;
  // Its preview offers "Oprava předlohy...", and Esc there comes back here too.
  sestava_.AllowTemplateEdit = true;
  sestava_.PreviewFromDesigner = true;
  run();
  sestava_.IsStored = stored;
  sestava_.Predloha = predloha;
  sestava_.OnNactiPredlohu = loader;
  sestava_.AllowTemplateEdit = allowEdit;
  sestava_.PreviewFromDesigner = fromDesigner;
}

void TFormSestE::preview() {
  properties_->commitText();
  if (previewHook) {
    previewHook();
    return;
  }
  runWithDesignedTemplate([this] { sestava_.PreviewAt(QRect(), QPoint(), 100, 2); });
}

void TFormSestE::print() {
  properties_->commitText();
  if (printHook) {
    printHook();
    return;
  }
  runWithDesignedTemplate([this] { sestava_.Print(); });
}

void TFormSestE::copy() {
  if (selection_.isEmpty()) return;
  const QString text = document_.copyText(selection_);
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(kClipboardMime), text.toUtf8());
  mime->setText(text);
  QApplication::clipboard()->setMimeData(mime);
}

void TFormSestE::cut() {
  if (selection_.isEmpty()) return;
  copy();
  document_.removeElements(selection_, kUndoCut);
  selection_.clear();
  refresh();
}

void TFormSestE::paste() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return;
  const QString mimeType = QString::fromLatin1(kClipboardMime);
  const QString text = mime->hasFormat(mimeType) ? QString::fromUtf8(mime->data(mimeType)) : mime->text();
  const QList<ElementRef> pasted = document_.paste(text, currentSection_);
  if (pasted.isEmpty()) return;
  refresh();
  setSelection(pasted);
}

void TFormSestE::configureElement() {
  if (selection_.isEmpty()) return;
  properties_->commitText();
  const ElementRef ref = selection_.first();
  TElementDlg::Choices choices;
  choices.fieldNames = sestava_.FieldNames;
  choices.parameterCount = static_cast<int>(sestava_.Parametry.size());
  choices.groupCount = document_.report().groups.count();
  choices.functions = document_.report().functions;
  TElementDlg dialog(*document_.element(ref), choices, this);
  dialog.dialogRunner = dialogRunner;
  if (runDialog(dialog) != QDialog::Accepted) return;
  const TReportElement edited = dialog.element();
  // A detail report's placement is the detail's own step.
  const int code = edited.kind == kElementDetail ? kUndoDetail : kUndoElementSettings;
  if (document_.modifyElements({ref}, code, [&edited](TReportElement& e) { e = edited; })) refresh();
}

QString TFormSestE::iniPath() const {
  const QString name = sestava_.IniFileName;
  return QFileInfo(name).isAbsolute() ? name : sestava_.programDirectory() + name;
}

void TFormSestE::templateSettings() {
  properties_->commitText();
  ReportSettings data = ReportSettings::FromReport(document_.report());
  data.reportName = sestava_.ReportName();
  data.reportDir = sestava_.ReportDir();
  data.printCopies = sestava_.PrintCopies;
  data.startPage = sestava_.StartPage;
  data.endPage = sestava_.EndPage;
  data.maxRecords = sestava_.MaxRecords;
  TListFormatu formats = sestava_.paperFormats();
  TSestDlg dialog(data, sestava_.FieldNames, formats, iniPath(), &sestava_.printerPort(), this);
  dialog.dialogRunner = dialogRunner;
  const int result = runDialog(dialog);
  // Formats added or removed are in the ini file already.
  if (!SameFormats(formats, sestava_.paperFormats())) (void)sestava_.readPaperFormats();
  if (result != QDialog::Accepted) return;
  if (data.reportName != sestava_.ReportName() && !data.reportName.isEmpty()) sestava_.setReportName(data.reportName);
  if (data.reportDir != sestava_.ReportDir()) sestava_.setReportDir(data.reportDir);
  sestava_.PrintCopies = static_cast<quint16>(std::clamp(data.printCopies, 1, 65535));
  sestava_.StartPage = static_cast<quint16>(std::clamp(data.startPage, 1, 65535));
  sestava_.EndPage = static_cast<quint16>(std::clamp(data.endPage, 1, 65535));
  sestava_.MaxRecords = data.maxRecords;
  if (!data.popis.isEmpty()) sestava_.Popis = data.popis;
  data.applyTo(document_.report());
  document_.record(kUndoSections);
  refresh();
}

void TFormSestE::environmentSettings() {
  TemplateRaster& raster = document_.report().raster;
  TEnvironmentDlg dialog(DesignerSettings::Current(), raster.designerFlag1 != 0, raster.designerFlag2 != 0, this);
  if (runDialog(dialog) != QDialog::Accepted) return;
  const DesignerSettings s = dialog.settings();
  DesignerSettings::Current() = s;
  document_.history().setCapacity(s.undoCapacity);
  const int show = dialog.showRaster() ? 1 : 0, snap = dialog.snapToRaster() ? 1 : 0;
  if (raster.designerFlag1 != show || raster.designerFlag2 != snap) {
    raster.designerFlag1 = show;
    raster.designerFlag2 = snap;
    document_.record(kUndoSections);
  }
  setZoomPercent(s.zoomPercent);
  refresh();
}

void TFormSestE::sendToBack() {
  if (selection_.isEmpty()) return;
  selection_ = document_.reorder(selection_, false);
  refresh();
}

void TFormSestE::bringToFront() {
  if (selection_.isEmpty()) return;
  selection_ = document_.reorder(selection_, true);
  refresh();
}

void TFormSestE::alignAll() {
  if (document_.alignToRaster(document_.allElements())) refresh();
}

void TFormSestE::alignSelected() {
  if (document_.alignToRaster(selection_)) refresh();
}

void TFormSestE::addFunction() {
  QStringList names;
  for (const TRadekFunkce& f : document_.report().functions) names.append(f.name);
  TFunctionDlg dialog(TRadekFunkce{}, names, document_.report().groups.count(), this);
  dialog.setExpressionSources(sestava_.FieldNames, sestava_.Parametry, names);
  dialog.dialogRunner = dialogRunner;
  if (runDialog(dialog) != QDialog::Accepted) return;
  if (document_.addFunction(dialog.function())) refresh();
}

void TFormSestE::editFunction(int index) {
  TListFunkci& functions = document_.report().functions;
  if (index < 0 || index >= functions.count()) return;
  QStringList others;
  for (int i = 0; i < functions.count(); ++i)
    if (i != index) others.append(functions[i].name);
  TFunctionDlg dialog(functions[index], others, document_.report().groups.count(), this);
  QStringList all;
  for (const TRadekFunkce& f : functions) all.append(f.name);
  dialog.setExpressionSources(sestava_.FieldNames, sestava_.Parametry, all);
  dialog.dialogRunner = dialogRunner;
  if (runDialog(dialog) != QDialog::Accepted) return;
  if (document_.editFunction(index, dialog.function())) refresh();
}

void TFormSestE::removeFunction(int index) {
  if (index < 0 || index >= document_.report().functions.count()) return;
  if (ReportMessages::Ask(this, QStringLiteral("Smazat vybranou funkci?")) != Answer::Yes) return;
  if (document_.removeFunction(index)) refresh();
}

void TFormSestE::chooseFont() {
  if (selection_.isEmpty()) return;
  const TReportElement* first = document_.element(selection_.first());
  QFontDialog dialog(ReportQFont(first->font), this);
  dialog.setWindowTitle(QStringLiteral("Písmo"));
  if (runDialog(dialog) != QDialog::Accepted) return;
  const QFont f = dialog.selectedFont();
  const QString name = f.family();
  const int size = std::clamp(f.pointSize() > 0 ? f.pointSize() : kDefaultFontSize, 1, kMaxFontSize);
  const int style = (f.bold() ? kFontBold : 0) | (f.italic() ? kFontItalic : 0) |
                    (f.underline() ? kFontUnderline : 0) | (f.strikeOut() ? kFontStrikeOut : 0);
  changeSelected(kUndoFont, [&](TReportElement& e) {
    if (!IsTextKind(e.kind)) return;
    e.font.name = name;
    e.font.size = size;
    e.font.style = style;
  });
}

// ---- Opening and closing.

void TFormSestE::runModal() {
  QEventLoop loop;
  connect(this, &TFormSestE::closed, &loop, &QEventLoop::quit);
  setWindowModality(Qt::ApplicationModal);
  show();
  loop.exec();
}

void TFormSestE::closeEvent(QCloseEvent* event) {
  properties_->commitText();
  if (document_.changed()) {
    switch (ReportMessages::Ask(this, QStringLiteral("V předloze sestavy byly provedeny změny. Uložit?"), true)) {
      case Answer::Cancel:
        event->ignore();
        return;
      case Answer::Yes:
        // A save that fails keeps the designer open with the template unsaved.
        if (!saveTemplate()) {
          event->ignore();
          return;
        }
        break;
      default: break;
    }
  }
  event->accept();
  emit closed();
}

}  // namespace report
