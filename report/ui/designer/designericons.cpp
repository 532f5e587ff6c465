#include "report/ui/designer/designericons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "report/model/reportelement.h"

namespace report {
namespace {

constexpr int kSize = 24;

QIcon Draw(const std::function<void(QPainter&)>& draw) {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1.5));
  p.setBrush(Qt::NoBrush);
  draw(p);
  return QIcon(pm);
}

void Sheet(QPainter& p, QColor fill = Qt::white) {
  QPainterPath path;
  path.moveTo(5, 2);
  path.lineTo(15, 2);
  path.lineTo(20, 7);
  path.lineTo(20, 22);
  path.lineTo(5, 22);
  path.closeSubpath();
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(QPointF(15, 2), QPointF(15, 7));
  p.drawLine(QPointF(15, 7), QPointF(20, 7));
  p.setBrush(Qt::NoBrush);
}

void Arrow(QPainter& p, bool back) {
  p.setPen(QPen(QColor(20, 80, 160), 2.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath path;
  if (back) {
    path.moveTo(19, 17);
    path.cubicTo(19, 8, 12, 7, 6, 9);
    p.drawPath(path);
    p.drawLine(QPointF(6, 9), QPointF(10, 5));
    p.drawLine(QPointF(6, 9), QPointF(10, 13));
  } else {
    path.moveTo(5, 17);
    path.cubicTo(5, 8, 12, 7, 18, 9);
    p.drawPath(path);
    p.drawLine(QPointF(18, 9), QPointF(14, 5));
    p.drawLine(QPointF(18, 9), QPointF(14, 13));
  }
}

void Lines(QPainter& p, double x0, double x1, int align) {
  p.setPen(QPen(QColor(40, 40, 40), 1.6));
  const double widths[] = {14, 9, 14, 7};
  for (int i = 0; i < 4; ++i) {
    const double w = widths[i];
    const double y = 5 + i * 4.5;
    double left = x0;
    if (align == 1) left = x1 - w;
    if (align == 2) left = (x0 + x1 - w) / 2;
    p.drawLine(QPointF(left, y), QPointF(left + w, y));
  }
}

void Gear(QPainter& p, QPointF c, double r) {
  p.setBrush(QColor(150, 150, 150));
  QPainterPath path;
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 45);
    p.drawRect(QRectF(-1.5, -r - 2, 3, 4));
    p.restore();
  }
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::white);
  p.drawEllipse(c, r / 2.5, r / 2.5);
  p.setBrush(Qt::NoBrush);
}

void Grid(QPainter& p) {
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (int x = 4; x <= 20; x += 4)
    for (int y = 4; y <= 20; y += 4) p.drawPoint(x, y);
}

}  // namespace

QIcon DesignerIcons::Of(Command command) {
  switch (command) {
    case kNew: return Draw([](QPainter& p) { Sheet(p); });
    case kSave:
      return Draw([](QPainter& p) {
        p.setBrush(QColor(60, 90, 170));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(7, 14, 10, 7));
      });
    case kDelete:
      return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(190, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
      });
    case kUndo: return Draw([](QPainter& p) { Arrow(p, true); });
    case kRedo: return Draw([](QPainter& p) { Arrow(p, false); });
    case kPreview:
      return Draw([](QPainter& p) {
        Sheet(p);
        p.setPen(QPen(QColor(20, 20, 20), 2));
        p.drawEllipse(QPointF(11, 12), 4, 4);
        p.drawLine(QPointF(14, 15), QPointF(19, 20));
      });
    case kPrint:
      return Draw([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 8));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3, 10, 18, 8), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 15, 10, 6));
      });
    case kCut:
      return Draw([](QPainter& p) {
        p.drawEllipse(QPointF(8, 18), 3, 3);
        p.drawEllipse(QPointF(16, 18), 3, 3);
        p.drawLine(QPointF(9.5, 15.5), QPointF(16, 3));
        p.drawLine(QPointF(14.5, 15.5), QPointF(8, 3));
      });
    case kCopy:
      return Draw([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 11, 14));
        p.drawRect(QRectF(9, 7, 11, 14));
      });
    case kPaste:
      return Draw([](QPainter& p) {
        p.setBrush(QColor(190, 150, 90));
        p.drawRoundedRect(QRectF(4, 4, 14, 17), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 9, 10, 13));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(8, 2, 6, 4));
      });
    case kElementSettings:
      return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 160), 1, Qt::DotLine));
        p.drawRect(QRectF(3, 3, 13, 10));
        Gear(p, QPointF(16, 16), 4);
      });
    case kTemplateSettings:
      return Draw([](QPainter& p) {
        Sheet(p);
        Gear(p, QPointF(15, 16), 4);
      });
    case kEnvironment: return Draw([](QPainter& p) { Gear(p, QPointF(12, 12), 6); });
    case kClose:
      return Draw([](QPainter& p) {
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(3, 3, 12, 18));
        p.setPen(QPen(QColor(190, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 12), QPointF(21, 12));
        p.drawLine(QPointF(21, 12), QPointF(17, 8));
        p.drawLine(QPointF(21, 12), QPointF(17, 16));
      });
    case kSendBack:
    case kBringFront:
      return Draw([command](QPainter& p) {
        const QColor back(150, 150, 150), front(70, 120, 200);
        const bool frontOnTop = command == kBringFront;
        p.setBrush(frontOnTop ? back : front);
        p.drawRect(QRectF(3, 3, 12, 12));
        p.setBrush(frontOnTop ? front : back);
        p.drawRect(QRectF(9, 9, 12, 12));
      });
    case kAlignAll:
    case kAlignSelected:
      return Draw([command](QPainter& p) {
        Grid(p);
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(command == kAlignAll ? QColor(70, 120, 200) : QColor(230, 160, 40));
        p.drawRect(QRectF(8, 8, 8, 8));
      });
    case kAlignLeft: return Draw([](QPainter& p) { Lines(p, 4, 20, 0); });
    case kAlignCenter: return Draw([](QPainter& p) { Lines(p, 4, 20, 2); });
    case kAlignRight: return Draw([](QPainter& p) { Lines(p, 4, 20, 1); });
    case kFont:
      return Draw([](QPainter& p) {
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(18);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("A"));
      });
  }
  return {};
}

QIcon DesignerIcons::OfKind(int kind) {
  switch (kind) {
    case kElementText:
      return Draw([](QPainter& p) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(16);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("Ab"));
      });
    case kElementLine:
      return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(20, 20, 20), 2));
        p.drawLine(QPointF(3, 20), QPointF(21, 4));
      });
    case kElementRectangle: return Draw([](QPainter& p) { p.drawRect(QRectF(3, 5, 18, 14)); });
    case kElementRoundRect: return Draw([](QPainter& p) { p.drawRoundedRect(QRectF(3, 5, 18, 14), 5, 5); });
    case kElementEllipse: return Draw([](QPainter& p) { p.drawEllipse(QRectF(3, 5, 18, 14)); });
    case kElementPicture:
      return Draw([](QPainter& p) {
        p.setBrush(QColor(200, 230, 255));
        p.drawRect(QRectF(3, 4, 18, 16));
        p.setBrush(QColor(60, 150, 60));
        QPainterPath hill;
        hill.moveTo(3, 20);
        hill.lineTo(10, 11);
        hill.lineTo(15, 16);
        hill.lineTo(17, 14);
        hill.lineTo(21, 20);
        hill.closeSubpath();
        p.drawPath(hill);
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QPointF(16, 8), 2, 2);
      });
    case kElementBarcode:
      return Draw([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const int bars[] = {1, 2, 1, 1, 3, 1, 2, 1, 1, 2};
        double x = 3;
        for (int i = 0; i < 10; ++i) {
          if (i % 2 == 0) p.drawRect(QRectF(x, 4, bars[i], 16));
          x += bars[i] + 0.6;
        }
      });
    case kElementPaintBox:
      return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(0, 128, 0), 1.2, Qt::DashLine));
        p.setBrush(QBrush(QColor(0, 128, 0, 70), Qt::DiagCrossPattern));
        p.drawRect(QRectF(3, 4, 18, 16));
        p.setPen(QPen(QColor(160, 40, 40), 2));
        p.drawLine(QPointF(7, 16), QPointF(16, 8));
      });
    case kElementDetail:
      return Draw([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(QBrush(QColor(0, 0, 128, 80), Qt::BDiagPattern));
        p.drawRect(QRectF(6, 9, 12, 8));
      });
    default: return {};
  }
}

QIcon DesignerIcons::OfFrameSide(int bit) {
  return Draw([bit](QPainter& p) {
    p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
    const QRectF r(5, 5, 14, 14);
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 2.4));
    if (bit == 1) p.drawLine(r.topLeft(), r.bottomLeft());
    if (bit == 2) p.drawLine(r.topLeft(), r.topRight());
    if (bit == 4) p.drawLine(r.topRight(), r.bottomRight());
    if (bit == 8) p.drawLine(r.bottomLeft(), r.bottomRight());
  });
}

}  // namespace report
