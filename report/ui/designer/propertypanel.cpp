#include "report/ui/designer/propertypanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/layout/generator.h"
#include "report/model/reportlimits.h"
#include "report/ui/designer/designericons.h"
#include "report/ui/designer/designnames.h"
#include "report/ui/designer/undohistory.h"

namespace report {
namespace {

// Commits the text when the editor loses the focus.
class FocusOutFilter : public QObject {
 public:
  FocusOutFilter(QObject* parent, std::function<void()> done) : QObject(parent), done_(std::move(done)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) done_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> done_;
};

QToolButton* ToolButton(QWidget* parent, const QIcon& icon, const QString& hint, const QString& name) {
  auto* b = new QToolButton(parent);
  b->setIcon(icon);
  b->setToolTip(hint);
  b->setObjectName(name);
  b->setCheckable(true);
  b->setAutoRaise(true);
  return b;
}

}  // namespace

TPropertyPanel::TPropertyPanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  kind_ = new QLabel(this);
  kind_->setObjectName(QStringLiteral("elementKind"));
  kind_->setWordWrap(true);
  QFont bold = kind_->font();
  bold.setBold(true);
  kind_->setFont(bold);
  layout->addWidget(kind_);
  buildPosition();
  buildText();
  buildLines();
  buildPicture();
  buildBarcode();
  buildPaintBox();
  layout->addStretch(1);
  showElement(nullptr, {});
}

QSpinBox* TPropertyPanel::spin(const QString& name, int min, int max) {
  auto* s = new QSpinBox(this);
  s->setObjectName(name);
  s->setRange(min, max);
  s->setKeyboardTracking(false);
  return s;
}

void TPropertyPanel::request(int code, const Change& change) {
  if (updating_) return;
  change(shown_);
  emit changeRequested(code, change);
}

void TPropertyPanel::buildPosition() {
  position_ = new QGroupBox(QStringLiteral("Poloha a rozměr"), this);
  auto* form = new QFormLayout(position_);
  left_ = spin(QStringLiteral("left"), -kMaxLength, kMaxLength);
  top_ = spin(QStringLiteral("top"), -kMaxLength, kMaxLength);
  width_ = spin(QStringLiteral("width"), 0, kMaxLength);
  height_ = spin(QStringLiteral("height"), 0, kMaxLength);
  form->addRow(QStringLiteral("L:"), left_);
  form->addRow(QStringLiteral("H:"), top_);
  form->addRow(QStringLiteral("Š:"), width_);
  form->addRow(QStringLiteral("V:"), height_);
  const auto connectField = [this](QSpinBox* s, int TReportElement::*field) {
    connect(s, &QSpinBox::valueChanged, this, [this, field](int v) {
      request(kUndoMove, [field, v](TReportElement& e) { e.*field = v; });
    });
  };
  connectField(left_, &TReportElement::left);
  connectField(top_, &TReportElement::top);
  connectField(width_, &TReportElement::width);
  connectField(height_, &TReportElement::height);
  layout()->addWidget(position_);
}

QCheckBox* TPropertyPanel::check(const QString& text, int bit, bool frameField) {
  auto* c = new QCheckBox(text, this);
  connect(c, &QCheckBox::toggled, this, [this, bit, frameField](bool on) {
    request(kUndoElementSettings, [bit, frameField, on](TReportElement& e) {
      int& field = frameField ? e.frame : e.flags;
      field = on ? (field | bit) : (field & ~bit);
    });
  });
  return c;
}

void TPropertyPanel::buildText() {
  text_ = new QGroupBox(QStringLiteral("Text a písmo"), this);
  auto* form = new QFormLayout(text_);
  textEdit_ = new QPlainTextEdit(text_);
  textEdit_->setObjectName(QStringLiteral("text"));
  textEdit_->setFixedHeight(60);
  textEdit_->setTabChangesFocus(true);
  textEdit_->installEventFilter(new FocusOutFilter(textEdit_, [this] { commitText(); }));
  form->addRow(QStringLiteral("Text:"), textEdit_);

  auto* fontRow = new QHBoxLayout;
  auto* font = new QToolButton(text_);
  font->setText(QStringLiteral("Písmo..."));
  font->setIcon(DesignerIcons::Of(DesignerIcons::kFont));
  font->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  connect(font, &QToolButton::clicked, this, [this] {
    commitText();
    emit fontRequested();
  });
  fontRow->addWidget(font);
  fontColour_ = DesignNames::ColourCombo(text_);
  fontColour_->setObjectName(QStringLiteral("fontColour"));
  fontColour_->setToolTip(QStringLiteral("Barva písma"));
  connect(fontColour_, &QComboBox::currentIndexChanged, this, [this](int i) {
    request(kUndoFont, [i](TReportElement& e) { e.font.color = i; });
  });
  fontRow->addWidget(fontColour_, 1);
  form->addRow(fontRow);

  auto* alignRow = new QHBoxLayout;
  const struct {
    DesignerIcons::Command icon;
    const char16_t* hint;
    int value;
  } kAlign[] = {{DesignerIcons::kAlignLeft, u"Zarovnat vlevo", kAlignLeft},
                {DesignerIcons::kAlignCenter, u"Zarovnat na střed", kAlignCenter},
                {DesignerIcons::kAlignRight, u"Zarovnat vpravo", kAlignRight}};
  for (const auto& a : kAlign) {
    QToolButton* b = ToolButton(text_, DesignerIcons::Of(a.icon), QString::fromUtf16(a.hint),
                                QStringLiteral("align%1").arg(a.value));
    const int value = a.value;
    connect(b, &QToolButton::clicked, this, [this, value] {
      request(kUndoAlignment, [value](TReportElement& e) { e.alignment = value; });
      for (QToolButton* other : align_) other->setChecked(other->objectName() == QStringLiteral("align%1").arg(value));
    });
    align_.append(b);
    alignRow->addWidget(b);
  }
  alignRow->addSpacing(8);
  static constexpr const char16_t* kSides[] = {u"Čára vlevo", u"Čára nahoře", u"Čára vpravo", u"Čára dole"};
  for (int k = 0; k < 4; ++k) {
    const int bit = 1 << k;
    QToolButton* b = ToolButton(text_, DesignerIcons::OfFrameSide(bit), QString::fromUtf16(kSides[k]),
                                QStringLiteral("SBCarR%1").arg(k + 1));
    connect(b, &QToolButton::toggled, this, [this, bit](bool on) {
      request(kUndoElementSettings,
              [bit, on](TReportElement& e) { e.frame = on ? (e.frame | bit) : (e.frame & ~bit); });
    });
    frame_.append(b);
    alignRow->addWidget(b);
  }
  alignRow->addStretch(1);
  form->addRow(alignRow);

  rotation_ = spin(QStringLiteral("rotation"), -360, 360);
  connect(rotation_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.extra[1] = v; });
  });
  form->addRow(QStringLiteral("Otočení:"), rotation_);
  textFlags_ = {check(QStringLiteral("RTF"), kFlagRichText, false),
                check(QStringLiteral("Zarovnávat do bloku"), kFlagJustify, false),
                check(QStringLiteral("Proměnná výška"), kFlagVariableHeight, false)};
  for (QCheckBox* c : textFlags_) form->addRow(c);
  layout()->addWidget(text_);
}

void TPropertyPanel::buildLines() {
  lines_ = new QGroupBox(QStringLiteral("Čára a výplň"), this);
  auto* form = new QFormLayout(lines_);
  penWidth_ = spin(QStringLiteral("penWidth"), 1, 100);
  connect(penWidth_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.penWidth = v; });
  });
  form->addRow(QStringLiteral("Tloušťka:"), penWidth_);
  penStyle_ = new QComboBox(lines_);
  penStyle_->setObjectName(QStringLiteral("penStyle"));
  penStyle_->addItems(DesignNames::PenStyles());
  connect(penStyle_, &QComboBox::currentIndexChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.penStyle = v; });
  });
  form->addRow(QStringLiteral("Styl čáry:"), penStyle_);
  penColour_ = DesignNames::ColourCombo(lines_);
  penColour_->setObjectName(QStringLiteral("penColour"));
  connect(penColour_, &QComboBox::currentIndexChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.penColor = v; });
  });
  form->addRow(QStringLiteral("Barva čáry:"), penColour_);
  fillStyle_ = new QComboBox(lines_);
  fillStyle_->setObjectName(QStringLiteral("fillStyle"));
  fillStyle_->addItems(DesignNames::FillStyles());
  connect(fillStyle_, &QComboBox::currentIndexChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.fillStyle = v; });
  });
  form->addRow(QStringLiteral("Výplň:"), fillStyle_);
  fillColour_ = DesignNames::ColourCombo(lines_);
  fillColour_->setObjectName(QStringLiteral("fillColour"));
  connect(fillColour_, &QComboBox::currentIndexChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.fillColor = v; });
  });
  form->addRow(QStringLiteral("Barva výplně:"), fillColour_);
  layout()->addWidget(lines_);
}

void TPropertyPanel::buildPicture() {
  picture_ = new QGroupBox(QStringLiteral("Obrázek"), this);
  auto* form = new QFormLayout(picture_);
  pictureName_ = new QLineEdit(picture_);
  pictureName_->setObjectName(QStringLiteral("pictureName"));
  connect(pictureName_, &QLineEdit::editingFinished, this, [this] {
    const QString name = pictureName_->text();
    if (name != shown_.text) request(kUndoText, [name](TReportElement& e) { e.text = name; });
  });
  form->addRow(QStringLiteral("Název:"), pictureName_);
  pictureFlags_ = {check(QStringLiteral("Podle okna"), kPictureStretch, true),
                   check(QStringLiteral("Zachovat poměr stran"), kPictureKeepAspect, true)};
  for (QCheckBox* c : pictureFlags_) form->addRow(c);
  layout()->addWidget(picture_);
}

void TPropertyPanel::buildBarcode() {
  barcode_ = new QGroupBox(QStringLiteral("Čárový kód"), this);
  auto* form = new QFormLayout(barcode_);
  barcodeType_ = new QComboBox(barcode_);
  barcodeType_->setObjectName(QStringLiteral("barcodeType"));
  barcodeType_->addItems(DesignNames::BarcodeTypes());
  connect(barcodeType_, &QComboBox::currentIndexChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.penStyle = v; });
  });
  form->addRow(QStringLiteral("Typ kódu:"), barcodeType_);
  barcodeText_ = new QLineEdit(barcode_);
  barcodeText_->setObjectName(QStringLiteral("barcodeText"));
  connect(barcodeText_, &QLineEdit::editingFinished, this, [this] {
    const QString text = barcodeText_->text();
    if (text != shown_.text) request(kUndoText, [text](TReportElement& e) { e.text = text; });
  });
  form->addRow(QStringLiteral("Text kódu:"), barcodeText_);
  barWidth_ = spin(QStringLiteral("barWidth"), 1, 49);
  connect(barWidth_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.penWidth = v; });
  });
  form->addRow(QStringLiteral("Šířka modulu:"), barWidth_);
  barcodeRotation_ = spin(QStringLiteral("barcodeRotation"), -360, 360);
  connect(barcodeRotation_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.extra[1] = v; });
  });
  form->addRow(QStringLiteral("Otočení:"), barcodeRotation_);
  barcodeFlags_ = {check(QStringLiteral("Kontrolní číslice"), kBarcodeCheckDigit, true),
                   check(QStringLiteral("Tisknout text"), kBarcodeShowText, true)};
  for (QCheckBox* c : barcodeFlags_) form->addRow(c);
  layout()->addWidget(barcode_);
}

void TPropertyPanel::buildPaintBox() {
  paintBox_ = new QGroupBox(QStringLiteral("Kreslicí plocha"), this);
  auto* form = new QFormLayout(paintBox_);
  paintIndex_ = spin(QStringLiteral("paintIndex"), 0, 9999);
  connect(paintIndex_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.index = v; });
  });
  form->addRow(QStringLiteral("Index:"), paintIndex_);
  paintZoom_ = spin(QStringLiteral("paintZoom"), 1, 6);
  connect(paintZoom_, &QSpinBox::valueChanged, this, [this](int v) {
    request(kUndoElementSettings, [v](TReportElement& e) { e.fillStyle = v; });
  });
  form->addRow(QStringLiteral("Zoom:"), paintZoom_);
  layout()->addWidget(paintBox_);
}

void TPropertyPanel::commitText() {
  if (updating_ || !hasElement_ || text_->isHidden()) return;
  const QString typed = textEdit_->toPlainText();
  if (typed == shown_.text) return;
  request(kUndoText, [typed](TReportElement& e) { e.text = typed; });
}

void TPropertyPanel::showElement(const TReportElement* e, const QString& description) {
  updating_ = true;
  shown_ = e ? *e : TReportElement{};
  hasElement_ = e != nullptr;
  kind_->setText(e ? description : QStringLiteral("Není vybrán žádný prvek"));
  const int kind = e ? e->kind : 0;
  position_->setVisible(e);
  text_->setVisible(IsTextKind(kind));
  lines_->setVisible(kind >= kElementLine && kind <= kElementEllipse);
  picture_->setVisible(kind == kElementPicture);
  barcode_->setVisible(kind == kElementBarcode);
  paintBox_->setVisible(kind == kElementPaintBox);
  if (e) {
    left_->setValue(e->left);
    top_->setValue(e->top);
    width_->setValue(e->width);
    height_->setValue(e->height);
    if (textEdit_->toPlainText() != e->text) textEdit_->setPlainText(e->text);
    fontColour_->setCurrentIndex(e->font.color);
    for (int a = 0; a < align_.size(); ++a)
      align_[a]->setChecked(align_[a]->objectName() == QStringLiteral("align%1").arg(e->alignment & 3));
    rotation_->setValue(e->rotation());
    for (int k = 0; k < frame_.size(); ++k) frame_[k]->setChecked(e->frame & (1 << k));
    const int flagBits[] = {kFlagRichText, kFlagJustify, kFlagVariableHeight};
    for (int k = 0; k < textFlags_.size(); ++k) textFlags_[k]->setChecked(e->flags & flagBits[k]);
    penWidth_->setValue(e->penWidth);
    penStyle_->setCurrentIndex(std::clamp(e->penStyle, 0, static_cast<int>(penStyle_->count()) - 1));
    penColour_->setCurrentIndex(e->penColor);
    fillStyle_->setCurrentIndex(std::clamp(e->fillStyle, 0, static_cast<int>(fillStyle_->count()) - 1));
    fillColour_->setCurrentIndex(e->fillColor);
    pictureName_->setText(e->text);
    pictureFlags_[0]->setChecked(e->frame & kPictureStretch);
    pictureFlags_[1]->setChecked(e->frame & kPictureKeepAspect);
    barcodeType_->setCurrentIndex(e->barcodeType());
    barcodeText_->setText(e->text);
    barWidth_->setValue(e->barWidth());
    barcodeRotation_->setValue(e->rotation());
    barcodeFlags_[0]->setChecked(e->frame & kBarcodeCheckDigit);
    barcodeFlags_[1]->setChecked(e->frame & kBarcodeShowText);
    paintIndex_->setValue(e->index);
    paintZoom_->setValue(std::clamp(e->fillStyle, 1, 6));
  }
  updating_ = false;
}

}  // namespace report
