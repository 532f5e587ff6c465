#include "report/ui/previewwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "fileio/qtfile.h"
#include "report/print/reportprinter.h"
#include "report/render/metafileexport.h"
#include "report/render/pdfexport.h"
#include "report/render/textgrid.h"
#include "report/ui/messages.h"
#include "report/ui/pagepanel.h"
#include "report/ui/pageselectpanel.h"
#include "report/ui/printdialog.h"
#include "report/ui/progresswindow.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

// Grey around the paper, in logical pixels.
constexpr int kSheetMargin = 16;
// The angle of one notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

QString PdfFilter() { return u"Dokument PDF (*.pdf)"_s; }
QString MetafileFilter() { return u"Rozšířený metasoubor (*.emf);;Metasoubor Windows (*.wmf)"_s; }

// ".wmf" chooses the Windows metafile with its placeable header, any other name
// the enhanced metafile.
MetafileDevice::Format FormatOf(const QString& path) {
  return QFileInfo(path).suffix().compare(u"wmf"_s, Qt::CaseInsensitive) == 0 ? MetafileDevice::Format::Placeable
                                                                              : MetafileDevice::Format::Enhanced;
}

// The save-file dialog. A name typed without an extension gets the one of the
// chosen filter.
QString AskForFile(QWidget* parent, const QString& caption, const QString& filter) {
  QString selected;
  QString path = QFileDialog::getSaveFileName(parent, caption, QString(), filter, &selected);
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
    const QRegularExpressionMatch m = QRegularExpression(u"\\*(\\.[A-Za-z0-9]+)"_s).match(selected);
    if (m.hasMatch()) path += m.captured(1);
  }
  return path;
}

}  // namespace

TFormSestP::TFormSestP(const TSestVystup& doc, PrinterPort& port, const RenderHooks& hooks, bool allowEdit,
                       const QString& title, int zoomPercent, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      port_(port),
      hooks_(hooks),
      allowEdit_(allowEdit),
      title_(title),
      printDialog_(&TSestPrintDlg::Execute),
      fileChooser_(&AskForFile) {
  setWindowTitle(u"Prohlížení sestavy před tiskem"_s);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  setSizeGripEnabled(true);

  panel_ = new TPagePanel(doc_, hooks_);
  panel_->setObjectName(u"pagePanel"_s);
  auto* sheet = new QWidget;
  auto* sheetLayout = new QGridLayout(sheet);
  sheetLayout->setContentsMargins(kSheetMargin, kSheetMargin, kSheetMargin, kSheetMargin);
  sheetLayout->addWidget(panel_, 0, 0, Qt::AlignCenter);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(u"pageScroll"_s);
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setWidget(sheet);
  scroll_->setWidgetResizable(true);
  scroll_->setFocusPolicy(Qt::StrongFocus);
  scroll_->viewport()->installEventFilter(this);
  panel_->installEventFilter(this);

  buildCommands();
  setZoomPercent(zoomPercent);
  updatePageState();
  setFocusProxy(scroll_);

  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  resize(std::min(available.width() * 9 / 10, std::max(760, panel_->width() + 2 * kSheetMargin + 40)),
         available.height() * 9 / 10);
}

TFormSestP::~TFormSestP() = default;

QAction* TFormSestP::command(const QString& text, void (TFormSestP::*slot)(), QList<QKeySequence> keys) {
  auto* action = new QAction(text, this);
  action->setIconText(text);  // the toolbar would drop the trailing "..."
  action->setShortcuts(keys);
  if (slot) connect(action, &QAction::triggered, this, slot);
  addAction(action);  // its keys work wherever the focus is in the window
  return action;
}

void TFormSestP::buildCommands() {
  QStyle* s = style();
  QAction* print = command(u"Tisk náhledu..."_s, &TFormSestP::printPages,
                           {QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::CTRL | Qt::Key_T)});
  QAction* text = command(u"Textový soubor..."_s, &TFormSestP::saveText);
  QAction* emfPage = command(u"Aktuální stránku jako EMF/WMF..."_s, &TFormSestP::saveCurrentMetafile);
  QAction* emfAll = command(u"Všechny stránky jako EMF/WMF..."_s, &TFormSestP::saveAllMetafiles);
  QAction* pdf = command(u"Dokument PDF..."_s, &TFormSestP::savePdf);
  emfPage->setEnabled(pageCount() > 0);
  emfAll->setEnabled(pageCount() > 0);
  edit_ = command(u"Oprava předlohy..."_s, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_E)});
  connect(edit_, &QAction::triggered, this, [this] { done(kEditTemplate); });
  edit_->setEnabled(allowEdit_);
  QAction* close = command(u"Zavřít náhled"_s, nullptr);
  connect(close, &QAction::triggered, this, [this] { done(kClosed); });

  first_ = command(u"První stránka"_s, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
  previous_ = command(u"Předchozí stránka"_s, nullptr, {QKeySequence(Qt::Key_PageUp)});
  next_ = command(u"Další stránka"_s, nullptr, {QKeySequence(Qt::Key_PageDown)});
  last_ = command(u"Poslední stránka"_s, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
  first_->setIcon(s->standardIcon(QStyle::SP_MediaSkipBackward));
  previous_->setIcon(s->standardIcon(QStyle::SP_MediaSeekBackward));
  next_->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));
  last_->setIcon(s->standardIcon(QStyle::SP_MediaSkipForward));
  connect(first_, &QAction::triggered, this, [this] { showPage(1); });
  connect(previous_, &QAction::triggered, this, [this] { showPage(currentPage() - 1); });
  connect(next_, &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
  connect(last_, &QAction::triggered, this, [this] { showPage(pageCount()); });
  QAction* goTo = command(u"Zobrazit stránku ..."_s, &TFormSestP::openPageSelect);

  zoomGroup_ = new QActionGroup(this);
  zoomGroup_->setExclusive(true);
  for (std::size_t i = 0; i < kZoomPercents.size(); ++i) {
    QAction* zoom = command(QString::number(kZoomPercents[i]), nullptr);
    zoom->setCheckable(true);
    zoom->setToolTip(u"Měřítko %1 %"_s.arg(kZoomPercents[i]));
    zoomGroup_->addAction(zoom);
    zoomActions_.append(zoom);
    connect(zoom, &QAction::triggered, this, [this, i] { setZoomPercent(kZoomPercents[i]); });
  }

  // The arrows scroll the page whatever has the focus.
  const struct {
    Qt::Key key;
    Qt::Orientation orientation;
    int direction;
  } arrows[] = {{Qt::Key_Up, Qt::Vertical, -1},
                {Qt::Key_Down, Qt::Vertical, 1},
                {Qt::Key_Left, Qt::Horizontal, -1},
                {Qt::Key_Right, Qt::Horizontal, 1}};
  for (const auto& a : arrows) {
    QAction* scroll = command(QString(), nullptr, {QKeySequence(a.key)});
    connect(scroll, &QAction::triggered, this, [this, a] { scrollStep(a.orientation, a.direction); });
  }

  // The menu.
  auto* bar = new QMenuBar(this);
  QMenu* reportMenu = bar->addMenu(u"&Sestava"_s);
  reportMenu->addAction(print);
  saveMenu_ = reportMenu->addMenu(u"Uložit do souboru"_s);
  saveMenu_->addActions({text, emfPage, emfAll, pdf});
  reportMenu->addSeparator();
  reportMenu->addAction(edit_);
  reportMenu->addSeparator();
  reportMenu->addAction(close);
  QMenu* pageMenu = bar->addMenu(u"S&tránka"_s);
  pageMenu->addActions({first_, previous_, next_, last_});
  pageMenu->addSeparator();
  pageMenu->addAction(goTo);
  QMenu* zoomMenu = bar->addMenu(u"&Měřítko"_s);
  zoomMenu->addActions(zoomActions_);

  // The toolbars: the commands, then the pages and the zoom factors.
  auto* commands = new QToolBar(this);
  commands->setObjectName(u"commandBar"_s);
  commands->addAction(print);
  commands->addAction(saveMenu_->menuAction());
  if (auto* button = qobject_cast<QToolButton*>(commands->widgetForAction(saveMenu_->menuAction())))
    button->setPopupMode(QToolButton::InstantPopup);
  commands->addSeparator();
  commands->addAction(goTo);
  commands->addSeparator();
  commands->addAction(edit_);
  commands->addAction(close);
  auto* pages = new QToolBar(this);
  pages->setObjectName(u"pageBar"_s);
  pages->addActions({first_, previous_});
  pageLabel_ = new QLabel(pages);
  pageLabel_->setObjectName(u"pageLabel"_s);
  pageLabel_->setAlignment(Qt::AlignCenter);
  pageLabel_->setMinimumWidth(pageLabel_->fontMetrics().horizontalAdvance(u"Strana 0000 z 0000"_s) + 8);
  pages->addWidget(pageLabel_);
  pages->addActions({next_, last_});
  pages->addSeparator();
  pages->addActions(zoomActions_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(bar);
  layout->addWidget(commands);
  layout->addWidget(pages);
  layout->addWidget(scroll_, 1);
}

int TFormSestP::Show(QWidget* parent, const TSestVystup& doc, PrinterPort& port, const RenderHooks& hooks,
                     bool allowEdit, const QString& title, int zoomPercent, QRect bounds, bool maximised,
                     bool fromDesigner) {
  TFormSestP preview(doc, port, hooks, allowEdit, title, zoomPercent, parent);
  preview.setOpenedFromDesigner(fromDesigner);
  // Bounds remembered on a screen that is no longer there are not used.
  if (bounds.isValid() && QGuiApplication::screenAt(bounds.center())) preview.setGeometry(bounds);
  if (maximised) preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
  return preview.exec();
}

int TFormSestP::currentPage() const { return pageCount() > 0 ? panel_->page() + 1 : 0; }

int TFormSestP::pageCount() const { return doc_.pageCount(); }

double TFormSestP::zoom() const { return kZoomPercents[static_cast<std::size_t>(zoomIndex_)] / 100.0; }

void TFormSestP::showPage(int page) {
  if (pageCount() == 0) return;
  page = std::clamp(page, 1, pageCount());
  if (page != currentPage()) {
    panel_->setPage(page - 1);
    scroll_->verticalScrollBar()->setValue(0);  // a new page is read from its top
  }
  updatePageState();
}

void TFormSestP::updatePageState() {
  const int page = currentPage();
  pageLabel_->setText(u"Strana %1 z %2"_s.arg(page).arg(pageCount()));
  first_->setEnabled(page > 1);
  previous_->setEnabled(page > 1);
  next_->setEnabled(page < pageCount());
  last_->setEnabled(page < pageCount());
}

void TFormSestP::setZoomPercent(int percent) {
  const auto nearest = std::min_element(kZoomPercents.begin(), kZoomPercents.end(),
                                        [percent](int a, int b) { return std::abs(a - percent) < std::abs(b - percent); });
  zoomIndex_ = static_cast<int>(nearest - kZoomPercents.begin());
  panel_->setZoom(zoom());
  zoomActions_[zoomIndex_]->setChecked(true);
}

void TFormSestP::zoomStep(int steps) {
  const int index = std::clamp(zoomIndex_ + steps, 0, static_cast<int>(kZoomPercents.size()) - 1);
  setZoomPercent(kZoomPercents[static_cast<std::size_t>(index)]);
}

void TFormSestP::scrollStep(Qt::Orientation orientation, int direction) {
  QScrollBar* bar = orientation == Qt::Vertical ? scroll_->verticalScrollBar() : scroll_->horizontalScrollBar();
  bar->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
}

bool TFormSestP::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && (watched == panel_ || watched == scroll_->viewport())) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      // One zoom step per notch of a wheel (120); the small steps of a touchpad
      // add up to one. Turning back starts counting afresh.
      const int delta = wheel->angleDelta().y();
      if ((delta > 0) != (wheelTurn_ > 0)) wheelTurn_ = 0;
      wheelTurn_ += delta;
      while (std::abs(wheelTurn_) >= kWheelNotch) {
        zoomStep(wheelTurn_ > 0 ? 1 : -1);
        wheelTurn_ -= wheelTurn_ > 0 ? kWheelNotch : -kWheelNotch;
      }
      wheel->accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormSestP::openPageSelect() {
  if (!pageSelect_) {
    pageSelect_ = new TPageSelectPanel(this);
    connect(pageSelect_, &TPageSelectPanel::pageChosen, this, &TFormSestP::showPage);
    pageSelect_->move(mapToGlobal(scroll_->geometry().topLeft() + QPoint(24, 24)));
  }
  pageSelect_->setPage(currentPage());
  pageSelect_->show();
  pageSelect_->raise();
  pageSelect_->activateWindow();
}

// Only the designer's preview goes back to editing on Esc or its close button;
// closing the host's preview must not open the designer.
void TFormSestP::reject() { done(allowEdit_ && fromDesigner_ ? kEditTemplate : kClosed); }

void TFormSestP::done(int result) {
  if (pageSelect_) pageSelect_->hide();
  QDialog::done(result);
}

QString TFormSestP::chooseFile(const QString& caption, const QString& filter, const QString& defaultSuffix) {
  QString path = fileChooser_ ? fileChooser_(this, caption, filter) : QString();
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += defaultSuffix;
  return path;
}

void TFormSestP::reportFailure(const QString& reason) { ReportMessages::Error(this, reason); }

void TFormSestP::printPages() {
  TPrintDialogTyp data;
  data.printerIndex = port_.defaultPrinter();
  const int count = std::max(1, pageCount());
  data.firstPage = std::clamp(doc_.StartPage, 1, count);
  data.lastPage = std::clamp(doc_.EndPage, data.firstPage, count);
  data.copies = std::max(1, doc_.PrintCopies);
  data.printBackground = doc_.background.print;
  // The pages are made: no template to choose and no record to pick here.
  data.showTemplate = false;
  data.showOneRecord = false;
  if (!printDialog_ || printDialog_(this, port_, data) != TSestPrintDlg::kPrint) return;
  if (!data.toFile && port_.printerNames().isEmpty()) {
    ReportMessages::Error(this, NoPrinterMessage());
    return;
  }
  PrintJob job;
  job.printer = data.printerIndex;
  job.title = u"Tisková sestava"_s;
  if (data.toFile) {
    job.port = PrinterPort::kFilePort.toString();
    job.outputFile = chooseFile(u"Tisk do souboru"_s, PdfFilter(), u".pdf"_s);
    if (job.outputFile.isEmpty()) return;
  }
  job.from = data.currentPageOnly ? currentPage() : data.firstPage;
  job.to = data.currentPageOnly ? currentPage() : data.lastPage;
  job.copies = data.copies;
  job.printBackground = data.printBackground;
  TFormProgress progress(this);
  QString error;
  if (PrintDocument(doc_, port_, job, &progress, hooks_, &error) == kPrintFailed) reportFailure(error);
}

void TFormSestP::saveText() {
  const QString path = chooseFile(u"Uložit sestavu jako textový soubor"_s,
                                  u"Textový soubor (*.txt);;Všechny soubory (*)"_s, u".txt"_s);
  if (path.isEmpty()) return;
  const int language = doc_.ExportLanguage;
  const TSestLanguage codePage =
      language >= slUndefined && language <= slCP1250 ? static_cast<TSestLanguage>(language) : slUndefined;
  const QByteArray bytes = TextOutput(doc_, 1, pageCount(), 1, codePage);
  QString error;
  if (!fileio::SaveFile(path, bytes, {}, &error)) reportFailure(error);
}

void TFormSestP::saveCurrentMetafile() {
  if (pageCount() == 0) return;
  const QString path = chooseFile(u"Uložit stránku jako EMF/WMF"_s, MetafileFilter(), u".emf"_s);
  if (path.isEmpty()) return;
  const QByteArray bytes = PageMetafile(doc_, currentPage() - 1, FormatOf(path), hooks_);
  QString error;
  if (!fileio::SaveFile(path, bytes, {}, &error)) reportFailure(error);
}

void TFormSestP::saveAllMetafiles() {
  if (pageCount() == 0) return;
  const QString path = chooseFile(u"Uložit všechny stránky jako EMF/WMF"_s, MetafileFilter(), u".emf"_s);
  if (path.isEmpty()) return;
  QString error;
  if (!ExportMetafiles(doc_, path, FormatOf(path), &error, hooks_)) reportFailure(error);
}

void TFormSestP::savePdf() {
  const QString path = chooseFile(u"Uložit sestavu jako PDF"_s, PdfFilter(), u".pdf"_s);
  if (path.isEmpty()) return;
  QString error;
  const QString title = title_.isEmpty() ? u"Tisková sestava"_s : title_;
  if (!ExportPdf(doc_, path, title, &error, hooks_)) reportFailure(error);
}

}  // namespace report
