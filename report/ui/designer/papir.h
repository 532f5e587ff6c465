// The designer's paper (`TPapir`): one panel per visible section and group band
// (TOddil) in the order they print, each as wide as a print column, holding its
// elements (TSesPrvek), all at the designer's zoom.
//
// The mouse: a click selects an element (with Shift or Ctrl it is added to or
// taken from the selection), dragging moves the selected elements, dragging a
// handle of a selected element resizes it, dragging in a section's empty area
// selects the elements in the band, dragging a section's lower edge changes its
// height; with "Zarovnávat do rastru" on, all of it lands on the raster. With a
// palette entry chosen, a click in a section places the new element there.
// Ctrl with the wheel zooms. The arrow keys move the selection by one raster
// step, with Shift they resize it.
//
// The paper only shows the document and reports what the mouse and keys did;
// the window turns that into commands.
#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <memory>

#include "report/layout/qttextmeasurer.h"
#include "report/render/pagerenderer.h"
#include "report/ui/designer/designraster.h"
#include "report/ui/designer/elementlook.h"
#include "report/ui/designer/elementref.h"

namespace report {

class TemplateDocument;
class TOddil;
class TSesPrvek;

class TPapir : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kGap = 8;  // pixels around and between the panels

  explicit TPapir(QWidget* parent = nullptr);
  ~TPapir() override;

  void setDocument(TemplateDocument* document) { document_ = document; }
  // Column names, captions and parameters for the placeholders.
  void setContext(const ElementLook::Context& context) { context_ = context; }
  void setRenderHooks(const RenderHooks& hooks);

  // The zoom (1.0: a hundredth of an inch is one pixel).
  double zoom() const { return zoom_; }
  void setZoom(double zoom);

  // Shows the document anew: sections, elements, sizes.
  void rebuild();
  void setSelection(const QList<ElementRef>& selection);
  const QList<ElementRef>& selection() const { return selection_; }
  // A palette entry is chosen: clicks in sections place it.
  void setPlacing(bool placing);
  bool placing() const { return placing_; }

  QList<TOddil*> sectionPanels() const { return panels_; }
  TOddil* sectionPanel(int section) const;
  TSesPrvek* elementWidget(ElementRef ref) const;

  DesignRaster raster() const;
  bool showsRaster() const;
  const PageRenderer& renderer() const { return *renderer_; }
  QString describe(const TReportElement& e) const { return ElementLook::Describe(e, context_); }

  // ---- From the panels and elements.
  void placeElement(TSesPrvek* w) const;
  void elementPress(TSesPrvek* pressed, QMouseEvent* event);
  void elementMove(TSesPrvek* w, QMouseEvent* event);
  void elementRelease(TSesPrvek* w, QMouseEvent* event);
  void elementDoubleClick(TSesPrvek* w, QMouseEvent* event);
  void sectionPress(TOddil* pressed, QMouseEvent* event);
  void sectionMove(TOddil* panel, QMouseEvent* event);
  void sectionRelease(TOddil* panel, QMouseEvent* event);

 signals:
  // A press on an element, before any drag: the window updates the selection.
  void elementClicked(report::ElementRef ref, Qt::KeyboardModifiers modifiers);
  void elementDoubleClicked(report::ElementRef ref);
  // A press anywhere in a section (its elements included).
  void sectionClicked(int section);
  // A drag ended with the elements at new rectangles (hundredths of an inch).
  void rectsChanged(const QList<report::ElementRef>& refs, const QList<QRect>& rects);
  void sectionHeightChanged(int section, int height);
  // A click in a section while placing, at a point in hundredths of an inch.
  void placeRequested(int section, QPoint at);
  // A band dragged over a section caught these elements.
  void bandSelected(const QList<report::ElementRef>& caught, Qt::KeyboardModifiers modifiers);
  void arrowPressed(int dx, int dy, bool resize);
  void zoomStepRequested(int steps);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  enum class Drag { None, Move, Resize, Height, Band };
  void layoutPanels();
  void syncPanel(TOddil* panel);
  void cancelDrag();
  int sectionWidth() const;

  TemplateDocument* document_ = nullptr;
  ElementLook::Context context_;
  RenderHooks hooks_;
  std::unique_ptr<PageRenderer> renderer_;
  QtTextMeasurer measurer_;
  double zoom_ = 1.0;
  QList<TOddil*> panels_;
  QList<ElementRef> selection_;
  bool placing_ = false;

  struct DragState {
    Drag mode = Drag::None;
    QPointF start;  // global position of the press
    TOddil* panel = nullptr;
    DesignHandle handle = DesignHandle::None;
    QList<ElementRef> refs;
    QList<QRect> startRects, rects;
    ElementRef anchor;
    int startHeight = 0, height = 0;
    QPoint bandStart;  // panel pixels
    Qt::KeyboardModifiers modifiers;
  } drag_;
};

}  // namespace report
