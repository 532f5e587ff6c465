#include "report/ui/designer/paleta.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>

#include "report/barcode/barcode.h"
#include "report/io/systemvariables.h"
#include "report/model/reportlimits.h"
#include "report/ui/designer/designericons.h"

namespace report {
namespace {

// Variable entries of the group variables: which of the two.
constexpr int kRowInGroup = 0;
constexpr int kGroupNumber = 1;
const char* const kGroupVariable = "groupVariable";

}  // namespace

TPaleta::TPaleta(QWidget* parent) : QTabWidget(parent), group_(new QButtonGroup(this)) {
  group_->setExclusive(false);
  connect(group_, &QButtonGroup::buttonToggled, this, &TPaleta::buttonToggled);
  addPage(QStringLiteral("Položky"), &columns_);
  addPage(QStringLiteral("Popisy"), &captions_);
  addPage(QStringLiteral("Parametry"), &parameters_);

  QWidget* vars = addPage(QStringLiteral("Proměnné"), &variables_);
  struct Var {
    const char16_t* text;
    const char16_t* hint;
    int index;
    int group;  // -1, or which group variable
  };
  static constexpr Var kVars[] = {
      {u"Datum", u"Datum tisku", kVarPrintDate, -1},
      {u"Čas", u"Čas tisku", kVarPrintTime, -1},
      {u"Řádek", u"Číslo řádku v sestavě", kVarRow, -1},
      {u"Strana", u"Číslo strany", kVarPage, -1},
      {u"Řádek ve sk.", u"Číslo řádku ve skupině", kVarFirstGroup, kRowInGroup},
      {u"Skupina", u"Číslo skupiny", kVarFirstGroup + 1, kGroupNumber},
      {u"Stran", u"Celkový počet stran", kVarPageCount, -1},
  };
  for (const Var& v : kVars) {
    QToolButton* b = addEntry(variables_, QString::fromUtf16(v.text), QString::fromUtf16(v.hint),
                              Prototype(kElementVariable, v.index));
    if (v.group >= 0) b->setProperty(kGroupVariable, v.group);
  }
  auto* groupLabel = new QLabel(QStringLiteral("Skupina:"), vars);
  groupNumber_ = new QSpinBox(vars);
  groupNumber_->setObjectName(QStringLiteral("groupNumber"));
  groupNumber_->setRange(1, 1);
  vars->layout()->addWidget(groupLabel);
  vars->layout()->addWidget(groupNumber_);

  QWidget* fns = addPage(QStringLiteral("Funkce"), &functions_);
  editFunction_ = new QPushButton(QStringLiteral("Oprav"), fns);
  auto* add = new QPushButton(QStringLiteral("Přidej"), fns);
  removeFunction_ = new QPushButton(QStringLiteral("Vynech"), fns);
  for (QPushButton* b : {editFunction_, add, removeFunction_}) fns->layout()->addWidget(b);
  editFunction_->setEnabled(false);
  removeFunction_->setEnabled(false);
  connect(editFunction_, &QPushButton::clicked, this, [this] {
    const int f = chosenFunction();
    if (f >= 0) emit editFunctionRequested(f);
  });
  connect(add, &QPushButton::clicked, this, &TPaleta::addFunctionRequested);
  connect(removeFunction_, &QPushButton::clicked, this, [this] {
    const int f = chosenFunction();
    if (f >= 0) emit removeFunctionRequested(f);
  });

  addPage(QStringLiteral("Grafické prvky"), &graphics_);
  struct Graphic {
    const char16_t* hint;
    int kind;
  };
  static constexpr Graphic kGraphics[] = {
      {u"Grafický text", kElementText},        {u"Úsečky", kElementLine},
      {u"Hranatý rámeček", kElementRectangle}, {u"Zaoblený rámeček", kElementRoundRect},
      {u"Elipsa", kElementEllipse},            {u"Obrázek", kElementPicture},
      {u"Čárový kód", kElementBarcode},        {u"Kreslicí plocha", kElementPaintBox},
  };
  for (const Graphic& g : kGraphics) {
    QToolButton* b = addEntry(graphics_, QString(), QString::fromUtf16(g.hint), Prototype(g.kind),
                              DesignerIcons::OfKind(g.kind));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  addPage(QStringLiteral("Detaily"), &details_);
  addEntry(details_, QStringLiteral("Detail"), QStringLiteral("Detail"), Prototype(kElementDetail),
           DesignerIcons::OfKind(kElementDetail));
  setFixedHeight(tabBar()->sizeHint().height() + 58);
}

TReportElement TPaleta::Prototype(int kind, int index) {
  TReportElement e;
  e.kind = kind;
  e.index = index;
  e.width = 100;
  e.height = 20;
  switch (kind) {
    case kElementText: e.text = QStringLiteral("Text"); break;
    case kElementColumn:
    case kElementCaption:
      e.width = 97;
      break;
    case kElementLine:
      e.height = 0;
      break;
    case kElementRectangle:
    case kElementRoundRect:
    case kElementEllipse:
      e.index = kind;  // as the reader keeps them
      e.height = 50;
      e.fillStyle = 1;  // no fill
      break;
    case kElementPicture:
      e.height = 100;
      e.frame = kPictureStretch | kPictureKeepAspect;
      e.fillStyle = 1;
      break;
    case kElementBarcode:
      e.width = 150;
      e.height = 50;
      e.penStyle = kDefaultBarcodeType;
      e.penWidth = 1;
      e.frame = kBarcodeShowText;
      e.fillColor = 15;  // white behind the bars
      e.text = QStringLiteral("123456789012");
      break;
    case kElementPaintBox:
      e.height = 100;
      e.fillStyle = 1;  // zoom 1
      break;
    case kElementDetail: e.height = 40; break;
    default: break;
  }
  return e;
}

QWidget* TPaleta::addPage(const QString& title, QHBoxLayout** entries) {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* scroll = new QScrollArea(page);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* strip = new QWidget(scroll);
  *entries = new QHBoxLayout(strip);
  (*entries)->setContentsMargins(0, 0, 0, 0);
  (*entries)->setSpacing(2);
  (*entries)->addStretch(1);
  scroll->setWidget(strip);
  scroll->setMinimumHeight(40);
  layout->addWidget(scroll, 1);
  addTab(page, title);
  return page;
}

QToolButton* TPaleta::addEntry(QHBoxLayout* layout, const QString& text, const QString& hint,
                               const TReportElement& e, const QIcon& icon) {
  auto* b = new QToolButton(layout->parentWidget());
  b->setText(text);
  b->setToolTip(hint);
  b->setStatusTip(hint);
  b->setCheckable(true);
  b->setAutoRaise(true);
  if (!icon.isNull()) {
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
  }
  layout->insertWidget(layout->count() - 1, b);  // before the stretch
  group_->addButton(b);
  prototypes_.insert(b, e);
  return b;
}

void TPaleta::clearEntries(QHBoxLayout* layout) {
  for (QAbstractButton* b : group_->buttons()) {
    if (b->parentWidget() != layout->parentWidget()) continue;
    group_->removeButton(b);
    prototypes_.remove(b);
    functionOf_.remove(b);
    delete b;
  }
}

void TPaleta::setColumns(const QStringList& names, const QStringList& labels) {
  clearEntries(columns_);
  clearEntries(captions_);
  for (int c = 0; c < names.size(); ++c) {
    TReportElement value = Prototype(kElementColumn, c);
    value.name = names.at(c).left(kMaxElementNameLength);
    TReportElement caption = Prototype(kElementCaption, c);
    caption.name = value.name;
    const QString label = labels.value(c);
    addEntry(columns_, names.at(c), label.isEmpty() ? names.at(c) : label, value);
    addEntry(captions_, names.at(c), label.isEmpty() ? names.at(c) : label, caption);
  }
}

void TPaleta::setParameters(const QStringList& parameters) {
  clearEntries(parameters_);
  for (int p = 0; p < parameters.size(); ++p) {
    QString text = parameters.at(p).simplified();
    if (text.size() > 24) text = text.left(24) + QStringLiteral("…");
    const QString name = QStringLiteral("Parametr ") + QString::number(p);
    addEntry(parameters_, text.isEmpty() ? name : text, name + QStringLiteral(": ") + parameters.at(p),
             Prototype(kElementParameter, p));
  }
}

void TPaleta::setFunctions(const TListFunkci& functions) {
  clearEntries(functions_);
  for (int f = 0; f < functions.count(); ++f) {
    TReportElement e = Prototype(kElementFunction, f);
    e.name = functions[f].name.left(kMaxElementNameLength);
    const QString hint = functions[f].description.isEmpty() ? functions[f].name : functions[f].description;
    QToolButton* b = addEntry(functions_, functions[f].name, hint, e);
    functionOf_.insert(b, f);
  }
  editFunction_->setEnabled(false);
  removeFunction_->setEnabled(false);
}

void TPaleta::setGroupCount(int groups) {
  groupNumber_->setRange(1, std::max(1, groups));
  for (QAbstractButton* b : group_->buttons())
    if (b->property(kGroupVariable).isValid()) b->setEnabled(groups > 0);
  groupNumber_->setEnabled(groups > 0);
}

std::optional<TReportElement> TPaleta::chosen() const {
  for (QAbstractButton* b : group_->buttons()) {
    if (!b->isChecked()) continue;
    TReportElement e = prototypes_.value(b);
    const QVariant which = b->property(kGroupVariable);
    if (which.isValid()) e.index = kVarFirstGroup + 2 * (groupNumber_->value() - 1) + which.toInt();
    return e;
  }
  return std::nullopt;
}

int TPaleta::chosenFunction() const {
  for (QAbstractButton* b : group_->buttons())
    if (b->isChecked() && functionOf_.contains(b)) return functionOf_.value(b);
  return -1;
}

void TPaleta::clearChoice() {
  for (QAbstractButton* b : group_->buttons())
    if (b->isChecked()) b->setChecked(false);
}

QToolButton* TPaleta::entry(const QString& text) const {
  for (QAbstractButton* b : group_->buttons())
    if (b->toolTip() == text || b->text() == text) return qobject_cast<QToolButton*>(b);
  return nullptr;
}

void TPaleta::buttonToggled(QAbstractButton* button, bool on) {
  if (on)
    for (QAbstractButton* b : group_->buttons())
      if (b != button && b->isChecked()) {
        const QSignalBlocker block(b);
        b->setChecked(false);
      }
  const bool function = chosenFunction() >= 0;
  editFunction_->setEnabled(function);
  removeFunction_->setEnabled(function);
  emit choiceChanged(chosen().has_value());
}

}  // namespace report
