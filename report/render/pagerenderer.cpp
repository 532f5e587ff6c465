#include "report/render/pagerenderer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "report/layout/reportfonts.h"
#include "report/model/colortable.h"

namespace report {
namespace {

Qt::PenStyle PenStyleOf(int style) {
  switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle BrushStyleOf(int style) {
  switch (style) {
    case 0: return Qt::SolidPattern;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::FDiagPattern;
    case 5: return Qt::BDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
  }
}

QColor RunColor(const OutputRun& r) {
  if (!r.hasRgb) return IndexColor(r.font.color);
  return QColor((r.rgb >> 16) & 0xFF, (r.rgb >> 8) & 0xFF, r.rgb & 0xFF);
}

QRectF Box(const TVystPrvek& e) { return QRectF(e.left, e.top, e.width, e.height); }

}  // namespace

QColor IndexColor(int index) {
  const ReportRgb c = ColorOfIndex(index);
  return QColor(c.red, c.green, c.blue);
}

QFont RenderFont(const TReportFont& font, const QPaintDevice* device) {
  QFont f = ReportQFont(font);
  // The painter works in hundredths of an inch: a point is 100/72 of them, and the
  // device turns points into its own units at its logical resolution first.
  const int dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
  f.setPointSizeF(std::max(1, font.size) * 100.0 / dpi);
  return f;
}

PageRenderer::PageRenderer(RenderHooks hooks) : hooks_(std::move(hooks)) {}

void PageRenderer::renderPage(QPainter& painter, const TSestVystup& doc, int page, double unitsPerHundredth,
                              QPointF origin) const {
  if (page < 0 || page >= doc.pageCount()) return;
  painter.save();
  painter.translate(origin);
  painter.scale(unitsPerHundredth, unitsPerHundredth);
  for (const TVystPrvek& e : doc.pages[page].elements) renderElement(painter, e);
  painter.restore();
}

void PageRenderer::renderElement(QPainter& painter, const TVystPrvek& e) const {
  painter.save();
  const int kind = e.look.kind;
  if (IsTextKind(kind)) text(painter, e);
  else if (kind >= kElementLine && kind <= kElementEllipse) shape(painter, e);
  else if (kind == kElementPicture) picture(painter, e);
  else if (kind == kElementBarcode) barcode(painter, e);
  else if (kind == kElementPaintBox && hooks_.paintBox) {
    painter.translate(e.left, e.top);
    painter.setClipRect(QRectF(0, 0, e.width, e.height));
    hooks_.paintBox(e.look.index, e.width, e.height, painter);
  }
  painter.restore();
}

void PageRenderer::text(QPainter& p, const TVystPrvek& e) const {
  const TReportElement& look = e.look;
  const QRectF box = Box(e);
  p.setBrush(Qt::NoBrush);
  if (look.rotation() != 0) {
    // One line centred on its baseline at the element's centre, turned
    // counter-clockwise by the angle.
    p.setFont(RenderFont(look.font, p.device()));
    p.setPen(IndexColor(look.font.color));
    const QFontMetricsF fm(p.font(), p.device());
    p.translate(box.center());
    p.rotate(-look.rotation());
    p.drawText(QPointF(-fm.horizontalAdvance(e.text) / 2, 0), e.text);
    return;
  }
  if (!e.lines.isEmpty()) {
    for (const OutputLine& line : e.lines)
      for (const OutputRun& run : line.runs) {
        p.setFont(RenderFont(run.font, p.device()));
        p.setPen(RunColor(run));
        p.drawText(QPointF(e.left + run.x, e.top + line.y + line.ascent), run.text);
      }
  } else if (!e.text.isEmpty()) {
    p.setFont(RenderFont(look.font, p.device()));
    p.setPen(IndexColor(look.font.color));
    int align = Qt::AlignTop | Qt::TextSingleLine;
    switch (look.alignment & 3) {
      case kAlignRight: align |= Qt::AlignRight; break;
      case kAlignCenter: align |= Qt::AlignHCenter; break;
      default: align |= Qt::AlignLeft; break;
    }
    p.drawText(box, align, e.text);
  }
  const int frame = look.frame & 15;
  if (frame) {
    p.setPen(QPen(IndexColor(look.font.color), 0));
    if (frame & kFrameSide1) p.drawLine(box.topLeft(), box.bottomLeft());
    if (frame & kFrameSide2) p.drawLine(box.topLeft(), box.topRight());
    if (frame & kFrameSide3) p.drawLine(box.topRight(), box.bottomRight());
    if (frame & kFrameSide4) p.drawLine(box.bottomLeft(), box.bottomRight());
  }
}

void PageRenderer::shape(QPainter& p, const TVystPrvek& e) const {
  const TReportElement& look = e.look;
  p.setPen(QPen(IndexColor(look.penColor), std::max(1, look.penWidth), PenStyleOf(look.penStyle)));
  p.setBrush(QBrush(IndexColor(look.fillColor), BrushStyleOf(look.fillStyle)));
  const QRectF box = Box(e);
  switch (look.kind) {
    case kElementLine:
      p.drawLine(box.topLeft(), box.bottomRight());
      break;
    case kElementRectangle: p.drawRect(box); break;
    case kElementRoundRect: {
      const double r = std::min(box.width(), box.height()) / 4;
      p.drawRoundedRect(box, r, r);
      break;
    }
    default: p.drawEllipse(box); break;
  }
}

void PageRenderer::picture(QPainter& p, const TVystPrvek& e) const {
  QImage image;
  for (const QString& raw : e.text.split(QRegularExpression(QStringLiteral("[;\\r\\n]")), Qt::SkipEmptyParts)) {
    const QString name = raw.trimmed();
    if (name.isEmpty()) continue;
    if (hooks_.loadPicture ? hooks_.loadPicture(name, &image) : image.load(name)) break;
    image = QImage();
  }
  if (image.isNull()) return;
  QRectF target = Box(e);
  const int frame = e.look.frame;
  if (frame & kPictureKeepAspect) {
    const QSizeF fitted = QSizeF(image.size()).scaled(target.size(), Qt::KeepAspectRatio);
    target = QRectF(target.topLeft(), fitted);
  } else if (!(frame & kPictureStretch)) {
    target.setSize(QSizeF(image.width(), image.height()));  // 100 pixels per inch
  }
  p.setClipRect(Box(e));
  p.drawImage(target, image);
}

void PageRenderer::barcode(QPainter& p, const TVystPrvek& e) const {
  if (!e.barcode) return;
  const QRectF box = Box(e);
  p.translate(box.topLeft());
  p.rotate(-e.look.rotation());
  const double module = std::max(1, e.moduleWidth);
  const auto bars = barcode::LayoutBars(*e.barcode, module, 2.0, box.height());
  double width = 0;
  for (const auto& b : bars) width = std::max(width, b.x + b.width);
  p.setPen(Qt::NoPen);
  const QColor bar = IndexColor(e.look.penColor);
  const QColor space = IndexColor(e.look.fillColor);
  if (e.look.fillStyle == 0 && space != bar) p.fillRect(QRectF(0, 0, width, box.height()), space);
  for (const auto& b : bars) p.fillRect(QRectF(b.x, b.y, b.width, b.height), bar);
  if (e.look.frame & kBarcodeShowText) {
    TReportFont font;
    font.name = QString::fromLatin1(barcode::kBarcodeTextFont.data(), static_cast<qsizetype>(barcode::kBarcodeTextFont.size()));
    font.size = barcode::BarcodeTextPointSize(e.moduleWidth);
    p.setFont(RenderFont(font, p.device()));
    const QFontMetricsF fm(p.font(), p.device());
    const QRectF label(0, 0, fm.horizontalAdvance(e.text), fm.height());
    p.fillRect(label, Qt::white);
    p.setPen(Qt::black);
    p.drawText(label, Qt::AlignLeft | Qt::AlignTop, e.text);
  }
}

void PageRenderer::renderBackground(QPainter& painter, const TSestVystup& doc, double unitsPerHundredth,
                                    QPointF paperOrigin) const {
  const TemplateBackground& bg = doc.background;
  if (bg.picture.isEmpty()) return;
  QImage image;
  if (!(hooks_.loadPicture ? hooks_.loadPicture(bg.picture, &image) : image.load(bg.picture)) || image.isNull()) return;
  const double w = bg.width > 0 ? bg.width : doc.paper.pageWidth();
  const double h = bg.height > 0 ? bg.height : doc.paper.pageHeight();
  painter.save();
  painter.translate(paperOrigin);
  painter.scale(unitsPerHundredth, unitsPerHundredth);
  painter.drawImage(QRectF(bg.left, bg.top, w, h), image);
  painter.restore();
}

QImage PageRenderer::pageImage(const TSestVystup& doc, int page, double dotsPerInch) const {
  const double scale = dotsPerInch / 100.0;
  QImage image(std::max(1, static_cast<int>(std::ceil(doc.paper.pageWidth() * scale))),
               std::max(1, static_cast<int>(std::ceil(doc.paper.pageHeight() * scale))), QImage::Format_RGB32);
  const int dpm = static_cast<int>(std::lround(dotsPerInch / 0.0254));
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  renderPage(painter, doc, page, scale, QPointF(doc.paper.marginLeft * scale, doc.paper.marginTop * scale));
  return image;
}

}  // namespace report
