// One element on the designer's paper (`TSesPrvek`): a label-like control that
// holds the template element it shows and draws it with the page renderer. It
// lies a few pixels larger than the element, so that handles and lines of no
// width can be seen and caught. The mouse goes to the paper (TPapir), which
// selects, moves and resizes.
#pragma once

#include <QRect>
#include <QWidget>

#include "report/layout/outputdocument.h"
#include "report/ui/designer/elementref.h"

namespace report {

class TPapir;

class TSesPrvek : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMargin = 4;  // pixels around the element

  TSesPrvek(TPapir* papir, QWidget* parent);

  ElementRef ref() const { return ref_; }
  void setRef(ElementRef ref) { ref_ = ref; }
  // The element and its output element as the renderer draws it.
  const TReportElement& element() const { return look_.look; }
  void setElement(const TVystPrvek& look);
  // The element's rectangle as shown, hundredths of an inch in its section; it
  // differs from the element's while the element is being dragged.
  QRect shownRect() const { return shown_; }
  void setShownRect(const QRect& r);
  // The element's rectangle within this widget, pixels.
  QRect elementPixels() const;

  bool isSelected() const { return selected_; }
  void setSelected(bool selected);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TPapir* papir_;
  ElementRef ref_;
  TVystPrvek look_;
  QRect shown_;
  bool selected_ = false;
};

}  // namespace report
