#include "app/rangespage.h"

#include <QLabel>
#include <QSpinBox>

#include <algorithm>

#include "app/style.h"
#include "app/widgets.h"
#include "res/texts.h"

namespace tab97 {
namespace {
constexpr int kContentLeft = 14;
constexpr int kContentWidth = 486;
const char* const kSymbols[7] = {"", "T", "P", "V", "S", "I", "X"};
}  // namespace

RangesPage::RangesPage(MainState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("TabSheetRozsahy"));
  lblMezni_ = style::MakeLabel(this, "lblMezni", style::kHeading, QRect(kContentLeft + 10, 44, kContentWidth - 20, 30),
                               Qt::AlignCenter);
  lblMezni_->setWordWrap(true);
  lblMinim_ = style::MakeLabel(this, "lblMinim", style::kUnit, QRect(40, 80, 200, 16));
  lblMaxim_ = style::MakeLabel(this, "lblMaxim", style::kUnit, QRect(274, 80, 200, 16),
                               Qt::AlignRight | Qt::AlignVCenter);
  LabelMin_ = style::MakeLabel(this, "LabelMin", style::kText, QRect(40, 98, 434, 104), Qt::AlignCenter);
  // Plain text: the limits are letter-spaced, and "<" must not start markup.
  LabelMin_->setTextFormat(Qt::PlainText);
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
  if (q < 1 || q > 6) return;
  // The editor's bounds hold for every change, also one made by a program.
  state_.DecimalPlaces[q] = std::clamp(editor->value(), kDecimalsMin, kDecimalsMax);
  emit decimalPlacesChanged();
}

}  // namespace tab97
