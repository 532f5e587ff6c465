#include "app/calculatorpage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include "app/copytext.h"
#include "app/numberformat.h"
#include "app/style.h"
#include "app/widgets.h"
#include "res/texts.h"

namespace tab97 {
namespace {

// Layout of the page (pixels in the 514 × 366 client area).
constexpr int kCaptionLeft = 24;
constexpr int kCaptionWidth = 206;
constexpr int kFieldLeft = 238;
constexpr int kEditWidth = 124;
constexpr int kRowHeight = 20;
constexpr int kInputTop[2] = {72, 98};
constexpr int kResultTop[4] = {158, 184, 210, 236};
constexpr int kRegionTop = 276;
constexpr int kNoteTop = 326;
constexpr int kContentLeft = 14;
constexpr int kContentWidth = 486;
constexpr int kUnitGap = 8;
constexpr int kTimerInterval = 50;  // ms

const char* const kRowNames[4][4] = {
    {"LabelV1", "LabelV11", "LabelV111", "ShapeV1"},
    {"LabelV2", "LabelV22", "LabelV222", "ShapeV2"},
    {"LabelV3", "LabelV33", "LabelV333", "ShapeV3"},
    {"LabelV4", "LabelV44", "LabelV444", "ShapeV4"},
};

}  // namespace

CalculatorPage::CalculatorPage(MainState& state, SolveFunction solve, QWidget* parent)
    : QWidget(parent), state_(state), solve_(solve) {
  setObjectName(QStringLiteral("TabSheetVypocet"));
  BuildInputs();
  BuildResults();
  BuildRegionAndNote();
  Timer2_ = new QTimer(this);
  Timer2_->setObjectName(QStringLiteral("Timer2"));
  Timer2_->setInterval(kTimerInterval);
  connect(Timer2_, &QTimer::timeout, this, &CalculatorPage::Timer2Timer);
  auto* copyKey = new PageCopyKey(this, [this] { CopyState(); });
  copyKey->PassCopyKey(Edit1_);
  copyKey->PassCopyKey(Edit2_);
}

void CalculatorPage::BuildInputs() {
  const QRect heading(kContentLeft, 46, kContentWidth, 16);
  lblVstupniVeliciny_ = style::MakeLabel(this, "lblVstupniVeliciny", style::kHeading, heading, Qt::AlignCenter);
  for (int k = 0; k < 2; ++k) {
    QLabel* caption = style::MakeLabel(this, k == 0 ? "Label1" : "Label2", style::kText,
                                       QRect(kCaptionLeft, kInputTop[k], kCaptionWidth, kRowHeight),
                                       Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new EnterEdit(this);
    edit->setObjectName(k == 0 ? QStringLiteral("Edit1") : QStringLiteral("Edit2"));
    edit->setGeometry(kFieldLeft, kInputTop[k], kEditWidth, kRowHeight);
    edit->setFrame(false);
    edit->setStyleSheet(style::InputStyleSheet());
    connect(edit, &EnterEdit::enterPressed, this, [this, edit] { Edit1KeyPress(edit, QChar(13)); });
    (k == 0 ? Label1_ : Label2_) = caption;
    (k == 0 ? Edit1_ : Edit2_) = edit;
  }
  setTabOrder(Edit1_, Edit2_);
}

void CalculatorPage::BuildResults() {
  const QRect heading(kContentLeft, 132, kContentWidth, 16);
  lblVypocteneVeliciny_ = style::MakeLabel(this, "lblVypocteneVeliciny", style::kHeading, heading, Qt::AlignCenter);
  for (int k = 0; k < 4; ++k) {
    ResultRow& row = rows_[k];
    const int top = kResultTop[k];
    row.caption = style::MakeLabel(this, kRowNames[k][0], style::kText,
                                   QRect(kCaptionLeft, top, kCaptionWidth, kRowHeight),
                                   Qt::AlignRight | Qt::AlignVCenter);
    row.value = style::MakeLabel(this, kRowNames[k][1], style::kValue, QRect(kFieldLeft, top, 10, kRowHeight));
    row.value->setFont(style::PixelFont(13, true));
    row.unit = style::MakeLabel(this, kRowNames[k][2], style::kUnit, QRect(kFieldLeft, top, 60, kRowHeight));
    row.area = new ClickArea(this);
    row.area->setObjectName(QString::fromLatin1(kRowNames[k][3]));
    row.area->setGeometry(kCaptionLeft - 6, top - 2, kContentWidth - 2 * (kCaptionLeft - 6 - kContentLeft),
                          kRowHeight + 4);
    row.area->raise();
    connect(row.area, &ClickArea::mouseReleased, this, [this, k] { ShapeVMouseUp(k + 1); });
  }
}

void CalculatorPage::BuildRegionAndNote() {
  lblNazevOblasti_ = style::MakeLabel(this, "lblNazevOblasti", style::kRegion,
                                      QRect(kContentLeft, kRegionTop, kContentWidth, 0),
                                      Qt::AlignHCenter | Qt::AlignTop);
  lblNazevOblasti_->setFont(style::PixelFont(13, true));
  lblMetastab_ = new MouseLabel(this);
  lblMetastab_->setObjectName(QStringLiteral("lblMetastab"));
  lblMetastab_->setGeometry(kContentLeft + 60, kNoteTop, kContentWidth - 120, 16);
  lblMetastab_->setAlignment(Qt::AlignCenter);
  lblMetastab_->setCursor(Qt::PointingHandCursor);
  style::SetTextColour(lblMetastab_, style::kNote);
  connect(lblMetastab_, &MouseLabel::clicked, this, &CalculatorPage::lblMetastabClick);
}

void CalculatorPage::ApplyLanguageTexts() {
  const int lang = state_.LanguageIndex;
  lblMetastab_->setText(texts::MetastableNote(lang, false));
  lblVstupniVeliciny_->setText(texts::Heading(lang, 1));
  lblVypocteneVeliciny_->setText(texts::Heading(lang, 2));
}

void CalculatorPage::ResetRegionLabel() {
  roll_.Reset();
  Timer2_->stop();
  QRect g = lblNazevOblasti_->geometry();
  g.setHeight(0);
  lblNazevOblasti_->setGeometry(g);
  lblNazevOblasti_->clear();
}

void CalculatorPage::ShowRow(int row) {
  const int lang = state_.LanguageIndex;
  const int q = state_.QuantityOrder[row + 2];
  ResultRow& r = rows_[row - 1];
  r.caption->setText(texts::ResultCaption(lang, q));
  r.value->setText(FormatResult(state_.StateValues[q], state_.DecimalPlaces[q], state_.DecimalSeparator));
  r.value->resize(r.value->sizeHint().width(), kRowHeight);
  r.unit->setText(texts::Unit(lang, q));
  r.unit->move(r.value->x() + r.value->width() + kUnitGap, r.value->y());
}

void CalculatorPage::ShowValues() {
  const int lang = state_.LanguageIndex;
  const QChar sep = state_.DecimalSeparator;
  const int q1 = state_.QuantityOrder[1], q2 = state_.QuantityOrder[2];
  Label1_->setText(texts::InputCaption(lang, q1));
  Edit1_->setText(FormatFixed(state_.StateValues[q1], state_.DecimalPlaces[q1], sep));
  Label2_->setText(texts::InputCaption(lang, q2));
  Edit2_->setText(FormatFixed(state_.StateValues[q2], state_.DecimalPlaces[q2], sep));
  for (int row = 1; row <= 4; ++row) ShowRow(row);
}

void CalculatorPage::RefreshCalculatorPage() {
  ShowValues();
  const PairInfo pair = ComputePair(state_.QuantityOrder);
  state_.PairSwapped = pair.swapped;
  state_.PairCode = pair.code;
  if (!Timer2_->isActive()) Timer2_->start();
}

void CalculatorPage::ClearComputed() {
  for (int entry = 3; entry <= 6; ++entry) state_.StateValues[state_.QuantityOrder[entry]] = 0.0;
  state_.RegionCode = if97::kRegionNone;
  RefreshCalculatorPage();
}

void CalculatorPage::FocusEdit(QWidget* edit) {
  edit->setFocus(Qt::OtherFocusReason);
  static_cast<EnterEdit*>(edit)->selectAll();
}

void CalculatorPage::FocusEdit1() { FocusEdit(Edit1_); }

bool CalculatorPage::Edit1KeyPress(QObject* Sender, QChar Key) {
  if (Key != QChar(13)) return false;
  double u = 0.0, w = 0.0;
  const QChar sep = state_.DecimalSeparator;
  if (!ParseUserNumber(Edit1_->text(), sep, u) || !ParseUserNumber(Edit2_->text(), sep, w)) {
    ClearComputed();
    return true;
  }
  if (solve_ == nullptr) {  // no solver attached: nothing can be computed
    ClearComputed();
    return true;
  }
  if (u < 0.0 || w < 0.0) {
    // No state has a negative quantity: the results of the last state must not
    // stand under the new input as if they were its own.
    ClearComputed();
  } else {
    state_.StateValues[state_.QuantityOrder[1]] = u;
    state_.StateValues[state_.QuantityOrder[2]] = w;
    const SolveRequest r = MakeSolveRequest(state_.QuantityOrder, u, w, state_.PreferMetastable);
    QuantityValues& c = state_.ResultCells;
    solve_(r.pairCode, r.needP, r.needV, r.value1, r.value2, r.needS, r.needI, r.preferMetastable, c[if97::kT],
           c[if97::kP], c[if97::kV], c[if97::kS], c[if97::kI], c[if97::kX], state_.RegionCode);
    for (int q = 1; q <= 6; ++q) state_.StateValues[q] = c[q];
    RefreshCalculatorPage();
  }
  if (Sender == Edit1_) FocusEdit(Edit2_);
  else if (Sender == Edit2_) FocusEdit(Edit1_);
  return true;
}

void CalculatorPage::CopyState() { QGuiApplication::clipboard()->setText(CalculatorCopyText(state_)); }

void CalculatorPage::ShapeVMouseUp(int row) {
  if (row < 1 || row > 4) return;
  RotatePair(state_.QuantityOrder, row);
  state_.RegionCode = if97::kRegionNone;
  RefreshCalculatorPage();
}

void CalculatorPage::lblMetastabClick() {
  state_.PreferMetastable = !state_.PreferMetastable;
  lblMetastab_->setText(texts::MetastableNote(state_.LanguageIndex, state_.PreferMetastable));
  Edit1KeyPress(lblMetastab_, QChar(13));
}

void CalculatorPage::Timer2Timer() {
  const RegionRoll::Tick tick = roll_.Step(state_.RegionCode, state_.LanguageIndex);
  if (tick.setText) lblNazevOblasti_->setText(texts::RegionName(state_.LanguageIndex, state_.RegionCode));
  QRect g = lblNazevOblasti_->geometry();
  g.setHeight(roll_.Height());
  lblNazevOblasti_->setGeometry(g);
  if (tick.stopTimer) Timer2_->stop();
}

}  // namespace tab97
