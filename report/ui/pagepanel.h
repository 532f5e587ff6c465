// The paper of the preview: one page of the output document at a zoom factor.
//
// The panel is as large as the paper times the zoom, at 96 logical pixels per
// inch (a hundredth of an inch is 0.96 × zoom pixels): Qt's logical pixels have
// 96 to the inch on every desktop, and on a high-density screen the page is drawn
// at the device pixel ratio, so it stays sharp without changing its size.
//
// It paints white paper, the background picture stretched into its placement
// rectangle, and the page drawn 1:1 into the printable area (the paper less its
// margins), both scaled by the zoom. Pages are drawn only when shown: each drawn
// page is kept as an image per page and zoom, the last few of them (at most
// kCachedImages, and no more than kCacheBytes together, the newest always), so
// that going back and forth does not draw again and a report of a thousand pages
// costs no more than the pages looked at.
#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

#include "report/layout/outputdocument.h"
#include "report/render/pagerenderer.h"

namespace report {

class TPagePanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCachedImages = 4;
  static constexpr qsizetype kCacheBytes = 96 * 1024 * 1024;

  TPagePanel(const TSestVystup& doc, const RenderHooks& hooks, QWidget* parent = nullptr);
  ~TPagePanel() override;

  // Logical pixels of a length in hundredths of an inch at `zoom`.
  static int Pixels(double hundredths, double zoom);

  // The page shown, from 0 (kept within the document; 0 for an empty one).
  void setPage(int page);
  int page() const { return page_; }
  // The zoom factor (1.0 = 100 %); the panel takes the paper's size times it.
  void setZoom(double zoom);
  double zoom() const { return zoom_; }

  // The drawn image of `page` at the current zoom, from the cache or drawn now.
  QImage pageImage(int page);
  // Images kept, and how many pages were drawn so far.
  int cachedImages() const { return static_cast<int>(cache_.size()); }
  int renderCount() const { return renders_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Cached {
    int page;
    int zoomKey;  // the zoom in hundredths of a percent
    qreal ratio;  // device pixels per logical pixel
    QImage image;
  };
  QImage render(int page, qreal ratio) const;

  const TSestVystup& doc_;
  PageRenderer renderer_;
  int page_ = 0;
  double zoom_ = 1.0;
  QList<Cached> cache_;  // the most recently used first
  int renders_ = 0;
};

}  // namespace report
