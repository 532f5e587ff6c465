#include "app/otherpages.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "app/style.h"
#include "app/widgets.h"
#include "res/texts.h"

namespace tab97 {
namespace {
constexpr int kContentLeft = 14;
constexpr int kContentWidth = 486;
constexpr int kColumnPitch = 78;   // points page: one grid column and its gap
constexpr int kColumnLeft = 25;
constexpr int kColumnWidth = 76;
constexpr int kDecimalsMin = 0;
constexpr int kDecimalsMax = 8;
const char* const kSymbols[7] = {"", "T", "P", "V", "S", "I", "X"};
}  // namespace

PointsPage::PointsPage(MainState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("TabSheetBody"));
  for (int q = 1; q <= 6; ++q) {
    const QByteArray name = "L" + QByteArray::number(q);
    L_[q] = style::MakeLabel(this, name.constData(), style::kHeading,
                             QRect(kColumnLeft + (q - 1) * kColumnPitch, 46, kColumnWidth, 30),
                             Qt::AlignHCenter | Qt::AlignBottom);
    L_[q]->setWordWrap(true);
  }
}

void PointsPage::ApplyLanguageTexts() {
  for (int q = 1; q <= 6; ++q) L_[q]->setText(texts::ForLabel(texts::ShortColumnCaption(state_.LanguageIndex, q)));
}

void PointsPage::PreparePointsPage() {
  for (int i = 1; i <= 6; ++i) {
    QLabel* label = L_[state_.QuantityOrder[i]];
    label->move((i - 1) * kColumnPitch + kColumnLeft, label->y());
  }
}

FunctionPage::FunctionPage(MainState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("TabSheetFunkce"));
  lblVyberFunkce_ = style::MakeLabel(this, "lblVyberFunkce", style::kHeading,
                                     QRect(kContentLeft, 46, kContentWidth, 16), Qt::AlignCenter);
  lblFunSkup_ = style::MakeLabel(this, "lblFunSkup", style::kText, QRect(30, 74, 120, 20),
                                 Qt::AlignRight | Qt::AlignVCenter);
  ComboSkupiny_ = new QComboBox(this);
  ComboSkupiny_->setObjectName(QStringLiteral("ComboSkupiny"));
  ComboSkupiny_->setGeometry(160, 74, 190, 20);
  style::SetInputColours(ComboSkupiny_);
  Label27_ = style::MakeLabel(this, "Label27", style::kUnit, QRect(160, 100, 300, 16));
  for (int g = 1; g <= 5; ++g) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("Combo%1").arg(g));
    SetTag(combo, g);
    combo->setGeometry(160, 120, 190, 20);
    style::SetInputColours(combo);
    for (int i = 0; i < texts::MnemonicCount(g); ++i) combo->addItem(texts::Mnemonic(g, i));
    combo->setVisible(g == 1);
    Combo_[g] = combo;
  }
  lblVstupniVelFunkce_ = style::MakeLabel(this, "lblVstupniVelFunkce", style::kHeading,
                                          QRect(kContentLeft, 156, kContentWidth, 16), Qt::AlignCenter);
  lblVysledekFunkce_ = style::MakeLabel(this, "lblVysledekFunkce", style::kHeading,
                                        QRect(kContentLeft, 262, kContentWidth, 16), Qt::AlignCenter);
  connect(ComboSkupiny_, &QComboBox::activated, this, [this] { ComboSkupinyChange(); });
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
}

RangesPage::RangesPage(MainState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("TabSheetRozsahy"));
  lblMezni_ = style::MakeLabel(this, "lblMezni", style::kHeading, QRect(kContentLeft + 10, 44, kContentWidth - 20, 30),
                               Qt::AlignCenter);
  lblMezni_->setWordWrap(true);
  lblMinim_ = style::MakeLabel(this, "lblMinim", style::kUnit, QRect(40, 80, 200, 16));
  lblMaxim_ = style::MakeLabel(this, "lblMaxim", style::kUnit, QRect(274, 80, 200, 16),
                               Qt::AlignRight | Qt::AlignVCenter);
  LabelMin_ = style::MakeLabel(this, "LabelMin", style::kText, QRect(40, 98, 434, 104), Qt::AlignCenter);
  lblNastaveni_ = style::MakeLabel(this, "lblNastaveni", style::kHeading,
                                   QRect(kContentLeft, 222, kContentWidth, 16), Qt::AlignCenter);
  for (int q = 1; q <= 6; ++q) {
    const int left = 52 + (q - 1) * 70;
    style::MakeLabel(this, "", style::kText, QRect(left, 248, 50, 16), Qt::AlignCenter)
        ->setText(QString::fromLatin1(kSymbols[q]));
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QStringLiteral("SpinEdit%1").arg(q));
    SetTag(spin, q);
    spin->setRange(kDecimalsMin, kDecimalsMax);
    spin->setGeometry(left, 266, 50, 20);
    style::SetInputColours(spin);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { SpinEditChange(spin); });
    SpinEdit_[q] = spin;
  }
}

void RangesPage::ApplyLanguageTexts() {
  const int lang = state_.LanguageIndex;
  lblMezni_->setText(texts::ForLabel(texts::Heading(lang, 6)).trimmed());
  lblNastaveni_->setText(texts::Heading(lang, 7));
  lblMinim_->setText(texts::Heading(lang, 8));
  lblMaxim_->setText(texts::Heading(lang, 9));
  LabelMin_->setText(texts::ForLabel(texts::LimitsText()));
}

void RangesPage::EnterPage() {
  for (int q = 1; q <= 6; ++q) {
    // Loading is not a change by the user: a configured value outside the
    // editor's bounds is shown clamped but stays in force until the user edits.
    const QSignalBlocker block(SpinEdit_[q]);
    SpinEdit_[q]->setValue(state_.DecimalPlaces[TagOf(SpinEdit_[q])]);
  }
  SpinEdit_[1]->setFocus(Qt::OtherFocusReason);
}

void RangesPage::SpinEditChange(QSpinBox* editor) {
  const int q = TagOf(editor);
  if (q >= 1 && q <= 6) state_.DecimalPlaces[q] = editor->value();
}

}  // namespace tab97
