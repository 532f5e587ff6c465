#include "report/ui/designer/papir.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>
#include <algorithm>

#include "report/ui/designer/oddil.h"
#include "report/ui/designer/selectiongeometry.h"
#include "report/ui/designer/sesprvek.h"
#include "report/ui/designer/templatedocument.h"

namespace report {
namespace {

// The smallest size an element can be dragged to: a line may have no width or
// height, anything else keeps one unit.
int MinSide(const TReportElement& e) { return e.kind == kElementLine ? 0 : 1; }

QRect RectOf(const TReportElement& e) { return QRect(e.left, e.top, e.width, e.height); }

}  // namespace

TPapir::TPapir(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(false);
  setRenderHooks({});
}

TPapir::~TPapir() = default;

void TPapir::setRenderHooks(const RenderHooks& hooks) {
  hooks_ = hooks;
  RenderHooks withPlaceholder = hooks;
  // A drawing area is painted by the host only when the report runs; here it
  // shows where it is.
  withPlaceholder.paintBox = [](int index, int w, int h, QPainter& p) {
    p.fillRect(QRectF(0, 0, w, h), QBrush(QColor(0, 128, 0, 50), Qt::DiagCrossPattern));
    p.setPen(QPen(QColor(0, 128, 0), 0, Qt::DashLine));
    p.drawRect(QRectF(0, 0, w, h));
    p.drawText(QRectF(0, 0, w, h), Qt::AlignCenter, ElementKindName(kElementPaintBox) + u' ' + QString::number(index));
  };
  renderer_ = std::make_unique<PageRenderer>(withPlaceholder);
}

void TPapir::setZoom(double zoom) {
  zoom_ = std::clamp(zoom, 0.1, 10.0);
  rebuild();
}

DesignRaster TPapir::raster() const {
  return document_ ? DesignRaster::Of(document_->report().raster) : DesignRaster();
}

bool TPapir::showsRaster() const { return document_ && document_->report().raster.designerFlag1 != 0; }

int TPapir::sectionWidth() const {
  if (!document_) return 100;
  return std::max(50, document_->report().paper.columnWidth());
}

TOddil* TPapir::sectionPanel(int section) const {
  for (TOddil* p : panels_)
    if (p->section() == section) return p;
  return nullptr;
}

TSesPrvek* TPapir::elementWidget(ElementRef ref) const {
  TOddil* panel = sectionPanel(ref.section);
  if (!panel || ref.index < 0 || ref.index >= panel->elementWidgets().size()) return nullptr;
  return panel->elementWidgets().at(ref.index);
}

void TPapir::rebuild() {
  cancelDrag();
  if (!document_) return;
  context_.functions = document_->report().functions;
  const QList<int> order = document_->sectionOrder(true);
  QList<TOddil*> old = panels_;
  panels_.clear();
  for (int id : order) {
    TOddil* panel = nullptr;
    for (TOddil* p : old)
      if (p->section() == id) panel = p;
    if (panel) old.removeOne(panel);
    else panel = new TOddil(this, id, this);
    panels_.append(panel);
    panel->show();
  }
  for (TOddil* p : old) delete p;
  for (TOddil* p : panels_) syncPanel(p);
  layoutPanels();
  setSelection(selection_);
  update();
}

void TPapir::syncPanel(TOddil* panel) {
  const TOddilSestavy* s = document_->section(panel->section());
  panel->setCaption(document_->sectionCaption(panel->section()));
  panel->setShownHeight(s->height);
  QList<TSesPrvek*>& widgets = panel->elementWidgets();
  while (widgets.size() > s->elements.size()) delete widgets.takeLast();
  while (widgets.size() < s->elements.size()) {
    auto* w = new TSesPrvek(this, panel);
    widgets.append(w);
    w->show();
  }
  for (int i = 0; i < s->elements.size(); ++i) {
    TSesPrvek* w = widgets.at(i);
    w->setRef({panel->section(), i});
    w->setElement(ElementLook::Output(s->elements.at(i), context_, measurer_));
    w->raise();  // the drawing order
  }
}

void TPapir::layoutPanels() {
  const int width = sectionWidth();
  int y = kGap;
  int w = 0;
  for (TOddil* p : panels_) {
    const QSize size = p->panelSize(width);
    p->setGeometry(kGap, y, size.width(), size.height());
    for (TSesPrvek* e : p->elementWidgets()) placeElement(e);
    y += size.height() + kGap;
    w = std::max(w, size.width());
  }
  resize(w + 2 * kGap, y);
}

void TPapir::placeElement(TSesPrvek* w) const {
  const QRect px = SelectionGeometry::ToPixels(w->shownRect(), zoom_);
  const QPoint origin(0, TOddil::kCaptionHeight);
  w->setGeometry(origin.x() + px.x() - TSesPrvek::kMargin, origin.y() + px.y() - TSesPrvek::kMargin,
                 px.width() + 2 * TSesPrvek::kMargin + 1, px.height() + 2 * TSesPrvek::kMargin + 1);
}

void TPapir::setSelection(const QList<ElementRef>& selection) {
  selection_.clear();
  for (const ElementRef& ref : selection)
    if (elementWidget(ref) && !selection_.contains(ref)) selection_.append(ref);
  for (TOddil* p : panels_)
    for (TSesPrvek* w : p->elementWidgets()) w->setSelected(selection_.contains(w->ref()));
}

void TPapir::setPlacing(bool placing) {
  placing_ = placing;
  for (TOddil* p : panels_) p->setCursor(placing ? Qt::CrossCursor : Qt::ArrowCursor);
}

void TPapir::cancelDrag() {
  if (drag_.panel && drag_.mode == Drag::Band) drag_.panel->rubberBand()->hide();
  drag_ = DragState{};
}

// ---- Elements.

void TPapir::elementPress(TSesPrvek* pressed, QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const ElementRef ref = pressed->ref();
  const QPoint at = event->position().toPoint();
  const QPointF global = event->globalPosition();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  // Taking the focus may commit a text typed in the property area, and the
  // window may show the document anew: the element is looked up again.
  setFocus(Qt::MouseFocusReason);
  emit sectionClicked(ref.section);
  TSesPrvek* w = elementWidget(ref);
  if (!w) return;
  if (placing_) {
    // A click on an element while placing places the new element there.
    TOddil* panel = sectionPanel(ref.section);
    emit placeRequested(ref.section, panel->toHundredths(w->mapTo(panel, at)));
    return;
  }
  const DesignHandle handle =
      w->isSelected() ? SelectionGeometry::HandleAt(w->elementPixels(), at) : DesignHandle::None;
  const bool resize = handle != DesignHandle::None && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
  if (!resize) {
    emit elementClicked(ref, modifiers);
    if (!selection_.contains(ref)) return;
  }
  drag_ = DragState{};
  drag_.start = global;
  drag_.modifiers = modifiers;
  drag_.anchor = ref;
  drag_.mode = resize ? Drag::Resize : Drag::Move;
  drag_.handle = handle;
  drag_.refs = resize ? QList<ElementRef>{ref} : selection_;
  for (const ElementRef& r : drag_.refs) drag_.startRects.append(elementWidget(r)->shownRect());
  drag_.rects = drag_.startRects;
}

void TPapir::elementMove(TSesPrvek* w, QMouseEvent* event) {
  event->accept();
  if (drag_.mode == Drag::None || !(event->buttons() & Qt::LeftButton)) {
    // Hovering: the handle under the mouse shows its cursor.
    const DesignHandle h = w->isSelected() ? SelectionGeometry::HandleAt(w->elementPixels(), event->position().toPoint())
                                           : DesignHandle::None;
    w->setCursor(placing_ ? Qt::CrossCursor
                          : h == DesignHandle::None ? Qt::SizeAllCursor
                                                    : static_cast<Qt::CursorShape>(SelectionGeometry::CursorOf(h)));
    return;
  }
  const QPointF d = event->globalPosition() - drag_.start;
  const QPoint delta(SelectionGeometry::ToHundredths(qRound(d.x()), zoom_),
                     SelectionGeometry::ToHundredths(qRound(d.y()), zoom_));
  const DesignRaster r = raster();
  if (drag_.mode == Drag::Move) {
    const qsizetype a = drag_.refs.indexOf(drag_.anchor);
    const QPoint step = r.moveDelta(drag_.startRects.at(a).topLeft(), delta);
    for (qsizetype i = 0; i < drag_.refs.size(); ++i) {
      QRect moved = drag_.startRects.at(i).translated(step);
      moved.moveTo(std::max(0, moved.x()), std::max(0, moved.y()));
      drag_.rects[i] = moved;
      elementWidget(drag_.refs.at(i))->setShownRect(moved);
    }
  } else if (drag_.mode == Drag::Resize) {
    const int min = MinSide(elementWidget(drag_.anchor)->element());
    drag_.rects[0] = r.resized(drag_.startRects.at(0), drag_.handle, delta, min, min);
    elementWidget(drag_.anchor)->setShownRect(drag_.rects.at(0));
  }
}

void TPapir::elementRelease(TSesPrvek*, QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const DragState done = drag_;
  drag_ = DragState{};
  if ((done.mode == Drag::Move || done.mode == Drag::Resize) && done.rects != done.startRects)
    emit rectsChanged(done.refs, done.rects);
}

void TPapir::elementDoubleClick(TSesPrvek* w, QMouseEvent* event) {
  event->accept();
  drag_ = DragState{};
  if (event->button() == Qt::LeftButton) emit elementDoubleClicked(w->ref());
}

// ---- Sections.

void TPapir::sectionPress(TOddil* pressed, QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const int section = pressed->section();
  setFocus(Qt::MouseFocusReason);
  TOddil* panel = sectionPanel(section);
  if (!panel) return;
  emit sectionClicked(section);
  const QPoint local = event->position().toPoint();
  drag_ = DragState{};
  drag_.start = event->globalPosition();
  drag_.panel = panel;
  drag_.modifiers = event->modifiers();
  if (panel->onEdge(local)) {
    drag_.mode = Drag::Height;
    drag_.startHeight = drag_.height = document_->section(panel->section())->height;
    return;
  }
  if (local.y() < TOddil::kCaptionHeight) return;
  if (placing_) {
    drag_ = DragState{};
    emit placeRequested(panel->section(), panel->toHundredths(local));
    return;
  }
  drag_.mode = Drag::Band;
  drag_.bandStart = local;
  panel->rubberBand()->setGeometry(QRect(local, QSize()));
  panel->rubberBand()->show();
}

void TPapir::sectionMove(TOddil* panel, QMouseEvent* event) {
  event->accept();
  const QPoint local = event->position().toPoint();
  if (drag_.mode == Drag::None || drag_.panel != panel || !(event->buttons() & Qt::LeftButton)) {
    panel->setCursor(panel->onEdge(local) ? Qt::SizeVerCursor : placing_ ? Qt::CrossCursor : Qt::ArrowCursor);
    return;
  }
  if (drag_.mode == Drag::Height) {
    const int dy = SelectionGeometry::ToHundredths(qRound((event->globalPosition() - drag_.start).y()), zoom_);
    drag_.height = raster().sectionHeight(drag_.startHeight, dy);
    panel->setShownHeight(drag_.height);
    layoutPanels();
  } else if (drag_.mode == Drag::Band) {
    panel->rubberBand()->setGeometry(QRect(drag_.bandStart, local).normalized());
  }
}

void TPapir::sectionRelease(TOddil* panel, QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || drag_.panel != panel) return;
  const DragState done = drag_;
  cancelDrag();
  if (done.mode == Drag::Height) {
    if (done.height != done.startHeight) emit sectionHeightChanged(panel->section(), done.height);
    return;
  }
  if (done.mode != Drag::Band) return;
  const QPoint a = panel->toHundredths(done.bandStart);
  const QPoint b = panel->toHundredths(event->position().toPoint());
  const QRect band = QRect(a, b).normalized();
  QList<QRect> rects;
  for (TSesPrvek* w : panel->elementWidgets()) rects.append(RectOf(w->element()));
  QList<ElementRef> caught;
  // A click without a drag catches nothing and so clears the selection.
  if (band.width() > 1 || band.height() > 1)
    for (int i : SelectionGeometry::ElementsInBand(rects, band)) caught.append({panel->section(), i});
  emit bandSelected(caught, done.modifiers);
}

// ---- Paper.

void TPapir::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(128, 128, 128));
}

void TPapir::keyPressEvent(QKeyEvent* event) {
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
  emit arrowPressed(dx, dy, event->modifiers() & Qt::ShiftModifier);
}

void TPapir::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();
    return;
  }
  event->accept();
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) emit zoomStepRequested(steps);
}

}  // namespace report
