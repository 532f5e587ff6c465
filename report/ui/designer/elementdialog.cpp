#include "report/ui/designer/elementdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "report/io/systemvariables.h"
#include "report/layout/generator.h"
#include "report/layout/reportfonts.h"
#include "report/model/reportlimits.h"
#include "report/ui/designer/designnames.h"

namespace report {
namespace {

QString FontText(const TReportFont& f) {
  QString text = f.name + QStringLiteral(", ") + QString::number(f.size) + QStringLiteral(" b.");
  if (f.style & kFontBold) text += QStringLiteral(", tučné");
  if (f.style & kFontItalic) text += QStringLiteral(", kurzíva");
  if (f.style & kFontUnderline) text += QStringLiteral(", podtržené");
  if (f.style & kFontStrikeOut) text += QStringLiteral(", přeškrtnuté");
  return text;
}

}  // namespace

QSpinBox* TElementDlg::spin(const QString& name, int min, int max, int value) {
  auto* s = new QSpinBox(this);
  s->setObjectName(name);
  s->setRange(min, max);
  s->setValue(value);
  return s;
}

TElementDlg::TElementDlg(const TReportElement& element, const Choices& choices, QWidget* parent)
    : QDialog(parent), element_(element), choices_(choices) {
  setWindowTitle(QStringLiteral("Nastavit prvek"));
  auto* form = new QFormLayout(this);
  const int kind = element.kind;
  auto* kindLabel = new QLabel(kind == kElementDetail ? QStringLiteral("Detail") : ElementKindName(kind), this);
  QFont bold = kindLabel->font();
  bold.setBold(true);
  kindLabel->setFont(bold);
  form->addRow(QStringLiteral("Druh prvku:"), kindLabel);
  buildReference(form);

  left_ = spin(QStringLiteral("left"), -kMaxLength, kMaxLength, element.left);
  top_ = spin(QStringLiteral("top"), -kMaxLength, kMaxLength, element.top);
  width_ = spin(QStringLiteral("width"), 0, kMaxLength, element.width);
  height_ = spin(QStringLiteral("height"), 0, kMaxLength, element.height);
  auto* place = new QHBoxLayout;
  for (auto [caption, box] : {std::pair{QStringLiteral("L:"), left_}, std::pair{QStringLiteral("H:"), top_},
                              std::pair{QStringLiteral("Š:"), width_}, std::pair{QStringLiteral("V:"), height_}}) {
    place->addWidget(new QLabel(caption, this));
    place->addWidget(box);
  }
  form->addRow(QStringLiteral("Poloha:"), place);

  if (IsTextKind(kind)) {
    text_ = new QPlainTextEdit(element.text, this);
    text_->setObjectName(QStringLiteral("text"));
    text_->setTabChangesFocus(true);
    text_->setMinimumHeight(70);
    form->addRow(kind == kElementText ? QStringLiteral("Text:") : QStringLiteral("Formát:"), text_);
    auto* fontRow = new QHBoxLayout;
    font_ = new QLabel(FontText(element.font), this);
    font_->setObjectName(QStringLiteral("fontName"));
    auto* fontButton = new QPushButton(QStringLiteral("Písmo..."), this);
    connect(fontButton, &QPushButton::clicked, this, &TElementDlg::chooseFont);
    fontRow->addWidget(font_, 1);
    fontRow->addWidget(fontButton);
    form->addRow(QStringLiteral("Písmo:"), fontRow);
    fontColour_ = DesignNames::ColourCombo(this);
    fontColour_->setCurrentIndex(element.font.color);
    form->addRow(QStringLiteral("Barva písma:"), fontColour_);
    alignment_ = new QComboBox(this);
    alignment_->setObjectName(QStringLiteral("alignment"));
    alignment_->addItems({QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Na střed")});
    alignment_->setCurrentIndex(std::clamp(element.alignment & 3, 0, 2));
    form->addRow(QStringLiteral("Zarovnání:"), alignment_);
    rotation_ = spin(QStringLiteral("rotation"), -360, 360, element.rotation());
    form->addRow(QStringLiteral("Otočení:"), rotation_);
    auto* frameRow = new QHBoxLayout;
    const QString sides[] = {QStringLiteral("vlevo"), QStringLiteral("nahoře"), QStringLiteral("vpravo"),
                             QStringLiteral("dole")};
    for (int k = 0; k < 4; ++k) {
      auto* c = new QCheckBox(sides[k], this);
      c->setObjectName(QStringLiteral("SBCarR%1").arg(k + 1));
      c->setChecked(element.frame & (1 << k));
      frame_.append(c);
      frameRow->addWidget(c);
    }
    form->addRow(QStringLiteral("Rámeček:"), frameRow);
    const std::pair<QString, int> flags[] = {{QStringLiteral("RTF"), kFlagRichText},
                                             {QStringLiteral("Zarovnávat do bloku"), kFlagJustify},
                                             {QStringLiteral("Proměnná výška"), kFlagVariableHeight}};
    for (const auto& [caption, bit] : flags) {
      auto* c = new QCheckBox(caption, this);
      c->setChecked(element.flags & bit);
      flags_.append(c);
      form->addRow(c);
    }
  } else if (kind >= kElementLine && kind <= kElementEllipse) {
    penWidth_ = spin(QStringLiteral("penWidth"), 1, 100, std::max(1, element.penWidth));
    form->addRow(QStringLiteral("Tloušťka:"), penWidth_);
    penStyle_ = new QComboBox(this);
    penStyle_->addItems(DesignNames::PenStyles());
    penStyle_->setCurrentIndex(std::clamp(element.penStyle, 0, 5));
    form->addRow(QStringLiteral("Styl čáry:"), penStyle_);
    penColour_ = DesignNames::ColourCombo(this);
    penColour_->setCurrentIndex(element.penColor);
    form->addRow(QStringLiteral("Barva čáry:"), penColour_);
    if (kind != kElementLine) {
      fillStyle_ = new QComboBox(this);
      fillStyle_->addItems(DesignNames::FillStyles());
      fillStyle_->setCurrentIndex(std::clamp(element.fillStyle, 0, 7));
      form->addRow(QStringLiteral("Výplň:"), fillStyle_);
      fillColour_ = DesignNames::ColourCombo(this);
      fillColour_->setCurrentIndex(element.fillColor);
      form->addRow(QStringLiteral("Barva výplně:"), fillColour_);
    }
  } else if (kind == kElementPicture || kind == kElementBarcode) {
    lineText_ = new QLineEdit(element.text, this);
    lineText_->setObjectName(QStringLiteral("lineText"));
    form->addRow(kind == kElementPicture ? QStringLiteral("Obrázek:") : QStringLiteral("Text kódu:"), lineText_);
    if (kind == kElementBarcode) {
      barcodeType_ = new QComboBox(this);
      barcodeType_->addItems(DesignNames::BarcodeTypes());
      barcodeType_->setCurrentIndex(element.barcodeType());
      form->addRow(QStringLiteral("Typ kódu:"), barcodeType_);
      penWidth_ = spin(QStringLiteral("barWidth"), 1, 49, std::clamp(element.barWidth(), 1, 49));
      form->addRow(QStringLiteral("Šířka modulu:"), penWidth_);
      rotation_ = spin(QStringLiteral("rotation"), -360, 360, element.rotation());
      form->addRow(QStringLiteral("Otočení:"), rotation_);
    }
    const QString captions[] = {kind == kElementPicture ? QStringLiteral("Podle okna") : QStringLiteral("Kontrolní číslice"),
                                kind == kElementPicture ? QStringLiteral("Zachovat poměr stran")
                                                        : QStringLiteral("Tisknout text")};
    for (int k = 0; k < 2; ++k) {
      auto* c = new QCheckBox(captions[k], this);
      c->setChecked(element.frame & (16 << k));
      options_.append(c);
      form->addRow(c);
    }
  } else if (kind == kElementPaintBox) {
    zoom_ = spin(QStringLiteral("zoom"), 1, 6, std::clamp(element.fillStyle, 1, 6));
    form->addRow(QStringLiteral("Zoom:"), zoom_);
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void TElementDlg::buildReference(QFormLayout* form) {
  const TReportElement& e = element_;
  switch (e.kind) {
    case kElementColumn:
    case kElementCaption: {
      reference_ = new QComboBox(this);
      reference_->addItems(choices_.fieldNames);
      int i = e.hasName() ? FindColumn(choices_.fieldNames, e.name) : e.index;
      if (e.hasName() && i < 0) {
        reference_->addItem(e.name);
        i = reference_->count() - 1;
      }
      reference_->setCurrentIndex(i);
      form->addRow(QStringLiteral("Položka:"), reference_);
      break;
    }
    case kElementVariable: {
      reference_ = new QComboBox(this);
      const int count = kVarFirstGroup + 2 * choices_.groupCount;
      for (int v = 0; v < std::max(count, e.index + 1); ++v) reference_->addItem(SystemVariableName(v));
      reference_->setCurrentIndex(e.index);
      form->addRow(QStringLiteral("Proměnná:"), reference_);
      break;
    }
    case kElementFunction: {
      reference_ = new QComboBox(this);
      for (const TRadekFunkce& f : choices_.functions) reference_->addItem(f.name);
      int i = e.hasName() ? choices_.functions.indexOf(e.name) : e.index;
      if (e.hasName() && i < 0) {
        reference_->addItem(e.name);
        i = reference_->count() - 1;
      }
      reference_->setCurrentIndex(i);
      form->addRow(QStringLiteral("Funkce:"), reference_);
      break;
    }
    case kElementParameter:
      index_ = spin(QStringLiteral("index"), 0, 9999, e.index);
      form->addRow(QStringLiteral("Parametr:"), index_);
      break;
    case kElementPaintBox:
    case kElementDetail:
      index_ = spin(QStringLiteral("index"), 0, e.kind == kElementDetail ? kMaxDetails - 1 : 9999, e.index);
      form->addRow(QStringLiteral("Index:"), index_);
      break;
    default: break;
  }
  if (reference_) {
    reference_->setObjectName(QStringLiteral("reference"));
    originalReference_ = reference_->currentIndex();
  }
}

void TElementDlg::chooseFont() {
  QFontDialog dialog(ReportQFont(element_.font), this);
  dialog.setWindowTitle(QStringLiteral("Písmo"));
  if ((dialogRunner ? dialogRunner(dialog) : dialog.exec()) != QDialog::Accepted) return;
  const QFont f = dialog.selectedFont();
  element_.font.name = f.family();
  element_.font.size = std::clamp(f.pointSize() > 0 ? f.pointSize() : kDefaultFontSize, 1, kMaxFontSize);
  element_.font.style = (f.bold() ? kFontBold : 0) | (f.italic() ? kFontItalic : 0) |
                        (f.underline() ? kFontUnderline : 0) | (f.strikeOut() ? kFontStrikeOut : 0);
  font_->setText(FontText(element_.font));
}

TReportElement TElementDlg::element() const {
  TReportElement e = element_;
  e.left = left_->value();
  e.top = top_->value();
  e.width = width_->value();
  e.height = height_->value();
  // The reference is taken as chosen; an element that referred by number and
  // whose choice was left alone keeps referring by number.
  if (reference_ && reference_->currentIndex() >= 0 &&
      (reference_->currentIndex() != originalReference_ || element_.hasName() || e.kind == kElementVariable)) {
    e.index = reference_->currentIndex();
    if (e.kind == kElementColumn || e.kind == kElementCaption || e.kind == kElementFunction) {
      e.name = reference_->currentText().left(kMaxElementNameLength);
      if (e.kind == kElementFunction) e.index = std::max(0, choices_.functions.indexOf(e.name));
      else e.index = std::max(0, FindColumn(choices_.fieldNames, e.name));
    }
  }
  if (index_) e.index = index_->value();
  if (text_) e.text = text_->toPlainText();
  if (lineText_) e.text = lineText_->text();
  if (fontColour_) e.font.color = fontColour_->currentIndex();
  if (alignment_) e.alignment = alignment_->currentIndex();
  if (rotation_) e.extra[1] = rotation_->value();
  for (int k = 0; k < frame_.size(); ++k) e.frame = frame_[k]->isChecked() ? (e.frame | (1 << k)) : (e.frame & ~(1 << k));
  const int flagBits[] = {kFlagRichText, kFlagJustify, kFlagVariableHeight};
  for (int k = 0; k < flags_.size(); ++k)
    e.flags = flags_[k]->isChecked() ? (e.flags | flagBits[k]) : (e.flags & ~flagBits[k]);
  if (penWidth_) e.penWidth = penWidth_->value();
  if (penStyle_) e.penStyle = penStyle_->currentIndex();
  if (barcodeType_) e.penStyle = barcodeType_->currentIndex();
  if (penColour_) e.penColor = penColour_->currentIndex();
  if (fillStyle_) e.fillStyle = fillStyle_->currentIndex();
  if (fillColour_) e.fillColor = fillColour_->currentIndex();
  for (int k = 0; k < options_.size(); ++k)
    e.frame = options_[k]->isChecked() ? (e.frame | (16 << k)) : (e.frame & ~(16 << k));
  if (zoom_) e.fillStyle = zoom_->value();
  return e;
}

}  // namespace report
