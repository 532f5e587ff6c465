// What the two metafile formats have in common: GDI objects (pens, brushes and
// fonts) that are created, selected and deleted again when replaced, the text
// colour and fill mode, clipping by a saved device context, and coordinates
// rounded and clamped to what the format can hold. The engine hands over shapes
// in metafile units (1/600 inch, origin at the page's top left); a subclass turns
// them into the records of its format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <optional>

namespace report {

// A pen as the file stores it. Values of style, cap and join are GDI's.
struct MetafilePen {
  int style = 0;     // PS_SOLID … PS_DASHDOTDOT, PS_NULL
  int width = 1;     // metafile units; 1 is the thinnest line the player can draw
  QRgb color = 0;    // RGB, the alpha byte is not used
  int cap = 0;       // PS_ENDCAP_*
  int join = 0;      // PS_JOIN_*
  bool operator==(const MetafilePen&) const = default;
  bool visible() const;
};

// A brush: BS_SOLID, BS_NULL or BS_HATCHED with one of GDI's six hatches.
struct MetafileBrush {
  int style = 1;
  int hatch = 0;
  QRgb color = 0;
  bool operator==(const MetafileBrush&) const = default;
  bool visible() const;
};

// A logical font. Height is negative: the em height in metafile units.
struct MetafileFont {
  QString face;
  int height = 0;
  int escapement = 0;  // tenths of a degree, counter-clockwise, 0 … 3599
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  int pitchAndFamily = 0;
  int charset = 1;     // DEFAULT_CHARSET unless a code page needs its own
  bool operator==(const MetafileFont&) const = default;
};

// One line of text: the baseline start, the unit vector along the baseline, and
// the advance of every UTF-16 unit along it, all in metafile units.
struct MetafileText {
  QPointF origin;
  QPointF direction{1, 0};
  QString text;
  QList<qreal> advances;
  MetafileFont font;
  QRgb color = 0;
};

class MetafileWriter {
 public:
  virtual ~MetafileWriter();
  MetafileWriter(const MetafileWriter&) = delete;
  MetafileWriter& operator=(const MetafileWriter&) = delete;

  // Shapes. Coordinates that are not finite drop the shape.
  void drawPolyline(const QPolygonF& points, const MetafilePen& pen);
  // Polygons filled together under one fill rule and outlined with the pen.
  void drawPolygons(const QList<QPolygonF>& polygons, bool winding, const MetafilePen& pen,
                    const MetafileBrush& brush);
  void drawRectangle(const QRectF& rect, const MetafilePen& pen, const MetafileBrush& brush);
  void drawEllipse(const QRectF& rect, const MetafilePen& pen, const MetafileBrush& brush);
  void drawText(const MetafileText& text);
  // An image stretched over target; what is transparent in it shows white.
  void drawImage(const QRectF& target, const QImage& image);
  // Clips what follows to rect (metafile units); none removes the clip.
  void setClip(const std::optional<QRect>& rect);

  // Ends the file and returns it; the writer takes no more records.
  QByteArray finish();

  int coordinateLimit() const { return limit_; }

 protected:
  // firstHandle: index of the first object the format's table hands out.
  MetafileWriter(int coordinateLimit, int firstHandle);

  // Rounds a point to metafile units inside ±coordinateLimit().
  QPoint units(QPointF p) const;
  QRect units(const QRectF& r) const;
  // Selects the font and the text colour for the text that follows.
  void useFont(const MetafileFont& font);
  // The font selected now, if any.
  const std::optional<MetafileFont>& selectedFont() const { return state_.font.value; }
  void useTextColor(QRgb color);

  // The records of the format.
  virtual void writeCreatePen(int handle, const MetafilePen& pen) = 0;
  virtual void writeCreateBrush(int handle, const MetafileBrush& brush) = 0;
  virtual void writeCreateFont(int handle, const MetafileFont& font) = 0;
  virtual void writeSelect(int handle) = 0;
  virtual void writeDelete(int handle) = 0;
  virtual void writeTextColor(QRgb color) = 0;
  virtual void writePolyFillMode(bool winding) = 0;
  virtual void writePolyline(const QList<QPoint>& points, int penWidth) = 0;
  virtual void writePolyPolygon(const QList<QList<QPoint>>& polygons, int penWidth) = 0;
  virtual void writeRectangle(const QRect& rect, int penWidth) = 0;
  virtual void writeEllipse(const QRect& rect, int penWidth) = 0;
  // The text of the format: selects its fonts with useFont() and its colour
  // with useTextColor().
  virtual void writeText(const MetafileText& text) = 0;
  // dib: the bitmap info header; bits: bottom-up rows of 24-bit BGR pixels.
  virtual void writeImage(const QRect& target, QSize size, const QByteArray& dib,
                          const QByteArray& bits) = 0;
  virtual void writeSaveDc() = 0;
  virtual void writeRestoreDc() = 0;
  virtual void writeIntersectClip(const QRect& rect) = 0;
  // The end of file record and the header fields known only now; returns the file.
  // objectCount: how many table entries the objects needed at most.
  virtual QByteArray writeEnd(int objectCount) = 0;

 private:
  template <typename T>
  struct Slot {
    std::optional<T> value;
    int handle = -1;
    bool selected = false;
  };
  struct DcState {
    Slot<MetafilePen> pen;
    Slot<MetafileBrush> brush;
    Slot<MetafileFont> font;
    std::optional<QRgb> textColor;
    std::optional<bool> winding;
  };

  void usePen(const MetafilePen& pen);
  void useBrush(const MetafileBrush& brush);
  template <typename T, typename Create>
  void use(Slot<T>& slot, const Slot<T>* pinned, const T& value, Create create);
  template <typename T>
  void dropAfterRestore(Slot<T>& slot, const Slot<T>& saved);
  void useFillMode(bool winding);
  int allocateHandle();
  void freeHandle(int handle);

  int limit_;
  int firstHandle_;
  bool finished_ = false;
  QList<bool> handles_;
  int peakHandles_ = 0;
  DcState state_;
  std::optional<DcState> saved_;  // the state at the open SaveDC
  std::optional<QRect> clip_;
};

}  // namespace report
