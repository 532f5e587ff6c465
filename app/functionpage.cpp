#include "app/functionpage.h"

#include <QComboBox>
#include <QLabel>

#include "app/functionlogic.h"
#include "app/numberformat.h"
#include "app/style.h"
#include "app/widgets.h"
#include "props/functions.h"
#include "res/texts.h"

namespace tab97 {
namespace {

// Layout of the page (pixels in the 514 × 366 client area), in the columns of
// the calculator page: captions right-aligned before kFieldLeft.
constexpr int kContentLeft = 14;
constexpr int kContentWidth = 486;
constexpr int kCaptionLeft = 24;
constexpr int kCaptionWidth = 206;
constexpr int kFieldLeft = 238;
constexpr int kComboWidth = 190;
constexpr int kEditWidth = 124;
constexpr int kUnitLeft = kFieldLeft + kEditWidth + 8;
constexpr int kRowHeight = 20;
constexpr int kGroupTop = 70;
constexpr int kFunctionTop = 96;
constexpr int kInputHeadingTop = 132;
constexpr int kInputTop[3] = {156, 180, 204};
constexpr int kResultHeadingTop = 240;
constexpr int kResultTop = 264;
constexpr int kRegionTop = 292;  // under the result, as the calculator shows its region
constexpr int kUnitGap = 8;
constexpr int kValuePixels = 13;

constexpr int kFirstSupplementaryCode = 500;
constexpr int kHisoCode = 505;
constexpr int kPumpIsoCode = 506;

const char* const kInputNames[3][3] = {
    {"Lvstup1", "EditVstup1", "Ljedn1"},
    {"Lvstup2", "EditVstup2", "Ljedn2"},
    {"Lvstup3", "EditVstup3", "Ljedn3"},
};

// The letters of the mnemonics: T, P, V, S, I, X are quantities 1..6.
int QuantityOfLetter(QChar letter) {
  switch (letter.unicode()) {
    case u'T': return if97::kT;
    case u'P': return if97::kP;
    case u'V': return if97::kV;
    case u'S': return if97::kS;
    case u'I': return if97::kI;
    case u'X': return if97::kX;
    default: return 0;
  }
}

double LibraryEvaluate(std::int32_t code, double in1, double in2, double in3, if97::PropertyRegion& region) {
  return if97::EvaluateFunction(code, in1, in2, in3, region);
}

}  // namespace

FunctionPage::FunctionPage(MainState& state, QWidget* parent)
    : QWidget(parent), state_(state), evaluate_(&LibraryEvaluate) {
  setObjectName(QStringLiteral("TabSheetFunkce"));
  BuildSelection();
  BuildInputs();
  BuildResult();
}

void FunctionPage::BuildSelection() {
  lblVyberFunkce_ = style::MakeLabel(this, "lblVyberFunkce", style::kHeading,
                                     QRect(kContentLeft, 46, kContentWidth, 16), Qt::AlignCenter);
  lblFunSkup_ = style::MakeLabel(this, "lblFunSkup", style::kText,
                                 QRect(kCaptionLeft, kGroupTop, kCaptionWidth, kRowHeight),
                                 Qt::AlignRight | Qt::AlignVCenter);
  ComboSkupiny_ = new QComboBox(this);
  ComboSkupiny_->setObjectName(QStringLiteral("ComboSkupiny"));
  ComboSkupiny_->setGeometry(kFieldLeft, kGroupTop, kComboWidth, kRowHeight);
  style::SetInputColours(ComboSkupiny_);
  connect(ComboSkupiny_, &QComboBox::activated, this, [this] { ComboSkupinyChange(); });
  Label27_ = style::MakeLabel(this, "Label27", style::kUnit,
                              QRect(kCaptionLeft, kFunctionTop, kCaptionWidth, kRowHeight),
                              Qt::AlignRight | Qt::AlignVCenter);
  for (int g = 1; g <= 5; ++g) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("Combo%1").arg(g));
    SetTag(combo, g);
    combo->setGeometry(kFieldLeft, kFunctionTop, kComboWidth, kRowHeight);
    combo->setMaxVisibleItems(12);
    style::SetInputColours(combo);
    for (int i = 0; i < texts::MnemonicCount(g); ++i) combo->addItem(texts::Mnemonic(g, i));
    combo->setVisible(g == 1);
    connect(combo, &QComboBox::activated, this, [this, g] { ComboChange(g); });
    Combo_[g] = combo;
  }
}

void FunctionPage::BuildInputs() {
  lblVstupniVelFunkce_ = style::MakeLabel(this, "lblVstupniVelFunkce", style::kHeading,
                                          QRect(kContentLeft, kInputHeadingTop, kContentWidth, 16), Qt::AlignCenter);
  for (int k = 0; k < 3; ++k) {
    InputRow& row = inputs_[k];
    row.caption = style::MakeLabel(this, kInputNames[k][0], style::kText,
                                   QRect(kCaptionLeft, kInputTop[k], kCaptionWidth, kRowHeight),
                                   Qt::AlignRight | Qt::AlignVCenter);
    row.edit = new EnterEdit(this);
    row.edit->setObjectName(QString::fromLatin1(kInputNames[k][1]));
    row.edit->setGeometry(kFieldLeft, kInputTop[k], kEditWidth, kRowHeight);
    row.edit->setFrame(false);
    row.edit->setStyleSheet(style::InputStyleSheet());
    EnterEdit* edit = row.edit;
    connect(edit, &EnterEdit::enterPressed, this, [this, edit] { EditVstupKeyPress(edit, QChar(13)); });
    row.unit = style::MakeLabel(this, kInputNames[k][2], style::kUnit,
                                QRect(kUnitLeft, kInputTop[k], kContentLeft + kContentWidth - kUnitLeft, kRowHeight));
  }
  setTabOrder(inputs_[0].edit, inputs_[1].edit);
  setTabOrder(inputs_[1].edit, inputs_[2].edit);
}

void FunctionPage::BuildResult() {
  lblVysledekFunkce_ = style::MakeLabel(this, "lblVysledekFunkce", style::kHeading,
                                        QRect(kContentLeft, kResultHeadingTop, kContentWidth, 16), Qt::AlignCenter);
  Lvystup_ = style::MakeLabel(this, "Lvystup", style::kText, QRect(kCaptionLeft, kResultTop, kCaptionWidth, kRowHeight),
                              Qt::AlignRight | Qt::AlignVCenter);
  Lhodnota_ = style::MakeLabel(this, "Lhodnota", style::kValue, QRect(kFieldLeft, kResultTop, 10, kRowHeight));
  Lhodnota_->setFont(style::PixelFont(kValuePixels, true));
  LjednV_ = style::MakeLabel(this, "LjednV", style::kUnit, QRect(kFieldLeft, kResultTop, 120, kRowHeight));
  lblOblastFunkce_ = style::MakeLabel(this, "lblOblastFunkce", style::kRegion,
                                      QRect(kContentLeft, kRegionTop, kContentWidth, 18), Qt::AlignCenter);
  lblOblastFunkce_->setFont(style::PixelFont(kValuePixels, true));
}

void FunctionPage::ApplyLanguageTexts() {
  const int lang = state_.LanguageIndex;
  lblVyberFunkce_->setText(texts::Heading(lang, 3));
  lblVstupniVelFunkce_->setText(texts::Heading(lang, 1));
  lblVysledekFunkce_->setText(texts::Heading(lang, 4));
  lblFunSkup_->setText(texts::Heading(lang, 5));
  ComboSkupiny_->clear();
  for (int g = 1; g <= 5; ++g) ComboSkupiny_->addItem(texts::GroupName(lang, g));
  Combo_[5]->clear();
  for (int i = 0; i <= 6; ++i) Combo_[5]->addItem(texts::SupplementaryName(lang, i));
}

void FunctionPage::EnterPage() {
  ComboSkupiny_->setCurrentIndex(0);
  for (int g = 1; g <= 5; ++g) Combo_[g]->setCurrentIndex(0);
  ComboSkupinyChange();
}

void FunctionPage::ComboSkupinyChange() {
  const int group = ComboSkupiny_->currentIndex() + 1;
  Label27_->setText(ComboSkupiny_->currentText());
  for (int g = 1; g <= 5; ++g) Combo_[g]->setVisible(TagOf(Combo_[g]) == group);
  if (group < 1 || group > 5) return;
  FunctionCode_ = group * 100 + Combo_[group]->currentIndex();
  FunctionName_ = Combo_[group]->currentText();
  ResetFunctionPage();
}

void FunctionPage::ComboChange(int list) {
  if (list < 1 || list > 5) return;
  FunctionCode_ = list * 100 + Combo_[list]->currentIndex();
  FunctionName_ = Combo_[list]->currentText();
  ResetFunctionPage();
}

QString FunctionPage::EmptyText() const { return FormatFixed(0.0, 1, state_.DecimalSeparator); }

void FunctionPage::ResetFunctionPage() {
  const QString empty = EmptyText();
  for (InputRow& row : inputs_) row.edit->setText(empty);
  Lhodnota_->setText(empty);
  lblOblastFunkce_->clear();
  const if97::FunctionEntry* entry = if97::FindFunction(FunctionCode_);
  FunctionInputCount_ = entry != nullptr ? entry->inputCount : 1;
  for (int k = 1; k < 3; ++k) {
    const bool shown = FunctionInputCount_ > k;
    inputs_[k].caption->setVisible(shown);
    inputs_[k].edit->setVisible(shown);
    inputs_[k].unit->setVisible(shown);
  }
  SetFunctionLabels(FunctionName_, FunctionCode_);
  FocusInput(0);
}

void FunctionPage::SetFunctionLabels(const QString& name, std::int32_t code) {
  const int lang = state_.LanguageIndex;
  for (InputRow& row : inputs_) {
    row.caption->clear();
    row.unit->clear();
  }
  int resultQuantity = 0;
  if (code < kFirstSupplementaryCode) {
    // The mnemonic reads result_inputs.
    const qsizetype underscore = name.indexOf(QLatin1Char('_'));
    for (int k = 0; k < 2 && underscore >= 0 && underscore + 1 + k < name.size(); ++k) {
      const int q = QuantityOfLetter(name[underscore + 1 + k]);
      inputs_[k].caption->setText(texts::ResultCaption(lang, q));
      inputs_[k].unit->setText(texts::Unit(lang, q));
    }
    resultQuantity = name.isEmpty() ? 0 : QuantityOfLetter(name[0]);
    Lvystup_->setText(texts::ResultCaption(lang, resultQuantity));
    LjednV_->setText(texts::Unit(lang, resultQuantity));
    FunctionDecimals_ = resultQuantity > 0 ? state_.DecimalPlaces[resultQuantity] : 0;
  } else {
    const int index = code - kFirstSupplementaryCode;
    const if97::FunctionEntry* entry = if97::FindFunction(code);
    for (int k = 0; entry != nullptr && k < entry->inputCount; ++k) {
      const int q = entry->inputs[k];
      if (code == kHisoCode) inputs_[k].caption->setText(texts::ExpansionCaption(lang, 1 + k));
      else if (code == kPumpIsoCode) inputs_[k].caption->setText(texts::ExpansionCaption(lang, 4 + k));
      else inputs_[k].caption->setText(texts::ResultCaption(lang, q));
      inputs_[k].unit->setText(texts::Unit(lang, q));
    }
    Lvystup_->setText(texts::SupplementaryResultCaption(lang, index));
    LjednV_->setText(texts::SupplementaryResultUnit(lang, index));
    resultQuantity = entry != nullptr ? entry->resultQuantity : 0;
    FunctionDecimals_ = resultQuantity > 0 ? state_.DecimalPlaces[resultQuantity] : if97::kTransportResultDecimals;
  }
  PlaceResultUnit();
}

void FunctionPage::PlaceResultUnit() {
  Lhodnota_->resize(Lhodnota_->sizeHint().width(), kRowHeight);
  LjednV_->move(Lhodnota_->x() + Lhodnota_->width() + kUnitGap, Lhodnota_->y());
}

// The result row's value (with its unit after it) and the region line under it:
// a region is named only for a state whose result has no value.
void FunctionPage::ShowResultText(const QString& text, if97::PropertyRegion region) {
  Lhodnota_->setText(text);
  PlaceResultUnit();
  if (region == if97::kRegionNone) lblOblastFunkce_->clear();
  else lblOblastFunkce_->setText(texts::RegionName(state_.LanguageIndex, region));
}

void FunctionPage::FocusInput(int k) {
  inputs_[k].edit->setFocus(Qt::OtherFocusReason);
  inputs_[k].edit->selectAll();
}

bool FunctionPage::EditVstupKeyPress(QObject* Sender, QChar Key) {
  if (Key != QChar(13)) return false;
  FunctionInputs_.fill(0.0);
  const QString empty = EmptyText();
  const int count = FunctionInputCount_;
  const bool notEntered = inputs_[0].edit->text() == empty || (count >= 2 && inputs_[1].edit->text() == empty) ||
                          (count == 3 && inputs_[2].edit->text() == empty);
  if (notEntered) {
    ShowResultText(empty, if97::kRegionNone);
  } else {
    for (int k = 0; k < count; ++k) {
      if (!ParseUserNumber(inputs_[k].edit->text(), state_.DecimalSeparator, FunctionInputs_[k])) {
        ShowResultText(empty, if97::kRegionNone);
        return true;  // the focus stays where the user is
      }
    }
    if97::PropertyRegion region = if97::kRegionNone;
    const double result =
        evaluate_ != nullptr
            ? evaluate_(FunctionCode_, FunctionInputs_[0], FunctionInputs_[1], FunctionInputs_[2], region)
            : -1.0;
    const if97::FunctionEntry* entry = if97::FindFunction(FunctionCode_);
    const if97::PropertyRegion noValue =
        entry != nullptr ? RegionInsteadOfResult(entry->method, region) : if97::kRegionNone;
    if (noValue != if97::kRegionNone) ShowResultText(empty, noValue);
    else ShowResultText(FormatFixed(result, FunctionDecimals_, state_.DecimalSeparator), if97::kRegionNone);
  }
  if (Sender == inputs_[2].edit) FocusInput(0);
  else if (Sender == inputs_[1].edit) FocusInput(count == 3 ? 2 : 0);
  else if (Sender == inputs_[0].edit && count >= 2) FocusInput(1);
  return true;
}

}  // namespace tab97
