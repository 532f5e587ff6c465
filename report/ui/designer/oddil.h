// One section or group band on the designer's paper (`TOddil`): a caption strip
// with the section's name, the section's area as tall as the section (white,
// with the raster's dots when "Zobrazovat rastr" is on) holding its elements,
// and below it a thin edge that drags the section's height. The mouse goes to
// the paper (TPapir).
#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

class QRubberBand;

namespace report {

class TPapir;
class TSesPrvek;

class TOddil : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCaptionHeight = 18;  // pixels
  static constexpr int kEdge = 5;            // pixels of the edge below the area

  TOddil(TPapir* papir, int section, QWidget* parent);

  int section() const { return section_; }
  QString caption() const { return caption_; }
  void setCaption(const QString& caption);
  // The section's height as shown, hundredths of an inch (it differs from the
  // section's while its edge is being dragged).
  int shownHeight() const { return height_; }
  void setShownHeight(int height);
  // Pixels of the whole panel at the paper's zoom for a width in hundredths.
  QSize panelSize(int widthHundredths) const;

  QList<TSesPrvek*>& elementWidgets() { return elements_; }
  // The area's top-left corner in this panel's pixels.
  QPoint areaOrigin() const { return QPoint(0, kCaptionHeight); }
  // A point of this panel in hundredths of an inch from the area's corner.
  QPoint toHundredths(QPoint local) const;
  // Whether a point of this panel lies on the edge that drags the height.
  bool onEdge(QPoint local) const;
  QRubberBand* rubberBand();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TPapir* papir_;
  int section_;
  QString caption_;
  int height_ = 0;
  QList<TSesPrvek*> elements_;
  QRubberBand* band_ = nullptr;
};

}  // namespace report
