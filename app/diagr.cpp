#include "app/diagr.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

#include "res/texts.h"

namespace tab97 {

namespace diagram_widgets {

// Mouse press, move and release of a control, in the control's own coordinates.
struct MouseHandlers {
  std::function<void(QPoint)> down;
  std::function<void(QPoint)> move;
  std::function<void()> up;
};

// The chart image: its picture at natural size, or stretched to the control
// (the stretched copy is scaled once per size, not at every paint).
class ChartImage final : public QWidget {
 public:
  explicit ChartImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

  void SetPicture(const QPixmap& picture) {
    picture_ = picture;
    scaled_ = QPixmap();
    if (!stretch_) resize(picture_.size());
    update();
  }
  const QPixmap& Picture() const { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
  }
  MouseHandlers handlers;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (picture_.isNull()) return;
    if (!stretch_ || size() == picture_.size()) {
      painter.drawPixmap(0, 0, picture_);
      return;
    }
    if (scaled_.size() != size()) {
      scaled_ = picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    painter.drawPixmap(0, 0, scaled_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (handlers.down) handlers.down(event->position().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (handlers.move) handlers.move(event->position().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (handlers.up) handlers.up();
  }

 private:
  QPixmap picture_;
  QPixmap scaled_;
  bool stretch_ = false;
};

// A marker: a red ring with a dark outer edge and a light inner one, so it
// stands out on white ground as on the coloured curves, and a red dot in the
// middle on the state's own pixel. Its tooltip is the point's state.
class MarkerShape final : public QWidget {
 public:
  explicit MarkerShape(QWidget* parent) : QWidget(parent) {
    resize(diagram::kMarkerSize, diagram::kMarkerSize);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double outer = width() / 2.0;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255), 1.5));  // the light edge inside the ring
    painter.drawEllipse(centre, outer - 3.5, outer - 3.5);
    painter.setPen(QPen(QColor(40, 0, 0), 1.0));       // the dark edge outside it
    painter.drawEllipse(centre, outer - 0.5, outer - 0.5);
    painter.setPen(QPen(QColor(230, 0, 0), 2.0));      // the ring
    painter.drawEllipse(centre, outer - 2.0, outer - 2.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 0, 0));
    painter.drawEllipse(centre, 1.3, 1.3);
  }
};

// The navigator frame: a rectangle with curved corners, red dotted pen, no brush.
class NavigatorFrame final : public QWidget {
 public:
  explicit NavigatorFrame(QWidget* parent) : QWidget(parent) { setCursor(Qt::SizeAllCursor); }
  MouseHandlers handlers;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(220, 0, 0), 1.0, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0), 4, 4);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (handlers.down) handlers.down(event->position().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (handlers.move) handlers.move(event->position().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (handlers.up) handlers.up();
  }
};

}  // namespace diagram_widgets

namespace {

using diagram_widgets::ChartImage;
using diagram_widgets::MarkerShape;
using diagram_widgets::NavigatorFrame;

constexpr int kGlyphSize = 24;

QPixmap BlankGlyph() {
  QPixmap glyph(kGlyphSize, kGlyphSize);
  glyph.fill(Qt::transparent);
  return glyph;
}

// Fit to height: a sheet between two arrows pressing it from above and below.
QIcon FitGlyph() {
  QPixmap glyph = BlankGlyph();
  QPainter p(&glyph);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  p.setBrush(QColor(255, 255, 255));
  p.drawRect(QRectF(7.5, 6.5, 9, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 90, 170));
  p.drawPolygon(QPolygonF({QPointF(12, 5.5), QPointF(7, 0.5), QPointF(17, 0.5)}));
  p.drawPolygon(QPolygonF({QPointF(12, 18.5), QPointF(7, 23.5), QPointF(17, 23.5)}));
  return QIcon(glyph);
}

// Full size: a magnifying glass with a plus.
QIcon FullGlyph() {
  QPixmap glyph = BlankGlyph();
  QPainter p(&glyph);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 2.0));
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(QPointF(10, 10), 7, 7);
  p.setPen(QPen(QColor(40, 40, 40), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(15.5, 15.5), QPointF(21.5, 21.5));
  p.setPen(QPen(QColor(0, 90, 170), 2.0));
  p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
  p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
  return QIcon(glyph);
}

// Close: a red cross.
QIcon CloseGlyph() {
  QPixmap glyph = BlankGlyph();
  QPainter p(&glyph);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(200, 20, 20), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5, 5), QPointF(19, 19));
  p.drawLine(QPointF(19, 5), QPointF(5, 19));
  return QIcon(glyph);
}

}  // namespace

TDiagramForm::TDiagramForm(const MainState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), state_(state) {
  setObjectName(QStringLiteral("DiagramForm"));
  setWindowTitle(QStringLiteral("Diagramy"));
  setModal(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  setPalette(palette);
  setAutoFillBackground(true);
  BuildControls();
}

TDiagramForm::~TDiagramForm() = default;

void TDiagramForm::BuildControls() {
  ChartArea_ = new QWidget(this);
  ChartArea_->setObjectName(QStringLiteral("ChartArea"));
  const diagram::Rect viewport = diagram::ChartViewport(width(), height());
  ChartArea_->setGeometry(viewport.Left, viewport.Top, viewport.Width, viewport.Height);

  ImageTS_ = new ChartImage(ChartArea_);
  ImageTS_->setObjectName(QStringLiteral("ImageTS"));
  ImageTS_->move(0, 0);
  ImageTS_->handlers.down = [this](QPoint pos) { ImageTSMouseDown(pos); };
  ImageTS_->handlers.move = [this](QPoint pos) { ImageTSMouseMove(pos); };
  ImageTS_->handlers.up = [this] { ImageTSMouseUp(); };

  for (int k = 0; k < diagram::kMarkerCount; ++k) {
    bod_[k] = new MarkerShape(ChartArea_);
    bod_[k]->setObjectName(QStringLiteral("bod%1").arg(k + 1));
    bod_[k]->hide();
  }

  ImageNahled_ = new QLabel(this);
  ImageNahled_->setObjectName(QStringLiteral("ImageNahled"));
  ImageNahled_->setGeometry(diagram::kNavigatorLeft, diagram::kNavigatorTop, diagram::kNavigatorWidth,
                            diagram::kNavigatorHeight);
  ImageNahled_->setScaledContents(true);

  poloha_ = new NavigatorFrame(ImageNahled_->parentWidget());
  poloha_->setObjectName(QStringLiteral("poloha"));
  poloha_->setGeometry(diagram::FrameMinLeft(), diagram::FrameMinTop(),
                       diagram::kNavigatorWidth - 2 * diagram::kFrameInset,
                       diagram::kNavigatorHeight - 2 * diagram::kFrameInset);
  poloha_->handlers.down = [this](QPoint pos) { polohaMouseDown(pos); };
  poloha_->handlers.move = [this](QPoint pos) { polohaMouseMove(pos); };
  poloha_->handlers.up = [this] { polohaMouseUp(); };

  BitBtn1_ = AddButton("BitBtn1", 0, FitGlyph());
  BitBtn2_ = AddButton("BitBtn2", 1, FullGlyph());
  BitBtn3_ = AddButton("BitBtn3", 2, CloseGlyph());
  connect(BitBtn1_, &QToolButton::clicked, this, &TDiagramForm::BitBtn1Click);
  connect(BitBtn2_, &QToolButton::clicked, this, &TDiagramForm::BitBtn2Click);
  connect(BitBtn3_, &QToolButton::clicked, this, &TDiagramForm::BitBtn3Click);
}

QToolButton* TDiagramForm::AddButton(const char* name, int index, const QIcon& glyph) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(diagram::kButtonLefts[index], diagram::kButtonTop, diagram::kButtonSize,
                      diagram::kButtonSize);
  button->setIcon(glyph);
  button->setIconSize(QSize(kGlyphSize, kGlyphSize));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

bool TDiagramForm::LoadChart(const QString& path) {
  QImage chart(path);
  if (chart.isNull()) return false;
  picture_ = chart;
  ImageTS_->SetPicture(QPixmap::fromImage(chart));
  QImage navigator(QFileInfo(path).dir().filePath(QString::fromLatin1(chart::kNavigatorFile)));
  if (navigator.isNull()) {
    navigator = chart.scaled(diagram::kNavigatorWidth, diagram::kNavigatorHeight, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
  }
  ImageNahled_->setPixmap(QPixmap::fromImage(navigator));
  return true;
}

void TDiagramForm::ShowModal() { exec(); }

void TDiagramForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

QSize TDiagramForm::Screen() const {
  if (screenSize_.isValid()) return screenSize_;
  const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  return shown != nullptr ? shown->size() : QSize(diagram::kChartWidth, diagram::kChartHeight);
}

// The window, and the viewport in all of it right of the panel (at once, also
// while the window is hidden and its resize event still pending).
void TDiagramForm::SetWindowGeometry(const diagram::Rect& window) {
  setGeometry(window.Left, window.Top, window.Width, window.Height);
  const diagram::Rect viewport = diagram::ChartViewport(window.Width, window.Height);
  ChartArea_->setGeometry(viewport.Left, viewport.Top, viewport.Width, viewport.Height);
}

void TDiagramForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const diagram::Rect viewport = diagram::ChartViewport(width(), height());
  ChartArea_->setGeometry(viewport.Left, viewport.Top, viewport.Width, viewport.Height);
}

diagram::Rect TDiagramForm::ChartRect() const {
  const QRect g = ImageTS_->geometry();
  return diagram::Rect{g.left(), g.top(), g.width(), g.height()};
}

void TDiagramForm::FormActivate() {
  ImageTS_->move(0, 0);
  ImageTS_->SetStretch(true);
  BitBtn2Click();
}

void TDiagramForm::BitBtn2Click() {
  if (!ImageTS_->Stretch()) return;
  ImageTS_->SetStretch(false);
  ImageTS_->resize(ImageTS_->Picture().size());
  const QSize screen = Screen();
  const diagram::Rect window = diagram::FullSizeWindow(screen.width(), screen.height(), ImageTS_->width());
  SetWindowGeometry(window);
  PlaceMarkers();
  const diagram::Rect frame =
      diagram::InitialFrame(ChartArea_->width(), ChartArea_->height(), ImageTS_->width(), ImageTS_->height());
  poloha_->setGeometry(frame.Left, frame.Top, frame.Width, frame.Height);
  ImageNahled_->show();
  poloha_->show();
  ImageNahled_->raise();
  poloha_->raise();
}

void TDiagramForm::BitBtn1Click() {
  if (ImageTS_->Stretch()) return;
  const QSize screen = Screen();
  const diagram::Rect window{x(), y(), width(), height()};
  const QSize picture = ImageTS_->Picture().size();
  const diagram::FitGeometry fit = diagram::FitToHeight(window, picture.width(), picture.height(), screen.width());
  ImageTS_->setGeometry(fit.Chart.Left, fit.Chart.Top, fit.Chart.Width, fit.Chart.Height);
  ImageTS_->SetStretch(true);
  SetWindowGeometry(fit.Window);
  PlaceMarkers();
  ImageNahled_->hide();
  poloha_->hide();
}

void TDiagramForm::BitBtn3Click() { done(QDialog::Accepted); }

void TDiagramForm::PlaceMarkers() {
  diagram::MarkerSource source;
  source.PointsMode = state_.PointsMode;
  source.StateValues = state_.StateValues;
  source.Points = state_.PointTable;
  source.DecimalPlaces = state_.DecimalPlaces;
  source.LanguageIndex = state_.LanguageIndex;
  source.DecimalSeparator = state_.DecimalSeparator;
  const diagram::MarkerSpots spots = diagram::PlaceMarkers(source, ChartRect());
  for (int k = 0; k < diagram::kMarkerCount; ++k) {
    MarkerShape* marker = bod_[k];
    if (!spots[k].Visible) {
      marker->hide();
      continue;
    }
    marker->move(spots[k].Left, spots[k].Top);
    marker->setToolTip(texts::ForLabel(spots[k].Tooltip));
    marker->show();
    marker->raise();
  }
}

void TDiagramForm::MoveMarkers(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (MarkerShape* marker : bod_) marker->move(marker->x() + dx, marker->y() + dy);
}

void TDiagramForm::ImageTSMouseDown(QPoint pos) {
  if (ImageTS_->Stretch()) return;
  PanActive_ = true;
  PanMoved_ = false;
  PanOriginX_ = pos.x();
  PanOriginY_ = pos.y();
}

void TDiagramForm::ImageTSMouseMove(QPoint pos) {
  if (!PanActive_) return;
  PanLeft_ = diagram::ClampPan(ImageTS_->x() + (pos.x() - PanOriginX_), ChartArea_->width(), ImageTS_->width());
  PanTop_ = diagram::ClampPan(ImageTS_->y() + (pos.y() - PanOriginY_), ChartArea_->height(), ImageTS_->height());
  PanMoved_ = true;
}

void TDiagramForm::ImageTSMouseUp() {
  if (PanActive_ && PanMoved_) {
    MoveMarkers(PanLeft_ - ImageTS_->x(), PanTop_ - ImageTS_->y());
    ImageTS_->move(PanLeft_, PanTop_);
    const diagram::Point frame = diagram::FrameFromChart(ChartRect(), diagram::Point{x(), y()});
    poloha_->move(frame.X, frame.Y);
  }
  // A press without a move ends the gesture as well.
  PanLeft_ = 0;
  PanTop_ = 0;
  PanActive_ = false;
  PanMoved_ = false;
}

void TDiagramForm::polohaMouseDown(QPoint pos) {
  FrameDragActive_ = true;
  FrameOriginX_ = pos.x();
  FrameOriginY_ = pos.y();
}

void TDiagramForm::polohaMouseMove(QPoint pos) {
  if (!FrameDragActive_) return;
  const QRect g = poloha_->geometry();
  const diagram::Rect moved = diagram::DragFrame(diagram::Rect{g.left(), g.top(), g.width(), g.height()},
                                                 pos.x() - FrameOriginX_, pos.y() - FrameOriginY_);
  poloha_->move(moved.Left, moved.Top);
}

void TDiagramForm::polohaMouseUp() {
  FrameDragActive_ = false;
  const QRect g = poloha_->geometry();
  const diagram::Point chart =
      diagram::ChartFromFrame(diagram::Rect{g.left(), g.top(), g.width(), g.height()}, ChartArea_->width(),
                              ChartArea_->height(), ImageTS_->width(), ImageTS_->height(), diagram::Point{x(), y()});
  MoveMarkers(chart.X - ImageTS_->x(), chart.Y - ImageTS_->y());
  ImageTS_->move(chart.X, chart.Y);
}

QRect TDiagramForm::ViewportGeometry() const { return ChartArea_->geometry(); }
QRect TDiagramForm::ChartGeometry() const { return ImageTS_->geometry(); }
bool TDiagramForm::ChartStretched() const { return ImageTS_->Stretch(); }
QRect TDiagramForm::FrameGeometry() const { return poloha_->geometry(); }
bool TDiagramForm::NavigatorVisible() const { return ImageNahled_->isVisible() && poloha_->isVisible(); }
QWidget* TDiagramForm::Marker(int k) const {
  return k >= 1 && k <= diagram::kMarkerCount ? bod_[k - 1] : nullptr;
}
QWidget* TDiagramForm::ChartWidget() const { return ImageTS_; }
QWidget* TDiagramForm::FrameWidget() const { return poloha_; }

}  // namespace tab97
