#include "report/ui/pagepanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace report {
namespace {

// Logical pixels per hundredth of an inch at 100 %.
constexpr double kPixelsPerHundredth = 0.96;

}  // namespace

TPagePanel::TPagePanel(const TSestVystup& doc, const RenderHooks& hooks, QWidget* parent)
    : QWidget(parent), doc_(doc), renderer_(hooks) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setZoom(1.0);
}

TPagePanel::~TPagePanel() = default;

int TPagePanel::Pixels(double hundredths, double zoom) {
  return std::max(1, static_cast<int>(std::lround(hundredths * kPixelsPerHundredth * zoom)));
}

void TPagePanel::setPage(int page) {
  page = std::clamp(page, 0, std::max(0, doc_.pageCount() - 1));
  if (page == page_) return;
  page_ = page;
  update();
}

void TPagePanel::setZoom(double zoom) {
  zoom_ = zoom;
  setFixedSize(Pixels(doc_.paper.pageWidth(), zoom_), Pixels(doc_.paper.pageHeight(), zoom_));
  update();
}

QImage TPagePanel::render(int page, qreal ratio) const {
  QImage image(QSize(width(), height()) * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  if (page < 0 || page >= doc_.pageCount()) return image;
  // The painter works in device pixels: the renderer scales the document itself.
  const double scale = kPixelsPerHundredth * zoom_ * ratio;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(1 / ratio, 1 / ratio);
  renderer_.renderBackground(painter, doc_, scale, QPointF(0, 0));
  renderer_.renderPage(painter, doc_, page, scale,
                       QPointF(doc_.paper.marginLeft * scale, doc_.paper.marginTop * scale));
  return image;
}

QImage TPagePanel::pageImage(int page) {
  const int zoomKey = static_cast<int>(std::lround(zoom_ * 10000));
  const qreal ratio = devicePixelRatioF();
  for (qsizetype i = 0; i < cache_.size(); ++i) {
    const Cached& c = cache_[i];
    if (c.page == page && c.zoomKey == zoomKey && c.ratio == ratio) {
      if (i > 0) cache_.move(i, 0);
      return cache_.front().image;
    }
  }
  ++renders_;
  cache_.prepend({page, zoomKey, ratio, render(page, ratio)});
  qsizetype bytes = 0;
  qsizetype keep = 0;
  while (keep < cache_.size() && keep < kCachedImages) {
    bytes += cache_[keep].image.sizeInBytes();
    if (keep > 0 && bytes > kCacheBytes) break;
    ++keep;
  }
  cache_.resize(keep);
  return cache_.front().image;
}

void TPagePanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage image = pageImage(page_);
  painter.drawImage(event->rect(), image,
                    QRectF(QPointF(event->rect().topLeft()) * image.devicePixelRatio(),
                           QSizeF(event->rect().size()) * image.devicePixelRatio()));
  // The paper's edge.
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace report
