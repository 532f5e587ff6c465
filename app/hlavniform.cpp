#include "app/hlavniform.h"

#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStackedWidget>

#include "app/calculatorpage.h"
#include "app/charthost.h"
#include "app/config.h"
#include "app/filelocations.h"
#include "app/printlogic.h"
#include "report/component/sestava.h"
#include "report/ui/designer/opendesigner.h"
#include "app/functionpage.h"
#include "app/messages.h"
#include "app/platform.h"
#include "app/pointspage.h"
#include "app/rangespage.h"
#include "app/startpage.h"
#include "app/style.h"
#include "app/widgets.h"
#include "res/pictures.h"
#include "res/texts.h"

namespace tab97 {
namespace {

constexpr int kMenuCount = 6;
constexpr int kMenuLeft = 6;
constexpr int kMenuTop = 7;
constexpr int kMenuWidth = 78;
constexpr int kMenuHeight = 18;
constexpr int kMenuPixels = 13;
constexpr int kCloseLeft = 487;
constexpr int kCloseTop = 6;

enum class MenuState { Active, Disabled, Inert };  // Inert: disabled and without handlers

struct PageFrame {
  const char* background;   // object name of the background picture
  const char* pictureFile;
  bool drags;
  const char* menu[kMenuCount];  // object names of the menu labels, tag 1..6; empty: none
  MenuState state[kMenuCount];
  const char* close;        // object name of the close picture
};

constexpr MenuState A = MenuState::Active, D = MenuState::Disabled, N = MenuState::Inert;
const PageFrame kFrames[5] = {
    {"Image1", pictures::kCalculatorBackground, true,
     {"menuVypocet1", "menuBody1", "menuFunkce1", "menuRozsahy1", "menuDiagram", "menuTisk1"}, {A, A, A, A, A, A},
     "Image5"},
    {"Image2", pictures::kPointsBackground, true,
     {"menuVypocet2", "menuBody2", "menuFunkce2", "menuRozsahy2", "menuDiagram2", "menuTisk2"}, {A, A, A, A, A, A},
     "Image6"},
    {"Image3", pictures::kFunctionsBackground, true,
     {"menuVypocet3", "menuBody3", "MenuFunkce3", "menuRozsahy3", "menuDiagram3", "menuTisk3"}, {A, A, A, A, D, D},
     "Image7"},
    {"Image4", pictures::kRangesBackground, true,
     {"menuVypocet4", "menuBody4", "menuFunkce4", "menuRozsahy4", "menuDiagram4", "menuTisk4"}, {A, A, A, A, N, N},
     "Image8"},
    {"Image9", pictures::kStartBackground, false, {"", "", "", "", "", ""}, {N, N, N, N, N, N}, "Image15"},
};

}  // namespace

ThlavniForm::ThlavniForm(const Platform& platform, SolveFunction solve, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), solve_(solve) {
  setObjectName(QStringLiteral("hlavniForm"));
  setWindowTitle(texts::ApplicationTitle());
  setFixedSize(kClientWidth, kClientHeight);
  setFont(style::FormFont());
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, style::kNavy);
  setPalette(palette);
  setAutoFillBackground(true);
  BuildPages();
  ApplyLanguage();  // the Czech captions the window is built with
  FormCreate(platform);
  CreateSestava1();
}

ThlavniForm::~ThlavniForm() = default;

void ThlavniForm::CreateSestava1() {
  Sestava1_ = std::make_unique<report::TSestava>();
  report::TSestava& s = *Sestava1_;
  s.Popis = QStringLiteral("Tisková úloha IF97");
  s.IniFileName = QStringLiteral("SestDLL.ini");
  s.setReportName(QStringLiteral("zostava.pts"));
  s.ExportLanguage = report::slUndefined;
  s.PrintBackground = false;
  s.IsStored = false;
  // The user's own copy of the template when there is one (an installed copy's
  // data folder is read-only), else the one beside the pictures; the same for
  // the ini file.
  const bool ownTemplate = QFileInfo::exists(state_.ConfigDir + s.ReportName());
  s.setProgramDirectory(ownTemplate ? state_.ConfigDir : state_.ResourceDir);
  const QString userIni = state_.ConfigDir + s.IniFileName;
  if (QFileInfo::exists(userIni)) s.IniFileName = userIni;
  s.OnGetData = [this](report::TSestavaD& sender) { Sestava1GetData(sender); };
  s.OnStepData = [this](report::TSestavaD& sender, int dir) { return Sestava1StepData(sender, dir); };
  s.designer = [](report::TSestavaTyp& r, QRect bounds, QPoint position, int windowState) {
    return report::OpenDesigner(static_cast<report::TSestava&>(r), bounds, position, windowState);
  };
  s.readPaperFormats();
}

void ThlavniForm::StartPrint() {
  report::TSestava& s = *Sestava1_;
  s.Parametry = PrintParameters(state_);
  s.FieldNames = PrintFieldNames();
  printRows_ = std::make_unique<PrintRows>(state_, CurrentPageIndex() != kPageCalculator);
  // "Oprava předlohy..." in the preview opens the designer; its preview comes back.
  s.AllowTemplateEdit = true;
  if (!s.Preview() && s.lastPreviewResult() == 2) s.Edit();
  printRows_.reset();
}

void ThlavniForm::Sestava1GetData(report::TSestavaD& sender) {
  sender.RowValues = printRows_ ? printRows_->RowValues() : QStringList(6, QString());
}

int ThlavniForm::Sestava1StepData(report::TSestavaD&, int dir) { return printRows_ ? printRows_->Step(dir) : 3; }

void ThlavniForm::BuildPages() {
  PageControl1_ = new QStackedWidget(this);
  PageControl1_->setObjectName(QStringLiteral("PageControl1"));
  PageControl1_->setGeometry(0, 0, kClientWidth, kClientHeight);
  calculator_ = new CalculatorPage(state_, solve_, PageControl1_);
  points_ = new PointsPage(state_, solve_, PageControl1_);
  functions_ = new FunctionPage(state_, PageControl1_);
  ranges_ = new RangesPage(state_, PageControl1_);
  start_ = new StartPage(PageControl1_);
  QWidget* pages[5] = {calculator_, points_, functions_, ranges_, start_};
  for (int i = 0; i < 5; ++i) {
    PageControl1_->addWidget(pages[i]);
    AddFrame(pages[i], i);
  }
  connect(start_, &StartPage::contactClicked, this, [this](int contact) {
    if (contact == 1) Image10Click();
    else if (contact == 2) Image11Click();
    else Image12Click();
  });
  // New decimal places show at once, not only after the next calculation.
  connect(ranges_, &RangesPage::decimalPlacesChanged, calculator_, &CalculatorPage::ShowValues);
  connect(start_, &StartPage::czechChosen, this, &ThlavniForm::Image13Click);
  connect(start_, &StartPage::englishChosen, this, &ThlavniForm::Image14Click);
}

// The background picture (lowest), the menu labels and the close picture of a page.
void ThlavniForm::AddFrame(QWidget* page, int index) {
  const PageFrame& frame = kFrames[index];
  auto* background = new MouseLabel(page);
  background->setObjectName(QString::fromLatin1(frame.background));
  background->setGeometry(0, 0, kClientWidth, kClientHeight);
  background->lower();
  if (frame.drags) {
    connect(background, &MouseLabel::mousePressed, this, &ThlavniForm::ZaciatokPresunu);
    connect(background, &MouseLabel::mouseMoved, this, &ThlavniForm::ImageMouseMove);
    connect(background, &MouseLabel::mouseReleased, this, [this] { KoniecPresunu(); });
  } else {
    background->setMouseTracking(false);
  }
  for (int i = 0; i < kMenuCount; ++i) {
    if (frame.menu[i][0] == '\0') continue;
    auto* label = new MouseLabel(page);
    label->setObjectName(QString::fromLatin1(frame.menu[i]));
    SetTag(label, i + 1);
    label->setGeometry(kMenuLeft + i * kMenuWidth, kMenuTop, kMenuWidth, kMenuHeight);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(style::PixelFont(kMenuPixels));
    style::SetTextColour(label, style::kMenu);
    label->setEnabled(frame.state[i] == MenuState::Active);
    if (frame.state[i] == MenuState::Active) {
      label->setCursor(Qt::PointingHandCursor);
      connect(label, &MouseLabel::mouseMoved, this, [this, label] { menuMouseMove(label); });
      connect(label, &MouseLabel::mouseReleased, this, [this, label] { menuMouseUp(label); });
      connect(label, &MouseLabel::mouseLeft, this, &ThlavniForm::menuMouseLeave);
    }
  }
  auto* close = new MouseLabel(page);
  close->setObjectName(QString::fromLatin1(frame.close));
  close->setGeometry(kCloseLeft, kCloseTop, pictures::kCloseSize, pictures::kCloseSize);
  close->setCursor(Qt::PointingHandCursor);
  connect(close, &MouseLabel::clicked, this, &ThlavniForm::konecClick);
}

void ThlavniForm::FormCreate(const Platform& platform) {
  state_.QuantityOrder = InitialQuantityOrder();
  state_.StateValues.fill(0.0);
  calculator_->ResetRegionLabel();
  state_.RegionCode = if97::kRegionNone;
  state_.DiagramLoaded = false;
  state_.PointsMode = false;
  state_.PreferMetastable = false;
  RefreshCalculatorPage();
  points_->SetCurrentPointRow(0);
  state_.ProgramDir = WithTrailingSeparator(platform.ProgramDir());
  state_.ResourceDir = ResourceDirFor(state_.ProgramDir);
  state_.ConfigDir = ConfigDirFor(state_.ProgramDir, UserConfigDir());
  ReadConfiguration();
  state_.DecimalSeparator = platform.DecimalSeparator();
  state_.HoverActive = false;
  state_.DragActive = false;
  state_.HoverTag = 0;
  state_.ActiveMenuTag = 1;
  RestyleMenuLabels();

  // The pictures come from the program directory; a missing one leaves its place empty.
  for (const PageFrame& frame : kFrames) {
    if (auto* background = findChild<QLabel*>(QString::fromLatin1(frame.background)))
      background->setPixmap(QPixmap(state_.ResourceDir + QString::fromLatin1(frame.pictureFile)));
    if (auto* close = findChild<QLabel*>(QString::fromLatin1(frame.close)))
      close->setPixmap(QPixmap(state_.ResourceDir + QString::fromLatin1(pictures::kClose)));
  }
  start_->LoadPictures(state_.ResourceDir);
  PageControl1_->setCurrentIndex(kPageStart);
}

QString ThlavniForm::ConfigPath() const { return state_.ConfigDir + QString::fromLatin1(kConfigFileName); }

void ThlavniForm::ReadConfiguration() {
  configStatus_ = ReadConfig(ConfigPath(), state_.DecimalPlaces);
  if (configStatus_ == ConfigStatus::kRead) return;
  MessageBoxes::Inform(this, texts::ConfigErrorPrefix(state_.LanguageIndex) + QDir::toNativeSeparators(ConfigPath()));
}

int ThlavniForm::CurrentPageIndex() const { return PageControl1_->currentIndex(); }

void ThlavniForm::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  QRect frame = geometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

bool ThlavniForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void ThlavniForm::FormActivate() {
  if (state_.DiagramLoaded || chartHost_ == nullptr) return;
  const QString path = state_.ResourceDir + QString::fromLatin1(chart::kChartFile);
  if (chartHost_->LoadChart(path)) {
    state_.DiagramLoaded = true;
    return;
  }
  MessageBoxes::Inform(this, texts::ChartErrorPrefix(state_.LanguageIndex) + QDir::toNativeSeparators(path));
}

void ThlavniForm::RestyleMenuLabels() {
  const QList<QLabel*> labels = findChildren<QLabel*>();
  for (QLabel* label : labels) {
    const int tag = TagOf(label);
    if (tag <= 0) continue;
    QFont font = label->font();
    font.setBold(tag == state_.ActiveMenuTag);
    label->setFont(font);
  }
}

void ThlavniForm::menuMouseMove(QLabel* Sender) {
  const int tag = TagOf(Sender);
  if (state_.HoverActive && tag != state_.HoverTag) {
    RestyleMenuLabels();
    state_.HoverActive = false;
  }
  state_.HoverTag = tag;
  if (!Sender->font().bold()) {
    RestyleMenuLabels();
    QFont font = Sender->font();
    font.setBold(true);
    Sender->setFont(font);
    state_.HoverActive = true;
  }
}

// The mouse left a menu label: to another label, which takes the hover over; to
// the background, which ends it anyway; or out of the window, where nothing else
// would end it and the label would stay bold.
void ThlavniForm::menuMouseLeave() { EndHover(); }

void ThlavniForm::EndHover() {
  if (!state_.HoverActive) return;
  RestyleMenuLabels();
  state_.HoverActive = false;
  state_.HoverTag = 0;
}

void ThlavniForm::menuMouseUp(QLabel* Sender) {
  const int tag = TagOf(Sender);
  if (tag >= 1 && tag <= 4) {
    if (tag == state_.ActiveMenuTag) return;
    state_.ActiveMenuTag = tag;
    PageControl1_->setCurrentIndex(tag - 1);
    RestyleMenuLabels();
    state_.PointsMode = false;
    switch (tag) {
      case 1: calculator_->FocusEdit1(); break;
      case 2:
        points_->PreparePointsPage();  // sets PointsMode
        break;
      case 3: functions_->EnterPage(); break;
      case 4: ranges_->EnterPage(); break;
      default: break;
    }
  } else if (tag == 5) {
    if (state_.DiagramLoaded && chartHost_ != nullptr) chartHost_->ShowModal();
  } else if (tag == 6) {
    StartPrint();
  }
}

void ThlavniForm::ZaciatokPresunu(QPoint pos) {
  state_.DragActive = true;
  state_.DragOriginX = pos.x();
  state_.DragOriginY = pos.y();
}

void ThlavniForm::ImageMouseMove(QPoint /*pos*/, QPoint globalPos) {
  EndHover();
  // Left + (X - origin) with X in the picture's coordinates, which start at the
  // window's corner: that is the screen position less the origin. Taking it from
  // the screen position keeps the window under the mouse even when the window
  // system carries out a move later than asked. The origin stays, because the
  // picture moves with the window.
  if (state_.DragActive) move(globalPos.x() - state_.DragOriginX, globalPos.y() - state_.DragOriginY);
}

void ThlavniForm::KoniecPresunu() { state_.DragActive = false; }

void ThlavniForm::konecClick() {
  // A program directory without write access loses only this run's settings. A
  // configuration file that exists but could not be read is not ours to replace.
  QString error;
  if (!MayRewriteConfig(configStatus_))
    qWarning("Tab97: the configuration file could not be read and is kept as it is: %s", qPrintable(ConfigPath()));
  else if (!QDir().mkpath(state_.ConfigDir) || !WriteConfig(ConfigPath(), state_.DecimalPlaces, &error))
    qWarning("Tab97: the configuration file cannot be written: %s", qPrintable(error));
  close();
}

void ThlavniForm::Image10Click() { MessageBoxes::Inform(this, texts::ContactText(1)); }
void ThlavniForm::Image11Click() { MessageBoxes::Inform(this, texts::ContactText(2)); }
void ThlavniForm::Image12Click() { MessageBoxes::Inform(this, texts::ContactText(3)); }

void ThlavniForm::Image13Click() {
  state_.LanguageIndex = texts::kCzech;
  ApplyLanguage();
  PageControl1_->setCurrentIndex(kPageCalculator);
}

void ThlavniForm::Image14Click() {
  state_.LanguageIndex = texts::kEnglish;
  ApplyLanguage();
  PageControl1_->setCurrentIndex(kPageCalculator);
}

void ThlavniForm::ApplyLanguage() {
  const QList<QLabel*> labels = findChildren<QLabel*>();
  for (QLabel* label : labels) {
    const int tag = TagOf(label);
    if (tag > 0) label->setText(texts::MenuCaption(state_.LanguageIndex, tag));
  }
  calculator_->ApplyLanguageTexts();
  RefreshCalculatorPage();
  points_->ApplyLanguageTexts();
  functions_->ApplyLanguageTexts();
  ranges_->ApplyLanguageTexts();
}

void ThlavniForm::RefreshCalculatorPage() { calculator_->RefreshCalculatorPage(); }

}  // namespace tab97
